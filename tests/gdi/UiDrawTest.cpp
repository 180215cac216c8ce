// Filled rectangles, frames, inversions, edges, system colours and the
// rectangle helpers.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

TEST(GdiUiDraw, FillAndFrameTakeBrushesOrSystemColourIndexes)
{
    TestBitmap canvas(6, 5);
    SetROP2(canvas.dc, R2_XORPEN);  // ignored: fills copy the brush
    RECT r{1, 1, 5, 4};
    EXPECT_TRUE(FillRect(canvas.dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(12, canvas.count(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(r, canvas.inkBounds());

    HBRUSH black = CreateSolidBrush(kBlack);
    RECT frame{0, 0, 6, 5};
    FrameRect(canvas.dc, &frame, black);
    EXPECT_EQ("######\n#....#\n#....#\n#....#\n######\n", canvas.art(kBlack));
    DeleteObject(black);

    RECT inverted{5, 4, 1, 1};
    EXPECT_TRUE(FillRect(canvas.dc, &inverted, GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_EQ(12, canvas.count(GetSysColor(COLOR_BTNFACE)));
}

TEST(GdiUiDraw, InversionsUndoThemselves)
{
    TestBitmap canvas(8, 6, RGB(30, 60, 90));
    RECT r{1, 1, 7, 5};
    InvertRect(canvas.dc, &r);
    EXPECT_EQ(RGB(225, 195, 165), canvas.at(1, 1));
    InvertRect(canvas.dc, &r);
    EXPECT_EQ(48, canvas.count(RGB(30, 60, 90)));

    DrawFocusRect(canvas.dc, &r);
    EXPECT_EQ("........\n"
              ".#.#.#..\n"
              "......#.\n"
              ".#......\n"
              "..#.#.#.\n"
              "........\n",
              canvas.art(RGB(225, 195, 165)));
    DrawFocusRect(canvas.dc, &r);
    EXPECT_EQ(48, canvas.count(RGB(30, 60, 90)));
}

TEST(GdiUiDraw, EdgesUseTheThreeDimensionalColours)
{
    TestBitmap canvas(6, 6);
    RECT r{0, 0, 6, 6};
    DrawEdge(canvas.dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ((RECT{2, 2, 4, 4}), r);
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), canvas.at(0, 0));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), canvas.at(5, 5));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), canvas.at(5, 0));  // top-right corner
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.at(1, 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.at(4, 4));
    EXPECT_EQ(kWhite, canvas.at(2, 2));

    RECT sunken{0, 0, 6, 6};
    DrawEdge(canvas.dc, &sunken, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.at(3, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.at(3, 5));
}

TEST(GdiUiDraw, ClassicGreySchemeColours)
{
    EXPECT_EQ(RGB(212, 208, 200), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(255, 255, 255), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(0u, GetSysColor(99));
    EXPECT_EQ(nullptr, GetSysColorBrush(99));
}

TEST(GdiRects, HelpersFollowTheHalfOpenRules)
{
    RECT a{0, 0, 10, 10}, b{10, 0, 20, 10}, out{1, 1, 1, 1};
    EXPECT_FALSE(IntersectRect(&out, &a, &b));
    EXPECT_TRUE(IsRectEmpty(&out));
    RECT c{5, 5, 15, 15};
    EXPECT_TRUE(IntersectRect(&out, &a, &c));
    EXPECT_EQ((RECT{5, 5, 10, 10}), out);

    RECT empty{3, 3, 3, 8};
    EXPECT_TRUE(UnionRect(&out, &a, &empty));
    EXPECT_EQ(a, out);
    UnionRect(&out, &a, &c);
    EXPECT_EQ((RECT{0, 0, 15, 15}), out);

    EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));

    RECT topCut{0, 0, 10, 4};
    EXPECT_TRUE(SubtractRect(&out, &a, &topCut));
    EXPECT_EQ((RECT{0, 4, 10, 10}), out);
    EXPECT_TRUE(SubtractRect(&out, &a, &c));  // a corner cut leaves a unchanged
    EXPECT_EQ(a, out);

    InflateRect(&out, 3, -2);
    OffsetRect(&out, 1, 1);
    EXPECT_EQ((RECT{-2, 3, 14, 9}), out);
}
