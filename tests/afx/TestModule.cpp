// A second module for the module-state tests: it registers a dialog
// template under its own instance and has an application object.
#include "afxwin.h"
#include "plresource.h"

namespace {

const PlDialogTemplate kDialog = {WS_POPUP, 0, 0, 0, 80, 40, "module dialog", "MS Sans Serif", 8, nullptr, 0};

CWinApp theApp;

[[maybe_unused]] const bool registered = [] {
    return PlRegisterDialogTemplate(AfxGetStaticModuleState()->m_hCurrentResourceHandle, 300, &kDialog) != FALSE;
}();

}  // namespace

extern "C" AFX_MODULE_STATE* AfxTestModuleState() { return AfxGetStaticModuleState(); }
extern "C" CWinApp* AfxTestModuleApp() { return &theApp; }
