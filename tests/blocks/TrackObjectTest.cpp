// Geometry of canvas objects and blocks: pin layout, pin and handle hit
// tests, line slots, grid snapping, sizes, and lines forgetting a deleted
// object.
#include <gtest/gtest.h>

#include <climits>

#include "BlockTestSupport.h"
#include "blocks/CanvasUtils.h"
#include "blocks/CTEProcFUNC.h"
#include "blocks/CTEProcIN.h"
#include "blocks/CTEProcOUT.h"
#include "lines/CLineItem.h"

namespace {

// The base class with its own pin layout.
class PlainObject : public CTrackObject {
public:
    PlainObject(int x, int y, UINT nInputs, UINT nOutputs, int nType = TE_OBJECT_TYPE)
        : CTrackObject(x, y, nInputs, nOutputs, nType)
    {
        LayoutPins();
    }
    void OnDoubleClick(UINT, HOSTINFO*) override {}
    void Draw(CDC*) override {}
};

void ExpectRect(const RECT& rc, int left, int top, int right, int bottom)
{
    EXPECT_EQ(CRect(rc), CRect(left, top, right, bottom));
}

void FillSlots(TrackPin& pin, CLineItem* pLine, int nSlots)
{
    for (int i = 0; i < nSlots; ++i)
        pin.m_pLines[i] = pLine;
}

using TrackObjectTest = BlockTest;

TEST_F(TrackObjectTest, PinsOfObjectsWithNoneOneAndFourInputs)
{
    PlainObject plain(100, 50, 0, 1);
    EXPECT_EQ(plain.m_pInputs, nullptr);
    ExpectRect(plain.m_pOutputs[0].m_rcPin, 216, 67, 223, 74);
    EXPECT_STREQ(plain.m_pOutputs[0].m_szLabel, "1");
    POINT pt = {9, 9};
    EXPECT_EQ(plain.GetPinPoint(PIN_SIDE_INPUT, 0, &pt), -1);
    EXPECT_EQ(CPoint(pt), CPoint(0, 0));
    EXPECT_EQ(plain.GetPinPoint(PIN_SIDE_OUTPUT, 0, &pt), 1);
    EXPECT_EQ(CPoint(pt), CPoint(219, 70));
    EXPECT_EQ(plain.GetPinPoint(2, 0, &pt), 0);

    // Blocks: pins every 10 pixels from 7 below the top, no labels.
    auto* pOut = Make<CTEProcOUT>(100, 50, &m_Document, 0, nullptr);
    ExpectRect(pOut->m_pInputs[0].m_rcPin, 97, 57, 104, 64);
    EXPECT_STREQ(pOut->m_pInputs[0].m_szLabel, "");
    auto* pIn = Make<CTEProcIN>(100, 50, &m_Document, 0, nullptr);
    ExpectRect(pIn->m_pOutputs[0].m_rcPin, 156, 57, 163, 64);
    auto* pFunc = Make<CTEProcFUNC>(100, 50, &m_Document, 4, "PLUS", nullptr);
    for (int i = 0; i < 4; ++i)
        ExpectRect(pFunc->m_pInputs[i].m_rcPin, 97, 57 + 10 * i, 104, 64 + 10 * i);
    // Moving a block takes its pins along.
    pFunc->SetPosition(CRect(0, 0, 60, 50));
    ExpectRect(pFunc->m_pInputs[3].m_rcPin, -3, 37, 4, 44);
    ExpectRect(pFunc->m_pOutputs[0].m_rcPin, 56, 7, 63, 14);
}

TEST_F(TrackObjectTest, PinHitsPreferInputsMoveThePointAndSkipFullPins)
{
    CLineItem line;  // outlives the objects that hold it
    PlainObject narrow(0, 0, 1, 2);
    narrow.SetPosition(0, 0, 6, 60);
    // (3, 20) lies in the grown input pin and in the grown first output pin.
    POINT pt = {3, 20};
    EXPECT_EQ(narrow.HitTestPin(&pt), 1);
    EXPECT_EQ(CPoint(pt), CPoint(0, 20));
    pt = {12, 36};
    EXPECT_EQ(narrow.HitTestPin(&pt), PIN_HIT_OUTPUT + 1);
    EXPECT_EQ(CPoint(pt), CPoint(5, 35));
    pt = {30, 30};
    EXPECT_EQ(narrow.HitTestPin(&pt), PIN_HIT_NONE);
    EXPECT_EQ(CPoint(pt), CPoint(30, 30));

    // A pin whose first 48 slots are taken is not offered, even though later
    // slots are free; the pin under the point still decides.
    FillSlots(narrow.m_pInputs[0], &line, TRACKPIN_NEW_LINE_SLOTS);
    EXPECT_EQ(narrow.FindFreeLineSlot(&narrow.m_pInputs[0]), -1);
    EXPECT_TRUE(narrow.IsPinConnected(&narrow.m_pInputs[0]));
    pt = {3, 20};
    EXPECT_EQ(narrow.HitTestPin(&pt), PIN_HIT_NONE);
    narrow.m_pInputs[0].m_pLines[47] = nullptr;
    EXPECT_EQ(narrow.HitTestPin(&pt), 1);

    // Objects of type 5 may use every slot.
    PlainObject hub(0, 0, 1, 0, TRACK_TYPE_WIDE_PINS);
    FillSlots(hub.m_pInputs[0], &line, TRACKPIN_NEW_LINE_SLOTS);
    EXPECT_EQ(hub.FindFreeLineSlot(&hub.m_pInputs[0]), TRACKPIN_NEW_LINE_SLOTS);
    FillSlots(hub.m_pInputs[0], &line, TRACKPIN_LINE_SLOTS);
    EXPECT_EQ(hub.FindFreeLineSlot(&hub.m_pInputs[0]), -1);

    EXPECT_TRUE(hub.RemoveLine(&line));
    EXPECT_FALSE(hub.IsPinConnected(&hub.m_pInputs[0]));
    EXPECT_FALSE(hub.RemoveLine(&line));
}

TEST_F(TrackObjectTest, HitCodesAndHandles)
{
    auto* pIn = Make<CTEProcIN>(10, 10, &m_Document, 0, nullptr);  // (10,10)-(70,35)
    EXPECT_EQ(pIn->HitCode({10, 10}), HIT_BODY);
    EXPECT_EQ(pIn->HitCode({69, 34}), HIT_BODY);
    EXPECT_EQ(pIn->HitCode({70, 20}), HIT_NONE);
    EXPECT_EQ(pIn->HitCode({40, 35}), HIT_NONE);
    EXPECT_EQ(pIn->HitCode({9, 20}), HIT_NONE);
    EXPECT_EQ(pIn->HitCode({40, 9}), HIT_NONE);
    EXPECT_EQ(pIn->OuterRect(), pIn->m_rcPos);

    PlainObject box(0, 0, 0, 0);
    box.SetPosition(0, 0, 10, 40);
    EXPECT_EQ(box.EffectiveHandleSize(), 5);
    box.SetPosition(0, 0, 20, 40);
    EXPECT_EQ(box.HandleMask(), 0x0Fu | 0xA0u);
    box.SetPosition(0, 0, 40, 10);
    EXPECT_EQ(box.HandleMask(), 0x0Fu | 0x50u);

    box.m_nTrackStyle = STYLE_HANDLES_INSIDE;
    box.SetPosition(0, 0, 100, 60);
    ExpectRect(box.HandleRect(HIT_TOPLEFT), 0, 0, 6, 6);
    ExpectRect(box.HandleRect(HIT_BOTTOMRIGHT), 94, 54, 100, 60);
    ExpectRect(box.HandleRect(HIT_TOP), 47, 0, 53, 6);
    ExpectRect(box.HandleRect(HIT_RIGHT), 94, 27, 100, 33);
    EXPECT_EQ(box.HitCode({1, 1}), HIT_TOPLEFT);
    EXPECT_EQ(box.HitCode({50, 30}), HIT_BODY);
    EXPECT_EQ(box.HitCode({100, 30}), HIT_NONE);

    // Tracking may turn the rectangle inside out: handles keep their places.
    box.SetPosition(100, 60, 0, 0);
    EXPECT_EQ(box.FlipHandleCode(HIT_TOPLEFT), HIT_BOTTOMRIGHT);
    EXPECT_EQ(box.FlipHandleCode(HIT_TOP), HIT_BOTTOM);
    ExpectRect(box.HandleRect(HIT_TOPLEFT), 94, 54, 100, 60);
}

TEST_F(TrackObjectTest, SnapToGridClampsNegativesAndRoundsHalvesAway)
{
    EXPECT_EQ(SnapToGrid(-3, 17, 10), CPoint(0, 20));
    EXPECT_EQ(SnapToGrid(-3, 17, 1), CPoint(0, 17));
    EXPECT_EQ(SnapToGrid(-3, 17, 0), CPoint(0, 17));
    EXPECT_EQ(SnapToGrid(6, 5, 4), CPoint(8, 4));
    EXPECT_EQ(SnapToGrid(12, 13, 5), CPoint(10, 15));
    EXPECT_EQ(SnapToGrid(7, 8, 5), CPoint(5, 10));
    EXPECT_EQ(SnapToGrid(15, 14, 10), CPoint(20, 10));
    POINT pt;
    SnapToGrid(&pt, -20, 7, 5);
    EXPECT_EQ(CPoint(pt), CPoint(0, 5));
    // The far end of the range snaps to a multiple that exists.
    EXPECT_EQ(SnapToGrid(INT_MAX, 0, 10), CPoint(INT_MAX / 10 * 10, 0));

    EXPECT_EQ(RoundHalfAway(2.5), 3);
    EXPECT_EQ(RoundHalfAway(-2.5), -3);
    EXPECT_EQ(RoundHalfAway(-2.4), -2);
    EXPECT_EQ(RoundHalfAway(1e12), INT_MAX);
}

TEST_F(TrackObjectTest, SizesKeepTheLimit)
{
    auto* pIn = Make<CTEProcIN>(10, 10, &m_Document, 0, nullptr);
    EXPECT_EQ(pIn->m_sizeLimit, CSize(60, 25));
    pIn->SetSize(CSize(30, 10));
    EXPECT_EQ(pIn->m_rcPos, CRect(10, 10, 70, 35));
    pIn->SetSize(CSize(100, 40));
    EXPECT_EQ(pIn->m_rcPos, CRect(10, 10, 110, 50));
    ExpectRect(pIn->m_pOutputs[0].m_rcPin, 106, 17, 113, 24);

    try {
        PlainObject crowded(0, 0, TRACK_MAX_PINS + 1, 1);
        ADD_FAILURE() << "an object with too many pins was built";
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
}

TEST_F(TrackObjectTest, LinesForgetADeletedObject)
{
    CLineItem line;
    auto* pIn = Make<CTEProcIN>(10, 10, &m_Document, 0, nullptr);
    auto* pOut = Make<CTEProcOUT>(200, 10, &m_Document, 0, nullptr);
    pIn->m_pOutputs[0].m_pLines[3] = &line;
    pOut->m_pInputs[0].m_pLines[0] = &line;
    line.m_pSource = pIn;
    line.m_pTarget = pOut;

    Delete(pIn);
    EXPECT_EQ(line.m_pSource, nullptr);
    EXPECT_EQ(line.m_pTarget, pOut);
    Delete(pOut);
    EXPECT_EQ(line.m_pTarget, nullptr);
}

}  // namespace
