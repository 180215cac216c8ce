// Bitmaps: 32-bit colour or monochrome, both stored one word per pixel.
#include "bitmap.h"

#include <cstring>

#include "dc.h"

namespace gdi {

namespace {

// Sizes beyond this are refused rather than attempted.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

void LoadMonoBits(PixelBuffer& buffer, const uint8_t* bits)
{
    // Rows of 16-bit words, leftmost pixel in the high bit of the first byte.
    size_t stride = size_t(buffer.width + 15) / 16 * 2;
    for (int y = 0; y < buffer.height; ++y) {
        const uint8_t* row = bits + stride * size_t(y);
        uint32_t* out = buffer.row(y);
        for (int x = 0; x < buffer.width; ++x)
            out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFFu : 0u;
    }
}

void LoadColorBits(PixelBuffer& buffer, const uint8_t* bits, UINT bitsPerPixel)
{
    size_t bytesPerPixel = bitsPerPixel / 8;
    size_t stride = (size_t(buffer.width) * bitsPerPixel + 15) / 16 * 2;
    for (int y = 0; y < buffer.height; ++y) {
        const uint8_t* row = bits + stride * size_t(y);
        uint32_t* out = buffer.row(y);
        for (int x = 0; x < buffer.width; ++x) {
            const uint8_t* p = row + bytesPerPixel * size_t(x);
            out[x] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        }
    }
}

}  // namespace

HBITMAP NewBitmap(int width, int height, bool mono)
{
    if (width <= 0 || height <= 0 || (long long)width * height > kMaxPixels)
        return nullptr;
    return static_cast<HBITMAP>(RegisterObject(std::make_unique<Bitmap>(width, height, mono)));
}

HBITMAP DefaultBitmap()
{
    static HBITMAP bitmap = [] {
        HBITMAP b = NewBitmap(1, 1, true);
        LookupObject(b)->m_stock = true;
        return b;
    }();
    return bitmap;
}

}  // namespace gdi

using namespace gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (planes != 1)
        return nullptr;
    if (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return nullptr;
    HBITMAP handle = NewBitmap(width, height, bitsPerPixel == 1);
    if (!handle || !bits)
        return handle;
    PixelBuffer& buffer = *LookupAs<Bitmap>(handle, OBJ_BITMAP)->m_pixels;
    if (bitsPerPixel == 1)
        LoadMonoBits(buffer, static_cast<const uint8_t*>(bits));
    else
        LoadColorBits(buffer, static_cast<const uint8_t*>(bits), bitsPerPixel);
    return handle;
}

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height)
{
    // As natively: compatible with the bitmap selected into a memory DC (a
    // fresh memory DC holds a monochrome one), else with the 32-bit screen.
    bool mono = false;
    if (handle) {
        DeviceContext* dc = LookupDC(handle);
        if (!dc)
            return nullptr;
        mono = dc->m_target->mono;
    }
    if (width == 0 || height == 0)
        return DefaultBitmap();
    return NewBitmap(width, height, mono);
}
