// Window relations, attributes and texts.
#include <algorithm>
#include <cstring>

#include "DisplayDriver.h"
#include "Internal.h"

using namespace pl;

namespace {

bool extraSlot(Window* w, int index, size_t size)
{
    return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

Window* parentOrOwner(Window* w)
{
    if (isChild(w))
        return w->parent;
    return w->owner;
}

}  // namespace

BOOL IsWindow(HWND wnd)
{
    return findWindow(wnd) != nullptr;
}

BOOL IsWindowVisible(HWND wnd)
{
    Window* w = findWindow(wnd);
    return w && isShown(w);
}

BOOL IsWindowEnabled(HWND wnd)
{
    Window* w = findWindow(wnd);
    return w && isEnabled(w);
}

BOOL EnableWindow(HWND wnd, BOOL enable)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    WindowRef ref(w);
    const BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        sendMessage(w, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        sendMessage(w, WM_CANCELMODE, 0, 0);
        w->style |= WS_DISABLED;
        Window* focus = focusWindow();
        if (focus && (focus == w || isDescendant(w, focus)))
            SetFocus(nullptr);
        if (captureWindow() == w)
            ReleaseCapture();
        sendMessage(w, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsChild(HWND parent, HWND wnd)
{
    Window* p = findWindow(parent);
    Window* w = findWindow(wnd);
    if (!p || !w)
        return FALSE;
    for (Window* c = w; isChild(c); c = c->parent)
        if (c->parent == p)
            return TRUE;
    return FALSE;
}

HWND GetParent(HWND wnd)
{
    Window* w = findWindow(wnd);
    if (!w)
        return nullptr;
    if (isChild(w))
        return w->parent->handle;
    if ((w->style & WS_POPUP) && w->owner)
        return w->owner->handle;
    return nullptr;
}

HWND SetParent(HWND wnd, HWND parentWnd)
{
    Window* w = findWindow(wnd);
    Window* parent = parentWnd ? findWindow(parentWnd) : desktopWindow();
    if (!w || !parent || w == desktopWindow() || parent == w || isDescendant(w, parent))
        return nullptr;
    WindowRef ref(w);
    Window* old = w->parent;
    HWND oldHandle = old == desktopWindow() ? nullptr : old->handle;
    const bool shown = isShown(w);
    if (shown && isChild(w))
        invalidateUnder(old, w->rect);
    const bool wasTop = isTopLevel(w);
    unlinkWindow(w);
    linkWindow(w, parent, HWND_TOP);
    const bool nowTop = isTopLevel(w);
    // The window keeps its position relative to its (new) parent's client area.
    if (wasTop && !nowTop) {
        destroySurface(w);
        display().windowDestroyed(w->handle);
        w->owner = nullptr;
    } else if (!wasTop && nowTop) {
        createSurface(w);
        notifyDisplay(w);
    }
    if (isShown(w))
        invalidateWhole(w, true);
    return oldHandle;
}

HWND GetWindow(HWND wnd, UINT relation)
{
    Window* w = findWindow(wnd);
    if (!w)
        return nullptr;
    if (relation == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->handle;
    if (relation == GW_OWNER)
        return w->owner ? w->owner->handle : nullptr;
    if (!w->parent)
        return nullptr;
    const auto& siblings = w->parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), w);
    switch (relation) {
    case GW_HWNDFIRST: return siblings.front()->handle;
    case GW_HWNDLAST: return siblings.back()->handle;
    case GW_HWNDNEXT: return (it != siblings.end() && it + 1 != siblings.end()) ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV: return (it != siblings.begin() && it != siblings.end()) ? (*(it - 1))->handle : nullptr;
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND wnd)
{
    Window* w = wnd ? findWindow(wnd) : desktopWindow();
    if (!w || w->children.empty())
        return nullptr;
    return w->children.front()->handle;
}

HWND GetDesktopWindow(void)
{
    return desktopWindow()->handle;
}

HWND GetDlgItem(HWND dialog, int id)
{
    Window* w = findWindow(dialog);
    if (!w)
        return nullptr;
    for (Window* c : w->children)
        if (static_cast<int>(c->id) == id)
            return c->handle;
    return nullptr;
}

int GetDlgCtrlID(HWND wnd)
{
    Window* w = findWindow(wnd);
    return w && isChild(w) ? static_cast<int>(w->id) : 0;
}

HWND GetAncestor(HWND wnd, UINT flags)
{
    Window* w = findWindow(wnd);
    if (!w || w == desktopWindow())
        return nullptr;
    if (flags == GA_PARENT)
        return w->parent->handle;
    if (flags == GA_ROOT)
        return topLevelOf(w)->handle;
    return nullptr;
}

LONG_PTR GetWindowLongPtrA(HWND wnd, int index)
{
    Window* w = findWindow(wnd);
    if (!w)
        return 0;
    switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: {
        Window* p = parentOrOwner(w);
        return p ? reinterpret_cast<LONG_PTR>(p->handle) : 0;
    }
    case GWLP_ID: return w->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    default: break;
    }
    if (!extraSlot(w, index, sizeof(LONG_PTR)))
        return 0;
    LONG_PTR value;
    std::memcpy(&value, w->extra.data() + index, sizeof value);
    return value;
}

LONG_PTR SetWindowLongPtrA(HWND wnd, int index, LONG_PTR value)
{
    Window* w = findWindow(wnd);
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLongPtrA(wnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (value)
            w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_HWNDPARENT:
        if (!isChild(w))
            w->owner = value ? topLevelOf(findWindow(reinterpret_cast<HWND>(value))) : nullptr;
        return old;
    case GWLP_ID: w->id = value; return old;
    case GWL_STYLE: {
        // As natively, the style changes without any repainting; WS_VISIBLE
        // only flips the flag.
        w->style = static_cast<DWORD>(value);
        if (isTopLevel(w))
            notifyDisplay(w);
        return old;
    }
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); return old;
    case GWLP_USERDATA: w->userData = value; return old;
    default: break;
    }
    if (!extraSlot(w, index, sizeof(LONG_PTR)))
        return 0;
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
}

LONG GetWindowLongA(HWND wnd, int index)
{
    Window* w = findWindow(wnd);
    if (w && index >= 0) {
        if (!extraSlot(w, index, sizeof(LONG)))
            return 0;
        LONG value;
        std::memcpy(&value, w->extra.data() + index, sizeof value);
        return value;
    }
    return static_cast<LONG>(GetWindowLongPtrA(wnd, index));
}

LONG SetWindowLongA(HWND wnd, int index, LONG value)
{
    Window* w = findWindow(wnd);
    if (w && index >= 0) {
        if (!extraSlot(w, index, sizeof(LONG)))
            return 0;
        LONG old;
        std::memcpy(&old, w->extra.data() + index, sizeof old);
        std::memcpy(w->extra.data() + index, &value, sizeof value);
        return old;
    }
    return static_cast<LONG>(SetWindowLongPtrA(wnd, index, value));
}

BOOL SetWindowTextA(HWND wnd, LPCSTR text)
{
    Window* w = findWindow(wnd);
    if (!w)
        return FALSE;
    return SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND wnd, LPSTR text, int size)
{
    if (!text || size <= 0)
        return 0;
    text[0] = 0;
    if (!findWindow(wnd))
        return 0;
    return static_cast<int>(SendMessageA(wnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND wnd)
{
    return findWindow(wnd) ? static_cast<int>(SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!proc)
        return 0;
    Window* w = findWindow(wnd);
    if (!w)
        return proc(wnd, msg, wParam, lParam);
    return callProcedure(w, proc, msg, wParam, lParam);
}
