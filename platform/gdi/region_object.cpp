// Region objects and the calls on them. Coordinates are whatever the caller
// means (client, device); a region has no origin of its own.
#include "region_object.h"

#include <memory>

namespace gdi {

Region* LookupRegion(HRGN handle)
{
    auto* object = LookupAs<RegionObject>(handle, OBJ_REGION);
    return object ? &object->m_region : nullptr;
}

}  // namespace gdi

using namespace gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    auto object = std::make_unique<RegionObject>();
    // Reversed corners describe the same rectangle, as natively.
    object->m_region = Region(NormalizedRect(left, top, right, bottom));
    return static_cast<HRGN>(RegisterObject(std::move(object)));
}

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    if (!rect)
        return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    Region* target = LookupRegion(dest);
    Region* first = LookupRegion(src1);
    if (!target || !first)
        return ERROR;
    if (mode == RGN_COPY) {
        *target = *first;
        return target->complexity();
    }
    Region* second = LookupRegion(src2);
    if (!second)
        return ERROR;
    Region result = *first;  // dest may be one of the sources
    switch (mode) {
    case RGN_AND: result.intersect(*second); break;
    case RGN_OR: result.unite(*second); break;
    case RGN_XOR: result.exclusiveOr(*second); break;
    case RGN_DIFF: result.subtract(*second); break;
    default: return ERROR;
    }
    *target = std::move(result);
    return target->complexity();
}

int GetRgnBox(HRGN handle, LPRECT rect)
{
    Region* region = LookupRegion(handle);
    if (!region || !rect)
        return ERROR;
    *rect = region->bounds();
    return region->complexity();
}

int OffsetRgn(HRGN handle, int dx, int dy)
{
    Region* region = LookupRegion(handle);
    if (!region)
        return ERROR;
    region->offset(dx, dy);
    return region->complexity();
}

BOOL PtInRegion(HRGN handle, int x, int y)
{
    Region* region = LookupRegion(handle);
    return region && region->contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN handle, const RECT* rect)
{
    Region* region = LookupRegion(handle);
    if (!region || !rect)
        return FALSE;
    return region->overlaps(NormalizedRect(rect->left, rect->top, rect->right, rect->bottom)) ? TRUE : FALSE;
}
