// The host's trace window: a top-level window listing the trace lines,
// newest at the bottom, kept scrolled to the newest line.
#include "TraceWindow.h"

#include <map>
#include <memory>
#include <string>

#include "CorvalaHost.h"
#include "HostWindows.h"
#include "TextRows.h"

namespace corvala {

namespace {

const char* const kClassName = "CorvalaTraceWindow";
// A host runs for days; the window keeps the newest lines only.
constexpr size_t kMaxRows = 5000;
constexpr int kWidth = 520;
constexpr int kHeight = 240;

struct TraceWindow {
    TextRows rows{COLOR_WINDOW};
};

// Never destroyed: windows may still be torn down after the library's
// statics are gone.
std::map<HWND, std::unique_ptr<TraceWindow>>& TraceWindows()
{
    static auto* windows = new std::map<HWND, std::unique_ptr<TraceWindow>>;
    return *windows;
}

TraceWindow* Find(HWND wnd)
{
    auto found = TraceWindows().find(wnd);
    return found == TraceWindows().end() ? nullptr : found->second.get();
}

// Text rows cannot show line breaks or tabs: each line of the text is a row.
void AddRows(TextRows& rows, const char* text)
{
    std::string row;
    for (const char* c = text; ; ++c) {
        if (*c == '\n' || *c == '\0') {
            rows.Add(std::move(row));
            row.clear();
            if (*c == '\0')
                break;
        } else if (*c == '\t') {
            row += "    ";
        } else if (*c != '\r') {
            row += *c;
        }
    }
}

LRESULT CALLBACK TraceWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        TraceWindows()[wnd] = std::make_unique<TraceWindow>();
    TraceWindow* window = Find(wnd);
    if (!window)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    switch (msg) {
    case WM_SIZE: window->rows.Layout(wnd); return 0;
    case WM_VSCROLL: window->rows.OnVScroll(wnd, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: window->rows.OnWheel(wnd, static_cast<short>(HIWORD(wParam))); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the whole client area
    case WM_PAINT: window->rows.Paint(wnd); return 0;
    case WM_CLOSE: ShowWindow(wnd, SW_HIDE); return 0;  // the host may show it again
    case WM_NCDESTROY: TraceWindows().erase(wnd); break;
    default: break;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

HWND CreateTraceWindow(HWND parent)
{
    if (!RegisterHostClass(kClassName, TraceWindowProc, COLOR_WINDOW))
        return nullptr;
    if (parent && !IsWindow(parent))
        return nullptr;
    return CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Trace", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT,
                           CW_USEDEFAULT, kWidth, kHeight, parent, nullptr, LibraryInstance(), nullptr);
}

std::vector<std::string> TraceWindowLines(HWND traceWindow)
{
    std::vector<std::string> lines;
    if (TraceWindow* window = Find(traceWindow))
        for (size_t i = 0; i < window->rows.Count(); ++i)
            lines.push_back(window->rows.At(i));
    return lines;
}

void AppendToTraceWindow(HWND wnd, const char* text)
{
    TraceWindow* window = wnd && text ? Find(wnd) : nullptr;
    if (!window)
        return;
    AddRows(window->rows, text);
    window->rows.KeepLast(kMaxRows);
    window->rows.Layout(wnd);
    window->rows.ScrollToEnd(wnd);
    InvalidateRect(wnd, nullptr, TRUE);
}

}  // namespace corvala
