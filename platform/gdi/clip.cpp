// Clip operations. The clip is kept in device coordinates; rectangles given
// in logical coordinates are converted with the origins in force at the call.
#include "dc.h"
#include "region_object.h"

using namespace gdi;

namespace {

RECT DeviceRect(const DeviceContext& dc, int left, int top, int right, int bottom)
{
    POINT a = dc.toDevice(left, top);
    POINT b = dc.toDevice(right, bottom);
    return NormalizedRect(a.x, a.y, b.x, b.y);
}

Region& ClipRegion(DeviceContext& dc)
{
    if (!dc.m_state.clip)
        dc.m_state.clip = Region(dc.deviceArea());
    return *dc.m_state.clip;
}

int VisibleComplexity(DeviceContext& dc)
{
    size_t n = dc.visibleRects().size();
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

int GetClipBox(HDC handle, LPRECT rect)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect)
        return ERROR;
    RECT b = dc->visibleBounds();
    if (RectEmpty(b)) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    POINT origin = dc->deviceToSurface();
    POINT lt = dc->toLogical(b.left - origin.x, b.top - origin.y);
    POINT rb = dc->toLogical(b.right - origin.x, b.bottom - origin.y);
    *rect = RECT{lt.x, lt.y, rb.x, rb.y};
    return VisibleComplexity(*dc);
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return ERROR;
    ClipRegion(*dc).intersect(DeviceRect(*dc, left, top, right, bottom));
    dc->invalidateClip();
    return VisibleComplexity(*dc);
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return ERROR;
    ClipRegion(*dc).exclude(DeviceRect(*dc, left, top, right, bottom));
    dc->invalidateClip();
    return VisibleComplexity(*dc);
}

int SelectClipRgn(HDC handle, HRGN region)
{
    return ExtSelectClipRgn(handle, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC handle, HRGN region, int mode)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return ERROR;
    if (!region) {
        if (mode != RGN_COPY)
            return ERROR;
        dc->m_state.clip.reset();
        dc->invalidateClip();
        return VisibleComplexity(*dc);
    }
    const Region* given = LookupRegion(region);
    if (!given)
        return ERROR;
    Region combined = ClipRegion(*dc);
    switch (mode) {
    case RGN_COPY: combined = *given; break;
    case RGN_AND: combined.intersect(*given); break;
    case RGN_OR: combined.unite(*given); break;
    case RGN_XOR: combined.exclusiveOr(*given); break;
    case RGN_DIFF: combined.subtract(*given); break;
    default: return ERROR;
    }
    dc->m_state.clip = std::move(combined);
    dc->invalidateClip();
    return VisibleComplexity(*dc);
}

BOOL PtVisible(HDC handle, int x, int y)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    POINT p = dc->toSurface(x, y);
    for (const RECT& r : dc->visibleRects())
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
            return TRUE;
    return FALSE;
}

BOOL RectVisible(HDC handle, LPCRECT rect)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect)
        return FALSE;
    POINT a = dc->toSurface(rect->left, rect->top);
    POINT b = dc->toSurface(rect->right, rect->bottom);
    RECT r = NormalizedRect(a.x, a.y, b.x, b.y);
    for (const RECT& v : dc->visibleRects())
        if (!RectEmpty(RectIntersection(v, r)))
            return TRUE;
    return FALSE;
}
