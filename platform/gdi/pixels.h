// Pixel storage behind bitmaps and the device contexts that draw on them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "windef.h"

namespace gdi {

// Rows top-down, one word per pixel, 0x00RRGGBB. A monochrome buffer holds
// only 0x000000 and 0xFFFFFF; it stays a 32-bit buffer so that one set of
// loops serves both kinds.
struct PixelBuffer {
    PixelBuffer(int w, int h, bool isMono)
        : width(w), height(h), mono(isMono), pixels(size_t(w) * size_t(h), isMono ? 0u : 0u)
    {
    }
    uint32_t* row(int y) { return pixels.data() + size_t(y) * size_t(width); }
    const uint32_t* row(int y) const { return pixels.data() + size_t(y) * size_t(width); }
    RECT bounds() const { return RECT{0, 0, width, height}; }

    int width;
    int height;
    bool mono;
    std::vector<uint32_t> pixels;
};

using PixelBufferPtr = std::shared_ptr<PixelBuffer>;

// COLORREF is 0x00BBGGRR, pixel memory 0x00RRGGBB.
inline uint32_t ToPixel(COLORREF c)
{
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline COLORREF ToColorRef(uint32_t p)
{
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

// The nearest of black and white, as a monochrome bitmap stores a colour.
inline uint32_t ToMonoPixel(uint32_t p)
{
    unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 299 + g * 587 + b * 114) >= 127500 ? 0xFFFFFFu : 0u;
}

}  // namespace gdi
