// CSizingControlBar: a control bar that keeps one size per docking state
// (docked horizontally, docked vertically, floating), lets the user drag the
// edges it shares with the frame's client area and with its row neighbours,
// and draws its own non-client area. A bar whose parent is none of the four
// dock bars counts as floating: no edges, no gripper, its size from the
// stretched fixed layout.
#pragma once

#include <vector>

#include "afxext.h"
#include "afxwin.h"

// Sizing style (m_dwSCBStyle).
#define SCBS_EDGELEFT 0x00000001
#define SCBS_EDGERIGHT 0x00000002
#define SCBS_EDGETOP 0x00000004
#define SCBS_EDGEBOTTOM 0x00000008
#define SCBS_EDGEALL 0x0000000F
#define SCBS_SHOWEDGES 0x00000010  // draw the edges and reserve room for them
#define SCBS_SIZECHILD 0x00000020  // keep the first child window at the client size

class CSizingControlBar : public CControlBar {
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    CSizingControlBar();
    ~CSizingControlBar() override;

    // ---- Added operations (in the order of the bar's virtual table) ----
    virtual BOOL CreateBar(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle);
    // Sets all three current sizes to sizeDefault; bHasGripper is not used.
    virtual BOOL CreateBarSized(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                                UINT nID, DWORD dwStyle);
    virtual BOOL ReadSizesFromProfile(LPCSTR lpszProfileName);
    virtual BOOL WriteSizesToProfile(LPCSTR lpszProfileName);

    // The creation call of the bar's users: CreateBarSized.
    using CControlBar::Create;
    BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                DWORD dwStyle)
    {
        return CreateBarSized(lpszWindowName, pParentWnd, sizeDefault, bHasGripper, nID, dwStyle);
    }

    // ---- CControlBar ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // Docked in a horizontal or vertical dock bar, or neither (floating),
    // as the parent's id said at the last position change.
    BOOL IsHorzDockedBar() const;
    BOOL IsVertDockedBar() const;
    BOOL IsFloatingBar() const;
    static BOOL IsFloatingDockBarID(UINT nDockBarID);
    static BOOL IsHorzDockBarID(UINT nDockBarID);

    // The bars of this bar's dock row, ordered along the row (this one included).
    std::vector<CSizingControlBar*> GetRowBars() const;

    DWORD m_dwSCBStyle = 0;
    UINT m_htEdge = 0;  // edge being dragged: HTLEFT, HTRIGHT, HTTOP or HTBOTTOM
    CSize m_szHorz, m_szVert, m_szFloat;
    CSize m_szMinHorz, m_szMinVert, m_szMinFloat;
    int m_nTrackPosMin = 0, m_nTrackPosMax = 0, m_nTrackPosOld = 0;
    int m_nTrackEdgeOfs = 0;
    BOOL m_bTracking = FALSE;
    BOOL m_bKeepSize = FALSE;      // shown while docked
    BOOL m_bParentSizing = FALSE;  // the layout asked for the full length
    BOOL m_bDragShowContent = FALSE;
    UINT m_nDockBarID = 0;
    int m_cxEdge = 5;

protected:
    virtual void BeginEdgeDrag(UINT nHitTest, CPoint point);
    virtual void EndEdgeDrag();
    virtual void UpdateEdgeDrag(CPoint ptScreen);
    virtual void ToggleDragLine();
    virtual void PaintGripperArea(CDC* pDC, const CRect& rcClient);
    virtual void ComputeClientArea(CRect& rc, UINT nDockBarID);
    virtual void RealignRowBars();

    // The rectangle of an enabled edge in the coordinates of rcWnd; FALSE
    // when that edge is not enabled.
    BOOL GetEdgeRect(const CRect& rcWnd, UINT nHitTest, CRect& rcEdge) const;
    // Client rectangle in window coordinates, and the window's size.
    void GetNcRects(CRect& rcClient, CRect& rcWindow) const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnPaint() override;
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) override;
    void OnNcPaint() override;
    LRESULT OnNcHitTest(CPoint point) override;
    void OnNcLButtonDown(UINT nHitTest, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnWindowPosChanging(WINDOWPOS* lpwndpos) override;
    void OnSize(UINT nType, int cx, int cy) override;
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam) override;
    void OnSettingChange(UINT uFlags, LPCSTR lpszSection) override;
    void OnClose() override;

private:
    void ReadDragFullWindows();
    // Size along the drag axis, and its minimum, in the current docking state.
    int SizeAlong(BOOL bHorzAxis) const;
    // The docked size in one orientation, raised to its minimum.
    CSize CalcFixedSize(BOOL bHorz) const;
    int MinAlong(BOOL bHorzAxis) const;
    void SetSizeAlong(BOOL bHorzAxis, int n);
    // The neighbour in the row on the dragged edge's side, or null.
    CSizingControlBar* DragNeighbour() const;
    void ApplyEdgePos(int nPos);
    int EdgeMiddle(const CRect& rcWnd) const;
};
