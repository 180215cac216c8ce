#pragma once

#include "object.h"
#include "pixels.h"

namespace gdi {

struct Bitmap : GdiObject {
    Bitmap(int w, int h, bool mono)
        : GdiObject(OBJ_BITMAP), m_pixels(std::make_shared<PixelBuffer>(w, h, mono))
    {
    }
    // Shared with device contexts drawing on it, so that a window DC that
    // outlives its surface keeps drawing into memory that still exists.
    PixelBufferPtr m_pixels;
    int bitsPerPixel() const { return m_pixels->mono ? 1 : 32; }
};

// The 1 x 1 monochrome bitmap every memory DC starts with.
HBITMAP DefaultBitmap();

// New 32-bit bitmap, registered; null for a bad size.
HBITMAP NewBitmap(int width, int height, bool mono);

}  // namespace gdi
