// PNG reading and writing through libpng's simplified interface.
#include <png.h>

#include <vector>

#include "bitmap.h"
#include "image.h"
#include "plsurface.h"

namespace gdi {

bool DecodePng(const uint8_t* data, size_t size, Image& out)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return false;
    if (image.width == 0 || image.height == 0 || (long long)image.width * image.height > kMaxImagePixels) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;  // little-endian words 0xAARRGGBB
    std::vector<uint32_t> pixels(size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    out.width = int(image.width);
    out.height = int(image.height);
    out.argb = std::move(pixels);
    return true;
}

}  // namespace gdi

using namespace gdi;

BOOL PlWriteBitmapPng(HBITMAP handle, const char* path)
{
    Bitmap* bitmap = LookupAs<Bitmap>(handle, OBJ_BITMAP);
    if (!bitmap || !path)
        return FALSE;
    const PixelBuffer& buffer = *bitmap->m_pixels;
    std::vector<uint8_t> rgb(size_t(buffer.width) * size_t(buffer.height) * 3);
    size_t i = 0;
    for (uint32_t p : buffer.pixels) {
        rgb[i++] = uint8_t(p >> 16);
        rgb[i++] = uint8_t(p >> 8);
        rgb[i++] = uint8_t(p);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(buffer.width);
    image.height = png_uint_32(buffer.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) ? TRUE : FALSE;
}
