// "tooltips_class32": a small pop-up with a tool's text near the pointer.
// Tools with TTF_SUBCLASS see the mouse messages dispatched to their window;
// while the tooltip is active and the tool has a text, the tip shows after
// the pointer rests (at once on the next move with the headless display,
// which has no time passing on its own), and hides when the pointer leaves
// the tool, a button is pressed, or the tooltip is deactivated.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Controls.h"
#include "DisplayDriver.h"
#include "Internal.h"
#include "commctrl.h"
#include "pldisplay.h"

namespace pl {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kInitialDelay = 500;
constexpr int kPadding = 3;
constexpr int kBelowPointer = 20;

struct Tool {
    UINT flags = 0;
    HWND wnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    std::string text;
    LPARAM param = 0;
};

struct TooltipState : ControlState {
    std::vector<Tool> tools;
    bool active = true;
    int maxWidth = -1;
    HFONT font = nullptr;
    int current = -1;  // the tool the tip is shown or waiting for
    bool shown = false;
    POINT pointer{};   // screen position of the last relayed move
};

std::vector<HWND>& tooltips()
{
    static std::vector<HWND> all;
    return all;
}

TooltipState* tooltipState(HWND wnd)
{
    Window* w = findWindow(wnd);
    return w ? dynamic_cast<TooltipState*>(w->control.get()) : nullptr;
}

int findTool(const TooltipState& s, HWND wnd, UINT_PTR id)
{
    for (size_t i = 0; i < s.tools.size(); ++i)
        if (s.tools[i].wnd == wnd && s.tools[i].id == id)
            return static_cast<int>(i);
    return -1;
}

const TOOLINFOA* toolInfo(LPARAM lParam)
{
    auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
    return info && info->cbSize >= TTTOOLINFOA_V1_SIZE ? info : nullptr;
}

std::string toolText(const char* text)
{
    // Callback texts and string resources are not supported: no text.
    if (!text || text == reinterpret_cast<const char*>(-1) || IS_INTRESOURCE(text))
        return {};
    return text;
}

// The tool of a window under a client point of it, or -1.
int toolAt(const TooltipState& s, HWND wnd, POINT client)
{
    for (size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& t = s.tools[i];
        if (t.flags & TTF_IDISHWND) {
            if (reinterpret_cast<HWND>(t.id) == wnd)
                return static_cast<int>(i);
        } else if (t.wnd == wnd && PtInRect(&t.rect, client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void hideTip(HWND wnd, TooltipState* s)
{
    KillTimer(wnd, kShowTimer);
    s->current = -1;
    if (s->shown) {
        s->shown = false;
        ShowWindow(wnd, SW_HIDE);
    }
}

SIZE tipSize(HWND wnd, const TooltipState& s, const std::string& text)
{
    HDC dc = GetDC(wnd);
    HGDIOBJ old = SelectObject(dc, controlFont(s.font));
    RECT r{0, 0, s.maxWidth > 0 ? s.maxWidth : 32767, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX | (s.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text.c_str(), -1, &r, format);
    SelectObject(dc, old);
    ReleaseDC(wnd, dc);
    return {r.right - r.left + 2 * kPadding + 2, r.bottom - r.top + 2 * kPadding};
}

void showTip(HWND wnd, TooltipState* s)
{
    if (s->current < 0 || static_cast<size_t>(s->current) >= s->tools.size())
        return;
    const std::string& text = s->tools[static_cast<size_t>(s->current)].text;
    if (!s->active || text.empty()) {
        hideTip(wnd, s);
        return;
    }
    KillTimer(wnd, kShowTimer);
    SIZE size = tipSize(wnd, *s, text);
    SIZE screen = display().screenSize();
    int x = std::clamp(static_cast<int>(s->pointer.x), 0, std::max(0, static_cast<int>(screen.cx - size.cx)));
    int y = static_cast<int>(s->pointer.y) + kBelowPointer;
    if (y + size.cy > screen.cy)
        y = std::max(0, static_cast<int>(s->pointer.y) - size.cy - 2);
    s->shown = true;
    SetWindowPos(wnd, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(wnd, nullptr, TRUE);
}

void pointerMoved(HWND wnd, TooltipState* s, const MSG& msg)
{
    POINT client{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    int tool = toolAt(*s, msg.hwnd, client);
    s->pointer = msg.pt;
    if (tool < 0 || !s->active || s->tools[static_cast<size_t>(tool)].text.empty()) {
        hideTip(wnd, s);
        return;
    }
    if (s->shown && s->current == tool)
        return;
    if (s->shown)
        hideTip(wnd, s);
    s->current = tool;
    if (display().canWait())
        SetTimer(wnd, kShowTimer, kInitialDelay, nullptr);
    else
        showTip(wnd, s);
}

void relay(HWND wnd, TooltipState* s, const MSG& msg)
{
    switch (msg.message) {
    case WM_MOUSEMOVE: pointerMoved(wnd, s, msg); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: hideTip(wnd, s); break;
    default: break;
    }
}

void paintTip(HWND wnd, TooltipState* s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r;
    GetClientRect(wnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    if (s->current >= 0 && static_cast<size_t>(s->current) < s->tools.size()) {
        RECT text = r;
        InflateRect(&text, -kPadding - 1, -kPadding);
        HGDIOBJ old = SelectObject(dc, controlFont(s->font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        UINT format = DT_NOPREFIX | (s->maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
        DrawTextA(dc, s->tools[static_cast<size_t>(s->current)].text.c_str(), -1, &text, format);
        SelectObject(dc, old);
    }
    EndPaint(wnd, &ps);
}

LRESULT toolMessage(HWND wnd, TooltipState* s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case TTM_ACTIVATE:
        s->active = wParam != 0;
        if (!s->active)
            hideTip(wnd, s);
        return 0;
    case TTM_ADDTOOLA: {
        const TOOLINFOA* info = toolInfo(lParam);
        if (!info)
            return FALSE;
        Tool t;
        t.flags = info->uFlags;
        t.wnd = info->hwnd;
        t.id = info->uId;
        t.rect = info->rect;
        t.text = toolText(info->lpszText);
        t.param = info->lParam;
        int existing = findTool(*s, t.wnd, t.id);
        if (existing >= 0)
            s->tools[static_cast<size_t>(existing)] = t;
        else
            s->tools.push_back(t);
        return TRUE;
    }
    case TTM_DELTOOLA: {
        const TOOLINFOA* info = toolInfo(lParam);
        int i = info ? findTool(*s, info->hwnd, info->uId) : -1;
        if (i >= 0) {
            if (s->current == i)
                hideTip(wnd, s);
            else if (s->current > i)
                --s->current;
            s->tools.erase(s->tools.begin() + i);
        }
        return 0;
    }
    case TTM_NEWTOOLRECTA: {
        const TOOLINFOA* info = toolInfo(lParam);
        int i = info ? findTool(*s, info->hwnd, info->uId) : -1;
        if (i >= 0)
            s->tools[static_cast<size_t>(i)].rect = info->rect;
        return 0;
    }
    case TTM_UPDATETIPTEXTA: {
        const TOOLINFOA* info = toolInfo(lParam);
        int i = info ? findTool(*s, info->hwnd, info->uId) : -1;
        if (i < 0)
            return 0;
        s->tools[static_cast<size_t>(i)].text = toolText(info->lpszText);
        if (s->shown && s->current == i)
            showTip(wnd, s);
        return 0;
    }
    case TTM_GETTEXTA: {
        auto* info = reinterpret_cast<TOOLINFOA*>(lParam);
        int i = toolInfo(lParam) ? findTool(*s, info->hwnd, info->uId) : -1;
        if (i < 0 || !info->lpszText)
            return 0;
        size_t room = wParam ? static_cast<size_t>(wParam) : 80;  // 80: the size old callers assume
        const std::string& text = s->tools[static_cast<size_t>(i)].text;
        size_t n = std::min(text.size(), room - 1);
        std::memcpy(info->lpszText, text.data(), n);
        info->lpszText[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(s->tools.size());
    case TTM_SETMAXTIPWIDTH: {
        int old = s->maxWidth;
        s->maxWidth = static_cast<int>(lParam);
        return old;
    }
    case TTM_GETMAXTIPWIDTH: return s->maxWidth;
    case TTM_RELAYEVENT:
        if (lParam)
            relay(wnd, s, *reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_POP: hideTip(wnd, s); return 0;
    case TTM_SETDELAYTIME: return 0;
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK tooltipProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = findWindow(wnd);
    if (!w)
        return 0;
    if (msg == WM_NCCREATE) {
        // A tooltip is always a pop-up tool window, whatever it was created with.
        w->style = (w->style & ~(WS_CHILD | WS_CAPTION | WS_THICKFRAME)) | WS_POPUP;
        w->exStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
        w->control = std::make_unique<TooltipState>();
        tooltips().push_back(wnd);
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
    TooltipState* s = tooltipState(wnd);
    if (!s)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY: {
        auto& all = tooltips();
        all.erase(std::remove(all.begin(), all.end(), wnd), all.end());
        return 0;
    }
    case WM_SETFONT: s->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paintTip(wnd, s); return 0;
    case WM_TIMER:
        if (wParam == kShowTimer)
            showTip(wnd, s);
        return 0;
    default:
        if (msg >= WM_USER && msg < WM_USER + 0x100)
            return toolMessage(wnd, s, msg, wParam, lParam);
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

void relayToTooltips(const MSG& msg)
{
    for (HWND tip : std::vector<HWND>(tooltips())) {
        TooltipState* s = tooltipState(tip);
        if (!s)
            continue;
        bool subclassed = std::any_of(s->tools.begin(), s->tools.end(), [&](const Tool& t) {
            return (t.flags & TTF_SUBCLASS) &&
                   (t.wnd == msg.hwnd || ((t.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(t.id) == msg.hwnd));
        });
        if (subclassed)
            relay(tip, s, msg);
    }
}

void tooltipsPointerLeft(HWND wnd)
{
    for (HWND tip : std::vector<HWND>(tooltips())) {
        TooltipState* s = tooltipState(tip);
        if (!s || s->current < 0 || static_cast<size_t>(s->current) >= s->tools.size())
            continue;
        const Tool& t = s->tools[static_cast<size_t>(s->current)];
        HWND toolWindow = (t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.wnd;
        if (toolWindow == wnd)
            hideTip(tip, s);
    }
}

void tooltipsForgetWindow(HWND wnd)
{
    for (HWND tip : std::vector<HWND>(tooltips())) {
        TooltipState* s = tooltipState(tip);
        if (!s)
            continue;
        for (size_t i = s->tools.size(); i-- > 0;) {
            const Tool& t = s->tools[i];
            if (t.wnd == wnd || ((t.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(t.id) == wnd)) {
                if (s->current == static_cast<int>(i))
                    hideTip(tip, s);
                else if (s->current > static_cast<int>(i))
                    --s->current;
                s->tools.erase(s->tools.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
}

}  // namespace pl

BOOL PlGetTooltipState(HWND tooltip, PlTooltipState* state)
{
    pl::TooltipState* s = pl::tooltipState(tooltip);
    if (!s || !state)
        return FALSE;
    state->active = s->active;
    state->visible = s->shown && IsWindowVisible(tooltip);
    state->text.clear();
    state->toolWindow = nullptr;
    if (s->current >= 0 && static_cast<size_t>(s->current) < s->tools.size()) {
        const pl::Tool& t = s->tools[static_cast<size_t>(s->current)];
        state->text = t.text;
        state->toolWindow = (t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.wnd;
    }
    GetWindowRect(tooltip, &state->rect);
    return TRUE;
}
