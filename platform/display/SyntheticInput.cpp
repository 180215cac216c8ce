// Input made by the program rather than by a person: tests and scripts.
#include <climits>

#include "DisplaySelect.h"
#include "HeadlessDisplay.h"
#include "pldisplay.h"
#include "winuser.h"

namespace {

bool toScreen(HWND wnd, int x, int y, POINT* screen)
{
    *screen = POINT{x, y};
    return !wnd || ClientToScreen(wnd, screen);
}

BOOL queueMouse(pl::InputEvent::Kind kind, HWND wnd, int x, int y, int button, UINT keyFlags)
{
    pl::InputEvent e;
    if (!toScreen(wnd, x, y, &e.screen) || button < PL_BUTTON_LEFT || button > PL_BUTTON_MIDDLE)
        return FALSE;
    e.kind = kind;
    e.button = button;
    e.modifiers = static_cast<int>(keyFlags & (MK_SHIFT | MK_CONTROL));
    e.time = pl::display().now();
    pl::queueInput(e);
    return TRUE;
}

}  // namespace

BOOL PlInputMouseMove(HWND wnd, int x, int y, UINT keyFlags)
{
    return queueMouse(pl::InputEvent::Kind::MouseMove, wnd, x, y, PL_BUTTON_LEFT, keyFlags);
}

BOOL PlInputMouseButton(HWND wnd, int x, int y, int button, BOOL down, UINT keyFlags)
{
    auto kind = down ? pl::InputEvent::Kind::ButtonDown : pl::InputEvent::Kind::ButtonUp;
    return queueMouse(kind, wnd, x, y, button, keyFlags);
}

BOOL PlInputMouseClick(HWND wnd, int x, int y, int button, UINT keyFlags)
{
    return PlInputMouseButton(wnd, x, y, button, TRUE, keyFlags) &&
           PlInputMouseButton(wnd, x, y, button, FALSE, keyFlags);
}

BOOL PlInputMouseDoubleClick(HWND wnd, int x, int y, int button, UINT keyFlags)
{
    return PlInputMouseClick(wnd, x, y, button, keyFlags) && PlInputMouseClick(wnd, x, y, button, keyFlags);
}

BOOL PlInputMouseWheel(HWND wnd, int x, int y, int delta, UINT keyFlags)
{
    pl::InputEvent e;
    if (!toScreen(wnd, x, y, &e.screen) || delta < SHRT_MIN || delta > SHRT_MAX)
        return FALSE;
    e.kind = pl::InputEvent::Kind::Wheel;
    e.wheelDelta = delta;
    e.modifiers = static_cast<int>(keyFlags & (MK_SHIFT | MK_CONTROL));
    e.time = pl::display().now();
    pl::queueInput(e);
    return TRUE;
}

BOOL PlInputKey(UINT virtualKey, BOOL down)
{
    if (virtualKey < 1 || virtualKey > 254)
        return FALSE;
    pl::InputEvent e;
    e.kind = down ? pl::InputEvent::Kind::KeyDown : pl::InputEvent::Kind::KeyUp;
    e.virtualKey = virtualKey;
    e.time = pl::display().now();
    pl::queueInput(e);
    return TRUE;
}

void PlHeadlessAdvanceClock(DWORD ms)
{
    if (pl::HeadlessDisplay* headless = pl::headlessDisplay())
        headless->advance(ms);
}

int PlPumpMessages(void)
{
    int dispatched = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // stays for the caller's loop
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++dispatched;
    }
    return dispatched;
}
