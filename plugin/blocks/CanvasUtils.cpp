#include "blocks/CanvasUtils.h"

#include <limits>

#include "blocks/CTrackObject.h"

namespace {

// Reaches past the selection frame and the pins that stick out of a block.
constexpr int kInvalidateMargin = 6;

int SnapCoordinate(int c, UINT grid)
{
    long long snapped = static_cast<long long>(RoundHalfAway(static_cast<double>(c) / grid)) * grid;
    // Near the end of the coordinate range the nearest multiple may not
    // exist; the one below it does.
    if (snapped > std::numeric_limits<int>::max())
        snapped -= grid;
    return static_cast<int>(snapped);
}

}  // namespace

int RoundHalfAway(double v)
{
    // Values outside the integer range stay at its ends.
    if (!(v < std::numeric_limits<int>::max()))
        return v != v ? 0 : std::numeric_limits<int>::max();
    if (!(v > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return v >= 0 ? static_cast<int>(v + 0.5) : static_cast<int>(v - 0.5);
}

CPoint SnapToGrid(int x, int y, UINT grid)
{
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    if (grid <= 1)
        return CPoint(x, y);
    return CPoint(SnapCoordinate(x, grid), SnapCoordinate(y, grid));
}

void SnapToGrid(POINT* pt, int x, int y, UINT grid)
{
    *pt = SnapToGrid(x, y, grid);
}

void ViewDPtoLP(CView* pView, POINT* pt)
{
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc, nullptr);
    dc.DPtoLP(pt, 1);
}

void ViewDPtoLP(CView* pView, RECT* rc)
{
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc, nullptr);
    dc.DPtoLP(rc);
}

void ViewLPtoDP(CView* pView, RECT* rc)
{
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc, nullptr);
    dc.LPtoDP(rc);
}

void ViewLPtoDP(CView* pView, POINT* pt)
{
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc, nullptr);
    dc.LPtoDP(pt, 1);
}

void InvalidateObject(CWnd* pView, const RECT& rc)
{
    CRect area(rc);
    area.InflateRect(kInvalidateMargin, kInvalidateMargin);
    area.OffsetRect(-pView->GetScrollPos(SB_HORZ), -pView->GetScrollPos(SB_VERT));
    pView->InvalidateRect(&area, TRUE);
}

void InvalidateObject(CWnd* pView, const CTrackObject* pObject)
{
    InvalidateObject(pView, pObject->m_rcPos);
}
