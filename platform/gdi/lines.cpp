// Lines: Bresenham for one-pixel pens (end point left out, as natively),
// round-capped bodies for wide pens, dash patterns for styled pens.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "stroke.h"

namespace gdi {

namespace {

void StrokeHorizontalOrVertical(Canvas& canvas, const Ink& ink, POINT a, POINT b)
{
    if (a.y == b.y) {
        int x0 = a.x < b.x ? a.x : b.x + 1;
        int x1 = a.x < b.x ? b.x : a.x + 1;
        canvas.fillSpan(a.y, x0, x1, ink);
    } else {
        int y0 = a.y < b.y ? a.y : b.y + 1;
        int y1 = a.y < b.y ? b.y : a.y + 1;
        canvas.fillRect(RECT{a.x, y0, a.x + 1, y1}, ink);
    }
}

// Calls plot(x, y) for every pixel from a towards b, b left out.
template <class Plot>
void Bresenham(POINT a, POINT b, Plot&& plot)
{
    int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int x = a.x, y = a.y;
    if (dx >= dy) {
        int error = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            plot(x, y);
            if (error > 0) {
                y += sy;
                error -= 2 * dx;
            }
            error += 2 * dy;
            x += sx;
        }
    } else {
        int error = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            plot(x, y);
            if (error > 0) {
                x += sx;
                error -= 2 * dy;
            }
            error += 2 * dx;
            y += sy;
        }
    }
}

// Gathers the pixels Bresenham steps through into runs along the line's
// major axis and fills each run at once: a shallow line is a few long spans,
// not a pixel-by-pixel walk. The pixels are the same, each touched once.
class RunFiller {
public:
    RunFiller(Canvas& canvas, const Ink& ink, bool alongX) : m_canvas(canvas), m_ink(ink), m_alongX(alongX) {}
    ~RunFiller() { flush(); }
    RunFiller(const RunFiller&) = delete;
    RunFiller& operator=(const RunFiller&) = delete;

    void add(int x, int y)
    {
        int along = m_alongX ? x : y;
        int across = m_alongX ? y : x;
        if (m_open && across == m_across && (along == m_first - 1 || along == m_last + 1)) {
            m_first = std::min(m_first, along);
            m_last = std::max(m_last, along);
            return;
        }
        flush();
        m_open = true;
        m_across = across;
        m_first = m_last = along;
    }

private:
    void flush()
    {
        if (!m_open)
            return;
        if (m_alongX)
            m_canvas.fillRect(RECT{m_first, m_across, m_last + 1, m_across + 1}, m_ink);
        else
            m_canvas.fillRect(RECT{m_across, m_first, m_across + 1, m_last + 1}, m_ink);
        m_open = false;
    }

    Canvas& m_canvas;
    const Ink& m_ink;
    bool m_alongX;
    bool m_open = false;
    int m_across = 0;
    int m_first = 0;
    int m_last = 0;
};

void StrokeDashed(DeviceContext& dc, Canvas& canvas, const Pen& pen, const DashPattern& dash, POINT a, POINT b)
{
    Ink on = ColorInk(dc, pen.m_color, dc.m_state.rop2);
    // The gaps take the background colour in opaque mode, as natively.
    bool opaque = dc.m_state.bkMode == OPAQUE;
    Ink off = ColorInk(dc, dc.m_state.bkColor, dc.m_state.rop2);
    int period = 0;
    for (int i = 0; i < dash.count; ++i)
        period += dash.runs[i];
    Bresenham(a, b, [&](int x, int y) {
        int phase = dc.m_dashPhase % period;
        int run = 0;
        int start = 0;
        while (phase >= start + dash.runs[run]) {
            start += dash.runs[run];
            ++run;
        }
        bool drawn = (run % 2) == 0;
        if (drawn)
            canvas.plot(x, y, on);
        else if (opaque)
            canvas.plot(x, y, off);
        dc.m_dashPhase = (dc.m_dashPhase + 1) % period;
    });
}

// A wide pen's body: every pixel whose centre lies within width / 2 of the
// segment, so the ends are round. Odd widths centre on the pixel, even
// widths put the extra row above or left.
void StrokeWide(Canvas& canvas, const Ink& ink, int width, POINT a, POINT b)
{
    double shift = (width % 2) ? 0.5 : 0.0;
    double ax = a.x + shift, ay = a.y + shift, bx = b.x + shift, by = b.y + shift;
    double r = width / 2.0;
    double r2 = r * r + 1e-9;
    double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    auto inside = [&](int px, int py) {
        double cx = px + 0.5, cy = py + 0.5;
        double t = len2 > 0 ? ((cx - ax) * dx + (cy - ay) * dy) / len2 : 0.0;
        t = t < 0 ? 0 : t > 1 ? 1 : t;
        double ex = ax + t * dx - cx, ey = ay + t * dy - cy;
        return ex * ex + ey * ey <= r2;
    };
    int top = int(std::floor(std::min(ay, by) - r - 1));
    int bottom = int(std::ceil(std::max(ay, by) + r + 1));
    for (int py = top; py <= bottom; ++py) {
        double yc = py + 0.5;
        double t = dy != 0 ? (yc - ay) / dy : 0.0;
        t = t < 0 ? 0 : t > 1 ? 1 : t;
        int start = int(std::floor(ax + t * dx));
        int x = start;
        if (!inside(x, py)) {
            if (inside(x - 1, py))
                x = x - 1;
            else if (inside(x + 1, py))
                x = x + 1;
            else
                continue;
        }
        int left = x, right = x;
        while (inside(left - 1, py))
            --left;
        while (inside(right + 1, py))
            ++right;
        canvas.fillSpan(py, left, right + 1, ink);
    }
}

}  // namespace

const Pen& SelectedPen(DeviceContext& dc)
{
    if (Pen* pen = LookupAs<Pen>(dc.m_state.pen, OBJ_PEN))
        return *pen;
    return *LookupAs<Pen>(GetStockObject(BLACK_PEN), OBJ_PEN);
}

void StrokeLine(DeviceContext& dc, Canvas& canvas, const Pen& pen, POINT a, POINT b)
{
    if (pen.isNull() || (a.x == b.x && a.y == b.y && pen.pixelWidth() == 1))
        return;
    if (pen.pixelWidth() > 1) {
        StrokeWide(canvas, ColorInk(dc, pen.m_color, dc.m_state.rop2), pen.pixelWidth(), a, b);
        return;
    }
    DashPattern dash = DashPatternOf(pen);
    if (dash.count > 0) {
        StrokeDashed(dc, canvas, pen, dash, a, b);
        return;
    }
    Ink ink = ColorInk(dc, pen.m_color, dc.m_state.rop2);
    if (a.x == b.x || a.y == b.y) {
        StrokeHorizontalOrVertical(canvas, ink, a, b);
        return;
    }
    RunFiller runs(canvas, ink, std::abs(b.x - a.x) >= std::abs(b.y - a.y));
    Bresenham(a, b, [&](int x, int y) { runs.add(x, y); });
}

}  // namespace gdi

using namespace gdi;

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->m_state.position;
    dc->m_state.position = POINT{x, y};
    dc->m_dashPhase = 0;  // a new figure starts its pattern afresh
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    POINT from = dc->m_state.position;
    Canvas canvas(*dc);
    StrokeLine(*dc, canvas, SelectedPen(*dc), dc->toSurface(from.x, from.y), dc->toSurface(x, y));
    dc->m_state.position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC handle, LPPOINT position)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !position)
        return FALSE;
    *position = dc->m_state.position;
    return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !points || count < 2)
        return FALSE;
    Canvas canvas(*dc);
    const Pen& pen = SelectedPen(*dc);
    dc->m_dashPhase = 0;
    for (int i = 1; i < count; ++i)
        StrokeLine(*dc, canvas, pen, dc->toSurface(points[i - 1].x, points[i - 1].y),
                   dc->toSurface(points[i].x, points[i].y));
    return TRUE;
}
