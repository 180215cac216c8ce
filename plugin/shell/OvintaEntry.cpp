// The module's entry point: the one function the host calls by name.
#include <cstring>

#include "shell/COvintaApp.h"
#include "shell/CUIMainDlg.h"
#include "shell/OvintaResources.h"

namespace {

COvintaApp theApp;

// Kept writable, as the host expects a text it may hold on to.
char g_szBuildText[] = "May 18 2022  15:45:19\tBuild: 10026";

constexpr unsigned CALLBACK_CREATE = 1;
constexpr unsigned CALLBACK_BUILD_TEXT = 13;

HWND CreateMainDialog(HOSTINFO* host, const char* parameter)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    auto* dialog = static_cast<CUIMainDlg*>(RUNTIME_CLASS(CUIMainDlg)->CreateObject());
    dialog->m_pParent = host;
    if (parameter) {
        // The name field holds 127 characters; a longer name is cut.
        std::strncpy(dialog->m_szName, parameter, HOSTINFO_NAME_SIZE - 1);
        dialog->m_szName[HOSTINFO_NAME_SIZE - 1] = '\0';
    }
    HOSTINFO* root = a_FindRootHostinfo(host);
    CWnd* parent = root ? CWnd::FromHandle(root->m_hWnd) : nullptr;
    // A window that was made and destroyed during Create has freed the
    // dialog already; one that was never made leaves it to us.
    bool bFreed = false;
    dialog->m_pFreedFlag = &bFreed;
    BOOL bCreated = dialog->Create(IDD_UIMAINDLG, parent);
    if (bFreed)
        return nullptr;
    dialog->m_pFreedFlag = nullptr;
    if (!bCreated) {
        delete dialog;
        return nullptr;
    }
    return dialog->CWnd::m_hWnd;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) INT_PTR fnCallback(unsigned command, HOSTINFO* host,
                                                                     const char* parameter)
{
    switch (command) {
    case CALLBACK_CREATE:
        return reinterpret_cast<INT_PTR>(CreateMainDialog(host, parameter));
    case CALLBACK_BUILD_TEXT:
        return reinterpret_cast<INT_PTR>(g_szBuildText);
    default:
        return 0;
    }
}
