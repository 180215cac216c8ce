// CControlBar: the base of bars that a frame window places along its edges.
// The bar style (m_dwStyle) uses the native CBRS_* values; a bar reports its
// size through CalcFixedLayout / CalcDynamicLayout and updates its command UI
// when the host goes idle (WM_IDLEUPDATECMDUI, see PlAfxIdle).
#pragma once

#include "afxpriv.h"
#include "afxwin.h"

// Bar styles (m_dwStyle), native values.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Control ids of the dock bars of a frame.
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F

class CDockBar;
class CDockContext;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;
    ~CControlBar() override;

    DWORD m_dwStyle = 0;        // CBRS_* bar style
    DWORD m_dwDockStyle = 0;    // sides the bar may dock to
    CFrameWnd* m_pDockSite = nullptr;    // the frame that lays the bar out
    CDockBar* m_pDockBar = nullptr;      // always null: no dock bars are built
    CDockContext* m_pDockContext = nullptr;  // always null: no drag docking
    int m_cxLeftBorder = 6, m_cxRightBorder = 6;
    int m_cyTopBorder = 1, m_cyBottomBorder = 1;

    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    // Docked in a dock bar of the frame (parent id AFX_IDW_DOCKBAR_*).
    BOOL IsHorzDocked() const;
    BOOL IsVertDocked() const;
    BOOL IsVisible() const;
    CFrameWnd* GetDockingFrame() const;

    // Size wanted for the bar: with bStretch the full length of the side.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Size for a layout mode (LM_*); the default answers CalcFixedLayout.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Called when the host goes idle, with the frame that owns the bar.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // The rectangle inside the CBRS_BORDER_* edges, the bar's border
    // margins and the gripper (CBRS_GRIPPER, when not floating).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Shadow lines on the CBRS_BORDER_* edges (highlights too with
    // CBRS_BORDER_3D); the rectangle shrinks by the edges drawn.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    // A raised grip line along the left (horizontal bar) or top edge.
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    // Borders and gripper in the client area.
    virtual void DoPaint(CDC* pDC);

    // Show or hide at the next layout (ShowControlBar with bDelay).
    void DelayShow(BOOL bShow);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnDestroy() override;
    void OnPaint() override;  // DoPaint on a paint DC

    // WM_SIZEPARENT: takes the bar's place from the layout.
    LRESULT OnSizeParent(AFX_SIZEPARENTPARAMS* lpLayout);
    // WM_IDLEUPDATECMDUI: OnUpdateCmdUI with the owning frame when visible.
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    enum { delayHide = 1, delayShow = 2 };
    UINT m_nStateFlags = 0;
    // Applies a postponed show or hide; returns the style the layout uses.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

private:
    void DetachFromDockSite();
};
