#include "canvas/CObjectTracker.h"

#include "afxview.h"

CObjectTracker::CObjectTracker() : m_pGrid(&m_nGridDefault), m_pLineTracker(nullptr) {}

CObjectTracker::~CObjectTracker() = default;

long CObjectTracker::OnDeleteLine(CLineItem*) { return 0; }
long CObjectTracker::OnDeleteObject(CTrackObject*) { return 0; }
long CObjectTracker::OnLineChanged(CLineItem*) { return 0; }
long CObjectTracker::OnConnectLine(CTrackObject*, CTrackObject*, CLineItem*) { return 0; }
long CObjectTracker::OnNewLineName(const char*, int) { return 0; }
long CObjectTracker::InvalidateCanvasRect(RECT*, BOOL) { return 0; }

void CObjectTracker::DrawDragFeedback(LPCRECT, CWnd*, CDC*, CWnd*) {}

void CObjectTracker::OnRectChanged(LPCRECT) {}

CPoint CObjectTracker::ScrollOffset() const
{
    return m_pView != nullptr ? m_pView->GetScrollPosition() : CPoint(0, 0);
}

void CObjectTracker::InvalidateInView(RECT rc, BOOL bErase)
{
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    CPoint scroll = ScrollOffset();
    ::OffsetRect(&rc, -scroll.x, -scroll.y);
    m_pView->InvalidateRect(&rc, bErase);
}
