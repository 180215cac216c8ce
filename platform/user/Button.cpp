// The "Button" class: push buttons (BS_PUSHBUTTON, BS_DEFPUSHBUTTON). A
// press and release inside the button, the space bar or BM_CLICK send
// WM_COMMAND with BN_CLICKED to the parent.
#include "Controls.h"
#include "Internal.h"
#include "commctrl.h"

namespace pl {

namespace {

struct ButtonState : ControlState {
    HFONT font = nullptr;
    bool pressed = false;
    bool tracking = false;
    bool focused = false;
};

void setPressed(HWND wnd, ButtonState* s, bool pressed)
{
    if (s->pressed == pressed)
        return;
    s->pressed = pressed;
    InvalidateRect(wnd, nullptr, FALSE);
    UpdateWindow(wnd);
}

void notifyClicked(HWND wnd)
{
    HWND parent = GetParent(wnd);
    if (parent && IsWindowEnabled(wnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), BN_CLICKED), reinterpret_cast<LPARAM>(wnd));
}

bool pointInside(HWND wnd, LPARAM lParam)
{
    RECT client;
    GetClientRect(wnd, &client);
    return PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
}

void paintButton(HWND wnd, ButtonState* s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r;
    GetClientRect(wnd, &r);
    LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (s->pressed) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        RECT edge = r;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
    char text[256];
    GetWindowTextA(wnd, text, sizeof text);
    RECT label = r;
    if (s->pressed)
        OffsetRect(&label, 1, 1);
    HGDIOBJ oldFont = SelectObject(dc, controlFont(s->font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(wnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, text, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (s->focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    EndPaint(wnd, &ps);
}

}  // namespace

HFONT controlFont(HFONT font)
{
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool answerFontMessage(HWND wnd, HFONT& font, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_SETFONT) {
        font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(wnd, nullptr, TRUE);
        result = 0;
        return true;
    }
    if (msg == WM_GETFONT) {
        result = reinterpret_cast<LRESULT>(font);
        return true;
    }
    return false;
}

LRESULT CALLBACK buttonProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ButtonState* s = controlState<ButtonState>(wnd);
    if (!s)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    LRESULT answer = 0;
    if (answerFontMessage(wnd, s->font, msg, wParam, lParam, answer))
        return answer;
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON |
               ((GetWindowLongPtrA(wnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON
                                                                                       : DLGC_UNDEFPUSHBUTTON);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paintButton(wnd, s); return 0;
    case WM_ENABLE: InvalidateRect(wnd, nullptr, FALSE); return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(wnd, msg, wParam, lParam);
        InvalidateRect(wnd, nullptr, FALSE);
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(wnd);
        SetFocus(wnd);
        s->tracking = true;
        setPressed(wnd, s, true);
        return 0;
    case WM_MOUSEMOVE:
        if (s->tracking && GetCapture() == wnd)
            setPressed(wnd, s, pointInside(wnd, lParam));
        return 0;
    case WM_LBUTTONUP: {
        if (!s->tracking)
            return 0;
        bool clicked = s->pressed && pointInside(wnd, lParam);
        s->tracking = false;
        setPressed(wnd, s, false);
        ReleaseCapture();
        if (clicked)
            notifyClicked(wnd);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (s->tracking) {
            s->tracking = false;
            setPressed(wnd, s, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            setPressed(wnd, s, true);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && s->pressed) {
            setPressed(wnd, s, false);
            notifyClicked(wnd);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        s->focused = msg == WM_SETFOCUS;
        if (!s->focused && s->pressed && !s->tracking)
            s->pressed = false;
        InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    case BM_CLICK: notifyClicked(wnd); return 0;
    case BM_GETSTATE: return (s->pressed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: setPressed(wnd, s, wParam != 0); return 0;
    case BM_SETSTYLE: {
        LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
        SetWindowLongPtrA(wnd, GWL_STYLE, (style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK));
        if (lParam)
            InvalidateRect(wnd, nullptr, TRUE);
        return 0;
    }
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace pl
