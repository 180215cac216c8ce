// Drags a rectangle interactively on a window: a rubber band opened from a
// point, a move of the whole rectangle, or a resize by one of its eight
// handles. The drag runs a modal message loop while the mouse is captured,
// draws XOR feedback as it goes, keeps a minimum size, may let the rectangle
// turn inside out, and is cancelled by Escape, the right button or a lost
// capture. The object tracker derives from it for area selection and block
// moves and replaces the feedback and the change notification.
#pragma once

#include "afxwin.h"

class CKIVORectTracker {
public:
    CKIVORectTracker();

    // ---- Virtual operations, in table order ----
    // Draws the drag rectangle (XOR, erasing the previous one) in the
    // tracking window's DC; pWndClipTo, when given, is the window whose DC
    // was taken.
    virtual void DrawDragFeedback(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Keeps m_rcTrack at least m_sizeLimit wide and high on the edges the
    // handle moves; whatever rectangle is passed, m_rcTrack is adjusted.
    virtual void EnforceMinSize(int nHandle, CRect& rect);
    // Called each time the drag changed the rectangle; nothing here.
    virtual void OnRectChanged(LPCRECT lpRectOld);
    // Bits 0 to 7: the handles that are shown (by code).
    virtual UINT HandleMask();
    virtual ~CKIVORectTracker();
    // The handle size that fits rectangle r (m_rcTrack when null).
    virtual int EffectiveHandleSize(const RECT* r = nullptr);

    CKIVORectTracker(const CKIVORectTracker&) = delete;
    CKIVORectTracker& operator=(const CKIVORectTracker&) = delete;

    // ---- Dragging ----
    // Drags the handle (or body) under the point; 0 at once when the point
    // hits nothing. Nonzero when the rectangle changed.
    BOOL TrackFromPoint(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo = nullptr);
    // Opens a band from the point by its bottom-right corner.
    BOOL RubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert);
    // The modal loop; nonzero when m_rcTrack at the end differs from the
    // start. Refused (0) while any window holds the mouse capture.
    BOOL DragHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

    // ---- Handle geometry ----
    // The edges of m_rcTrack that handle nHandle moves (null when it moves
    // none in that axis) and the reference point the mouse offset is taken
    // from. The body (8) moves like the top-left corner.
    void EdgesForHandle(int nHandle, int** ppx, int** ppy, int* px, int* py);
    int HitHandles(CPoint point);
    CRect HandleRect(int nHandle);
    int FlipHandleCode(int nHandle) const;
    CRect OuterRect();

    // ---- Fields, in their native order ----
    UINT m_nTrackStyle = 0;
    CRect m_rcTrack;  // client coordinates of the tracking window; may be inverted
    CSize m_sizeLimit;
    int m_nHandlePixels = 0;
    BYTE m_bMoveY = TRUE;
    BYTE m_bMoveX = TRUE;
    BYTE m_bReserved1 = 1;
    BYTE m_bReserved2 = 0;
    int m_nGridStep = 0;  // reserved: nothing reads or writes it
    BOOL m_bMayInvert = FALSE;
    CRect m_rcFeedback;
    CSize m_sizeFeedback;
    BOOL m_bErasing = FALSE;
    BOOL m_bFinalPass = FALSE;

protected:
    // Messages the drag loop dispatches (timers, paints, the owner's own)
    // may paint under the feedback; it is taken off the screen before such a
    // message (bSuspend TRUE) and put back after it, so that erasing it
    // later leaves no trace.
    virtual void SuspendFeedback(BOOL bSuspend, CWnd* pWnd, CWnd* pWndClipTo, CDC* pDC);

private:
    struct DragState;
    // One mouse move or button up of the drag loop; TRUE ends the loop.
    BOOL DragStep(DragState& s, const MSG& msg, CDC* pDC);
    void CancelDrag(DragState& s, CDC* pDC);
    void KeepInsideCanvas(HWND hWnd);
};
