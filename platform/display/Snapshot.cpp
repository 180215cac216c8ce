// PNG snapshots of windows, read straight from their surfaces.
#include <algorithm>
#include <cstring>

#include "pldisplay.h"
#include "plsurface.h"
#include "winuser.h"

BOOL PlSnapshotWindow(HWND wnd, const char* path)
{
    POINT origin{};
    HBITMAP surface = PlGetWindowSurface(wnd, &origin);
    RECT r;
    if (!surface || !path || !GetWindowRect(wnd, &r))
        return FALSE;
    SIZE surfaceSize{};
    const uint32_t* from = PlBitmapBits(surface, &surfaceSize);
    int width = std::max(1, static_cast<int>(r.right - r.left));
    int height = std::max(1, static_cast<int>(r.bottom - r.top));
    HBITMAP copy = CreateBitmap(width, height, 1, 32, nullptr);
    SIZE copySize{};
    uint32_t* to = copy ? PlBitmapBits(copy, &copySize) : nullptr;
    if (!from || !to) {
        if (copy)
            DeleteObject(copy);
        return FALSE;
    }
    // Parts of a child outside its surface stay black.
    for (int y = 0; y < height; ++y) {
        int sy = origin.y + y;
        if (sy < 0 || sy >= surfaceSize.cy)
            continue;
        for (int x = 0; x < width; ++x) {
            int sx = origin.x + x;
            if (sx >= 0 && sx < surfaceSize.cx)
                to[static_cast<size_t>(y) * copySize.cx + x] = from[static_cast<size_t>(sy) * surfaceSize.cx + sx];
        }
    }
    BOOL written = PlWriteBitmapPng(copy, path);
    DeleteObject(copy);
    return written;
}
