// Filled rectangles, frames, inversions, focus rectangles and 3D edges, all
// through pattern copies that ignore the DC's binary raster operation.
#include "brush.h"
#include "raster.h"
#include "winuser.h"

using namespace gdi;

namespace {

RECT SurfaceRect(DeviceContext& dc, const RECT& r)
{
    POINT a = dc.toSurface(r.left, r.top);
    POINT b = dc.toSurface(r.right, r.bottom);
    return RECT{a.x, a.y, b.x, b.y};  // not normalised: inverted rectangles draw nothing
}

void FillWith(DeviceContext& dc, const RECT& surface, const Brush& brush)
{
    if (brush.isNull())
        return;
    Canvas canvas(dc);
    canvas.fillRect(surface, BrushInk(dc, brush, R2_COPYPEN));
}

void FillColor(DeviceContext& dc, Canvas& canvas, const RECT& r, int sysColor)
{
    canvas.fillRect(r, ColorInk(dc, GetSysColor(sysColor), R2_COPYPEN));
}

// One ring of an edge: top and left in one colour (without the far corners),
// right and bottom in the other.
void DrawRing(DeviceContext& dc, Canvas& canvas, const RECT& r, UINT flags, int topLeft, int bottomRight)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (flags & BF_TOP)
        FillColor(dc, canvas, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    if (flags & BF_LEFT)
        FillColor(dc, canvas, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    if (flags & BF_RIGHT)
        FillColor(dc, canvas, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    if (flags & BF_BOTTOM)
        FillColor(dc, canvas, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void Deflate(RECT& r, UINT flags)
{
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_RIGHT)
        --r.right;
    if (flags & BF_BOTTOM)
        --r.bottom;
}

}  // namespace

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle)
{
    DeviceContext* dc = LookupDC(handle);
    Brush* brush = ResolveBrush(brushHandle);
    if (!dc || !rect || !brush)
        return 0;
    FillWith(*dc, SurfaceRect(*dc, *rect), *brush);
    return 1;
}

int FrameRect(HDC handle, const RECT* rect, HBRUSH brushHandle)
{
    DeviceContext* dc = LookupDC(handle);
    Brush* brush = ResolveBrush(brushHandle);
    if (!dc || !rect || !brush)
        return 0;
    RECT r = SurfaceRect(*dc, *rect);
    if (r.right <= r.left || r.bottom <= r.top)
        return 1;
    FillWith(*dc, RECT{r.left, r.top, r.right, r.top + 1}, *brush);
    FillWith(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, *brush);
    FillWith(*dc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, *brush);
    FillWith(*dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, *brush);
    return 1;
}

BOOL InvertRect(HDC handle, const RECT* rect)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect)
        return FALSE;
    Canvas canvas(*dc);
    canvas.fillRect(SurfaceRect(*dc, *rect), ColorInk(*dc, 0, R2_NOT));
    return TRUE;
}

BOOL DrawFocusRect(HDC handle, const RECT* rect)
{
    // Every other pixel of the frame inverted, so a second call removes it.
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect)
        return FALSE;
    RECT r = SurfaceRect(*dc, *rect);
    if (r.right <= r.left || r.bottom <= r.top)
        return TRUE;
    Canvas canvas(*dc);
    Ink invert = ColorInk(*dc, 0, R2_NOT);
    POINT origin = dc->deviceToSurface();
    auto dotted = [&](int x, int y) {
        if (((x - origin.x) + (y - origin.y)) % 2 == 0)
            canvas.plot(x, y, invert);
    };
    for (int x = r.left; x < r.right; ++x) {
        dotted(x, r.top);
        if (r.bottom - 1 > r.top)
            dotted(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dotted(r.left, y);
        if (r.right - 1 > r.left)
            dotted(r.right - 1, y);
    }
    return TRUE;
}

BOOL DrawEdge(HDC handle, LPRECT rect, UINT edge, UINT flags)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect)
        return FALSE;
    Canvas canvas(*dc);
    RECT r = SurfaceRect(*dc, *rect);
    UINT outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    UINT inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if (outer == BDR_RAISEDOUTER)
        DrawRing(*dc, canvas, r, flags, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    else if (outer == BDR_SUNKENOUTER)
        DrawRing(*dc, canvas, r, flags, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    if (outer)
        Deflate(r, flags);
    if (inner == BDR_RAISEDINNER)
        DrawRing(*dc, canvas, r, flags, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    else if (inner == BDR_SUNKENINNER)
        DrawRing(*dc, canvas, r, flags, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    if (inner)
        Deflate(r, flags);
    if (flags & BF_MIDDLE)
        FillColor(*dc, canvas, r, COLOR_BTNFACE);
    if (flags & BF_ADJUST) {
        POINT origin = dc->toSurface(0, 0);
        *rect = RECT{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
    }
    return TRUE;
}
