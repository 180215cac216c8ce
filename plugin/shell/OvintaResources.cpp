// The plug-in's dialog templates, registered under this module's own
// resource handle so that they are found while the module's state is
// current (fnCallback switches to it).
#include "OvintaResources.h"

#include "afxwin.h"
#include "commctrl.h"
#include "plresource.h"

namespace {

const PlDialogItemTemplate kMainDlgItems[] = {
    {"SysTabControl32", "Tab1", IDC_MAINDLG_TAB, WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 712, 457},
};

const PlDialogTemplate kMainDlg = {
    DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0, 0, 726, 471, "Dialog",
    "MS Sans Serif", 8, kMainDlgItems, 1};

const PlDialogItemTemplate kTaskEngineItems[] = {
    {"Button", "Functions and Connections", IDC_TASKENGINE_PARAMETER,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 17, 277, 97, 14},
};

const PlDialogTemplate kTaskEngine = {
    WS_CHILD | DS_SETFONT, 0, 0, 0, 276, 324, "", "MS Sans Serif", 8, kTaskEngineItems, 1};

[[maybe_unused]] const bool registered = [] {
    HINSTANCE module = AfxGetStaticModuleState()->m_hCurrentResourceHandle;
    return PlRegisterDialogTemplate(module, IDD_UIMAINDLG, &kMainDlg) &&
           PlRegisterDialogTemplate(module, IDD_UITASKENGINE, &kTaskEngine);
}();

}  // namespace
