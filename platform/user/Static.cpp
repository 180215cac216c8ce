// The "Static" class: a text label. Transparent to the mouse unless
// SS_NOTIFY, coloured through WM_CTLCOLORSTATIC from its parent.
#include "Controls.h"
#include "Internal.h"
#include "commctrl.h"

namespace pl {

namespace {

struct StaticState : ControlState {
    HFONT font = nullptr;
};

void paintStatic(HWND wnd, StaticState* s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r;
    GetClientRect(wnd, &r);
    HWND parent = GetParent(wnd);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    auto brush = reinterpret_cast<HBRUSH>(
        parent ? SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd))
               : 0);
    if (!brush)
        brush = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &r, brush);
    LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        format |= DT_CENTER;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        format |= DT_RIGHT;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (!IsWindowEnabled(wnd))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    char text[1024];
    GetWindowTextA(wnd, text, sizeof text);
    HGDIOBJ oldFont = SelectObject(dc, controlFont(s->font));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &r, format);
    SelectObject(dc, oldFont);
    EndPaint(wnd, &ps);
}

}  // namespace

LRESULT CALLBACK staticProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    StaticState* s = controlState<StaticState>(wnd);
    if (!s)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    LRESULT answer = 0;
    if (answerFontMessage(wnd, s->font, msg, wParam, lParam, answer))
        return answer;
    switch (msg) {
    case WM_NCHITTEST:
        if (!(GetWindowLongPtrA(wnd, GWL_STYLE) & SS_NOTIFY))
            return HTTRANSPARENT;
        return DefWindowProcA(wnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paintStatic(wnd, s); return 0;
    case WM_ENABLE: InvalidateRect(wnd, nullptr, FALSE); return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(wnd, msg, wParam, lParam);
        InvalidateRect(wnd, nullptr, TRUE);
        return r;
    }
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace pl
