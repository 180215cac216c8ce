// TrackPopupMenu: a pop-up window of class "#32768" showing the items, and
// its modal loop. Hovering highlights enabled items; a click on an enabled
// item chooses it; Up and Down move over enabled items, Return chooses,
// Escape, a click outside, a lost capture or a dry queue cancel.
#include <algorithm>
#include <string>
#include <vector>

#include "Controls.h"
#include "DisplayDriver.h"
#include "Internal.h"
#include "Menu.h"
#include "pldisplay.h"

namespace pl {

namespace {

constexpr int kFrame = 3;
constexpr int kCheckSpace = 18;
constexpr int kRightSpace = 18;
constexpr int kSeparatorHeight = 8;

struct Popup {
    HMENU handle = nullptr;
    std::vector<RECT> rects;  // client coordinates
    int hot = -1;
    HFONT font = nullptr;
};

struct TrackState {
    bool tracking = false;
    bool hasLast = false;
    PlMenuShown last;
    PlMenuShownHook hook = nullptr;
    void* hookData = nullptr;
};

TrackState& trackState()
{
    static TrackState s;
    return s;
}

std::string withoutPrefix(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

Popup* popupOf(HWND wnd)
{
    return reinterpret_cast<Popup*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

SIZE layoutItems(Popup& p, const Menu& menu)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, p.font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    int itemHeight = std::max(static_cast<int>(tm.tmHeight) + 6, 16);
    int width = 0;
    for (const MenuItem& item : menu.items) {
        SIZE ext{};
        std::string label = withoutPrefix(item.text);
        std::replace(label.begin(), label.end(), '\t', ' ');
        if (!(item.flags & MF_SEPARATOR))
            GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &ext);
        width = std::max(width, static_cast<int>(ext.cx));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    int y = kFrame;
    int right = kFrame + kCheckSpace + width + kRightSpace;
    p.rects.clear();
    for (const MenuItem& item : menu.items) {
        int h = (item.flags & MF_SEPARATOR) ? kSeparatorHeight : itemHeight;
        p.rects.push_back({kFrame, y, right, y + h});
        y += h;
    }
    return {right + kFrame, y + kFrame};
}

POINT placePopup(POINT at, SIZE size, UINT flags)
{
    if (flags & TPM_RIGHTALIGN)
        at.x -= size.cx;
    else if (flags & TPM_CENTERALIGN)
        at.x -= size.cx / 2;
    if (flags & TPM_BOTTOMALIGN)
        at.y -= size.cy;
    else if (flags & TPM_VCENTERALIGN)
        at.y -= size.cy / 2;
    SIZE screen = display().screenSize();
    at.x = std::max(0, std::min(static_cast<int>(at.x), static_cast<int>(screen.cx - size.cx)));
    at.y = std::max(0, std::min(static_cast<int>(at.y), static_cast<int>(screen.cy - size.cy)));
    return at;
}

void drawItem(HDC dc, const MenuItem& item, const RECT& r, bool hot)
{
    if (item.flags & MF_SEPARATOR) {
        int y = (r.top + r.bottom) / 2 - 1;
        RECT dark{r.left + 1, y, r.right - 1, y + 1};
        RECT light{r.left + 1, y + 1, r.right - 1, y + 2};
        FillRect(dc, &dark, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        return;
    }
    bool gray = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    FillRect(dc, &r, GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_MENU));
    std::string label = withoutPrefix(item.text);
    std::string accelerator;
    if (size_t tab = label.find('\t'); tab != std::string::npos) {
        accelerator = label.substr(tab + 1);
        label.resize(tab);
    }
    RECT text{r.left + kCheckSpace, r.top, r.right - kRightSpace, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    auto drawText = [&](RECT box, COLORREF color) {
        SetTextColor(dc, color);
        DrawTextA(dc, label.c_str(), -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        DrawTextA(dc, accelerator.c_str(), -1, &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    };
    if (gray && !hot) {
        RECT shifted = text;
        OffsetRect(&shifted, 1, 1);
        drawText(shifted, GetSysColor(COLOR_BTNHIGHLIGHT));
        drawText(text, GetSysColor(COLOR_GRAYTEXT));
    } else {
        drawText(text, GetSysColor(gray ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    int textColor = hot ? COLOR_HIGHLIGHTTEXT : gray ? COLOR_GRAYTEXT : COLOR_MENUTEXT;
    if (item.flags & MF_CHECKED) {
        // A small check mark in the space left of the text.
        int cx = r.left + kCheckSpace / 2, cy = (r.top + r.bottom) / 2;
        for (int i = 0; i < 3; ++i) {
            RECT a{cx - 3 + i, cy - 1 + i, cx - 2 + i, cy + 2 + i};
            FillRect(dc, &a, GetSysColorBrush(textColor));
        }
        for (int i = 0; i < 4; ++i) {
            RECT b{cx + i, cy + 1 - i, cx + 1 + i, cy + 4 - i};
            FillRect(dc, &b, GetSysColorBrush(textColor));
        }
    }
    if (item.flags & MF_POPUP) {
        int cx = r.right - kRightSpace / 2, cy = (r.top + r.bottom) / 2;
        for (int i = 0; i < 4; ++i) {
            RECT a{cx - 2 + i, cy - 3 + i, cx - 1 + i, cy + 4 - i};
            FillRect(dc, &a, GetSysColorBrush(textColor));
        }
    }
}

void paintPopup(HWND wnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    Popup* p = popupOf(wnd);
    Menu* menu = p ? findMenu(p->handle) : nullptr;
    RECT client;
    GetClientRect(wnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    if (menu) {
        HGDIOBJ old = SelectObject(dc, p->font);
        for (size_t i = 0; i < menu->items.size() && i < p->rects.size(); ++i)
            drawItem(dc, menu->items[i], p->rects[i], static_cast<int>(i) == p->hot);
        SelectObject(dc, old);
    }
    EndPaint(wnd, &ps);
}

int itemAt(const Popup& p, POINT client)
{
    for (size_t i = 0; i < p.rects.size(); ++i)
        if (PtInRect(&p.rects[i], client))
            return static_cast<int>(i);
    return -1;
}

void setHot(HWND wnd, Popup& p, int hot)
{
    if (p.hot == hot)
        return;
    auto invalidate = [&](int i) {
        if (i >= 0 && static_cast<size_t>(i) < p.rects.size())
            InvalidateRect(wnd, &p.rects[static_cast<size_t>(i)], FALSE);
    };
    invalidate(p.hot);
    p.hot = hot;
    invalidate(hot);
    UpdateWindow(wnd);
}

int nextChoosable(const Menu& menu, int from, int step)
{
    int n = static_cast<int>(menu.items.size());
    int i = from;
    for (int k = 0; k < n; ++k) {
        i = (i < 0) ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
        if (isChoosable(menu.items[static_cast<size_t>(i)]))
            return i;
    }
    return -1;
}

void recordShown(HMENU handle, const Menu& menu, const Popup& p, HWND popup, POINT at)
{
    TrackState& s = trackState();
    PlMenuShown shown;
    shown.menu = handle;
    shown.popup = popup;
    shown.position = at;
    GetWindowRect(popup, &shown.rect);
    POINT origin{0, 0};
    ClientToScreen(popup, &origin);
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        UINT id = (item.flags & MF_POPUP) ? static_cast<UINT>(-1) : static_cast<UINT>(item.id);
        RECT r = i < p.rects.size() ? p.rects[i] : RECT{};
        OffsetRect(&r, origin.x, origin.y);
        shown.items.push_back({id, item.text, item.flags & kMenuStateMask, r});
    }
    s.last = shown;
    s.hasLast = true;
    if (s.hook)
        s.hook(shown, s.hookData);
}

// The loop of an open menu; returns the chosen command id, 0 for none.
UINT runMenuLoop(Window* popupWindow, Popup& p, const Menu& menu, UINT flags)
{
    HWND wnd = popupWindow->handle;
    MSG msg;
    while (!popupWindow->destroyed && modalMessage(&msg, popupWindow)) {
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            int i = itemAt(p, POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
            setHot(wnd, p, i >= 0 && isChoosable(menu.items[static_cast<size_t>(i)]) ? i : -1);
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN: {
            RECT client;
            GetClientRect(wnd, &client);
            POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (!PtInRect(&client, pt))
                return 0;
            int i = itemAt(p, pt);
            setHot(wnd, p, i >= 0 && isChoosable(menu.items[static_cast<size_t>(i)]) ? i : -1);
            break;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            if (msg.message == WM_RBUTTONUP && !(flags & TPM_RIGHTBUTTON))
                break;
            int i = itemAt(p, POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
            if (i >= 0 && isChoosable(menu.items[static_cast<size_t>(i)]))
                return static_cast<UINT>(menu.items[static_cast<size_t>(i)].id);
            break;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                return 0;
            if (msg.wParam == VK_DOWN || msg.wParam == VK_UP)
                setHot(wnd, p, nextChoosable(menu, p.hot, msg.wParam == VK_DOWN ? 1 : -1));
            if (msg.wParam == VK_RETURN && p.hot >= 0)
                return static_cast<UINT>(menu.items[static_cast<size_t>(p.hot)].id);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
            break;  // the open menu owns the keyboard
        default: DispatchMessageA(&msg); break;
        }
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK menuPopupProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: paintPopup(wnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace pl

using namespace pl;

BOOL TrackPopupMenu(HMENU handle, UINT flags, int x, int y, int, HWND ownerWnd, LPCRECT)
{
    TrackState& s = trackState();
    Window* owner = findWindow(ownerWnd);
    if (!findMenu(handle) || !owner || s.tracking)
        return FALSE;
    WindowRef ownerRef(owner);
    if (!(flags & TPM_NONOTIFY)) {
        sendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
        sendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle), MAKELPARAM(0, FALSE));
    }
    Menu* menu = findMenu(handle);
    if (!menu || menu->items.empty())
        return FALSE;
    s.tracking = true;
    Popup p;
    p.handle = handle;
    p.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = layoutItems(p, *menu);
    POINT at = placePopup(POINT{x, y}, size, flags);
    HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "#32768", "", WS_POPUP, at.x, at.y, size.cx, size.cy,
                               ownerWnd, nullptr, nullptr, nullptr);
    Window* popupWindow = findWindow(wnd);
    UINT chosen = 0;
    if (popupWindow) {
        WindowRef keep(popupWindow);
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&p));
        SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(wnd);
        recordShown(handle, *menu, p, wnd, POINT{x, y});
        SetCapture(wnd);
        chosen = runMenuLoop(popupWindow, p, *menu, flags);
        if (captureWindow() == popupWindow)
            ReleaseCapture();
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        DestroyWindow(wnd);
    }
    s.tracking = false;
    if (!(flags & TPM_NONOTIFY) && !owner->destroyed)
        sendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen && !owner->destroyed)
        PostMessageA(ownerWnd, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return chosen ? TRUE : FALSE;
}

BOOL PlGetLastMenuShown(PlMenuShown* menu)
{
    TrackState& s = trackState();
    if (!menu || !s.hasLast)
        return FALSE;
    *menu = s.last;
    return TRUE;
}

void PlSetMenuShownHook(PlMenuShownHook hook, void* data)
{
    TrackState& s = trackState();
    s.hook = hook;
    s.hookData = data;
}
