// The headless display: surfaces stay in memory, input comes only from the
// program (pldisplay.h), and the clock moves only when told to.
#pragma once

#include "DisplayDriver.h"

namespace pl {

class HeadlessDisplay : public DisplayDriver {
public:
    const char* name() const override { return "headless"; }
    SIZE screenSize() override { return {kScreenWidth, kScreenHeight}; }
    DWORD now() override { return m_clock; }
    void advance(DWORD ms) { m_clock += ms; }

    // Nothing is shown: snapshots read the surfaces directly.
    void windowChanged(HWND, const TopLevelInfo&) override {}
    void windowDestroyed(HWND) override {}
    void surfaceReplaced(HWND, HBITMAP) override {}
    void surfaceChanged(HWND, const RECT&) override {}
    void flush() override {}

    bool canWait() const override { return false; }
    void pollInput() override {}
    bool waitForInput(DWORD) override { return false; }

    // The cursor is recorded by the window system (PlGetCursorShown).
    void cursorChanged(HCURSOR) override {}
    void captureChanged(HWND) override {}
    bool livePointer(POINT*, UINT*) override { return false; }
    bool liveKey(int, bool*) override { return false; }
    void warpPointer(POINT) override {}

    static constexpr LONG kScreenWidth = 1280;
    static constexpr LONG kScreenHeight = 1024;

private:
    DWORD m_clock = 1000;
};

}  // namespace pl
