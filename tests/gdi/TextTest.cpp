// Text: alignment, extents, backgrounds, DrawText layout, the font mapping
// and the drawn symbol font. Glyph shapes are not compared, only where ink
// lands and how big things measure.
#include <gtest/gtest.h>

#include <cstring>

#include "GdiTestSupport.h"

namespace {

class FontScope {
public:
    FontScope(HDC dc, int height, const char* face, int weight = FW_NORMAL, int escapement = 0)
        : m_dc(dc),
          m_font(CreateFontA(height, 0, escapement, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face)),
          m_old(SelectObject(dc, m_font))
    {
    }
    ~FontScope()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_font);
    }
    HFONT font() const { return m_font; }

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_old;
};

SIZE Extent(HDC dc, const char* text)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size);
    return size;
}

}  // namespace

TEST(GdiText, ExtentGrowsWithTheTextAndMatchesTheMetrics)
{
    TestBitmap canvas(10, 10);
    FontScope font(canvas.dc, -11, "Tahoma");
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_GE(tm.tmHeight, 11);
    SIZE one = Extent(canvas.dc, "Input");
    SIZE two = Extent(canvas.dc, "Input 2");
    EXPECT_GT(one.cx, 10);
    EXPECT_GT(two.cx, one.cx);
    EXPECT_EQ(tm.tmHeight, one.cy);
    EXPECT_EQ(0, Extent(canvas.dc, "").cx);

    // A positive height asks for the cell height, a negative one for the em.
    FontScope cell(canvas.dc, 16, "Arial");
    GetTextMetricsA(canvas.dc, &tm);
    EXPECT_NEAR(16, tm.tmHeight, 1);
    {
        FontScope bold(canvas.dc, -11, "Tahoma", FW_BOLD);
        SIZE boldSize = Extent(canvas.dc, "Input");
        EXPECT_GT(boldSize.cx, one.cx);
    }
}

TEST(GdiText, SmallFontsIsSetNarrowerAtTheSameHeight)
{
    // Block captions are laid out for a narrow label face; a wider stand-in
    // would run captions into pins and values.
    TestBitmap canvas(10, 10);
    SIZE small{}, wide{};
    {
        FontScope font(canvas.dc, -7, "Small Fonts");
        small = Extent(canvas.dc, "GREATER_OR_EQUAL");
    }
    {
        FontScope font(canvas.dc, -7, "Arial");
        wide = Extent(canvas.dc, "GREATER_OR_EQUAL");
    }
    EXPECT_EQ(small.cy, wide.cy);
    EXPECT_LT(small.cx * 100, wide.cx * 95);
    EXPECT_GT(small.cx * 100, wide.cx * 75);
}

TEST(GdiText, AlignmentPlacesTheTextBoxAtTheReferencePoint)
{
    TestBitmap canvas(80, 30);
    FontScope font(canvas.dc, -11, "MS Sans Serif");
    SetBkMode(canvas.dc, TRANSPARENT);
    SIZE size = Extent(canvas.dc, "Hello");

    SetTextAlign(canvas.dc, TA_RIGHT | TA_TOP);
    TextOutA(canvas.dc, 60, 5, "Hello", 5);
    RECT ink = canvas.inkBounds();
    EXPECT_LE(ink.right, 60);
    EXPECT_GE(ink.right, 57);
    EXPECT_GE(ink.left, 60 - size.cx);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + size.cy);

    canvas.clear(kWhite);
    SetTextAlign(canvas.dc, TA_CENTER | TA_BOTTOM);
    TextOutA(canvas.dc, 40, 25, "Hello", 5);
    ink = canvas.inkBounds();
    EXPECT_NEAR(40, (ink.left + ink.right) / 2, 2);
    EXPECT_LE(ink.bottom, 25);
    EXPECT_GE(ink.top, 25 - size.cy);

    canvas.clear(kWhite);
    TEXTMETRICA tm{};
    GetTextMetricsA(canvas.dc, &tm);
    SetTextAlign(canvas.dc, TA_LEFT | TA_BASELINE);
    TextOutA(canvas.dc, 5, 20, "Hx", 2);  // no descenders: ink ends on the baseline
    ink = canvas.inkBounds();
    EXPECT_EQ(20, ink.bottom);
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.left, 7);

    canvas.clear(kWhite);
    SetTextAlign(canvas.dc, TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(canvas.dc, 3, 3, nullptr);
    TextOutA(canvas.dc, 0, 0, "He", 2);
    POINT cp;
    GetCurrentPositionEx(canvas.dc, &cp);
    EXPECT_EQ(3 + Extent(canvas.dc, "He").cx, cp.x);
    EXPECT_GE(canvas.inkBounds().left, 3);
}

TEST(GdiText, OpaqueModeFillsTheTextCellTransparentLeavesTheBackground)
{
    TestBitmap canvas(60, 20);
    FontScope font(canvas.dc, -9, "Small Fonts");
    SetTextColor(canvas.dc, kBlack);
    SetBkColor(canvas.dc, kBlue);
    SIZE size = Extent(canvas.dc, "Value");
    TextOutA(canvas.dc, 4, 2, "Value", 5);
    EXPECT_EQ((RECT{4, 2, 4 + size.cx, 2 + size.cy}), canvas.inkBounds());
    EXPECT_GT(canvas.count(kBlue), size.cx * size.cy / 2);
    EXPECT_EQ(kBlue, canvas.at(4, 2));

    canvas.clear(kWhite);
    SetBkMode(canvas.dc, TRANSPARENT);
    TextOutA(canvas.dc, 4, 2, "Value", 5);
    EXPECT_EQ(0, canvas.count(kBlue));
    RECT ink = canvas.inkBounds();
    EXPECT_GT(ink.right - ink.left, size.cx / 2);

    // ETO_OPAQUE paints the rectangle in the background colour, text or not.
    canvas.clear(kWhite);
    RECT r{10, 5, 20, 8};
    ExtTextOutA(canvas.dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
    EXPECT_EQ(30, canvas.count(kBlue));
    EXPECT_EQ(r, canvas.inkBounds());

    // ETO_CLIPPED keeps the glyphs inside the rectangle.
    canvas.clear(kWhite);
    RECT narrow{4, 0, 10, 20};
    ExtTextOutA(canvas.dc, 4, 2, ETO_CLIPPED, &narrow, "Value", 5, nullptr);
    EXPECT_LE(canvas.inkBounds().right, 10);
}

TEST(GdiText, DrawTextCentresMeasuresAndHandlesPrefixes)
{
    TestBitmap canvas(80, 30);
    Selected font(canvas.dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(canvas.dc, TRANSPARENT);
    RECT box{0, 0, 80, 30};
    DrawTextA(canvas.dc, "Cards", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RECT ink = canvas.inkBounds();
    EXPECT_NEAR(40, (ink.left + ink.right) / 2, 2);
    EXPECT_NEAR(15, (ink.top + ink.bottom) / 2, 3);

    SIZE size = Extent(canvas.dc, "Cards");
    RECT measured{5, 6, 5, 6};
    int height = DrawTextA(canvas.dc, "Cards", -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(size.cy, height);
    EXPECT_EQ((RECT{5, 6, 5 + size.cx, 6 + size.cy}), measured);

    RECT prefixed{0, 0, 0, 0};
    DrawTextA(canvas.dc, "&Open", -1, &prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(Extent(canvas.dc, "Open").cx, prefixed.right);
    RECT literal{0, 0, 0, 0};
    DrawTextA(canvas.dc, "&Open", -1, &literal, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(Extent(canvas.dc, "&Open").cx, literal.right);

    // Two lines measure twice as high.
    RECT lines{0, 0, 0, 0};
    EXPECT_EQ(2 * size.cy, DrawTextA(canvas.dc, "a\nbb", -1, &lines, DT_CALCRECT));

    // Right alignment ends the text at the rectangle's right edge.
    canvas.clear(kWhite);
    RECT right{0, 0, 70, 20};
    DrawTextA(canvas.dc, "Cards", -1, &right, DT_RIGHT | DT_SINGLELINE);
    EXPECT_LE(canvas.inkBounds().right, 70);
    EXPECT_GE(canvas.inkBounds().right, 67);
}

TEST(GdiText, SymbolFontDrawsTheDecorationShapesInSquareCells)
{
    TestBitmap canvas(20, 20);
    FontScope font(canvas.dc, -13, "Marlett");
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, kRed);
    SIZE size = Extent(canvas.dc, "t");
    EXPECT_EQ(13, size.cx);
    EXPECT_EQ(13, size.cy);

    auto rowWidth = [&](int y) {
        int n = 0;
        for (int x = 0; x < 20; ++x)
            n += canvas.at(x, y) == kRed;
        return n;
    };
    TextOutA(canvas.dc, 0, 0, "t", 1);  // expanded: pointing down
    RECT ink = canvas.inkBounds();
    EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top);
    EXPECT_GT(rowWidth(ink.top), rowWidth(ink.bottom - 1));
    EXPECT_EQ(1, rowWidth(ink.bottom - 1));

    canvas.clear(kWhite);
    TextOutA(canvas.dc, 0, 0, "u", 1);  // collapsed: pointing up
    ink = canvas.inkBounds();
    EXPECT_EQ(1, rowWidth(ink.top));
    EXPECT_GT(rowWidth(ink.bottom - 1), 1);

    canvas.clear(kWhite);
    TextOutA(canvas.dc, 0, 0, "r", 1);  // close: a cross
    ink = canvas.inkBounds();
    EXPECT_EQ(ink.right - ink.left, ink.bottom - ink.top);
    EXPECT_EQ(kRed, canvas.at(ink.left, ink.top));
    EXPECT_EQ(kRed, canvas.at(ink.right - 1, ink.top));
    EXPECT_EQ(kRed, canvas.at((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2));
}

TEST(GdiText, TurnedTextRunsUpwardsFromTheReferencePoint)
{
    TestBitmap canvas(30, 80);
    FontScope font(canvas.dc, -11, "Tahoma", FW_NORMAL, 900);
    SetBkMode(canvas.dc, TRANSPARENT);
    SIZE size = Extent(canvas.dc, "Caption");
    TextOutA(canvas.dc, 5, 70, "Caption", 7);
    RECT ink = canvas.inkBounds();
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
    EXPECT_LE(ink.bottom, 70);
    EXPECT_GE(ink.top, 70 - size.cx);
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 5 + size.cy);
}

TEST(GdiText, FamiliesTheSystemNamesAreReported)
{
    int found = 0;
    auto count = [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM data) -> int {
        ++*reinterpret_cast<int*>(data);
        return 1;
    };
    EnumFontFamiliesA(nullptr, "Tahoma", count, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(1, found);
    found = 0;
    EnumFontFamiliesA(nullptr, "No Such Face", count, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(0, found);
    EnumFontFamiliesA(nullptr, nullptr, count, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(6, found);

    TestBitmap canvas(4, 4);
    char face[LF_FACESIZE];
    {
        FontScope tahoma(canvas.dc, -11, "tahoma");
        GetTextFaceA(canvas.dc, sizeof face, face);
        EXPECT_STREQ("Tahoma", face);
    }
    {
        FontScope unknown(canvas.dc, -11, "Wingdings 7");
        GetTextFaceA(canvas.dc, sizeof face, face);
        EXPECT_STREQ("DejaVu Sans", face);
    }

    // The small faces used for block labels stay distinct in size.
    FontScope five(canvas.dc, -MulDiv(5, 96, 72), "Small Fonts");
    SIZE small = Extent(canvas.dc, "ProcNoname_1");
    FontScope seven(canvas.dc, -MulDiv(7, 96, 72), "Small Fonts");
    EXPECT_GT(Extent(canvas.dc, "ProcNoname_1").cx, small.cx);
}
