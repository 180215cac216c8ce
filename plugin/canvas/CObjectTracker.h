// The canvas manager of the task-engine editor. It refers to the document's
// block list and line list (it owns neither), keeps the block selection, a
// line tracker and the view's tooltip, and turns presses, keys and context
// commands into selection changes, moves, z-order and colour changes,
// deletions and new connections. Every change the device must learn about
// goes through the virtual hooks below; here they do nothing, so a plain
// object tracker is a complete editor without a device behind it.
#pragma once

#include <string>
#include <vector>

#include "afxtempl.h"
#include "afxwin.h"
#include "canvas/CKIVORectTracker.h"

class CTrackObject;
class CLineItem;
class CLineTracker;
class CScrollView;
class HOSTINFO;

// Key flags of mouse messages the tracker looks at.
constexpr UINT TRACK_KEY_SHIFT = 4;  // MK_SHIFT
constexpr UINT TRACK_KEY_CTRL = 8;   // MK_CONTROL

// Grid used until SetGridPointer points elsewhere.
constexpr WORD TRACK_DEFAULT_GRID = 15;

class CObjectTracker : public CKIVORectTracker {
public:
    CObjectTracker();
    // Deletes the line tracker and destroys the tooltip; blocks and lines
    // belong to the document.
    ~CObjectTracker() override;

    // ---- Rectangle tracker operations replaced ----
    // Block moves show the blocks themselves, bands show a dotted frame
    // (OnRectChanged): nothing to draw here.
    void DrawDragFeedback(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;
    // Keeps the dotted frame of the band on screen and scrolls the view
    // while the cursor is outside it.
    void OnRectChanged(LPCRECT lpRectOld) override;

    // ---- Hooks for the document behind the canvas (0 here) ----
    virtual long OnDeleteLine(CLineItem* pLine);
    virtual long OnDeleteObject(CTrackObject* pObject);
    virtual long OnLineChanged(CLineItem* pLine);
    // 0 refuses the line.
    virtual long OnConnectLine(CTrackObject* pSource, CTrackObject* pTarget, CLineItem* pLine);
    virtual long OnNewLineName(const char* pszName, int nReserved);
    // Invalidates a canvas (logical) rectangle in the view.
    virtual long InvalidateCanvasRect(RECT* rect, BOOL bErase);

    // ---- Set-up, before any mouse or paint call ----
    void SetObjectList(CArray<CTrackObject*, CTrackObject*>* pList) { m_pObjectList = pList; }
    void SetLineList(CArray<CLineItem*, CLineItem*>* pList) { m_pLineList = pList; }
    void SetGridPointer(WORD* pGrid) { m_pGrid = pGrid; }
    // Also creates the view's tooltip.
    void SetView(CScrollView* pView);
    UINT GetGridSize() const { return *m_pGrid; }

    // The document replaced its blocks and/or lines: every pointer into the
    // old ones is dropped. Selected blocks are found again by name among the
    // new blocks; the line selection and the recorded lines are cleared.
    void ForgetReplaced(BOOL bBlocks, BOOL bLines);

    // ---- Queries ----
    CTrackObject* ObjectAt(int x, int y);
    int HitAnyObject(int x, int y);
    int IsSelected(const CTrackObject* pObject) const;
    int GetSelectedCount() const { return static_cast<int>(m_selection.GetSize()); }
    CRect GetSelectionRect() const;
    CSize GetCanvasSize() const;
    // 0 no line, 1 a segment or a point with a branch on it, 2 a bend
    // without a branch; *pIsBranch tells whether the line hit has a parent.
    int HitTestLineMenu(int x, int y, int* pIsBranch);

    // ---- Selection ----
    int Select(CTrackObject* pObject);
    int Deselect(CTrackObject* pObject);
    int ToggleSelection(CTrackObject* pObject);
    int DeselectAll();

    // ---- Editing ----
    // The press of the left button at a canvas point: pins start lines,
    // lines are selected and dragged, blocks selected and moved, empty
    // canvas opens a rubber band. 0 when nothing was hit, else 1.
    long OnLButtonDown(CPoint point, UINT nFlags, BOOL bRubberBand, BOOL bMove);
    long OpenAt(CPoint point, int nFlag, UINT a, HOSTINFO* b);
    void MoveToForeground(CTrackObject* pObject);
    void MoveToBackground(CTrackObject* pObject);
    // Offsets are subtracted from positions: (1, 0) moves one pixel left.
    void MoveSelection(int dx, int dy);
    void DeleteSelected();
    void ChangeColor();
    long DeleteNode(int x, int y);

    // ---- Painting and tooltips ----
    void Paint(CDC* pDC, const RECT& rcClip);
    void UpdateToolTip(UINT nFlags, int x, int y);

    // ---- Fields, in their native order ----
    WORD* m_pGrid;
    BOOL m_bScrolled = FALSE;        // in the current OnRectChanged call
    BOOL m_bScrolledBefore = FALSE;  // in the previous call
    CRect m_rcLastFrame;             // dotted frame on screen (device coordinates)
    CRect m_rcSavedTrack;            // m_rcTrack at the start of the call
    int m_nFrameCounter = 0;         // frames drawn in the current gesture
    BOOL m_bFrameDrawn = FALSE;      // m_rcLastFrame is on screen
    BOOL m_bFrameSuspended = FALSE;  // taken off while a message is dispatched
    BOOL m_bBandTracking = FALSE;    // the gesture is a rubber band (else a move)
    BOOL m_bFrameReserved[2] = {};
    HWND m_hToolTip = nullptr;
    WORD m_nGridDefault = TRACK_DEFAULT_GRID;
    CRect m_rectMoved;
    CPoint m_ptAnchor;
    CLineTracker* m_pLineTracker;
    CScrollView* m_pView = nullptr;
    CArray<CTrackObject*, CTrackObject*>* m_pObjectList = nullptr;
    CArray<CTrackObject*, CTrackObject*> m_selection;
    CArray<CLineItem*, CLineItem*>* m_pLineList = nullptr;

protected:
    void SuspendFeedback(BOOL bSuspend, CWnd* pWnd, CWnd* pWndClipTo, CDC* pDC) override;

    // The view's scroll position: canvas = device + offset.
    CPoint ScrollOffset() const;
    void InvalidateInView(RECT rc, BOOL bErase);
    // Through the document's canvas when there is one, else the view.
    void RepaintCanvas(RECT rc);
    void InvalidateBlock(const CTrackObject* pObject);

private:
    // Steps of OnLButtonDown.
    CTrackObject* FindPinAt(CPoint* pt);
    CTrackObject* FindBlockAt(CPoint pt);
    void SelectByRubberBand(CPoint point);
    void SelectPointsInBand(const CRect& rcBand);
    void DragSelection(CPoint point);
    void StartNewLine(CPoint point, CTrackObject* pStart, int nPinCode);
    void StartBranchLine();
    // MoveSelection and DeleteSelected pieces.
    CRect MoveAttachedLineEnds(CTrackObject* pObject, int dx, int dy);
    static std::vector<CLineItem*> AttachedLines(CTrackObject* pObject);
    void ForgetDeletedLine(CLineItem* pLine);
    BOOL ClearInnerPointSelection(CLineItem* pLine);
    void RememberSelectedNames();
    // The dotted frame of OnRectChanged, in device coordinates.
    CRect CurrentFrame() const;
    void DrawFrame(const CRect& rc);
    void EraseFrame();
    void StartFrame(BOOL bBand);
    void EndFrame();
    void AutoScroll();

    // Names of the selected blocks, so that a reload can find them again.
    std::vector<std::string> m_selectedNames;
};
