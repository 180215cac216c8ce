// Windows that record what they receive, and a fixture that starts every
// test on a clean headless desktop.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "commctrl.h"
#include "pldisplay.h"
#include "plresource.h"
#include "plsurface.h"
#include "windows.h"

namespace usertest {

struct Logged {
    HWND wnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A pseudo message the CBT hook logs, so that its place in the order shows.
constexpr UINT kCbtCreate = 0xC0DE;

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

inline std::vector<Logged>& messageLog()
{
    static std::vector<Logged> log;
    return log;
}

inline Handler& handler()
{
    static Handler h;
    return h;
}

inline LRESULT CALLBACK recorderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    messageLog().push_back({wnd, msg, wParam, lParam});
    if (handler())
        if (std::optional<LRESULT> answer = handler()(wnd, msg, wParam, lParam))
            return *answer;
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

// "Recorder": white background, arrow cursor. "RecorderDbl": with CS_DBLCLKS
// and the cross cursor. "RecorderGreen": a green background brush.
inline void registerRecorders()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = recorderProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = "Recorder";
    RegisterClassA(&wc);
    wc.style = CS_DBLCLKS;
    wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    wc.lpszClassName = "RecorderDbl";
    RegisterClassA(&wc);
    wc.style = 0;
    wc.hbrBackground = CreateSolidBrush(RGB(0, 128, 0));
    wc.lpszClassName = "RecorderGreen";
    RegisterClassA(&wc);
}

// The messages of one window (or of all with null), in order, optionally
// only those in `only`.
inline std::vector<UINT> messagesOf(HWND wnd, std::initializer_list<UINT> only = {})
{
    std::vector<UINT> out;
    for (const Logged& l : messageLog()) {
        if (wnd && l.wnd != wnd)
            continue;
        if (only.size() && std::find(only.begin(), only.end(), l.msg) == only.end())
            continue;
        out.push_back(l.msg);
    }
    return out;
}

inline std::vector<Logged> entriesOf(HWND wnd, UINT msg)
{
    std::vector<Logged> out;
    for (const Logged& l : messageLog())
        if ((!wnd || l.wnd == wnd) && l.msg == msg)
            out.push_back(l);
    return out;
}

// Surface pixel (0x00RRGGBB) of a client point of a window.
inline uint32_t clientPixel(HWND wnd, int x, int y)
{
    POINT origin{};
    HBITMAP surface = PlGetWindowSurface(wnd, &origin);
    SIZE size{};
    uint32_t* bits = PlBitmapBits(surface, &size);
    POINT p{x, y};
    ClientToScreen(wnd, &p);
    RECT wr;
    GetWindowRect(wnd, &wr);
    int sx = origin.x + (p.x - wr.left);
    int sy = origin.y + (p.y - wr.top);
    if (!bits || sx < 0 || sy < 0 || sx >= size.cx || sy >= size.cy)
        return 0xFFFFFFFF;
    return bits[static_cast<size_t>(sy) * size.cx + sx];
}

inline uint32_t pixelOf(COLORREF c)
{
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

inline void fillClient(HWND wnd, COLORREF color)
{
    HDC dc = GetDC(wnd);
    RECT r{-10000, -10000, 10000, 10000};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(wnd, dc);
}

// On WM_PAINT fills everything it is allowed to, per window, after trying
// to widen its clip back to the whole window; records rcPaint and the clip
// box it got.
struct Painter {
    std::vector<std::pair<HWND, COLORREF>> colors;
    std::vector<RECT> paintRects;
    std::vector<RECT> clipBoxes;

    Handler handler()
    {
        return [this](HWND wnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(wnd, &ps);
            paintRects.push_back(ps.rcPaint);
            SelectClipRgn(dc, nullptr);
            RECT box;
            GetClipBox(dc, &box);
            clipBoxes.push_back(box);
            for (auto& [w, color] : colors) {
                if (w != wnd)
                    continue;
                RECT all{-10000, -10000, 10000, 10000};
                HBRUSH brush = CreateSolidBrush(color);
                FillRect(dc, &all, brush);
                DeleteObject(brush);
            }
            EndPaint(wnd, &ps);
            return 0;
        };
    }
};

class UserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlResetWindowSystem();
        registerRecorders();
        handler() = nullptr;
        messageLog().clear();
    }

    void TearDown() override
    {
        handler() = nullptr;
        PlResetWindowSystem();
        messageLog().clear();
    }

    static HWND topLevel(int x, int y, int cx, int cy, DWORD style = WS_POPUP | WS_VISIBLE, const char* cls = "Recorder",
                         const char* text = "top", DWORD exStyle = 0)
    {
        return CreateWindowExA(exStyle, cls, text, style, x, y, cx, cy, nullptr, nullptr, nullptr, nullptr);
    }

    static HWND child(HWND parent, int id, int x, int y, int cx, int cy, DWORD style = WS_CHILD | WS_VISIBLE,
                      const char* cls = "Recorder", DWORD exStyle = 0)
    {
        return CreateWindowExA(exStyle, cls, "", style, x, y, cx, cy, parent,
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    }

    // Dispatches until the queue is dry; the count of messages dispatched.
    static int pump() { return PlPumpMessages(); }
};

}  // namespace usertest
