// The plug-in's main window and host object: a modeless dialog holding the
// editor pages in a tab control. It owns the task-engine document and the
// request channels (through its host-record base), turns the host's window
// messages into handler calls and runs the document's tick on every host
// timer message. It frees itself once its window is gone.
#pragma once

#include <memory>
#include <vector>

#include "afxcmn.h"
#include "afxwin.h"
#include "shell/CMainDlgHost.h"
#include "shell/CResizableMinMax.h"

class CTEDocument;
class CUITaskEngine;

// Sent to the canvas view when blocks changed their values.
constexpr UINT WM_TE_REPAINT_CHANGED = 2026;
// Answers the address of a window's host record.
constexpr UINT WM_APP_GETHOSTINFO = WM_APP + 20;
constexpr UINT WM_APP_RESERVED51 = WM_APP + 51;

class CUIMainDlg : public CDialog, public CResizableMinMax, public CMainDlgHost {
    DECLARE_DYNCREATE(CUIMainDlg)
public:
    CUIMainDlg();
    ~CUIMainDlg() override;

    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;
    using CDialog::Create;

    // ---- Window side ----
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void PostNcDestroy() override;
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI) override;
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    using CDialog::OnTimer;

    // ---- Host side ----
    // Runs the document's tick, then lets the canvas repaint the blocks whose
    // values changed while its tab is the one shown.
    long OnTimer(unsigned message, long parameter) override;
    long OnSystem(unsigned message, long parameter) override;

    CTEDocument* GetDocument() const { return m_pDocument.get(); }
    CTabCtrl& GetTabCtrl() { return m_TabCtrl; }
    CUITaskEngine* GetTaskEnginePage() const { return m_pTaskEngine; }
    int GetPageCount() const { return static_cast<int>(m_Pages.size()); }
    CDialog* GetPage(int nIndex) const;

    // Places the tab control and the pages in the client area.
    void Layout();
    // Shows the page of the selected tab and hides the others.
    void ShowSelectedPage();

    // Set to true when the dialog frees itself; lets a creator that is
    // still waiting for Create learn that the object is gone.
    bool* m_pFreedFlag = nullptr;

private:
    void CreatePages();
    void LabelPages();
    BOOL HasChangedBlocks() const;

    std::unique_ptr<CTEDocument> m_pDocument;
    CTabCtrl m_TabCtrl;
    std::vector<std::unique_ptr<CDialog>> m_Pages;  // index i is tab i
    CUITaskEngine* m_pTaskEngine = nullptr;         // one of m_Pages
};
