// Decoded images and their conversion to bitmaps that remember transparency.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "windef.h"

namespace gdi {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // 0xAARRGGBB, rows top-down
};

// Images larger than this are refused as implausible for icons and snapshots.
constexpr long long kMaxImagePixels = 16LL * 1024 * 1024;

bool DecodePng(const uint8_t* data, size_t size, Image& out);
bool DecodeIco(const uint8_t* data, size_t size, Image& out);

// Opaque pixels keep top byte 0, transparent ones 0xFF; partly transparent
// ones store 255 - alpha there.
HBITMAP BitmapFromImage(const Image& image);

}  // namespace gdi
