// Where the desktop goes: display selection, synthetic input, input scripts,
// snapshots, answers for host dialogs and test hooks. Not a native interface.
//
// Displays
//   "headless" (the default, and what the tests use): surfaces stay in
//   memory, input comes only from the calls and scripts below, and the clock
//   of messages and timers is virtual: it moves only with
//   PlHeadlessAdvanceClock or a script's "wait".
//   "x11": every visible top-level window is a real X window showing its
//   surface; X pointer and key events become input; the clock is real.
//   The first use of the window system picks $OVINTA_DISPLAY ("headless" when
//   unset); PlSelectDisplay picks explicitly before that.
//
// The dry-queue rule (headless)
//   GetMessageA and PeekMessageA never wait in headless mode. When nothing is
//   left that the call may retrieve (no posted message, no input, no window
//   to paint, no due timer), the gesture in progress is over, the way a lost
//   capture ends one natively: the mouse buttons count as released (for
//   GetAsyncKeyState), a window holding the capture loses it
//   (WM_CAPTURECHANGED with lParam 0), and then GetMessageA returns FALSE with
//   a WM_QUIT message (wParam 0) and PeekMessageA returns FALSE. The quit is
//   not kept: the next call sees the queue afresh. So a modal loop written as
//     for (;;) { GetMessage(&msg, 0, 0, 0); if (GetCapture() != wnd) break; ... }
//   ends on a dry queue whether or not it looks at the result, and a test
//   queues a whole gesture (presses, moves, releases, keys) before starting it.
//   The X11 display blocks instead, waiting for X events with a timeout for
//   the next timer.
//
// Key state and cursor in headless mode
//   GetKeyState and GetMessagePos give the state as of the last input
//   message retrieved. GetAsyncKeyState and GetCursorPos give the state after
//   the last input event that GetMessageA or PeekMessageA has reached
//   (retrieved, or seen while peeking): while a queued mouse move is being
//   processed, the button release queued after it has not happened yet.
#pragma once

#include <string>
#include <vector>

#include "windef.h"

// ---- Display selection ---------------------------------------------------------------
// "headless" or "x11": the display in use (chosen now if not yet chosen).
const char* PlDisplayName(void);
// Chooses the display before first use. FALSE for an unknown name, when the
// X server cannot be opened, or when another display is already in use.
BOOL PlSelectDisplay(const char* name);

// ---- Synthetic input (any display) -------------------------------------------------
// Positions are client coordinates of `wnd` (screen coordinates when wnd is
// null), turned into screen positions when the call is made. keyFlags may
// hold MK_SHIFT and MK_CONTROL: the Shift and Ctrl state that goes with the
// event (no key messages are made for it); button flags in it are ignored.
// FALSE for a window handle that is not a window.
#define PL_BUTTON_LEFT 0
#define PL_BUTTON_RIGHT 1
#define PL_BUTTON_MIDDLE 2
BOOL PlInputMouseMove(HWND wnd, int x, int y, UINT keyFlags);
BOOL PlInputMouseButton(HWND wnd, int x, int y, int button, BOOL down, UINT keyFlags);
// Press and release at the same place and time.
BOOL PlInputMouseClick(HWND wnd, int x, int y, int button, UINT keyFlags);
// Two clicks at the same place and time: the second press becomes a
// double click in a window whose class has CS_DBLCLKS.
BOOL PlInputMouseDoubleClick(HWND wnd, int x, int y, int button, UINT keyFlags);
// The wheel turned by `delta` (WHEEL_DELTA a notch, positive away from the
// user) with the pointer at x, y: WM_MOUSEWHEEL to the window there. FALSE
// also for a delta outside the 16 bits the message carries.
BOOL PlInputMouseWheel(HWND wnd, int x, int y, int delta, UINT keyFlags);
// A key goes to the focus window (the active window when nothing has the
// focus). FALSE for a virtual key outside 1..254.
BOOL PlInputKey(UINT virtualKey, BOOL down);

// ---- Headless clock and scripts ------------------------------------------------------
// Moves the headless clock on; timers that become due fire at the next
// retrieval. No effect on the X11 display.
void PlHeadlessAdvanceClock(DWORD ms);

// Runs an input script line by line (headless display only). Lines:
//
//   # comment                          (blank lines are ignored too)
//   move <window> <x> <y>              pointer to a point of the window's client area
//   down <button> <window> <x> <y>     press: button is left, right or middle
//   up <button> <window> <x> <y>       release
//   click <button> <window> <x> <y>    press and release
//   dblclick <button> <window> <x> <y> two clicks at once (a double click)
//   wheel <notches> <window> <x> <y>   the wheel turned with the pointer there:
//                                      positive away from the user (scrolls up)
//   key down|up|press <key>            key: VK_ESCAPE, VK_RETURN, VK_DELETE, VK_LEFT,
//                                      VK_UP, VK_RIGHT, VK_DOWN, VK_SHIFT, VK_CONTROL, the
//                                      other VK_ names of winuser.h, F1..F12, a letter
//                                      A-Z, a digit 0-9, or a number (12, 0x1B)
//   keys none|shift|ctrl|shift+ctrl    Shift/Ctrl state given to later mouse lines
//   wait <ms>                          advance the headless clock
//   wait-idle                          dispatch messages until the queue is dry
//                                      (the dry-queue rule above then applies)
//
// <window> names a window: "screen" (x and y are screen coordinates), a
// window text in double quotes or as one word without blanks, optionally
// followed by a path of control ids: "Main window"/3000/4002 is the control
// with id 4002 inside control 3000 of the top-level window titled
// Main window. Texts are matched exactly: visible top-level windows first,
// then any window. Names are looked up when their line runs, after the
// lines before it have had their effect.
//
// Input lines only queue input; nothing is dispatched except by wait-idle.
// On the first bad line the script stops, `error` receives
// "line N: what is wrong" and the result is FALSE; the lines before it have
// run. `error` may be null; errorSize counts the terminating zero.
BOOL PlHeadlessRunScript(const char* text, char* error, int errorSize);
BOOL PlHeadlessRunScriptFile(const char* path, char* error, int errorSize);

// Dispatches (TranslateMessage, DispatchMessageA) until the queue is dry;
// returns the number of messages dispatched. A posted WM_QUIT stops it and
// stays retrievable.
int PlPumpMessages(void);

// ---- Pixels -------------------------------------------------------------------------
// The surface the window draws into (its top-level window's) and, in
// *origin, the surface pixel of the window's top-left corner. Null for a
// handle that is not a window. The bitmap belongs to the window system;
// read it with PlBitmapBits (plsurface.h).
HBITMAP PlGetWindowSurface(HWND wnd, POINT* origin);
// Writes the pixels of the window (non-client area included) as a PNG.
BOOL PlSnapshotWindow(HWND wnd, const char* path);

// ---- Answers for host dialogs ----------------------------------------------------------
// A queue of answers per kind ("color": a COLORREF for the colour chooser).
// Headless stand-ins of host dialogs take their answer from here instead of
// asking a person; with no answer queued they count as cancelled.
void PlPushDialogAnswer(const char* kind, long value);
BOOL PlTakeDialogAnswer(const char* kind, long* value);

// ---- Test hooks ----------------------------------------------------------------------------
// The last pop-up menu TrackPopupMenu showed, as it was when shown.
struct PlMenuItemShown {
    UINT id;           // 0 for separators, (UINT)-1 for pop-up items
    std::string text;  // empty for separators
    UINT state;        // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP bits
    RECT rect;         // the item in screen coordinates
};
struct PlMenuShown {
    HMENU menu;
    HWND popup;  // the pop-up window (destroyed once the menu closes)
    POINT position;  // the point passed to TrackPopupMenu
    RECT rect;       // the pop-up window in screen coordinates
    std::vector<PlMenuItemShown> items;
};
BOOL PlGetLastMenuShown(PlMenuShown* menu);  // FALSE when no menu was shown yet
// Called while the menu is on screen, before its loop reads any message:
// a test may queue input there that depends on the pop-up's geometry.
typedef void (*PlMenuShownHook)(const PlMenuShown& menu, void* data);
void PlSetMenuShownHook(PlMenuShownHook hook, void* data);

// The state of a tooltip control.
struct PlTooltipState {
    BOOL active;       // TTM_ACTIVATE
    BOOL visible;      // the tip window is on screen
    std::string text;  // the text shown, or the current tool's text when hidden
    RECT rect;         // the tip window in screen coordinates
    HWND toolWindow;   // the window of the tool that the tip belongs to
};
BOOL PlGetTooltipState(HWND tooltip, PlTooltipState* state);  // FALSE: not a tooltip control

// The cursor the display shows (SetCursor) and what it is.
struct PlCursorShown {
    HCURSOR cursor;
    HINSTANCE module;  // null for system cursors
    int id;            // IDC_ value of a system cursor, or the resource id
    POINT hotSpot;
};
BOOL PlGetCursorShown(PlCursorShown* cursor);  // FALSE while no cursor is shown

// Destroys every top-level window, empties the queue and the timers, and
// forgets capture, focus, key state and the double-click history, so that
// tests start from a clean desktop. Classes, hooks, menus and resources stay.
void PlResetWindowSystem(void);

// The X window showing a top-level window; 0 unless the X11 display shows it.
unsigned long PlX11WindowId(HWND wnd);
