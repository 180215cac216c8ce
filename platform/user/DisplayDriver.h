// The window system's view of a display: where top-level windows are shown,
// where input comes from, and what time it is. platform/display implements
// it (headless and X11); platform/user calls nothing else of the display.
#pragma once

#include <string>

#include "windef.h"

namespace pl {

// One raw input event in screen coordinates, before the window system turns
// it into a message for a window.
struct InputEvent {
    enum class Kind { MouseMove, ButtonDown, ButtonUp, KeyDown, KeyUp, Wheel };
    Kind kind = Kind::MouseMove;
    POINT screen{};
    int button = 0;           // 0 left, 1 right, 2 middle
    UINT virtualKey = 0;
    int wheelDelta = 0;       // Wheel: multiples of WHEEL_DELTA, positive away from the user
    int modifiers = -1;       // MK_SHIFT | MK_CONTROL to set with the event, -1 to keep
    DWORD time = 0;
};

// What the display needs to know about a top-level window.
struct TopLevelInfo {
    RECT rect{};              // screen coordinates
    std::string title;
    bool decorated = false;   // the desktop's window manager frames it
    bool visible = false;
};

class DisplayDriver {
public:
    virtual ~DisplayDriver() = default;

    virtual const char* name() const = 0;
    virtual SIZE screenSize() = 0;
    // Milliseconds of the message clock.
    virtual DWORD now() = 0;

    // Top-level windows: state changes and the surface they show.
    virtual void windowChanged(HWND wnd, const TopLevelInfo& info) = 0;
    virtual void windowDestroyed(HWND wnd) = 0;
    virtual void surfaceReplaced(HWND wnd, HBITMAP surface) = 0;
    // Pixels of the surface inside `rect` (surface coordinates) changed.
    virtual void surfaceChanged(HWND wnd, const RECT& rect) = 0;
    // Shows what changed; called before the window system waits.
    virtual void flush() = 0;

    // Whether input can arrive by itself (a person at an X display). When it
    // cannot (headless), an empty queue is dry: see pldisplay.h.
    virtual bool canWait() const = 0;
    // Reads pending input without waiting (queued through queueInput).
    virtual void pollInput() = 0;
    // Waits up to timeoutMs (INFINITE_WAIT: no limit) for input; false when
    // the time ran out or waiting is not possible.
    virtual bool waitForInput(DWORD timeoutMs) = 0;

    virtual void cursorChanged(HCURSOR cursor) = 0;
    virtual void captureChanged(HWND capture) = 0;
    // The live pointer and key state, where the display has one.
    virtual bool livePointer(POINT* screen, UINT* buttons) = 0;  // buttons: MK_LBUTTON...
    virtual bool liveKey(int virtualKey, bool* down) = 0;
    virtual void warpPointer(POINT screen) = 0;
};

constexpr DWORD INFINITE_WAIT = 0xFFFFFFFF;

// The display in use; chosen on first call (platform/display).
DisplayDriver& display();
// Queues raw input for the window system (platform/user).
void queueInput(const InputEvent& event);

}  // namespace pl
