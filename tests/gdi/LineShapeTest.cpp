// Lines and shapes: which pixels they touch, with every pen kind and the
// binary raster operations.
#include <gtest/gtest.h>

#include <functional>

#include "GdiTestSupport.h"

TEST(GdiLines, LineToLeavesOutTheEndPointAndMovesTheCurrentPosition)
{
    TestBitmap canvas(10, 10);
    MoveToEx(canvas.dc, 1, 1, nullptr);
    LineTo(canvas.dc, 5, 1);
    LineTo(canvas.dc, 5, 4);
    MoveToEx(canvas.dc, 0, 9, nullptr);
    LineTo(canvas.dc, 4, 5);
    EXPECT_EQ(".........\n"
              ".#####...\n"
              ".....#...\n"
              ".....#...\n"
              ".........\n"
              ".........\n"
              "...#.....\n"
              "..#......\n"
              ".#.......\n"
              "#........\n",
              canvas.art(kBlack, RECT{0, 0, 9, 10}));
    POINT position;
    GetCurrentPositionEx(canvas.dc, &position);
    EXPECT_EQ(4, position.x);
    EXPECT_EQ(5, position.y);

    // Polyline draws the same way but leaves the current position alone.
    TestBitmap poly(10, 4);
    POINT points[] = {{0, 0}, {3, 0}, {3, 3}};
    Polyline(poly.dc, points, 3);
    EXPECT_EQ("####\n...#\n...#\n....\n", poly.art(kBlack, RECT{0, 0, 4, 4}));
    GetCurrentPositionEx(poly.dc, &position);
    EXPECT_EQ(0, position.x);
}

// Slanted lines touch each pixel of their path once, whichever way they run
// and however the clip cuts them: inverted once, a pixel turns black; where
// two lines cross it turns back.
TEST(GdiLines, SlantedLinesTouchEachPixelOnceThroughAClipOfTwoParts)
{
    TestBitmap canvas(14, 10);
    HRGN left = CreateRectRgn(0, 0, 5, 10);
    HRGN right = CreateRectRgn(8, 0, 14, 10);
    CombineRgn(left, left, right, RGN_OR);
    SelectClipRgn(canvas.dc, left);
    SetROP2(canvas.dc, R2_NOT);
    const POINT segments[][2] = {{{0, 1}, {13, 4}}, {{13, 9}, {1, 6}}, {{2, 0}, {4, 9}}, {{11, 9}, {9, 0}}};
    for (const auto& segment : segments) {
        MoveToEx(canvas.dc, segment[0].x, segment[0].y, nullptr);
        LineTo(canvas.dc, segment[1].x, segment[1].y);
    }
    EXPECT_EQ("..#...........\n"
              "##.......#....\n"
              "..###....#....\n"
              "...#....##....\n"
              "...#......###.\n"
              "...#......#...\n"
              "..##......#...\n"
              "...#.......#..\n"
              "....#...####..\n"
              "............##\n",
              canvas.art(kBlack, RECT{0, 0, 14, 10}));
    DeleteObject(left);
    DeleteObject(right);
}

TEST(GdiLines, NotAndXorDrawnTwiceRestoreThePixels)
{
    for (int rop : {R2_NOT, R2_XORPEN}) {
        TestBitmap canvas(40, 30, RGB(12, 200, 77));
        canvas.clear(RGB(12, 200, 77));
        SetPixel(canvas.dc, 10, 10, RGB(1, 2, 3));
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(90, 0, 255));
        HPEN wide = CreatePen(PS_SOLID, 3, RGB(90, 0, 255));
        Selected selected(canvas.dc, pen);
        SetROP2(canvas.dc, rop);
        auto draw = [&] {
            MoveToEx(canvas.dc, 2, 3, nullptr);
            LineTo(canvas.dc, 35, 20);
            LineTo(canvas.dc, 10, 28);
            Rectangle(canvas.dc, 5, 5, 20, 15);
            SelectObject(canvas.dc, wide);
            MoveToEx(canvas.dc, 30, 2, nullptr);
            LineTo(canvas.dc, 31, 25);
            SelectObject(canvas.dc, pen);
        };
        draw();
        EXPECT_NE(RGB(12, 200, 77), canvas.at(2, 3));
        draw();
        EXPECT_EQ(40 * 30 - 1, canvas.count(RGB(12, 200, 77))) << rop;
        EXPECT_EQ(RGB(1, 2, 3), canvas.at(10, 10));
        SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
        DeleteObject(wide);
    }
}

TEST(GdiLines, EveryBinaryRasterOperationFollowsItsTruthTable)
{
    const uint32_t d = 0x00F0CC, p = 0x00AA33;  // COLORREF values
    const std::function<uint32_t(uint32_t, uint32_t)> expected[16] = {
        [](uint32_t, uint32_t) { return 0u; },
        [](uint32_t p, uint32_t d) { return ~(p | d); },
        [](uint32_t p, uint32_t d) { return ~p & d; },
        [](uint32_t p, uint32_t) { return ~p; },
        [](uint32_t p, uint32_t d) { return p & ~d; },
        [](uint32_t, uint32_t d) { return ~d; },
        [](uint32_t p, uint32_t d) { return p ^ d; },
        [](uint32_t p, uint32_t d) { return ~(p & d); },
        [](uint32_t p, uint32_t d) { return p & d; },
        [](uint32_t p, uint32_t d) { return ~(p ^ d); },
        [](uint32_t, uint32_t d) { return d; },
        [](uint32_t p, uint32_t d) { return ~p | d; },
        [](uint32_t p, uint32_t) { return p; },
        [](uint32_t p, uint32_t d) { return p | ~d; },
        [](uint32_t p, uint32_t d) { return p | d; },
        [](uint32_t, uint32_t) { return 0xFFFFFFu; },
    };
    TestBitmap canvas(2, 1, d);
    HPEN pen = CreatePen(PS_SOLID, 1, p);
    Selected selected(canvas.dc, pen);
    for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
        canvas.clear(d);
        SetROP2(canvas.dc, rop);
        MoveToEx(canvas.dc, 0, 0, nullptr);
        LineTo(canvas.dc, 1, 0);
        EXPECT_EQ(expected[rop - 1](p, d) & 0xFFFFFF, canvas.at(0, 0)) << "rop " << rop;
        EXPECT_EQ(d, canvas.at(1, 0)) << "rop " << rop;
    }
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(GdiLines, StyledPensContinueTheirPatternAndFillGapsOnlyWhenOpaque)
{
    TestBitmap canvas(20, 3);
    HPEN dot = CreatePen(PS_DOT, 0, kBlack);
    LOGBRUSH lb{BS_SOLID, kBlack, 0};
    HPEN alternate = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
    ASSERT_NE(nullptr, alternate);
    HGDIOBJ old = SelectObject(canvas.dc, dot);
    SetBkMode(canvas.dc, TRANSPARENT);
    MoveToEx(canvas.dc, 0, 0, nullptr);
    LineTo(canvas.dc, 4, 0);
    LineTo(canvas.dc, 14, 0);  // the pattern goes on where the last segment ended
    SelectObject(canvas.dc, alternate);
    MoveToEx(canvas.dc, 0, 1, nullptr);
    LineTo(canvas.dc, 9, 1);
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, kRed);
    SelectObject(canvas.dc, dot);
    MoveToEx(canvas.dc, 0, 2, nullptr);
    LineTo(canvas.dc, 12, 2);
    EXPECT_EQ("###...###...##......\n"
              "#.#.#.#.#...........\n"
              "###...###...........\n",
              canvas.art(kBlack));
    EXPECT_EQ("...###...###\n", canvas.art(kRed, RECT{0, 2, 12, 3}));
    SelectObject(canvas.dc, old);
    DeleteObject(dot);
    DeleteObject(alternate);

    // Styles only exist one pixel wide; a wide dotted pen is solid.
    HPEN wideDot = CreatePen(PS_DOT, 3, kBlack);
    TestBitmap wide(12, 5);
    Selected selected(wide.dc, wideDot);
    MoveToEx(wide.dc, 2, 2, nullptr);
    LineTo(wide.dc, 9, 2);
    EXPECT_EQ("............\n"
              ".##########.\n"
              ".##########.\n"
              ".##########.\n"
              "............\n",
              wide.art(kBlack));
    SelectObject(wide.dc, GetStockObject(BLACK_PEN));
    DeleteObject(wideDot);
}

TEST(GdiLines, WidePensCentreOnTheLineWithRoundEnds)
{
    TestBitmap canvas(12, 9);
    HPEN two = CreatePen(PS_SOLID, 2, kBlack);
    HPEN five = CreatePen(PS_SOLID, 5, kBlack);
    HGDIOBJ old = SelectObject(canvas.dc, two);
    MoveToEx(canvas.dc, 2, 1, nullptr);
    LineTo(canvas.dc, 8, 1);
    EXPECT_EQ(".########...\n"
              ".########...\n"
              "............\n",
              canvas.art(kBlack, RECT{0, 0, 12, 3}));
    canvas.clear(kWhite);
    SelectObject(canvas.dc, five);
    MoveToEx(canvas.dc, 4, 4, nullptr);
    LineTo(canvas.dc, 4, 4);  // a dot of the pen's width
    EXPECT_EQ((RECT{2, 2, 7, 7}), canvas.inkBounds());
    EXPECT_EQ(kWhite, canvas.at(2, 2));  // rounded corner
    SelectObject(canvas.dc, old);
    DeleteObject(two);
    DeleteObject(five);
}

TEST(GdiShapes, RectangleOutlinesWithThePenAndFillsInsideLeavingRightAndBottomOut)
{
    TestBitmap canvas(6, 5);
    HBRUSH blue = CreateSolidBrush(kBlue);
    HGDIOBJ old = SelectObject(canvas.dc, blue);
    Rectangle(canvas.dc, 0, 0, 4, 3);
    EXPECT_EQ("####..\n#..#..\n####..\n......\n......\n", canvas.art(kBlack));
    EXPECT_EQ(".##...\n", canvas.art(kBlue, RECT{0, 1, 6, 2}));

    canvas.clear(kWhite);
    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    Rectangle(canvas.dc, 1, 1, 5, 4);  // fill only: right-1, bottom-1
    EXPECT_EQ("......\n.###..\n.###..\n......\n......\n", canvas.art(kBlue));

    canvas.clear(kWhite);
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc, GetStockObject(NULL_BRUSH));
    Rectangle(canvas.dc, 4, 3, 0, 0);  // corners in any order
    EXPECT_EQ("####..\n#..#..\n####..\n......\n......\n", canvas.art(kBlack));
    EXPECT_EQ(kWhite, canvas.at(1, 1));

    SelectObject(canvas.dc, old);
    DeleteObject(blue);
}

TEST(GdiShapes, EllipseIsInscribedInTheBoxWithTheBrushInside)
{
    TestBitmap canvas(7, 7);
    HBRUSH blue = CreateSolidBrush(kBlue);
    HGDIOBJ old = SelectObject(canvas.dc, blue);
    Ellipse(canvas.dc, 1, 1, 6, 6);
    EXPECT_EQ(".......\n"
              "..###..\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#...#.\n"
              "..###..\n"
              ".......\n",
              canvas.art(kBlack));
    EXPECT_EQ(9, canvas.count(kBlue));
    EXPECT_EQ(kBlue, canvas.at(3, 3));

    // Without a pen the fill is the ellipse of a box one pixel smaller.
    canvas.clear(kWhite);
    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    Ellipse(canvas.dc, 1, 1, 6, 6);
    EXPECT_EQ((RECT{1, 1, 5, 5}), canvas.inkBounds());
    EXPECT_EQ(0, canvas.count(kBlack));

    // Outline only with the null brush; a larger box stays inside its bounds.
    canvas.clear(kWhite);
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc, GetStockObject(NULL_BRUSH));
    Ellipse(canvas.dc, 0, 0, 7, 6);
    EXPECT_EQ((RECT{0, 0, 7, 6}), canvas.inkBounds());
    EXPECT_EQ(kWhite, canvas.at(3, 3));
    SelectObject(canvas.dc, old);
    DeleteObject(blue);
}
