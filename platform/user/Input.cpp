// Raw input from the display becomes mouse and key messages when the queue
// retrieves it: routed to the capture window or to the window under the
// pointer (WM_NCHITTEST), or to the focus window for keys, with the key
// state of that moment. The wheel goes to the window under the pointer, as
// current desktops do, rather than to the focus window: the user scrolls
// what they point at, whichever window they clicked last.
#include <cstdlib>
#include <cstring>
#include <deque>

#include "Controls.h"
#include "Coords.h"
#include "DisplayDriver.h"
#include "Internal.h"
#include "Queue.h"

namespace pl {

namespace {

constexpr UINT kNonClientOffset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;

struct QueuedInput {
    InputEvent event;
    uint64_t sequence;
};

struct ClickRecord {
    HWND wnd = nullptr;
    int button = -1;
    bool client = false;
    DWORD time = 0;
    POINT screen{};
};

struct InputState {
    std::deque<QueuedInput> queue;
    uint64_t nextSequence = 1;
    uint64_t seenThrough = 0;  // events up to here have reached the async state
    BYTE sync[256]{};          // 0x80 down, 0x01 toggled
    BYTE async[256]{};
    POINT syncCursor{};
    POINT asyncCursor{};
    ClickRecord lastClick;
    HWND lastMouseWindow = nullptr;
};

InputState& inputState()
{
    static InputState s;
    return s;
}

struct Routed {
    Window* target = nullptr;
    LRESULT hit = HTNOWHERE;
    bool client = false;
    bool doubleClick = false;
    MSG msg{};
};

bool isMouse(const InputEvent& e)
{
    return e.kind == InputEvent::Kind::MouseMove || e.kind == InputEvent::Kind::ButtonDown ||
           e.kind == InputEvent::Kind::ButtonUp;
}

UINT buttonKey(int button)
{
    return button == 1 ? VK_RBUTTON : button == 2 ? VK_MBUTTON : VK_LBUTTON;
}

void applyTo(BYTE* keys, POINT* cursor, const InputEvent& e, bool toggles)
{
    if (e.modifiers >= 0) {
        keys[VK_SHIFT] = static_cast<BYTE>((keys[VK_SHIFT] & 0x01) | ((e.modifiers & MK_SHIFT) ? 0x80 : 0));
        keys[VK_CONTROL] = static_cast<BYTE>((keys[VK_CONTROL] & 0x01) | ((e.modifiers & MK_CONTROL) ? 0x80 : 0));
    }
    UINT vk = 0;
    bool down = false;
    switch (e.kind) {
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::Wheel: *cursor = e.screen; return;
    case InputEvent::Kind::ButtonDown: *cursor = e.screen; vk = buttonKey(e.button); down = true; break;
    case InputEvent::Kind::ButtonUp: *cursor = e.screen; vk = buttonKey(e.button); break;
    case InputEvent::Kind::KeyDown: vk = e.virtualKey; down = true; break;
    case InputEvent::Kind::KeyUp: vk = e.virtualKey; break;
    }
    vk &= 0xFF;
    if (down) {
        if (toggles && !(keys[vk] & 0x80))
            keys[vk] ^= 0x01;
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= static_cast<BYTE>(~0x80);
    }
}

WPARAM mouseKeyFlags(const BYTE* keys)
{
    WPARAM flags = 0;
    if (keys[VK_LBUTTON] & 0x80)
        flags |= MK_LBUTTON;
    if (keys[VK_RBUTTON] & 0x80)
        flags |= MK_RBUTTON;
    if (keys[VK_MBUTTON] & 0x80)
        flags |= MK_MBUTTON;
    if (keys[VK_SHIFT] & 0x80)
        flags |= MK_SHIFT;
    if (keys[VK_CONTROL] & 0x80)
        flags |= MK_CONTROL;
    return flags;
}

UINT clientMouseMessage(const InputEvent& e)
{
    static const UINT downs[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    int b = e.button < 0 || e.button > 2 ? 0 : e.button;
    switch (e.kind) {
    case InputEvent::Kind::ButtonDown: return downs[b];
    case InputEvent::Kind::ButtonUp: return downs[b] + 1;
    default: return WM_MOUSEMOVE;
    }
}

bool isDoubleClick(const InputState& s, const InputEvent& e, const Routed& r)
{
    const ClickRecord& last = s.lastClick;
    if (e.kind != InputEvent::Kind::ButtonDown || last.wnd != r.target->handle || last.button != e.button ||
        last.client != r.client)
        return false;
    if (r.client && !(r.target->windowClass->style & CS_DBLCLKS))
        return false;
    if (e.time - last.time > GetDoubleClickTime())
        return false;
    return std::abs(e.screen.x - last.screen.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           std::abs(e.screen.y - last.screen.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

// The native scan codes of the keys the editor uses; 0 for the others.
UINT scanCode(UINT vk)
{
    switch (vk) {
    case VK_ESCAPE: return 0x01;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: return 0x1D;
    case VK_SHIFT: return 0x2A;
    case VK_MENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_HOME: return 0x47;
    case VK_UP: return 0x48;
    case VK_PRIOR: return 0x49;
    case VK_LEFT: return 0x4B;
    case VK_RIGHT: return 0x4D;
    case VK_END: return 0x4F;
    case VK_DOWN: return 0x50;
    case VK_NEXT: return 0x51;
    case VK_INSERT: return 0x52;
    case VK_DELETE: return 0x53;
    default: return 0;
    }
}

bool isExtendedKey(UINT vk)
{
    return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
}

bool routeMouse(const InputState& s, const InputEvent& e, const BYTE* after, Routed* r)
{
    if (Window* capture = captureWindow()) {
        r->target = capture;
        r->hit = HTCLIENT;
    } else {
        r->target = windowAtPoint(e.screen, &r->hit);
        if (!r->target)
            return false;
    }
    r->client = r->hit == HTCLIENT;
    UINT message = clientMouseMessage(e);
    r->doubleClick = isDoubleClick(s, e, *r);
    if (r->doubleClick)
        message += 2;
    if (r->client) {
        POINT o = clientOrigin(r->target);
        r->msg.message = message;
        r->msg.wParam = mouseKeyFlags(after);
        r->msg.lParam = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(e.screen.x - o.x)),
                                   static_cast<WORD>(static_cast<SHORT>(e.screen.y - o.y)));
    } else {
        r->msg.message = message - kNonClientOffset;
        r->msg.wParam = static_cast<WPARAM>(r->hit);
        r->msg.lParam = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(e.screen.x)),
                                   static_cast<WORD>(static_cast<SHORT>(e.screen.y)));
    }
    return true;
}

bool routeKey(const InputState& s, const InputEvent& e, const BYTE* after, Routed* r)
{
    r->target = focusWindow() ? focusWindow() : activeWindow();
    if (!r->target)
        return false;
    UINT vk = e.virtualKey & 0xFF;
    bool up = e.kind == InputEvent::Kind::KeyUp;
    bool alt = (after[VK_MENU] & 0x80) || (vk == VK_MENU);
    bool control = (after[VK_CONTROL] & 0x80) != 0;
    bool system = alt && !control;
    r->msg.message = system ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
    r->msg.wParam = vk;
    bool wasDown = (s.sync[vk] & 0x80) != 0;
    DWORD bits = 1 | (scanCode(vk) << 16) | (isExtendedKey(vk) ? 1u << 24 : 0) | (alt ? 1u << 29 : 0) |
                 ((wasDown || up) ? 1u << 30 : 0) | (up ? 1u << 31 : 0);
    r->msg.lParam = static_cast<LPARAM>(bits);
    return true;
}

bool routeWheel(const InputEvent& e, const BYTE* after, Routed* r)
{
    LRESULT hit = HTNOWHERE;
    r->target = captureWindow() ? captureWindow() : windowAtPoint(e.screen, &hit);
    if (!r->target)
        r->target = focusWindow();
    if (!r->target)
        return false;
    r->msg.message = WM_MOUSEWHEEL;
    r->msg.wParam = MAKEWPARAM(static_cast<WORD>(mouseKeyFlags(after)), static_cast<WORD>(static_cast<SHORT>(e.wheelDelta)));
    r->msg.lParam = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(e.screen.x)),
                               static_cast<WORD>(static_cast<SHORT>(e.screen.y)));
    return true;
}

bool route(const InputState& s, const InputEvent& e, Routed* r)
{
    BYTE after[256];
    std::memcpy(after, s.sync, sizeof after);
    POINT cursor = s.syncCursor;
    applyTo(after, &cursor, e, false);
    bool wheel = e.kind == InputEvent::Kind::Wheel;
    bool routed = wheel ? routeWheel(e, after, r) : isMouse(e) ? routeMouse(s, e, after, r) : routeKey(s, e, after, r);
    if (!routed)
        return false;
    r->msg.hwnd = r->target->handle;
    r->msg.time = e.time;
    r->msg.pt = isMouse(e) || wheel ? e.screen : s.syncCursor;
    return true;
}

void reachAsync(InputState& s, const QueuedInput& q)
{
    if (q.sequence <= s.seenThrough)
        return;
    s.seenThrough = q.sequence;
    applyTo(s.async, &s.asyncCursor, q.event, false);
}

void applySync(InputState& s, const InputEvent& e)
{
    applyTo(s.sync, &s.syncCursor, e, true);
}

// Sends what natively comes with a retrieved mouse message. True when the
// message is eaten (a click that only activated the window).
bool mouseSideEffects(InputState& s, const InputEvent& e, const Routed& r)
{
    if (e.kind == InputEvent::Kind::ButtonDown) {
        if (r.doubleClick)
            s.lastClick = {};
        else
            s.lastClick = {r.target->handle, e.button, r.client, e.time, e.screen};
    }
    if (s.lastMouseWindow && s.lastMouseWindow != r.target->handle)
        tooltipsPointerLeft(s.lastMouseWindow);
    s.lastMouseWindow = r.target->handle;
    if (captureWindow())
        return false;
    UINT clientMessage = clientMouseMessage(e);
    LPARAM hitAndMessage = MAKELPARAM(static_cast<WORD>(r.hit), static_cast<WORD>(clientMessage));
    if (e.kind == InputEvent::Kind::ButtonDown) {
        Window* top = topLevelOf(r.target);
        if (top != activeWindow()) {
            LRESULT answer = sendMessage(r.target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                         hitAndMessage);
            if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT && !top->destroyed)
                activate(top, WA_CLICKACTIVE);
            if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
                return true;
        }
    }
    if (!r.target->destroyed)
        sendMessage(r.target, WM_SETCURSOR, reinterpret_cast<WPARAM>(r.target->handle), hitAndMessage);
    return false;
}

}  // namespace

void queueInput(const InputEvent& event)
{
    InputState& s = inputState();
    s.queue.push_back({event, s.nextSequence++});
}

bool nextInputMessage(MSG* msg, const MessageFilter& filter, bool remove)
{
    InputState& s = inputState();
    size_t i = 0;
    while (i < s.queue.size()) {
        reachAsync(s, s.queue[i]);
        Routed r;
        if (!route(s, s.queue[i].event, &r)) {
            if (remove && i == 0) {
                // Input with nowhere to go still moves the key state on.
                applySync(s, s.queue.front().event);
                s.queue.pop_front();
            } else {
                ++i;
            }
            continue;
        }
        if (!filter.matches(r.msg)) {
            ++i;
            continue;
        }
        if (!remove) {
            *msg = r.msg;
            return true;
        }
        InputEvent e = s.queue[i].event;
        s.queue.erase(s.queue.begin() + static_cast<std::ptrdiff_t>(i));
        applySync(s, e);
        WindowRef keep(r.target);
        bool eaten = isMouse(e) && mouseSideEffects(s, e, r);
        if (eaten || r.target->destroyed) {
            i = 0;
            continue;
        }
        *msg = r.msg;
        return true;
    }
    return false;
}

void inputRanDry()
{
    InputState& s = inputState();
    for (UINT vk : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON})
        s.async[vk] &= static_cast<BYTE>(~0x80);
}

POINT asyncCursorPosition()
{
    POINT p;
    UINT buttons;
    if (display().livePointer(&p, &buttons))
        return p;
    return inputState().asyncCursor;
}

void setAsyncCursorPosition(POINT screen)
{
    inputState().asyncCursor = screen;
}

void resetInput()
{
    InputState& s = inputState();
    s = InputState{};
}

}  // namespace pl

using namespace pl;

SHORT GetKeyState(int virtualKey)
{
    BYTE k = inputState().sync[virtualKey & 0xFF];
    return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey)
{
    bool down = false;
    if (!display().liveKey(virtualKey & 0xFF, &down))
        down = (inputState().async[virtualKey & 0xFF] & 0x80) != 0;
    return static_cast<SHORT>(down ? 0x8000 : 0);
}

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    *point = asyncCursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    POINT p{x, y};
    DisplayDriver& d = display();
    setAsyncCursorPosition(p);
    if (d.canWait()) {
        d.warpPointer(p);
    } else {
        // As natively, moving the pointer makes a mouse move.
        InputEvent e;
        e.kind = InputEvent::Kind::MouseMove;
        e.screen = p;
        e.time = d.now();
        queueInput(e);
    }
    return TRUE;
}
