// Painting and geometry of the connection lines: the passes that paint every
// line with its markers, the hit test of one line (with bend insertion and
// removal), the 15-degree constraint of a drawn segment, and the inverted
// drawing the mouse loops use for their rubber lines.
#include <algorithm>
#include <cmath>
#include <memory>

#include "blocks/CanvasUtils.h"
#include "canvas/CLineTracker.h"
#include "canvas/CObjectTracker.h"
#include "lines/LineBranches.h"

namespace {

// Pen and brush of one paint pass. Each line selects what it strokes with;
// the objects a line created are released when the next line replaces them
// or when the pass ends, after the DC has got back what it had before.
class PaintTools {
public:
    explicit PaintTools(CDC* pDC) : m_pDC(pDC) {}
    ~PaintTools()
    {
        if (m_pOldPen != nullptr)
            m_pDC->SelectObject(m_pOldPen);
        if (m_pOldBrush != nullptr)
            m_pDC->SelectObject(m_pOldBrush);
    }
    PaintTools(const PaintTools&) = delete;
    PaintTools& operator=(const PaintTools&) = delete;

    void UsePen(int nWidth, COLORREF color)
    {
        // Most lines share a stroke: keep the pen rather than make a new one.
        if (m_pPen != nullptr && nWidth == m_nPenWidth && color == m_crPen)
            return;
        auto pPen = std::make_unique<CPen>(PS_SOLID, nWidth, color);
        CPen* pOld = m_pDC->SelectObject(pPen.get());
        if (m_pOldPen == nullptr)
            m_pOldPen = pOld;
        m_pPen = std::move(pPen);
        m_nPenWidth = nWidth;
        m_crPen = color;
    }
    // A brush of the pass (normal or alert), kept for the whole pass.
    void UseBrush(CBrush* pBrush)
    {
        if (pBrush == m_pBrush)
            return;
        m_pBrush = pBrush;
        CBrush* pOld = m_pDC->SelectObject(pBrush);
        if (m_pOldBrush == nullptr)
            m_pOldBrush = pOld;
    }
    // A brush in a line's own colour, replacing the previous one.
    void UseOwnBrush(COLORREF color)
    {
        if (m_pOwnBrush != nullptr && m_pBrush == m_pOwnBrush.get() && color == m_crOwnBrush)
            return;
        auto pBrush = std::make_unique<CBrush>(color);
        UseBrush(pBrush.get());
        m_pOwnBrush = std::move(pBrush);
        m_crOwnBrush = color;
    }

private:
    CDC* m_pDC;
    CPen* m_pOldPen = nullptr;
    CBrush* m_pOldBrush = nullptr;
    CBrush* m_pBrush = nullptr;  // the brush this pass selected last
    std::unique_ptr<CPen> m_pPen;
    int m_nPenWidth = 0;
    COLORREF m_crPen = 0;
    std::unique_ptr<CBrush> m_pOwnBrush;
    COLORREF m_crOwnBrush = 0;
};

// The handle squares and node dots of a line are filled with the brush of
// its stroke.
void SelectStroke(PaintTools& tools, const CLineItem& line, int nWidth, COLORREF crNormal, COLORREF crAlert,
                  CBrush* pNormalBrush, CBrush* pAlertBrush)
{
    if (!line.m_bValid) {
        tools.UseBrush(pAlertBrush);
        tools.UsePen(nWidth, crAlert);
    } else if (line.m_color != crNormal) {
        tools.UseOwnBrush(line.m_color);
        tools.UsePen(nWidth, line.m_color);
    } else {
        tools.UseBrush(pNormalBrush);
        tools.UsePen(nWidth, crNormal);
    }
}

// Whether anything of the line, with its markers and the width of its pen,
// can reach `rcArea`.
bool LineMayReach(const CLineItem& line, const CRect& rcArea, int nMargin)
{
    CRect rcLine(line.m_points[0], line.m_points[0]);
    for (int i = 1; i < line.m_nPoints; ++i) {
        rcLine.left = std::min<LONG>(rcLine.left, line.m_points[i].x);
        rcLine.top = std::min<LONG>(rcLine.top, line.m_points[i].y);
        rcLine.right = std::max<LONG>(rcLine.right, line.m_points[i].x);
        rcLine.bottom = std::max<LONG>(rcLine.bottom, line.m_points[i].y);
    }
    const int nReach = nMargin + line.m_nWidth;
    rcLine.InflateRect(nReach, nReach);
    CRect rcMeet;
    return rcMeet.IntersectRect(&rcLine, &rcArea) != FALSE;
}

void DrawPolyline(CDC* pDC, const CLineItem& line)
{
    if (line.m_nPoints == 0)
        return;
    pDC->MoveTo(line.m_points[0]);
    for (int i = 1; i < line.m_nPoints; ++i)
        pDC->LineTo(line.m_points[i]);
}

// Squared distance from (x, y) to the segment p-q, measured from p alone
// when the segment is shorter than 1.5 pixels.
double DistanceToSegment(int x, int y, POINT p, POINT q, double* pNearX, double* pNearY)
{
    const double dx = static_cast<double>(q.x) - p.x;
    const double dy = static_cast<double>(q.y) - p.y;
    const double len2 = dx * dx + dy * dy;
    double t = 0.0;
    if (len2 > 2.0) {
        t = ((static_cast<double>(x) - p.x) * dx + (static_cast<double>(y) - p.y) * dy) / len2;
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    }
    *pNearX = p.x + t * dx;
    *pNearY = p.y + t * dy;
    const double ex = x - *pNearX;
    const double ey = y - *pNearY;
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

CRect CLineTracker::GetHandleRect(POINT pt) const
{
    const int left = pt.x - m_nHandleSize / 2;
    const int top = pt.y - m_nHandleSize / 2;
    return CRect(left, top, left + m_nHandleSize, top + m_nHandleSize);
}

void CLineTracker::Draw(CDC* pDC)
{
    CBrush normalBrush(m_crNormal);
    CBrush alertBrush(m_crAlert);
    PaintTools tools(pDC);
    tools.UseBrush(&normalBrush);

    // Lines wholly outside the area being painted would be clipped away.
    CRect rcClip;
    const bool bCull = pDC->GetClipBox(&rcClip) != ERROR;
    const int nMargin = m_nHandleSize + 2;

    const CLineArray& lines = *m_pOwner->m_pLineList;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CLineItem& line = *lines[i];
        if (line.m_nPoints == 0 || (bCull && !LineMayReach(line, rcClip, nMargin)))
            continue;
        SelectStroke(tools, line, line.m_nWidth, m_crNormal, m_crAlert, &normalBrush, &alertBrush);
        int nFirstMarked = 1;
        if (line.m_pParent != nullptr) {
            pDC->Ellipse(GetHandleRect(line.m_points[0]));
            nFirstMarked = 0;
        }
        pDC->MoveTo(line.m_points[0]);
        for (int j = nFirstMarked; j < line.m_nPoints; ++j) {
            pDC->LineTo(line.m_points[j]);
            if (line.m_bPointSelected[j])
                pDC->Rectangle(GetHandleRect(line.m_points[j]));
        }
    }

    // Selected lines once more one pixel thicker, then their handles on top.
    for (INT_PTR i = 0; i < m_lineSelection.GetSize(); ++i) {
        const CLineItem& line = *m_lineSelection[i];
        SelectStroke(tools, line, line.m_nWidth + 1, m_crNormal, m_crAlert, &normalBrush, &alertBrush);
        DrawPolyline(pDC, line);
    }
    for (INT_PTR i = 0; i < m_lineSelection.GetSize(); ++i) {
        const CLineItem& line = *m_lineSelection[i];
        SelectStroke(tools, line, line.m_nWidth, m_crNormal, m_crAlert, &normalBrush, &alertBrush);
        for (int j = 0; j < line.m_nPoints; ++j)
            pDC->Rectangle(GetHandleRect(line.m_points[j]));
    }
}

BYTE CLineTracker::HitTestLine(int x, int y, CLineItem* pLine, BYTE nMode)
{
    const CPoint pt(x, y);
    const UINT nGrid = m_pOwner->GetGridSize();
    for (int k = 0; k + 1 < pLine->m_nPoints; ++k) {
        const CPoint p = pLine->m_points[k];
        const CPoint q = pLine->m_points[k + 1];
        if (nMode == LINE_TEST_ONLY) {
            // The first point is reported but not recorded: it sits on a
            // pin or a node and can be neither dragged nor branched from.
            if (GetHandleRect(p).PtInRect(pt)) {
                if (k != 0) {
                    m_pHitLine = pLine;
                    m_nHitPart = k;
                }
                return LINE_HIT_TEST_POINT;
            }
            if (GetHandleRect(q).PtInRect(pt)) {
                m_pHitLine = pLine;
                m_nHitPart = k + 1;
                return LINE_HIT_TEST_POINT;
            }
        }
        double nearX = 0;
        double nearY = 0;
        const double distance = DistanceToSegment(x, y, p, q, &nearX, &nearY);
        if (!(static_cast<long long>(distance) < static_cast<long long>(nGrid)))
            continue;
        if (nMode == LINE_TEST_ONLY) {
            m_pHitLine = pLine;
            m_nHitPart = LINE_HIT_SEGMENT + k;
            return LINE_HIT_TEST_SEGMENT;
        }
        const CPoint bend = SnapToGrid(static_cast<int>(nearX), static_cast<int>(nearY), nGrid);
        const CLineArray& lines = *m_pOwner->m_pLineList;
        // The segment's end point carries a branch: no bend of this segment
        // may be taken out from under it (InsertLinePoint also keeps any
        // other point that carries one).
        const BOOL bAllowRemove = nMode == LINE_TEST_INSERT_OR_REMOVE && !HasBranchOnPoint(lines, pLine, k + 1);
        if (InsertLinePoint(lines, pLine, bend.x, bend.y, k + 1, bAllowRemove) == LINE_INSERT_NOTHING)
            return LINE_HIT_TEST_NONE;
        return LINE_HIT_TEST_POINT;
    }
    return LINE_HIT_TEST_NONE;
}

void CLineTracker::ConstrainAngle(RECT* pSegment) const
{
    const double step = std::acos(0.0) / 6.0;
    const int dx = pSegment->right - pSegment->left;
    int dUp = pSegment->top - pSegment->bottom;  // screen y grows downward
    if (dx == 0)
        return;
    const double a = std::atan2(static_cast<double>(dUp), static_cast<double>(dx)) / step;
    const int k = static_cast<int>(a);
    if (a > 11.0 || a < -11.0)
        dUp = 0;
    else if (k == 6 || k == -6)
        return;  // vertical: x is never changed, so there is nothing to snap
    else
        dUp = static_cast<int>(std::tan(k * step) * dx);
    pSegment->bottom = pSegment->top - dUp;
}

void CLineTracker::DrawInvertedLine(const RECT& segment, CDC* pDC) const
{
    const int nOld = pDC->SetROP2(R2_NOT);
    pDC->MoveTo(segment.left, segment.top);
    pDC->LineTo(segment.right, segment.bottom);
    pDC->SetROP2(nOld);
}

void CLineTracker::DrawXorLine(const RECT& segment, CDC* pDC) const
{
    const int nOld = pDC->SetROP2(R2_XORPEN);
    pDC->MoveTo(segment.left, segment.top);
    pDC->LineTo(segment.right, segment.bottom);
    pDC->SetROP2(nOld);
}

void CLineTracker::DrawInvertedSegments(const CLineItem* pLine, int nFirst, int nEnd, CDC* pDC) const
{
    const int nOldRop = pDC->SetROP2(R2_NOT);
    CPen pen(PS_SOLID, 1, pLine->m_color);
    CBrush brush(pLine->m_color);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    if (nEnd >= pLine->m_nPoints)
        nEnd = pLine->m_nPoints - 1;
    for (int i = nFirst < 0 ? 0 : nFirst; i < nEnd; ++i) {
        pDC->MoveTo(pLine->m_points[i]);
        pDC->LineTo(pLine->m_points[i + 1]);
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
    pDC->SetROP2(nOldRop);
}

void CLineTracker::DrawInvertedFrame(int left, int top, int right, int bottom, CDC* pDC) const
{
    const int nOld = pDC->SetROP2(R2_NOT);
    pDC->MoveTo(left, top);
    pDC->LineTo(right, top);
    pDC->LineTo(right, bottom);
    pDC->LineTo(left, bottom);
    pDC->LineTo(left, top);
    pDC->SetROP2(nOld);
}

void CLineTracker::UpdateBranches(CLineItem* pLine, CDC* pDC)
{
    CBrush brush(pLine->m_color);
    CPen pen(PS_SOLID, 1, pLine->m_color);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const CLineArray& lines = *m_pOwner->m_pLineList;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        CLineItem* pBranch = lines[i];
        if (pBranch->m_pParent != pLine || pBranch->m_nPoints == 0)
            continue;
        if (pBranch->m_nNode < 0 || pBranch->m_nNode >= pLine->m_nPoints)
            continue;
        const CPoint node = pLine->m_points[pBranch->m_nNode];
        DrawInvertedSegments(pBranch, 0, 1, pDC);
        if (pBranch->m_points[0] != node) {
            pBranch->m_points[0] = node;
            // The branch's record carries its points: the device must learn
            // where it starts now.
            pBranch->m_bModified = 1;
        }
        DrawInvertedSegments(pBranch, 0, 1, pDC);
        pDC->Ellipse(GetHandleRect(node));
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}
