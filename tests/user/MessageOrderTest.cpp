// The order in which messages arrive: creation, destruction, the queue.
#include "UserTestSupport.h"

using namespace usertest;

namespace {

HHOOK g_hook = nullptr;

LRESULT CALLBACK logCbt(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
        messageLog().push_back({reinterpret_cast<HWND>(wParam), kCbtCreate, 0, 0});
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

class MessageOrderTest : public UserTest {};

TEST_F(MessageOrderTest, CreationRunsTheHookThenNcCreateNcCalcSizeCreateSizeMove)
{
    HWND top = topLevel(0, 0, 300, 200);
    messageLog().clear();
    g_hook = SetWindowsHookExA(WH_CBT, logCbt, nullptr, 0);
    HWND w = child(top, 5, 10, 10, 50, 40);
    UnhookWindowsHookEx(g_hook);
    std::vector<UINT> order =
        messagesOf(w, {kCbtCreate, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
    EXPECT_EQ(order, (std::vector<UINT>{kCbtCreate, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                        WM_SHOWWINDOW}));
    auto size = entriesOf(w, WM_SIZE).front();
    EXPECT_EQ(LOWORD(size.lParam), 50);
    EXPECT_EQ(HIWORD(size.lParam), 40);
    EXPECT_EQ(entriesOf(top, WM_PARENTNOTIFY).size(), 1u);
}

TEST_F(MessageOrderTest, MinusOneFromWmCreateDestroysTheNewWindow)
{
    HWND created = nullptr;
    handler() = [&](HWND wnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE) {
            created = wnd;
            return -1;
        }
        return std::nullopt;
    };
    EXPECT_EQ(topLevel(0, 0, 10, 10), nullptr);
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(IsWindow(created));
    EXPECT_EQ(messagesOf(created, {WM_DESTROY, WM_NCDESTROY}), (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(MessageOrderTest, DestroyTellsParentsFirstAndFreesChildrenFirst)
{
    HWND top = topLevel(0, 0, 300, 200);
    HWND a = child(top, 1, 0, 0, 100, 100);
    HWND b = child(a, 2, 0, 0, 50, 50);
    messageLog().clear();
    DestroyWindow(top);

    std::vector<HWND> destroy, ncdestroy;
    for (const Logged& l : messageLog()) {
        if (l.msg == WM_DESTROY)
            destroy.push_back(l.wnd);
        if (l.msg == WM_NCDESTROY)
            ncdestroy.push_back(l.wnd);
    }
    EXPECT_EQ(destroy, (std::vector<HWND>{top, a, b}));
    EXPECT_EQ(ncdestroy, (std::vector<HWND>{b, a, top}));
    for (HWND w : {top, a, b})
        EXPECT_FALSE(IsWindow(w));

    messageLog().clear();
    EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessageA(a, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(a));
    EXPECT_TRUE(messageLog().empty());
}

TEST_F(MessageOrderTest, AWindowDestroyedInItsOwnProcedureFailsCleanlyUntilItReturns)
{
    HWND top = topLevel(0, 0, 300, 200);
    HWND w = child(top, 1, 0, 0, 100, 100);
    SetCapture(w);
    SetFocus(w);
    bool stillValid = true;
    LRESULT afterwards = -5;
    handler() = [&](HWND wnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_USER)
            return std::nullopt;
        DestroyWindow(wnd);
        stillValid = IsWindow(wnd);
        afterwards = SendMessageA(wnd, WM_USER + 1, 0, 0) + GetWindowLongPtrA(wnd, GWL_STYLE) +
                     DefWindowProcA(wnd, WM_GETTEXTLENGTH, 0, 0);
        return 7;
    };
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 7);
    EXPECT_FALSE(stillValid);
    EXPECT_EQ(afterwards, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), top) << "the focus goes to the parent";
    EXPECT_EQ(entriesOf(w, WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(MessageOrderTest, SentMessagesRunAtOnceAndPostedOnesWaitForTheQueue)
{
    HWND w = topLevel(0, 0, 10, 10);
    pump();
    messageLog().clear();
    PostMessageA(w, WM_USER + 1, 0, 0);
    SendMessageA(w, WM_USER + 2, 0, 0);
    EXPECT_EQ(messagesOf(w), (std::vector<UINT>{WM_USER + 2}));
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    DispatchMessageA(&msg);
    EXPECT_EQ(messagesOf(w), (std::vector<UINT>{WM_USER + 2, WM_USER + 1}));
}

TEST_F(MessageOrderTest, PostedThenInputThenPaintThenTimers)
{
    HWND w = topLevel(0, 0, 100, 100);
    pump();
    SetTimer(w, 7, 10, nullptr);
    PlHeadlessAdvanceClock(20);
    InvalidateRect(w, nullptr, FALSE);
    PlInputMouseMove(w, 5, 5, 0);
    PostMessageA(w, WM_USER, 0, 0);

    std::vector<UINT> order;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        order.push_back(msg.message);
        DispatchMessageA(&msg);
        if (msg.message == WM_TIMER)
            break;
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
    KillTimer(w, 7);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0)) << "dry";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    PostMessageA(w, WM_USER, 0, 0);
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0)) << "a dry queue's quit is not kept";
}

TEST_F(MessageOrderTest, ParentsArePaintedBeforeTheirChildren)
{
    HWND top = topLevel(0, 0, 300, 200);
    HWND a = child(top, 1, 10, 10, 100, 100);
    HWND b = child(a, 2, 10, 10, 50, 50);
    HWND away = child(top, 3, 200, 10, 50, 50);
    pump();
    messageLog().clear();
    InvalidateRect(top, nullptr, TRUE);
    pump();
    std::vector<HWND> painted;
    for (const Logged& l : entriesOf(nullptr, WM_PAINT))
        painted.push_back(l.wnd);
    ASSERT_EQ(painted.size(), 4u);
    EXPECT_EQ(painted[0], top);
    EXPECT_LT(std::find(painted.begin(), painted.end(), a), std::find(painted.begin(), painted.end(), b));

    messageLog().clear();
    RECT corner{0, 0, 5, 5};
    InvalidateRect(top, &corner, TRUE);
    pump();
    EXPECT_EQ(entriesOf(nullptr, WM_PAINT).size(), 1u) << "children outside the area are left alone";
    (void)away;
}

TEST_F(MessageOrderTest, TimersFireWhenDueOnceHoweverLateAndStopWhenKilled)
{
    HWND w = topLevel(0, 0, 10, 10);
    pump();
    int ticks = 0;
    handler() = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER && wParam == 3)
            ++ticks;
        return std::nullopt;
    };
    SetTimer(w, 3, 100, nullptr);
    pump();
    EXPECT_EQ(ticks, 0);
    PlHeadlessAdvanceClock(350);
    pump();
    EXPECT_EQ(ticks, 1);
    PlHeadlessAdvanceClock(100);
    pump();
    EXPECT_EQ(ticks, 2);
    KillTimer(w, 3);
    PlHeadlessAdvanceClock(500);
    pump();
    EXPECT_EQ(ticks, 2);

    static int procCalls = 0;
    procCalls = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++procCalls; });
    EXPECT_NE(id, 0u);
    PlHeadlessAdvanceClock(10);
    pump();
    EXPECT_EQ(procCalls, 1);
    KillTimer(nullptr, id);
}

TEST_F(MessageOrderTest, FiltersPickByWindowAndRange)
{
    HWND a = topLevel(0, 0, 10, 10);
    HWND b = topLevel(20, 0, 10, 10);
    HWND bChild = child(b, 1, 0, 0, 5, 5);
    pump();
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(bChild, WM_USER + 1, 0, 0);
    PostMessageA(a, WM_USER + 5, 0, 0);
    PostMessageA(nullptr, WM_USER + 9, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, bChild) << "a window filter takes its children's messages too";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 5u);
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 9u) << "-1 asks for messages without a window";
    EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));

    PostQuitMessage(3);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 0u) << "posted messages come before the quit";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 9u);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
}
