// The scrolling canvas of the task-engine page: it paints the background, the
// grid dots and (through the object tracker) the lines and blocks, hands
// presses, keys and context-menu commands to the tracker, keeps the scroll
// area at least as large as the blocks, repaints blocks whose live values
// changed, and passes the host's messages on to the page.
#pragma once

#include "afxwin.h"

class CTEViewPage;
class CTEObjectTracker;
class CTrackObject;
class HOSTINFO;

// Private messages of the view.
constexpr UINT WM_TEVIEW_UPDATE_SCROLL = 2024;    // recompute the scroll sizes
constexpr UINT WM_TEVIEW_REPAINT_CHANGED = 2026;  // redraw the blocks marked changed

// Canvas colours.
constexpr COLORREF TEVIEW_BACKGROUND = RGB(0xE6, 0xE6, 0xE6);
constexpr COLORREF TEVIEW_GRID_DOT = RGB(0x64, 0x64, 0x64);

// The scroll area a new view starts with.
constexpr int TEVIEW_INITIAL_SIZE = 1000;

// The notice line across the top of the view (the device not answering,
// changes waiting, another editor's change).
constexpr int TEVIEW_NOTICE_HEIGHT = 16;
constexpr COLORREF TEVIEW_NOTICE_BACKGROUND = RGB(0xFF, 0xE8, 0x9A);
constexpr COLORREF TEVIEW_NOTICE_TEXT = RGB(0x40, 0x20, 0x00);

class CUITaskEngineView : public CScrollView {
    DECLARE_DYNCREATE(CUITaskEngineView)
public:
    CUITaskEngineView() = default;
    ~CUITaskEngineView() override;

    // Set by the page right after construction.
    void SetPage(CTEViewPage* pPage) { m_pPage = pPage; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // The scroll area grows to the tracker's canvas size and never shrinks.
    void UpdateScrollSizes();
    // Draws the blocks whose value changed straight onto the window.
    void RepaintChangedBlocks();
    // The document's notice changed: repaints the line it takes.
    void ShowSyncNotice();
    // Scrolling moves the notice line with the canvas: it is painted again
    // where it belongs.
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
    // The wheel scrolls the canvas down and up; with Shift held, sideways,
    // as in drawing programs, since a program grows in both directions.
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void ScrollByKey(UINT nChar);

    // Handlers; the page hands its own key messages to the two key handlers.
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnContextMenu(CWnd* pWnd, CPoint pos) override;

    BYTE m_bRightButton = FALSE;  // a right press in the view precedes its context menu
    CTEViewPage* m_pPage = nullptr;

private:
    CTEObjectTracker* Tracker() const;
    CPoint ClientToCanvas(CPoint point);
    CPoint ScreenToCanvas(CPoint point);
    // The page record's parent: owner of what a block opens.
    HOSTINFO* OpenOwner() const;
    void DrawGrid(CDC* pDC, const CRect& rcClip, int nStep);
    // The notice, on top of the canvas at the top of the client area.
    void DrawSyncNotice(CDC* pDC);
    const char* SyncNotice() const;
    static BOOL MakeDotRowBrush(CBrush* pBrush, int nStep);
    static void DrawGridDots(CDC* pDC, const CRect& rcClip, int nStep);
    void DeleteSelectedWaiting();
    // Context menu pieces: the pop-up for what lies under the point, set up
    // for it (pBlock receives the block hit, if any), and the command.
    CMenu* PreparePopup(CMenu& menu, CPoint ptCanvas, CTrackObject** ppBlock);
    void RunCommand(UINT nCommand, CPoint ptCanvas, CTrackObject* pBlock);
    LRESULT HostRecordUnderCursor();
};
