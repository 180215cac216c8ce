// CWinApp: the application object of a module. Constructing one registers
// it with the module it is defined in (the state AfxGetApp answers while
// that module's state is current). Profile values are kept in memory for
// the life of the object. Part of afxwin.h.
#pragma once

#include <map>
#include <string>

#include "afxstat_.h"
#include "afxwnd.h"

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPCSTR m_pszAppName = nullptr;

    // Neither is called by the framework here: a host that runs the module
    // as its application calls them.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // Idle processing as natively: count 0 updates the command UI of the
    // control bars, count 1 deletes the temporary wrappers. TRUE while more
    // idle calls are wanted.
    virtual BOOL OnIdle(LONG lCount);

    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);

    // Cursors from the current resource module and from the system.
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;

private:
    std::map<std::string, std::map<std::string, int>> m_profile;
};

// The host's idle hook: lCount 0 sends WM_IDLEUPDATECMDUI to every window
// that has a framework object attached (control bars update their command
// UI, frames run postponed layouts); lCount 1 and above deletes the
// temporary wrappers. TRUE while more idle calls are wanted.
BOOL PlAfxIdle(LONG lCount);

// Test hook: the number of temporary wrappers alive (windows, DCs, GDI
// objects and menus).
int PlAfxTemporaryCount();
