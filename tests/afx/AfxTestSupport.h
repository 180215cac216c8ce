// Shared set-up of the framework tests: a clean desktop per test, a
// top-level host window to put children in, and pixel access.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "afxcmn.h"
#include "afxext.h"
#include "afxwin.h"
#include "pldisplay.h"
#include "plresource.h"
#include "plsurface.h"

// Readable values in assertion messages.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const CSize& s, std::ostream* os) { *os << "(" << s.cx << " x " << s.cy << ")"; }

// The module of the test executable.
inline HINSTANCE TestModule()
{
    static int anchor;
    return PlModuleFromAddress(&anchor);
}

class AfxTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        PlResetWindowSystem();
        PlAfxIdle(1);  // release the temporary wrappers of this test
    }

    // A visible top-level window of the given client size at (0, 0).
    HWND CreateHost(int cx, int cy)
    {
        RECT rect = {0, 0, cx, cy};
        ::AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
        HWND hWnd = ::CreateWindowEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0,
                                     rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                     AfxGetInstanceHandle(), nullptr);
        return hWnd;
    }
};

// The colour of a client pixel of a window, as COLORREF, read from the
// surface it paints into.
inline COLORREF ClientPixel(HWND hWnd, int x, int y)
{
    POINT origin;
    HBITMAP surface = PlGetWindowSurface(hWnd, &origin);
    SIZE size;
    uint32_t* bits = PlBitmapBits(surface, &size);
    POINT pt = {x, y};
    ::ClientToScreen(hWnd, &pt);
    POINT windowTopLeft = {0, 0};
    RECT windowRect;
    ::GetWindowRect(hWnd, &windowRect);
    windowTopLeft = {windowRect.left, windowRect.top};
    int sx = origin.x + pt.x - windowTopLeft.x;
    int sy = origin.y + pt.y - windowTopLeft.y;
    if (bits == nullptr || sx < 0 || sy < 0 || sx >= size.cx || sy >= size.cy)
        return CLR_INVALID;
    uint32_t p = bits[sy * size.cx + sx];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
