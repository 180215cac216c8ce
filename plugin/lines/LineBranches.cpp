#include "lines/LineBranches.h"

namespace {

template <class Visit>
void ForEachBranch(const CLineArray& lines, const CLineItem* pParent, Visit visit)
{
    for (INT_PTR i = 0; i < lines.GetSize(); i++) {
        CLineItem* pLine = lines[i];
        if (pLine != nullptr && pLine->m_pParent == pParent)
            visit(*pLine);
    }
}

}  // namespace

BOOL HasBranchOnPoint(const CLineArray& lines, const CLineItem* pParent, int nPoint)
{
    BOOL bFound = FALSE;
    ForEachBranch(lines, pParent, [&](CLineItem& branch) {
        if (branch.m_nNode == nPoint)
            bFound = TRUE;
    });
    return bFound;
}

void ShiftBranchNodesAfterInsert(const CLineArray& lines, const CLineItem* pParent, int nIndex)
{
    ForEachBranch(lines, pParent, [&](CLineItem& branch) {
        if (branch.m_nNode >= nIndex)
            branch.m_nNode++;
    });
}

void ShiftBranchNodesAfterRemove(const CLineArray& lines, const CLineItem* pParent, int nIndex)
{
    ForEachBranch(lines, pParent, [&](CLineItem& branch) {
        if (branch.m_nNode > nIndex)
            branch.m_nNode--;
    });
}

BYTE InsertLinePoint(const CLineArray& lines, CLineItem* pLine, int x, int y, int nIndex,
                     BOOL bAllowRemove)
{
    if (pLine == nullptr)
        return LINE_INSERT_NOTHING;
    // InsertPoint removes the first point near (x, y), which need not be the
    // one at nIndex; look it up first so that its branches are known.
    int nNear = pLine->FindPointNear(x, y);
    if (nNear >= 0 && HasBranchOnPoint(lines, pLine, nNear))
        bAllowRemove = FALSE;

    BYTE nResult = pLine->InsertPoint(x, y, nIndex, bAllowRemove);
    if (nResult == LINE_INSERT_INSERTED)
        ShiftBranchNodesAfterInsert(lines, pLine, nIndex);
    else if (nResult == LINE_INSERT_REMOVED)
        ShiftBranchNodesAfterRemove(lines, pLine, nNear);
    return nResult;
}
