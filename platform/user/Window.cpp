// Window handles, the tree structure and the window geometry helpers.
#include "Window.h"

#include <algorithm>
#include <unordered_map>

#include "DisplayDriver.h"

namespace pl {

namespace {

struct WindowTable {
    std::unordered_map<HWND, std::unique_ptr<Window>> live;
    std::vector<std::unique_ptr<Window>> retired;  // destroyed, still referenced
    uintptr_t nextHandle = 0x10000;
    Window* desktop = nullptr;
};

WindowTable& table()
{
    static WindowTable t;
    return t;
}

HWND newHandle()
{
    WindowTable& t = table();
    t.nextHandle += 4;  // handles are never reused, so a stale one stays invalid
    return reinterpret_cast<HWND>(t.nextHandle);
}

void freeRetired(Window* w)
{
    auto& retired = table().retired;
    auto it = std::find_if(retired.begin(), retired.end(), [w](const auto& p) { return p.get() == w; });
    if (it != retired.end())
        retired.erase(it);
}

}  // namespace

Window* desktopWindow()
{
    WindowTable& t = table();
    if (!t.desktop) {
        auto w = std::make_unique<Window>();
        w->handle = newHandle();
        w->style = WS_VISIBLE | WS_CLIPCHILDREN;
        SIZE screen = display().screenSize();
        w->rect = {0, 0, screen.cx, screen.cy};
        w->client = w->rect;
        t.desktop = w.get();
        t.live[w->handle] = std::move(w);
        registerSystemClasses();
        t.desktop->windowClass = findClass("#32769");
    }
    return t.desktop;
}

Window* findWindow(HWND wnd)
{
    if (!wnd)
        return nullptr;
    desktopWindow();
    auto& live = table().live;
    auto it = live.find(wnd);
    if (it == live.end() || it->second->destroyed)
        return nullptr;
    return it->second.get();
}

const std::vector<Window*>& topLevelWindows()
{
    return desktopWindow()->children;
}

WindowRef::WindowRef(Window* window) : m_window(window)
{
    if (m_window)
        ++m_window->references;
}

WindowRef::~WindowRef()
{
    if (m_window && --m_window->references == 0 && m_window->destroyed)
        freeRetired(m_window);
}

bool isTopLevel(const Window* w)
{
    return w && w->parent == table().desktop;
}

bool isChild(const Window* w)
{
    return w && w->parent && w->parent != table().desktop;
}

Window* topLevelOf(Window* w)
{
    while (w && isChild(w))
        w = w->parent;
    return w;
}

bool isDescendant(const Window* ancestor, const Window* w)
{
    for (const Window* p = w ? w->parent : nullptr; p; p = p->parent)
        if (p == ancestor)
            return true;
    return false;
}

bool isShown(const Window* w)
{
    for (; w && w != table().desktop; w = w->parent)
        if (!(w->style & WS_VISIBLE))
            return false;
    return w != nullptr;
}

bool isEnabled(const Window* w)
{
    return w && !(w->style & WS_DISABLED);
}

bool isDecorated(const Window* w)
{
    if (!isTopLevel(w) || w == table().desktop)
        return false;
    if (w->exStyle & WS_EX_TOOLWINDOW)
        return (w->style & WS_CAPTION) == WS_CAPTION;
    if (!(w->style & WS_POPUP))
        return true;
    return (w->style & WS_CAPTION) == WS_CAPTION;
}

POINT clientOrigin(const Window* w)
{
    POINT p{0, 0};
    for (; w; w = w->parent) {
        p.x += w->client.left;
        p.y += w->client.top;
    }
    return p;
}

RECT windowScreenRect(const Window* w)
{
    POINT o = w->parent ? clientOrigin(w->parent) : POINT{0, 0};
    return {w->rect.left + o.x, w->rect.top + o.y, w->rect.right + o.x, w->rect.bottom + o.y};
}

RECT clientScreenRect(const Window* w)
{
    POINT o = w->parent ? clientOrigin(w->parent) : POINT{0, 0};
    return {w->client.left + o.x, w->client.top + o.y, w->client.right + o.x, w->client.bottom + o.y};
}

POINT surfaceOrigin(const Window* w)
{
    RECT mine = windowScreenRect(w);
    RECT top = windowScreenRect(topLevelOf(const_cast<Window*>(w)));
    return {mine.left - top.left, mine.top - top.top};
}

LRESULT callProcedure(Window* w, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!w || !proc)
        return 0;
    WindowRef ref(w);
    return proc(w->handle, msg, wParam, lParam);
}

LRESULT sendMessage(Window* w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!w || w->destroyed)
        return 0;
    return callProcedure(w, w->proc, msg, wParam, lParam);
}

Window* createWindowObject(WindowClass* cls, Window* parent, Window* owner)
{
    auto w = std::make_unique<Window>();
    w->handle = newHandle();
    w->windowClass = cls;
    w->proc = cls->proc;
    w->extra.assign(static_cast<size_t>(std::max(cls->windowExtra, 0)), 0);
    w->parent = parent;
    w->owner = owner;
    ++cls->windowCount;
    Window* raw = w.get();
    table().live[raw->handle] = std::move(w);
    return raw;
}

void linkWindow(Window* w, Window* parent, HWND insertAfter)
{
    w->parent = parent;
    auto& siblings = parent->children;
    if (insertAfter == HWND_BOTTOM) {
        siblings.push_back(w);
        return;
    }
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST || !insertAfter) {
        siblings.insert(siblings.begin(), w);
        return;
    }
    auto it = std::find_if(siblings.begin(), siblings.end(), [&](Window* s) { return s->handle == insertAfter; });
    siblings.insert(it == siblings.end() ? siblings.end() : it + 1, w);
}

void unlinkWindow(Window* w)
{
    if (!w->parent)
        return;
    auto& siblings = w->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
}

void releaseControlState(Window* w)
{
    w->control.reset();
}

void retireWindow(Window* w)
{
    WindowTable& t = table();
    auto it = t.live.find(w->handle);
    if (it == t.live.end())
        return;
    w->destroyed = true;
    if (w->windowClass)
        --w->windowClass->windowCount;
    std::unique_ptr<Window> owned = std::move(it->second);
    t.live.erase(it);
    if (w->references > 0)
        t.retired.push_back(std::move(owned));
}

}  // namespace pl
