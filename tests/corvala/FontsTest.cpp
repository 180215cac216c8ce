// Shared fonts: one handle per face and size, legible at the small sizes the
// blocks use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "Corvala.h"
#include "plsurface.h"
#include "windows.h"

namespace {

LONG HeightOf(HFONT font)
{
    LOGFONTA log{};
    GetObjectA(font, sizeof log, &log);
    return log.lfHeight;
}

struct InkBox {
    int pixels = 0;
    int top = 1000;
    int bottom = -1;
    int Height() const { return bottom - top + 1; }
};

InkBox DrawAndMeasure(HFONT font, const char* text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(80, 30, 1, 32, nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 80, 30, WHITENESS);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 2, 2, text, int(std::strlen(text)));
    SelectObject(dc, oldFont);

    InkBox box;
    SIZE size{};
    const uint32_t* bits = PlBitmapBits(bitmap, &size);
    for (int y = 0; bits && y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if ((bits[y * size.cx + x] & 0xFF) < 160) {
                ++box.pixels;
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return box;
}

}  // namespace

TEST(Fonts, OneHandlePerFaceAndSizeWhateverTheCaseOrBlanks)
{
    HFONT small5 = a_GetFont("Small Fonts,5");
    ASSERT_NE(small5, nullptr);
    EXPECT_EQ(a_GetFont("small fonts,5"), small5);
    EXPECT_EQ(a_GetFont(" SMALL FONTS , 5 "), small5);
    EXPECT_NE(a_GetFont("Small Fonts,6"), small5);

    EXPECT_EQ(HeightOf(small5), -7) << "5 points at 96 dpi";
    EXPECT_EQ(HeightOf(a_GetFont("ms sans serif,8")), -11);
}

TEST(Fonts, MissingOrBadSizesFallBackToEightPoints)
{
    HFONT eight = a_GetFont("Small Fonts,8");
    EXPECT_EQ(a_GetFont("Small Fonts"), eight);
    EXPECT_EQ(a_GetFont("Small Fonts,"), eight);
    EXPECT_EQ(a_GetFont("Small Fonts,abc"), eight);
    EXPECT_EQ(a_GetFont("Small Fonts,-3"), eight);
    EXPECT_EQ(a_GetFont("Small Fonts,99999999"), eight);

    HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(a_GetFont(""), gui);
    EXPECT_EQ(a_GetFont(nullptr), gui);
    EXPECT_NE(a_GetFont(",5"), nullptr);
}

TEST(Fonts, SmallSizesDrawLegibleText)
{
    InkBox small = DrawAndMeasure(a_GetFont("Small Fonts,5"), "Hg8");
    EXPECT_GT(small.pixels, 15);
    EXPECT_GE(small.Height(), 6) << "capital and descender span most of the 7-pixel height";
    EXPECT_LE(small.Height(), 9);

    InkBox large = DrawAndMeasure(a_GetFont("ms sans serif,8"), "Hg8");
    EXPECT_GT(large.Height(), small.Height());
    EXPECT_GT(large.pixels, small.pixels);
}
