// Clipping and coordinate spaces: one clip, kept in device space, honoured
// by every primitive whatever the origins.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

TEST(GdiClip, IntersectAndExcludeAreExact)
{
    TestBitmap canvas(10, 10);
    EXPECT_EQ(SIMPLEREGION, IntersectClipRect(canvas.dc, 1, 1, 9, 6));
    EXPECT_EQ(COMPLEXREGION, ExcludeClipRect(canvas.dc, 3, 2, 5, 4));
    FillAll(canvas.dc, kBlack);
    EXPECT_EQ("..........\n"
              ".########.\n"
              ".##..####.\n"
              ".##..####.\n"
              ".########.\n"
              ".########.\n"
              "..........\n",
              canvas.art(kBlack, RECT{0, 0, 10, 7}));
    RECT box;
    EXPECT_EQ(COMPLEXREGION, GetClipBox(canvas.dc, &box));
    EXPECT_EQ((RECT{1, 1, 9, 6}), box);
    EXPECT_EQ(CLR_INVALID, GetPixel(canvas.dc, 3, 2));
    EXPECT_EQ(kBlack, GetPixel(canvas.dc, 2, 2));
    EXPECT_FALSE(PtVisible(canvas.dc, 4, 3));
    RECT hole{3, 2, 5, 4};
    EXPECT_FALSE(RectVisible(canvas.dc, &hole));

    EXPECT_EQ(NULLREGION, IntersectClipRect(canvas.dc, 20, 20, 30, 30));
    EXPECT_EQ(SIMPLEREGION, SelectClipRgn(canvas.dc, nullptr));
    GetClipBox(canvas.dc, &box);
    EXPECT_EQ((RECT{0, 0, 10, 10}), box);
}

TEST(GdiClip, ClipIsFixedInDeviceSpaceWhenTheOriginMoves)
{
    TestBitmap canvas(40, 30);
    SetViewportOrgEx(canvas.dc, 5, 5, nullptr);
    IntersectClipRect(canvas.dc, 0, 0, 10, 10);  // device (5, 5)-(15, 15)
    SetViewportOrgEx(canvas.dc, 20, 0, nullptr);
    ExcludeClipRect(canvas.dc, -15, 5, -10, 10);  // device (5, 5)-(10, 10)
    RECT box;
    GetClipBox(canvas.dc, &box);
    EXPECT_EQ((RECT{-15, 5, -5, 15}), box);  // logical
    SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
    FillAll(canvas.dc, kBlack);
    EXPECT_EQ((RECT{5, 5, 15, 15}), canvas.inkBounds());
    EXPECT_EQ(100 - 25, canvas.count(kBlack));
    EXPECT_EQ(kWhite, canvas.at(7, 7));
}

TEST(GdiCoords, ViewportAndWindowOriginsConvertBothWays)
{
    TestBitmap canvas(10, 10);
    SetViewportOrgEx(canvas.dc, 10, 20, nullptr);
    SetWindowOrgEx(canvas.dc, 3, 4, nullptr);
    POINT p{0, 0};
    LPtoDP(canvas.dc, &p, 1);
    EXPECT_EQ(7, p.x);
    EXPECT_EQ(16, p.y);
    DPtoLP(canvas.dc, &p, 1);
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(0, p.y);
    POINT previous;
    OffsetViewportOrgEx(canvas.dc, -10, -20, &previous);
    EXPECT_EQ(10, previous.x);
    SetPixel(canvas.dc, 5, 6, kRed);  // device (2, 2)
    EXPECT_EQ(kRed, canvas.at(2, 2));
    EXPECT_EQ(MM_TEXT, GetMapMode(canvas.dc));
    EXPECT_EQ(0, SetMapMode(canvas.dc, 2));
}

TEST(GdiClip, SurfaceDcClipsToItsAreaAndResetsToIt)
{
    HBITMAP surface = CreateBitmap(40, 30, 1, 32, nullptr);
    RECT area{10, 10, 30, 20};
    HDC window = PlCreateSurfaceDC(surface, POINT{10, 10}, &area);
    RECT box;
    GetClipBox(window, &box);
    EXPECT_EQ((RECT{0, 0, 20, 10}), box);
    IntersectClipRect(window, 0, 0, 5, 5);
    SelectClipRgn(window, nullptr);
    GetClipBox(window, &box);
    EXPECT_EQ((RECT{0, 0, 20, 10}), box);
    EXPECT_EQ(CLR_INVALID, SetPixel(window, -1, 0, kRed));
    EXPECT_EQ(kRed, SetPixel(window, 0, 0, kRed));
    EXPECT_EQ(0xFF0000u, PlBitmapBits(surface, nullptr)[10 * 40 + 10]);
    DeleteDC(window);
    DeleteObject(surface);
}
