#include "ColorPicker.h"

#include <cstring>

#include "HostWindows.h"
#include "commctrl.h"
#include "pldisplay.h"

namespace corvala {

namespace {

const char* const kClassName = "CorvalaColorPicker";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr int kMargin = 8;
constexpr int kCellWidth = 24;
constexpr int kCellHeight = 20;
constexpr int kRows = ColorPicker::kSwatchCount / ColorPicker::kColumns;
constexpr int kGridWidth = ColorPicker::kColumns * kCellWidth;
constexpr int kGridHeight = kRows * kCellHeight;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonTop = kMargin + kGridHeight + 10;
constexpr int kClientWidth = kGridWidth + 2 * kMargin;
constexpr int kClientHeight = kButtonTop + kButtonHeight + kMargin;

// The basic colours, row by row: light, pure, dark and darker tones, then
// the greys.
const COLORREF kSwatches[ColorPicker::kSwatchCount] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(32, 32, 32),    RGB(255, 255, 255),
};

POINT CenteredOn(HWND owner, SIZE size)
{
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner)
        GetWindowRect(owner, &area);
    return {area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
}

bool IsSelfOrChild(HWND wnd, HWND candidate)
{
    return candidate == wnd || IsChild(wnd, candidate);
}

}  // namespace

ColorPicker::ColorPicker(HWND owner, COLORREF initial) : m_owner(owner), m_initial(initial)
{
    for (int i = 0; i < kSwatchCount; ++i)
        if (kSwatches[i] == initial) {
            m_selected = i;
            break;
        }
    if (!RegisterHostClass(kClassName, Proc, COLOR_BTNFACE))
        return;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    POINT at = CenteredOn(owner, size);
    CreateWindowExA(kExStyle, kClassName, "Color", kStyle, at.x, at.y, size.cx, size.cy, owner, nullptr,
                    LibraryInstance(), this);
    if (m_wnd)
        CreateButtons();
}

ColorPicker::~ColorPicker()
{
    if (m_wnd)
        DestroyWindow(m_wnd);
}

COLORREF ColorPicker::SwatchColor(int index)
{
    return index >= 0 && index < kSwatchCount ? kSwatches[index] : CLR_INVALID;
}

RECT ColorPicker::SwatchRect(int index)
{
    int left = kMargin + (index % kColumns) * kCellWidth;
    int top = kMargin + (index / kColumns) * kCellHeight;
    return {left, top, left + kCellWidth, top + kCellHeight};
}

RECT ColorPicker::ButtonRect(int id)
{
    int right = kClientWidth - kMargin;
    if (id == IDOK)
        right -= kButtonWidth + kButtonGap;
    return {right - kButtonWidth, kButtonTop, right, kButtonTop + kButtonHeight};
}

void ColorPicker::CreateButtons()
{
    struct ButtonLayout {
        int id;
        const char* text;
        DWORD style;
    };
    const ButtonLayout buttons[] = {{IDOK, "OK", BS_DEFPUSHBUTTON}, {IDCANCEL, "Cancel", BS_PUSHBUTTON}};
    for (const ButtonLayout& button : buttons) {
        RECT r = ButtonRect(button.id);
        CreateWindowExA(0, WC_BUTTONA, button.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | button.style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, m_wnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), LibraryInstance(), nullptr);
    }
}

std::optional<COLORREF> ColorPicker::Run()
{
    if (!m_wnd)
        return std::nullopt;
    bool disableOwner = m_owner && IsWindowEnabled(m_owner);
    if (disableOwner)
        EnableWindow(m_owner, FALSE);
    ShowWindow(m_wnd, SW_SHOW);
    SetActiveWindow(m_wnd);
    SetFocus(m_wnd);

    m_done = m_accepted = false;
    MSG msg{};
    while (!m_done && m_wnd) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // A real quit belongs to the loop outside; the headless display's
            // dry-queue quit is not kept.
            if (std::strcmp(PlDisplayName(), "headless") != 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (HandleKey(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    if (disableOwner)
        EnableWindow(m_owner, TRUE);
    if (m_wnd)
        ShowWindow(m_wnd, SW_HIDE);
    if (m_owner && IsWindow(m_owner))
        SetActiveWindow(m_owner);
    if (!m_accepted)
        return std::nullopt;
    return m_selected >= 0 ? kSwatches[m_selected] : m_initial;
}

// Keys reach the focus window, which may be one of the buttons: the picker
// answers them for its whole tree, as a dialog does.
bool ColorPicker::HandleKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !IsSelfOrChild(m_wnd, msg.hwnd))
        return false;
    switch (msg.wParam) {
    case VK_ESCAPE: Finish(false); return true;
    case VK_RETURN: Finish(true); return true;
    case VK_LEFT: MoveSelection(-1, 0); return true;
    case VK_RIGHT: MoveSelection(1, 0); return true;
    case VK_UP: MoveSelection(0, -1); return true;
    case VK_DOWN: MoveSelection(0, 1); return true;
    default: return false;
    }
}

void ColorPicker::Finish(bool accepted)
{
    m_accepted = accepted;
    m_done = true;
}

void ColorPicker::Select(int index)
{
    if (index == m_selected)
        return;
    if (m_selected >= 0) {
        RECT old = SwatchRect(m_selected);
        InvalidateRect(m_wnd, &old, TRUE);
    }
    m_selected = index;
    RECT now = SwatchRect(index);
    InvalidateRect(m_wnd, &now, TRUE);
}

void ColorPicker::MoveSelection(int dx, int dy)
{
    if (m_selected < 0) {
        Select(0);
        return;
    }
    int column = (m_selected % kColumns + dx + kColumns) % kColumns;
    int row = (m_selected / kColumns + dy + kRows) % kRows;
    Select(row * kColumns + column);
}

int ColorPicker::HitSwatch(POINT point)
{
    for (int i = 0; i < kSwatchCount; ++i) {
        RECT r = SwatchRect(i);
        if (PtInRect(&r, point))
            return i;
    }
    return -1;
}

void ColorPicker::Paint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_wnd, &paint);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(m_wnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < kSwatchCount; ++i) {
        RECT cell = SwatchRect(i);
        if (i == m_selected) {
            FrameRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&cell, -1, -1);
            FrameRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&cell, 1, 1);
        }
        RECT swatch = cell;
        InflateRect(&swatch, -3, -3);
        DrawEdge(dc, &swatch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        HBRUSH brush = CreateSolidBrush(kSwatches[i]);
        FillRect(dc, &swatch, brush);
        DeleteObject(brush);
    }
    EndPaint(m_wnd, &paint);
}

LRESULT ColorPicker::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: return 1;  // the paint fills the whole client area
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        int hit = HitSwatch({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (hit >= 0) {
            Select(hit);
            if (msg == WM_LBUTTONDBLCLK)
                Finish(true);
        }
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            Finish(LOWORD(wParam) == IDOK);
        return 0;
    case WM_CLOSE: Finish(false); return 0;
    default: return DefWindowProcA(m_wnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK ColorPicker::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* picker = static_cast<ColorPicker*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        picker->m_wnd = wnd;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picker));
    }
    auto* picker = reinterpret_cast<ColorPicker*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!picker)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        picker->m_wnd = nullptr;
        picker->m_done = true;
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
    return picker->OnMessage(msg, wParam, lParam);
}

}  // namespace corvala
