// Keyboard focus, the active top-level window and the mouse capture.
#include "DisplayDriver.h"
#include "Internal.h"

namespace pl {

namespace {

struct FocusState {
    Window* focus = nullptr;
    Window* active = nullptr;
    Window* capture = nullptr;
};

FocusState& state()
{
    static FocusState s;
    return s;
}

}  // namespace

Window* focusWindow()
{
    return state().focus;
}

Window* activeWindow()
{
    return state().active;
}

Window* captureWindow()
{
    return state().capture;
}

void setFocusTo(Window* w)
{
    FocusState& s = state();
    Window* old = s.focus;
    if (old == w)
        return;
    WindowRef keepOld(old);
    WindowRef keepNew(w);
    s.focus = w;
    if (old && !old->destroyed)
        sendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(w ? w->handle : nullptr), 0);
    if (w && !w->destroyed && s.focus == w)
        sendMessage(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old ? old->handle : nullptr), 0);
}

void activate(Window* w, int how)
{
    FocusState& s = state();
    if (w)
        w = topLevelOf(w);
    if (s.active == w)
        return;
    Window* old = s.active;
    WindowRef keepOld(old);
    WindowRef keepNew(w);
    s.active = w;
    if (old && !old->destroyed) {
        sendMessage(old, WM_NCACTIVATE, FALSE, 0);
        sendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(w ? w->handle : nullptr));
    }
    if (w && !w->destroyed && s.active == w) {
        sendMessage(w, WM_NCACTIVATE, TRUE, 0);
        sendMessage(w, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(old ? old->handle : nullptr));
    }
}

void forgetWindowState(Window* w)
{
    FocusState& s = state();
    if (s.focus == w)
        s.focus = nullptr;
    if (s.active == w)
        s.active = nullptr;
    if (s.capture == w) {
        s.capture = nullptr;
        display().captureChanged(nullptr);
    }
}

void releaseCaptureFrom(Window* w, HWND newCapture)
{
    FocusState& s = state();
    if (!w || s.capture != w)
        return;
    s.capture = nullptr;
    display().captureChanged(nullptr);
    sendMessage(w, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(newCapture));
}

}  // namespace pl

using namespace pl;

HWND SetFocus(HWND wnd)
{
    Window* old = focusWindow();
    HWND oldHandle = old ? old->handle : nullptr;
    if (!wnd) {
        setFocusTo(nullptr);
        return oldHandle;
    }
    Window* w = findWindow(wnd);
    if (!w || w == desktopWindow())
        return nullptr;
    if (activeWindow() != topLevelOf(w))
        activate(w, WA_ACTIVE);
    if (w->destroyed)
        return nullptr;
    setFocusTo(w);
    return oldHandle;
}

HWND GetFocus(void)
{
    Window* f = focusWindow();
    return f ? f->handle : nullptr;
}

HWND SetActiveWindow(HWND wnd)
{
    Window* old = activeWindow();
    HWND oldHandle = old ? old->handle : nullptr;
    Window* w = wnd ? findWindow(wnd) : nullptr;
    if (wnd && !w)
        return nullptr;
    activate(w, WA_ACTIVE);
    return oldHandle;
}

HWND GetActiveWindow(void)
{
    Window* a = activeWindow();
    return a ? a->handle : nullptr;
}

BOOL SetForegroundWindow(HWND wnd)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    activate(w, WA_ACTIVE);
    return TRUE;
}

HWND SetCapture(HWND wnd)
{
    Window* old = captureWindow();
    HWND oldHandle = old ? old->handle : nullptr;
    Window* w = findWindow(wnd);
    if (!w || w == desktopWindow() || old == w)
        return oldHandle;
    if (old)
        releaseCaptureFrom(old, wnd);
    if (w->destroyed)
        return oldHandle;
    // A window losing the capture may have taken it back in WM_CAPTURECHANGED.
    if (Window* taken = captureWindow(); taken && taken != w)
        releaseCaptureFrom(taken, wnd);
    state().capture = w;
    display().captureChanged(wnd);
    return oldHandle;
}

BOOL ReleaseCapture(void)
{
    releaseCaptureFrom(captureWindow(), nullptr);
    return TRUE;
}

HWND GetCapture(void)
{
    Window* c = captureWindow();
    return c ? c->handle : nullptr;
}
