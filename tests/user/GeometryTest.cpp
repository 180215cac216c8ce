// Window geometry: nested coordinates, client areas, hit testing.
#include "UserTestSupport.h"

using namespace usertest;

class GeometryTest : public UserTest {};

TEST_F(GeometryTest, NestedChildrenConvertThroughEveryAncestorsClientOrigin)
{
    HWND top = topLevel(100, 50, 400, 300, WS_POPUP | WS_VISIBLE | WS_BORDER);
    HWND a = child(top, 1, 10, 20, 200, 150, WS_CHILD | WS_VISIBLE, "Recorder", WS_EX_CLIENTEDGE);
    HWND b = child(a, 2, 5, 6, 50, 40, WS_CHILD | WS_VISIBLE | WS_BORDER);

    POINT p{0, 0};
    ClientToScreen(b, &p);
    EXPECT_EQ(p.x, 100 + 1 + 10 + 2 + 5 + 1);
    EXPECT_EQ(p.y, 50 + 1 + 20 + 2 + 6 + 1);
    ScreenToClient(b, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);

    RECT wr, cr;
    GetWindowRect(b, &wr);
    GetClientRect(b, &cr);
    EXPECT_EQ(wr.left, 118);
    EXPECT_EQ(wr.top, 79);
    EXPECT_EQ(wr.right - wr.left, 50);
    EXPECT_EQ(cr.right, 48);
    EXPECT_EQ(cr.bottom, 38);

    POINT pts[2] = {{1, 2}, {-3, 4}};
    MapWindowPoints(b, top, pts, 2);
    EXPECT_EQ(pts[0].x, 1 + 10 + 2 + 5 + 1);
    EXPECT_EQ(pts[0].y, 2 + 20 + 2 + 6 + 1);
    EXPECT_EQ(pts[1].x, -3 + 18);
    POINT screen{119, 80};
    MapWindowPoints(nullptr, b, &screen, 1);
    EXPECT_EQ(screen.x, 0);
    EXPECT_EQ(screen.y, 0);

    // Moving an ancestor moves every descendant on screen.
    MoveWindow(top, 200, 50, 400, 300, TRUE);
    GetWindowRect(b, &wr);
    EXPECT_EQ(wr.left, 218);
}

TEST_F(GeometryTest, TheClientAreaLeavesRoomForFrameEdgesAndScrollBars)
{
    HWND top = topLevel(0, 0, 500, 400);
    HWND w = child(top, 1, 10, 10, 200, 100, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, "Recorder",
                   WS_EX_CLIENTEDGE);
    RECT cr;
    GetClientRect(w, &cr);
    EXPECT_EQ(cr.right, 200 - 2 * 3 - 16);
    EXPECT_EQ(cr.bottom, 100 - 2 * 3 - 16);

    POINT vbar{10 + 200 - 3 - 8, 10 + 40};
    POINT hbar{10 + 40, 10 + 100 - 3 - 8};
    POINT border{10, 10 + 50};
    POINT inside{50, 50};
    auto hit = [&](POINT p) { return SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)); };
    EXPECT_EQ(hit(vbar), HTVSCROLL);
    EXPECT_EQ(hit(hbar), HTHSCROLL);
    EXPECT_EQ(hit(border), HTBORDER);
    EXPECT_EQ(hit(inside), HTCLIENT);

    RECT r{0, 0, 100, 50};
    AdjustWindowRectEx(&r, WS_CHILD | WS_BORDER, FALSE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(r.left, -3);
    EXPECT_EQ(r.bottom, 53);

    // The desktop's window manager frames overlapped windows: no frame of their own.
    HWND framed = topLevel(0, 0, 300, 200, WS_OVERLAPPEDWINDOW);
    GetClientRect(framed, &cr);
    EXPECT_EQ(cr.right, 300);
    EXPECT_EQ(cr.bottom, 200);
}

TEST_F(GeometryTest, WindowFromPointFindsTheDeepestShownEnabledWindow)
{
    HWND top = topLevel(0, 0, 400, 300);
    HWND first = child(top, 1, 0, 0, 100, 100);
    HWND second = child(top, 2, 50, 50, 100, 100);
    HWND hidden = child(first, 3, 10, 10, 30, 30, WS_CHILD);
    HWND disabled = child(first, 4, 60, 10, 30, 30, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    HWND label = CreateWindowExA(0, "Static", "label", WS_CHILD | WS_VISIBLE, 60, 60, 30, 30, second, nullptr,
                                 nullptr, nullptr);

    // Children created earlier stay above later ones, as dialog controls do.
    EXPECT_EQ(WindowFromPoint(POINT{75, 75}), first);
    EXPECT_EQ(WindowFromPoint(POINT{20, 20}), first) << "a hidden child is passed over";
    EXPECT_EQ(WindowFromPoint(POINT{70, 20}), first) << "a disabled child gives the point to its parent";
    EXPECT_EQ(WindowFromPoint(POINT{120, 120}), second) << "static text is transparent to the mouse";
    EXPECT_EQ(WindowFromPoint(POINT{300, 250}), top);
    EXPECT_EQ(WindowFromPoint(POINT{600, 500}), nullptr);

    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT{75, 75}), second);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{75, 75}), second);
    (void)hidden;
    (void)disabled;
    (void)label;
}

TEST_F(GeometryTest, TreeQueriesFollowTheZOrderAndTheOwner)
{
    HWND top = topLevel(0, 0, 400, 300);
    HWND a = child(top, 10, 0, 0, 10, 10);
    HWND b = child(top, 20, 0, 0, 10, 10);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetDlgItem(top, 20), b);
    EXPECT_EQ(GetDlgCtrlID(b), 20);
    EXPECT_EQ(GetParent(b), top);
    EXPECT_TRUE(IsChild(top, b));
    EXPECT_EQ(GetAncestor(b, GA_ROOT), top);

    HWND popup = CreateWindowExA(0, "Recorder", "owned", WS_POPUP, 0, 0, 10, 10, b, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top) << "the owner is the top-level window";
    EXPECT_EQ(GetParent(popup), top);

    EXPECT_EQ(SetParent(b, a), top);
    EXPECT_EQ(GetParent(b), a);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    DestroyWindow(top);
    EXPECT_FALSE(IsWindow(popup)) << "owned windows go with their owner";
}

TEST_F(GeometryTest, TextAndLongValuesGoThroughTheProcedure)
{
    HWND w = topLevel(0, 0, 10, 10);
    SetWindowTextA(w, "Task engine");
    char text[8];
    EXPECT_EQ(GetWindowTextA(w, text, sizeof text), 7);
    EXPECT_STREQ(text, "Task en");
    EXPECT_EQ(GetWindowTextLengthA(w), 11);
    EXPECT_EQ(messagesOf(w, {WM_SETTEXT, WM_GETTEXT}), (std::vector<UINT>{WM_SETTEXT, WM_GETTEXT}));

    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongPtrA(w, 0), 0) << "no extra bytes: nothing to read";

    // Subclassing: the new procedure sees messages and passes them on.
    static WNDPROC previous = nullptr;
    static int seen = 0;
    seen = 0;
    WNDPROC sub = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER)
            ++seen;
        return CallWindowProcA(previous, h, m, wp, lp);
    };
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sub)));
    SendMessageA(w, WM_USER, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(messagesOf(w, {WM_USER}).size(), 1u);
}
