// Pattern brushes and block transfers.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

const WORD kHatchRows[8] = {0x1111, 0x2222, 0x4444, 0x8888, 0x1111, 0x2222, 0x4444, 0x8888};

HBRUSH MakeHatchBrush()
{
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, kHatchRows);
    HBRUSH brush = CreatePatternBrush(bits);
    DeleteObject(bits);  // the brush keeps its own copy
    return brush;
}

}  // namespace

TEST(GdiBrushes, MonochromePatternTakesTextColourForClearBitsAndBackgroundForSetBits)
{
    TestBitmap canvas(8, 4);
    HBRUSH hatch = MakeHatchBrush();
    ASSERT_NE(nullptr, hatch);
    Selected selected(canvas.dc, hatch);
    PatBlt(canvas.dc, 0, 0, 8, 4, PATCOPY);
    EXPECT_EQ("###.###.\n"
              "##.###.#\n"
              "#.###.##\n"
              ".###.###\n",
              canvas.art(kBlack));

    SetTextColor(canvas.dc, kBlue);
    SetBkColor(canvas.dc, kRed);
    SetBrushOrgEx(canvas.dc, 1, 0, nullptr);
    PatBlt(canvas.dc, 0, 0, 8, 1, PATCOPY);
    EXPECT_EQ(".###.###\n", canvas.art(kBlue, RECT{0, 0, 8, 1}));
    EXPECT_EQ("#...#...\n", canvas.art(kRed, RECT{0, 0, 8, 1}));
    SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(hatch));
}

TEST(GdiBrushes, PatternsAreAnchoredToTheDeviceNotToTheShape)
{
    TestBitmap canvas(16, 4);
    HBRUSH hatch = MakeHatchBrush();
    Selected selected(canvas.dc, hatch);
    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    Rectangle(canvas.dc, 0, 0, 5, 5);
    Rectangle(canvas.dc, 3, 0, 17, 5);
    EXPECT_EQ("###.###.###.###.\n", canvas.art(kBlack, RECT{0, 0, 16, 1}));
    SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    DeleteObject(hatch);
}

TEST(GdiBlits, PatBltAcceptsAnyRasterOperationWithoutSource)
{
    TestBitmap canvas(4, 1, RGB(10, 20, 30));
    HBRUSH brush = CreateSolidBrush(RGB(0xF0, 0x0F, 0x55));
    Selected selected(canvas.dc, brush);
    PatBlt(canvas.dc, 0, 0, 1, 1, PATINVERT);
    EXPECT_EQ(RGB(10 ^ 0xF0, 20 ^ 0x0F, 30 ^ 0x55), canvas.at(0, 0));
    PatBlt(canvas.dc, 1, 0, 1, 1, 0x000F0001);  // the inverted pattern
    EXPECT_EQ(RGB(0x0F, 0xF0, 0xAA), canvas.at(1, 0));
    PatBlt(canvas.dc, 2, 0, 1, 1, DSTINVERT);
    PatBlt(canvas.dc, 2, 0, 1, 1, DSTINVERT);
    EXPECT_EQ(RGB(10, 20, 30), canvas.at(2, 0));
    PatBlt(canvas.dc, 4, 0, -1, 1, BLACKNESS);  // negative sizes extend left
    EXPECT_EQ(kBlack, canvas.at(3, 0));
    EXPECT_FALSE(PatBlt(canvas.dc, 0, 0, 1, 1, SRCCOPY));  // needs a source
    SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(GdiBlits, BitBltCopiesBetweenDcsInLogicalCoordinatesAndRespectsTheClip)
{
    TestBitmap source(10, 10);
    RECT square{2, 2, 6, 6};
    HBRUSH red = CreateSolidBrush(kRed);
    FillRect(source.dc, &square, red);
    SetViewportOrgEx(source.dc, -2, -2, nullptr);  // logical (4, 4) is pixel (2, 2)

    TestBitmap target(40, 30);
    SetViewportOrgEx(target.dc, 10, 5, nullptr);
    IntersectClipRect(target.dc, 0, 0, 3, 30);
    BitBlt(target.dc, 0, 0, 4, 4, source.dc, 4, 4, SRCCOPY);
    EXPECT_EQ((RECT{10, 5, 13, 9}), target.inkBounds());
    EXPECT_EQ(12, target.count(kRed));

    // A copy from beyond the source bitmap leaves the target alone there.
    target.clear(kWhite);
    SelectClipRgn(target.dc, nullptr);
    BitBlt(target.dc, 0, 0, 20, 20, source.dc, 4, 4, SRCCOPY);
    EXPECT_EQ((RECT{10, 5, 14, 9}), target.inkBounds());
    EXPECT_EQ(kWhite, target.at(25, 20));
    DeleteObject(red);
}

TEST(GdiBlits, BitBltCombinesSourceAndDestination)
{
    TestBitmap source(3, 1, RGB(0x0F, 0xF0, 0x33));
    TestBitmap target(3, 1, RGB(0x55, 0x55, 0xFF));
    BitBlt(target.dc, 0, 0, 1, 1, source.dc, 0, 0, SRCAND);
    BitBlt(target.dc, 1, 0, 1, 1, source.dc, 0, 0, SRCPAINT);
    BitBlt(target.dc, 2, 0, 1, 1, source.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(RGB(0x05, 0x50, 0x33), target.at(0, 0));
    EXPECT_EQ(RGB(0x5F, 0xF5, 0xFF), target.at(1, 0));
    EXPECT_EQ(RGB(0x5A, 0xA5, 0xCC), target.at(2, 0));
}

TEST(GdiBlits, MonochromeBitmapsMapToTheTargetsTextAndBackgroundColours)
{
    const WORD rows[1] = {0x00A0};  // first byte 1010 0000: pixels 1 0 1 0
    HBITMAP mono = CreateBitmap(4, 1, 1, 1, rows);
    HDC monoDc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(monoDc, mono);
    TestBitmap target(4, 1);
    SetTextColor(target.dc, kBlue);
    SetBkColor(target.dc, kRed);
    BitBlt(target.dc, 0, 0, 4, 1, monoDc, 0, 0, SRCCOPY);
    EXPECT_EQ("#.#.\n", target.art(kRed));
    EXPECT_EQ(".#.#\n", target.art(kBlue));

    // Back to monochrome: the source's background colour becomes white.
    SetBkColor(target.dc, kBlue);
    BitBlt(monoDc, 0, 0, 4, 1, target.dc, 0, 0, SRCCOPY);
    SetBkColor(target.dc, kRed);
    SetTextColor(target.dc, kBlack);
    BitBlt(target.dc, 0, 0, 4, 1, monoDc, 0, 0, SRCCOPY);
    EXPECT_EQ(".#.#\n", target.art(kRed));
    EXPECT_EQ("#.#.\n", target.art(kBlack));
    SelectObject(monoDc, old);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

TEST(GdiBlits, OverlappingCopyWithinOneBitmapReadsBeforeWriting)
{
    TestBitmap canvas(3, 6);
    for (int y = 0; y < 3; ++y)
        SetPixel(canvas.dc, 1, y, RGB(0, 0, 10 * (y + 1)));
    BitBlt(canvas.dc, 0, 1, 3, 5, canvas.dc, 0, 0, SRCCOPY);  // scroll down by one
    EXPECT_EQ(RGB(0, 0, 10), canvas.at(1, 1));
    EXPECT_EQ(RGB(0, 0, 20), canvas.at(1, 2));
    EXPECT_EQ(RGB(0, 0, 30), canvas.at(1, 3));
    EXPECT_EQ(kWhite, canvas.at(1, 4));
}

TEST(GdiBlits, SurfaceDcsDrawAtTheirOriginInsideTheirClip)
{
    HBITMAP surface = CreateBitmap(40, 30, 1, 32, nullptr);
    RECT clip{5, 5, 15, 12};
    HDC window = PlCreateSurfaceDC(surface, POINT{5, 5}, &clip);
    ASSERT_NE(nullptr, window);
    TestBitmap source(20, 20, kRed);
    BitBlt(window, -2, -2, 20, 20, source.dc, 0, 0, SRCCOPY);
    SIZE size;
    uint32_t* bits = PlBitmapBits(surface, &size);
    EXPECT_EQ(40, size.cx);
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (bits[y * 40 + x] == 0xFF0000u) {
                ++red;
                EXPECT_TRUE(x >= 5 && x < 15 && y >= 5 && y < 12) << x << "," << y;
            }
    EXPECT_EQ(70, red);

    // And the other way: from the window into memory, device (0, 0) first.
    bits[5 * 40 + 5] = 0x0000FFu;
    TestBitmap copy(2, 2);
    BitBlt(copy.dc, 0, 0, 2, 2, window, 0, 0, SRCCOPY);
    EXPECT_EQ(kBlue, copy.at(0, 0));
    EXPECT_EQ(kRed, copy.at(1, 1));
    DeleteDC(window);
    EXPECT_TRUE(DeleteObject(surface));
}
