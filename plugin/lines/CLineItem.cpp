#include "CLineItem.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// A click this close to an existing point means that point, not a new one.
constexpr int kCoincidence = 3;
constexpr int kMaxBranchDepth = 1 << 16;

void ExtendToPoint(CRect& rect, POINT pt)
{
    rect.left = std::min(rect.left, pt.x);
    rect.top = std::min(rect.top, pt.y);
    rect.right = std::max(rect.right, pt.x);
    rect.bottom = std::max(rect.bottom, pt.y);
}

}  // namespace

CLineItem::CLineItem()
    : m_color(0),
      m_pSource(nullptr),
      m_pTarget(nullptr),
      m_pParent(nullptr),
      m_nSourcePin(-1),
      m_nTargetPin(-1),
      m_nNode(-1),
      m_nDirection(LINE_DIRECTION_NONE),
      m_szSourcePin{},
      m_szTargetPin{},
      m_szName{},
      m_nPoints(0),
      m_bPointSelected{},
      m_bValid(TRUE),
      m_bModified(1),
      m_nWidth(1)
{
    std::strcpy(m_szName, "Line_1");
    SetColor(0);
}

CLineItem::~CLineItem() = default;

BOOL CLineItem::AddPoint(int x, int y)
{
    if (m_nPoints >= MAX_LINE_POINTS)
        return FALSE;
    m_points[m_nPoints++] = CPoint(x, y);
    return TRUE;
}

BYTE CLineItem::InsertPoint(int x, int y, int nIndex, BOOL bAllowRemove)
{
    // An index past the end would leave unused slots inside the line.
    if (m_nPoints >= MAX_LINE_POINTS || nIndex < 1 || nIndex > m_nPoints)
        return LINE_INSERT_NOTHING;
    m_bModified = 1;

    int nNear = FindPointNear(x, y);
    if (nNear >= 0)
        return RemovePoint(nNear, bAllowRemove) ? LINE_INSERT_REMOVED : LINE_INSERT_NOTHING;

    for (int i = m_nPoints; i > nIndex; i--)
        m_points[i] = m_points[i - 1];
    m_points[nIndex] = CPoint(x, y);
    m_nPoints++;
    return LINE_INSERT_INSERTED;
}

int CLineItem::FindPointNear(int x, int y) const
{
    for (int j = 0; j < m_nPoints; j++) {
        if (std::abs(x - m_points[j].x) < kCoincidence && std::abs(y - m_points[j].y) < kCoincidence)
            return j;
    }
    return -1;
}

BOOL CLineItem::RemovePoint(int nIndex, BOOL bAllowRemove)
{
    // Only inner points exist to be removed; the ends belong to pins or nodes.
    if (nIndex <= 0 || nIndex >= m_nPoints - 1 || !bAllowRemove)
        return FALSE;
    m_bModified = 1;
    for (int i = nIndex; i < m_nPoints - 1; i++)
        m_points[i] = m_points[i + 1];
    m_nPoints--;
    return TRUE;
}

BOOL CLineItem::MovePoint(int a, int b, int nCode)
{
    if (nCode >= LINE_HIT_SEGMENT) {
        // A segment drags its inner points only; an end stays on its pin.
        int k = nCode - LINE_HIT_SEGMENT;
        if (k + 1 >= m_nPoints)
            return FALSE;
        if (k > 0)
            m_points[k].Offset(a, b);
        if (k + 1 < m_nPoints - 1)
            m_points[k + 1].Offset(a, b);
        m_bModified = 1;
        return TRUE;
    }
    // Point 0 is fixed to its pin or node; the last point may be dragged to
    // another pin.
    if (nCode <= 0 || nCode >= m_nPoints)
        return FALSE;
    m_points[nCode] = CPoint(a, b);
    m_bModified = 1;
    return TRUE;
}

BOOL CLineItem::OffsetSelectedPoints(int dx, int dy)
{
    BOOL bMoved = FALSE;
    for (int i = FirstMovableIndex(); i <= m_nPoints - 2; i++) {
        if (!m_bPointSelected[i])
            continue;
        m_points[i].x -= dx;
        m_points[i].y -= dy;
        m_bModified = 1;
        bMoved = TRUE;
    }
    return bMoved;
}

CRect CLineItem::GetBoundingRect() const
{
    const CPoint& first = m_points[0];
    CRect rect(first.x - 4, first.y - 4, first.x + 4, first.y + 4);
    for (int i = 1; i < m_nPoints; i++)
        ExtendToPoint(rect, m_points[i]);
    rect.left -= m_nWidth;
    rect.top -= m_nWidth;
    rect.right += m_nWidth;
    rect.bottom += m_nWidth;
    return rect;
}

CRect CLineItem::GetSelectedPointsRect() const
{
    CRect rect;
    bool bFound = false;
    for (int i = FirstMovableIndex(); i <= m_nPoints - 2; i++) {
        if (!m_bPointSelected[i])
            continue;
        const CPoint& pt = m_points[i];
        if (!bFound)
            rect = CRect(pt.x - 2, pt.y - 2, pt.x + 2, pt.y + 2);
        else
            ExtendToPoint(rect, pt);
        bFound = true;
    }
    return rect;
}

BOOL CLineItem::IsClosed() const
{
    return GetFirstPoint() == GetLastPoint();
}

void CLineItem::SetColor(COLORREF color)
{
    m_color = m_pParent != nullptr ? m_pParent->m_color : color;
    m_bModified = 1;
}

CLineItem* CLineItem::GetRootLine()
{
    // Branches are only ever started on existing lines, so parent chains end;
    // the bound keeps a damaged, looping chain from hanging the caller.
    CLineItem* pLine = this;
    for (int nDepth = 0; pLine->m_pParent != nullptr && nDepth < kMaxBranchDepth; nDepth++)
        pLine = pLine->m_pParent;
    return pLine;
}
