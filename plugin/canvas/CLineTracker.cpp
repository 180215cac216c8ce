// The line selection and the classification of presses on lines. Painting
// and hit testing live in LineGeometry.cpp, the mouse loops in
// LineTrackerLoops.cpp and NewLineDrawing.cpp.
#include "canvas/CLineTracker.h"

#include "canvas/CObjectTracker.h"
#include "canvas/LineTrackerAreas.h"
#include "lines/CLineItem.h"

CLineTracker::CLineTracker(int nHandleSize, CObjectTracker* pOwner, COLORREF crNormal, COLORREF crAlert)
    : m_nHitPart(LINE_HIT_NONE),
      m_nHandleSize(nHandleSize),
      m_crNormal(crNormal),
      m_crAlert(crAlert),
      m_pOwner(pOwner)
{
    m_rcSegment.SetRectEmpty();
}

CLineTracker::~CLineTracker() = default;

// ---- Selection ------------------------------------------------------------------------

BOOL CLineTracker::IsInSelection(const CLineItem* pLine) const
{
    for (INT_PTR i = 0; i < m_lineSelection.GetSize(); ++i) {
        if (m_lineSelection[i] == pLine)
            return TRUE;
    }
    return FALSE;
}

void CLineTracker::AddToSelection(CLineItem* pLine)
{
    if (!IsInSelection(pLine))
        m_lineSelection.Add(pLine);
}

void CLineTracker::RemoveFromSelection(CLineItem* pLine)
{
    for (INT_PTR i = 0; i < m_lineSelection.GetSize(); ++i) {
        if (m_lineSelection[i] == pLine) {
            m_lineSelection.RemoveAt(i);
            return;
        }
    }
}

void CLineTracker::ClearSelection()
{
    LineArea area;
    for (INT_PTR i = 0; i < m_lineSelection.GetSize(); ++i)
        area.Add(m_lineSelection[i], kLineRepaintMargin);
    m_lineSelection.RemoveAll();
    area.Invalidate(m_pOwner);
}

void CLineTracker::ClearOrphanBranchSources()
{
    CLineArray& lines = *m_pOwner->m_pLineList;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        CLineItem* pLine = lines[i];
        if (pLine->m_pParent != nullptr && pLine->GetRootLine()->m_pSource == nullptr)
            pLine->m_pSource = nullptr;
    }
}

// ---- Presses -------------------------------------------------------------------------------

int CLineTracker::HitTest(int x, int y)
{
    const CPoint pt(x, y);
    int nCode = LINE_PRESS_NONE;
    int nInner = LINE_HIT_NONE;
    m_pCurLine = nullptr;
    for (INT_PTR i = 0; i < m_lineSelection.GetSize() && m_pCurLine == nullptr; ++i) {
        CLineItem* pLine = m_lineSelection[i];
        for (int j = 0; j < pLine->m_nPoints; ++j) {
            if (!GetHandleRect(pLine->m_points[j]).PtInRect(pt))
                continue;
            m_pCurLine = pLine;
            if (j == 0) {
                nCode = LINE_PRESS_FIRST_POINT;
            } else if (j == pLine->m_nPoints - 1) {
                nCode = LINE_PRESS_LAST_POINT;
            } else {
                nCode = LINE_PRESS_INNER_POINT;
                nInner = j;
            }
            break;
        }
        // The test records the segment, so a press on a segment of any
        // selected line becomes a drag of that segment below.
        if (m_pCurLine == nullptr && HitTestLine(x, y, pLine, LINE_TEST_ONLY) != LINE_HIT_TEST_NONE) {
            m_pCurLine = pLine;
            nCode = LINE_PRESS_SEGMENT;
        }
    }
    if (m_pCurLine == nullptr) {
        m_rcSegment.SetRectEmpty();
        return LINE_PRESS_NONE;
    }
    if (m_pCurLine != m_pHitLine)
        return nCode;
    if (nInner == m_nHitPart) {
        // The line leaves the selection: a press and release here starts a
        // branch, a drag redraws the line unselected anyway. Its highlight
        // is repainted away.
        LineArea area;
        auto unselect = [&](CLineItem* pLine) {
            if (IsInSelection(pLine)) {
                RemoveFromSelection(pLine);
                area.Add(pLine, kLineRepaintMargin);
            }
        };
        unselect(m_pHitLine);
        CLineArray& lines = *m_pOwner->m_pLineList;
        for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
            if (lines[i]->m_pParent == m_pHitLine)
                unselect(lines[i]);
        }
        area.Invalidate(m_pOwner);
        return LINE_PRESS_RECORDED_POINT;
    }
    if (m_nHitPart >= LINE_HIT_SEGMENT)
        return LINE_PRESS_RECORDED_SEGMENT;
    return nCode;
}

int CLineTracker::SelectLineAt(CScrollView*, UINT nFlags, int x, int y, CArray<CLineItem*, CLineItem*>* pLines)
{
    const BOOL bShift = (nFlags & TRACK_KEY_SHIFT) != 0;
    const BOOL bCtrl = (nFlags & TRACK_KEY_CTRL) != 0;
    if (!bShift && !bCtrl)
        ClearSelection();
    m_pHitLine = nullptr;
    m_nHitPart = LINE_HIT_NONE;

    LineArea area;
    int nResult = LINE_SELECT_NONE;
    for (INT_PTR i = 0; i < pLines->GetSize(); ++i) {
        CLineItem* pLine = (*pLines)[i];
        BYTE r = HitTestLine(x, y, pLine, LINE_TEST_ONLY);
        if (r == LINE_HIT_TEST_POINT && m_pHitLine == pLine && m_nHitPart != 0) {
            SelectFamily(pLine, *pLines, TRUE, &area);
            nResult = LINE_SELECT_POINT;
            break;
        }
        if (r != LINE_HIT_TEST_SEGMENT)
            continue;
        if (!IsInSelection(pLine)) {
            SelectFamily(pLine, *pLines, TRUE, &area);
            nResult = LINE_SELECT_SEGMENT;
        } else if (bCtrl) {
            SelectFamily(pLine, *pLines, FALSE, &area);
            nResult = LINE_SELECT_SEGMENT;
        }
    }
    area.Invalidate(m_pOwner);
    return nResult;
}

// A line, every line whose root it is, and every line whose parent is
// already in the family (branches of branches, in list order).
void CLineTracker::SelectFamily(CLineItem* pLine, const CLineArray& lines, BOOL bSelect, LineArea* pArea)
{
    CArray<CLineItem*, CLineItem*> family;
    family.Add(pLine);
    auto inFamily = [&family](const CLineItem* p) {
        for (INT_PTR k = 0; k < family.GetSize(); ++k) {
            if (family[k] == p)
                return true;
        }
        return false;
    };
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        CLineItem* pOther = lines[i];
        if (pOther == pLine || inFamily(pOther))
            continue;
        if (pOther->GetRootLine() == pLine || (pOther->m_pParent != nullptr && inFamily(pOther->m_pParent)))
            family.Add(pOther);
    }
    for (INT_PTR k = 0; k < family.GetSize(); ++k) {
        if (bSelect)
            AddToSelection(family[k]);
        else
            RemoveFromSelection(family[k]);
        pArea->Add(family[k], kLineRepaintMargin);
    }
}

BOOL CLineTracker::InsertBendAt(int x, int y, CArray<CLineItem*, CLineItem*>* pLines)
{
    m_pHitLine = nullptr;
    m_nHitPart = LINE_HIT_NONE;
    BOOL bHit = FALSE;
    LineArea area;
    for (INT_PTR i = 0; i < pLines->GetSize(); ++i) {
        CLineItem* pLine = (*pLines)[i];
        BYTE r = HitTestLine(x, y, pLine, LINE_TEST_INSERT);
        if (r == LINE_HIT_TEST_NONE)
            continue;
        bHit = TRUE;
        if (r == LINE_HIT_TEST_POINT)
            area.Add(pLine, kLineRepaintMargin);
    }
    area.Invalidate(m_pOwner);
    return bHit;
}
