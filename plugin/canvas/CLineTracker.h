// The interactive side of the connection lines: the line selection, the
// classification of presses on lines, dragging a point or a segment of a
// selected line, selecting a line with its branches, and the rubber segment
// with crosshair used while a new line is drawn. It also paints every line
// and hit-tests them (LineGeometry.cpp).
//
// The line tracker owns no line. It reaches the document's line list, the
// grid size and the repaint hook through its owning object tracker. Changes
// to a line are not reported by call: each change sets the line's
// m_bModified, and the document sends every line with that flag set.
//
// The mouse loops (LineTrackerLoops.cpp, NewLineDrawing.cpp) run modally on
// the calling thread with the mouse captured by the view. Their feedback is
// drawn with R2_NOT / R2_XORPEN, so drawing it twice removes it; when a loop
// ends, the area it worked in is invalidated so the next paint shows the
// model again.
#pragma once

#include <string>

#include "afxtempl.h"
#include "afxwin.h"

class CLineItem;
class CObjectTracker;
class LineArea;
class CScrollView;
class CTrackObject;

// Results of HitTestLine.
constexpr BYTE LINE_HIT_TEST_NONE = 0;
constexpr BYTE LINE_HIT_TEST_SEGMENT = 1;
constexpr BYTE LINE_HIT_TEST_POINT = 2;  // or a point was inserted or removed

// Modes of HitTestLine.
constexpr BYTE LINE_TEST_ONLY = 0;
constexpr BYTE LINE_TEST_INSERT = 1;
constexpr BYTE LINE_TEST_INSERT_OR_REMOVE = 2;

// Press codes of HitTest.
constexpr int LINE_PRESS_NONE = -1;
constexpr int LINE_PRESS_FIRST_POINT = 0;
constexpr int LINE_PRESS_LAST_POINT = 1;
constexpr int LINE_PRESS_INNER_POINT = 2;
constexpr int LINE_PRESS_SEGMENT = 3;
constexpr int LINE_PRESS_RECORDED_POINT = 34;    // drag the recorded inner point
constexpr int LINE_PRESS_RECORDED_SEGMENT = 68;  // drag the recorded segment

// Result of SelectLineAt.
constexpr int LINE_SELECT_NONE = 0;
constexpr int LINE_SELECT_SEGMENT = 1;
constexpr int LINE_SELECT_POINT = 2;

class CLineTracker {
public:
    // The object tracker passes (5, itself, black, red).
    CLineTracker(int nHandleSize, CObjectTracker* pOwner, COLORREF crNormal, COLORREF crAlert);
    virtual ~CLineTracker();

    CLineTracker(const CLineTracker&) = delete;
    CLineTracker& operator=(const CLineTracker&) = delete;

    // ---- Geometry and painting (LineGeometry.cpp) ----
    // The handle square centred on a point: (x - 2, y - 2, x + 3, y + 3) for 5.
    CRect GetHandleRect(POINT pt) const;
    CRect GetHandleRect(int x, int y) const { return GetHandleRect(CPoint(x, y)); }
    // Every line of the owner's list, then the selection highlighted.
    void Draw(CDC* pDC);
    // One line against a point (LINE_TEST_*): test only records the point or
    // segment hit in m_pHitLine / m_nHitPart; the insert modes put a bend
    // where a segment is hit (or, with removal allowed, take out the bend
    // found there), keeping the branch lines on their nodes.
    BYTE HitTestLine(int x, int y, CLineItem* pLine, BYTE nMode);
    // Snaps a segment (x1, y1, x2, y2) to 15-degree steps by moving its end
    // point vertically.
    void ConstrainAngle(RECT* pSegment) const;
    // Rubber drawing with the selected pen: R2_NOT and R2_XORPEN.
    void DrawInvertedLine(const RECT& segment, CDC* pDC) const;
    void DrawXorLine(const RECT& segment, CDC* pDC) const;
    // Inverts the segments from point nFirst to point nEnd of the line with
    // a 1-pixel pen in the line's colour (nEnd = point count means the last
    // point). Twice restores the pixels.
    void DrawInvertedSegments(const CLineItem* pLine, int nFirst, int nEnd, CDC* pDC) const;
    void DrawInvertedFrame(int left, int top, int right, int bottom, CDC* pDC) const;
    // Moves the first point of every branch of the line onto its node,
    // redrawing their first segments inverted and their node dots.
    void UpdateBranches(CLineItem* pLine, CDC* pDC);

    // ---- Selection (CLineTracker.cpp) ----
    BOOL IsInSelection(const CLineItem* pLine) const;
    void AddToSelection(CLineItem* pLine);
    void RemoveFromSelection(CLineItem* pLine);
    int GetSelectionCount() const { return static_cast<int>(m_lineSelection.GetSize()); }
    // Empties the selection and repaints where it was.
    void ClearSelection();
    // Branch lines whose root line lost its source block lose theirs.
    void ClearOrphanBranchSources();

    // ---- Presses (CLineTracker.cpp) ----
    // Classifies a press against the selection (LINE_PRESS_*).
    int HitTest(int x, int y);
    // Selects the line (with its branches) under a canvas point; key flags
    // 4 Shift, 8 Ctrl. LINE_SELECT_*.
    int SelectLineAt(CScrollView* pView, UINT nFlags, int x, int y, CArray<CLineItem*, CLineItem*>* pLines);
    // Inserts a bend on every line of the list under the point.
    BOOL InsertBendAt(int x, int y, CArray<CLineItem*, CLineItem*>* pLines);

    // ---- Mouse loops (LineTrackerLoops.cpp) ----
    // Drags the recorded point (34) or segment (68). 1 when the recorded
    // point was pressed and released without moving, else 0.
    int TrackPoint(int nCode, CScrollView* pView, int x, int y, CWnd* pWndClipTo);
    int HitTestAndTrack(CScrollView* pView, int x, int y, CWnd* pWndClipTo);
    // Rubber segment from (x, y) with a crosshair until the next click: 1 with
    // m_rcSegment set, 0 when cancelled. Dispatches nothing but paints.
    int TrackLineSegment(CScrollView* pView, int x, int y);

    // ---- Drawing a new line (NewLineDrawing.cpp) ----
    // From pin nStartPin of pStart (the press point already on the pin
    // centre), or from point nNode of pParentLine when pStart is null.
    // Returns the new line when it was appended to the owner's line list,
    // else null.
    CLineItem* DrawNewLine(CScrollView* pView, CPoint ptStart, CTrackObject* pStart, int nStartPin,
                           CLineItem* pParentLine, int nNode);

    // ---- Fields, in their native order ----
    CRect m_rcSegment;
    CLineItem* m_pHitLine = nullptr;
    int m_nHitPart;
    CLineItem* m_pCurLine = nullptr;
    int m_nHandleSize;
    COLORREF m_crNormal;
    COLORREF m_crAlert;
    CArray<CLineItem*, CLineItem*> m_lineSelection;
    CObjectTracker* m_pOwner;

    // How many times the document replaced every line: a drag that lets
    // the tick run sees its line freed by a change of this count.
    unsigned m_nLinesReplaced = 0;

private:
    // After a reload in the middle of a point drag: the line of that name
    // and shape now in the list, or null.
    CLineItem* FindReplacement(const std::string& name, int nPoints) const;

    // Selects (or deselects) a line with all lines that branch off it,
    // directly or through other branches; their areas go to pArea.
    void SelectFamily(CLineItem* pLine, const CArray<CLineItem*, CLineItem*>& lines, BOOL bSelect, LineArea* pArea);
};
