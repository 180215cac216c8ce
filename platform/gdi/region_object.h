// Region objects: an HRGN is a GDI object holding a Region. The window layer
// reads and fills them for its update regions.
#pragma once

#include "object.h"
#include "region.h"

namespace gdi {

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(OBJ_REGION) {}
    Region m_region;
};

// The region behind a handle, or null when the handle is not a live region.
Region* LookupRegion(HRGN handle);

}  // namespace gdi
