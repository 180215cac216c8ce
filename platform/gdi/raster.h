// The one place that clips: primitives hand spans, rectangles and points in
// surface pixels to a Canvas, which intersects them with the DC's visible
// rectangles and combines pixels through an Ink.
#pragma once

#include <vector>

#include "dc.h"
#include "rop.h"

namespace gdi {

struct Brush;

// How drawn pixels combine with the destination: one mask pair for a solid
// colour, or a table of mask pairs for a pattern anchored at the brush origin.
struct Ink {
    RopMasks solid;
    bool patterned = false;
    bool patternCopies = false;  // every pattern pixel replaces the destination
    int patternWidth = 0;
    int patternHeight = 0;
    int originX = 0;  // surface pixel where pattern pixel (0, 0) lies
    int originY = 0;
    std::vector<RopMasks> pattern;

    bool isCopy() const { return !patterned && solid.andMask == 0; }
    const RopMasks& at(int x, int y) const
    {
        if (!patterned)
            return solid;
        int px = (x - originX) % patternWidth;
        int py = (y - originY) % patternHeight;
        if (px < 0)
            px += patternWidth;
        if (py < 0)
            py += patternHeight;
        return pattern[size_t(py) * size_t(patternWidth) + size_t(px)];
    }
};

// Ink of a colour under the DC's binary raster operation (or `rop2`).
Ink ColorInk(DeviceContext& dc, COLORREF color, int rop2);
// Ink of a brush (solid or pattern) under `rop2`; for a pattern, the DC's
// text and background colours colour a monochrome pattern.
Ink BrushInk(DeviceContext& dc, const Brush& brush, int rop2);
// The DC's colour for a pixel of the given colour: black or white on a
// monochrome target.
uint32_t TargetPixel(DeviceContext& dc, COLORREF color);

class Canvas {
public:
    explicit Canvas(DeviceContext& dc);

    bool nothingVisible() const { return m_rects.empty(); }
    bool visible(int x, int y) const;

    void plot(int x, int y, const Ink& ink);
    void fillSpan(int y, int x0, int x1, const Ink& ink);  // x1 exclusive
    void fillRect(const RECT& r, const Ink& ink);

    // Calls f(RECT) for each part of r that may be touched.
    template <class F>
    void forEachClipped(const RECT& r, F&& f) const
    {
        for (const RECT& c : m_rects) {
            RECT part{r.left > c.left ? r.left : c.left, r.top > c.top ? r.top : c.top,
                      r.right < c.right ? r.right : c.right, r.bottom < c.bottom ? r.bottom : c.bottom};
            if (part.left < part.right && part.top < part.bottom)
                f(part);
        }
    }

    PixelBuffer& pixels() { return *m_pixels; }

private:
    void fillCopy(const RECT& part, uint32_t pixel);
    void fillSolid(const RECT& part, const RopMasks& masks);
    void fillPattern(const RECT& part, const Ink& ink);

    PixelBuffer* m_pixels;
    const std::vector<RECT>& m_rects;
    RECT m_bounds;
};

}  // namespace gdi
