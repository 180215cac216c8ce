// Repaint areas of the line tracker: the union of the bounding rectangles of
// the lines a change touched, each grown by a margin that covers the handles
// and the thicker stroke of a selected line, handed to the owner's
// invalidation when it is not empty.
#pragma once

#include "atltypes.h"
#include "lines/LineBranches.h"

class CObjectTracker;

// Around a line that was changed, selected or deselected.
constexpr int kLineRepaintMargin = 3;
// Around a new line that is dropped or refused.
constexpr int kNewLineRepaintMargin = 5;

class LineArea {
public:
    LineArea() { m_rc.SetRectEmpty(); }

    void Add(const CLineItem* pLine, int nMargin);
    void Add(const RECT& rc);
    // Every line of the list whose parent is pParent.
    void AddBranches(const CLineArray& lines, const CLineItem* pParent, int nMargin);
    BOOL IsEmpty() const { return m_rc.IsRectEmpty(); }
    const CRect& Rect() const { return m_rc; }
    // Passes a non-empty area to the owner's InvalidateCanvasRect with erase.
    void Invalidate(CObjectTracker* pOwner) const;

private:
    CRect m_rc;
};
