// CScrollView: scroll sizes, scroll bars fitted to the client area, and the
// viewport origin that follows the scroll position.
#include <climits>

#include "wnd_state.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    // Only the pixel mapping exists: logical and device sizes are equal.
    m_totalDev = CSize(sizeTotal.cx < 0 ? -sizeTotal.cx : sizeTotal.cx, sizeTotal.cy < 0 ? -sizeTotal.cy : sizeTotal.cy);
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;

    if (m_hWnd != nullptr) {
        UpdateBars();
        if (nOldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const { return GetDeviceScrollPosition(); }

void CScrollView::ScrollToPosition(POINT pt)
{
    int xMax = GetScrollLimit(SB_HORZ);
    int yMax = GetScrollLimit(SB_VERT);
    pt.x = pt.x < 0 ? 0 : (pt.x > xMax ? xMax : pt.x);
    pt.y = pt.y < 0 ? 0 : (pt.y > yMax ? yMax : pt.y);
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int xOrig = GetScrollPos(SB_HORZ);
    SetScrollPos(SB_HORZ, ptDev.x);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, ptDev.y);
    ScrollWindow(xOrig - ptDev.x, yOrig - ptDev.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr)
        return;
    pDC->SetMapMode(m_nMapMode > 0 ? m_nMapMode : MM_TEXT);
    pDC->SetViewportOrg(-GetDeviceScrollPosition());
    CView::OnPrepareDC(pDC, pInfo);
}

// ---- Scroll bars ---------------------------------------------------------------------------
// Sizes of the window's own bars where they take client space.
void CScrollView::GetScrollBarSizes(CSize& sizeSb)
{
    sizeSb.cx = sizeSb.cy = 0;
    DWORD dwStyle = GetStyle();
    if (GetScrollBarCtrl(SB_VERT) == nullptr) {
        sizeSb.cx = ::GetSystemMetrics(SM_CXVSCROLL);
        if (dwStyle & WS_BORDER)
            sizeSb.cx -= ::GetSystemMetrics(SM_CXBORDER);
    }
    if (GetScrollBarCtrl(SB_HORZ) == nullptr) {
        sizeSb.cy = ::GetSystemMetrics(SM_CYHSCROLL);
        if (dwStyle & WS_BORDER)
            sizeSb.cy -= ::GetSystemMetrics(SM_CYBORDER);
    }
}

// The client size without any of the window's bars; FALSE when there is no
// room for bars at all.
BOOL CScrollView::GetTrueClientSize(CSize& size, CSize& sizeSb)
{
    CRect rect;
    GetClientRect(&rect);
    size = rect.Size();
    DWORD dwStyle = GetStyle();
    GetScrollBarSizes(sizeSb);
    if (sizeSb.cx != 0 && (dwStyle & WS_VSCROLL))
        size.cx += sizeSb.cx;
    if (sizeSb.cy != 0 && (dwStyle & WS_HSCROLL))
        size.cy += sizeSb.cy;
    return size.cx > sizeSb.cx && size.cy > sizeSb.cy;
}

// Which bars are needed for the total size, the scroll range, and the
// position to move to so that the view does not scroll past its end. A bar
// in one direction takes room that may make the other one necessary.
void CScrollView::GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange, CPoint& ptMove,
                                    BOOL bInsideClient)
{
    CSize sizeSb;
    GetScrollBarSizes(sizeSb);
    sizeRange = m_totalDev - sizeClient;
    ptMove = GetDeviceScrollPosition();

    BOOL bNeedH = sizeRange.cx > 0;
    if (!bNeedH)
        ptMove.x = 0;
    else if (bInsideClient)
        sizeRange.cy += sizeSb.cy;

    BOOL bNeedV = sizeRange.cy > 0;
    if (!bNeedV)
        ptMove.y = 0;
    else if (bInsideClient)
        sizeRange.cx += sizeSb.cx;

    if (bNeedV && !bNeedH && sizeRange.cx > 0) {
        bNeedH = TRUE;
        sizeRange.cy += sizeSb.cy;
    }
    if (sizeRange.cx > 0 && ptMove.x >= sizeRange.cx)
        ptMove.x = sizeRange.cx;
    if (sizeRange.cy > 0 && ptMove.y >= sizeRange.cy)
        ptMove.y = sizeRange.cy;
    needSb.cx = bNeedH;
    needSb.cy = bNeedV;
}

void CScrollView::UpdateBars()
{
    // Showing or hiding a bar resizes the client area and calls OnSize,
    // which would come back here.
    if (m_bInsideUpdate)
        return;
    m_bInsideUpdate = TRUE;

    CSize sizeClient;
    CSize sizeSb;
    if (!GetTrueClientSize(sizeClient, sizeSb)) {
        CRect rect;
        GetClientRect(&rect);
        if (rect.right > 0 && rect.bottom > 0)
            EnableScrollBarCtrl(SB_BOTH, FALSE);
        m_bInsideUpdate = FALSE;
        return;
    }

    CSize sizeRange;
    CPoint ptMove;
    CSize needSb;
    GetScrollBarState(sizeClient, needSb, sizeRange, ptMove, TRUE);
    if (needSb.cx)
        sizeClient.cy -= sizeSb.cy;
    if (needSb.cy)
        sizeClient.cx -= sizeSb.cx;

    ScrollToDevicePosition(ptMove);

    SCROLLINFO info = {};
    info.fMask = SIF_PAGE | SIF_RANGE;
    info.nMin = 0;
    EnableScrollBarCtrl(SB_HORZ, needSb.cx);
    if (needSb.cx) {
        info.nPage = (UINT)sizeClient.cx;
        info.nMax = m_totalDev.cx - 1;
        SetScrollInfo(SB_HORZ, &info, TRUE);
    }
    EnableScrollBarCtrl(SB_VERT, needSb.cy);
    if (needSb.cy) {
        info.nPage = (UINT)sizeClient.cy;
        info.nMax = m_totalDev.cy - 1;
        SetScrollInfo(SB_VERT, &info, TRUE);
    }
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

// ---- Scrolling -------------------------------------------------------------------------------
void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != GetScrollBarCtrl(SB_HORZ))
        return;  // a scroll bar control of the view's own
    OnScroll(MAKEWORD(nSBCode, 0xff), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != GetScrollBarCtrl(SB_VERT))
        return;
    OnScroll(MAKEWORD(0xff, nSBCode), nPos);
}

namespace {

// New position for one scroll code; positions of thumb messages are signed
// 16-bit values, so a request to scroll before the origin clamps to it.
int ScrolledPosition(int pos, BYTE code, UINT nPos, int line, int page)
{
    switch (code) {
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return INT_MAX;
    case SB_LINEUP:
        return pos - line;
    case SB_LINEDOWN:
        return pos + line;
    case SB_PAGEUP:
        return pos - page;
    case SB_PAGEDOWN:
        return pos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return (short)nPos;
    default:
        return pos;
    }
}

}  // namespace

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint point)
{
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return CView::OnMouseWheel(nFlags, zDelta, point);
    BOOL bHasVert = (GetStyle() & WS_VSCROLL) != 0 && GetScrollLimit(SB_VERT) > 0;
    BOOL bHasHorz = (GetStyle() & WS_HSCROLL) != 0 && GetScrollLimit(SB_HORZ) > 0;
    if (!bHasVert && !bHasHorz)
        return FALSE;
    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    int nPage = bHasVert ? m_pageDev.cy : m_pageDev.cx;
    int nLine = bHasVert ? m_lineDev.cy : m_lineDev.cx;
    // Whole lines, rounded as MulDiv rounds; a notch never scrolls more
    // than a page, so that nothing is skipped.
    long long nDisplacement = nLines == WHEEL_PAGESCROLL
                                  ? (zDelta > 0 ? -nPage : nPage)
                                  : (long long)::MulDiv(-zDelta, (int)nLines, WHEEL_DELTA) * nLine;
    if (nDisplacement > nPage)
        nDisplacement = nPage;
    else if (nDisplacement < -nPage)
        nDisplacement = -nPage;
    CSize scroll = bHasVert ? CSize(0, (int)nDisplacement) : CSize((int)nDisplacement, 0);
    BOOL bResult = OnScrollBy(scroll, TRUE);
    if (bResult)
        UpdateWindow();
    return bResult;
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    int xOrig = GetScrollPos(SB_HORZ);
    int x = ScrolledPosition(xOrig, LOBYTE(nScrollCode), nPos, m_lineDev.cx, m_pageDev.cx);
    int yOrig = GetScrollPos(SB_VERT);
    int y = ScrolledPosition(yOrig, (BYTE)(nScrollCode >> 8), nPos, m_lineDev.cy, m_pageDev.cy);

    BOOL bResult = OnScrollBy(CSize((int)((long long)x - xOrig), (int)((long long)y - yOrig)), bDoScroll);
    if (bResult && bDoScroll)
        UpdateWindow();
    return bResult;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    // No scrolling in a direction whose bar is off.
    DWORD dwStyle = GetStyle();
    if (!(dwStyle & WS_VSCROLL))
        sizeScroll.cy = 0;
    if (!(dwStyle & WS_HSCROLL))
        sizeScroll.cx = 0;

    int xOrig = GetScrollPos(SB_HORZ);
    int xMax = GetScrollLimit(SB_HORZ);
    long long x = (long long)xOrig + sizeScroll.cx;
    x = x < 0 ? 0 : (x > xMax ? xMax : x);

    int yOrig = GetScrollPos(SB_VERT);
    int yMax = GetScrollLimit(SB_VERT);
    long long y = (long long)yOrig + sizeScroll.cy;
    y = y < 0 ? 0 : (y > yMax ? yMax : y);

    if (x == xOrig && y == yOrig)
        return FALSE;
    if (bDoScroll) {
        ScrollWindow(-(int)(x - xOrig), -(int)(y - yOrig));
        if (x != xOrig)
            SetScrollPos(SB_HORZ, (int)x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, (int)y);
    }
    return TRUE;
}
