// CSizingControlBar: the dock row and dragging an edge. An edge towards the
// frame's client area changes the bar's thickness; an edge between two bars
// of a row moves the boundary between them. Each keeps its minimum size.
#include <algorithm>

#include "palette/CSizingControlBar.h"

namespace {

BOOL IsHorzAxisEdge(UINT nHitTest) { return nHitTest == HTLEFT || nHitTest == HTRIGHT; }
BOOL IsLeadingEdge(UINT nHitTest) { return nHitTest == HTLEFT || nHitTest == HTTOP; }

int Lo(const CRect& rc, BOOL bHorzAxis) { return bHorzAxis ? rc.left : rc.top; }
int Hi(const CRect& rc, BOOL bHorzAxis) { return bHorzAxis ? rc.right : rc.bottom; }

}  // namespace

std::vector<CSizingControlBar*> CSizingControlBar::GetRowBars() const
{
    std::vector<CSizingControlBar*> row;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr)
        return row;
    for (HWND h = ::GetWindow(hParent, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        auto* pBar = dynamic_cast<CSizingControlBar*>(CWnd::FromHandlePermanent(h));
        if (pBar != nullptr && (pBar == this || pBar->IsWindowVisible()))
            row.push_back(pBar);
    }
    BOOL bHorz = IsHorzDockBarID(m_nDockBarID);
    std::stable_sort(row.begin(), row.end(), [bHorz](CSizingControlBar* a, CSizingControlBar* b) {
        CRect ra, rb;
        a->GetWindowRect(&ra);
        b->GetWindowRect(&rb);
        return Lo(ra, bHorz) < Lo(rb, bHorz);
    });
    return row;
}

void CSizingControlBar::RealignRowBars()
{
    if (IsFloatingBar())
        return;
    BOOL bHorz = IsHorzDockedBar();
    int nPos = 0;
    for (CSizingControlBar* pBar : GetRowBars()) {
        CSize size = bHorz ? pBar->CalcFixedSize(TRUE) : pBar->CalcFixedSize(FALSE);
        CRect rcWanted = bHorz ? CRect(nPos, 0, nPos + size.cx, size.cy) : CRect(0, nPos, size.cx, nPos + size.cy);
        CRect rcNow;
        pBar->GetWindowRect(&rcNow);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rcNow), 2);
        if (rcNow != rcWanted)
            pBar->SetWindowPos(nullptr, rcWanted.left, rcWanted.top, rcWanted.Width(), rcWanted.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
        nPos += bHorz ? size.cx : size.cy;
    }
}

int CSizingControlBar::SizeAlong(BOOL bHorzAxis) const
{
    const CSize& size = IsHorzDockedBar() ? m_szHorz : m_szVert;
    return bHorzAxis ? size.cx : size.cy;
}

int CSizingControlBar::MinAlong(BOOL bHorzAxis) const
{
    const CSize& size = IsHorzDockedBar() ? m_szMinHorz : m_szMinVert;
    return bHorzAxis ? size.cx : size.cy;
}

void CSizingControlBar::SetSizeAlong(BOOL bHorzAxis, int n)
{
    CSize& size = IsHorzDockedBar() ? m_szHorz : m_szVert;
    (bHorzAxis ? size.cx : size.cy) = n;
}

CSizingControlBar* CSizingControlBar::DragNeighbour() const
{
    // Only the edges along the row have a neighbour behind them.
    if (IsHorzAxisEdge(m_htEdge) != IsHorzDockedBar())
        return nullptr;
    std::vector<CSizingControlBar*> row = GetRowBars();
    auto it = std::find(row.begin(), row.end(), this);
    if (it == row.end())
        return nullptr;
    if (IsLeadingEdge(m_htEdge))
        return it == row.begin() ? nullptr : *(it - 1);
    return it + 1 == row.end() ? nullptr : *(it + 1);
}

int CSizingControlBar::EdgeMiddle(const CRect& rcWnd) const
{
    BOOL bHorzAxis = IsHorzAxisEdge(m_htEdge);
    return IsLeadingEdge(m_htEdge) ? Lo(rcWnd, bHorzAxis) + m_cxEdge / 2 : Hi(rcWnd, bHorzAxis) - m_cxEdge / 2;
}

void CSizingControlBar::BeginEdgeDrag(UINT nHitTest, CPoint point)
{
    m_htEdge = nHitTest;
    m_bTracking = TRUE;
    SetCapture();

    BOOL bHorzAxis = IsHorzAxisEdge(nHitTest);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    m_nTrackPosOld = EdgeMiddle(rcWnd);
    m_nTrackEdgeOfs = (bHorzAxis ? point.x : point.y) - m_nTrackPosOld;
    int nToBoundary = IsLeadingEdge(nHitTest) ? m_cxEdge / 2 : -(m_cxEdge / 2);

    // Without a neighbour the edge may go as far as the frame's client area.
    CSizingControlBar* pNeighbour = DragNeighbour();
    CRect rcLimit;
    if (pNeighbour != nullptr) {
        pNeighbour->GetWindowRect(&rcLimit);
    } else {
        CWnd* pFrame = GetDockingFrame();
        if (pFrame == nullptr)
            pFrame = GetParent();
        pFrame->GetClientRect(&rcLimit);
        pFrame->ClientToScreen(&rcLimit);
    }
    int nNeighbourMin = pNeighbour != nullptr ? pNeighbour->MinAlong(bHorzAxis) : 0;
    int nMin, nMax;
    if (IsLeadingEdge(nHitTest)) {
        nMin = Lo(rcLimit, bHorzAxis) + nNeighbourMin;
        nMax = Hi(rcWnd, bHorzAxis) - MinAlong(bHorzAxis);
    } else {
        nMin = Lo(rcWnd, bHorzAxis) + MinAlong(bHorzAxis);
        nMax = Hi(rcLimit, bHorzAxis) - nNeighbourMin;
    }
    m_nTrackPosMin = nMin + nToBoundary;
    m_nTrackPosMax = std::max(nMin, nMax) + nToBoundary;
    if (!m_bDragShowContent)
        ToggleDragLine();
}

void CSizingControlBar::UpdateEdgeDrag(CPoint ptScreen)
{
    BOOL bHorzAxis = IsHorzAxisEdge(m_htEdge);
    int nPos = std::clamp((bHorzAxis ? ptScreen.x : ptScreen.y) - m_nTrackEdgeOfs, m_nTrackPosMin, m_nTrackPosMax);
    if (nPos == m_nTrackPosOld)
        return;
    if (m_bDragShowContent) {
        ApplyEdgePos(nPos);
        return;
    }
    ToggleDragLine();
    m_nTrackPosOld = nPos;
    ToggleDragLine();
}

void CSizingControlBar::ApplyEdgePos(int nPos)
{
    BOOL bHorzAxis = IsHorzAxisEdge(m_htEdge);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    int nDelta = nPos - EdgeMiddle(rcWnd);
    if (IsLeadingEdge(m_htEdge))
        nDelta = -nDelta;
    CSizingControlBar* pNeighbour = DragNeighbour();
    SetSizeAlong(bHorzAxis, SizeAlong(bHorzAxis) + nDelta);
    if (pNeighbour != nullptr)
        pNeighbour->SetSizeAlong(bHorzAxis, pNeighbour->SizeAlong(bHorzAxis) - nDelta);
    m_nTrackPosOld = nPos;
    RealignRowBars();
}

void CSizingControlBar::EndEdgeDrag()
{
    if (!m_bTracking)
        return;
    if (!m_bDragShowContent) {
        ToggleDragLine();  // erase
        ApplyEdgePos(m_nTrackPosOld);
    }
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
}

void CSizingControlBar::ToggleDragLine()
{
    CWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return;
    CRect rcWnd, rcFrame;
    GetWindowRect(&rcWnd);
    pFrame->GetWindowRect(&rcFrame);
    BOOL bHorzAxis = IsHorzAxisEdge(m_htEdge);
    CRect rcLine = bHorzAxis ? CRect(m_nTrackPosOld - m_cxEdge / 2, rcWnd.top, m_nTrackPosOld + m_cxEdge / 2 + 1, rcWnd.bottom)
                             : CRect(rcWnd.left, m_nTrackPosOld - m_cxEdge / 2, rcWnd.right, m_nTrackPosOld + m_cxEdge / 2 + 1);
    rcLine.OffsetRect(-rcFrame.left, -rcFrame.top);
    CWindowDC dc(pFrame);
    CBrush* pOld = dc.SelectObject(CDC::GetHalftoneBrush());
    dc.PatBlt(rcLine.left, rcLine.top, rcLine.Width(), rcLine.Height(), PATINVERT);
    dc.SelectObject(pOld);
}

// ---- Mouse -----------------------------------------------------------------------------------
void CSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_bTracking && !IsFloatingBar() && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        BeginEdgeDrag(nHitTest, point);
        return;
    }
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

void CSizingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        CControlBar::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    UpdateEdgeDrag(point);
}

void CSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        EndEdgeDrag();
    else
        CControlBar::OnLButtonUp(nFlags, point);
}

void CSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        EndEdgeDrag();
    else
        CControlBar::OnRButtonDown(nFlags, point);
}

void CSizingControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTracking && pWnd != this)
        EndEdgeDrag();
    CControlBar::OnCaptureChanged(pWnd);
}
