// DefWindowProcA: the default handling every window procedure falls back on.
#include <algorithm>
#include <cstring>

#include "DisplayDriver.h"
#include "Internal.h"

using namespace pl;

namespace {

void storeText(Window* w, const char* text)
{
    w->text = text ? text : "";
    if (isTopLevel(w))
        notifyDisplay(w);
    if ((w->style & WS_CAPTION) == WS_CAPTION && !isDecorated(w))
        w->frameDirty = true;
}

LRESULT copyText(Window* w, WPARAM size, LPARAM buffer)
{
    if (!buffer || size == 0)
        return 0;
    auto* out = reinterpret_cast<char*>(buffer);
    size_t n = std::min(w->text.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, w->text.data(), n);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT setCursorFor(Window* w, WPARAM wParam, LPARAM lParam)
{
    if (isChild(w) && sendMessage(w->parent, WM_SETCURSOR, wParam, lParam))
        return TRUE;
    auto hit = static_cast<SHORT>(LOWORD(lParam));
    switch (hit) {
    case HTCLIENT: {
        // The cursor of the window under the pointer (wParam), whichever
        // ancestor answers.
        Window* under = findWindow(reinterpret_cast<HWND>(wParam));
        HCURSOR cursor = (under ? under : w)->windowClass->cursor;
        if (cursor) {
            SetCursor(cursor);
            return TRUE;
        }
        return FALSE;
    }
    case HTERROR:
        return FALSE;
    case HTLEFT:
    case HTRIGHT: SetCursor(LoadCursorA(nullptr, IDC_SIZEWE)); return TRUE;
    case HTTOP:
    case HTBOTTOM: SetCursor(LoadCursorA(nullptr, IDC_SIZENS)); return TRUE;
    default: SetCursor(LoadCursorA(nullptr, IDC_ARROW)); return TRUE;
    }
}

// Overlapped and sizable windows are kept within their WM_GETMINMAXINFO
// limits. The minimum is one pixel: the frame belongs to the desktop's
// window manager, not to the window.
void applyMinMax(Window* w, WINDOWPOS* pos)
{
    if ((pos->flags & SWP_NOSIZE) || !((w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD))))
        return;
    SIZE screen = display().screenSize();
    MINMAXINFO info{};
    info.ptMaxSize = {screen.cx, screen.cy};
    info.ptMaxPosition = {0, 0};
    info.ptMinTrackSize = {1, 1};
    info.ptMaxTrackSize = {32767, 32767};
    sendMessage(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    pos->cx = std::clamp(pos->cx, static_cast<int>(info.ptMinTrackSize.x),
                         std::max(static_cast<int>(info.ptMinTrackSize.x), static_cast<int>(info.ptMaxTrackSize.x)));
    pos->cy = std::clamp(pos->cy, static_cast<int>(info.ptMinTrackSize.y),
                         std::max(static_cast<int>(info.ptMinTrackSize.y), static_cast<int>(info.ptMaxTrackSize.y)));
}

void positionChanged(Window* w, const WINDOWPOS* pos)
{
    if (!(pos->flags & kSwpNoClientMove))
        sendMessage(w, WM_MOVE, 0, MAKELPARAM(w->client.left, w->client.top));
    if (!(pos->flags & kSwpNoClientSize) && !w->destroyed)
        sendMessage(w, WM_SIZE, SIZE_RESTORED,
                    MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
}

LRESULT controlColor(UINT msg, WPARAM wParam)
{
    auto dc = reinterpret_cast<HDC>(wParam);
    int background = msg == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background == COLOR_SCROLLBAR ? COLOR_WINDOW : COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

LRESULT eraseBackground(Window* w, HDC dc)
{
    HBRUSH brush = w->windowClass->background;
    if (!brush || !dc)
        return 0;
    RECT area;
    GetClipBox(dc, &area);
    FillRect(dc, &area, brush);
    return 1;
}

void showContextMenu(Window* w, LPARAM clientPoint)
{
    POINT p{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    ClientToScreen(w->handle, &p);
    sendMessage(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w->handle),
                MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y))));
}

void initialScrollBars(Window* w)
{
    // Standard scroll bars start with the native range 0..100.
    if (w->style & WS_VSCROLL)
        w->vbar.max = 100;
    if (w->style & WS_HSCROLL)
        w->hbar.max = 100;
}

}  // namespace

LRESULT DefWindowProcA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = findWindow(wnd);
    if (!w)
        return 0;
    WindowRef ref(w);
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            storeText(w, cs->lpszName);
        initialScrollBars(w);
        return TRUE;
    }
    case WM_NCCALCSIZE: return defNcCalcSize(w, wParam, lParam);
    case WM_NCHITTEST: return defNcHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: defNcPaint(w); return 0;
    case WM_NCACTIVATE: return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return eraseBackground(w, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT: storeText(w, reinterpret_cast<const char*>(lParam)); return TRUE;
    case WM_GETTEXT: return copyText(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_SETCURSOR: return setCursorFor(w, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (isChild(w)) {
            if (LRESULT answer = sendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam))
                return answer;
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            Window* focus = focusWindow();
            if (!focus || (focus != w && !isDescendant(w, focus)))
                SetFocus(wnd);
        }
        return 0;
    case WM_WINDOWPOSCHANGING: applyMinMax(w, reinterpret_cast<WINDOWPOS*>(lParam)); return 0;
    case WM_WINDOWPOSCHANGED: positionChanged(w, reinterpret_cast<const WINDOWPOS*>(lParam)); return 0;
    case WM_CLOSE: DestroyWindow(wnd); return 0;
    case WM_RBUTTONUP: showContextMenu(w, lParam); return 0;
    case WM_NCRBUTTONUP:
        sendMessage(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), lParam);
        return 0;
    case WM_CONTEXTMENU:
        if (isChild(w))
            sendMessage(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        // A window that does not scroll lets its parent do it.
        return isChild(w) ? sendMessage(w->parent, WM_MOUSEWHEEL, wParam, lParam) : 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (wParam == HTVSCROLL)
            trackScrollBar(w, SB_VERT, p);
        else if (wParam == HTHSCROLL)
            trackScrollBar(w, SB_HORZ, p);
        return 0;
    }
    case WM_CANCELMODE:
        if (captureWindow() == w)
            ReleaseCapture();
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: return controlColor(msg, wParam);
    default: return 0;
    }
}
