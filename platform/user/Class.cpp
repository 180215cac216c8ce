// Window classes: RegisterClassA and the built-in classes.
#include <strings.h>

#include <cstring>
#include <memory>
#include <vector>

#include "Controls.h"
#include "Window.h"

namespace pl {

namespace {

// Class atoms as natively: 0xC000 upward, one per registration.
constexpr UINT kFirstAtom = 0xC000;

struct ClassTable {
    std::vector<std::unique_ptr<WindowClass>> classes;  // index + kFirstAtom is the atom
    bool systemRegistered = false;
};

ClassTable& classTable()
{
    static ClassTable t;
    return t;
}

WindowClass* lookup(const char* name)
{
    auto& classes = classTable().classes;
    if (!name)
        return nullptr;
    if (IS_INTRESOURCE(name)) {
        auto atom = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
        if (atom < kFirstAtom || atom - kFirstAtom >= classes.size())
            return nullptr;
        WindowClass* c = classes[atom - kFirstAtom].get();
        return c && !c->name.empty() ? c : nullptr;
    }
    for (auto& c : classes)
        if (c && !c->name.empty() && strcasecmp(c->name.c_str(), name) == 0)
            return c.get();
    return nullptr;
}

UINT addClass(const WNDCLASSA& wc, bool system)
{
    auto c = std::make_unique<WindowClass>();
    c->name = wc.lpszClassName;
    c->style = wc.style;
    c->proc = wc.lpfnWndProc;
    c->classExtra = wc.cbClsExtra;
    c->windowExtra = wc.cbWndExtra;
    c->instance = wc.hInstance;
    c->icon = wc.hIcon;
    c->cursor = wc.hCursor;
    c->background = wc.hbrBackground;
    c->system = system;
    auto& classes = classTable().classes;
    classes.push_back(std::move(c));
    return kFirstAtom + static_cast<UINT>(classes.size() - 1);
}

void addSystemClass(const char* name, UINT style, WNDPROC proc, int extra, LPCSTR cursor, HBRUSH background)
{
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extra;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    addClass(wc, true);
}

}  // namespace

WindowClass* findClass(const char* name)
{
    registerSystemClasses();
    return lookup(name);
}

void registerSystemClasses()
{
    ClassTable& t = classTable();
    if (t.systemRegistered)
        return;
    t.systemRegistered = true;
    auto color = [](int index) { return reinterpret_cast<HBRUSH>(static_cast<intptr_t>(index + 1)); };
    addSystemClass("#32769", 0, DefWindowProcA, 0, IDC_ARROW, color(COLOR_BACKGROUND));
    addSystemClass("#32770", CS_DBLCLKS, DefDlgProcA, DLGWINDOWEXTRA, IDC_ARROW, nullptr);
    addSystemClass("#32768", CS_DBLCLKS, menuPopupProc, 0, IDC_ARROW, nullptr);
    addSystemClass("Button", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, buttonProc, 0, IDC_ARROW, nullptr);
    addSystemClass("Static", CS_DBLCLKS, staticProc, 0, IDC_ARROW, nullptr);
    addSystemClass("ScrollBar", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, scrollBarControlProc, 0, IDC_ARROW, nullptr);
    addSystemClass("SysTabControl32", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, tabControlProc, 0, IDC_ARROW, nullptr);
    addSystemClass("tooltips_class32", CS_DBLCLKS, tooltipProc, 0, IDC_ARROW, nullptr);
}

}  // namespace pl

using namespace pl;

BOOL RegisterClassA(const WNDCLASSA* wc)
{
    registerSystemClasses();
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !*wc->lpszClassName || !wc->lpfnWndProc)
        return FALSE;
    if (wc->cbWndExtra < 0 || wc->cbClsExtra < 0)
        return FALSE;
    if (lookup(wc->lpszClassName))
        return FALSE;  // already registered
    return static_cast<BOOL>(addClass(*wc, false));
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    WindowClass* c = findClass(className);
    if (!c || c->system || c->windowCount > 0)
        return FALSE;
    c->name.clear();  // keeps the atom slot so that atoms stay stable
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR className, LPWNDCLASSA wc)
{
    WindowClass* c = findClass(className);
    if (!c || !wc)
        return FALSE;
    wc->style = c->style;
    wc->lpfnWndProc = c->proc;
    wc->cbClsExtra = c->classExtra;
    wc->cbWndExtra = c->windowExtra;
    wc->hInstance = c->instance;
    wc->hIcon = c->icon;
    wc->hCursor = c->cursor;
    wc->hbrBackground = c->background;
    wc->lpszMenuName = nullptr;
    wc->lpszClassName = className;
    return TRUE;
}

int GetClassNameA(HWND wnd, LPSTR name, int size)
{
    Window* w = findWindow(wnd);
    if (!w || !name || size <= 0)
        return 0;
    size_t n = std::min(w->windowClass->name.size(), static_cast<size_t>(size - 1));
    std::memcpy(name, w->windowClass->name.data(), n);
    name[n] = 0;
    return static_cast<int>(n);
}

ULONG_PTR GetClassLongPtrA(HWND wnd, int index)
{
    Window* w = findWindow(wnd);
    if (!w)
        return 0;
    const WindowClass* c = w->windowClass;
    switch (index) {
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c->cursor);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c->background);
    case GCL_STYLE: return c->style;
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c->proc);
    default: return 0;
    }
}
