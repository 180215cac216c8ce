// Mouse and key input: routing, capture, the dry-queue rule, double clicks,
// key state during a queued gesture.
#include "UserTestSupport.h"

using namespace usertest;

class InputTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        top = topLevel(10, 10, 400, 300);
        a = child(top, 1, 0, 0, 100, 100);
        b = child(top, 2, 200, 0, 100, 100);
        pump();
        messageLog().clear();
    }

    HWND top = nullptr, a = nullptr, b = nullptr;
};

TEST_F(InputTest, TheCaptureGetsTheMouseInItsOwnClientCoordinatesEvenOutside)
{
    PlInputMouseMove(b, 5, 6, 0);
    pump();
    auto move = entriesOf(b, WM_MOUSEMOVE);
    ASSERT_EQ(move.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(move[0].lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(move[0].lParam), 6);

    SetCapture(a);
    PlInputMouseMove(b, 5, 6, 0);
    PlInputMouseMove(a, -20, 3, 0);
    pump();
    auto captured = entriesOf(a, WM_MOUSEMOVE);
    ASSERT_EQ(captured.size(), 2u);
    EXPECT_EQ(GET_X_LPARAM(captured[0].lParam), 205);
    EXPECT_EQ(GET_X_LPARAM(captured[1].lParam), -20) << "signed 16-bit coordinates";
    EXPECT_EQ(entriesOf(b, WM_MOUSEMOVE).size(), 1u);
}

TEST_F(InputTest, TheWindowLosingTheCaptureLearnsWhoTookIt)
{
    SetCapture(a);
    EXPECT_EQ(SetCapture(b), a);
    auto lost = entriesOf(a, WM_CAPTURECHANGED);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(lost[0].lParam), b);
    ReleaseCapture();
    auto released = entriesOf(b, WM_CAPTURECHANGED);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].lParam, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, ADryQueueEndsACaptureLoopThatIgnoresTheQuit)
{
    // A gesture whose release never comes, run by a loop shaped like the
    // editor's trackers.
    PlInputMouseButton(a, 10, 10, PL_BUTTON_LEFT, TRUE, 0);
    pump();
    SetCapture(a);
    PlInputMouseMove(a, 20, 20, 0);
    PlInputMouseMove(a, 30, 30, 0);
    int moves = 0;
    MSG msg;
    for (int guard = 0; guard < 100; ++guard) {
        GetMessageA(&msg, nullptr, 0, 0);
        if (GetCapture() != a)
            break;
        if (msg.message == WM_MOUSEMOVE)
            ++moves;
    }
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(entriesOf(a, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000) << "the gesture is over";
}

TEST_F(InputTest, TheRightButtonUpBringsTheContextMenuAfterIt)
{
    PlInputMouseClick(a, 30, 40, PL_BUTTON_RIGHT, 0);
    pump();
    EXPECT_EQ(messagesOf(a, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}),
              (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}));
    auto menu = entriesOf(a, WM_CONTEXTMENU).front();
    EXPECT_EQ(reinterpret_cast<HWND>(menu.wParam), a);
    EXPECT_EQ(GET_X_LPARAM(menu.lParam), 10 + 30);
    EXPECT_EQ(GET_Y_LPARAM(menu.lParam), 10 + 40);
    auto passedOn = entriesOf(top, WM_CONTEXTMENU);
    ASSERT_EQ(passedOn.size(), 1u) << "an unhandled context menu goes to the parent";
    EXPECT_EQ(reinterpret_cast<HWND>(passedOn[0].wParam), a);
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyleTheTimeAndTheDistance)
{
    HWND dbl = child(top, 3, 0, 150, 100, 100, WS_CHILD | WS_VISIBLE, "RecorderDbl");
    const std::vector<UINT> buttons{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    PlInputMouseDoubleClick(dbl, 10, 10, PL_BUTTON_LEFT, 0);
    PlInputMouseClick(dbl, 10, 10, PL_BUTTON_LEFT, 0);
    pump();
    EXPECT_EQ(messagesOf(dbl, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDOWN,
                                 WM_LBUTTONUP}))
        << "a third click starts over";

    messageLog().clear();
    PlHeadlessAdvanceClock(1000);
    PlInputMouseDoubleClick(a, 10, 10, PL_BUTTON_LEFT, 0);
    PlInputMouseClick(dbl, 10, 10, PL_BUTTON_LEFT, 0);
    PlHeadlessAdvanceClock(GetDoubleClickTime() + 1);
    PlInputMouseClick(dbl, 10, 10, PL_BUTTON_LEFT, 0);
    PlInputMouseClick(dbl, 10 + GetSystemMetrics(SM_CXDOUBLECLK), 10, PL_BUTTON_LEFT, 0);
    pump();
    EXPECT_TRUE(entriesOf(a, WM_LBUTTONDBLCLK).empty()) << "the class has no CS_DBLCLKS";
    EXPECT_TRUE(entriesOf(dbl, WM_LBUTTONDBLCLK).empty()) << "too late, then too far";
}

TEST_F(InputTest, KeyStateFollowsTheQueueWhileAsyncStateFollowsWhatWasSeen)
{
    struct Seen {
        bool syncDown, asyncDown, asyncAfterPeek;
        POINT cursor;
    };
    std::vector<Seen> seen;
    handler() = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_MOUSEMOVE)
            return std::nullopt;
        Seen s{};
        s.syncDown = GetKeyState(VK_LBUTTON) < 0;
        s.asyncDown = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        GetCursorPos(&s.cursor);
        MSG ahead;
        PeekMessageA(&ahead, nullptr, 0, 0, PM_NOREMOVE);
        s.asyncAfterPeek = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        seen.push_back(s);
        return 0;
    };
    PlInputMouseButton(a, 10, 10, PL_BUTTON_LEFT, TRUE, 0);
    PlInputMouseMove(a, 20, 25, 0);
    PlInputMouseButton(a, 20, 25, PL_BUTTON_LEFT, FALSE, 0);
    pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].syncDown);
    EXPECT_TRUE(seen[0].asyncDown) << "the release queued later has not happened yet";
    EXPECT_EQ(seen[0].cursor.x, 10 + 20);
    EXPECT_EQ(seen[0].cursor.y, 10 + 25);
    EXPECT_FALSE(seen[0].asyncAfterPeek) << "peeking reached the release";
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) < 0);
}

TEST_F(InputTest, MouseMessagesCarryButtonAndModifierFlags)
{
    bool shiftSeen = false;
    handler() = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_LBUTTONDOWN)
            shiftSeen = GetKeyState(VK_SHIFT) < 0;
        return std::nullopt;
    };
    PlInputMouseButton(a, 1, 1, PL_BUTTON_LEFT, TRUE, MK_SHIFT);
    PlInputMouseMove(a, 2, 2, MK_SHIFT | MK_CONTROL);
    PlInputMouseButton(a, 2, 2, PL_BUTTON_LEFT, FALSE, 0);
    pump();
    EXPECT_EQ(entriesOf(a, WM_LBUTTONDOWN).front().wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(entriesOf(a, WM_MOUSEMOVE).front().wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT | MK_CONTROL));
    EXPECT_EQ(entriesOf(a, WM_LBUTTONUP).front().wParam, 0u);
    EXPECT_TRUE(shiftSeen);
}

TEST_F(InputTest, KeysGoToTheFocusWithNativeBitsAndTranslateToCharacters)
{
    SetFocus(b);
    messageLog().clear();
    PlInputKey(VK_DELETE, TRUE);
    PlInputKey(VK_DELETE, TRUE);
    PlInputKey(VK_DELETE, FALSE);
    PlInputKey(VK_SHIFT, TRUE);
    PlInputKey('A', TRUE);
    PlInputKey('A', FALSE);
    PlInputKey(VK_SHIFT, FALSE);
    PlInputKey('A', TRUE);
    pump();
    auto downs = entriesOf(b, WM_KEYDOWN);
    ASSERT_GE(downs.size(), 2u);
    auto first = static_cast<DWORD>(downs[0].lParam);
    auto repeat = static_cast<DWORD>(downs[1].lParam);
    auto up = static_cast<DWORD>(entriesOf(b, WM_KEYUP).front().lParam);
    EXPECT_EQ(first & 0xFFFF, 1u) << "repeat count";
    EXPECT_TRUE(first & (1u << 24)) << "Delete is an extended key";
    EXPECT_FALSE(first & (1u << 30));
    EXPECT_TRUE(repeat & (1u << 30)) << "already down";
    EXPECT_TRUE(up & (1u << 30));
    EXPECT_TRUE(up & (1u << 31));
    std::vector<WPARAM> chars;
    for (const Logged& l : entriesOf(b, WM_CHAR))
        chars.push_back(l.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{'A', 'a'}));
    EXPECT_TRUE(entriesOf(a, WM_KEYDOWN).empty());
}

TEST_F(InputTest, NonClientHitsBringNonClientMessagesInScreenCoordinates)
{
    HWND framed = child(top, 3, 0, 150, 100, 100, WS_CHILD | WS_VISIBLE | WS_BORDER);
    PlInputMouseMove(framed, -1, 10, 0);
    PlInputMouseClick(framed, -1, 10, PL_BUTTON_LEFT, 0);
    pump();
    auto move = entriesOf(framed, WM_NCMOUSEMOVE);
    ASSERT_EQ(move.size(), 1u);
    EXPECT_EQ(move[0].wParam, static_cast<WPARAM>(HTBORDER));
    EXPECT_EQ(GET_X_LPARAM(move[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(move[0].lParam), 10 + 150 + 1 + 10);
    EXPECT_EQ(entriesOf(framed, WM_NCLBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(entriesOf(framed, WM_MOUSEMOVE).empty());
}

TEST_F(InputTest, TheClassCursorIsSetOnMovesAndModuleCursorsComeFromResources)
{
    HWND cross = child(top, 3, 0, 150, 100, 100, WS_CHILD | WS_VISIBLE, "RecorderDbl");
    PlInputMouseMove(cross, 5, 5, 0);
    pump();
    EXPECT_EQ(entriesOf(cross, WM_SETCURSOR).size(), 1u);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_CROSS));
    PlCursorShown shown{};
    ASSERT_TRUE(PlGetCursorShown(&shown));
    EXPECT_EQ(shown.module, nullptr);
    EXPECT_EQ(shown.id, 32515);

    HINSTANCE module = PlModuleFromAddress(reinterpret_cast<const void*>(&recorderProc));
    ASSERT_NE(module, nullptr);
    PlCursorTemplate drag{};
    drag.hotSpot = {7, 2};
    for (BYTE& bits : drag.andMask)
        bits = 0xFF;
    ASSERT_TRUE(PlRegisterCursor(module, 105, &drag));
    HCURSOR loaded = LoadCursorA(module, MAKEINTRESOURCEA(105));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(LoadCursorA(module, MAKEINTRESOURCEA(105)), loaded) << "one shared handle";
    EXPECT_EQ(LoadCursorA(module, MAKEINTRESOURCEA(106)), nullptr);
    SetCursor(loaded);
    ASSERT_TRUE(PlGetCursorShown(&shown));
    EXPECT_EQ(shown.module, module);
    EXPECT_EQ(shown.id, 105);
    EXPECT_EQ(shown.hotSpot.x, 7);
    PlCursorTemplate bad{};
    bad.hotSpot = {40, 0};
    EXPECT_FALSE(PlRegisterCursor(module, 107, &bad));
}
