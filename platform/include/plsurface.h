// Internals of the stand-in layer shared by its drawing, window and display
// parts. Not a native interface: the plug-in never includes this header.
//
// Every top-level window owns a 32-bit surface bitmap; its child windows draw
// into the same surface through device contexts whose origin and clip are set
// from the window geometry.
#pragma once

#include "windef.h"

// Pixels of a bitmap, rows top-down, one 32-bit word per pixel laid out
// 0x00RRGGBB (the native 32-bit DIB order). Fills *size when given.
// Null for a handle that is not a bitmap.
uint32_t* PlBitmapBits(HBITMAP bitmap, SIZE* size);

// A device context drawing on `surface`: device point (0,0) maps to surface
// pixel `origin`, and nothing outside `clip` (surface pixels) is touched.
// A null clip means the whole surface. Released with DeleteDC.
HDC PlCreateSurfaceDC(HBITMAP surface, POINT origin, const RECT* clip);

// Narrows a surface DC to the union of `rects` (surface pixels), the way a
// paint DC only reaches the update region: clip calls work inside it and
// SelectClipRgn(NULL) comes back to it, never beyond. FALSE for a memory DC.
BOOL PlLimitSurfaceDC(HDC dc, const RECT* rects, size_t count);

// Writes a bitmap as an RGB PNG file. FALSE on any failure.
BOOL PlWriteBitmapPng(HBITMAP bitmap, const char* path);

// Reads a PNG or ICO file into a new 32-bit bitmap; null when the file is
// missing or cannot be decoded. Fully transparent pixels are stored with the
// top byte 0xFF so that drawing can skip them (see PlDrawBitmapTransparent).
HBITMAP PlReadImageFile(const char* path);

// Copies a bitmap read by PlReadImageFile to a DC, leaving out transparent
// pixels. Used for palette icons.
BOOL PlDrawBitmapTransparent(HDC dc, int x, int y, HBITMAP bitmap);
