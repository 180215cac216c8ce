// The editor as its host sees it: the module Ovinta.so loaded with dlopen
// and reached only through fnCallback and window messages. The module has
// its own copy of the plug-in's code but shares the window system and the
// host library with the test, so the windows, the queue, the host records
// and the embedded device "TE1" are the test's as much as the module's.
//
// The host side here is what a host does: a root record with a main window
// that collects the texts sent to it, "connection" set through the dialog's
// OnMessage, WM_TIMER for the tick. Gestures are queued whole and then
// pumped, as in the other canvas tests.
#pragma once

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "GfxTestSupport.h"
#include "afxwin.h"
#include "commctrl.h"
#include "pldisplay.h"

namespace entrytest {

using FnCallback = INT_PTR (*)(unsigned command, HOSTINFO* host, const char* parameter);

// The module's entry point, loaded once per process and never unloaded: a
// host keeps its plug-ins for its whole run.
inline FnCallback Callback()
{
    static void* module = [] {
        void* handle = dlopen(OVINTA_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            std::fprintf(stderr, "dlopen: %s\n", dlerror());
        return handle;
    }();
    return module ? reinterpret_cast<FnCallback>(dlsym(module, "fnCallback")) : nullptr;
}

// The host's main window: it keeps every text sent to it with WM_APP + 1,
// as a host that answers "*parameterdlg=" requests receives them.
class HostWindow : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 1) {
            m_Loaded.emplace_back(reinterpret_cast<const char*>(lParam));
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}  // a member of the fixture

    std::vector<std::string> m_Loaded;
};

// The windows of one editor, found the way a person sees them: the tab
// control, the page in it, the palette frame with its bar and outlook bar,
// the parameter button and the canvas view.
struct EditorWindows {
    HWND dialog = nullptr;
    HWND tab = nullptr;
    HWND page = nullptr;
    HWND button = nullptr;
    HWND frame = nullptr;
    HWND bar = nullptr;
    HWND palette = nullptr;
    HWND view = nullptr;

    static HWND ChildWithText(HWND parent, const std::string& text)
    {
        for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char buffer[64] = {};
            ::GetWindowText(child, buffer, sizeof buffer);
            if (text == buffer)
                return child;
        }
        return nullptr;
    }

    static EditorWindows Find(HWND dialog)
    {
        EditorWindows w;
        w.dialog = dialog;
        w.tab = ::GetDlgItem(dialog, 3000);
        w.page = w.tab ? ::GetWindow(w.tab, GW_CHILD) : nullptr;
        if (!w.page)
            return w;
        w.button = ::GetDlgItem(w.page, 4000);
        w.view = ::GetDlgItem(w.page, 4002);
        w.frame = ChildWithText(w.page, "X");
        w.bar = w.frame ? ::GetDlgItem(w.frame, 40002) : nullptr;
        w.palette = w.bar ? ::GetWindow(w.bar, GW_CHILD) : nullptr;
        return w;
    }
};

// A window's rectangle in the client coordinates of its parent.
inline CRect RectInParent(HWND wnd)
{
    CRect rc;
    ::GetWindowRect(wnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(wnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

inline CSize ClientSize(HWND wnd)
{
    CRect rc;
    ::GetClientRect(wnd, &rc);
    return rc.Size();
}

inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}
inline void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << "x" << size.cy;
}

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Callback(), nullptr) << "fnCallback not found in " OVINTA_MODULE_PATH;
        corvala::ResetDevices();
        corvala::SetTraceSink([this](HWND, const char* text) { m_Trace.emplace_back(text); });
        ASSERT_TRUE(m_Host.CreateEx(0, AfxRegisterWndClass(0), "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    320, 200, nullptr, nullptr));
        std::snprintf(m_Root.m_szName, sizeof m_Root.m_szName, "Host");
        m_Root.m_hWnd = m_Host.m_hWnd;
    }

    void TearDown() override
    {
        for (HWND dialog : m_Opened)
            if (::IsWindow(dialog))
                ::DestroyWindow(dialog);
        PlPumpMessages();
        m_Host.DestroyWindow();
        PlResetWindowSystem();
        PlAfxIdle(1);
        long ignored = 0;
        while (PlTakeDialogAnswer("color", &ignored)) {
        }
        corvala::SetTraceSink(nullptr);
        corvala::ResetDevices();
    }

    // ---- The host's side ----
    INT_PTR Call(unsigned command, const char* parameter) { return Callback()(command, &m_Root, parameter); }

    // Creates an editor as the host does: command 1, show it, set its
    // devices, and let it paint.
    EditorWindows Open(const char* name, const char* devices = "TE1")
    {
        HWND dialog = reinterpret_cast<HWND>(Call(1, name));
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return {};
        m_Opened.push_back(dialog);
        ::ShowWindow(dialog, SW_SHOW);
        if (devices) {
            EXPECT_TRUE(SetKeyword(dialog, "connection", devices));
        }
        ::UpdateWindow(dialog);
        PlPumpMessages();
        return EditorWindows::Find(dialog);
    }

    // Sets a keyword through the dialog's OnMessage: a query for its id,
    // then a set. (A get of "connection" would set it to the get's buffer.)
    static bool SetKeyword(HWND dialog, const char* keyword, const char* value)
    {
        char data[REQUEST_TEXT_SIZE] = {};
        std::snprintf(data, sizeof data, "%s", keyword);
        KeywordMessage query = {KEYWORD_QUERY, 0, DATATYPE_TEXT, 0, data, 0, 0};
        if (::SendMessage(dialog, WM_APP, 0, reinterpret_cast<LPARAM>(&query)) != 1)
            return false;
        std::snprintf(data, sizeof data, "%s", value);
        KeywordMessage set = {KEYWORD_SET, query.m_nId, DATATYPE_TEXT, 0, data, 0, 0};
        return ::SendMessage(dialog, WM_APP, 0, reinterpret_cast<LPARAM>(&set)) == 0;
    }

    // One host timer tick, then whatever it asked to paint.
    static void Tick(HWND dialog)
    {
        ::SendMessage(dialog, WM_TIMER, 1, 0);
        PlPumpMessages();
    }

    // Tooltips and menus are top-level windows too: an editor that leaves
    // one behind shows here.
    static int TopLevelWindowCount()
    {
        int n = 0;
        for (HWND wnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); wnd; wnd = ::GetWindow(wnd, GW_HWNDNEXT))
            ++n;
        return n;
    }

    static HOSTINFO* RecordOf(HWND dialog)
    {
        return reinterpret_cast<HOSTINFO*>(::SendMessage(dialog, WM_APP + 20, 0, 0));
    }

    static tedevice::TaskEngineDevice& Device() { return corvala::EmbeddedDevice("TE1"); }

    // ---- Input, queued whole and then run ----
    // Each press comes well after the one before: two presses at one place
    // would make a double click.
    static void Press(HWND wnd, CPoint pt)
    {
        PlHeadlessAdvanceClock(1000);
        PlInputMouseMove(wnd, pt.x, pt.y, 0);
        PlInputMouseButton(wnd, pt.x, pt.y, PL_BUTTON_LEFT, TRUE, 0);
    }
    static void Release(HWND wnd, CPoint pt)
    {
        PlInputMouseMove(wnd, pt.x, pt.y, 0);
        PlInputMouseButton(wnd, pt.x, pt.y, PL_BUTTON_LEFT, FALSE, 0);
    }
    static void Click(HWND wnd, CPoint pt)
    {
        Press(wnd, pt);
        Release(wnd, pt);
        PlPumpMessages();
    }
    static void Key(UINT vk)
    {
        PlInputKey(vk, TRUE);
        PlInputKey(vk, FALSE);
        PlPumpMessages();
    }
    // A press on a palette item and the release over a point of the canvas:
    // the palette sends the item's command text to the window under it.
    static void DropFromPalette(const EditorWindows& w, CPoint item, CPoint canvas)
    {
        Press(w.palette, item);
        PlInputMouseMove(w.view, canvas.x / 2, canvas.y / 2, 0);
        Release(w.view, canvas);
        PlPumpMessages();
    }
    // Moves the cursor over a point of a window, so that a command text sent
    // now lands there as a drop would.
    static void PointAt(HWND wnd, CPoint pt)
    {
        PlInputMouseMove(wnd, pt.x, pt.y, 0);
        PlPumpMessages();
    }
    static LRESULT SendText(HWND wnd, const char* text)
    {
        char buffer[REQUEST_TEXT_SIZE] = {};
        std::snprintf(buffer, sizeof buffer, "%s", text);
        return ::SendMessage(wnd, WM_APP + 1, 0, reinterpret_cast<LPARAM>(buffer));
    }

    HOSTINFO m_Root;
    HostWindow m_Host;
    std::vector<HWND> m_Opened;
    std::vector<std::string> m_Trace;
};

}  // namespace entrytest
