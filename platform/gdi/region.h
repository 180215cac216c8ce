// A clip region: a list of disjoint rectangles. Enough for the clip
// operations of a DC (intersect, exclude) to be exact.
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
    void offset(int dx, int dy);

    bool empty() const { return m_rects.empty(); }
    const std::vector<RECT>& rects() const { return m_rects; }
    RECT bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int complexity() const;
    bool contains(int x, int y) const;

private:
    std::vector<RECT> m_rects;
};

bool RectEmpty(const RECT& r);
RECT RectIntersection(const RECT& a, const RECT& b);
RECT NormalizedRect(int left, int top, int right, int bottom);

}  // namespace gdi
