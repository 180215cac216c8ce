// The X11 display under a private X server (run-x11-test.sh starts Xvfb):
// a top-level window appears as an X window showing its surface, and a click
// made with xdotool arrives as WM_LBUTTONDOWN at the right client point.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "user/UserTestSupport.h"

// After the test framework: Xlib's macros (None, Bool) clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef None
#undef Bool

using namespace usertest;

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

// Pumps the window system until `done` holds or the patience runs out.
template <typename Done>
bool pumpUntil(Done done)
{
    auto until = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < until) {
        PlPumpMessages();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool surfaceShown(Display* x, Window window, HWND wnd, int width, int height)
{
    XImage* image = XGetImage(x, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes,
                              ZPixmap);
    if (!image)
        return false;
    POINT origin{};
    SIZE size{};
    uint32_t* bits = PlBitmapBits(PlGetWindowSurface(wnd, &origin), &size);
    bool same = bits != nullptr;
    for (int y = 0; same && y < height; ++y)
        for (int px = 0; same && px < width; ++px)
            same = (XGetPixel(image, px, y) & 0xFFFFFF) == (bits[static_cast<size_t>(y) * size.cx + px] & 0xFFFFFF);
    XDestroyImage(image);
    return same;
}

}  // namespace

TEST(X11DisplayTest, AWindowAppearsTakesAClickAndShowsItsSurface)
{
    ASSERT_TRUE(PlSelectDisplay("x11")) << "no X server; run through run-x11-test.sh";
    registerRecorders();
    HWND wnd = CreateWindowExA(0, "RecorderGreen", "x11 test", WS_POPUP | WS_VISIBLE, 100, 80, 200, 150, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    HWND inner = CreateWindowExA(0, "Recorder", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 120, 80, 60, 40, wnd, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(inner, nullptr);

    Display* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    Window window = static_cast<Window>(PlX11WindowId(wnd));
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(pumpUntil([&] {
        XWindowAttributes a{};
        return XGetWindowAttributes(x, window, &a) && a.map_state == IsViewable;
    })) << "the window was never mapped";
    EXPECT_TRUE(pumpUntil([&] { return surfaceShown(x, window, wnd, 200, 150); }))
        << "the X window does not show the surface";

    messageLog().clear();
    std::string click = "xdotool mousemove 150 120 click 1";
    ASSERT_EQ(std::system(click.c_str()), 0) << "xdotool failed";
    ASSERT_TRUE(pumpUntil([&] { return !entriesOf(wnd, WM_LBUTTONDOWN).empty(); })) << "the click never arrived";
    Logged down = entriesOf(wnd, WM_LBUTTONDOWN).front();
    EXPECT_EQ(GET_X_LPARAM(down.lParam), 50);
    EXPECT_EQ(GET_Y_LPARAM(down.lParam), 40);

    std::string onChild = "xdotool mousemove 230 170 click 1";
    ASSERT_EQ(std::system(onChild.c_str()), 0);
    ASSERT_TRUE(pumpUntil([&] { return !entriesOf(inner, WM_LBUTTONDOWN).empty(); }));
    Logged childDown = entriesOf(inner, WM_LBUTTONDOWN).front();
    EXPECT_EQ(GET_X_LPARAM(childDown.lParam), 230 - 100 - 120 - 1);
    EXPECT_EQ(GET_Y_LPARAM(childDown.lParam), 170 - 80 - 80 - 1);

    DestroyWindow(wnd);
    PlPumpMessages();
    XCloseDisplay(x);
}
