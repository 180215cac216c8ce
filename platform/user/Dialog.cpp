// Dialogs from registered templates: the "#32770" procedure (DefDlgProcA),
// dialog units, and the dialog helpers.
#include <algorithm>
#include <cstring>
#include <string>

#include "Controls.h"
#include "Internal.h"
#include "Resources.h"
#include "commctrl.h"

namespace pl {

namespace {

struct DialogState : ControlState {
    HFONT font = nullptr;
    bool ownsFont = false;
    SIZE baseUnits{};
    HWND savedFocus = nullptr;
    INT_PTR result = 0;
    bool ended = false;

    ~DialogState() override
    {
        if (ownsFont && font)
            DeleteObject(font);
    }
};

DialogState* dialogState(HWND wnd)
{
    Window* w = findWindow(wnd);
    return w ? dynamic_cast<DialogState*>(w->control.get()) : nullptr;
}

// Base units as natively: the average width of the 52 letters, rounded,
// and the font height.
SIZE baseUnitsOf(HFONT font)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SIZE extent{};
    GetTextExtentPoint32A(dc, letters, 52, &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    return {(extent.cx + 26) / 52, tm.tmHeight};
}

RECT toPixels(SIZE base, short x, short y, short cx, short cy)
{
    int left = MulDiv(x, base.cx, 4);
    int top = MulDiv(y, base.cy, 8);
    return {left, top, left + MulDiv(cx, base.cx, 4), top + MulDiv(cy, base.cy, 8)};
}

bool isFocusable(const Window* c)
{
    return (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED);
}

bool returnsDirectly(UINT msg)
{
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case 0x0133:  // WM_CTLCOLOREDIT
    case 0x0134:  // WM_CTLCOLORLISTBOX
    case 0x0039:  // WM_COMPAREITEM
    case 0x002E:  // WM_VKEYTOITEM
    case 0x002F:  // WM_CHARTOITEM
    case 0x0037:  // WM_QUERYDRAGICON
        return true;
    default:
        return false;
    }
}

HWND defaultButtonId(HWND dialog, int* id)
{
    Window* d = findWindow(dialog);
    for (Window* c : d->children) {
        if (c->windowClass->name == "Button" && (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            *id = static_cast<int>(c->id);
            return c->handle;
        }
    }
    *id = IDOK;
    return GetDlgItem(dialog, IDOK);
}

void restoreFocus(HWND dialog, DialogState* state)
{
    Window* d = findWindow(dialog);
    Window* focus = focusWindow();
    if (focus && isDescendant(d, focus))
        return;
    if (state && state->savedFocus && IsChild(dialog, state->savedFocus)) {
        SetFocus(state->savedFocus);
        return;
    }
    if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE))
        SetFocus(first);
}

void saveFocus(HWND dialog, DialogState* state)
{
    Window* focus = focusWindow();
    if (state && focus && isDescendant(findWindow(dialog), focus))
        state->savedFocus = focus->handle;
}

LRESULT eraseDialog(HWND wnd, HDC dc)
{
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(wnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd)));
    if (!brush)
        brush = GetSysColorBrush(COLOR_BTNFACE);
    RECT area;
    GetClipBox(dc, &area);
    FillRect(dc, &area, brush);
    return 1;
}

LRESULT dialogDefaults(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DialogState* state = dialogState(wnd);
    switch (msg) {
    case WM_ERASEBKGND: return eraseDialog(wnd, reinterpret_cast<HDC>(wParam));
    case WM_SETFONT:
        if (state)
            state->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT: return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    case WM_CLOSE:
        PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(wnd, IDCANCEL)));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            saveFocus(wnd, state);
        else
            restoreFocus(wnd, state);
        return 0;
    case WM_SETFOCUS: restoreFocus(wnd, state); return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            saveFocus(wnd, state);
        return DefWindowProcA(wnd, msg, wParam, lParam);
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

void abandon(HWND dialog)
{
    if (IsWindow(dialog))
        DestroyWindow(dialog);
}

bool createItems(HWND dialog, const DialogResource& t, SIZE base, HFONT font, HINSTANCE instance)
{
    for (const DialogItemResource& item : t.items) {
        RECT r = toPixels(base, item.x, item.y, item.cx, item.cy);
        HWND control = CreateWindowExA(item.exStyle, item.className.c_str(), item.text.c_str(),
                                       item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                       dialog, reinterpret_cast<HMENU>(static_cast<intptr_t>(item.id)), instance,
                                       nullptr);
        if (!control || !IsWindow(dialog))
            return false;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

}  // namespace

}  // namespace pl

using namespace pl;

LRESULT DefDlgProcA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = findWindow(wnd);
    if (!w)
        return 0;
    WindowRef ref(w);
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(wnd, DWLP_DLGPROC));
    SetWindowLongPtrA(wnd, DWLP_MSGRESULT, 0);
    INT_PTR handled = proc ? proc(wnd, msg, wParam, lParam) : 0;
    if (w->destroyed)
        return handled;
    if (handled)
        return returnsDirectly(msg) ? handled : GetWindowLongPtrA(wnd, DWLP_MSGRESULT);
    return dialogDefaults(wnd, msg, wParam, lParam);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param)
{
    const DialogResource* found = findDialogResource(instance, templateName);
    if (!found || (parent && !IsWindow(parent)))
        return nullptr;
    const DialogResource t = *found;  // a copy: the registry may change while the dialog initialises
    auto state = std::make_unique<DialogState>();
    if ((t.style & DS_SETFONT) && !t.fontFace.empty()) {
        state->font = CreateFontA(-MulDiv(t.fontSize, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                  0, t.fontFace.c_str());
        state->ownsFont = state->font != nullptr;
    }
    if (!state->font)
        state->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    state->baseUnits = baseUnitsOf(state->font);
    const SIZE base = state->baseUnits;
    const HFONT font = state->font;

    RECT r = toPixels(base, t.x, t.y, t.cx, t.cy);
    const DWORD style = t.style & ~WS_VISIBLE;
    AdjustWindowRectEx(&r, style, FALSE, t.exStyle);
    if (!(style & WS_CHILD)) {
        if (style & DS_CENTER) {
            int w = r.right - r.left, h = r.bottom - r.top;
            r.left = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
            r.top = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
            r.right = r.left + w;
            r.bottom = r.top + h;
        } else if (parent && !(style & DS_ABSALIGN)) {
            POINT origin{0, 0};
            ClientToScreen(parent, &origin);
            OffsetRect(&r, origin.x, origin.y);
        }
    }
    HWND dialog = CreateWindowExA(t.exStyle, "#32770", t.caption.c_str(), style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, parent, nullptr, instance, nullptr);
    Window* w = findWindow(dialog);
    if (!w)
        return nullptr;
    w->control = std::move(state);
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (t.style & DS_SETFONT)
        SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dialog) || !createItems(dialog, t, base, font, instance)) {
        abandon(dialog);
        return nullptr;
    }
    HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param) && IsWindow(dialog) && focus &&
        IsWindow(focus))
        SetFocus(focus);
    if (!IsWindow(dialog))
        return nullptr;
    if ((t.style & WS_VISIBLE) && !(GetWindowLongPtrA(dialog, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    DialogState* state = dialogState(dialog);
    if (!state)
        return FALSE;
    state->result = result;
    state->ended = true;
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

LONG GetDialogBaseUnits(void)
{
    static SIZE base = baseUnitsOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return MAKELONG(base.cx, base.cy);
}

BOOL MapDialogRect(HWND dialog, LPRECT rect)
{
    DialogState* state = dialogState(dialog);
    if (!state || !rect)
        return FALSE;
    SIZE base = state->baseUnits;
    rect->left = MulDiv(rect->left, base.cx, 4);
    rect->right = MulDiv(rect->right, base.cx, 4);
    rect->top = MulDiv(rect->top, base.cy, 8);
    rect->bottom = MulDiv(rect->bottom, base.cy, 8);
    return TRUE;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextA(item, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size)
{
    if (text && size > 0)
        text[0] = 0;
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(GetWindowTextA(item, text, size)) : 0;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, msg, wParam, lParam) : 0;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    Window* d = findWindow(dialog);
    if (!d)
        return nullptr;
    std::vector<Window*> order = d->children;
    if (previous)
        std::reverse(order.begin(), order.end());
    auto start = std::find_if(order.begin(), order.end(), [control](Window* c) { return c->handle == control; });
    size_t n = order.size();
    size_t from = start == order.end() ? n - 1 : static_cast<size_t>(start - order.begin());
    for (size_t k = 1; k <= n; ++k) {
        Window* c = order[(from + k) % n];
        if (isFocusable(c))
            return c->handle;
    }
    return nullptr;
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg)
{
    if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
        return FALSE;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
            switch (msg->wParam) {
            case VK_ESCAPE:
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
                return TRUE;
            case VK_RETURN: {
                int id = IDOK;
                HWND button = defaultButtonId(dialog, &id);
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
                return TRUE;
            }
            case VK_TAB:
                if (!(code & DLGC_WANTTAB)) {
                    if (HWND next = GetNextDlgTabItem(dialog, msg->hwnd, GetKeyState(VK_SHIFT) < 0))
                        SetFocus(next);
                    return TRUE;
                }
                break;
            default: break;
            }
        }
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
