// Entry points the window layer uses to draw into window surfaces.
#include "bitmap.h"
#include "dc.h"
#include "plsurface.h"

using namespace gdi;

uint32_t* PlBitmapBits(HBITMAP handle, SIZE* size)
{
    Bitmap* bitmap = LookupAs<Bitmap>(handle, OBJ_BITMAP);
    if (!bitmap)
        return nullptr;
    if (size)
        *size = SIZE{bitmap->m_pixels->width, bitmap->m_pixels->height};
    return bitmap->m_pixels->pixels.data();
}

HDC PlCreateSurfaceDC(HBITMAP surface, POINT origin, const RECT* clip)
{
    Bitmap* bitmap = LookupAs<Bitmap>(surface, OBJ_BITMAP);
    if (!bitmap)
        return nullptr;
    auto dc = std::make_unique<DeviceContext>(false);
    dc->m_target = bitmap->m_pixels;
    dc->m_surfaceOrigin = origin;
    RECT bounds = bitmap->m_pixels->bounds();
    dc->m_surfaceClip = clip ? RectIntersection(*clip, bounds) : bounds;
    return static_cast<HDC>(RegisterObject(std::move(dc)));
}

BOOL PlLimitSurfaceDC(HDC handle, const RECT* rects, size_t count)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || dc->isMemory() || (!rects && count > 0))
        return FALSE;
    Region limit;
    for (size_t i = 0; i < count; ++i)
        limit.unite(Region(rects[i]));
    if (dc->m_systemRegion)
        limit.intersect(*dc->m_systemRegion);
    dc->m_systemRegion = std::move(limit);
    dc->invalidateClip();
    return TRUE;
}
