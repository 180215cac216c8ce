// Operations that the parts of the window system share with each other.
#pragma once

#include "Window.h"

namespace pl {

// ---- Position and frame (Position.cpp, NonClient.cpp) ----------------------------
// SWP_ values that only the window system sets, as natively.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

bool setWindowPos(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// The client rectangle (parent client coordinates) that DefWindowProc gives
// a window rectangle: frame, caption, edges and the shown scroll bars.
RECT defaultClientRect(const Window* w, const RECT& windowRect);
// Asks the window (WM_NCCALCSIZE) and stores its new client rectangle.
void recalcClientRect(Window* w, const RECT& oldWindow, const RECT& oldClient, WINDOWPOS* pos);
// Recomputes the frame after a scroll bar came or went: WM_NCCALCSIZE,
// WM_SIZE when the client size changed, repaint.
void frameChanged(Window* w);
LRESULT defNcCalcSize(Window* w, WPARAM calcValidRects, LPARAM lParam);
LRESULT defNcHitTest(Window* w, POINT screen);
void defNcPaint(Window* w);
// Scroll bar rectangles in window coordinates (empty when not shown).
RECT verticalBarRect(const Window* w);
RECT horizontalBarRect(const Window* w);

// ---- Hooks (Hooks.cpp) --------------------------------------------------------------
LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam);

// ---- Focus, activation, capture (Focus.cpp) --------------------------------------
Window* focusWindow();
Window* activeWindow();
Window* captureWindow();
void setFocusTo(Window* w);
void activate(Window* w, int how);
// The window goes away: drop focus, capture and activation without messages.
void forgetWindowState(Window* w);
void releaseCaptureFrom(Window* w, HWND newCapture);

// ---- Painting (Painting.cpp, UpdateRegion.cpp) ------------------------------------
// Invalidates (part of) the client area, in client coordinates; null: all of
// it. `frame` also marks the non-client area. Visible descendants under the
// area are invalidated too, because they draw into the same surface.
void invalidateClient(Window* w, const RECT* rect, bool erase, bool frame);
// Invalidates the whole window, frame and descendants included.
void invalidateWhole(Window* w, bool erase);
// Invalidates the part of a parent that lies under `rect` (parent client
// coordinates), after a child moved away or was hidden.
void invalidateUnder(Window* parent, const RECT& rect);
void invalidateClientRegion(Window* w, const gdi::Region& region, bool erase, bool frame);
void validateClient(Window* w, const RECT* rect);
void validateClientRegion(Window* w, const gdi::Region& region);
bool needsPaint(const Window* w);
// The first shown window needing paint (parents before children) among the
// window and its descendants, or among all windows when filter is null.
Window* windowToPaint(Window* filter);
// Sends WM_PAINT now to the window (and its descendants when `children`).
void paintNow(Window* w, bool children);
void eraseNow(Window* w, bool children);
// Device contexts on the window's surface. `whole`: the window rectangle
// rather than the client area. `extraClip` is in the DC's coordinates.
HDC getWindowDC(Window* w, bool whole, const RECT* extraClip);
// A client-area DC that reaches only `area` (client coordinates): the DC of
// BeginPaint and of the background erase.
HDC getPaintDC(Window* w, const gdi::Region& area);
void releaseDCsOf(Window* w);
void createSurface(Window* top);
void resizeSurface(Window* top, int oldWidth, int oldHeight);
void destroySurface(Window* top);
void markSurfaceChanged(Window* top, const RECT& surfaceRect);
void flushSurfaces();

// ---- Queue (Queue.cpp, Timer.cpp) ----------------------------------------------------
void removeMessagesOf(Window* w);
// GetMessage for the window system's own modal loops (scroll bars, menus):
// false when the loop must end because the quit came, the queue ran dry or
// `captor` lost the capture. A posted WM_QUIT is posted again for the loop
// outside.
bool modalMessage(MSG* msg, Window* captor);
void removeTimersOf(Window* w);
DWORD currentTime();

// ---- Input (Input.cpp) -----------------------------------------------------------------
void resetInput();

// ---- Scroll bars (ScrollBar.cpp) --------------------------------------------------------
ScrollBarState* scrollBarOf(Window* w, int bar);
// Runs the mouse tracking loop of a scroll bar; `bar` is SB_HORZ, SB_VERT or
// SB_CTL; `screen` the press point.
void trackScrollBar(Window* w, int bar, POINT screen);
void drawScrollBar(HDC dc, const RECT& rect, bool vertical, const ScrollBarState& state, bool enabled,
                   int pressedPart);

// ---- Cursors (Cursor.cpp) ------------------------------------------------------------
HCURSOR systemCursor(int id);

// ---- Controls ---------------------------------------------------------------------------
// Frees the private state of a built-in control (its font, its items).
void releaseControlState(Window* w);

}  // namespace pl
