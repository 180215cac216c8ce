#include "HostWindows.h"

#include <algorithm>
#include <cstring>

#include "Corvala.h"
#include "plresource.h"

namespace corvala {

namespace {

HWND FindBelow(HWND parent, DWORD value)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (DWORD(reinterpret_cast<uintptr_t>(child)) == value)
            return child;
        if (HWND found = FindBelow(child, value))
            return found;
    }
    return nullptr;
}

}  // namespace

HINSTANCE LibraryInstance()
{
    static const HINSTANCE instance = PlModuleFromAddress(reinterpret_cast<const void*>(&LibraryInstance));
    return instance;
}

bool RegisterHostClass(const char* className, WNDPROC proc, int backgroundColor)
{
    WNDCLASSA known{};
    if (GetClassInfoA(LibraryInstance(), className, &known))
        return true;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = LibraryInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColor + 1));
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

std::string WindowText(HWND wnd)
{
    int length = GetWindowTextLengthA(wnd);
    std::string text(size_t(std::max(length, 0)) + 1, '\0');
    int copied = GetWindowTextA(wnd, text.data(), int(text.size()));
    text.resize(size_t(std::max(copied, 0)));
    return text;
}

LRESULT CopyToRequestBuffer(const std::string& text, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (!out)
        return -1;
    size_t length = std::min(text.size(), size_t(REQUEST_TEXT_SIZE - 1));
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return LRESULT(text.size());
}

HWND WindowFromLow32(DWORD value)
{
    if (value == 0)
        return nullptr;
    return FindBelow(GetDesktopWindow(), value);
}

}  // namespace corvala
