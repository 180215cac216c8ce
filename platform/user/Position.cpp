// Window position, size, z-order and visibility (SetWindowPos and friends).
#include <algorithm>

#include "DisplayDriver.h"
#include "Internal.h"

namespace pl {

namespace {

int widthOf(const RECT& r)
{
    return r.right - r.left;
}

int heightOf(const RECT& r)
{
    return r.bottom - r.top;
}

void reorder(Window* w, HWND insertAfter)
{
    if (insertAfter == w->handle)
        return;
    Window* parent = w->parent;
    unlinkWindow(w);
    linkWindow(w, parent, insertAfter);
}

}  // namespace

void notifyDisplay(Window* top)
{
    if (!isTopLevel(top) || top == desktopWindow())
        return;
    TopLevelInfo info;
    info.rect = top->rect;
    info.title = top->text;
    info.decorated = isDecorated(top);
    info.visible = (top->style & WS_VISIBLE) != 0;
    display().windowChanged(top->handle, info);
}

void recalcClientRect(Window* w, const RECT& oldWindow, const RECT& oldClient, WINDOWPOS* pos)
{
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = w->rect;
    params.rgrc[1] = oldWindow;
    params.rgrc[2] = oldClient;
    params.lppos = pos;
    sendMessage(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    RECT c = params.rgrc[0];
    // A procedure may answer nonsense; keep the client inside the window.
    c.left = std::clamp(c.left, w->rect.left, w->rect.right);
    c.right = std::clamp(c.right, c.left, w->rect.right);
    c.top = std::clamp(c.top, w->rect.top, w->rect.bottom);
    c.bottom = std::clamp(c.bottom, c.top, w->rect.bottom);
    w->client = c;
}

bool setWindowPos(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    if (!w || w == desktopWindow() || w->destroyed)
        return false;
    WindowRef ref(w);
    WINDOWPOS pos{w->handle, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = widthOf(w->rect);
        pos.cy = heightOf(w->rect);
    }
    if ((pos.flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE))
        pos.flags &= ~SWP_SHOWWINDOW;
    if ((pos.flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE))
        pos.flags &= ~SWP_HIDEWINDOW;
    sendMessage(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (w->destroyed)
        return false;
    flags = pos.flags;
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);

    const RECT oldRect = w->rect;
    const RECT oldClient = w->client;
    const bool wasShown = isShown(w);
    const RECT newRect{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    const bool sized = widthOf(newRect) != widthOf(oldRect) || heightOf(newRect) != heightOf(oldRect);
    const bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;

    if (!(flags & SWP_NOZORDER))
        reorder(w, insertAfter);
    w->rect = newRect;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        recalcClientRect(w, oldRect, oldClient, &pos);
    } else {
        w->client = oldClient;
        OffsetRect(&w->client, newRect.left - oldRect.left, newRect.top - oldRect.top);
    }
    if (flags & SWP_SHOWWINDOW)
        w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    if (widthOf(w->client) == widthOf(oldClient) && heightOf(w->client) == heightOf(oldClient))
        flags |= kSwpNoClientSize;
    if (w->client.left == oldClient.left && w->client.top == oldClient.top)
        flags |= kSwpNoClientMove;

    const bool shown = isShown(w);
    if (isTopLevel(w)) {
        if (sized)
            resizeSurface(w, widthOf(oldRect), heightOf(oldRect));
        if (sized || moved || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            notifyDisplay(w);
    }
    if (!(flags & SWP_NOREDRAW)) {
        bool changed = sized || moved || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED));
        if (wasShown && changed && !isTopLevel(w))
            invalidateUnder(w->parent, oldRect);
        if (shown && changed)
            invalidateWhole(w, true);
    }
    pos.flags = flags;
    sendMessage(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return !w->destroyed;
}

void frameChanged(Window* w)
{
    setWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace pl

using namespace pl;

BOOL SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return setWindowPos(findWindow(wnd), insertAfter, x, y, cx, cy, flags) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL repaint)
{
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW);
    return SetWindowPos(wnd, nullptr, x, y, width, height, flags);
}

BOOL ShowWindow(HWND wnd, int cmd)
{
    Window* w = findWindow(wnd);
    if (!w || w == desktopWindow())
        return FALSE;
    WindowRef ref(w);
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = cmd != SW_HIDE;
    if (show == wasVisible)
        return wasVisible;
    sendMessage(w, WM_SHOWWINDOW, show, 0);
    if (w->destroyed)
        return wasVisible;
    const bool activates = show && isTopLevel(w) && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE &&
                           cmd != SW_MINIMIZE && !(w->style & WS_DISABLED);
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!activates)
        flags |= SWP_NOACTIVATE;
    setWindowPos(w, nullptr, 0, 0, 0, 0, flags);
    if (w->destroyed)
        return wasVisible;
    if (activates) {
        activate(w, WA_ACTIVE);
    } else if (!show) {
        Window* focus = focusWindow();
        if (focus && (focus == w || isDescendant(w, focus)))
            SetFocus(isChild(w) ? w->parent->handle : nullptr);
        if (activeWindow() == w)
            activate(w->owner && isShown(w->owner) ? w->owner : nullptr, WA_ACTIVE);
    }
    return wasVisible;
}

BOOL GetWindowRect(HWND wnd, LPRECT rect)
{
    Window* w = findWindow(wnd);
    if (!w || !rect)
        return FALSE;
    *rect = windowScreenRect(w);
    return TRUE;
}

BOOL GetClientRect(HWND wnd, LPRECT rect)
{
    Window* w = findWindow(wnd);
    if (!w || !rect)
        return FALSE;
    *rect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL GetWindowPlacement(HWND wnd, WINDOWPLACEMENT* placement)
{
    Window* w = findWindow(wnd);
    if (!w || !placement)
        return FALSE;
    placement->flags = 0;
    placement->showCmd = (w->style & WS_VISIBLE) ? SW_SHOWNORMAL : SW_HIDE;
    placement->ptMinPosition = {-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition = w->rect;
    return TRUE;
}

BOOL BringWindowToTop(HWND wnd)
{
    return SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle)
{
    if (!rect)
        return FALSE;
    // Measure the frame the way DefWindowProc computes it, on a scratch window.
    Window probe;
    probe.style = style;
    probe.exStyle = exStyle;
    probe.parent = (style & WS_CHILD) ? &probe : desktopWindow();
    RECT big{0, 0, 1000, 1000};
    RECT client = defaultClientRect(&probe, big);
    rect->left -= client.left - big.left;
    rect->top -= client.top - big.top;
    rect->right += big.right - client.right;
    rect->bottom += big.bottom - client.bottom;
    return TRUE;
}
