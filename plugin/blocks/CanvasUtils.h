// Small canvas helpers shared by the blocks, the lines, the trackers, the
// view, the page and the document: rounding and grid snapping, conversion
// between the view's device and canvas coordinates, and invalidation.
#pragma once

#include "afxwin.h"

class CTrackObject;

// Integer part of v + 0.5 for v >= 0, of v - 0.5 below: halves go away from 0.
int RoundHalfAway(double v);

// Negative coordinates become 0; a grid of 0 or 1 leaves the point there;
// otherwise each coordinate goes to the nearest multiple of the grid, halves
// away from zero.
CPoint SnapToGrid(int x, int y, UINT grid);
void SnapToGrid(POINT* pt, int x, int y, UINT grid);

// Conversions through a client DC of the view prepared by its OnPrepareDC, so
// that they follow the view's scrolling.
void ViewDPtoLP(CView* pView, POINT* pt);
void ViewDPtoLP(CView* pView, RECT* rc);
void ViewLPtoDP(CView* pView, RECT* rc);
void ViewLPtoDP(CView* pView, POINT* pt);

// Invalidates, with erase, a canvas rectangle grown by 6 on every side (room
// for the selection frame and the pins), moved by the view's scroll position.
void InvalidateObject(CWnd* pView, const RECT& rc);
void InvalidateObject(CWnd* pView, const CTrackObject* pObject);
