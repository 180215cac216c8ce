// The headless display's input scripts. The first byte sets the size of the
// error buffer (0 to 63 bytes, exactly that large); the rest is the script,
// run against a small desktop: a visible "Main window" with controls 3000
// and 3000/4002 and a button 3001, and a hidden "Tool window". The windows
// capture the mouse while a button is down, open a popup menu on a right
// click and destroy control 4002 on Delete, so that scripts meet modal
// loops and windows that went away.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "pldisplay.h"
#include "windows.h"

namespace {

LRESULT CALLBACK DesktopProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture(wnd);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        return 0;
    case WM_RBUTTONUP: {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "First");
        AppendMenuA(menu, MF_STRING, 2, "Second");
        POINT pt{0, 0};
        ClientToScreen(wnd, &pt);
        TrackPopupMenu(menu, TPM_RETURNCMD, pt.x, pt.y, 0, wnd, nullptr);
        DestroyMenu(menu);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_DELETE)
            if (HWND tabs = GetDlgItem(wnd, 3000))
                if (HWND page = GetDlgItem(tabs, 4002))
                    DestroyWindow(page);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

HWND Window(const char* text, DWORD style, HWND parent, int id, int x, int y, int cx, int cy,
            const char* cls = "FuzzDesktop")
{
    return CreateWindowExA(0, cls, text, style, x, y, cx, cy, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

void BuildDesktop()
{
    PlResetWindowSystem();
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DesktopProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = "FuzzDesktop";
    RegisterClassA(&wc);
    HWND main = Window("Main window", WS_POPUP | WS_VISIBLE, nullptr, 0, 100, 100, 400, 300);
    HWND tabs = Window("", WS_CHILD | WS_VISIBLE, main, 3000, 10, 10, 300, 200);
    Window("page", WS_CHILD | WS_VISIBLE, tabs, 4002, 20, 20, 100, 100);
    Window("OK", WS_CHILD | WS_VISIBLE, main, 3001, 320, 10, 60, 24, "BUTTON");
    Window("Tool window", WS_POPUP, nullptr, 0, 0, 0, 50, 50);
    SetFocus(main);
    PlPumpMessages();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("OVINTA_DISPLAY", "headless", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    int errorSize = data[0] % 64;
    std::string script(reinterpret_cast<const char*>(data) + 1, size - 1);
    auto error = std::make_unique<char[]>(static_cast<size_t>(errorSize) + 1);
    BuildDesktop();
    BOOL ok = PlHeadlessRunScript(script.c_str(), errorSize > 0 ? error.get() : nullptr, errorSize);
    // A refusal always says why, as far as the buffer allows.
    if (!ok && errorSize > 1)
        FUZZ_CHECK(std::strncmp(error.get(), "line ", std::min(errorSize - 1, 5)) == 0);
    PlResetWindowSystem();
    return 0;
}
