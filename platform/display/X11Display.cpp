// The X11 display. Surfaces are put on their X windows (XPutImage of what
// changed) whenever the window system is about to wait; X events become raw
// input; the capture grabs the pointer so that events outside still arrive.
#include "X11Display.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "CursorDescription.h"
#include "DisplaySelect.h"
#include "pldisplay.h"
#include "plsurface.h"
#include "winuser.h"

namespace pl {

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            KeyReleaseMask | StructureNotifyMask | FocusChangeMask;
constexpr unsigned kPointerMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

RECT unionOf(const RECT& a, const RECT& b)
{
    if (a.right <= a.left || a.bottom <= a.top)
        return b;
    if (b.right <= b.left || b.bottom <= b.top)
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int modifiersOf(unsigned state)
{
    int m = 0;
    if (state & ShiftMask)
        m |= MK_SHIFT;
    if (state & ControlMask)
        m |= MK_CONTROL;
    return m;
}

unsigned fontCursorFor(int id)
{
    switch (id) {
    case 32513: return XC_xterm;              // IDC_IBEAM
    case 32514: return XC_watch;              // IDC_WAIT
    case 32515: return XC_crosshair;          // IDC_CROSS
    case 32644: return XC_sb_h_double_arrow;  // IDC_SIZEWE
    case 32645: return XC_sb_v_double_arrow;  // IDC_SIZENS
    case 32646: return XC_fleur;              // IDC_SIZEALL
    case 32648: return XC_X_cursor;           // IDC_NO
    case 32649: return XC_hand2;              // IDC_HAND
    default: return XC_left_ptr;              // IDC_ARROW and the rest
    }
}

// Every pixel of the surface in the X visual's layout.
bool visualMatchesSurface(Visual* visual, int depth)
{
    return depth >= 24 && visual->red_mask == 0xFF0000 && visual->green_mask == 0x00FF00 &&
           visual->blue_mask == 0x0000FF;
}

}  // namespace

std::unique_ptr<X11Display> X11Display::open()
{
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return nullptr;
    return std::unique_ptr<X11Display>(new X11Display(d));
}

X11Display::X11Display(Display* display)
    : m_display(display), m_screen(DefaultScreen(display)), m_root(RootWindow(display, m_screen))
{
    m_gc = XCreateGC(m_display, m_root, 0, nullptr);
    m_deleteWindow = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
    m_protocols = XInternAtom(m_display, "WM_PROTOCOLS", False);
    Bool supported = False;
    XkbSetDetectableAutoRepeat(m_display, True, &supported);
}

X11Display::~X11Display()
{
    for (auto& [wnd, shown] : m_shown)
        if (shown.window)
            XDestroyWindow(m_display, shown.window);
    for (auto& [handle, cursor] : m_cursors)
        XFreeCursor(m_display, cursor);
    XFreeGC(m_display, m_gc);
    XCloseDisplay(m_display);
}

SIZE X11Display::screenSize()
{
    return {DisplayWidth(m_display, m_screen), DisplayHeight(m_display, m_screen)};
}

DWORD X11Display::now()
{
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void X11Display::createWindow(HWND wnd, Shown& shown, const TopLevelInfo& info)
{
    XSetWindowAttributes attributes{};
    attributes.override_redirect = info.decorated ? False : True;
    attributes.event_mask = kEventMask;
    attributes.background_pixel = BlackPixel(m_display, m_screen);
    int width = std::max(1, static_cast<int>(info.rect.right - info.rect.left));
    int height = std::max(1, static_cast<int>(info.rect.bottom - info.rect.top));
    shown.window = XCreateWindow(m_display, m_root, info.rect.left, info.rect.top, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWOverrideRedirect | CWEventMask | CWBackPixel, &attributes);
    shown.decorated = info.decorated;
    shown.xRect = info.rect;
    XSetWMProtocols(m_display, shown.window, &m_deleteWindow, 1);
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = USPosition | USSize;
    hints->x = info.rect.left;
    hints->y = info.rect.top;
    hints->width = width;
    hints->height = height;
    XSetWMNormalHints(m_display, shown.window, hints);
    XFree(hints);
    if (m_cursor)
        XDefineCursor(m_display, shown.window, xCursor(m_cursor));
    (void)wnd;
}

void X11Display::windowChanged(HWND wnd, const TopLevelInfo& info)
{
    Shown& shown = m_shown[wnd];
    if (!shown.window) {
        if (!info.visible)
            return;
        createWindow(wnd, shown, info);
    }
    XStoreName(m_display, shown.window, info.title.c_str());
    shown.rect = info.rect;
    if (!sameRect(info.rect, shown.xRect)) {
        shown.xRect = info.rect;
        XMoveResizeWindow(m_display, shown.window, info.rect.left, info.rect.top,
                          static_cast<unsigned>(std::max(1, static_cast<int>(info.rect.right - info.rect.left))),
                          static_cast<unsigned>(std::max(1, static_cast<int>(info.rect.bottom - info.rect.top))));
    }
    if (info.visible && !shown.visible) {
        XMapRaised(m_display, shown.window);
        shown.dirty = {0, 0, info.rect.right - info.rect.left, info.rect.bottom - info.rect.top};
    } else if (!info.visible && shown.visible) {
        XUnmapWindow(m_display, shown.window);
    }
    shown.visible = info.visible;
    if (m_capture == wnd)
        grabFor(wnd);
}

void X11Display::windowDestroyed(HWND wnd)
{
    auto it = m_shown.find(wnd);
    if (it == m_shown.end())
        return;
    if (it->second.window)
        XDestroyWindow(m_display, it->second.window);
    m_shown.erase(it);
    XFlush(m_display);
}

void X11Display::surfaceReplaced(HWND wnd, HBITMAP surface)
{
    Shown& shown = m_shown[wnd];
    shown.surface = surface;
    SIZE size{};
    PlBitmapBits(surface, &size);
    shown.dirty = {0, 0, size.cx, size.cy};
}

void X11Display::surfaceChanged(HWND wnd, const RECT& rect)
{
    auto it = m_shown.find(wnd);
    if (it != m_shown.end())
        it->second.dirty = unionOf(it->second.dirty, rect);
}

void X11Display::putSurface(Shown& shown)
{
    SIZE size{};
    uint32_t* bits = shown.surface ? PlBitmapBits(shown.surface, &size) : nullptr;
    RECT d = shown.dirty;
    d.left = std::max(d.left, static_cast<LONG>(0));
    d.top = std::max(d.top, static_cast<LONG>(0));
    d.right = std::min(d.right, static_cast<LONG>(size.cx));
    d.bottom = std::min(d.bottom, static_cast<LONG>(size.cy));
    if (!bits || d.right <= d.left || d.bottom <= d.top)
        return;
    Visual* visual = DefaultVisual(m_display, m_screen);
    int depth = DefaultDepth(m_display, m_screen);
    XImage* image = XCreateImage(m_display, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(bits), static_cast<unsigned>(size.cx),
                                 static_cast<unsigned>(size.cy), 32, size.cx * 4);
    if (!image)
        return;
    std::vector<char> converted;
    if (!visualMatchesSurface(visual, depth) || image->byte_order != LSBFirst) {
        // A visual that is not the surface's layout: convert pixel by pixel.
        converted.resize(static_cast<size_t>(image->bytes_per_line) * size.cy);
        image->data = converted.data();
        for (LONG y = d.top; y < d.bottom; ++y)
            for (LONG x = d.left; x < d.right; ++x) {
                uint32_t p = bits[static_cast<size_t>(y) * size.cx + x];
                XColor c{};
                c.red = static_cast<unsigned short>(((p >> 16) & 0xFF) * 257);
                c.green = static_cast<unsigned short>(((p >> 8) & 0xFF) * 257);
                c.blue = static_cast<unsigned short>((p & 0xFF) * 257);
                unsigned long pixel = ((static_cast<unsigned long>(c.red) * visual->red_mask / 65535) & visual->red_mask) |
                                      ((static_cast<unsigned long>(c.green) * visual->green_mask / 65535) &
                                       visual->green_mask) |
                                      ((static_cast<unsigned long>(c.blue) * visual->blue_mask / 65535) &
                                       visual->blue_mask);
                XPutPixel(image, static_cast<int>(x), static_cast<int>(y), pixel);
            }
    }
    XPutImage(m_display, shown.window, m_gc, image, d.left, d.top, d.left, d.top,
              static_cast<unsigned>(d.right - d.left), static_cast<unsigned>(d.bottom - d.top));
    image->data = nullptr;  // the pixels belong to the surface
    XDestroyImage(image);
}

void X11Display::flush()
{
    for (auto& [wnd, shown] : m_shown) {
        if (!shown.window || !shown.mapped || shown.dirty.right <= shown.dirty.left)
            continue;
        putSurface(shown);
        shown.dirty = {};
    }
    XFlush(m_display);
}

HWND X11Display::windowOf(::Window x) const
{
    for (const auto& [wnd, shown] : m_shown)
        if (shown.window == x)
            return wnd;
    return nullptr;
}

::Window X11Display::xWindowOf(HWND wnd) const
{
    auto it = m_shown.find(wnd);
    return it == m_shown.end() ? 0 : it->second.window;
}

void X11Display::handleConfigure(HWND wnd, Shown& shown)
{
    // The window manager may have reparented the window: ask where it is.
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(m_display, shown.window, m_root, 0, 0, &x, &y, &child);
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_display, shown.window, &attributes);
    RECT now{x, y, x + attributes.width, y + attributes.height};
    shown.xRect = now;
    if (!sameRect(now, shown.rect))
        SetWindowPos(wnd, nullptr, now.left, now.top, now.right - now.left, now.bottom - now.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void X11Display::handle(XEvent& event)
{
    HWND wnd = windowOf(event.xany.window);
    if (!wnd)
        return;
    Shown& shown = m_shown[wnd];
    InputEvent input;
    input.time = now();
    switch (event.type) {
    case Expose:
        shown.dirty = unionOf(shown.dirty, RECT{event.xexpose.x, event.xexpose.y,
                                                event.xexpose.x + event.xexpose.width,
                                                event.xexpose.y + event.xexpose.height});
        return;
    case MapNotify:
        shown.mapped = true;
        shown.dirty = {0, 0, shown.rect.right - shown.rect.left, shown.rect.bottom - shown.rect.top};
        if (m_capture == wnd)
            grabFor(wnd);
        return;
    case UnmapNotify: shown.mapped = false; return;
    case ConfigureNotify: handleConfigure(wnd, shown); return;
    case ClientMessage:
        if (event.xclient.message_type == m_protocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == m_deleteWindow)
            PostMessageA(wnd, WM_CLOSE, 0, 0);
        return;
    case MotionNotify:
        while (XCheckTypedWindowEvent(m_display, event.xany.window, MotionNotify, &event)) {
        }
        input.kind = InputEvent::Kind::MouseMove;
        input.screen = {event.xmotion.x_root, event.xmotion.y_root};
        input.modifiers = modifiersOf(event.xmotion.state);
        break;
    case ButtonPress:
    case ButtonRelease: {
        int b = static_cast<int>(event.xbutton.button);
        if (b == 4 || b == 5) {
            // The wheel: one notch is a press and a release of button 4 (away
            // from the user) or 5.
            if (event.type != ButtonPress)
                return;
            input.kind = InputEvent::Kind::Wheel;
            input.wheelDelta = b == 4 ? WHEEL_DELTA : -WHEEL_DELTA;
            input.screen = {event.xbutton.x_root, event.xbutton.y_root};
            input.modifiers = modifiersOf(event.xbutton.state);
            break;
        }
        if (b < 1 || b > 3)
            return;  // sideways wheel and extra buttons are not used
        input.kind = event.type == ButtonPress ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp;
        input.button = b == 1 ? 0 : b == 3 ? 1 : 2;
        input.screen = {event.xbutton.x_root, event.xbutton.y_root};
        input.modifiers = modifiersOf(event.xbutton.state);
        break;
    }
    case KeyPress:
    case KeyRelease: {
        UINT vk = virtualKeyFromKeySym(XLookupKeysym(&event.xkey, 0));
        if (!vk)
            return;
        input.kind = event.type == KeyPress ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        input.virtualKey = vk;
        break;
    }
    default: return;
    }
    queueInput(input);
}

void X11Display::pollInput()
{
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        handle(event);
    }
}

bool X11Display::waitForInput(DWORD timeoutMs)
{
    flush();
    if (!XPending(m_display)) {
        pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
        int timeout = timeoutMs == INFINITE_WAIT ? -1 : static_cast<int>(std::min<DWORD>(timeoutMs, 0x7FFFFFFF));
        if (poll(&fd, 1, timeout) <= 0)
            return false;
    }
    pollInput();
    return true;
}

::Cursor X11Display::xCursor(HCURSOR cursor)
{
    auto it = m_cursors.find(cursor);
    if (it != m_cursors.end())
        return it->second;
    CursorDescription shape;
    ::Cursor made = 0;
    if (!describeCursor(cursor, &shape)) {
        made = XCreateFontCursor(m_display, XC_left_ptr);
    } else if (shape.system || !shape.andMask) {
        made = XCreateFontCursor(m_display, fontCursorFor(shape.id));
    } else {
        // X bitmaps are least significant bit first; the masks are most
        // significant bit first. Black where AND = 0 and XOR = 0, white where
        // XOR = 1 alone; inverting pixels have no X equivalent and show black.
        unsigned char source[128], mask[128];
        for (int i = 0; i < 128; ++i) {
            unsigned char a = 0, x = 0;
            for (int bit = 0; bit < 8; ++bit) {
                a |= static_cast<unsigned char>(((shape.andMask[i] >> (7 - bit)) & 1) << bit);
                x |= static_cast<unsigned char>(((shape.xorMask[i] >> (7 - bit)) & 1) << bit);
            }
            source[i] = static_cast<unsigned char>(x & ~a);
            mask[i] = static_cast<unsigned char>(~a | x);
        }
        Pixmap src = XCreateBitmapFromData(m_display, m_root, reinterpret_cast<char*>(source), 32, 32);
        Pixmap msk = XCreateBitmapFromData(m_display, m_root, reinterpret_cast<char*>(mask), 32, 32);
        XColor white{}, black{};
        white.red = white.green = white.blue = 0xFFFF;
        made = XCreatePixmapCursor(m_display, src, msk, &white, &black, static_cast<unsigned>(shape.hotSpot.x),
                                   static_cast<unsigned>(shape.hotSpot.y));
        XFreePixmap(m_display, src);
        XFreePixmap(m_display, msk);
    }
    m_cursors[cursor] = made;
    return made;
}

void X11Display::cursorChanged(HCURSOR cursor)
{
    m_cursor = cursor;
    for (auto& [wnd, shown] : m_shown) {
        if (!shown.window)
            continue;
        if (cursor)
            XDefineCursor(m_display, shown.window, xCursor(cursor));
        else
            XUndefineCursor(m_display, shown.window);
    }
    if (m_capture)
        grabFor(m_capture);
    XFlush(m_display);
}

void X11Display::grabFor(HWND capture)
{
    HWND top = GetAncestor(capture, GA_ROOT);
    ::Window x = xWindowOf(top);
    auto it = m_shown.find(top);
    if (!x || it == m_shown.end() || !it->second.mapped)
        return;
    XGrabPointer(m_display, x, True, kPointerMask, GrabModeAsync, GrabModeAsync, None,
                 m_cursor ? xCursor(m_cursor) : None, CurrentTime);
}

void X11Display::captureChanged(HWND capture)
{
    m_capture = capture;
    if (capture)
        grabFor(capture);
    else
        XUngrabPointer(m_display, CurrentTime);
    XFlush(m_display);
}

bool X11Display::livePointer(POINT* screen, UINT* buttons)
{
    ::Window rootReturn, childReturn;
    int rootX, rootY, x, y;
    unsigned mask;
    if (!XQueryPointer(m_display, m_root, &rootReturn, &childReturn, &rootX, &rootY, &x, &y, &mask))
        return false;
    *screen = {rootX, rootY};
    UINT b = 0;
    if (mask & Button1Mask)
        b |= MK_LBUTTON;
    if (mask & Button3Mask)
        b |= MK_RBUTTON;
    if (mask & Button2Mask)
        b |= MK_MBUTTON;
    *buttons = b;
    return true;
}

bool X11Display::liveKey(int virtualKey, bool* down)
{
    if (virtualKey == VK_LBUTTON || virtualKey == VK_RBUTTON || virtualKey == VK_MBUTTON) {
        POINT p;
        UINT buttons = 0;
        if (!livePointer(&p, &buttons))
            return false;
        UINT want = virtualKey == VK_LBUTTON ? MK_LBUTTON : virtualKey == VK_RBUTTON ? MK_RBUTTON : MK_MBUTTON;
        *down = (buttons & want) != 0;
        return true;
    }
    unsigned long keysym = keySymFromVirtualKey(static_cast<UINT>(virtualKey));
    if (!keysym)
        return false;
    KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (!code)
        return false;
    char keys[32];
    XQueryKeymap(m_display, keys);
    *down = (keys[code / 8] >> (code % 8)) & 1;
    return true;
}

void X11Display::warpPointer(POINT screen)
{
    XWarpPointer(m_display, None, m_root, 0, 0, 0, 0, screen.x, screen.y);
    XFlush(m_display);
}

}  // namespace pl

unsigned long PlX11WindowId(HWND wnd)
{
    pl::X11Display* x11 = pl::x11Display();
    return x11 ? x11->xWindowOf(wnd) : 0;
}
