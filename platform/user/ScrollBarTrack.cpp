// Drawing scroll bars and tracking the mouse on them: arrows scroll by a
// line (repeating while held), the track by a page, the thumb by dragging
// (SB_THUMBTRACK while moving, SB_THUMBPOSITION on release), and
// SB_ENDSCROLL at the end.
#include <algorithm>

#include "Internal.h"
#include "ScrollBarGeometry.h"

namespace pl {

namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFF0;
constexpr UINT kFirstRepeatDelay = 400;
constexpr UINT kRepeatDelay = 50;
constexpr int kMinimumThumb = 8;

int maxPosition(const ScrollBarState& s)
{
    return s.max - std::max(static_cast<int>(s.page) - 1, 0);
}

void fillRect(HDC dc, int left, int top, int right, int bottom, int color)
{
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, GetSysColorBrush(color));
}

// A filled triangle pointing in `direction` (0 up, 1 down, 2 left, 3 right),
// centred in the button.
void drawArrowGlyph(HDC dc, const RECT& button, int direction, bool enabled)
{
    int w = button.right - button.left, h = button.bottom - button.top;
    int size = std::max(2, std::min(w, h) / 4);
    int cx = button.left + w / 2, cy = button.top + h / 2;
    int color = enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    for (int i = 0; i < size; ++i) {
        int half = (direction == 0 || direction == 2) ? i : size - 1 - i;
        if (direction <= 1) {
            int y = cy - size / 2 + i;
            fillRect(dc, cx - half, y, cx + half + 1, y + 1, color);
        } else {
            int x = cx - size / 2 + i;
            fillRect(dc, x, cy - half, x + 1, cy + half + 1, color);
        }
    }
}

void drawButton(HDC dc, const RECT& r, bool pressed)
{
    RECT face = r;
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        RECT edge = r;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
}

RECT partRect(const RECT& bar, const ScrollLayout& l, int from, int to)
{
    if (l.vertical)
        return {bar.left, bar.top + from, bar.right, bar.top + to};
    return {bar.left + from, bar.top, bar.left + to, bar.bottom};
}

// Where the bar is on screen, and who hears about scrolling.
struct BarPlace {
    RECT screen{};
    bool vertical = true;
    Window* notify = nullptr;
    LPARAM control = 0;
};

BarPlace placeOf(Window* w, int bar)
{
    BarPlace p;
    RECT r;
    if (bar == SB_CTL) {
        r = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
        POINT o = clientOrigin(w);
        OffsetRect(&r, o.x, o.y);
        p.vertical = (w->style & SBS_VERT) != 0;
        p.notify = isChild(w) ? w->parent : nullptr;
        p.control = reinterpret_cast<LPARAM>(w->handle);
    } else {
        r = bar == SB_VERT ? verticalBarRect(w) : horizontalBarRect(w);
        RECT wr = windowScreenRect(w);
        OffsetRect(&r, wr.left, wr.top);
        p.vertical = bar == SB_VERT;
        p.notify = w;
    }
    p.screen = r;
    return p;
}

int offsetAlong(const BarPlace& p, POINT screen)
{
    return p.vertical ? screen.y - p.screen.top : screen.x - p.screen.left;
}

void notify(const BarPlace& p, int code, int pos)
{
    if (!p.notify || p.notify->destroyed)
        return;
    sendMessage(p.notify, p.vertical ? WM_VSCROLL : WM_HSCROLL,
                MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), p.control);
}

int commandOf(ScrollPart part)
{
    switch (part) {
    case kPartLineUp: return SB_LINEUP;
    case kPartPageUp: return SB_PAGEUP;
    case kPartPageDown: return SB_PAGEDOWN;
    case kPartLineDown: return SB_LINEDOWN;
    default: return -1;
    }
}

void drawPressed(Window* w, int bar, const ScrollBarState& s, int part)
{
    if (!isShown(w))
        return;
    if (bar == SB_CTL) {
        HDC dc = GetDC(w->handle);
        RECT r{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
        drawScrollBar(dc, r, (w->style & SBS_VERT) != 0, s, isEnabled(w), part);
        ReleaseDC(w->handle, dc);
        return;
    }
    RECT r = bar == SB_VERT ? verticalBarRect(w) : horizontalBarRect(w);
    HDC dc = GetWindowDC(w->handle);
    drawScrollBar(dc, r, bar == SB_VERT, s, isEnabled(w), part);
    ReleaseDC(w->handle, dc);
}

}  // namespace

ScrollLayout scrollLayout(const RECT& bar, bool vertical, const ScrollBarState& s, int position)
{
    ScrollLayout l;
    l.vertical = vertical;
    l.length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
    l.arrow = std::min(thickness, l.length / 2);
    int track = l.length - 2 * l.arrow;
    int maxPos = maxPosition(s);
    if (track <= 0 || maxPos <= s.min || s.disabledArrows == ESB_DISABLE_BOTH)
        return l;
    long long range = static_cast<long long>(s.max) - s.min + 1;
    int thumb = s.page ? static_cast<int>(static_cast<long long>(track) * s.page / range) : thickness;
    thumb = std::max(thumb, std::min(kMinimumThumb, track));
    if (thumb >= track)
        return l;
    long long span = track - thumb;
    long long along = span * (std::clamp(position, s.min, maxPos) - s.min) / (maxPos - s.min);
    l.thumbSize = thumb;
    l.thumbStart = l.arrow + static_cast<int>(along);
    return l;
}

ScrollPart scrollPartAt(const ScrollLayout& l, int offset)
{
    if (offset < 0 || offset >= l.length)
        return kPartNone;
    if (offset < l.arrow)
        return kPartLineUp;
    if (offset >= l.length - l.arrow)
        return kPartLineDown;
    if (l.thumbSize == 0)
        return kPartNone;
    if (offset < l.thumbStart)
        return kPartPageUp;
    if (offset >= l.thumbStart + l.thumbSize)
        return kPartPageDown;
    return kPartThumb;
}

int scrollPositionAt(const ScrollLayout& l, const ScrollBarState& s, int thumbStart)
{
    int span = l.length - 2 * l.arrow - l.thumbSize;
    int maxPos = maxPosition(s);
    if (span <= 0 || maxPos <= s.min)
        return s.min;
    int along = std::clamp(thumbStart - l.arrow, 0, span);
    return s.min + static_cast<int>(static_cast<long long>(along) * (maxPos - s.min) / span);
}

void drawScrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollBarState& s, bool enabled, int pressedPart)
{
    if (!dc || IsRectEmpty(&bar))
        return;
    int position = s.tracking ? s.trackPos : s.pos;
    ScrollLayout l = scrollLayout(bar, vertical, s, position);
    bool usable = enabled && s.disabledArrows != ESB_DISABLE_BOTH && maxPosition(s) > s.min;
    RECT first = partRect(bar, l, 0, l.arrow);
    RECT last = partRect(bar, l, l.length - l.arrow, l.length);
    RECT track = partRect(bar, l, l.arrow, l.length - l.arrow);
    FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    if (l.thumbSize > 0 && usable) {
        if (pressedPart == kPartPageUp) {
            RECT page = partRect(bar, l, l.arrow, l.thumbStart);
            FillRect(dc, &page, GetSysColorBrush(COLOR_3DDKSHADOW));
        } else if (pressedPart == kPartPageDown) {
            RECT page = partRect(bar, l, l.thumbStart + l.thumbSize, l.length - l.arrow);
            FillRect(dc, &page, GetSysColorBrush(COLOR_3DDKSHADOW));
        }
        drawButton(dc, partRect(bar, l, l.thumbStart, l.thumbStart + l.thumbSize), false);
    }
    drawButton(dc, first, pressedPart == kPartLineUp);
    drawButton(dc, last, pressedPart == kPartLineDown);
    bool firstOn = usable && !(s.disabledArrows & ESB_DISABLE_LTUP);
    bool lastOn = usable && !(s.disabledArrows & ESB_DISABLE_RTDN);
    drawArrowGlyph(dc, first, vertical ? 0 : 2, firstOn);
    drawArrowGlyph(dc, last, vertical ? 1 : 3, lastOn);
}

void trackScrollBar(Window* w, int bar, POINT screen)
{
    ScrollBarState* s = scrollBarOf(w, bar);
    if (!s || !isEnabled(w) || captureWindow())
        return;
    WindowRef ref(w);
    BarPlace place = placeOf(w, bar);
    RECT local = place.screen;
    ScrollLayout layout = scrollLayout(local, place.vertical, *s, s->pos);
    ScrollPart part = scrollPartAt(layout, offsetAlong(place, screen));
    if (part == kPartNone)
        return;
    WindowRef notifyRef(place.notify);
    int grab = offsetAlong(place, screen) - layout.thumbStart;
    SetCapture(w->handle);
    if (part == kPartThumb) {
        s->tracking = true;
        s->trackPos = s->pos;
    } else {
        notify(place, commandOf(part), 0);
        SetTimer(w->handle, kRepeatTimer, kFirstRepeatDelay, nullptr);
    }
    drawPressed(w, bar, *s, part);
    POINT last = screen;
    MSG msg;
    while (!w->destroyed && modalMessage(&msg, w)) {
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            last = msg.pt;
            if (part == kPartThumb) {
                ScrollLayout now = scrollLayout(local, place.vertical, *s, s->trackPos);
                int pos = scrollPositionAt(now, *s, offsetAlong(place, last) - grab);
                if (pos != s->trackPos) {
                    s->trackPos = pos;
                    notify(place, SB_THUMBTRACK, pos);
                    if (!w->destroyed)
                        drawPressed(w, bar, *s, part);
                }
            }
        } else if (msg.message == WM_TIMER && msg.hwnd == w->handle && msg.wParam == kRepeatTimer) {
            ScrollLayout now = scrollLayout(local, place.vertical, *s, s->pos);
            if (scrollPartAt(now, offsetAlong(place, last)) == part)
                notify(place, commandOf(part), 0);
            SetTimer(w->handle, kRepeatTimer, kRepeatDelay, nullptr);
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (w->destroyed)
        return;
    KillTimer(w->handle, kRepeatTimer);
    if (part == kPartThumb) {
        s->tracking = false;
        notify(place, SB_THUMBPOSITION, s->trackPos);
    }
    notify(place, SB_ENDSCROLL, 0);
    if (captureWindow() == w)
        ReleaseCapture();
    if (!w->destroyed)
        drawPressed(w, bar, *s, kPartNone);
}

}  // namespace pl
