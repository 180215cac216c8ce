// Module states, one per module, and the current one.
#include <sys/auxv.h>

#include <map>

#include "afxwin.h"

namespace {

// Never destroyed: module states are looked up until the very end of the
// process (static destructors of other modules included).
std::map<HINSTANCE, AFX_MODULE_STATE*>& ModuleStates()
{
    static auto* states = new std::map<HINSTANCE, AFX_MODULE_STATE*>;
    return *states;
}

AFX_MODULE_STATE* g_pCurrentState = nullptr;

// The executable's state is current when no guard is active: its program
// headers lie inside the executable's image.
AFX_MODULE_STATE* ExecutableModuleState()
{
    static AFX_MODULE_STATE* state =
        PlAfxModuleStateOf(PlModuleFromAddress(reinterpret_cast<const void*>(getauxval(AT_PHDR))));
    return state;
}

}  // namespace

AFX_MODULE_STATE* PlAfxModuleStateOf(HINSTANCE hModule)
{
    AFX_MODULE_STATE*& state = ModuleStates()[hModule];
    if (state == nullptr)
        state = new AFX_MODULE_STATE(hModule);
    return state;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return g_pCurrentState != nullptr ? g_pCurrentState : ExecutableModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState)
{
    AFX_MODULE_STATE* previous = AfxGetModuleState();
    g_pCurrentState = pNewState;
    return previous;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
void AfxSetResourceHandle(HINSTANCE hInstResource) { AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource; }
HINSTANCE AfxFindResourceHandle(LPCSTR, LPCSTR) { return AfxGetResourceHandle(); }
CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }
