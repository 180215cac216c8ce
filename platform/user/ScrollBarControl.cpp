// The "ScrollBar" class: a scroll bar control (SBS_VERT or SBS_HORZ) driven
// through the SB_CTL functions; mouse use sends WM_VSCROLL or WM_HSCROLL to
// the parent with the control as lParam.
#include "Controls.h"
#include "Internal.h"

namespace pl {

LRESULT CALLBACK scrollBarControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = findWindow(wnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        RECT r;
        GetClientRect(wnd, &r);
        drawScrollBar(dc, r, (w->style & SBS_VERT) != 0, w->vbar, isEnabled(w), -1);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(wnd, &p);
        trackScrollBar(w, SB_CTL, p);
        return 0;
    }
    case WM_ENABLE: InvalidateRect(wnd, nullptr, FALSE); return 0;
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace pl
