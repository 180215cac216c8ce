// Inks and the clipping canvas shared by every primitive.
#include "raster.h"

#include <algorithm>

#include "brush.h"

namespace gdi {

uint32_t TargetPixel(DeviceContext& dc, COLORREF color)
{
    uint32_t p = ToPixel(color);
    return dc.m_target->mono ? ToMonoPixel(p) : p;
}

Ink ColorInk(DeviceContext& dc, COLORREF color, int rop2)
{
    Ink ink;
    ink.solid = Rop2Masks(rop2, TargetPixel(dc, color));
    return ink;
}

Ink BrushInk(DeviceContext& dc, const Brush& brush, int rop2)
{
    if (brush.m_style != BS_PATTERN || brush.m_pattern.empty())
        return ColorInk(dc, brush.m_color, rop2);
    Ink ink;
    ink.patterned = true;
    ink.patternWidth = brush.m_patternWidth;
    ink.patternHeight = brush.m_patternHeight;
    // The pattern is anchored at the brush origin, in the DC's device space.
    ink.originX = dc.m_state.brushOrg.x + dc.deviceToSurface().x;
    ink.originY = dc.m_state.brushOrg.y + dc.deviceToSurface().y;
    uint32_t setBits = TargetPixel(dc, dc.m_state.bkColor);
    uint32_t clearBits = TargetPixel(dc, dc.m_state.textColor);
    ink.pattern.reserve(brush.m_pattern.size());
    ink.patternCopies = true;
    for (uint32_t p : brush.m_pattern) {
        uint32_t color = brush.m_monoPattern ? (p ? setBits : clearBits)
                                             : (dc.m_target->mono ? ToMonoPixel(p) : p);
        ink.pattern.push_back(Rop2Masks(rop2, color));
        ink.patternCopies = ink.patternCopies && ink.pattern.back().andMask == 0;
    }
    return ink;
}

Canvas::Canvas(DeviceContext& dc)
    : m_pixels(dc.m_target.get()), m_rects(dc.visibleRects()), m_bounds(dc.visibleBounds())
{
}

bool Canvas::visible(int x, int y) const
{
    if (x < m_bounds.left || x >= m_bounds.right || y < m_bounds.top || y >= m_bounds.bottom)
        return false;
    if (m_rects.size() == 1)
        return true;
    for (const RECT& r : m_rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

void Canvas::plot(int x, int y, const Ink& ink)
{
    if (!visible(x, y))
        return;
    uint32_t& p = m_pixels->row(y)[x];
    p = ink.at(x, y).apply(p);
}

void Canvas::fillSpan(int y, int x0, int x1, const Ink& ink)
{
    if (y < m_bounds.top || y >= m_bounds.bottom)
        return;
    fillRect(RECT{x0, y, x1, y + 1}, ink);
}

void Canvas::fillRect(const RECT& r, const Ink& ink)
{
    forEachClipped(r, [&](const RECT& part) {
        if (ink.isCopy())
            fillCopy(part, ink.solid.xorMask);
        else if (!ink.patterned)
            fillSolid(part, ink.solid);
        else
            fillPattern(part, ink);
    });
}

void Canvas::fillCopy(const RECT& part, uint32_t pixel)
{
    const size_t stride = size_t(m_pixels->width);
    uint32_t* row = m_pixels->row(part.top) + part.left;
    const int width = part.right - part.left;
    // Columns (the vertical strokes of frames and lines) one store a row.
    if (width == 1) {
        for (int y = part.top; y < part.bottom; ++y, row += stride)
            *row = pixel;
        return;
    }
    for (int y = part.top; y < part.bottom; ++y, row += stride)
        std::fill(row, row + width, pixel);
}

void Canvas::fillSolid(const RECT& part, const RopMasks& masks)
{
    for (int y = part.top; y < part.bottom; ++y) {
        uint32_t* row = m_pixels->row(y);
        for (int x = part.left; x < part.right; ++x)
            row[x] = masks.apply(row[x]);
    }
}

// Walks each pattern row without a division per pixel.
void Canvas::fillPattern(const RECT& part, const Ink& ink)
{
    int startX = (part.left - ink.originX) % ink.patternWidth;
    if (startX < 0)
        startX += ink.patternWidth;
    for (int y = part.top; y < part.bottom; ++y) {
        uint32_t* row = m_pixels->row(y);
        const RopMasks* patternRow = &ink.at(ink.originX, y);
        int px = startX;
        if (ink.patternCopies) {
            for (int x = part.left; x < part.right; ++x) {
                row[x] = patternRow[px].xorMask;
                if (++px == ink.patternWidth)
                    px = 0;
            }
            continue;
        }
        for (int x = part.left; x < part.right; ++x) {
            row[x] = patternRow[px].apply(row[x]);
            if (++px == ink.patternWidth)
                px = 0;
        }
    }
}

}  // namespace gdi
