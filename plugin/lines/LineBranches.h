// Branch lines refer to their node by the index of a point of the parent
// line, so inserting or removing a bend on a parent must renumber the nodes
// of its branches, or they would jump to a neighbouring point the next time
// the parent is edited.
//
// Rule for a removed node point: InsertLinePoint never removes a point that
// carries a branch (the click then changes nothing). A caller that removes
// such a point by other means and then calls ShiftBranchNodesAfterRemove
// leaves the branch on the index it had, which is now the following point;
// that point always exists, since the last point is never removed.
#pragma once

#include "afxtempl.h"
#include "lines/CLineItem.h"

typedef CArray<CLineItem*, CLineItem*> CLineArray;

// Whether some line of `lines` is a branch of pParent starting on point nPoint.
BOOL HasBranchOnPoint(const CLineArray& lines, const CLineItem* pParent, int nPoint);

// After a point was inserted at nIndex of pParent: the branches whose node is
// at or after nIndex move up by one, so they keep their point.
void ShiftBranchNodesAfterInsert(const CLineArray& lines, const CLineItem* pParent, int nIndex);
// After point nIndex of pParent was removed: the branches whose node is after
// nIndex move down by one.
void ShiftBranchNodesAfterRemove(const CLineArray& lines, const CLineItem* pParent, int nIndex);

// CLineItem::InsertPoint on pLine with its branches kept on their points:
// removal is refused for a point carrying a branch, and the node indices of
// pLine's branches follow the insertion or removal. Same result as InsertPoint.
BYTE InsertLinePoint(const CLineArray& lines, CLineItem* pLine, int x, int y, int nIndex,
                     BOOL bAllowRemove);
