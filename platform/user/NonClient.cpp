// The non-client area DefWindowProc gives a window: frame, caption, edges and
// the standard scroll bars. Top-level windows that the desktop's window
// manager frames have no frame or caption of their own.
#include <algorithm>

#include "Internal.h"

namespace pl {

namespace {

struct Frame {
    int border = 0;   // 1 thin, 3 dialog frame, 4 sizing frame
    int caption = 0;  // caption height
    int edge = 0;     // client and static edges
};

Frame frameOf(const Window* w)
{
    Frame f;
    if (!isDecorated(w)) {
        if (w->style & WS_THICKFRAME)
            f.border = 4;
        else if ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME))
            f.border = 3;
        else if (w->style & WS_BORDER)
            f.border = 1;
        if ((w->style & WS_CAPTION) == WS_CAPTION)
            f.caption = GetSystemMetrics(SM_CYCAPTION) - 1;
    }
    if (w->exStyle & WS_EX_CLIENTEDGE)
        f.edge += 2;
    if (w->exStyle & WS_EX_STATICEDGE)
        f.edge += 1;
    return f;
}

RECT toWindowCoords(const Window* w, RECT r)
{
    OffsetRect(&r, -w->rect.left, -w->rect.top);
    return r;
}

void fillFrameRing(HDC dc, RECT r, int width, int color)
{
    for (int i = 0; i < width; ++i) {
        FrameRect(dc, &r, GetSysColorBrush(color));
        InflateRect(&r, -1, -1);
    }
}

void paintBorder(HDC dc, RECT& r, const Frame& f)
{
    if (f.border == 1) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    } else if (f.border > 1) {
        RECT edge = r;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
        RECT inner = r;
        InflateRect(&inner, -2, -2);
        fillFrameRing(dc, inner, f.border - 2, COLOR_BTNFACE);
    }
    InflateRect(&r, -f.border, -f.border);
}

void paintCaption(HDC dc, RECT& r, const Window* w, int height)
{
    if (height <= 0)
        return;
    RECT bar{r.left, r.top, r.right, r.top + height};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT text = bar;
    text.left += 4;
    DrawTextA(dc, w->text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    r.top += height;
}

void paintEdges(HDC dc, RECT r, const Window* w)
{
    if (w->exStyle & WS_EX_CLIENTEDGE) {
        RECT edge = r;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        InflateRect(&r, -2, -2);
    }
    if (w->exStyle & WS_EX_STATICEDGE) {
        RECT edge = r;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
}

}  // namespace

RECT defaultClientRect(const Window* w, const RECT& windowRect)
{
    Frame f = frameOf(w);
    RECT c = windowRect;
    int inset = f.border + f.edge;
    c.left += inset;
    c.right -= inset;
    c.top += inset + f.caption;
    c.bottom -= inset;
    if ((w->style & WS_VSCROLL) && c.right - c.left >= GetSystemMetrics(SM_CXVSCROLL))
        c.right -= GetSystemMetrics(SM_CXVSCROLL);
    if ((w->style & WS_HSCROLL) && c.bottom - c.top >= GetSystemMetrics(SM_CYHSCROLL))
        c.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

LRESULT defNcCalcSize(Window* w, WPARAM calcValidRects, LPARAM lParam)
{
    if (!lParam)
        return 0;
    if (calcValidRects) {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        params->rgrc[0] = defaultClientRect(w, params->rgrc[0]);
    } else {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        *rect = defaultClientRect(w, *rect);
    }
    return 0;
}

RECT verticalBarRect(const Window* w)
{
    if (!(w->style & WS_VSCROLL))
        return {};
    RECT c = toWindowCoords(w, w->client);
    RECT bar{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
    if (bar.right > w->rect.right - w->rect.left)
        return {};
    return bar;
}

RECT horizontalBarRect(const Window* w)
{
    if (!(w->style & WS_HSCROLL))
        return {};
    RECT c = toWindowCoords(w, w->client);
    RECT bar{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    if (bar.bottom > w->rect.bottom - w->rect.top)
        return {};
    return bar;
}

LRESULT defNcHitTest(Window* w, POINT screen)
{
    RECT wr = windowScreenRect(w);
    if (!PtInRect(&wr, screen))
        return HTNOWHERE;
    RECT cr = clientScreenRect(w);
    if (PtInRect(&cr, screen))
        return HTCLIENT;
    POINT p{screen.x - wr.left, screen.y - wr.top};
    RECT vbar = verticalBarRect(w);
    if (PtInRect(&vbar, p))
        return HTVSCROLL;
    RECT hbar = horizontalBarRect(w);
    if (PtInRect(&hbar, p))
        return HTHSCROLL;
    Frame f = frameOf(w);
    int width = wr.right - wr.left;
    int height = wr.bottom - wr.top;
    if (f.caption && p.y >= f.border && p.y < f.border + f.caption && p.x >= f.border && p.x < width - f.border)
        return HTCAPTION;
    if ((w->style & WS_THICKFRAME) && f.border) {
        bool left = p.x < f.border, right = p.x >= width - f.border;
        bool top = p.y < f.border, bottom = p.y >= height - f.border;
        if (top)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }
    if (!IsRectEmpty(&vbar) && !IsRectEmpty(&hbar) && p.x >= vbar.left && p.y >= hbar.top)
        return HTGROWBOX;
    return HTBORDER;
}

void defNcPaint(Window* w)
{
    HDC dc = GetWindowDC(w->handle);
    if (!dc)
        return;
    Frame f = frameOf(w);
    RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    paintBorder(dc, r, f);
    paintCaption(dc, r, w, f.caption);
    paintEdges(dc, r, w);
    bool enabled = isEnabled(w);
    RECT vbar = verticalBarRect(w);
    if (!IsRectEmpty(&vbar))
        drawScrollBar(dc, vbar, true, w->vbar, enabled, -1);
    RECT hbar = horizontalBarRect(w);
    if (!IsRectEmpty(&hbar))
        drawScrollBar(dc, hbar, false, w->hbar, enabled, -1);
    if (!IsRectEmpty(&vbar) && !IsRectEmpty(&hbar)) {
        RECT box{vbar.left, hbar.top, vbar.right, hbar.bottom};
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(w->handle, dc);
}

}  // namespace pl
