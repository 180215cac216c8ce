// The property window of the TEIOUI template. It takes "key=value" lines
// through WM_APP + 1, keeps the latest line of each key and shows them: the
// caption first, as the title and as a label, then one labelled row per key,
// with one row per entry for the comma-separated connection list.
#include "PropertyWindow.h"

#include <strings.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "CorvalaHost.h"
#include "HostWindows.h"
#include "TextRows.h"

namespace corvala {

namespace {

const char* const kClassName = "CorvalaPropertyWindow";
constexpr UINT kSetLine = WM_APP + 1;
constexpr int kClientWidth = 300;
constexpr int kClientHeight = 170;
constexpr int kOwnerOffset = 40;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct ConfigLine {
    std::string key;
    std::string value;
    std::string line;  // as sent
};

struct PropertyWindow {
    std::vector<ConfigLine> lines;
    TextRows rows{COLOR_BTNFACE};
};

// Never destroyed: windows may still be torn down after the library's
// statics are gone.
std::map<HWND, std::unique_ptr<PropertyWindow>>& PropertyWindows()
{
    static auto* windows = new std::map<HWND, std::unique_ptr<PropertyWindow>>;
    return *windows;
}

PropertyWindow* Find(HWND wnd)
{
    auto found = PropertyWindows().find(wnd);
    return found == PropertyWindows().end() ? nullptr : found->second.get();
}

std::string_view Trimmed(std::string_view text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool SameKey(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

void AddConnectionRows(TextRows& rows, const ConfigLine& line)
{
    rows.Add(line.key + ":");
    std::string_view rest = line.value;
    while (!rest.empty()) {
        size_t comma = rest.find(',');
        std::string_view entry = Trimmed(rest.substr(0, comma));
        if (!entry.empty())
            rows.Add("    " + std::string(entry));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
}

void BuildRows(PropertyWindow& window)
{
    TextRows& rows = window.rows;
    rows.Clear();
    for (const ConfigLine& line : window.lines)
        if (SameKey(line.key, "caption"))
            rows.Add(line.value);
    for (const ConfigLine& line : window.lines) {
        if (SameKey(line.key, "caption"))
            continue;
        if (SameKey(line.key, "connection"))
            AddConnectionRows(rows, line);
        else
            rows.Add(line.key + ": " + line.value);
    }
}

LRESULT TakeLine(HWND wnd, PropertyWindow& window, const char* text)
{
    if (!text)
        return 0;
    std::string_view line = text;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return 0;
    std::string key(Trimmed(line.substr(0, equals)));
    if (key.empty())
        return 0;
    std::string value(Trimmed(line.substr(equals + 1)));
    auto same = std::find_if(window.lines.begin(), window.lines.end(),
                             [&](const ConfigLine& known) { return SameKey(known.key, key); });
    if (same == window.lines.end())
        same = window.lines.insert(window.lines.end(), ConfigLine{key, {}, {}});
    same->value = value;
    same->line = text;
    if (SameKey(key, "caption"))
        SetWindowTextA(wnd, value.c_str());
    BuildRows(window);
    window.rows.Layout(wnd);
    InvalidateRect(wnd, nullptr, TRUE);
    return 1;
}

LRESULT LineAt(const PropertyWindow& window, WPARAM index, LPARAM buffer)
{
    if (index >= window.lines.size())
        return -1;
    return CopyToRequestBuffer(window.lines[index].line, buffer);
}

LRESULT RowAt(const PropertyWindow& window, WPARAM index, LPARAM buffer)
{
    if (index >= window.rows.Count())
        return -1;
    return CopyToRequestBuffer(window.rows.At(index), buffer);
}

LRESULT CALLBACK PropertyWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        PropertyWindows()[wnd] = std::make_unique<PropertyWindow>();
    PropertyWindow* window = Find(wnd);
    if (!window)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    switch (msg) {
    case kSetLine: return TakeLine(wnd, *window, reinterpret_cast<const char*>(lParam));
    case TEMPLATE_GETLINE: return LineAt(*window, wParam, lParam);
    case TEMPLATE_GETROW: return RowAt(*window, wParam, lParam);
    case WM_SIZE: window->rows.Layout(wnd); return 0;
    case WM_VSCROLL: window->rows.OnVScroll(wnd, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: window->rows.OnWheel(wnd, static_cast<short>(HIWORD(wParam))); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the whole client area
    case WM_PAINT: window->rows.Paint(wnd); return 0;
    case WM_NCDESTROY: PropertyWindows().erase(wnd); break;
    default: break;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

POINT PlaceNear(HWND owner)
{
    RECT ownerRect{};
    if (owner && GetWindowRect(owner, &ownerRect))
        return {ownerRect.left + kOwnerOffset, ownerRect.top + kOwnerOffset};
    return {kOwnerOffset, kOwnerOffset};
}

}  // namespace

HWND CreatePropertyWindow(HWND owner, const std::string& title)
{
    if (!RegisterHostClass(kClassName, PropertyWindowProc, COLOR_BTNFACE))
        return nullptr;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    POINT at = PlaceNear(owner);
    return CreateWindowExA(0, kClassName, title.c_str(), kStyle, at.x, at.y, frame.right - frame.left,
                           frame.bottom - frame.top, owner, nullptr, LibraryInstance(), nullptr);
}

}  // namespace corvala
