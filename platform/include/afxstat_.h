// Module state: every module (the executable and each loaded shared object)
// has its own resource handle, instance handle and application object,
// although the framework code itself lives once in libplatform.so. The
// current state decides which module's dialog templates, menus and cursors
// are found; AFX_MANAGE_STATE makes a module's state current for a scope.
#pragma once

#include "plresource.h"
#include "windef.h"

class CWinApp;

struct AFX_MODULE_STATE {
    explicit AFX_MODULE_STATE(HINSTANCE hModule)
        : m_hCurrentInstanceHandle(hModule), m_hCurrentResourceHandle(hModule)
    {
    }

    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
};

// The one state of the module `hModule`, created on first use and kept for
// the life of the process.
AFX_MODULE_STATE* PlAfxModuleStateOf(HINSTANCE hModule);

// The current module state: the one made current by the innermost
// AFX_MANAGE_STATE, else the executable's.
AFX_MODULE_STATE* AfxGetModuleState();
// Makes a state current and returns the previous one.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState);

// The state of the module this is compiled into. Internal linkage: every
// module that includes this header gets its own copy of the function, and
// the function's own address tells which module it belongs to.
static inline AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    return PlAfxModuleStateOf(PlModuleFromAddress(reinterpret_cast<const void*>(&AfxGetStaticModuleState)));
}

// Makes a module state current for the lifetime of the object.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState) : m_pPrevModuleState(AfxSetModuleState(pModuleState))
    {
    }
    ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevModuleState); }
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
};
typedef AFX_MAINTAIN_STATE2 AFX_MAINTAIN_STATE;

#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// Resources are searched in the current module's resource handle only.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
CWinApp* AfxGetApp();
