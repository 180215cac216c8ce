// What a press, a key or a context command does to the canvas: selection
// by press, block moves, new lines, z-order, colour and deletions.
#include <algorithm>
#include <unordered_set>

#include "afxview.h"
#include "blocks/CTrackObject.h"
#include "canvas/CLineTracker.h"
#include "canvas/CObjectTracker.h"
#include "Corvala.h"
#include "lines/CLineItem.h"

namespace {

// Selected blocks and moved lines repaint this far around them: frames,
// pins and handles reach a little outside the rectangles.
constexpr int kBlockRepaintMargin = 6;
constexpr int kLineRepaintMargin = 3;
constexpr int kColorRepaintMargin = 5;

CRect Inflated(CRect rc, int n)
{
    rc.InflateRect(n, n);
    return rc;
}

void Unite(CRect& area, const CRect& rc)
{
    if (area.IsRectEmpty())
        area = rc;
    else
        area.UnionRect(&area, &rc);
}

// The grid the block moves snap to; 0 and 1 mean no grid.
int SnapStep(UINT nGrid)
{
    return nGrid >= 2 ? static_cast<int>(nGrid) : 1;
}

}  // namespace

// ---- The press -------------------------------------------------------------------------

long CObjectTracker::OnLButtonDown(CPoint point, UINT nFlags, BOOL bRubberBand, BOOL bMove)
{
    BOOL bKeys = (nFlags & (TRACK_KEY_SHIFT | TRACK_KEY_CTRL)) != 0;
    CPoint ptPin = point;
    BOOL bPinPress = FindPinAt(&ptPin) != nullptr;
    if (bPinPress) {
        point = ptPin;
    } else if (m_pLineTracker->SelectLineAt(m_pView, nFlags, point.x, point.y, m_pLineList) != 0 &&
               m_pLineTracker->m_pHitLine != nullptr) {
        if (!bKeys)
            DeselectAll();
        if (m_pLineTracker->HitTestAndTrack(m_pView, point.x, point.y, nullptr) == 0)
            return 1;
        // A click on a selected bend without moving it starts a branch there.
        StartBranchLine();
        return 1;
    }

    CTrackObject* pBlock = FindBlockAt(point);
    if (pBlock == nullptr) {
        if (bKeys)
            return 0;
        DeselectAll();
        if (bRubberBand)
            SelectByRubberBand(point);
        return 0;
    }
    if (nFlags & TRACK_KEY_CTRL) {
        ToggleSelection(pBlock);
        return 1;
    }
    if (nFlags & TRACK_KEY_SHIFT) {
        Select(pBlock);
        return 1;
    }
    if (!IsSelected(pBlock)) {
        DeselectAll();
        m_pLineTracker->ClearSelection();
    }
    CPoint ptStart = point;
    int nPinCode = pBlock->HitTestPin(&ptStart);
    if (nPinCode != PIN_HIT_NONE) {
        StartNewLine(ptStart, pBlock, nPinCode);
        return 1;
    }
    Select(pBlock);
    if (pBlock->HitCode(point) == HIT_BODY && bMove)
        DragSelection(point);
    else
        InvalidateBlock(pBlock);
    return 1;
}

// The topmost block with a pin under the point; the point moves to the pin's
// centre.
CTrackObject* CObjectTracker::FindPinAt(CPoint* pt)
{
    for (INT_PTR i = m_pObjectList->GetSize() - 1; i >= 0; --i) {
        CTrackObject* pObject = (*m_pObjectList)[i];
        CPoint ptHit = *pt;
        if (pObject->HitTestPin(&ptHit) != PIN_HIT_NONE) {
            *pt = ptHit;
            return pObject;
        }
    }
    return nullptr;
}

CTrackObject* CObjectTracker::FindBlockAt(CPoint pt)
{
    return ObjectAt(pt.x, pt.y);
}

void CObjectTracker::StartNewLine(CPoint point, CTrackObject* pStart, int nPinCode)
{
    m_pLineTracker->DrawNewLine(m_pView, point, pStart, nPinCode, nullptr, 0);
}

void CObjectTracker::StartBranchLine()
{
    CLineItem* pParent = m_pLineTracker->m_pHitLine;
    int nNode = m_pLineTracker->m_nHitPart;
    if (pParent == nullptr || nNode < 0 || nNode >= pParent->m_nPoints)
        return;
    if (!m_selection.IsEmpty())
        DeselectAll();
    m_pLineTracker->ClearSelection();
    m_pLineTracker->DrawNewLine(m_pView, pParent->m_points[nNode], nullptr, 0, pParent, nNode);
}

// The selection is dragged as one rectangle in the view's device
// coordinates, which is what the drag loop and its mouse messages use; the
// result goes back to canvas coordinates with the scroll position at the end
// of the drag, so a drag that scrolled the view lands under the cursor.
void CObjectTracker::DragSelection(CPoint point)
{
    CPoint scroll = ScrollOffset();
    m_rcTrack = GetSelectionRect();
    m_rcTrack.OffsetRect(-scroll.x, -scroll.y);
    StartFrame(FALSE);
    // The press already hit a block's body: the whole selection moves,
    // wherever in it the press was.
    BOOL bChanged = DragHandle(HIT_BODY, m_pView, point - scroll, nullptr);
    EndFrame();
    if (!bChanged || m_selection.IsEmpty())
        return;
    CPoint scrollNow = ScrollOffset();
    CRect rcNew = m_rcTrack;
    rcNew.OffsetRect(scrollNow.x, scrollNow.y);
    CRect rcOld = GetSelectionRect();
    int nGrid = SnapStep(GetGridSize());
    int dx = m_bMoveX ? rcOld.left - (rcNew.left / nGrid) * nGrid : 0;
    int dy = m_bMoveY ? rcOld.top - (rcNew.top / nGrid) * nGrid : 0;
    MoveSelection(dx, dy);
}

// ---- Moves ----------------------------------------------------------------------------

void CObjectTracker::MoveSelection(int dx, int dy)
{
    CRect rcOld = GetSelectionRect();
    if (rcOld.left - dx < 0)
        dx = 0;
    if (rcOld.top - dy < 0)
        dy = 0;
    CRect area;
    area.SetRectEmpty();
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        CTrackObject* pObject = m_selection[i];
        CRect rc = pObject->m_rcPos;
        rc.OffsetRect(-dx, -dy);
        pObject->SetPosition(rc);
        pObject->m_bMoved = TRUE;
        Unite(area, MoveAttachedLineEnds(pObject, dx, dy));
    }
    for (INT_PTR i = 0; i < m_pLineList->GetSize(); ++i) {
        CLineItem* pLine = (*m_pLineList)[i];
        CRect rcBefore = pLine->GetBoundingRect();
        if (pLine->OffsetSelectedPoints(dx, dy)) {
            Unite(area, Inflated(rcBefore, kLineRepaintMargin));
            Unite(area, Inflated(pLine->GetBoundingRect(), kLineRepaintMargin));
        }
    }
    CRect rcNew = rcOld;
    rcNew.OffsetRect(-dx, -dy);
    Unite(area, Inflated(rcOld, kBlockRepaintMargin));
    Unite(area, Inflated(rcNew, kBlockRepaintMargin));
    m_rectMoved = area;
    RepaintCanvas(m_rectMoved);
}

// The ends of the block's lines move with it. The device keeps each line's
// points, so a line whose end moved is marked for sending like any other
// changed line.
CRect CObjectTracker::MoveAttachedLineEnds(CTrackObject* pObject, int dx, int dy)
{
    CRect area;
    area.SetRectEmpty();
    for (CLineItem* pLine : AttachedLines(pObject)) {
        if (pLine->m_nPoints == 0)
            continue;
        Unite(area, Inflated(pLine->GetBoundingRect(), kLineRepaintMargin));
        BOOL bFromTarget = pLine->m_nDirection == LINE_DIRECTION_FROM_TARGET;
        if (pLine->m_pSource == pObject)
            (bFromTarget ? pLine->GetLastPoint() : pLine->GetFirstPoint()).Offset(-dx, -dy);
        if (pLine->m_pTarget == pObject)
            (bFromTarget ? pLine->GetFirstPoint() : pLine->GetLastPoint()).Offset(-dx, -dy);
        if (dx != 0 || dy != 0)
            pLine->m_bModified = 1;
        Unite(area, Inflated(pLine->GetBoundingRect(), kLineRepaintMargin));
    }
    return area;
}

// Every line in the block's pin slots, once each (a line from one of the
// block's outputs back to one of its inputs sits in two slots).
std::vector<CLineItem*> CObjectTracker::AttachedLines(CTrackObject* pObject)
{
    std::vector<CLineItem*> lines;
    std::unordered_set<CLineItem*> seen;
    auto collect = [&](const TrackPin* pPins, UINT nPins) {
        for (UINT p = 0; p < nPins; ++p) {
            for (CLineItem* pLine : pPins[p].m_pLines) {
                if (pLine != nullptr && seen.insert(pLine).second)
                    lines.push_back(pLine);
            }
        }
    };
    collect(pObject->m_pInputs.get(), pObject->m_nInputs);
    collect(pObject->m_pOutputs.get(), pObject->m_nOutputs);
    return lines;
}

void CObjectTracker::MoveToForeground(CTrackObject* pObject)
{
    for (INT_PTR i = 0; i < m_pObjectList->GetSize(); ++i) {
        if ((*m_pObjectList)[i] == pObject) {
            m_pObjectList->RemoveAt(i);
            m_pObjectList->Add(pObject);
            InvalidateBlock(pObject);
            return;
        }
    }
}

void CObjectTracker::MoveToBackground(CTrackObject* pObject)
{
    for (INT_PTR i = 0; i < m_pObjectList->GetSize(); ++i) {
        if ((*m_pObjectList)[i] == pObject) {
            m_pObjectList->RemoveAt(i);
            m_pObjectList->InsertAt(0, pObject);
            InvalidateBlock(pObject);
            return;
        }
    }
}

// ---- Deletion -------------------------------------------------------------------------

void CObjectTracker::DeleteSelected()
{
    CRect area;
    area.SetRectEmpty();
    // The document may free each block and line as it is handed over: work
    // on copies of the lists, never touch a pointer after handing it over.
    CArray<CTrackObject*, CTrackObject*> blocks;
    blocks.Copy(m_selection);
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
        CTrackObject* pObject = blocks[i];
        Deselect(pObject);
        for (CLineItem* pLine : AttachedLines(pObject))
            m_pLineTracker->AddToSelection(pLine);
        CRect rc = Inflated(pObject->m_rcPos, kBlockRepaintMargin);
        OnDeleteObject(pObject);
        m_pLineTracker->ClearOrphanBranchSources();
        RepaintCanvas(rc);
        Unite(area, rc);
    }
    DeselectAll();

    CArray<CLineItem*, CLineItem*> lines;
    lines.Copy(*m_pLineList);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        CLineItem* pLine = lines[i];
        if (!m_pLineTracker->IsInSelection(pLine))
            continue;
        Unite(area, Inflated(pLine->GetBoundingRect(), kLineRepaintMargin));
        m_pLineTracker->RemoveFromSelection(pLine);
        ForgetDeletedLine(pLine);
        OnDeleteLine(pLine);
    }
    // Whatever is left selected is not in the document's list.
    m_pLineTracker->m_lineSelection.RemoveAll();
    m_pLineTracker->ClearSelection();
    RepaintCanvas(area);
}

// The line tracker's records of a line about to be freed.
void CObjectTracker::ForgetDeletedLine(CLineItem* pLine)
{
    if (m_pLineTracker->m_pHitLine == pLine) {
        m_pLineTracker->m_pHitLine = nullptr;
        m_pLineTracker->m_nHitPart = LINE_HIT_NONE;
    }
    if (m_pLineTracker->m_pCurLine == pLine)
        m_pLineTracker->m_pCurLine = nullptr;
}

long CObjectTracker::DeleteNode(int x, int y)
{
    CLineItem* pLine = m_pLineTracker->m_pHitLine;
    if (pLine == nullptr)
        return 0;
    CRect rc = Inflated(pLine->GetBoundingRect(), kColorRepaintMargin);
    m_pLineTracker->HitTestLine(x, y, pLine, 2);
    InvalidateCanvasRect(&rc, TRUE);
    return 0;
}

// ---- Colour ----------------------------------------------------------------------------

void CObjectTracker::ChangeColor()
{
    POPUPSTRUCT record{};
    HWND hOwner = m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr;
    record.m_hOwner = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(hOwner));
    if (a_PopupChooseColor(&record) == 0)
        return;
    COLORREF crChosen = record.m_crColor;
    CRect area;
    area.SetRectEmpty();
    for (INT_PTR i = 0; i < m_pLineList->GetSize(); ++i) {
        CLineItem* pLine = (*m_pLineList)[i];
        if (pLine->m_pParent != nullptr)
            continue;
        if (!m_pLineTracker->IsInSelection(pLine) && pLine != m_pLineTracker->m_pHitLine)
            continue;
        pLine->SetColor(crChosen);
        Unite(area, pLine->GetBoundingRect());
        // Branches show their root's colour; every branch of the line takes
        // it now (at any depth, whatever order the list has them in).
        for (INT_PTR j = 0; j < m_pLineList->GetSize(); ++j) {
            CLineItem* pBranch = (*m_pLineList)[j];
            if (pBranch->m_pParent != nullptr && pBranch->GetRootLine() == pLine) {
                pBranch->m_color = crChosen;
                pBranch->m_bModified = 1;
                Unite(area, pBranch->GetBoundingRect());
            }
        }
    }
    if (area.IsRectEmpty())
        return;
    area.InflateRect(kColorRepaintMargin, kColorRepaintMargin);
    InvalidateCanvasRect(&area, TRUE);
}

// ---- Open -------------------------------------------------------------------------------

long CObjectTracker::OpenAt(CPoint point, int nFlag, UINT a, HOSTINFO* b)
{
    if (CTrackObject* pObject = ObjectAt(point.x, point.y)) {
        pObject->OnDoubleClick(a, b);
        return 1;
    }
    if (nFlag == 0)
        return m_pLineTracker->InsertBendAt(point.x, point.y, m_pLineList) ? 1 : 0;
    return 0;
}
