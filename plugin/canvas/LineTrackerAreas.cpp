#include "canvas/LineTrackerAreas.h"

#include "canvas/CObjectTracker.h"

void LineArea::Add(const CLineItem* pLine, int nMargin)
{
    CRect rc = pLine->GetBoundingRect();
    rc.InflateRect(nMargin, nMargin);
    Add(rc);
}

void LineArea::Add(const RECT& rc)
{
    m_rc.UnionRect(&m_rc, &rc);
}

void LineArea::AddBranches(const CLineArray& lines, const CLineItem* pParent, int nMargin)
{
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        if (lines[i]->m_pParent == pParent)
            Add(lines[i], nMargin);
    }
}

void LineArea::Invalidate(CObjectTracker* pOwner) const
{
    if (IsEmpty())
        return;
    CRect rc(m_rc);
    pOwner->InvalidateCanvasRect(&rc, TRUE);
}
