// Coordinate conversion and finding the window under a point.
#include "Coords.h"

#include "Internal.h"

namespace pl {

namespace {

struct Hit {
    Window* window = nullptr;
    LRESULT code = HTNOWHERE;
    bool disabled = false;  // a disabled window is there: its parent takes the point
};

Hit searchChildren(Window* parent, POINT screen)
{
    for (Window* child : std::vector<Window*>(parent->children)) {
        if (child->destroyed || !(child->style & WS_VISIBLE))
            continue;
        RECT wr = windowScreenRect(child);
        if (!PtInRect(&wr, screen))
            continue;
        if (!isEnabled(child))
            return {nullptr, HTNOWHERE, true};
        RECT cr = clientScreenRect(child);
        if (PtInRect(&cr, screen)) {
            Hit inner = searchChildren(child, screen);
            if (inner.window)
                return inner;
            if (inner.disabled)
                return {child, HTCLIENT, false};
        }
        LRESULT code = sendMessage(child, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (child->destroyed || code == HTTRANSPARENT)
            continue;
        return {child, code, false};
    }
    return {};
}

}  // namespace

Window* windowAtPoint(POINT screen, LRESULT* hitCode)
{
    Hit hit = searchChildren(desktopWindow(), screen);
    if (hitCode)
        *hitCode = hit.code;
    return hit.window;
}

}  // namespace pl

using namespace pl;

BOOL ClientToScreen(HWND wnd, LPPOINT point)
{
    Window* w = findWindow(wnd);
    if (!w || !point)
        return FALSE;
    POINT o = clientOrigin(w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND wnd, LPPOINT point)
{
    Window* w = findWindow(wnd);
    if (!w || !point)
        return FALSE;
    POINT o = clientOrigin(w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    Window* a = from ? findWindow(from) : desktopWindow();
    Window* b = to ? findWindow(to) : desktopWindow();
    if (!a || !b)
        return 0;
    POINT oa = clientOrigin(a);
    POINT ob = clientOrigin(b);
    int dx = oa.x - ob.x;
    int dy = oa.y - ob.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)), static_cast<WORD>(static_cast<SHORT>(dy)));
}

HWND WindowFromPoint(POINT screenPoint)
{
    Window* w = windowAtPoint(screenPoint, nullptr);
    return w ? w->handle : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint)
{
    Window* p = findWindow(parent);
    if (!p)
        return nullptr;
    RECT bounds{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
    if (!PtInRect(&bounds, clientPoint))
        return nullptr;
    for (Window* c : p->children)
        if (PtInRect(&c->rect, clientPoint))
            return c->handle;
    return parent;
}
