// "SysTabControl32": one row of classic tabs above a raised panel. A click
// on another tab sends WM_NOTIFY TCN_SELCHANGING to the parent (a nonzero
// answer keeps the selection) and then TCN_SELCHANGE.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Controls.h"
#include "Internal.h"
#include "commctrl.h"

namespace pl {

namespace {

constexpr int kTabPadding = 6;
constexpr int kRowTop = 2;
constexpr int kPanelMargin = 4;

struct TabItem {
    std::string text;
    LPARAM param = 0;
    int image = -1;
    DWORD state = 0;
};

struct TabState : ControlState {
    std::vector<TabItem> items;
    int current = -1;
    int focus = -1;
    HFONT font = nullptr;
};

struct TabMetrics {
    int rowHeight = 0;
    std::vector<RECT> tabs;
};

TabMetrics measure(HWND wnd, const TabState& s)
{
    TabMetrics m;
    HDC dc = GetDC(wnd);
    HGDIOBJ old = SelectObject(dc, controlFont(s.font));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    m.rowHeight = kRowTop + tm.tmHeight + 6;
    int x = kRowTop;
    for (const TabItem& item : s.items) {
        SIZE ext{};
        GetTextExtentPoint32A(dc, item.text.c_str(), static_cast<int>(item.text.size()), &ext);
        int width = std::max(static_cast<int>(ext.cx) + 2 * kTabPadding, 2 * kTabPadding);
        m.tabs.push_back({x, kRowTop, x + width, m.rowHeight});
        x += width;
    }
    SelectObject(dc, old);
    ReleaseDC(wnd, dc);
    return m;
}

void fill(HDC dc, int left, int top, int right, int bottom, int color)
{
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, GetSysColorBrush(color));
}

void drawTab(HDC dc, RECT r, const TabItem& item, bool selected, HFONT font)
{
    if (selected) {
        r.left -= 2;
        r.right += 2;
        r.top -= 2;
        r.bottom += 1;
    }
    fill(dc, r.left, r.top, r.right, r.bottom, COLOR_BTNFACE);
    fill(dc, r.left, r.top + 2, r.left + 1, r.bottom, COLOR_BTNHIGHLIGHT);
    fill(dc, r.left + 1, r.top + 1, r.left + 2, r.top + 2, COLOR_BTNHIGHLIGHT);
    fill(dc, r.left + 2, r.top, r.right - 2, r.top + 1, COLOR_BTNHIGHLIGHT);
    fill(dc, r.right - 2, r.top + 1, r.right - 1, r.bottom, COLOR_BTNSHADOW);
    fill(dc, r.right - 1, r.top + 2, r.right, r.bottom, COLOR_3DDKSHADOW);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = r;
    DrawTextA(dc, item.text.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
}

void paintTabs(HWND wnd, const TabState& s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT client;
    GetClientRect(wnd, &client);
    TabMetrics m = measure(wnd, s);
    fill(dc, client.left, client.top, client.right, client.bottom, COLOR_BTNFACE);
    RECT panel{client.left, m.rowHeight, client.right, client.bottom};
    DrawEdge(dc, &panel, EDGE_RAISED, BF_RECT);
    HFONT font = controlFont(s.font);
    for (size_t i = 0; i < s.items.size(); ++i)
        if (static_cast<int>(i) != s.current)
            drawTab(dc, m.tabs[i], s.items[i], false, font);
    if (s.current >= 0 && static_cast<size_t>(s.current) < s.items.size())
        drawTab(dc, m.tabs[static_cast<size_t>(s.current)], s.items[static_cast<size_t>(s.current)], true, font);
    EndPaint(wnd, &ps);
}

int hitTab(HWND wnd, const TabState& s, POINT p)
{
    TabMetrics m = measure(wnd, s);
    for (size_t i = 0; i < m.tabs.size(); ++i)
        if (PtInRect(&m.tabs[i], p))
            return static_cast<int>(i);
    return -1;
}

LRESULT notifyParent(HWND wnd, UINT code)
{
    HWND parent = GetParent(wnd);
    if (!parent)
        return 0;
    NMHDR nm{wnd, static_cast<UINT_PTR>(GetDlgCtrlID(wnd)), code};
    return SendMessageA(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

// A user's choice of tab: asks the parent first, as natively.
void chooseTab(HWND wnd, TabState* s, int index)
{
    if (index < 0 || index == s->current || static_cast<size_t>(index) >= s->items.size())
        return;
    if (notifyParent(wnd, TCN_SELCHANGING))
        return;
    s = controlState<TabState>(wnd);
    if (!s || static_cast<size_t>(index) >= s->items.size())
        return;
    s->current = index;
    s->focus = index;
    InvalidateRect(wnd, nullptr, TRUE);
    notifyParent(wnd, TCN_SELCHANGE);
}

void readItem(TabItem* item, const TCITEMA* in)
{
    if (in->mask & TCIF_TEXT)
        item->text = in->pszText && !IS_INTRESOURCE(in->pszText) ? in->pszText : "";
    if (in->mask & TCIF_PARAM)
        item->param = in->lParam;
    if (in->mask & TCIF_IMAGE)
        item->image = in->iImage;
    if (in->mask & TCIF_STATE)
        item->state = (item->state & ~in->dwStateMask) | (in->dwState & in->dwStateMask);
}

void writeItem(const TabItem& item, TCITEMA* out)
{
    if ((out->mask & TCIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        size_t n = std::min(item.text.size(), static_cast<size_t>(out->cchTextMax - 1));
        std::memcpy(out->pszText, item.text.data(), n);
        out->pszText[n] = 0;
    }
    if (out->mask & TCIF_PARAM)
        out->lParam = item.param;
    if (out->mask & TCIF_IMAGE)
        out->iImage = item.image;
    if (out->mask & TCIF_STATE)
        out->dwState = item.state & out->dwStateMask;
}

// TCM_ADJUSTRECT: between the window rectangle and the display area below
// the tabs.
void adjustRect(HWND wnd, const TabState& s, bool larger, RECT* r)
{
    int top = measure(wnd, s).rowHeight + 2;
    if (larger) {
        r->left -= kPanelMargin;
        r->right += kPanelMargin;
        r->top -= top;
        r->bottom += kPanelMargin;
    } else {
        r->left += kPanelMargin;
        r->right -= kPanelMargin;
        r->top += top;
        r->bottom -= kPanelMargin;
    }
}

LRESULT tabMessage(HWND wnd, TabState* s, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int count = static_cast<int>(s->items.size());
    const int index = static_cast<int>(wParam);
    switch (msg) {
    case TCM_GETITEMCOUNT: return count;
    case TCM_INSERTITEMA: {
        if (!lParam)
            return -1;
        TabItem item;
        readItem(&item, reinterpret_cast<const TCITEMA*>(lParam));
        int at = std::clamp(index, 0, count);
        s->items.insert(s->items.begin() + at, item);
        if (s->current < 0)
            s->current = 0;
        else if (at <= s->current)
            ++s->current;
        InvalidateRect(wnd, nullptr, TRUE);
        return at;
    }
    case TCM_SETITEMA:
        if (index < 0 || index >= count || !lParam)
            return FALSE;
        readItem(&s->items[static_cast<size_t>(index)], reinterpret_cast<const TCITEMA*>(lParam));
        InvalidateRect(wnd, nullptr, TRUE);
        return TRUE;
    case TCM_GETITEMA:
        if (index < 0 || index >= count || !lParam)
            return FALSE;
        writeItem(s->items[static_cast<size_t>(index)], reinterpret_cast<TCITEMA*>(lParam));
        return TRUE;
    case TCM_DELETEITEM:
        if (index < 0 || index >= count)
            return FALSE;
        s->items.erase(s->items.begin() + index);
        if (s->current == index)
            s->current = -1;
        else if (s->current > index)
            --s->current;
        InvalidateRect(wnd, nullptr, TRUE);
        return TRUE;
    case TCM_DELETEALLITEMS:
        s->items.clear();
        s->current = s->focus = -1;
        InvalidateRect(wnd, nullptr, TRUE);
        return TRUE;
    case TCM_GETITEMRECT: {
        if (index < 0 || index >= count || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = measure(wnd, *s).tabs[static_cast<size_t>(index)];
        return TRUE;
    }
    case TCM_GETCURSEL: return s->current;
    case TCM_SETCURSEL: {
        if (index < 0 || index >= count)
            return -1;
        int old = s->current;
        s->current = s->focus = index;
        InvalidateRect(wnd, nullptr, TRUE);
        return old;
    }
    case TCM_GETCURFOCUS: return s->focus >= 0 ? s->focus : s->current;
    case TCM_SETCURFOCUS:
        if (index >= 0 && index < count)
            s->focus = index;
        return 0;
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        int hit = hitTab(wnd, *s, info->pt);
        info->flags = hit < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
        return hit;
    }
    case TCM_ADJUSTRECT:
        if (lParam)
            adjustRect(wnd, *s, wParam != 0, reinterpret_cast<RECT*>(lParam));
        return 0;
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK tabControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TabState* s = controlState<TabState>(wnd);
    if (!s)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    LRESULT answer = 0;
    if (answerFontMessage(wnd, s->font, msg, wParam, lParam, answer))
        return answer;
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paintTabs(wnd, *s); return 0;
    case WM_SIZE: InvalidateRect(wnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
        int hit = hitTab(wnd, *s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (!(GetWindowLongPtrA(wnd, GWL_STYLE) & TCS_FOCUSNEVER))
            SetFocus(wnd);
        if ((s = controlState<TabState>(wnd)) != nullptr)
            chooseTab(wnd, s, hit);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_LEFT)
            chooseTab(wnd, s, s->current - 1);
        else if (wParam == VK_RIGHT)
            chooseTab(wnd, s, s->current + 1);
        return 0;
    default:
        if (msg >= TCM_FIRST && msg < TCM_FIRST + 0x100)
            return tabMessage(wnd, s, msg, wParam, lParam);
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace pl
