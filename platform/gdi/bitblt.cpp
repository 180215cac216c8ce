// Block transfers and single pixels.
#include <algorithm>
#include <cstring>
#include <vector>

#include "brush.h"
#include "raster.h"

using namespace gdi;

namespace {

constexpr uint8_t kSrcCopy = 0xCC;

RECT SurfaceRect(DeviceContext& dc, int x, int y, int width, int height)
{
    POINT a = dc.toSurface(x, y);
    POINT b = dc.toSurface(x + width, y + height);
    return NormalizedRect(a.x, a.y, b.x, b.y);
}

const Brush* SelectedBrushOrNull(DeviceContext& dc)
{
    Brush* brush = LookupAs<Brush>(dc.m_state.brush, OBJ_BRUSH);
    return brush && !brush->isNull() ? brush : nullptr;
}

// An operation that ignores the source is a binary one of pattern and
// destination: bits (4P + D) of the index make the R2 code's truth table.
int BinaryFromTernary(uint8_t index)
{
    int table = (index & 1) | ((index >> 1) & 1) << 1 | ((index >> 4) & 1) << 2 | ((index >> 5) & 1) << 3;
    return table + 1;
}

BOOL PatternBlit(DeviceContext& dc, const RECT& area, uint8_t index)
{
    Canvas canvas(dc);
    int rop2 = BinaryFromTernary(index);
    const Brush* brush = SelectedBrushOrNull(dc);
    if (RopUsesPattern(index)) {
        if (!brush)
            return TRUE;  // nothing to paint with
        canvas.fillRect(area, BrushInk(dc, *brush, rop2));
    } else {
        canvas.fillRect(area, ColorInk(dc, 0, rop2));
    }
    return TRUE;
}

// Fetches source pixels converted to the destination's kind: monochrome to
// colour takes the destination's text (0) and background (1) colours; colour
// to monochrome gives white where the source has its background colour.
struct SourceReader {
    SourceReader(DeviceContext& src, DeviceContext& dst)
        : buffer(*src.m_target),
          toColor(buffer.mono && !dst.m_target->mono),
          toMono(!buffer.mono && dst.m_target->mono),
          zero(ToPixel(dst.m_state.textColor)),
          one(ToPixel(dst.m_state.bkColor)),
          srcBackground(ToPixel(src.m_state.bkColor))
    {
    }

    void read(int x, int y, int count, uint32_t* out) const
    {
        const uint32_t* in = buffer.row(y) + x;
        if (toColor) {
            for (int i = 0; i < count; ++i)
                out[i] = (in[i] & 0xFFFFFF) ? one : zero;
        } else if (toMono) {
            for (int i = 0; i < count; ++i)
                out[i] = (in[i] & 0xFFFFFF) == srcBackground ? 0xFFFFFFu : 0u;
        } else {
            for (int i = 0; i < count; ++i)
                out[i] = in[i] & 0x00FFFFFFu;
        }
    }

    const PixelBuffer& buffer;
    bool toColor, toMono;
    uint32_t zero, one, srcBackground;
};

void CombineRow(uint8_t index, const Ink* pattern, int x0, int y, const uint32_t* src, uint32_t* dst, int count)
{
    if (index == kSrcCopy) {
        std::memcpy(dst, src, size_t(count) * sizeof(uint32_t));
        return;
    }
    for (int i = 0; i < count; ++i) {
        uint32_t p = pattern ? pattern->at(x0 + i, y).xorMask : 0;
        dst[i] = TernaryRop(index, p, src[i], dst[i]);
    }
}

}  // namespace

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop)
{
    DeviceContext* dc = LookupDC(handle);
    uint8_t index = RopIndex(rop);
    if (!dc || RopUsesSource(index))
        return FALSE;
    return PatternBlit(*dc, SurfaceRect(*dc, x, y, width, height), index);
}

BOOL BitBlt(HDC dstHandle, int x, int y, int width, int height, HDC srcHandle, int srcX, int srcY, DWORD rop)
{
    DeviceContext* dst = LookupDC(dstHandle);
    uint8_t index = RopIndex(rop);
    if (!dst)
        return FALSE;
    if (!RopUsesSource(index))
        return PatternBlit(*dst, SurfaceRect(*dst, x, y, width, height), index);
    DeviceContext* src = LookupDC(srcHandle);
    if (!src || width < 0 || height < 0)
        return FALSE;

    POINT d0 = dst->toSurface(x, y);
    POINT s0 = src->toSurface(srcX, srcY);
    // Keep to the part of the source that exists.
    RECT srcArea = RectIntersection(RECT{s0.x, s0.y, s0.x + width, s0.y + height}, src->m_target->bounds());
    RECT area{srcArea.left - s0.x + d0.x, srcArea.top - s0.y + d0.y, srcArea.right - s0.x + d0.x,
              srcArea.bottom - s0.y + d0.y};
    if (RectEmpty(area))
        return TRUE;

    Ink patternInk;
    const Ink* pattern = nullptr;
    if (RopUsesPattern(index)) {
        const Brush* brush = SelectedBrushOrNull(*dst);
        if (!brush)
            return TRUE;
        patternInk = BrushInk(*dst, *brush, R2_COPYPEN);
        pattern = &patternInk;
    }

    SourceReader reader(*src, *dst);
    bool sameBuffer = src->m_target == dst->m_target;
    int dx = s0.x - d0.x, dy = s0.y - d0.y;
    Canvas canvas(*dst);
    std::vector<uint32_t> row(size_t(area.right - area.left));
    std::vector<uint32_t> copy;
    canvas.forEachClipped(area, [&](const RECT& part) {
        int count = part.right - part.left;
        // Within one buffer the source is read before anything is written.
        if (sameBuffer) {
            copy.resize(size_t(count) * size_t(part.bottom - part.top));
            for (int yy = part.top; yy < part.bottom; ++yy)
                reader.read(part.left + dx, yy + dy, count, copy.data() + size_t(yy - part.top) * size_t(count));
        }
        for (int yy = part.top; yy < part.bottom; ++yy) {
            const uint32_t* source = row.data();
            if (sameBuffer)
                source = copy.data() + size_t(yy - part.top) * size_t(count);
            else
                reader.read(part.left + dx, yy + dy, count, row.data());
            CombineRow(index, pattern, part.left, yy, source, canvas.pixels().row(yy) + part.left, count);
        }
    });
    return TRUE;
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return CLR_INVALID;
    POINT p = dc->toSurface(x, y);
    Canvas canvas(*dc);
    if (!canvas.visible(p.x, p.y))
        return CLR_INVALID;
    uint32_t pixel = TargetPixel(*dc, color);
    canvas.pixels().row(p.y)[p.x] = pixel;
    return ToColorRef(pixel);
}

COLORREF GetPixel(HDC handle, int x, int y)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return CLR_INVALID;
    POINT p = dc->toSurface(x, y);
    Canvas canvas(*dc);
    if (!canvas.visible(p.x, p.y))
        return CLR_INVALID;
    return ToColorRef(canvas.pixels().row(p.y)[p.x] & 0x00FFFFFFu);
}
