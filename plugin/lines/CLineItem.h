// One connection line of the task-engine canvas: a polyline of at most
// MAX_LINE_POINTS points from an output pin to an input pin, or a branch line
// that starts on a point (its node) of a parent line. A plain data object
// with a few geometric edits; it draws nothing and owns nothing. The document
// owns lines; the trackers and the blocks' pin slots only refer to them.
#pragma once

#include "afx.h"
#include "atltypes.h"

class CTrackObject;

// Point slots of one line.
constexpr int MAX_LINE_POINTS = 30;
// Output pins are numbered from here; input pins from 0.
constexpr int PIN_OUTPUT_BASE = 1024;

// m_nDirection: which end point 0 lies at.
constexpr int LINE_DIRECTION_NONE = -1;
constexpr int LINE_DIRECTION_FROM_TARGET = 1;  // point 0 at the input end
constexpr int LINE_DIRECTION_FROM_SOURCE = 2;  // point 0 at the output end

// Hit codes shared with the line geometry: 0..29 a point, 33 + k the segment
// from point k to point k + 1, 255 nothing.
constexpr int LINE_HIT_SEGMENT = 33;
constexpr int LINE_HIT_NONE = 255;

// InsertPoint results.
constexpr BYTE LINE_INSERT_NOTHING = 0;
constexpr BYTE LINE_INSERT_REMOVED = 1;
constexpr BYTE LINE_INSERT_INSERTED = 2;

class CLineItem : public CObject {
public:
    CLineItem();
    ~CLineItem() override;

    // Appends a point; FALSE when all slots are in use. Leaves m_bModified.
    BOOL AddPoint(int x, int y);
    // Inserts (x, y) at nIndex (1 .. m_nPoints), unless it lies within 2
    // pixels of an existing point: then that point is removed instead, when
    // bAllowRemove and it is not an end. LINE_INSERT_* result.
    BYTE InsertPoint(int x, int y, int nIndex, BOOL bAllowRemove);
    // Index of the first point within 2 pixels of (x, y), or -1. This is the
    // point that InsertPoint removes instead of inserting.
    int FindPointNear(int x, int y) const;
    // Removes an inner point; the ends are never removed.
    BOOL RemovePoint(int nIndex, BOOL bAllowRemove);
    // A point code (below LINE_HIT_SEGMENT) sets that point to (a, b); a
    // segment code offsets the segment's inner points by (a, b).
    BOOL MovePoint(int a, int b, int nCode);
    // Moves the selected movable points by (-dx, -dy).
    BOOL OffsetSelectedPoints(int dx, int dy);

    CRect GetBoundingRect() const;
    // Covers the selected movable points; (0, 0, 0, 0) when none is selected.
    CRect GetSelectedPointsRect() const;

    CPoint& GetFirstPoint() { return m_points[0]; }
    const CPoint& GetFirstPoint() const { return m_points[0]; }
    // Slot 0 while the line has no point.
    CPoint& GetLastPoint() { return m_points[LastIndex()]; }
    const CPoint& GetLastPoint() const { return m_points[LastIndex()]; }
    BOOL IsClosed() const;

    // A branch line always takes its parent's colour instead.
    void SetColor(COLORREF color);
    CLineItem* GetRootLine();

    COLORREF m_color;
    CTrackObject* m_pSource;
    CTrackObject* m_pTarget;
    CLineItem* m_pParent;
    int m_nSourcePin;
    int m_nTargetPin;
    int m_nNode;
    int m_nDirection;
    char m_szSourcePin[512];
    char m_szTargetPin[512];
    char m_szName[4096];
    CPoint m_points[MAX_LINE_POINTS];
    WORD m_nPoints;
    BYTE m_bPointSelected[MAX_LINE_POINTS];
    BOOL m_bValid;
    BYTE m_bModified;
    BYTE m_nWidth;

private:
    int LastIndex() const { return m_nPoints > 0 ? m_nPoints - 1 : 0; }
    // The first point that OffsetSelectedPoints may move: a branch line's
    // point 0 sits on its node and moves with it, a pin end does not.
    int FirstMovableIndex() const { return m_pParent != nullptr ? 0 : 1; }
};
