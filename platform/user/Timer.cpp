// Timers: WM_TIMER when due, after everything else, one message however
// many periods have passed.
#include <algorithm>
#include <vector>

#include "DisplayDriver.h"
#include "Internal.h"
#include "Queue.h"

namespace pl {

namespace {

constexpr UINT kMinimumElapse = 10;
constexpr UINT_PTR kFirstThreadTimerId = 0x7FFF;

struct Timer {
    HWND wnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    DWORD due;
};

struct TimerState {
    std::vector<Timer> timers;
    UINT_PTR nextThreadId = kFirstThreadTimerId;
};

TimerState& timerState()
{
    static TimerState s;
    return s;
}

bool isDue(const Timer& t, DWORD now)
{
    return static_cast<int32_t>(now - t.due) >= 0;
}

Timer* findTimer(HWND wnd, UINT_PTR id)
{
    for (Timer& t : timerState().timers)
        if (t.wnd == wnd && t.id == id)
            return &t;
    return nullptr;
}

}  // namespace

bool nextTimerMessage(MSG* msg, const MessageFilter& filter, bool remove)
{
    if (!filter.matchesMessage(WM_TIMER))
        return false;
    DWORD now = currentTime();
    Timer* best = nullptr;
    for (Timer& t : timerState().timers) {
        if (!isDue(t, now) || !filter.matchesWindow(t.wnd))
            continue;
        if (!best || static_cast<int32_t>(t.due - best->due) < 0)
            best = &t;
    }
    if (!best)
        return false;
    *msg = MSG{best->wnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), now, asyncCursorPosition()};
    if (remove)
        best->due = now + best->elapse;
    return true;
}

DWORD timeToNextTimer()
{
    DWORD now = currentTime();
    DWORD wait = INFINITE_WAIT;
    for (const Timer& t : timerState().timers) {
        int32_t left = static_cast<int32_t>(t.due - now);
        wait = std::min(wait, static_cast<DWORD>(std::max(left, 0)));
    }
    return wait;
}

bool isTimerProcOf(HWND wnd, UINT_PTR id, TIMERPROC proc)
{
    Timer* t = findTimer(wnd, id);
    return t && t->proc == proc;
}

void removeTimersOf(Window* w)
{
    auto& timers = timerState().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [w](const Timer& t) { return t.wnd == w->handle; }),
                 timers.end());
}

void resetTimers()
{
    timerState().timers.clear();
}

}  // namespace pl

using namespace pl;

UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    if (wnd && !findWindow(wnd))
        return 0;
    TimerState& s = timerState();
    UINT elapse = std::max(elapseMs, kMinimumElapse);
    if (!wnd && !findTimer(nullptr, id))
        id = s.nextThreadId++;
    DWORD due = currentTime() + elapse;
    if (Timer* existing = findTimer(wnd, id)) {
        *existing = Timer{wnd, id, elapse, proc, due};
    } else {
        s.timers.push_back(Timer{wnd, id, elapse, proc, due});
    }
    return wnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND wnd, UINT_PTR id)
{
    auto& timers = timerState().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.wnd == wnd && t.id == id; });
    if (it == timers.end())
        return FALSE;
    timers.erase(it);
    return TRUE;
}
