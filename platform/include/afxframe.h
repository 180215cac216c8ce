// CFrameWnd: a window that lays out control bars along its edges and deletes
// itself when its window is destroyed. Dock bars are not built: bars sit in
// the frame directly. Part of afxwin.h.
#pragma once

#include <vector>

#include "afxwnd.h"

class CControlBar;

#define AFX_IDW_PANE_FIRST 0xE900

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // lpszClassName null: the framework's frame class. Adds the client edge
    // (WS_EX_CLIENTEDGE) as natively; lpszMenuName is not supported and must
    // be null.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Sides (CBRS_ALIGN_*) that accept docking. Dock bars are not built, so
    // only 0 (no side) is meaningful.
    void EnableDocking(DWORD dwDockStyle);
    // Shows or hides the bar; bDelay postpones it to the next idle update.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // Places the visible control bars along the client edges and the pane
    // AFX_IDW_PANE_FIRST (if any) in the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);

    void OnSize(UINT nType, int cx, int cy) override;  // RecalcLayout
    void PostNcDestroy() override;                     // deletes the frame
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static const RECT rectDefault;
    std::vector<CControlBar*> m_listControlBars;
    DWORD m_dwDockStyle = 0;

protected:
    BOOL m_bInRecalcLayout = FALSE;
    BOOL m_bLayoutPending = FALSE;
};
