// WM_PAINT, window surfaces and the device contexts of windows. Every
// top-level window owns a 32-bit surface; its descendants draw into the same
// surface through DCs whose origin and clip follow the window geometry. A
// paint DC reaches only the update region it was begun for.
#include <algorithm>
#include <cstring>
#include <vector>

#include "DisplayDriver.h"
#include "Internal.h"
#include "plsurface.h"

namespace pl {

namespace {

struct DcRecord {
    HDC dc;
    Window* window;
    Window* top;
    HBITMAP surface;
    RECT clip;  // surface coordinates
};

struct PaintState {
    std::vector<DcRecord> dcs;
    std::vector<HBITMAP> staleSurfaces;  // replaced while a DC still drew on them
};

PaintState& paintState()
{
    static PaintState s;
    return s;
}

// The rectangle of the window (or of its client area) in its surface,
// clipped to the client areas of all its ancestors.
RECT visibleSurfaceRect(Window* w, bool whole)
{
    Window* top = topLevelOf(w);
    RECT topRect = windowScreenRect(top);
    auto toSurface = [&](RECT r) {
        OffsetRect(&r, -topRect.left, -topRect.top);
        return r;
    };
    RECT area = toSurface(whole ? windowScreenRect(w) : clientScreenRect(w));
    for (Window* a = w; a != top; a = a->parent) {
        RECT parentClient = toSurface(clientScreenRect(a->parent));
        IntersectRect(&area, &area, &parentClient);
    }
    RECT bounds = toSurface(topRect);
    IntersectRect(&area, &area, &bounds);
    return area;
}

void deleteUnusedStaleSurfaces()
{
    PaintState& s = paintState();
    auto used = [&](HBITMAP b) {
        return std::any_of(s.dcs.begin(), s.dcs.end(), [b](const DcRecord& r) { return r.surface == b; });
    };
    auto it = std::remove_if(s.staleSurfaces.begin(), s.staleSurfaces.end(), [&](HBITMAP b) {
        if (used(b))
            return false;
        DeleteObject(b);
        return true;
    });
    s.staleSurfaces.erase(it, s.staleSurfaces.end());
}

void retireSurface(HBITMAP surface)
{
    if (!surface)
        return;
    paintState().staleSurfaces.push_back(surface);
    deleteUnusedStaleSurfaces();
}

Window* searchPaint(Window* w)
{
    if (!(w->style & WS_VISIBLE) || w->destroyed)
        return nullptr;
    if (needsPaint(w))
        return w;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        if (Window* found = searchPaint(*it))
            return found;
    return nullptr;
}

void eraseBeforePaint(Window* w, HDC dc, PAINTSTRUCT* ps, bool erase)
{
    if (!erase)
        return;
    LRESULT handled = sendMessage(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (ps)
        ps->fErase = handled ? FALSE : TRUE;
}

}  // namespace

void createSurface(Window* top)
{
    int width = std::max(1, static_cast<int>(top->rect.right - top->rect.left));
    int height = std::max(1, static_cast<int>(top->rect.bottom - top->rect.top));
    top->surface = CreateBitmap(width, height, 1, 32, nullptr);
    top->surfaceDirty = {0, 0, width, height};
    if (top != desktopWindow())
        display().surfaceReplaced(top->handle, top->surface);
}

void resizeSurface(Window* top, int oldWidth, int oldHeight)
{
    HBITMAP old = top->surface;
    createSurface(top);
    SIZE oldSize{}, newSize{};
    uint32_t* from = old ? PlBitmapBits(old, &oldSize) : nullptr;
    uint32_t* to = PlBitmapBits(top->surface, &newSize);
    if (from && to) {
        // The content stays in the top-left corner until the window repaints.
        int rows = std::min({oldSize.cy, newSize.cy, static_cast<LONG>(std::max(oldHeight, 1))});
        int cols = std::min({oldSize.cx, newSize.cx, static_cast<LONG>(std::max(oldWidth, 1))});
        for (int y = 0; y < rows; ++y)
            std::memcpy(to + static_cast<size_t>(y) * newSize.cx, from + static_cast<size_t>(y) * oldSize.cx,
                        sizeof(uint32_t) * cols);
    }
    retireSurface(old);
}

void destroySurface(Window* top)
{
    HBITMAP old = top->surface;
    top->surface = nullptr;
    retireSurface(old);
}

void markSurfaceChanged(Window* top, const RECT& surfaceRect)
{
    if (!top || IsRectEmpty(&surfaceRect))
        return;
    UnionRect(&top->surfaceDirty, &top->surfaceDirty, &surfaceRect);
}

void flushSurfaces()
{
    for (const DcRecord& r : paintState().dcs)
        if (!r.top->destroyed && r.top->surface == r.surface)
            markSurfaceChanged(r.top, r.clip);
    for (Window* top : topLevelWindows()) {
        if (IsRectEmpty(&top->surfaceDirty))
            continue;
        RECT dirty = top->surfaceDirty;
        top->surfaceDirty = {};
        if (top->style & WS_VISIBLE)
            display().surfaceChanged(top->handle, dirty);
    }
    display().flush();
}

HDC getWindowDC(Window* w, bool whole, const RECT* extraClip)
{
    Window* top = topLevelOf(w);
    if (!top->surface)
        createSurface(top);
    POINT origin = surfaceOrigin(w);
    if (!whole) {
        origin.x += w->client.left - w->rect.left;
        origin.y += w->client.top - w->rect.top;
    }
    RECT clip{};
    if (isShown(w)) {
        clip = visibleSurfaceRect(w, whole);
        if (extraClip) {
            RECT extra = *extraClip;
            OffsetRect(&extra, origin.x, origin.y);
            IntersectRect(&clip, &clip, &extra);
        }
    }
    if (IsRectEmpty(&clip))
        clip = {0, 0, 0, 0};
    HDC dc = PlCreateSurfaceDC(top->surface, origin, &clip);
    if (dc)
        paintState().dcs.push_back({dc, w, top, top->surface, clip});
    return dc;
}

HDC getPaintDC(Window* w, const gdi::Region& area)
{
    RECT box = area.bounds();
    HDC dc = getWindowDC(w, false, &box);
    if (!dc)
        return dc;
    POINT origin = surfaceOrigin(w);
    gdi::Region inSurface = area;
    inSurface.offset(origin.x + (w->client.left - w->rect.left), origin.y + (w->client.top - w->rect.top));
    PlLimitSurfaceDC(dc, inSurface.rects().data(), inSurface.rects().size());
    return dc;
}

void releaseDCsOf(Window* w)
{
    auto& dcs = paintState().dcs;
    for (auto it = dcs.begin(); it != dcs.end();) {
        if (it->window == w) {
            DeleteDC(it->dc);
            it = dcs.erase(it);
        } else {
            ++it;
        }
    }
    deleteUnusedStaleSurfaces();
}

Window* windowToPaint(Window* filter)
{
    if (filter) {
        if (!isShown(filter))
            return nullptr;
        return searchPaint(filter);
    }
    for (Window* top : std::vector<Window*>(topLevelWindows()))
        if (Window* found = searchPaint(top))
            return found;
    return nullptr;
}

void paintNow(Window* w, bool children)
{
    if (!w || w->destroyed || !isShown(w))
        return;
    WindowRef ref(w);
    if (needsPaint(w))
        sendMessage(w, WM_PAINT, 0, 0);
    if (!children || w->destroyed)
        return;
    std::vector<Window*> kids(w->children.rbegin(), w->children.rend());
    for (Window* c : kids)
        if (!c->destroyed && c->parent == w)
            paintNow(c, true);
}

void eraseNow(Window* w, bool children)
{
    if (!w || w->destroyed || !isShown(w))
        return;
    WindowRef ref(w);
    if (w->frameDirty) {
        w->frameDirty = false;
        sendMessage(w, WM_NCPAINT, 1, 0);
    }
    if (w->erase && !w->update.empty()) {
        w->erase = false;
        HDC dc = getPaintDC(w, w->update);
        eraseBeforePaint(w, dc, nullptr, true);
        ReleaseDC(w->handle, dc);
    }
    if (!children || w->destroyed)
        return;
    std::vector<Window*> kids(w->children.rbegin(), w->children.rend());
    for (Window* c : kids)
        if (!c->destroyed && c->parent == w)
            eraseNow(c, true);
}

}  // namespace pl

using namespace pl;

BOOL UpdateWindow(HWND wnd)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    paintNow(w, true);
    return TRUE;
}

HDC BeginPaint(HWND wnd, LPPAINTSTRUCT paint)
{
    Window* w = findWindow(wnd);
    if (!w || !paint)
        return nullptr;
    WindowRef ref(w);
    if (w->frameDirty) {
        w->frameDirty = false;
        sendMessage(w, WM_NCPAINT, 1, 0);
    }
    gdi::Region area = w->update;
    bool erase = w->erase;
    validateClient(w, nullptr);
    std::memset(paint, 0, sizeof *paint);
    paint->hdc = getPaintDC(w, area);
    paint->rcPaint = area.bounds();
    paint->fErase = erase ? TRUE : FALSE;
    if (erase && !area.empty())
        eraseBeforePaint(w, paint->hdc, paint, true);
    return paint->hdc;
}

BOOL EndPaint(HWND wnd, const PAINTSTRUCT* paint)
{
    if (!paint)
        return FALSE;
    ReleaseDC(wnd, paint->hdc);
    return TRUE;
}

HDC GetDC(HWND wnd)
{
    Window* w = wnd ? findWindow(wnd) : desktopWindow();
    return w ? getWindowDC(w, false, nullptr) : nullptr;
}

// The region takes part only with DCX_INTERSECTRGN or DCX_EXCLUDERGN, which
// nothing here asks for; without them it is ignored, natively too.
HDC GetDCEx(HWND wnd, HRGN, DWORD flags)
{
    Window* w = wnd ? findWindow(wnd) : desktopWindow();
    return w ? getWindowDC(w, (flags & DCX_WINDOW) != 0, nullptr) : nullptr;
}

HDC GetWindowDC(HWND wnd)
{
    Window* w = wnd ? findWindow(wnd) : desktopWindow();
    return w ? getWindowDC(w, true, nullptr) : nullptr;
}

int ReleaseDC(HWND, HDC dc)
{
    auto& dcs = paintState().dcs;
    auto it = std::find_if(dcs.begin(), dcs.end(), [dc](const DcRecord& r) { return r.dc == dc; });
    if (it == dcs.end())
        return 0;
    if (!it->top->destroyed && it->top->surface == it->surface)
        markSurfaceChanged(it->top, it->clip);
    DeleteDC(it->dc);
    dcs.erase(it);
    deleteUnusedStaleSurfaces();
    return 1;
}

HWND WindowFromDC(HDC dc)
{
    for (const DcRecord& r : paintState().dcs)
        if (r.dc == dc)
            return r.window->destroyed ? nullptr : r.window->handle;
    return nullptr;
}
