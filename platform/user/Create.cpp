// Creating and destroying windows, in the native message order.
#include <algorithm>
#include <vector>

#include "Controls.h"
#include "DisplayDriver.h"
#include "Internal.h"

namespace pl {

namespace {

constexpr DWORD kExNoParentNotify = 0x00000004L;

// Overlapped windows without a position cascade from the top-left corner.
POINT defaultPosition()
{
    static int next = 0;
    int step = 26 * (next++ % 8);
    return {40 + step, 40 + step};
}

void notifyParents(Window* w, UINT event)
{
    if (!isChild(w) || (w->exStyle & kExNoParentNotify))
        return;
    WPARAM wParam = MAKEWPARAM(event, w->id);
    LPARAM lParam = reinterpret_cast<LPARAM>(w->handle);
    for (Window* p = w->parent; p && !p->destroyed && p != desktopWindow(); p = p->parent) {
        sendMessage(p, WM_PARENTNOTIFY, wParam, lParam);
        if (!isChild(p) || (p->exStyle & kExNoParentNotify))
            break;
    }
}

void sendDestroyMessages(Window* w)
{
    WindowRef ref(w);
    if (captureWindow() == w)
        ReleaseCapture();
    Window* focus = focusWindow();
    if (focus && (focus == w || isDescendant(w, focus)))
        SetFocus(isChild(w) ? w->parent->handle : nullptr);
    sendMessage(w, WM_DESTROY, 0, 0);
    if (w->destroyed)
        return;
    std::vector<Window*> children = w->children;
    for (Window* c : children)
        if (!c->destroyed && c->parent == w)
            sendDestroyMessages(c);
}

void destroyTree(Window* w)
{
    WindowRef ref(w);
    w->destroying = true;
    std::vector<Window*> children = w->children;
    for (Window* c : children)
        if (!c->destroyed && c->parent == w)
            destroyTree(c);
    tooltipsForgetWindow(w->handle);
    removeTimersOf(w);
    removeMessagesOf(w);
    sendMessage(w, WM_NCDESTROY, 0, 0);
    releaseDCsOf(w);
    releaseControlState(w);
    forgetWindowState(w);
    if (isTopLevel(w)) {
        destroySurface(w);
        display().windowDestroyed(w->handle);
    }
    for (Window* other : std::vector<Window*>(topLevelWindows()))
        if (other->owner == w)
            other->owner = nullptr;
    unlinkWindow(w);
    retireWindow(w);
}

void abandonCreation(Window* w)
{
    // A window whose creation failed still gets its WM_NCDESTROY.
    if (!w->destroyed)
        destroyTree(w);
}

struct Placement {
    int x, y, cx, cy;
};

Placement resolveDefaults(DWORD style, int x, int y, int cx, int cy)
{
    bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    if (x == CW_USEDEFAULT) {
        if (overlapped) {
            POINT p = defaultPosition();
            x = p.x;
            y = p.y;
        } else {
            x = y = 0;
        }
    }
    if (cx == CW_USEDEFAULT) {
        if (overlapped) {
            SIZE screen = display().screenSize();
            cx = screen.cx * 3 / 4 - x;
            cy = screen.cy * 3 / 4 - y;
        } else {
            cx = cy = 0;
        }
    }
    return {x, y, std::max(cx, 0), std::max(cy, 0)};
}

}  // namespace

}  // namespace pl

using namespace pl;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parentWnd, HMENU menuOrId, HINSTANCE instance, LPVOID param)
{
    WindowClass* cls = findClass(className);
    if (!cls)
        return nullptr;
    Window* given = parentWnd && parentWnd != HWND_MESSAGE ? findWindow(parentWnd) : nullptr;
    if (parentWnd && parentWnd != HWND_MESSAGE && !given)
        return nullptr;
    if ((style & WS_CHILD) && !given)
        return nullptr;
    Window* parent = (style & WS_CHILD) ? given : desktopWindow();
    Window* owner = (style & WS_CHILD) ? nullptr : topLevelOf(given);
    if (owner == desktopWindow())
        owner = nullptr;

    Placement at = resolveDefaults(style, x, y, width, height);
    Window* w = createWindowObject(cls, parent, owner);
    WindowRef ref(w);
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->instance = instance;
    if (style & WS_CHILD)
        w->id = reinterpret_cast<LONG_PTR>(menuOrId);
    w->rect = {at.x, at.y, at.x + at.cx, at.y + at.cy};
    w->client = w->rect;
    linkWindow(w, parent, (style & WS_CHILD) ? HWND_BOTTOM : HWND_TOP);
    if (isTopLevel(w))
        createSurface(w);

    CREATESTRUCTA cs{param, instance, menuOrId, parentWnd, at.cy, at.cx, at.y, at.x,
                     static_cast<LONG>(style), windowName, className, exStyle};
    CBT_CREATEWNDA cbt{&cs, HWND_TOP};
    if (callCbtHooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(w->handle), reinterpret_cast<LPARAM>(&cbt)) ||
        w->destroyed) {
        abandonCreation(w);
        return nullptr;
    }
    if (!sendMessage(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) || w->destroyed) {
        abandonCreation(w);
        return nullptr;
    }
    RECT client = w->rect;
    sendMessage(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    w->client = client;
    if (sendMessage(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || w->destroyed) {
        if (!w->destroyed)
            DestroyWindow(w->handle);
        return nullptr;
    }
    sendMessage(w, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
    sendMessage(w, WM_MOVE, 0, MAKELPARAM(w->client.left, w->client.top));
    notifyParents(w, WM_CREATE);
    if (w->destroyed)
        return nullptr;
    if (style & WS_VISIBLE)
        ShowWindow(w->handle, SW_SHOW);
    return w->destroyed ? nullptr : w->handle;
}

BOOL DestroyWindow(HWND wnd)
{
    Window* w = findWindow(wnd);
    if (!w || w == desktopWindow() || w->destroying)
        return FALSE;
    WindowRef ref(w);
    if (callCbtHooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(wnd), 0))
        return FALSE;
    w->destroying = true;
    notifyParents(w, WM_DESTROY);
    if (w->style & WS_VISIBLE) {
        if (isChild(w))
            ShowWindow(wnd, SW_HIDE);
        else
            setWindowPos(w, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    if (w->destroyed)
        return TRUE;
    for (Window* other : std::vector<Window*>(topLevelWindows()))
        if (other->owner == w && !other->destroyed)
            DestroyWindow(other->handle);
    sendDestroyMessages(w);
    if (!w->destroyed)
        destroyTree(w);
    return TRUE;
}
