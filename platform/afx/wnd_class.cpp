// Window classes registered by the framework. Natively classes belong to
// the module that registers them, so each is registered once per instance
// handle: the one current when a window is created.
#include <cstdio>
#include <set>
#include <string>

#include "wnd_state.h"

namespace {

// Names handed out stay valid for the life of the process.
LPCSTR StableName(const std::string& name)
{
    static auto* names = new std::set<std::string>;
    return names->insert(name).first->c_str();
}

LPCSTR RegisterOnce(LPCSTR lpszClassName, UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wndcls;
    if (::GetClassInfo(hInst, lpszClassName, &wndcls))
        return lpszClassName;

    wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = DefWindowProcA;  // AfxWndProc replaces it when a CWnd attaches
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszClassName;
    return ::RegisterClass(&wndcls) ? lpszClassName : nullptr;
}

}  // namespace

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    char name[128];
    std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    return RegisterOnce(StableName(name), nClassStyle, hCursor, hbrBackground, hIcon);
}

LPCSTR AfxDefaultWndClass()
{
    return RegisterOnce("AfxWnd", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW), nullptr,
                        nullptr);
}

LPCSTR AfxDefaultFrameOrViewClass()
{
    return RegisterOnce("AfxFrameOrView", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>((UINT_PTR)(COLOR_WINDOW + 1)), nullptr);
}

LPCSTR AfxDefaultControlBarClass()
{
    return RegisterOnce("AfxControlBar", 0, ::LoadCursor(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>((UINT_PTR)(COLOR_BTNFACE + 1)), nullptr);
}
