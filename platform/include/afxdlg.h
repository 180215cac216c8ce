// CDialog: a window created from a dialog template of the current resource
// module, with data exchange between the dialog object and its controls.
// Only modeless dialogs exist: Create, then the owner destroys the window.
// Part of afxwin.h.
#pragma once

#include "afxwnd.h"

class CDialog;

// State of one UpdateData pass.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;

    // The control's window; CNotSupportedException when the dialog has no
    // control with that id.
    HWND PrepareCtrl(int nIDC);
};

// Binds a control of the dialog to a CWnd object by subclassing it, the
// first time only.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// The dialog procedure the framework hands to the window system; messages
// reach the dialog object through AfxWndProc first.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless creation from a template registered for the current resource
    // module (see AFX_MANAGE_STATE). FALSE when there is no such template or
    // the window could not be created.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Runs after the controls exist; the default transfers the members to
    // the controls (UpdateData(FALSE)). TRUE: the window system sets the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // DoDataExchange in one direction; FALSE when it failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL); a modeless owner then destroys the window
    void EndDialog(int nResult);
    void MapDialogRect(LPRECT lpRect) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    LPCSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

private:
    BOOL CreateFromTemplate(LPCSTR lpszTemplateName, CWnd* pParentWnd);
};
