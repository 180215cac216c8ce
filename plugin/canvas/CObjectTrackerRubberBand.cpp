// Area selection with the rubber band, and the dotted frame that follows a
// band or a block drag, scrolling the view while the cursor is outside it.
//
// The frame is drawn by inverting pixels, so drawing it twice removes it.
// At most one frame is on screen, remembered in device coordinates of the
// view: it is erased before anything moves the pixels under it (a scroll, a
// dispatched message that may paint) and when the gesture ends, however it
// ends, so no copy of it survives.
#include "afxview.h"
#include "blocks/CTrackObject.h"
#include "canvas/CLineTracker.h"
#include "canvas/CObjectTracker.h"
#include "lines/CLineItem.h"

namespace {

constexpr COLORREF kFrameColor = RGB(10, 10, 10);
// Each auto-scroll step moves the view this many pixels.
constexpr int kAutoScrollStep = 3;

BOOL LeftButtonDown()
{
    return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

}  // namespace

// ---- Area selection -------------------------------------------------------------------------

void CObjectTracker::SelectByRubberBand(CPoint point)
{
    m_ptAnchor = point;
    CPoint scroll = ScrollOffset();
    StartFrame(TRUE);
    BOOL bChanged = RubberBand(m_pView, point - scroll, TRUE);
    EndFrame();
    if (!bChanged)
        return;
    // The band's far corner is where the mouse let go, in the scroll
    // position of that moment; its anchor is the press point itself, which
    // stays exact even when the view scrolled meanwhile.
    CPoint scrollNow = ScrollOffset();
    CPoint ptFar(m_rcTrack.right + scrollNow.x, m_rcTrack.bottom + scrollNow.y);
    CRect rcBand(m_ptAnchor, ptFar);
    rcBand.NormalizeRect();

    CRect rcMeet;
    for (INT_PTR i = 0; i < m_pObjectList->GetSize(); ++i) {
        CTrackObject* pObject = (*m_pObjectList)[i];
        if (rcMeet.IntersectRect(&pObject->m_rcPos, &rcBand))
            Select(pObject);
    }
    if (!m_selection.IsEmpty())
        SelectPointsInBand(rcBand);
}

void CObjectTracker::SelectPointsInBand(const CRect& rcBand)
{
    BOOL bAny = FALSE;
    for (INT_PTR i = 0; i < m_pLineList->GetSize(); ++i) {
        CLineItem* pLine = (*m_pLineList)[i];
        int nFirst = pLine->m_pParent != nullptr ? 0 : 1;
        for (int j = nFirst; j <= pLine->m_nPoints - 2; ++j) {
            BOOL bInside = rcBand.PtInRect(pLine->m_points[j]);
            pLine->m_bPointSelected[j] = bInside ? 1 : 0;
            bAny |= bInside;
        }
    }
    if (!bAny)
        return;
    CRect area = rcBand;
    if (!m_rectMoved.IsRectEmpty())
        area.UnionRect(&area, &m_rectMoved);
    // Point handles reach a little beyond the points.
    area.InflateRect(3, 3);
    InvalidateInView(area, TRUE);
    m_rectMoved = rcBand;
}

// ---- The frame ----------------------------------------------------------------------------------

void CObjectTracker::OnRectChanged(LPCRECT)
{
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    m_rcSavedTrack = m_rcTrack;
    if (!LeftButtonDown()) {
        EraseFrame();
        return;
    }
    m_bScrolledBefore = m_bScrolled;
    m_bScrolled = FALSE;
    AutoScroll();
    EraseFrame();
    DrawFrame(CurrentFrame());
}

// The band's anchor is a canvas point and follows scrolling; a moved
// selection is where the mouse put it in the view.
CRect CObjectTracker::CurrentFrame() const
{
    CRect rc = m_rcSavedTrack;
    if (m_bBandTracking) {
        CPoint scroll = ScrollOffset();
        rc.left = m_ptAnchor.x - scroll.x;
        rc.top = m_ptAnchor.y - scroll.y;
    }
    rc.NormalizeRect();
    return rc;
}

void CObjectTracker::DrawFrame(const CRect& rc)
{
    CDC* pDC = m_pView->GetDC();
    if (pDC == nullptr)
        return;
    LOGBRUSH brush{BS_SOLID, kFrameColor, 0};
    HPEN hPen = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr);
    HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), hPen);
    m_pLineTracker->DrawInvertedFrame(rc.left, rc.top, rc.right, rc.bottom, pDC);
    ::SelectObject(pDC->GetSafeHdc(), hOld);
    ::DeleteObject(hPen);
    m_pView->ReleaseDC(pDC);
    m_rcLastFrame = rc;
    m_bFrameDrawn = TRUE;
    ++m_nFrameCounter;
}

void CObjectTracker::EraseFrame()
{
    if (!m_bFrameDrawn)
        return;
    // Drawing the same frame again inverts its pixels back.
    CRect rc = m_rcLastFrame;
    DrawFrame(rc);
    m_bFrameDrawn = FALSE;
}

void CObjectTracker::StartFrame(BOOL bBand)
{
    m_bBandTracking = bBand;
    m_bFrameDrawn = FALSE;
    m_bFrameSuspended = FALSE;
    m_bScrolled = FALSE;
    m_bScrolledBefore = FALSE;
    m_nFrameCounter = 0;
    m_rcLastFrame.SetRectEmpty();
}

void CObjectTracker::EndFrame()
{
    if (m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr)
        EraseFrame();
    m_bFrameDrawn = FALSE;
    m_bFrameSuspended = FALSE;
    m_bBandTracking = FALSE;
}

void CObjectTracker::SuspendFeedback(BOOL bSuspend, CWnd*, CWnd*, CDC*)
{
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    if (bSuspend) {
        m_bFrameSuspended = m_bFrameDrawn;
        EraseFrame();
    } else if (m_bFrameSuspended) {
        m_bFrameSuspended = FALSE;
        DrawFrame(m_rcLastFrame);
    }
}

// While the cursor is at or beyond an edge of the view and the button is
// held, the view scrolls that way. The frame is taken off first (scrolling
// would move its pixels) and the view repainted at once.
void CObjectTracker::AutoScroll()
{
    HWND hView = m_pView->GetSafeHwnd();
    for (;;) {
        CRect rcClient;
        m_pView->GetClientRect(&rcClient);
        CPoint pt;
        ::GetCursorPos(&pt);
        m_pView->ScreenToClient(&pt);
        CPoint before = m_pView->GetScrollPosition();
        auto scroll = [&](UINT nMsg, int nBar, int nStep) {
            int nPos = m_pView->GetScrollPos(nBar) + nStep;
            EraseFrame();
            ::SendMessageA(hView, nMsg, MAKEWPARAM(SB_THUMBTRACK, nPos), 0);
        };
        if (pt.y >= rcClient.bottom)
            scroll(WM_VSCROLL, SB_VERT, kAutoScrollStep);
        if (pt.x >= rcClient.right)
            scroll(WM_HSCROLL, SB_HORZ, kAutoScrollStep);
        if (pt.y <= rcClient.top)
            scroll(WM_VSCROLL, SB_VERT, -kAutoScrollStep);
        if (pt.x <= rcClient.left)
            scroll(WM_HSCROLL, SB_HORZ, -kAutoScrollStep);
        // At the end of the scroll range there is nothing more to do.
        if (m_pView->GetScrollPosition() == before)
            break;
        m_bScrolled = TRUE;
        m_pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        if (!LeftButtonDown())
            break;
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE);
        if (!LeftButtonDown())
            break;
    }
}
