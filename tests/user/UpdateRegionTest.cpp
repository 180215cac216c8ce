// Update regions: separate invalidations stay separate, validation cuts
// exact holes, and a paint reaches only what was invalid, for the window and
// for the children under it.
#include "UserTestSupport.h"

using namespace usertest;

namespace {

constexpr uint32_t kRed = 0xFF0000u;
constexpr uint32_t kBlue = 0x0000FFu;
constexpr uint32_t kYellow = 0xFFFF00u;
constexpr uint32_t kGreen = 0x008000u;

bool sameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

}  // namespace

class UpdateRegionTest : public UserTest {};

TEST_F(UpdateRegionTest, TwoSeparateInvalidationsRepaintOnlyTheTwoAreas)
{
    HWND w = topLevel(0, 0, 100, 60);
    pump();
    fillClient(w, RGB(255, 0, 0));  // stands for feedback drawn between the areas
    Painter painter;
    painter.colors = {{w, RGB(0, 0, 255)}};
    handler() = painter.handler();
    RECT left{10, 10, 20, 20}, right{70, 10, 80, 20};
    InvalidateRect(w, &left, FALSE);
    InvalidateRect(w, &right, FALSE);
    pump();
    ASSERT_EQ(painter.paintRects.size(), 1u) << "one WM_PAINT for both";
    EXPECT_TRUE(sameRect(painter.paintRects[0], RECT{10, 10, 80, 20})) << "rcPaint is the box";
    EXPECT_TRUE(sameRect(painter.clipBoxes[0], RECT{10, 10, 80, 20})) << "SelectClipRgn(NULL) stays inside";
    EXPECT_EQ(clientPixel(w, 10, 10), kBlue);
    EXPECT_EQ(clientPixel(w, 79, 19), kBlue);
    EXPECT_EQ(clientPixel(w, 20, 15), kRed);
    EXPECT_EQ(clientPixel(w, 45, 15), kRed) << "the gap between the areas is untouched";
    EXPECT_EQ(clientPixel(w, 15, 20), kRed);
}

TEST_F(UpdateRegionTest, ValidatingAMiddlePieceLeavesTheOuterPiecesAndBothQueriesAgree)
{
    HWND w = topLevel(0, 0, 100, 60);
    pump();
    RECT band{10, 10, 90, 20}, middle{40, 0, 60, 100};
    InvalidateRect(w, &band, FALSE);
    ValidateRect(w, &middle);

    HRGN update = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, GetUpdateRgn(w, update, FALSE));
    EXPECT_TRUE(PtInRegion(update, 10, 10));
    EXPECT_FALSE(PtInRegion(update, 50, 15));
    EXPECT_TRUE(PtInRegion(update, 89, 19));
    RECT box, updateRect;
    GetRgnBox(update, &box);
    EXPECT_TRUE(GetUpdateRect(w, &updateRect, FALSE));
    EXPECT_TRUE(sameRect(box, updateRect));
    EXPECT_TRUE(sameRect(box, band));

    HRGN leftPiece = CreateRectRgn(0, 0, 40, 60);
    EXPECT_TRUE(ValidateRgn(w, leftPiece));
    EXPECT_EQ(SIMPLEREGION, GetUpdateRgn(w, update, FALSE));
    GetUpdateRect(w, &updateRect, FALSE);
    EXPECT_TRUE(sameRect(updateRect, RECT{60, 10, 90, 20}));

    fillClient(w, RGB(255, 0, 0));
    Painter painter;
    painter.colors = {{w, RGB(0, 0, 255)}};
    handler() = painter.handler();
    pump();
    EXPECT_EQ(clientPixel(w, 70, 15), kBlue);
    EXPECT_EQ(clientPixel(w, 15, 15), kRed);
    EXPECT_EQ(clientPixel(w, 50, 15), kRed);
    EXPECT_EQ(NULLREGION, GetUpdateRgn(w, update, FALSE));
    EXPECT_FALSE(GetUpdateRect(w, &updateRect, FALSE));
    EXPECT_EQ(ERROR, GetUpdateRgn(w, nullptr, FALSE));
    DeleteObject(update);
    DeleteObject(leftPiece);
}

TEST_F(UpdateRegionTest, InvalidatingNothingPaintsNothing)
{
    HWND w = topLevel(0, 0, 100, 60);
    pump();
    messageLog().clear();
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    HRGN outside = CreateRectRgn(200, 200, 300, 300);
    EXPECT_TRUE(InvalidateRgn(w, empty, TRUE));
    EXPECT_TRUE(InvalidateRgn(w, outside, TRUE));
    EXPECT_FALSE(InvalidateRgn(w, reinterpret_cast<HRGN>(GetStockObject(WHITE_BRUSH)), TRUE));
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));
    pump();
    EXPECT_TRUE(messagesOf(w, {WM_PAINT, WM_ERASEBKGND}).empty());
    DeleteObject(empty);
    DeleteObject(outside);
}

TEST_F(UpdateRegionTest, BackgroundEraseCoversOnlyTheRegion)
{
    HWND w = topLevel(0, 0, 100, 60, WS_POPUP | WS_VISIBLE, "RecorderGreen");
    pump();
    fillClient(w, RGB(255, 0, 0));
    HRGN cross = CreateRectRgn(0, 20, 100, 30);
    HRGN bar = CreateRectRgn(45, 0, 55, 60);
    CombineRgn(cross, cross, bar, RGN_XOR);  // a cross with a hole where the bars meet
    InvalidateRgn(w, cross, TRUE);
    pump();
    EXPECT_EQ(clientPixel(w, 5, 25), kGreen);
    EXPECT_EQ(clientPixel(w, 50, 5), kGreen);
    EXPECT_EQ(clientPixel(w, 50, 25), kRed) << "the hole of the XOR";
    EXPECT_EQ(clientPixel(w, 5, 5), kRed);
    DeleteObject(cross);
    DeleteObject(bar);
}

TEST_F(UpdateRegionTest, ChildrenGetTheirShareOfTheParentsRegion)
{
    HWND top = topLevel(0, 0, 200, 100);
    HWND kid = child(top, 1, 100, 20, 60, 60);
    Painter painter;
    painter.colors = {{top, RGB(0, 0, 255)}, {kid, RGB(255, 255, 0)}};
    handler() = painter.handler();
    pump();
    fillClient(top, RGB(255, 0, 0));

    HRGN area = CreateRectRgn(10, 30, 30, 40);
    HRGN overKid = CreateRectRgn(110, 30, 130, 40);
    CombineRgn(area, area, overKid, RGN_OR);
    InvalidateRgn(top, area, FALSE);
    HRGN share = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SIMPLEREGION, GetUpdateRgn(kid, share, FALSE));
    RECT box;
    GetRgnBox(share, &box);
    EXPECT_TRUE(sameRect(box, RECT{10, 10, 30, 20})) << "in the child's client coordinates";

    pump();
    EXPECT_EQ(clientPixel(top, 15, 35), kBlue);
    EXPECT_EQ(clientPixel(top, 60, 35), kRed);
    EXPECT_EQ(clientPixel(kid, 15, 15), kYellow) << "the child paints its share after the parent";
    EXPECT_EQ(clientPixel(kid, 5, 5), kRed);
    EXPECT_EQ(clientPixel(kid, 40, 15), kRed);
    DeleteObject(area);
    DeleteObject(overKid);
    DeleteObject(share);
}

TEST_F(UpdateRegionTest, RedrawWindowTakesARegionOverARectangle)
{
    HWND w = topLevel(0, 0, 100, 60);
    pump();
    fillClient(w, RGB(255, 0, 0));
    Painter painter;
    painter.colors = {{w, RGB(0, 0, 255)}};
    handler() = painter.handler();
    HRGN corners = CreateRectRgn(0, 0, 10, 10);
    HRGN farCorner = CreateRectRgn(90, 50, 100, 60);
    CombineRgn(corners, corners, farCorner, RGN_OR);
    RECT ignored{0, 0, 100, 60};
    RedrawWindow(w, &ignored, corners, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(painter.paintRects.size(), 1u) << "painted before returning";
    EXPECT_EQ(clientPixel(w, 5, 5), kBlue);
    EXPECT_EQ(clientPixel(w, 95, 55), kBlue);
    EXPECT_EQ(clientPixel(w, 50, 30), kRed);

    RedrawWindow(w, nullptr, corners, RDW_INVALIDATE);
    RedrawWindow(w, nullptr, farCorner, RDW_VALIDATE);
    RECT update;
    GetUpdateRect(w, &update, FALSE);
    EXPECT_TRUE(sameRect(update, RECT{0, 0, 10, 10}));
    DeleteObject(corners);
    DeleteObject(farCorner);
}
