// Region operations. Every operation runs one sweep: the edges of both
// operands cut the plane into horizontal bands, in each band the spans of
// the two operands are combined by the operation's truth table, and a band
// whose spans repeat those of the band just above is merged into it.
#include "region.h"

#include <algorithm>
#include <utility>

namespace gdi {

namespace {

using Span = std::pair<int, int>;  // [left, right)
using Spans = std::vector<Span>;

// Whether a pixel stays in the result, given whether it is in each operand.
using Rule = bool (*)(bool inA, bool inB);

bool BothRule(bool a, bool b) { return a && b; }
bool EitherRule(bool a, bool b) { return a || b; }
bool FirstOnlyRule(bool a, bool b) { return a && !b; }
bool OneRule(bool a, bool b) { return a != b; }

// The spans of a banded region in the band that contains row y.
void SpansAt(const std::vector<RECT>& rects, int y, Spans& out)
{
    out.clear();
    for (const RECT& r : rects) {
        if (r.top > y)
            break;  // bands are ordered top to bottom
        if (y < r.bottom)
            out.emplace_back(r.left, r.right);
    }
}

bool Covers(const Spans& spans, size_t& cursor, int x)
{
    while (cursor < spans.size() && spans[cursor].second <= x)
        ++cursor;
    return cursor < spans.size() && spans[cursor].first <= x;
}

void CombineSpans(const Spans& a, const Spans& b, Rule rule, Spans& out)
{
    out.clear();
    std::vector<int> xs;
    xs.reserve(2 * (a.size() + b.size()));
    for (const Span& s : a) {
        xs.push_back(s.first);
        xs.push_back(s.second);
    }
    for (const Span& s : b) {
        xs.push_back(s.first);
        xs.push_back(s.second);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    size_t ca = 0, cb = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        if (!rule(Covers(a, ca, xs[i]), Covers(b, cb, xs[i])))
            continue;
        if (!out.empty() && out.back().second == xs[i])
            out.back().second = xs[i + 1];
        else
            out.emplace_back(xs[i], xs[i + 1]);
    }
}

std::vector<RECT> Combine(const std::vector<RECT>& a, const std::vector<RECT>& b, Rule rule)
{
    std::vector<int> ys;
    ys.reserve(2 * (a.size() + b.size()));
    for (const auto* rects : {&a, &b})
        for (const RECT& r : *rects) {
            ys.push_back(r.top);
            ys.push_back(r.bottom);
        }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<RECT> out;
    Spans spansA, spansB, band, previous;
    size_t previousStart = 0;
    bool previousTouches = false;  // the last band emitted ends where this one starts
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        int top = ys[i], bottom = ys[i + 1];
        SpansAt(a, top, spansA);
        SpansAt(b, top, spansB);
        CombineSpans(spansA, spansB, rule, band);
        if (band.empty()) {
            previousTouches = false;
            continue;
        }
        if (previousTouches && band == previous) {
            for (size_t k = previousStart; k < out.size(); ++k)
                out[k].bottom = bottom;
        } else {
            previousStart = out.size();
            for (const Span& s : band)
                out.push_back(RECT{s.first, top, s.second, bottom});
            std::swap(previous, band);
        }
        previousTouches = true;
    }
    return out;
}

}  // namespace

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
    if (m_rects.size() == 1) {  // the common case of a clip: no sweep needed
        m_rects.front() = RectIntersection(m_rects.front(), r);
        if (RectEmpty(m_rects.front()))
            m_rects.clear();
        return;
    }
    intersect(Region(r));
}

void Region::exclude(const RECT& r)
{
    subtract(Region(r));
}

void Region::intersect(const Region& other)
{
    m_rects = Combine(m_rects, other.m_rects, BothRule);
}

void Region::unite(const Region& other)
{
    m_rects = Combine(m_rects, other.m_rects, EitherRule);
}

void Region::subtract(const Region& other)
{
    if (other.empty())
        return;
    m_rects = Combine(m_rects, other.m_rects, FirstOnlyRule);
}

void Region::exclusiveOr(const Region& other)
{
    m_rects = Combine(m_rects, other.m_rects, OneRule);
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

bool Region::overlaps(const RECT& r) const
{
    for (const RECT& part : m_rects)
        if (!RectEmpty(RectIntersection(part, r)))
            return true;
    return false;
}

bool Region::operator==(const Region& other) const
{
    return std::equal(m_rects.begin(), m_rects.end(), other.m_rects.begin(), other.m_rects.end(),
                      [](const RECT& a, const RECT& b) {
                          return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
                      });
}

}  // namespace gdi
