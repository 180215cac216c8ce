// Clip regions as lists of disjoint rectangles.
#include "region.h"

#include <algorithm>

namespace gdi {

bool RectEmpty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

RECT RectIntersection(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (RectEmpty(r))
        return RECT{0, 0, 0, 0};
    return r;
}

RECT NormalizedRect(int left, int top, int right, int bottom)
{
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

Region::Region(const RECT& r)
{
    if (!RectEmpty(r))
        m_rects.push_back(r);
}

void Region::intersect(const RECT& r)
{
    std::vector<RECT> kept;
    for (const RECT& part : m_rects) {
        RECT i = RectIntersection(part, r);
        if (!RectEmpty(i))
            kept.push_back(i);
    }
    m_rects = std::move(kept);
}

void Region::exclude(const RECT& r)
{
    if (RectEmpty(r))
        return;
    std::vector<RECT> kept;
    for (const RECT& p : m_rects) {
        RECT hole = RectIntersection(p, r);
        if (RectEmpty(hole)) {
            kept.push_back(p);
            continue;
        }
        // Up to four pieces around the hole: full-width bands above and
        // below, and the sides of the hole's band.
        if (p.top < hole.top)
            kept.push_back(RECT{p.left, p.top, p.right, hole.top});
        if (hole.bottom < p.bottom)
            kept.push_back(RECT{p.left, hole.bottom, p.right, p.bottom});
        if (p.left < hole.left)
            kept.push_back(RECT{p.left, hole.top, hole.left, hole.bottom});
        if (hole.right < p.right)
            kept.push_back(RECT{hole.right, hole.top, p.right, hole.bottom});
    }
    m_rects = std::move(kept);
}

void Region::offset(int dx, int dy)
{
    for (RECT& r : m_rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

RECT Region::bounds() const
{
    if (m_rects.empty())
        return RECT{0, 0, 0, 0};
    RECT b = m_rects.front();
    for (const RECT& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

int Region::complexity() const
{
    if (m_rects.empty())
        return 1;  // NULLREGION
    return m_rects.size() == 1 ? 2 : 3;  // SIMPLEREGION, COMPLEXREGION
}

bool Region::contains(int x, int y) const
{
    for (const RECT& r : m_rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

}  // namespace gdi
