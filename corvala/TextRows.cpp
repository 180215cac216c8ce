#include "TextRows.h"

#include <algorithm>

namespace corvala {

namespace {

HFONT GuiFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int ComputeRowHeight()
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return 13;
    HGDIOBJ old = SelectObject(dc, GuiFont());
    TEXTMETRICA metrics{};
    BOOL measured = GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    int height = measured ? int(metrics.tmHeight + metrics.tmExternalLeading) : 0;
    return height > 0 ? height + 2 : 13;
}

}  // namespace

void TextRows::KeepLast(size_t count)
{
    if (m_rows.size() <= count)
        return;
    size_t dropped = m_rows.size() - count;
    m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(dropped));
    m_first = std::max(0, m_first - int(dropped));
}

int TextRows::RowHeight()
{
    static const int height = ComputeRowHeight();
    return height;
}

int TextRows::VisibleRows(HWND wnd) const
{
    RECT client{};
    GetClientRect(wnd, &client);
    return std::max(1, int(client.bottom - client.top - 2 * kMargin) / RowHeight());
}

int TextRows::LastFirst(HWND wnd) const
{
    return std::max(0, int(m_rows.size()) - VisibleRows(wnd));
}

void TextRows::Layout(HWND wnd)
{
    m_first = std::clamp(m_first, 0, LastFirst(wnd));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, int(m_rows.size()) - 1);
    info.nPage = UINT(VisibleRows(wnd));
    info.nPos = m_first;
    SetScrollInfo(wnd, SB_VERT, &info, TRUE);
}

void TextRows::ScrollTo(HWND wnd, int first)
{
    first = std::clamp(first, 0, LastFirst(wnd));
    if (first == m_first)
        return;
    m_first = first;
    SetScrollPos(wnd, SB_VERT, m_first, TRUE);
    InvalidateRect(wnd, nullptr, TRUE);
}

void TextRows::ScrollToEnd(HWND wnd)
{
    ScrollTo(wnd, LastFirst(wnd));
}

void TextRows::OnVScroll(HWND wnd, int code)
{
    int page = VisibleRows(wnd);
    switch (code) {
    case SB_LINEUP: ScrollTo(wnd, m_first - 1); break;
    case SB_LINEDOWN: ScrollTo(wnd, m_first + 1); break;
    case SB_PAGEUP: ScrollTo(wnd, m_first - page); break;
    case SB_PAGEDOWN: ScrollTo(wnd, m_first + page); break;
    case SB_TOP: ScrollTo(wnd, 0); break;
    case SB_BOTTOM: ScrollToEnd(wnd); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(wnd, SB_VERT, &info))
            ScrollTo(wnd, info.nTrackPos);
        break;
    }
    default: break;
    }
}

void TextRows::OnWheel(HWND wnd, int delta)
{
    // One notch (120) moves three rows, as list windows do.
    ScrollTo(wnd, m_first - delta / 40);
}

void TextRows::Paint(HWND wnd) const
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(wnd, &paint);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(wnd, &client);
    FillRect(dc, &client, GetSysColorBrush(m_backgroundColor));
    HGDIOBJ oldFont = SelectObject(dc, GuiFont());
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, GetSysColor(m_backgroundColor == COLOR_WINDOW ? COLOR_WINDOWTEXT
                                                                                          : COLOR_BTNTEXT));
    int height = RowHeight();
    for (int i = m_first, y = kMargin; i < int(m_rows.size()) && y < client.bottom; ++i, y += height) {
        const std::string& row = m_rows[size_t(i)];
        TextOutA(dc, kMargin, y, row.c_str(), int(row.size()));
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    EndPaint(wnd, &paint);
}

}  // namespace corvala
