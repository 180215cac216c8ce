#include "RowsWindow.h"

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
    m_hWnd = CreateWindowExA(0, kClassName, title, style, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, owner, nullptr, nullptr, this);
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
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CALLBACK RowsWindow::WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
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
    int y = kMargin;
    for (const std::string& row : m_Rows) {
        TextOutA(dc, kMargin, y, row.c_str(), static_cast<int>(row.size()));
        y += kRowHeight;
    }
    SelectObject(dc, oldFont);
    EndPaint(m_hWnd, &paint);
}
