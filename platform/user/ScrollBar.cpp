// Scroll bar state: the standard bars of a window (SB_HORZ, SB_VERT) and the
// "ScrollBar" control (SB_CTL), with the native clamping and show rules.
#include <algorithm>

#include "Internal.h"
#include "ScrollBarGeometry.h"

namespace pl {

namespace {

bool isScrollBarControl(const Window* w)
{
    return w->windowClass && w->windowClass->name == "ScrollBar";
}

int maxPosition(const ScrollBarState& s)
{
    return s.max - std::max(static_cast<int>(s.page) - 1, 0);
}

DWORD styleBit(int bar)
{
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

void showBar(Window* w, int bar, bool show)
{
    DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : styleBit(bar);
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style)
        return;
    w->style = style;
    frameChanged(w);
}

}  // namespace

ScrollBarState* scrollBarOf(Window* w, int bar)
{
    if (!w)
        return nullptr;
    switch (bar) {
    case SB_HORZ: return &w->hbar;
    case SB_VERT: return &w->vbar;
    case SB_CTL: return isScrollBarControl(w) ? &w->vbar : nullptr;
    default: return nullptr;
    }
}

void redrawScrollBar(Window* w, int bar)
{
    if (!isShown(w))
        return;
    ScrollBarState* s = scrollBarOf(w, bar);
    if (bar == SB_CTL) {
        InvalidateRect(w->handle, nullptr, FALSE);
        return;
    }
    RECT r = bar == SB_VERT ? verticalBarRect(w) : horizontalBarRect(w);
    if (IsRectEmpty(&r))
        return;
    HDC dc = GetWindowDC(w->handle);
    drawScrollBar(dc, r, bar == SB_VERT, *s, isEnabled(w), -1);
    ReleaseDC(w->handle, dc);
}

}  // namespace pl

using namespace pl;

int SetScrollInfo(HWND wnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    Window* w = findWindow(wnd);
    ScrollBarState* s = scrollBarOf(w, bar);
    if (!s || !info)
        return 0;
    WindowRef ref(w);
    bool paramsChanged = false;
    if (info->fMask & SIF_PAGE) {
        paramsChanged |= s->page != info->nPage;
        s->page = info->nPage;
    }
    if (info->fMask & SIF_RANGE) {
        int lo = info->nMin, hi = info->nMax;
        if (lo > hi || static_cast<unsigned>(hi - lo) >= 0x80000000u)
            lo = hi = 0;
        paramsChanged |= s->min != lo || s->max != hi;
        s->min = lo;
        s->max = hi;
    }
    if (info->fMask & SIF_POS)
        s->pos = info->nPos;
    // The page never exceeds the range, and the position stays within
    // nMin .. nMax - max(nPage - 1, 0).
    s->page = std::min(s->page, static_cast<UINT>(s->max - s->min + 1));
    s->pos = std::clamp(s->pos, s->min, std::max(s->min, maxPosition(*s)));

    if (info->fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        const bool empty = s->min >= maxPosition(*s);
        if (empty) {
            if (info->fMask & SIF_DISABLENOSCROLL)
                s->disabledArrows = ESB_DISABLE_BOTH;
            else if (bar != SB_CTL && paramsChanged)
                showBar(w, bar, false);
        } else if (info->fMask != SIF_PAGE) {
            s->disabledArrows = ESB_ENABLE_BOTH;
            if (bar != SB_CTL && paramsChanged)
                showBar(w, bar, true);
        }
    }
    if (redraw && !w->destroyed)
        redrawScrollBar(w, bar);
    return s->pos;
}

BOOL GetScrollInfo(HWND wnd, int bar, LPSCROLLINFO info)
{
    ScrollBarState* s = scrollBarOf(findWindow(wnd), bar);
    if (!s || !info || !(info->fMask & SIF_ALL))
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = s->page;
    if (info->fMask & SIF_POS)
        info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = s->tracking ? s->trackPos : s->pos;
    return TRUE;
}

int SetScrollPos(HWND wnd, int bar, int pos, BOOL redraw)
{
    ScrollBarState* s = scrollBarOf(findWindow(wnd), bar);
    if (!s)
        return 0;
    int old = s->pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(wnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND wnd, int bar)
{
    ScrollBarState* s = scrollBarOf(findWindow(wnd), bar);
    return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND wnd, int bar, int min, int max, BOOL redraw)
{
    if (!scrollBarOf(findWindow(wnd), bar))
        return FALSE;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0};
    SetScrollInfo(wnd, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND wnd, int bar, LPINT min, LPINT max)
{
    ScrollBarState* s = scrollBarOf(findWindow(wnd), bar);
    if (!s)
        return FALSE;
    if (min)
        *min = s->min;
    if (max)
        *max = s->max;
    return TRUE;
}

BOOL ShowScrollBar(HWND wnd, int bar, BOOL show)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(wnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH)
        return FALSE;
    showBar(w, bar, show != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND wnd, UINT bar, UINT arrows)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    bool changed = false;
    for (int b : {SB_HORZ, SB_VERT, SB_CTL}) {
        if (!(static_cast<int>(bar) == b || (bar == SB_BOTH && b != SB_CTL)))
            continue;
        ScrollBarState* s = scrollBarOf(w, b);
        if (!s || s->disabledArrows == arrows)
            continue;
        s->disabledArrows = arrows;
        changed = true;
        redrawScrollBar(w, b);
    }
    return changed ? TRUE : FALSE;
}
