// Update regions: what a window has to repaint, in client coordinates. A
// region, not a rectangle, so that two separate invalidations repaint two
// areas and not the box around them, and validating a piece in the middle
// leaves exactly the rest to paint.
#include "Internal.h"
#include "region_object.h"

namespace pl {

namespace {

gdi::Region clientArea(const Window* w)
{
    return gdi::Region(RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top});
}

// The child draws into the same surface, so the part of `area` (parent
// client coordinates) over it must be repainted by the child too.
void invalidateChildArea(Window* child, const gdi::Region& area, bool erase)
{
    gdi::Region under = area;
    under.intersect(child->rect);
    if (under.empty())
        return;
    gdi::Region inClient = under;
    inClient.intersect(child->client);
    if (!(inClient == under))
        child->frameDirty = true;
    inClient.offset(-child->client.left, -child->client.top);
    invalidateClientRegion(child, inClient, erase, false);
}

}  // namespace

void invalidateClientRegion(Window* w, const gdi::Region& region, bool erase, bool frame)
{
    if (!w || w->destroyed)
        return;
    gdi::Region area = clientArea(w);
    area.intersect(region);
    if (frame)
        w->frameDirty = true;
    if (area.empty())
        return;
    w->update.unite(area);
    if (erase)
        w->erase = true;
    for (Window* child : w->children)
        if (child->style & WS_VISIBLE)
            invalidateChildArea(child, area, true);
}

void invalidateClient(Window* w, const RECT* rect, bool erase, bool frame)
{
    if (!w || w->destroyed)
        return;
    invalidateClientRegion(w, rect ? gdi::Region(*rect) : clientArea(w), erase, frame);
}

void invalidateWhole(Window* w, bool erase)
{
    invalidateClient(w, nullptr, erase, true);
}

void invalidateUnder(Window* parent, const RECT& rect)
{
    if (parent == desktopWindow())
        return;  // top-level windows do not draw on each other
    invalidateClient(parent, &rect, true, false);
    RECT client = parent->client;
    OffsetRect(&client, -client.left, -client.top);
    RECT inside;
    IntersectRect(&inside, &rect, &client);
    if (!EqualRect(&inside, &rect))
        parent->frameDirty = true;
}

void validateClientRegion(Window* w, const gdi::Region& region)
{
    w->update.subtract(region);
    if (w->update.empty())
        w->erase = false;
}

void validateClient(Window* w, const RECT* rect)
{
    if (!rect) {
        w->update = gdi::Region();
        w->erase = false;
        w->internalPaint = false;
        return;
    }
    validateClientRegion(w, gdi::Region(*rect));
}

bool needsPaint(const Window* w)
{
    return !w->update.empty() || w->frameDirty || w->internalPaint;
}

}  // namespace pl

using namespace pl;

namespace {

Window* windowOrDesktop(HWND wnd)
{
    return wnd ? findWindow(wnd) : desktopWindow();
}

}  // namespace

BOOL InvalidateRect(HWND wnd, LPCRECT rect, BOOL erase)
{
    Window* w = windowOrDesktop(wnd);
    if (!w)
        return FALSE;
    invalidateClient(w, rect, erase != FALSE, false);
    return TRUE;
}

BOOL ValidateRect(HWND wnd, LPCRECT rect)
{
    Window* w = windowOrDesktop(wnd);
    if (!w)
        return FALSE;
    validateClient(w, rect);
    return TRUE;
}

BOOL InvalidateRgn(HWND wnd, HRGN region, BOOL erase)
{
    Window* w = windowOrDesktop(wnd);
    if (!w)
        return FALSE;
    if (!region) {
        invalidateClient(w, nullptr, erase != FALSE, false);
        return TRUE;
    }
    const gdi::Region* area = gdi::LookupRegion(region);
    if (!area)
        return FALSE;
    invalidateClientRegion(w, *area, erase != FALSE, false);
    return TRUE;
}

BOOL ValidateRgn(HWND wnd, HRGN region)
{
    Window* w = windowOrDesktop(wnd);
    if (!w)
        return FALSE;
    if (!region) {
        validateClient(w, nullptr);
        return TRUE;
    }
    const gdi::Region* area = gdi::LookupRegion(region);
    if (!area)
        return FALSE;
    validateClientRegion(w, *area);
    return TRUE;
}

BOOL GetUpdateRect(HWND wnd, LPRECT rect, BOOL erase)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    if (erase)
        eraseNow(w, false);
    if (rect)
        *rect = w->update.bounds();
    return w->update.empty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND wnd, HRGN region, BOOL erase)
{
    Window* w = findWindow(wnd);
    gdi::Region* out = gdi::LookupRegion(region);
    if (!w || !out)
        return ERROR;
    if (erase)
        eraseNow(w, false);
    *out = w->update;
    return out->complexity();
}

BOOL RedrawWindow(HWND wnd, LPCRECT rect, HRGN region, UINT flags)
{
    Window* w = windowOrDesktop(wnd);
    if (!w)
        return FALSE;
    // A region wins over a rectangle; with neither, the whole client area.
    gdi::Region area = clientArea(w);
    if (region) {
        const gdi::Region* given = gdi::LookupRegion(region);
        if (!given)
            return FALSE;
        area = *given;
    } else if (rect) {
        area = gdi::Region(*rect);
    }
    if (flags & RDW_INVALIDATE) {
        invalidateClientRegion(w, area, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0);
        if (flags & RDW_INTERNALPAINT)
            w->internalPaint = true;
    } else if (flags & RDW_VALIDATE) {
        validateClientRegion(w, area);
        if (flags & RDW_NOFRAME)
            w->frameDirty = false;
        if (flags & RDW_NOERASE)
            w->erase = false;
        if (flags & RDW_NOINTERNALPAINT)
            w->internalPaint = false;
    }
    if (flags & RDW_UPDATENOW)
        paintNow(w, !(flags & RDW_NOCHILDREN));
    else if (flags & RDW_ERASENOW)
        eraseNow(w, !(flags & RDW_NOCHILDREN));
    return TRUE;
}
