// The application object and idle processing.
#include <vector>

#include "afxext.h"
#include "handle_map.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

// A global application object lies in the data of the module that defines
// it, which names the module; an object elsewhere joins the current module.
CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    HINSTANCE hModule = PlModuleFromAddress(this);
    AFX_MODULE_STATE* pState = hModule != nullptr ? PlAfxModuleStateOf(hModule) : AfxGetModuleState();
    pState->m_pCurrentWinApp = this;
    m_hInstance = pState->m_hCurrentInstanceHandle;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pState = PlAfxModuleStateOf(m_hInstance);
    if (pState->m_pCurrentWinApp == this)
        pState->m_pCurrentWinApp = nullptr;
}

BOOL CWinApp::OnIdle(LONG lCount) { return PlAfxIdle(lCount); }

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return (UINT)nDefault;
    auto section = m_profile.find(lpszSection);
    if (section == m_profile.end())
        return (UINT)nDefault;
    auto entry = section->second.find(lpszEntry);
    return (UINT)(entry == section->second.end() ? nDefault : entry->second);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return FALSE;
    m_profile[lpszSection][lpszEntry] = nValue;
    return TRUE;
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const
{
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, nullptr), lpszResourceName);
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }

// ---- Idle --------------------------------------------------------------------------------
namespace {

void UpdateCommandUI()
{
    // Snapshot first: a handler may create or destroy windows.
    std::vector<HWND> windows;
    AfxMapHWND().ForEachPermanent([&windows](const void* handle) { windows.push_back((HWND)handle); });
    for (HWND hWnd : windows) {
        if (CWnd::FromHandlePermanent(hWnd) != nullptr)
            ::SendMessage(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    }
}

}  // namespace

BOOL PlAfxIdle(LONG lCount)
{
    if (lCount <= 0) {
        UpdateCommandUI();
        return TRUE;
    }
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
    return FALSE;
}
