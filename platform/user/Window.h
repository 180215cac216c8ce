// The window tree: classes, windows and their handles. Every function here
// runs on the one user-interface thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "region.h"
#include "winuser.h"

namespace pl {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int classExtra = 0;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    bool system = false;  // built-in classes cannot be unregistered
    int windowCount = 0;
};

struct ScrollBarState {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT disabledArrows = 0;  // ESB_ bits
    bool tracking = false;
};

// Private state of a built-in control; the control's procedure owns it.
struct ControlState {
    virtual ~ControlState() = default;
};

struct Window {
    HWND handle = nullptr;
    WindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    std::vector<unsigned char> extra;

    Window* parent = nullptr;               // the desktop for top-level windows
    Window* owner = nullptr;                // top-level windows only
    std::vector<Window*> children;          // z-order: the topmost first

    RECT rect{};                            // window rectangle, parent client coordinates
    RECT client{};                          // client rectangle, parent client coordinates

    gdi::Region update;                     // client coordinates
    bool erase = false;
    bool frameDirty = false;
    bool internalPaint = false;

    ScrollBarState hbar, vbar;
    HBITMAP surface = nullptr;              // top-level windows only
    RECT surfaceDirty{};                    // surface coordinates, not yet shown

    bool destroying = false;
    bool destroyed = false;                 // the handle is no longer valid
    int references = 0;                     // procedure calls and destruction in progress
    std::unique_ptr<ControlState> control;
};

// ---- Handles -------------------------------------------------------------------------
// The live window of a handle; null for destroyed windows and other values.
Window* findWindow(HWND wnd);
Window* desktopWindow();
// All live top-level windows, topmost first.
const std::vector<Window*>& topLevelWindows();

// Keeps a window's memory alive while a procedure of it runs or it is being
// destroyed; a destroyed window is freed when the last reference goes.
class WindowRef {
public:
    explicit WindowRef(Window* window);
    ~WindowRef();
    WindowRef(const WindowRef&) = delete;
    WindowRef& operator=(const WindowRef&) = delete;

private:
    Window* m_window;
};

// ---- Structure -------------------------------------------------------------------
bool isTopLevel(const Window* w);
bool isChild(const Window* w);  // WS_CHILD with a parent other than the desktop
Window* topLevelOf(Window* w);
bool isDescendant(const Window* ancestor, const Window* w);
// WS_VISIBLE on the window and on every ancestor below the desktop.
bool isShown(const Window* w);
bool isEnabled(const Window* w);
// Windows the desktop's window manager frames: overlapped windows and
// pop-ups with a caption. They get no frame of their own.
bool isDecorated(const Window* w);

// ---- Geometry ---------------------------------------------------------------------
POINT clientOrigin(const Window* w);   // screen point of client (0, 0)
RECT windowScreenRect(const Window* w);
RECT clientScreenRect(const Window* w);
// The surface pixel of the window's top-left corner.
POINT surfaceOrigin(const Window* w);

// ---- Messages ----------------------------------------------------------------------
// Calls the window's procedure; 0 for a destroyed window.
LRESULT sendMessage(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT callProcedure(Window* w, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Lifetime ----------------------------------------------------------------------
Window* createWindowObject(WindowClass* cls, Window* parent, Window* owner);
void linkWindow(Window* w, Window* parent, HWND insertAfter);
void unlinkWindow(Window* w);
// Drops the handle; the memory goes with the last reference.
void retireWindow(Window* w);

// ---- Classes ---------------------------------------------------------------------------
WindowClass* findClass(const char* name);
// Registers the built-in classes once (Button, Static, ScrollBar, the common
// controls, the dialog, menu and tooltip classes).
void registerSystemClasses();

// The owner surface rectangle changed; tell the display.
void notifyDisplay(Window* top);

}  // namespace pl
