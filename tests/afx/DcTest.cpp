// Device-context wrappers: selection with temporary wrappers, the 3D frame,
// solid fills and the XOR drag rectangle, on a memory bitmap.
#include <gtest/gtest.h>

#include <vector>

#include "AfxTestSupport.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class DcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        // A fresh memory DC holds a monochrome bitmap; draw in colour.
        ASSERT_TRUE(m_bitmap.CreateBitmap(40, 30, 1, 32, nullptr));
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, 40, 30, kWhite);
    }
    void TearDown() override
    {
        m_dc.SelectObject(m_pOldBitmap);
        PlAfxIdle(1);
    }

    std::vector<COLORREF> Pixels()
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 40; x++)
                pixels.push_back(m_dc.GetPixel(x, y));
        return pixels;
    }

    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};

TEST_F(DcTest, SelectObjectReturnsThePreviousObjectAsAWrapperOfItsClass)
{
    CPen pen(PS_SOLID, 1, kRed);
    CPen* pOldPen = m_dc.SelectObject(&pen);
    ASSERT_NE(pOldPen, nullptr);
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(pOldPen->m_hObject, ::GetStockObject(BLACK_PEN));
    // Selecting the old pen back hands out the permanent wrapper of ours.
    EXPECT_EQ(m_dc.SelectObject(pOldPen), &pen);

    CGdiObject* pOldBrush = m_dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(pOldBrush, nullptr);
    EXPECT_TRUE(pOldBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(m_dc.GetCurrentBrush()->m_hObject, ::GetStockObject(NULL_BRUSH));
    m_dc.SelectObject(pOldBrush);
}

TEST_F(DcTest, Draw3dRectPutsTheCornersOfTheOtherSideInTheSecondColour)
{
    m_dc.Draw3dRect(CRect(2, 2, 12, 8), kRed, kBlue);
    EXPECT_EQ(m_dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(m_dc.GetPixel(10, 2), kRed);   // top edge, one short of the corner
    EXPECT_EQ(m_dc.GetPixel(11, 2), kBlue);  // top-right corner
    EXPECT_EQ(m_dc.GetPixel(2, 6), kRed);    // left edge
    EXPECT_EQ(m_dc.GetPixel(2, 7), kBlue);   // bottom-left corner
    EXPECT_EQ(m_dc.GetPixel(11, 7), kBlue);
    EXPECT_EQ(m_dc.GetPixel(11, 5), kBlue);
    EXPECT_EQ(m_dc.GetPixel(6, 4), kWhite);  // inside untouched
    EXPECT_EQ(m_dc.GetPixel(12, 2), kWhite);  // right of the frame
    EXPECT_EQ(m_dc.GetPixel(2, 8), kWhite);   // below the frame
}

TEST_F(DcTest, FillSolidRectLeavesItsColourAsTheBackgroundColour)
{
    m_dc.SetBkColor(kRed);
    m_dc.FillSolidRect(CRect(5, 5, 8, 7), kBlue);
    EXPECT_EQ(m_dc.GetBkColor(), kBlue);
    EXPECT_EQ(m_dc.GetPixel(5, 5), kBlue);
    EXPECT_EQ(m_dc.GetPixel(7, 6), kBlue);
    EXPECT_EQ(m_dc.GetPixel(8, 6), kWhite);
    EXPECT_EQ(m_dc.GetPixel(7, 7), kWhite);
}

TEST_F(DcTest, DragRectInvertsAHalftoneBandAndDrawingItTwiceRestores)
{
    // A background that is not uniform, so that restoring is meaningful.
    for (int y = 0; y < 30; y += 3)
        m_dc.FillSolidRect(0, y, 40, 1, RGB(0, 128, 64));
    std::vector<COLORREF> before = Pixels();

    CRect rect(4, 4, 30, 24);
    CSize size(3, 3);
    m_dc.DrawDragRect(&rect, size, nullptr, size);
    std::vector<COLORREF> drawn = Pixels();
    EXPECT_NE(drawn, before);
    // Halftone: of two neighbours in the band exactly one is inverted; the
    // inside of the band and the outside stay as they were.
    EXPECT_NE(drawn[4 * 40 + 4] == before[4 * 40 + 4], drawn[4 * 40 + 5] == before[4 * 40 + 5]);
    EXPECT_EQ(drawn[12 * 40 + 15], before[12 * 40 + 15]);
    EXPECT_EQ(drawn[2 * 40 + 2], before[2 * 40 + 2]);

    m_dc.DrawDragRect(&rect, size, nullptr, size);
    EXPECT_EQ(Pixels(), before);
}

TEST_F(DcTest, DragRectMovingFromTheLastRectangleLeavesOnlyTheNewBand)
{
    std::vector<COLORREF> before = Pixels();
    CRect first(2, 2, 20, 20), second(6, 5, 36, 26);
    CSize size(2, 2);
    m_dc.DrawDragRect(&second, size, nullptr, size);
    std::vector<COLORREF> secondAlone = Pixels();
    m_dc.DrawDragRect(&second, size, nullptr, size);
    ASSERT_EQ(Pixels(), before);

    m_dc.DrawDragRect(&first, size, nullptr, size);
    m_dc.DrawDragRect(&second, size, &first, size);
    EXPECT_EQ(Pixels(), secondAlone);
}

TEST_F(DcTest, RegionsCombineAndClipThroughTheWrappers)
{
    CRgn frame, hole;
    ASSERT_TRUE(frame.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(hole.CreateRectRgn(2, 2, 8, 8));
    EXPECT_EQ(frame.CombineRgn(&frame, &hole, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(frame.RectInRegion(CRect(3, 3, 7, 7)));
    EXPECT_EQ(m_dc.SelectClipRgn(&frame), COMPLEXREGION);
    EXPECT_EQ(m_dc.SelectClipRgn(&hole, RGN_OR), SIMPLEREGION) << "the hole filled";
    EXPECT_EQ(m_dc.SelectClipRgn(&hole, RGN_DIFF), COMPLEXREGION);
    m_dc.FillSolidRect(0, 0, 40, 30, kRed);
    m_dc.SelectClipRgn(nullptr);
    EXPECT_EQ(m_dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(m_dc.GetPixel(5, 5), kWhite);
    EXPECT_EQ(m_dc.GetPixel(15, 15), kWhite);
    EXPECT_EQ(frame.OffsetRgn(CPoint(5, 5)), COMPLEXREGION);
    EXPECT_TRUE(frame.PtInRegion(5, 5));
    EXPECT_FALSE(frame.PtInRegion(10, 10));
    CRgn copy;
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(copy.CombineRgn(&hole, nullptr, RGN_COPY), SIMPLEREGION);
}

TEST_F(DcTest, PointFontsConvertTenthsOfAPointWithTheDevicesPixelsPerInch)
{
    int dpi = m_dc.GetDeviceCaps(LOGPIXELSY);
    ASSERT_GT(dpi, 0);
    m_dc.SetViewportOrg(-50, -70);  // an origin does not change a height
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(85, "Tahoma", &m_dc));
    LOGFONT lf;
    ASSERT_EQ(font.GetLogFont(&lf), (int)sizeof(LOGFONT));
    EXPECT_EQ(lf.lfHeight, -MulDiv(dpi, 85, 720));
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");

    CFont screenFont;  // without a DC: the screen's resolution
    ASSERT_TRUE(screenFont.CreatePointFont(100, "Marlett"));
    screenFont.GetLogFont(&lf);
    HDC hScreen = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(lf.lfHeight, -MulDiv(::GetDeviceCaps(hScreen, LOGPIXELSY), 100, 720));
    ::DeleteDC(hScreen);
    EXPECT_FALSE(CFont().CreatePointFont(100, nullptr));
}

TEST(TemporaryWrappers, LiveUntilTheMapsAreUnlockedAtIdle)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, kRed);
    int before = PlAfxTemporaryCount();
    CPen* pTemp = CPen::FromHandle(hPen);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(CPen::FromHandle(hPen), pTemp);  // one wrapper per handle
    EXPECT_EQ(PlAfxTemporaryCount(), before + 1);

    // A locked map keeps them across idle time.
    AfxLockTempMaps();
    PlAfxIdle(1);
    EXPECT_EQ(PlAfxTemporaryCount(), before + 1);
    EXPECT_FALSE(AfxUnlockTempMaps(TRUE));
    EXPECT_EQ(PlAfxTemporaryCount(), 0);

    // Deleting the wrapper left the pen alone.
    EXPECT_EQ(::GetObjectType(hPen), (DWORD)OBJ_PEN);
    ::DeleteObject(hPen);
}

}  // namespace
