// Rectangle and Ellipse: outline with the pen, inside with the brush, right
// and bottom edges left out.
#include <algorithm>
#include <cmath>
#include <vector>

#include "brush.h"
#include "stroke.h"

using namespace gdi;

namespace {

struct Span {
    int left = 0;
    int right = -1;  // inclusive; left > right is an empty row
    bool empty() const { return left > right; }
};

const Brush& SelectedBrush(DeviceContext& dc)
{
    if (Brush* brush = LookupAs<Brush>(dc.m_state.brush, OBJ_BRUSH))
        return *brush;
    return *LookupAs<Brush>(GetStockObject(WHITE_BRUSH), OBJ_BRUSH);
}

RECT SurfaceBox(DeviceContext& dc, int left, int top, int right, int bottom)
{
    POINT a = dc.toSurface(left, top);
    POINT b = dc.toSurface(right, bottom);
    return NormalizedRect(a.x, a.y, b.x, b.y);
}

void FillInterior(DeviceContext& dc, Canvas& canvas, const RECT& r)
{
    const Brush& brush = SelectedBrush(dc);
    if (brush.isNull() || RectEmpty(r))
        return;
    canvas.fillRect(r, BrushInk(dc, brush, dc.m_state.rop2));
}

void OutlineOnePixel(DeviceContext& dc, Canvas& canvas, const Pen& pen, const RECT& b)
{
    int right = b.right - 1, bottom = b.bottom - 1;
    if (DashPatternOf(pen).count > 0) {
        dc.m_dashPhase = 0;
        POINT corners[] = {{b.left, b.top}, {right, b.top}, {right, bottom}, {b.left, bottom}};
        for (int i = 0; i < 4; ++i)
            StrokeLine(dc, canvas, pen, corners[i], corners[(i + 1) % 4]);
        return;
    }
    // Four disjoint bands, so that every pixel is combined once.
    Ink ink = ColorInk(dc, pen.m_color, dc.m_state.rop2);
    canvas.fillRect(RECT{b.left, b.top, b.right, b.top + 1}, ink);
    if (bottom > b.top)
        canvas.fillRect(RECT{b.left, bottom, b.right, b.bottom}, ink);
    canvas.fillRect(RECT{b.left, b.top + 1, b.left + 1, bottom}, ink);
    if (right > b.left)
        canvas.fillRect(RECT{right, b.top + 1, b.right, bottom}, ink);
}

// Wide pens are centred on the outline path (left, top)-(right-1, bottom-1).
void OutlineWide(DeviceContext& dc, Canvas& canvas, const Pen& pen, const RECT& b)
{
    int w = pen.pixelWidth();
    int before = w / 2, after = w - before - 1;
    RECT outer{b.left - before, b.top - before, b.right + after, b.bottom + after};
    RECT inner{b.left + after + 1, b.top + after + 1, b.right - 1 - before, b.bottom - 1 - before};
    Ink ink = ColorInk(dc, pen.m_color, dc.m_state.rop2);
    if (RectEmpty(inner)) {
        canvas.fillRect(outer, ink);
        return;
    }
    canvas.fillRect(RECT{outer.left, outer.top, outer.right, inner.top}, ink);
    canvas.fillRect(RECT{outer.left, inner.bottom, outer.right, outer.bottom}, ink);
    canvas.fillRect(RECT{outer.left, inner.top, inner.left, inner.bottom}, ink);
    canvas.fillRect(RECT{inner.right, inner.top, outer.right, inner.bottom}, ink);
}

// Row spans of the ellipse inscribed in b: pixel centres within the ellipse
// whose radii are half the box size, so a 5 x 5 box gives a round dot.
std::vector<Span> EllipseSpans(const RECT& b, double shrink)
{
    std::vector<Span> spans(size_t(b.bottom - b.top));
    double a = (b.right - b.left) / 2.0 - shrink, c = (b.bottom - b.top) / 2.0 - shrink;
    double cx = (b.left + b.right - 1) / 2.0, cy = (b.top + b.bottom - 1) / 2.0;
    if (a <= 0 || c <= 0)
        return spans;
    for (int y = b.top; y < b.bottom; ++y) {
        double dy = (y - cy) / c;
        double k = 1.0 - dy * dy;
        if (k < 0)
            continue;
        double half = a * std::sqrt(k);
        Span& s = spans[size_t(y - b.top)];
        s.left = int(std::ceil(cx - half - 1e-9));
        s.right = int(std::floor(cx + half + 1e-9));
    }
    return spans;
}

// Interior of a span set: pixels not on a span end and covered by the rows
// above and below.
Span InteriorOf(const std::vector<Span>& spans, size_t i)
{
    if (i == 0 || i + 1 >= spans.size() || spans[i].empty())
        return Span{};
    const Span &up = spans[i - 1], &row = spans[i], &down = spans[i + 1];
    if (up.empty() || down.empty())
        return Span{};
    return Span{std::max({row.left + 1, up.left, down.left}), std::min({row.right - 1, up.right, down.right})};
}

void DrawEllipse(DeviceContext& dc, Canvas& canvas, const RECT& box)
{
    const Pen& pen = SelectedPen(dc);
    const Brush& brush = SelectedBrush(dc);
    Ink fill = BrushInk(dc, brush, dc.m_state.rop2);
    if (pen.isNull()) {
        if (brush.isNull())
            return;
        // Without a pen the filled shape is one pixel smaller, as natively.
        RECT inner{box.left, box.top, box.right - 1, box.bottom - 1};
        std::vector<Span> spans = EllipseSpans(inner, 0);
        for (size_t i = 0; i < spans.size(); ++i)
            if (!spans[i].empty())
                canvas.fillSpan(inner.top + int(i), spans[i].left, spans[i].right + 1, fill);
        return;
    }
    Ink stroke = ColorInk(dc, pen.m_color, dc.m_state.rop2);
    std::vector<Span> outer = EllipseSpans(box, 0);
    std::vector<Span> inner = pen.pixelWidth() > 1 ? EllipseSpans(box, pen.pixelWidth() - 1) : outer;
    for (size_t i = 0; i < outer.size(); ++i) {
        const Span& row = outer[i];
        if (row.empty())
            continue;
        int y = box.top + int(i);
        Span in = InteriorOf(inner, i);
        if (in.empty() || in.left < row.left || in.right > row.right) {
            canvas.fillSpan(y, row.left, row.right + 1, stroke);
            continue;
        }
        canvas.fillSpan(y, row.left, in.left, stroke);
        canvas.fillSpan(y, in.right + 1, row.right + 1, stroke);
        if (!brush.isNull())
            canvas.fillSpan(y, in.left, in.right + 1, fill);
    }
}

}  // namespace

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    RECT box = SurfaceBox(*dc, left, top, right, bottom);
    Canvas canvas(*dc);
    const Pen& pen = SelectedPen(*dc);
    if (pen.isNull()) {
        // Without a pen the fill covers what the outline would have framed
        // plus the frame's left and top: right-1 and bottom-1.
        FillInterior(*dc, canvas, RECT{box.left, box.top, box.right - 1, box.bottom - 1});
        return TRUE;
    }
    if (RectEmpty(box))
        return TRUE;
    if (pen.pixelWidth() > 1) {
        int w = pen.pixelWidth(), before = w / 2, after = w - before - 1;
        FillInterior(*dc, canvas, RECT{box.left + after + 1, box.top + after + 1, box.right - 1 - before,
                                       box.bottom - 1 - before});
        OutlineWide(*dc, canvas, pen, box);
    } else {
        FillInterior(*dc, canvas, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1});
        OutlineOnePixel(*dc, canvas, pen, box);
    }
    return TRUE;
}

BOOL Ellipse(HDC handle, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    RECT box = SurfaceBox(*dc, left, top, right, bottom);
    if (RectEmpty(box))
        return TRUE;
    Canvas canvas(*dc);
    DrawEllipse(*dc, canvas, box);
    return TRUE;
}
