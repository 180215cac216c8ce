// The message queue's sources: input (Input.cpp) and timers (Timer.cpp).
// The queue (Queue.cpp) asks them in native order: posted messages, input,
// WM_PAINT, then due timers.
#pragma once

#include "Window.h"

namespace pl {

// Which messages a retrieval may take.
struct MessageFilter {
    Window* window = nullptr;  // that window and its descendants
    bool threadOnly = false;   // only messages without a window
    UINT first = 0;
    UINT last = 0;

    bool matchesWindow(HWND wnd) const;
    bool matchesMessage(UINT msg) const;
    bool matches(const MSG& msg) const { return matchesWindow(msg.hwnd) && matchesMessage(msg.message); }
};

// The first queued input message the filter allows. With `remove`, it is
// taken from the queue and the key state, capture routing and double-click
// history move on; WM_MOUSEACTIVATE and WM_SETCURSOR are sent as natively.
bool nextInputMessage(MSG* msg, const MessageFilter& filter, bool remove);
// The dry-queue rule: the mouse buttons count as released.
void inputRanDry();
POINT asyncCursorPosition();
void setAsyncCursorPosition(POINT screen);

bool nextTimerMessage(MSG* msg, const MessageFilter& filter, bool remove);
// Milliseconds until the next timer is due; INFINITE_WAIT without timers.
DWORD timeToNextTimer();
bool isTimerProcOf(HWND wnd, UINT_PTR id, TIMERPROC proc);
void resetTimers();
void resetQueue();

}  // namespace pl
