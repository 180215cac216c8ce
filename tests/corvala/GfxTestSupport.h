// Helpers of the graphical host-library tests: a clean desktop per test and
// the pixels of a window's client area.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "pldisplay.h"
#include "plsurface.h"
#include "windows.h"

namespace gfxtest {

// Every test starts on an empty desktop with no dialog answers queued.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    static void Clean()
    {
        PlResetWindowSystem();
        long ignored = 0;
        while (PlTakeDialogAnswer("color", &ignored)) {
        }
    }
};

// Client-area pixels, 0x00RRGGBB, rows top-down.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> values;
    uint32_t At(int x, int y) const { return values[size_t(y) * size_t(width) + size_t(x)]; }
};

inline Pixels ClientPixels(HWND wnd)
{
    Pixels out;
    POINT origin{};
    HBITMAP surface = PlGetWindowSurface(wnd, &origin);
    SIZE size{};
    const uint32_t* bits = surface ? PlBitmapBits(surface, &size) : nullptr;
    RECT window{}, client{};
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    POINT clientOrigin{0, 0};
    ClientToScreen(wnd, &clientOrigin);
    int left = origin.x + (clientOrigin.x - window.left);
    int top = origin.y + (clientOrigin.y - window.top);
    out.width = client.right;
    out.height = client.bottom;
    out.values.assign(size_t(out.width) * size_t(out.height), 0);
    if (!bits)
        return out;
    for (int y = 0; y < out.height && top + y < size.cy; ++y)
        for (int x = 0; x < out.width && left + x < size.cx; ++x)
            out.values[size_t(y) * size_t(out.width) + size_t(x)] =
                bits[size_t(top + y) * size_t(size.cx) + size_t(left + x)] & 0x00FFFFFFu;
    return out;
}

// Text ink: clearly darker than any face colour the windows use.
inline bool IsInk(uint32_t pixel)
{
    return ((pixel >> 16) & 0xFF) < 128 && ((pixel >> 8) & 0xFF) < 128 && (pixel & 0xFF) < 128;
}

inline bool RowHasInk(const Pixels& pixels, int y, int right)
{
    for (int x = 0; x < right; ++x)
        if (IsInk(pixels.At(x, y)))
            return true;
    return false;
}

// Which slots of `slotHeight` pixel rows, from `top` down to the bottom of
// the pixels, hold ink: one slot per row of text.
inline std::vector<bool> InkedSlots(const Pixels& pixels, int top, int slotHeight)
{
    std::vector<bool> slots;
    for (int y = top; y + slotHeight <= pixels.height; y += slotHeight) {
        bool ink = false;
        for (int row = y; row < y + slotHeight && !ink; ++row)
            ink = RowHasInk(pixels, row, pixels.width);
        slots.push_back(ink);
    }
    return slots;
}

// Shows the window and lets it paint.
inline void ShowAndPaint(HWND wnd)
{
    ShowWindow(wnd, SW_SHOW);
    UpdateWindow(wnd);
    PlPumpMessages();
}

}  // namespace gfxtest
