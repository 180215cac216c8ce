// What blocks look like, read back from the bitmap they drew into: body and
// raised frame, pin colours, the selection frame, and each kind's caption and
// value text compared with the same texts drawn directly in the block fonts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "BlockTestSupport.h"
#include "gdi_internal.h"
#include "plsurface.h"
#include "blocks/CTEProcCalIN.h"
#include "blocks/CTEProcFUNC.h"
#include "blocks/CTEProcIN.h"
#include "blocks/CTEProcOUT.h"
#include "blocks/CTEProcRTC.h"
#include "lines/CLineItem.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBody = RGB(156, 154, 156);
const COLORREF kFreePin = RGB(30, 30, 230);
const COLORREF kConnectedPin = RGB(0, 30, 120);

// Texts drawn directly where a block puts them, with the block fonts.
struct Face {
    const char* pszCaption;
    POINT ptCaption;
    const char* pszValue;  // null: the kind shows no value
    POINT ptValue;
};

void DrawText(CDC* pDC, const char* pszFont, const char* pszText, POINT pt)
{
    CFont* pOld = pDC->SelectObject(CFont::FromHandle(a_GetFont(pszFont)));
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(pt.x, pt.y, pszText);
    pDC->SelectObject(pOld);
}

// Pixels of the block (at its place on `drawn`) that differ from `face`
// (drawn at the origin), leaving out the edge columns the pins cover.
int FaceDifferences(const Canvas& drawn, const CTETrackObject& block, const Canvas& face)
{
    const CRect& rc = block.m_rcPos;
    std::vector<COLORREF> a = drawn.Pixels(CRect(rc.left + 4, rc.top, rc.right - 4, rc.bottom));
    std::vector<COLORREF> b = face.Pixels(CRect(4, 0, rc.Width() - 4, rc.Height()));
    int differences = 0;
    for (size_t i = 0; i < a.size(); ++i)
        differences += a[i] != b[i];
    return differences;
}

int InkPixels(const Canvas& face, const Canvas& body, const RECT& rc)
{
    std::vector<COLORREF> a = face.Pixels(rc);
    std::vector<COLORREF> b = body.Pixels(rc);
    int ink = 0;
    for (size_t i = 0; i < a.size(); ++i)
        ink += a[i] != b[i];
    return ink;
}

class BlockDrawTest : public BlockTest {
protected:
    // Draws the block on a canvas and expects exactly its body with the texts
    // of `face`, texts that leave ink where they are drawn, and no drawing
    // object or DC left behind.
    void ExpectFace(CTETrackObject* pBlock, const Face& face)
    {
        SCOPED_TRACE(pBlock->CTrackObject::m_szName);
        Canvas drawn(200, 100);
        pBlock->Draw(drawn.DC());  // the first paint creates what is kept
        size_t objects = PlGdiLiveObjectCount();
        size_t dcs = PlGdiLiveDcCount();
        pBlock->Draw(drawn.DC());
        EXPECT_EQ(PlGdiLiveObjectCount(), objects);
        EXPECT_EQ(PlGdiLiveDcCount(), dcs);

        int w = pBlock->m_rcPos.Width();
        int h = pBlock->m_rcPos.Height();
        Canvas body(w, h);
        pBlock->DrawBody(body.DC());
        Canvas expected(w, h);
        pBlock->DrawBody(expected.DC());
        DrawText(expected.DC(), "Small Fonts,5", face.pszCaption, face.ptCaption);
        EXPECT_GT(InkPixels(expected, body, CRect(face.ptCaption, CSize(w - face.ptCaption.x, 9))), 0);
        if (face.pszValue != nullptr) {
            DrawText(expected.DC(), "Small Fonts,7", face.pszValue, face.ptValue);
            EXPECT_GT(InkPixels(expected, body, CRect(face.ptValue, CSize(w - face.ptValue.x, 11))), 0);
        }
        EXPECT_EQ(FaceDifferences(drawn, *pBlock, expected), 0);
    }
};

TEST_F(BlockDrawTest, BodyFrameAndSelection)
{
    auto* pIn = Make<CTEProcIN>(20, 20, &m_Document, 0, nullptr);  // (20,20)-(80,45)
    pIn->m_bSelected = FALSE;
    Canvas canvas(200, 100);
    pIn->Draw(canvas.DC());
    EXPECT_EQ(canvas.Pixel(50, 42), kBody);
    EXPECT_EQ(canvas.Pixel(20, 25), RGB(156, 158, 156));  // outer light
    EXPECT_EQ(canvas.Pixel(25, 20), RGB(156, 158, 156));
    EXPECT_EQ(canvas.Pixel(21, 25), kWhite);  // inner highlight
    EXPECT_EQ(canvas.Pixel(25, 21), kWhite);
    EXPECT_EQ(canvas.Pixel(79, 40), kBlack);  // outer shadow
    EXPECT_EQ(canvas.Pixel(25, 44), kBlack);
    EXPECT_EQ(canvas.Pixel(78, 40), RGB(74, 77, 74));  // inner shadow
    EXPECT_EQ(canvas.Pixel(25, 43), RGB(74, 77, 74));
    for (POINT pt : {POINT{19, 30}, POINT{50, 19}, POINT{80, 40}, POINT{50, 45}})
        EXPECT_EQ(canvas.Pixel(pt.x, pt.y), kWhite);

    pIn->m_bSelected = TRUE;
    size_t objects = PlGdiLiveObjectCount();
    pIn->Draw(canvas.DC());
    EXPECT_EQ(PlGdiLiveObjectCount(), objects) << "the frame pen goes with the paint";
    for (POINT pt : {POINT{19, 30}, POINT{50, 19}, POINT{80, 40}, POINT{50, 45}})
        EXPECT_EQ(canvas.Pixel(pt.x, pt.y), kRed);
    EXPECT_EQ(canvas.Pixel(18, 30), kWhite);
}

// Pens and brushes are kept per colour up to a limit; past it each paint
// makes its own. Either way every body shows its colour, and painting the
// same blocks again leaves no object behind.
TEST_F(BlockDrawTest, BodiesInManyColoursPaintTheirColourWithoutLeavingObjects)
{
    auto* pIn = Make<CTEProcIN>(20, 20, &m_Document, 0, nullptr);
    pIn->m_bSelected = FALSE;
    Canvas canvas(200, 100);
    auto paintAll = [&] {
        for (int i = 0; i < 100; ++i) {
            const COLORREF color = RGB(i, 255 - i, (i * 7) & 0xFF);
            pIn->m_crBody = color;
            pIn->m_crFrameShadow = RGB(255 - i, i, 3);
            pIn->Draw(canvas.DC());
            ASSERT_EQ(canvas.Pixel(50, 42), color) << i;
            ASSERT_EQ(canvas.Pixel(79, 40), RGB(255 - i, i, 3)) << i;
        }
    };
    paintAll();
    const size_t objects = PlGdiLiveObjectCount();
    paintAll();
    EXPECT_EQ(PlGdiLiveObjectCount(), objects);
}

TEST_F(BlockDrawTest, PinColoursFollowTheirLines)
{
    CLineItem line;
    auto* pIn = Make<CTEProcIN>(20, 20, &m_Document, 0, nullptr);   // output pin (76,27)-(83,34)
    auto* pOut = Make<CTEProcOUT>(120, 20, &m_Document, 0, nullptr);  // input pin (117,27)-(124,34)
    Canvas canvas(200, 100);
    pIn->Draw(canvas.DC());
    pOut->Draw(canvas.DC());
    EXPECT_EQ(canvas.Pixel(79, 30), kFreePin);
    EXPECT_EQ(canvas.Pixel(120, 30), kFreePin);
    EXPECT_EQ(canvas.Pixel(76, 27), kBlack);
    EXPECT_EQ(canvas.Pixel(82, 33), kBlack);
    EXPECT_EQ(canvas.Pixel(123, 30), kBlack);

    pIn->m_pOutputs[0].m_pLines[5] = &line;
    pOut->m_pInputs[0].m_pLines[0] = &line;
    pIn->Draw(canvas.DC());
    pOut->Draw(canvas.DC());
    EXPECT_EQ(canvas.Pixel(79, 30), kConnectedPin);
    EXPECT_EQ(canvas.Pixel(120, 30), kConnectedPin);
    EXPECT_EQ(canvas.Pixel(76, 27), kBlack);
    Delete(pIn);
    Delete(pOut);
}

TEST_F(BlockDrawTest, EachKindShowsItsCaptionAndValue)
{
    auto* pInC = Make<CTEProcIN>(20, 20, &m_Document, 1, nullptr);
    pInC->m_fValue = 7.6f;
    ExpectFace(pInC, {"IC_1", {3, 2}, "C=7.60  ", {18, 9}});

    auto* pIn = Make<CTEProcIN>(20, 20, &m_Document, 0, nullptr);
    pIn->m_fValue = 7.6f;
    ExpectFace(pIn, {"II_1", {3, 2}, "NC", {23, 9}});
    pIn->m_bAssigned = TRUE;
    ExpectFace(pIn, {"II_1", {3, 2}, "  7.60", {23, 9}});

    auto* pCal = Make<CTEProcCalIN>(20, 20, &m_Document, 0, nullptr);
    pCal->m_fValue = 0.7f;
    ExpectFace(pCal, {"CI_1", {3, 2}, "0", {33, 9}});
    pCal->m_fValue = -1.2f;
    ExpectFace(pCal, {"CI_1", {3, 2}, "1", {33, 9}});

    auto* pOut = Make<CTEProcOUT>(20, 20, &m_Document, 0, nullptr);
    ExpectFace(pOut, {"IO_1", {36, 2}, "NC  0.00", {13, 7}});
    pOut->m_bAssigned = TRUE;
    pOut->m_fValue = 3.25f;
    ExpectFace(pOut, {"IO_1", {36, 2}, " 3.25", {13, 7}});

    auto* pFunc = Make<CTEProcFUNC>(20, 20, &m_Document, 2, "PLUS", nullptr);
    ExpectFace(pFunc, {"PLUS", {15, 2}, nullptr, {}});

    auto* pClock = Make<CTEProcRTC>(20, 20, &m_Document, 0, "Mon", nullptr);
    pClock->m_fValue = 7.6f;
    ExpectFace(pClock, {"Mon", {3, 2}, "   8", {23, 9}});
}

// Blocks draw their faces straight onto a colour canvas: what the canvas
// held under a block never shows through, a caption too long for its block
// is cut at the block's edge, and the canvas DC keeps its origin, clip and
// the attributes the pins leave alone. A monochrome target still gets a face of its own kind.
TEST_F(BlockDrawTest, AFaceCoversItsBlockAndStaysInsideIt)
{
    auto* pIn = Make<CTEProcIN>(20, 20, &m_Document, 0, "AVeryLongNameForSoSmallABlock");
    Canvas drawn(200, 100);
    drawn.DC()->FillSolidRect(0, 0, 200, 100, kRed);
    CDC* pDC = drawn.DC();
    pDC->SetBkColor(kBlack);
    pDC->SetViewportOrg(3, 4);
    pDC->SetTextAlign(TA_RIGHT);
    pIn->Draw(pDC);
    EXPECT_EQ(pDC->GetBkColor(), kBlack);
    EXPECT_EQ(pDC->GetViewportOrg(), CPoint(3, 4));
    EXPECT_EQ(pDC->GetTextAlign(), static_cast<UINT>(TA_RIGHT));
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    EXPECT_EQ(rcClip, CRect(-3, -4, 197, 96)) << "no clip left behind";
    pDC->SetViewportOrg(0, 0);  // pixels are read in device coordinates

    const CRect rc(pIn->m_rcPos + CPoint(3, 4));
    EXPECT_EQ(drawn.Pixel(rc.left + rc.Width() / 2, rc.bottom - 4), kBody);
    int spilled = 0;
    for (int x = rc.right + 6; x < 200; ++x) {
        for (int y = rc.top; y < rc.top + 10; ++y)
            spilled += drawn.Pixel(x, y) != kRed;
    }
    EXPECT_EQ(spilled, 0) << "the caption runs on beyond the block";

    CDC mono;
    mono.CreateCompatibleDC(nullptr);  // holds a 1 x 1 monochrome bitmap
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(100, 60, 1, 1, nullptr));
    CBitmap* pOld = mono.SelectObject(&bitmap);
    mono.FillSolidRect(0, 0, 100, 60, kWhite);
    pIn->Draw(&mono);
    EXPECT_EQ(mono.GetPixel(50, 42), kWhite) << "the grey body maps to white";
    EXPECT_EQ(mono.GetPixel(79, 40), kBlack) << "the shadow stays black";
    mono.SelectObject(pOld);
}

TEST_F(BlockDrawTest, OneOfEachKindSideBySide)
{
    auto* pIn = Make<CTEProcIN>(10, 12, &m_Document, 0, nullptr);
    pIn->m_bAssigned = TRUE;
    pIn->m_fValue = 12.5f;
    auto* pInC = Make<CTEProcIN>(85, 12, &m_Document, 1, nullptr);
    pInC->m_fValue = -3.25f;
    Make<CTEProcCalIN>(160, 12, &m_Document, 0, nullptr)->m_fValue = 1.0f;
    Make<CTEProcOUT>(235, 12, &m_Document, 0, nullptr);
    Make<CTEProcFUNC>(310, 12, &m_Document, 3, "GREATER_OR_EQUAL", nullptr)->m_bSelected = TRUE;
    Make<CTEProcRTC>(385, 12, &m_Document, 0, "Mon", nullptr)->m_fValue = 7.6f;

    Canvas canvas(460, 60);
    for (auto& block : m_Blocks)
        block->Draw(canvas.DC());
    // Tests run in the build folder; the variable says so where it is set.
    const char* pszBinary = std::getenv("OVINTA_BINARY_DIR");
    std::filesystem::path folder = std::filesystem::path(pszBinary != nullptr ? pszBinary : ".") / "blocks";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(PlWriteBitmapPng(canvas.Bitmap(), (folder / "blocks.png").c_str()));
}

}  // namespace
