// ScrollWindow: moves the pixels of a client area within its surface and
// invalidates the strips that were uncovered.
#include <algorithm>
#include <cstring>
#include <vector>

#include "Internal.h"
#include "plsurface.h"

namespace pl {

namespace {

// Copies the surface pixels of `dest` (surface coordinates) from `dest`
// shifted back by (dx, dy).
void movePixels(Window* top, const RECT& dest, int dx, int dy)
{
    SIZE size{};
    uint32_t* bits = PlBitmapBits(top->surface, &size);
    if (!bits || IsRectEmpty(&dest))
        return;
    int width = dest.right - dest.left;
    std::vector<uint32_t> row(static_cast<size_t>(width));
    auto copyRow = [&](int y) {
        const uint32_t* from = bits + static_cast<size_t>(y - dy) * size.cx + (dest.left - dx);
        std::memcpy(row.data(), from, sizeof(uint32_t) * width);
        std::memcpy(bits + static_cast<size_t>(y) * size.cx + dest.left, row.data(), sizeof(uint32_t) * width);
    };
    if (dy > 0) {
        for (int y = dest.bottom - 1; y >= dest.top; --y)
            copyRow(y);
    } else {
        for (int y = dest.top; y < dest.bottom; ++y)
            copyRow(y);
    }
    markSurfaceChanged(top, dest);
}

void scrollChildren(Window* w, int dx, int dy)
{
    for (Window* c : std::vector<Window*>(w->children))
        if (!c->destroyed)
            setWindowPos(c, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                         SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace

}  // namespace pl

using namespace pl;

BOOL ScrollWindow(HWND wnd, int dx, int dy, LPCRECT scroll, LPCRECT clip)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    RECT area = client;
    if (scroll)
        IntersectRect(&area, &area, scroll);
    RECT limit = client;
    if (clip)
        IntersectRect(&limit, &limit, clip);
    IntersectRect(&area, &area, &limit);
    if (IsRectEmpty(&area) || (dx == 0 && dy == 0))
        return TRUE;

    RECT dest = area;
    OffsetRect(&dest, dx, dy);
    IntersectRect(&dest, &dest, &area);
    if (isShown(w)) {
        // Only pixels that are really on the surface (inside every ancestor) move.
        Window* top = topLevelOf(w);
        HDC probe = getWindowDC(w, false, nullptr);
        RECT visible{};
        GetClipBox(probe, &visible);
        ReleaseDC(wnd, probe);
        RECT target = dest;
        IntersectRect(&target, &target, &visible);
        RECT source = target;
        OffsetRect(&source, -dx, -dy);
        IntersectRect(&source, &source, &visible);
        OffsetRect(&source, dx, dy);
        IntersectRect(&target, &target, &source);
        POINT origin = surfaceOrigin(w);
        OffsetRect(&target, origin.x + (w->client.left - w->rect.left), origin.y + (w->client.top - w->rect.top));
        movePixels(top, target, dx, dy);
    }
    // The pending update area moves with the content it belongs to.
    if (!w->update.empty()) {
        gdi::Region moved = w->update;
        moved.offset(dx, dy);
        w->update.unite(moved);
        w->update.intersect(client);
    }
    if (dx > 0) {
        RECT strip{area.left, area.top, std::min(area.left + dx, area.right), area.bottom};
        invalidateClient(w, &strip, true, false);
    } else if (dx < 0) {
        RECT strip{std::max(area.right + dx, area.left), area.top, area.right, area.bottom};
        invalidateClient(w, &strip, true, false);
    }
    if (dy > 0) {
        RECT strip{area.left, area.top, area.right, std::min(area.top + dy, area.bottom)};
        invalidateClient(w, &strip, true, false);
    } else if (dy < 0) {
        RECT strip{area.left, std::max(area.bottom + dy, area.top), area.right, area.bottom};
        invalidateClient(w, &strip, true, false);
    }
    if (!scroll)
        scrollChildren(w, dx, dy);
    return TRUE;
}
