// The X11 display: each visible top-level window is an X window showing its
// surface; X pointer and key events become input for the window system.
#pragma once

#include <X11/Xlib.h>

#include <map>
#include <memory>

#include "DisplayDriver.h"

namespace pl {

class X11Display : public DisplayDriver {
public:
    // Null when the X server cannot be opened.
    static std::unique_ptr<X11Display> open();
    ~X11Display() override;

    const char* name() const override { return "x11"; }
    SIZE screenSize() override;
    DWORD now() override;

    void windowChanged(HWND wnd, const TopLevelInfo& info) override;
    void windowDestroyed(HWND wnd) override;
    void surfaceReplaced(HWND wnd, HBITMAP surface) override;
    void surfaceChanged(HWND wnd, const RECT& rect) override;
    void flush() override;

    bool canWait() const override { return true; }
    void pollInput() override;
    bool waitForInput(DWORD timeoutMs) override;

    void cursorChanged(HCURSOR cursor) override;
    void captureChanged(HWND capture) override;
    bool livePointer(POINT* screen, UINT* buttons) override;
    bool liveKey(int virtualKey, bool* down) override;
    void warpPointer(POINT screen) override;

    // The X window showing a top-level window, 0 when there is none.
    ::Window xWindowOf(HWND wnd) const;

private:
    struct Shown {
        ::Window window = 0;
        HBITMAP surface = nullptr;
        RECT rect{};      // as the window system has it, screen coordinates
        RECT xRect{};     // as the X server last reported or was told
        RECT dirty{};     // surface coordinates still to be put
        bool mapped = false;
        bool visible = false;
        bool decorated = false;
    };

    explicit X11Display(Display* display);
    void createWindow(HWND wnd, Shown& shown, const TopLevelInfo& info);
    void putSurface(Shown& shown);
    void handle(XEvent& event);
    void handleConfigure(HWND wnd, Shown& shown);
    HWND windowOf(::Window x) const;
    ::Cursor xCursor(HCURSOR cursor);
    void grabFor(HWND capture);

    Display* m_display;
    int m_screen;
    ::Window m_root;
    GC m_gc;
    Atom m_deleteWindow;
    Atom m_protocols;
    std::map<HWND, Shown> m_shown;
    std::map<HCURSOR, ::Cursor> m_cursors;
    HCURSOR m_cursor = nullptr;
    HWND m_capture = nullptr;
};

// Maps an X key symbol to a virtual key; 0 for keys the platform ignores.
UINT virtualKeyFromKeySym(unsigned long keysym);
unsigned long keySymFromVirtualKey(UINT vk);

}  // namespace pl
