// The object tracker's set-up, queries, selection, painting and tooltips.
// Editing lives in CObjectTrackerEdit.cpp, the rubber band and its frame in
// CObjectTrackerRubberBand.cpp.
#include "canvas/CObjectTracker.h"

#include <cstring>

#include "afxview.h"
#include "blocks/CanvasUtils.h"
#include "blocks/CTrackObject.h"
#include "canvas/CLineTracker.h"
#include "commctrl.h"
#include "lines/CLineItem.h"

namespace {

constexpr int kTooltipTextSize = 4096;
// Blocks draw their frame and pins a little outside their rectangle.
constexpr int kPaintMargin = 6;
// Room the canvas keeps right of and below the last block.
constexpr int kCanvasMargin = 15;

}  // namespace

CObjectTracker::CObjectTracker()
    : m_pGrid(&m_nGridDefault), m_pLineTracker(new CLineTracker(5, this, RGB(0, 0, 0), RGB(255, 0, 0)))
{
    m_rcLastFrame.SetRectEmpty();
    m_rcSavedTrack.SetRectEmpty();
    m_rectMoved.SetRectEmpty();
}

CObjectTracker::~CObjectTracker()
{
    delete m_pLineTracker;
    if (m_hToolTip != nullptr && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
}

long CObjectTracker::OnDeleteLine(CLineItem*) { return 0; }
long CObjectTracker::OnDeleteObject(CTrackObject*) { return 0; }
long CObjectTracker::OnLineChanged(CLineItem*) { return 0; }
long CObjectTracker::OnConnectLine(CTrackObject*, CTrackObject*, CLineItem*) { return 0; }
long CObjectTracker::OnNewLineName(const char*, int) { return 0; }
long CObjectTracker::InvalidateCanvasRect(RECT*, BOOL) { return 0; }

void CObjectTracker::DrawDragFeedback(LPCRECT, CWnd*, CDC*, CWnd*) {}

// ---- Set-up ----------------------------------------------------------------------------

void CObjectTracker::SetView(CScrollView* pView)
{
    m_pView = pView;
    if (m_hToolTip != nullptr && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
    if (pView == nullptr || pView->GetSafeHwnd() == nullptr)
        return;
    m_hToolTip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   AfxGetInstanceHandle(), nullptr);
    if (m_hToolTip == nullptr)
        return;
    ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 32767);
    TOOLINFOA info{};
    info.cbSize = 48;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = pView->GetSafeHwnd();
    info.uId = reinterpret_cast<UINT_PTR>(pView->GetSafeHwnd());
    char szEmpty[1] = "";
    info.lpszText = szEmpty;
    ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CObjectTracker::ForgetReplaced(BOOL bBlocks, BOOL bLines)
{
    if (bBlocks) {
        m_selection.RemoveAll();
        for (const std::string& name : m_selectedNames) {
            for (INT_PTR i = 0; i < m_pObjectList->GetSize(); ++i) {
                CTrackObject* pObject = (*m_pObjectList)[i];
                if (name == pObject->m_szName && !IsSelected(pObject)) {
                    pObject->m_bSelected = TRUE;
                    m_selection.Add(pObject);
                    break;
                }
            }
        }
        RememberSelectedNames();
    }
    if (bLines) {
        // The old lines are freed: nothing of them may be read, so no
        // repaint area is computed from them (the document repaints).
        m_pLineTracker->m_lineSelection.RemoveAll();
        m_pLineTracker->m_pHitLine = nullptr;
        m_pLineTracker->m_nHitPart = LINE_HIT_NONE;
        m_pLineTracker->m_pCurLine = nullptr;
        m_pLineTracker->m_nLinesReplaced++;
    }
}

void CObjectTracker::RememberSelectedNames()
{
    m_selectedNames.clear();
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        m_selectedNames.emplace_back(m_selection[i]->m_szName);
}

// ---- Coordinates and invalidation -----------------------------------------------------

CPoint CObjectTracker::ScrollOffset() const
{
    return m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr ? m_pView->GetScrollPosition() : CPoint(0, 0);
}

void CObjectTracker::InvalidateInView(RECT rc, BOOL bErase)
{
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    CPoint scroll = ScrollOffset();
    ::OffsetRect(&rc, -scroll.x, -scroll.y);
    m_pView->InvalidateRect(&rc, bErase);
}

void CObjectTracker::RepaintCanvas(RECT rc)
{
    if (::IsRectEmpty(&rc))
        return;
    RECT rcCanvas = rc;
    if (InvalidateCanvasRect(&rcCanvas, TRUE) == 0)
        InvalidateInView(rc, TRUE);
}

void CObjectTracker::InvalidateBlock(const CTrackObject* pObject)
{
    if (m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr)
        InvalidateObject(m_pView, pObject);
}

// ---- Queries ----------------------------------------------------------------------------

CTrackObject* CObjectTracker::ObjectAt(int x, int y)
{
    CPoint pt(x, y);
    for (INT_PTR i = m_pObjectList->GetSize() - 1; i >= 0; --i) {
        CTrackObject* pObject = (*m_pObjectList)[i];
        if (pObject->HitCode(pt) != HIT_NONE)
            return pObject;
    }
    return nullptr;
}

int CObjectTracker::HitAnyObject(int x, int y)
{
    return ObjectAt(x, y) != nullptr ? 1 : 0;
}

int CObjectTracker::IsSelected(const CTrackObject* pObject) const
{
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        if (m_selection[i] == pObject)
            return 1;
    }
    return 0;
}

CRect CObjectTracker::GetSelectionRect() const
{
    CRect rc(0, 0, 0, 0);
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        if (i == 0)
            rc = m_selection[i]->m_rcPos;
        else
            rc.UnionRect(&rc, &m_selection[i]->m_rcPos);
    }
    return rc;
}

CSize CObjectTracker::GetCanvasSize() const
{
    CRect rc(0, 0, 1, 1);
    for (INT_PTR i = 0; i < m_pObjectList->GetSize(); ++i)
        rc.UnionRect(&rc, &(*m_pObjectList)[i]->m_rcPos);
    return CSize(rc.right - rc.left + kCanvasMargin, rc.bottom - rc.top + kCanvasMargin);
}

int CObjectTracker::HitTestLineMenu(int x, int y, int* pIsBranch)
{
    for (INT_PTR i = 0; i < m_pLineList->GetSize(); ++i) {
        CLineItem* pLine = (*m_pLineList)[i];
        int r = m_pLineTracker->HitTestLine(x, y, pLine, 0);
        if (r == 0)
            continue;
        *pIsBranch = pLine->m_pParent != nullptr ? 1 : 0;
        if (r != 2)
            return 1;
        int nPart = m_pLineTracker->m_nHitPart;
        for (INT_PTR j = 0; j < m_pLineList->GetSize(); ++j) {
            CLineItem* pOther = (*m_pLineList)[j];
            if (pOther != pLine && pOther->m_pParent == pLine && pOther->m_nNode == nPart)
                return 1;
        }
        return 2;
    }
    return 0;
}

// ---- Selection ----------------------------------------------------------------------------

int CObjectTracker::Select(CTrackObject* pObject)
{
    if (IsSelected(pObject))
        return 0;
    m_selection.Add(pObject);
    m_selectedNames.emplace_back(pObject->m_szName);
    pObject->m_bSelected = TRUE;
    InvalidateBlock(pObject);
    return 1;
}

int CObjectTracker::Deselect(CTrackObject* pObject)
{
    if (!IsSelected(pObject))
        return 0;
    CArray<CTrackObject*, CTrackObject*> rest;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        if (m_selection[i] != pObject)
            rest.Add(m_selection[i]);
    }
    m_selection.Copy(rest);
    RememberSelectedNames();
    pObject->m_bSelected = FALSE;
    InvalidateBlock(pObject);
    return 1;
}

int CObjectTracker::ToggleSelection(CTrackObject* pObject)
{
    if (!IsSelected(pObject)) {
        Select(pObject);
        return 0;
    }
    Deselect(pObject);
    return 1;
}

int CObjectTracker::DeselectAll()
{
    for (INT_PTR i = 0; i < m_pObjectList->GetSize(); ++i) {
        CTrackObject* pObject = (*m_pObjectList)[i];
        if (pObject->m_bSelected) {
            pObject->m_bSelected = FALSE;
            InvalidateBlock(pObject);
        }
    }
    CRect area;
    area.SetRectEmpty();
    BOOL bPointsCleared = FALSE;
    for (INT_PTR i = 0; i < m_pLineList->GetSize(); ++i) {
        CLineItem* pLine = (*m_pLineList)[i];
        CRect rcSelected = pLine->GetSelectedPointsRect();
        if (ClearInnerPointSelection(pLine)) {
            bPointsCleared = TRUE;
            rcSelected.InflateRect(5, 5);
            area.UnionRect(&area, &rcSelected);
        }
    }
    if (bPointsCleared)
        InvalidateCanvasRect(&area, TRUE);
    int nFormer = static_cast<int>(m_selection.GetSize()) + (bPointsCleared ? 1 : 0);
    m_selection.RemoveAll();
    m_selectedNames.clear();
    return nFormer;
}

// Inner points only: a line's ends sit on pins and are never selected, a
// branch line's first point sits on its node and moves with it.
BOOL CObjectTracker::ClearInnerPointSelection(CLineItem* pLine)
{
    BOOL bCleared = FALSE;
    int nFirst = pLine->m_pParent != nullptr ? 0 : 1;
    for (int i = nFirst; i <= pLine->m_nPoints - 2; ++i) {
        if (pLine->m_bPointSelected[i]) {
            pLine->m_bPointSelected[i] = 0;
            bCleared = TRUE;
        }
    }
    return bCleared;
}

// ---- Painting and tooltips -----------------------------------------------------------

void CObjectTracker::Paint(CDC* pDC, const RECT& rcClip)
{
    CRect rcArea(rcClip);
    rcArea.InflateRect(kPaintMargin, kPaintMargin);
    m_pLineTracker->Draw(pDC);
    CRect rcMeet;
    for (INT_PTR i = 0; i < m_pObjectList->GetSize(); ++i) {
        CTrackObject* pObject = (*m_pObjectList)[i];
        if (rcMeet.IntersectRect(&pObject->m_rcPos, &rcArea))
            pObject->Draw(pDC);
    }
}

void CObjectTracker::UpdateToolTip(UINT nFlags, int x, int y)
{
    CPoint scroll = ScrollOffset();
    CTrackObject* pObject = ObjectAt(x + scroll.x, y + scroll.y);
    if (pObject == nullptr) {
        if (m_hToolTip != nullptr)
            ::SendMessageA(m_hToolTip, TTM_ACTIVATE, FALSE, 0);
        return;
    }
    BOOL bText = FALSE;
    if (m_hToolTip != nullptr && pObject->HasTooltip()) {
        char szText[kTooltipTextSize] = "";
        if (pObject->GetTooltipText(szText) != 0) {
            TOOLINFOA info{};
            info.cbSize = 48;
            info.hwnd = m_pView->GetSafeHwnd();
            info.uId = reinterpret_cast<UINT_PTR>(m_pView->GetSafeHwnd());
            info.lpszText = szText;
            ::SendMessageA(m_hToolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
            ::SendMessageA(m_hToolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
            ::SendMessageA(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
            bText = TRUE;
        }
    }
    pObject->OnMouseMove(nFlags, x, y);
    if (m_hToolTip != nullptr)
        ::SendMessageA(m_hToolTip, TTM_ACTIVATE, bText, 0);
}
