// Regions: sets of pixels kept as disjoint rectangles in bands, as the
// native region code keeps them. Rectangles sharing a band have the same top
// and bottom and are ordered left to right without touching; bands are
// ordered top to bottom, and two adjacent bands never have the same spans.
// Keeping every region in this one form lets equal pixel sets compare equal
// and lets a region that is a rectangle report itself as simple, whatever
// operations built it.
#pragma once

#include <vector>

#include "windef.h"

namespace gdi {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);

    void intersect(const RECT& r);
    void exclude(const RECT& r);
    void intersect(const Region& other);
    void unite(const Region& other);
    void subtract(const Region& other);
    void exclusiveOr(const Region& other);
    void offset(int dx, int dy);

    bool empty() const { return m_rects.empty(); }
    const std::vector<RECT>& rects() const { return m_rects; }
    RECT bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int complexity() const;
    bool contains(int x, int y) const;
    bool overlaps(const RECT& r) const;
    bool operator==(const Region& other) const;

private:
    std::vector<RECT> m_rects;
};

bool RectEmpty(const RECT& r);
RECT RectIntersection(const RECT& a, const RECT& b);
RECT NormalizedRect(int left, int top, int right, int bottom);

}  // namespace gdi
