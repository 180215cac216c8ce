#include "RowsWindow.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kClassName = "OvintaHostRows";

bool RegisterRowsClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = procedure;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != FALSE;
    }();
    return registered;
}

}  // namespace

RowsWindow::~RowsWindow()
{
    Destroy();
}

BOOL RowsWindow::Create(const char* title, DWORD style, const RECT& rect, HWND owner)
{
    if (!RegisterRowsClass(&RowsWindow::WindowProc))
        return FALSE;
    m_nTop = 0;
    m_hWnd = CreateWindowExA(0, kClassName, title, style | WS_VSCROLL, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, owner, nullptr, nullptr, this);
    if (m_hWnd)
        UpdateBar();
    return m_hWnd != nullptr;
}

void RowsWindow::Destroy()
{
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void RowsWindow::SetRows(std::vector<std::string> rows)
{
    if (rows == m_Rows)
        return;
    m_Rows = std::move(rows);
    if (m_hWnd) {
        UpdateBar();
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

int RowsWindow::ContentHeight() const
{
    return 2 * kMargin + static_cast<int>(m_Rows.size()) * kRowHeight;
}

int RowsWindow::ClientHeight() const
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    return client.bottom - client.top;
}

void RowsWindow::UpdateBar()
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = ContentHeight() - 1;
    info.nPage = static_cast<UINT>(std::max(ClientHeight(), 0));
    SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    // The bar may have come or gone and changed the client height; the rows
    // then scroll no further than the last one in view.
    ScrollTo(m_nTop);
}

void RowsWindow::ScrollTo(int top)
{
    int last = std::max(ContentHeight() - ClientHeight(), 0);
    top = std::clamp(top, 0, last);
    SetScrollPos(m_hWnd, SB_VERT, top, TRUE);
    if (top == m_nTop)
        return;
    m_nTop = top;
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void RowsWindow::OnScrollCode(UINT code)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(m_hWnd, SB_VERT, &info);
    int page = std::max(ClientHeight() - kRowHeight, kRowHeight);
    switch (code) {
    case SB_LINEUP: ScrollTo(m_nTop - kRowHeight); break;
    case SB_LINEDOWN: ScrollTo(m_nTop + kRowHeight); break;
    case SB_PAGEUP: ScrollTo(m_nTop - page); break;
    case SB_PAGEDOWN: ScrollTo(m_nTop + page); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(ContentHeight()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    default: break;
    }
}

bool RowsWindow::OnScrollKey(UINT key)
{
    static const std::pair<UINT, UINT> kCodes[] = {{VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN},
                                                   {VK_PRIOR, SB_PAGEUP},  {VK_NEXT, SB_PAGEDOWN},
                                                   {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM}};
    for (const auto& [vk, code] : kCodes) {
        if (vk == key) {
            OnScrollCode(code);
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK RowsWindow::WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        // Known from here on: WM_SIZE comes before CreateWindowExA returns.
        reinterpret_cast<RowsWindow*>(create->lpCreateParams)->m_hWnd = wnd;
    }
    auto* self = reinterpret_cast<RowsWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(wnd, message, wParam, lParam);
    LRESULT result = 0;
    if (self->m_pfnHandler && self->m_pfnHandler(self->m_pContext, wnd, message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_PAINT:
        self->Paint();
        return 0;
    case WM_SIZE:
        self->UpdateBar();
        return 0;
    case WM_VSCROLL:
        self->OnScrollCode(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL: {
        // The desktop's usual three rows a notch.
        int rows = MulDiv(-GET_WHEEL_DELTA_WPARAM(wParam), 3, WHEEL_DELTA);
        self->ScrollTo(self->m_nTop + rows * kRowHeight);
        return 0;
    }
    case WM_KEYDOWN:
        if (self->OnScrollKey(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_NCDESTROY:
        self->m_hWnd = nullptr;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

void RowsWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    // Only the rows that meet the part to paint.
    int first = std::max((static_cast<int>(paint.rcPaint.top) + m_nTop - kMargin) / kRowHeight, 0);
    for (size_t i = static_cast<size_t>(first); i < m_Rows.size(); ++i) {
        int y = kMargin + static_cast<int>(i) * kRowHeight - m_nTop;
        if (y >= paint.rcPaint.bottom)
            break;
        TextOutA(dc, kMargin, y, m_Rows[i].c_str(), static_cast<int>(m_Rows[i].size()));
    }
    SelectObject(dc, oldFont);
    EndPaint(m_hWnd, &paint);
}
