// Image files as bitmaps, and drawing them with their transparency.
#include <cstdio>
#include <cstring>
#include <vector>

#include "bitmap.h"
#include "image.h"
#include "plsurface.h"
#include "raster.h"

namespace gdi {

namespace {

constexpr long kMaxFileBytes = 64L * 1024 * 1024;

bool ReadFile(const char* path, std::vector<uint8_t>& data)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long length = ok ? std::ftell(file) : -1;
    ok = ok && length > 0 && length <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        data.resize(size_t(length));
        ok = std::fread(data.data(), 1, data.size(), file) == data.size();
    }
    std::fclose(file);
    return ok;
}

}  // namespace

HBITMAP BitmapFromImage(const Image& image)
{
    HBITMAP handle = NewBitmap(image.width, image.height, false);
    if (!handle)
        return nullptr;
    PixelBuffer& buffer = *LookupAs<Bitmap>(handle, OBJ_BITMAP)->m_pixels;
    for (size_t i = 0; i < image.argb.size(); ++i) {
        uint32_t alpha = image.argb[i] >> 24;
        buffer.pixels[i] = ((255 - alpha) << 24) | (image.argb[i] & 0x00FFFFFFu);
    }
    return handle;
}

}  // namespace gdi

using namespace gdi;

HBITMAP PlReadImageFile(const char* path)
{
    std::vector<uint8_t> data;
    if (!path || !ReadFile(path, data))
        return nullptr;
    Image image;
    bool decoded = data.size() >= 8 && data[0] == 0x89 && data[1] == 'P' ? DecodePng(data.data(), data.size(), image)
                                                                          : DecodeIco(data.data(), data.size(), image);
    return decoded ? BitmapFromImage(image) : nullptr;
}

BOOL PlDrawBitmapTransparent(HDC handle, int x, int y, HBITMAP bitmapHandle)
{
    DeviceContext* dc = LookupDC(handle);
    Bitmap* bitmap = LookupAs<Bitmap>(bitmapHandle, OBJ_BITMAP);
    if (!dc || !bitmap)
        return FALSE;
    const PixelBuffer& src = *bitmap->m_pixels;
    POINT origin = dc->toSurface(x, y);
    Canvas canvas(*dc);
    bool mono = dc->m_target->mono;
    canvas.forEachClipped(RECT{origin.x, origin.y, origin.x + src.width, origin.y + src.height},
                          [&](const RECT& part) {
        for (int yy = part.top; yy < part.bottom; ++yy) {
            const uint32_t* in = src.row(yy - origin.y);
            uint32_t* out = canvas.pixels().row(yy);
            for (int xx = part.left; xx < part.right; ++xx) {
                uint32_t p = in[xx - origin.x];
                unsigned alpha = 255 - (p >> 24);
                if (alpha == 0)
                    continue;
                uint32_t color = p & 0x00FFFFFFu;
                if (alpha < 255) {
                    uint32_t d = out[xx], blended = 0;
                    for (int s = 0; s <= 16; s += 8)
                        blended |= ((((color >> s) & 0xFF) * alpha + ((d >> s) & 0xFF) * (255 - alpha) + 127) / 255)
                                   << s;
                    color = blended;
                }
                out[xx] = mono ? ToMonoPixel(color) : color;
            }
        }
    });
    return TRUE;
}
