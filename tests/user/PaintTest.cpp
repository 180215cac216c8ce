// Invalidation, WM_PAINT and drawing into the shared surface.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "UserTestSupport.h"

using namespace usertest;

class PaintTest : public UserTest {};

TEST_F(PaintTest, InvalidationsMergeIntoOnePaintOfTheirUnion)
{
    HWND w = topLevel(0, 0, 200, 200);
    pump();
    Painter painter;
    handler() = painter.handler();
    RECT one{10, 10, 20, 20}, two{30, 40, 50, 60};
    InvalidateRect(w, &one, FALSE);
    InvalidateRect(w, &two, FALSE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.bottom, 60);
    pump();
    ASSERT_EQ(painter.paintRects.size(), 1u);
    EXPECT_EQ(painter.paintRects[0].left, 10);
    EXPECT_EQ(painter.paintRects[0].top, 10);
    EXPECT_EQ(painter.paintRects[0].right, 50);
    EXPECT_EQ(painter.paintRects[0].bottom, 60);
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));

    RECT part{10, 10, 30, 60};
    InvalidateRect(w, &one, FALSE);
    InvalidateRect(w, &two, FALSE);
    ValidateRect(w, &part);
    GetUpdateRect(w, &update, FALSE);
    EXPECT_EQ(update.left, 30) << "validating a side of the area shrinks it";
    ValidateRect(w, nullptr);
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
}

TEST_F(PaintTest, EraseFillsWithTheClassBrushOnlyInsideTheUpdateArea)
{
    HWND w = topLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, "RecorderGreen");
    pump();
    EXPECT_EQ(clientPixel(w, 50, 50), 0x008000u);
    fillClient(w, RGB(255, 0, 0));
    RECT corner{0, 0, 10, 10};
    InvalidateRect(w, &corner, TRUE);
    pump();
    EXPECT_EQ(clientPixel(w, 5, 5), 0x008000u);
    EXPECT_EQ(clientPixel(w, 15, 15), 0xFF0000u);

    fillClient(w, RGB(255, 0, 0));
    InvalidateRect(w, &corner, FALSE);
    pump();
    EXPECT_EQ(clientPixel(w, 5, 5), 0xFF0000u) << "no erase was asked for";
    auto erase = entriesOf(w, WM_ERASEBKGND);
    EXPECT_EQ(erase.size(), 2u);
}

TEST_F(PaintTest, InvalidatingAParentRepaintsTheChildrenOverIt)
{
    HWND top = topLevel(0, 0, 200, 200);
    HWND kid = child(top, 1, 20, 20, 50, 50);
    Painter painter;
    painter.colors = {{top, RGB(0, 0, 255)}, {kid, RGB(255, 255, 0)}};
    handler() = painter.handler();
    pump();
    EXPECT_EQ(clientPixel(top, 5, 5), 0x0000FFu);
    EXPECT_EQ(clientPixel(kid, 5, 5), 0xFFFF00u);
    InvalidateRect(top, nullptr, FALSE);
    pump();
    EXPECT_EQ(clientPixel(kid, 5, 5), 0xFFFF00u) << "the child painted after its parent";

    ShowWindow(kid, SW_HIDE);
    pump();
    EXPECT_EQ(clientPixel(top, 30, 30), 0x0000FFu) << "hiding uncovers the parent, which repaints";
    messageLog().clear();
    InvalidateRect(kid, nullptr, TRUE);
    pump();
    EXPECT_TRUE(entriesOf(kid, WM_PAINT).empty()) << "hidden windows get no WM_PAINT";
    fillClient(kid, RGB(255, 0, 255));
    EXPECT_EQ(clientPixel(top, 30, 30), 0x0000FFu) << "and draw nothing";
}

TEST_F(PaintTest, DcsAreClippedToTheWindowAndEveryAncestorsClientArea)
{
    HWND top = topLevel(0, 0, 200, 200);
    HWND holder = child(top, 1, 10, 10, 100, 100);
    HWND sticking = child(holder, 2, 50, 50, 100, 100, WS_CHILD | WS_VISIBLE | WS_BORDER);
    pump();
    fillClient(top, RGB(0, 0, 0));
    fillClient(sticking, RGB(255, 255, 255));
    EXPECT_EQ(clientPixel(sticking, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(clientPixel(top, 10 + 100 + 5, 70), 0x000000u) << "outside the parent's client area";
    EXPECT_EQ(clientPixel(top, 10 + 50, 10 + 50), 0x000000u) << "the border is not the client area";

    HDC dc = GetWindowDC(sticking);
    EXPECT_EQ(WindowFromDC(dc), sticking);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(sticking, dc);
    EXPECT_EQ(clientPixel(top, 10 + 50, 10 + 50), 0xFFFFFFu) << "a window DC covers the frame";
    EXPECT_EQ(WindowFromDC(dc), nullptr);
}

TEST_F(PaintTest, BeginPaintPaintsTheFrameThenErasesThenClipsToTheUpdateArea)
{
    HWND top = topLevel(0, 0, 200, 200);
    HWND framed = child(top, 1, 10, 10, 100, 100, WS_CHILD | WS_VISIBLE | WS_BORDER);
    pump();
    EXPECT_EQ(clientPixel(top, 10, 10), pixelOf(GetSysColor(COLOR_WINDOWFRAME)));
    messageLog().clear();
    RedrawWindow(framed, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    pump();
    EXPECT_EQ(messagesOf(framed, {WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}),
              (std::vector<UINT>{WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}));

    fillClient(framed, RGB(255, 0, 0));
    Painter painter;
    painter.colors = {{framed, RGB(0, 0, 255)}};
    handler() = painter.handler();
    RECT corner{0, 0, 10, 10};
    InvalidateRect(framed, &corner, FALSE);
    messageLog().clear();
    RedrawWindow(framed, nullptr, nullptr, RDW_UPDATENOW);
    EXPECT_EQ(entriesOf(framed, WM_PAINT).size(), 1u) << "painted at once, not queued";
    EXPECT_EQ(clientPixel(framed, 5, 5), 0x0000FFu);
    EXPECT_EQ(clientPixel(framed, 20, 20), 0xFF0000u) << "the paint DC is clipped to the update area";
}

TEST_F(PaintTest, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip)
{
    HWND w = topLevel(0, 0, 100, 100);
    pump();
    fillClient(w, RGB(255, 255, 255));
    HDC dc = GetDC(w);
    RECT stripe{0, 40, 100, 50};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &stripe, red);
    DeleteObject(red);
    ReleaseDC(w, dc);

    ScrollWindow(w, 0, -10, nullptr, nullptr);
    EXPECT_EQ(clientPixel(w, 50, 35), 0xFF0000u);
    EXPECT_EQ(clientPixel(w, 50, 45), 0xFFFFFFu);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update.top, 90);
    EXPECT_EQ(update.bottom, 100);
    EXPECT_EQ(update.right, 100);
}

TEST_F(PaintTest, ResizingKeepsTheSurfaceContentInTheTopLeftCornerAndRepaints)
{
    HWND w = topLevel(0, 0, 50, 40);
    pump();
    fillClient(w, RGB(255, 0, 0));
    SetWindowPos(w, nullptr, 0, 0, 80, 60, SWP_NOMOVE | SWP_NOZORDER);
    POINT origin{};
    SIZE size{};
    PlBitmapBits(PlGetWindowSurface(w, &origin), &size);
    EXPECT_EQ(size.cx, 80);
    EXPECT_EQ(size.cy, 60);
    EXPECT_EQ(clientPixel(w, 10, 10), 0xFF0000u);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update.right, 80);
    EXPECT_EQ(LOWORD(entriesOf(w, WM_SIZE).back().lParam), 80);
}

TEST_F(PaintTest, ASnapshotHoldsTheWindowsPixels)
{
    HWND w = topLevel(0, 0, 30, 20, WS_POPUP | WS_VISIBLE, "RecorderGreen");
    pump();
    const char* binary = std::getenv("OVINTA_BINARY_DIR");
    std::string path = std::string(binary ? binary : ".") + "/user_snapshot_test.png";
    ASSERT_TRUE(PlSnapshotWindow(w, path.c_str()));
    HBITMAP read = PlReadImageFile(path.c_str());
    ASSERT_NE(read, nullptr);
    SIZE size{};
    uint32_t* bits = PlBitmapBits(read, &size);
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 20);
    EXPECT_EQ(bits[5 * 30 + 5] & 0xFFFFFF, 0x008000u);
    DeleteObject(read);
    std::remove(path.c_str());
}
