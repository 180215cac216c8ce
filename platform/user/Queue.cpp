// The one message queue of the user-interface thread.
#include <deque>

#include "Controls.h"
#include "DisplayDriver.h"
#include "Internal.h"
#include "Queue.h"

namespace pl {

namespace {

enum class Fetch { Message, Quit, Dry, BadWindow };

struct QueueState {
    std::deque<MSG> posted;
    bool quitPending = false;
    int quitCode = 0;
    POINT lastPos{};
    DWORD lastTime = 0;
};

QueueState& queueState()
{
    static QueueState s;
    return s;
}

bool takePosted(MSG* msg, const MessageFilter& filter, bool remove)
{
    auto& posted = queueState().posted;
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (!filter.matches(*it))
            continue;
        *msg = *it;
        if (remove)
            posted.erase(it);
        return true;
    }
    return false;
}

bool takeQuit(MSG* msg, bool remove)
{
    QueueState& s = queueState();
    if (!s.quitPending)
        return false;
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0, currentTime(), asyncCursorPosition()};
    if (remove)
        s.quitPending = false;
    return true;
}

bool takePaint(MSG* msg, const MessageFilter& filter)
{
    if (filter.threadOnly || !filter.matchesMessage(WM_PAINT))
        return false;
    Window* w = windowToPaint(filter.window);
    if (!w)
        return false;
    *msg = MSG{w->handle, WM_PAINT, 0, 0, currentTime(), asyncCursorPosition()};
    return true;
}

Fetch fetch(MSG* msg, HWND wnd, UINT first, UINT last, bool remove, bool wait)
{
    MessageFilter filter;
    filter.first = first;
    filter.last = last;
    if (wnd == reinterpret_cast<HWND>(-1)) {
        filter.threadOnly = true;
    } else if (wnd) {
        filter.window = findWindow(wnd);
        if (!filter.window)
            return Fetch::BadWindow;
    }
    DisplayDriver& d = display();
    for (;;) {
        d.pollInput();
        if (takePosted(msg, filter, remove))
            return Fetch::Message;
        if (takeQuit(msg, remove))
            return Fetch::Quit;
        if (nextInputMessage(msg, filter, remove))
            return Fetch::Message;
        if (takePaint(msg, filter))
            return Fetch::Message;
        if (nextTimerMessage(msg, filter, remove))
            return Fetch::Message;
        flushSurfaces();
        if (!wait || !d.canWait())
            return Fetch::Dry;
        d.waitForInput(timeToNextTimer());
    }
}

// The dry-queue rule of the headless display (pldisplay.h).
void endGesture()
{
    inputRanDry();
    if (captureWindow())
        ReleaseCapture();
}

void remember(const MSG& msg)
{
    QueueState& s = queueState();
    s.lastPos = msg.pt;
    s.lastTime = msg.time;
}

void makeQuit(MSG* msg, int code)
{
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(code), 0, currentTime(), asyncCursorPosition()};
}

}  // namespace

bool MessageFilter::matchesWindow(HWND wnd) const
{
    if (threadOnly)
        return wnd == nullptr;
    if (!window)
        return true;
    if (wnd == window->handle)
        return true;
    Window* w = findWindow(wnd);
    return w && isDescendant(window, w);
}

bool MessageFilter::matchesMessage(UINT msg) const
{
    if (first == 0 && last == 0)
        return true;
    return msg >= first && msg <= last;
}

DWORD currentTime()
{
    return display().now();
}

void removeMessagesOf(Window* w)
{
    auto& posted = queueState().posted;
    for (auto it = posted.begin(); it != posted.end();)
        it = it->hwnd == w->handle ? posted.erase(it) : it + 1;
}

bool modalMessage(MSG* msg, Window* captor)
{
    BOOL got = GetMessageA(msg, nullptr, 0, 0);
    if (got > 0)
        return captureWindow() == captor;
    if (got == 0 && captureWindow() == captor)
        PostQuitMessage(static_cast<int>(msg->wParam));  // a real quit, not a dry queue
    return false;
}

void resetQueue()
{
    QueueState& s = queueState();
    s.posted.clear();
    s.quitPending = false;
    s.quitCode = 0;
}

}  // namespace pl

using namespace pl;

LRESULT SendMessageA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return sendMessage(findWindow(wnd), msg, wParam, lParam);
}

BOOL PostMessageA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (wnd && !findWindow(wnd))
        return FALSE;
    queueState().posted.push_back(MSG{wnd, msg, wParam, lParam, currentTime(), asyncCursorPosition()});
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    QueueState& s = queueState();
    s.quitPending = true;
    s.quitCode = exitCode;
}

BOOL GetMessageA(LPMSG msg, HWND wnd, UINT first, UINT last)
{
    if (!msg)
        return -1;
    switch (fetch(msg, wnd, first, last, true, true)) {
    case Fetch::Message: remember(*msg); return TRUE;
    case Fetch::Quit: remember(*msg); return FALSE;
    case Fetch::BadWindow: return -1;
    case Fetch::Dry: break;
    }
    endGesture();
    makeQuit(msg, 0);
    return FALSE;
}

BOOL PeekMessageA(LPMSG msg, HWND wnd, UINT first, UINT last, UINT remove)
{
    MSG scratch;
    LPMSG out = msg ? msg : &scratch;
    const bool removing = (remove & PM_REMOVE) != 0;
    switch (fetch(out, wnd, first, last, removing, false)) {
    case Fetch::Message:
    case Fetch::Quit:
        if (removing)
            remember(*out);
        return TRUE;
    case Fetch::BadWindow: return FALSE;
    case Fetch::Dry: break;
    }
    if (!display().canWait())
        endGesture();
    return FALSE;
}

BOOL WaitMessage(void)
{
    DisplayDriver& d = display();
    MSG msg;
    if (fetch(&msg, nullptr, 0, 0, false, false) != Fetch::Dry)
        return TRUE;
    if (d.canWait())
        d.waitForInput(timeToNextTimer());
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        if (isTimerProcOf(msg->hwnd, msg->wParam, proc))
            proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    Window* w = findWindow(msg->hwnd);
    if (!w)
        return 0;
    WindowRef ref(w);
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
        relayToTooltips(*msg);
    if (w->destroyed)
        return 0;
    LRESULT result = callProcedure(w, w->proc, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT && !w->destroyed && needsPaint(w)) {
        // A procedure that does not validate would get WM_PAINT forever.
        validateClient(w, nullptr);
        w->frameDirty = false;
    }
    return result;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    UINT vk = static_cast<UINT>(msg->wParam);
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool control = GetKeyState(VK_CONTROL) < 0;
    int ch = -1;
    if (vk >= 'A' && vk <= 'Z')
        ch = control ? static_cast<int>(vk - 'A' + 1) : static_cast<int>(shift ? vk : vk - 'A' + 'a');
    else if (vk >= '0' && vk <= '9')
        ch = shift ? ")!@#$%^&*("[vk - '0'] : static_cast<int>(vk);
    else if (vk == VK_SPACE)
        ch = ' ';
    else if (vk == VK_RETURN)
        ch = '\r';
    else if (vk == VK_BACK)
        ch = '\b';
    else if (vk == VK_TAB)
        ch = '\t';
    else if (vk == VK_ESCAPE)
        ch = 0x1B;
    if (ch < 0)
        return FALSE;
    UINT charMsg = msg->message == WM_SYSKEYDOWN ? 0x0106 /* WM_SYSCHAR */ : WM_CHAR;
    queueState().posted.push_back(MSG{msg->hwnd, charMsg, static_cast<WPARAM>(ch), msg->lParam, msg->time, msg->pt});
    return TRUE;
}

DWORD GetMessagePos(void)
{
    POINT p = queueState().lastPos;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(static_cast<SHORT>(p.x)),
                                       static_cast<WORD>(static_cast<SHORT>(p.y))));
}

LONG GetMessageTime(void)
{
    return static_cast<LONG>(queueState().lastTime);
}

BOOL InSendMessage(void)
{
    return FALSE;
}
