// The headless display: input scripts, dialog answers, display choice and
// the profile.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "user/UserTestSupport.h"

using namespace usertest;

namespace {

std::string run(const std::string& script)
{
    char error[256] = "untouched";
    BOOL ok = PlHeadlessRunScript(script.c_str(), error, sizeof error);
    return ok ? std::string("ok") : std::string(error);
}

std::string buildPath(const char* name)
{
    const char* binary = std::getenv("OVINTA_BINARY_DIR");
    return std::string(binary ? binary : ".") + "/" + name;
}

}  // namespace

class ScriptTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        main = topLevel(100, 100, 400, 300, WS_POPUP | WS_VISIBLE, "Recorder", "Main window");
        tabs = child(main, 3000, 10, 10, 300, 200);
        page = child(tabs, 4002, 20, 20, 100, 100);
        pump();
        messageLog().clear();
    }

    HWND main = nullptr, tabs = nullptr, page = nullptr;
};

TEST_F(ScriptTest, AScriptClicksAWindowFoundByItsTitleAndAControlPath)
{
    EXPECT_EQ(run("# a click on the page\n"
                  "click left \"Main window\"/3000/4002 5 6\n"
                  "\n"
                  "wait-idle\n"),
              "ok");
    auto down = entriesOf(page, WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(down[0].lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(down[0].lParam), 6);
    EXPECT_EQ(entriesOf(page, WM_LBUTTONUP).size(), 1u);

    EXPECT_EQ(run("move screen 130 140\nwait-idle\n"), "ok");
    auto move = entriesOf(page, WM_MOUSEMOVE);
    ASSERT_EQ(move.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(move[0].lParam), 130 - 100 - 10 - 20);
}

TEST_F(ScriptTest, InputWaitsForWaitIdleAndKeysGoWithLaterMouseLines)
{
    EXPECT_EQ(run("keys shift+ctrl\ndown left \"Main window\" 1 1\n"), "ok");
    EXPECT_TRUE(entriesOf(main, WM_LBUTTONDOWN).empty()) << "queued only";
    EXPECT_EQ(run("keys none\nup left \"Main window\" 1 1\nkey press VK_ESCAPE\nwait-idle\n"), "ok");
    auto down = entriesOf(main, WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT | MK_CONTROL));
    EXPECT_EQ(entriesOf(main, WM_LBUTTONUP).front().wParam, 0u);
    auto key = entriesOf(main, WM_KEYDOWN);
    ASSERT_EQ(key.size(), 1u);
    EXPECT_EQ(key[0].wParam, static_cast<WPARAM>(VK_ESCAPE));
}

TEST_F(ScriptTest, WaitMovesTheClockForTimers)
{
    SetTimer(main, 9, 250, nullptr);
    EXPECT_EQ(run("wait 100\nwait-idle\n"), "ok");
    EXPECT_TRUE(entriesOf(main, WM_TIMER).empty());
    EXPECT_EQ(run("wait 150\nwait-idle\n"), "ok");
    EXPECT_EQ(entriesOf(main, WM_TIMER).size(), 1u);
}

TEST_F(ScriptTest, EveryBadLineIsReportedWithItsNumberAndWhatIsWrong)
{
    EXPECT_EQ(run("mvoe screen 1 2"), "line 1: unknown command 'mvoe'");
    EXPECT_EQ(run("wait-idle\nmove Nowhere 1 2"), "line 2: no window named \"Nowhere\"");
    EXPECT_EQ(run("move screen a 2"), "line 1: expected x as a number, got 'a'");
    EXPECT_EQ(run("move screen 1"), "line 1: expected 'move <window> <x> <y>'");
    EXPECT_EQ(run("down sideways screen 1 2"), "line 1: unknown button 'sideways' (left, right or middle)");
    EXPECT_EQ(run("click left \"Main window/3000 1 2"), "line 1: unclosed quote");
    EXPECT_EQ(run("click left \"Main window\"/3000/77 1 2"), "line 1: no control with id 77 in \"\"");
    EXPECT_EQ(run("key press VK_NOPE"), "line 1: unknown key 'VK_NOPE'");
    EXPECT_EQ(run("key hold A"), "line 1: expected down, up or press after 'key', got 'hold'");
    EXPECT_EQ(run("keys alt"), "line 1: unknown key state 'alt' (none, shift, ctrl or shift+ctrl)");
    EXPECT_EQ(run("wait -5"), "line 1: wait needs a time of 0 or more milliseconds");
    EXPECT_EQ(run("wait-idle now"), "line 1: expected 'wait-idle'");
    EXPECT_EQ(run("wheel 1 screen 5"), "line 1: expected 'wheel <notches> <window> <x> <y>'");
    EXPECT_EQ(run("wheel 0 screen 5 5"),
              "line 1: wheel needs -273 to 273 notches, not 0 (positive turns it away from the user)");
    EXPECT_EQ(run("wheel 300 screen 5 5"),
              "line 1: wheel needs -273 to 273 notches, not 0 (positive turns it away from the user)");

    char error[64];
    EXPECT_FALSE(PlHeadlessRunScriptFile("/nonexistent/script.txt", error, sizeof error));
    EXPECT_EQ(std::string(error).rfind("cannot read the script file", 0), 0u);
    EXPECT_FALSE(PlHeadlessRunScript(nullptr, nullptr, 0)) << "no buffer for the error is fine";
}

TEST_F(ScriptTest, KeysAreNamedByVirtualKeyLetterDigitOrNumber)
{
    SetFocus(main);
    messageLog().clear();
    EXPECT_EQ(run("key down VK_DELETE\nkey down F5\nkey down Q\nkey down 7\nkey down 0x26\nwait-idle\n"), "ok");
    std::vector<WPARAM> keys;
    for (const Logged& l : entriesOf(main, WM_KEYDOWN))
        keys.push_back(l.wParam);
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_DELETE, VK_F1 + 4, 'Q', '7', VK_UP}));
}

TEST_F(ScriptTest, AScriptFileRunsLikeAText)
{
    std::string path = buildPath("display_script_test.txt");
    {
        std::ofstream out(path);
        out << "click right \"Main window\" 10 10\r\nwait-idle\r\n";
    }
    char error[128];
    EXPECT_TRUE(PlHeadlessRunScriptFile(path.c_str(), error, sizeof error)) << error;
    EXPECT_EQ(entriesOf(main, WM_CONTEXTMENU).size(), 1u);
    std::remove(path.c_str());
}

TEST(DialogAnswerTest, AnswersQueuePerKindInOrder)
{
    long value = 0;
    EXPECT_FALSE(PlTakeDialogAnswer("color", &value));
    PlPushDialogAnswer("color", 0x0000FF);
    PlPushDialogAnswer("color", 0x00FF00);
    PlPushDialogAnswer("file", 7);
    EXPECT_TRUE(PlTakeDialogAnswer("color", &value));
    EXPECT_EQ(value, 0x0000FF);
    EXPECT_TRUE(PlTakeDialogAnswer("color", &value));
    EXPECT_EQ(value, 0x00FF00);
    EXPECT_FALSE(PlTakeDialogAnswer("color", &value));
    EXPECT_TRUE(PlTakeDialogAnswer("file", &value));
    EXPECT_EQ(value, 7);
}

TEST(DisplaySelectionTest, TheHeadlessDisplayIsInUseAndStays)
{
    EXPECT_STREQ(PlDisplayName(), "headless");
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_TRUE(PlSelectDisplay("headless"));
    EXPECT_FALSE(PlSelectDisplay("x11")) << "the display is chosen once";
    EXPECT_FALSE(PlSelectDisplay("printer"));
    EXPECT_EQ(PlX11WindowId(GetDesktopWindow()), 0ul);
}

TEST(ProfileTest, GetProfileIntReadsTheFileNamedByOvintaProfile)
{
    std::string path = buildPath("display_profile_test.ini");
    {
        std::ofstream out(path);
        out << "[other]\noleinplaceborderwidth=9\n"
               "garbage line\n"
               "[Windows]\n"
               "  OleInPlaceBorderWidth = 7 \n"
               "=5\n"
               "notanumber=abc\n";
    }
    setenv("OVINTA_PROFILE", path.c_str(), 1);
    EXPECT_EQ(GetProfileIntA("windows", "oleinplaceborderwidth", 4), 7u) << "sections and keys ignore case";
    EXPECT_EQ(GetProfileIntA("windows", "missing", 4), 4u);
    EXPECT_EQ(GetProfileIntA("windows", "notanumber", 4), 0u);
    EXPECT_EQ(GetProfileIntA("nosection", "oleinplaceborderwidth", 4), 4u);
    setenv("OVINTA_PROFILE", "/nonexistent/profile.ini", 1);
    EXPECT_EQ(GetProfileIntA("windows", "oleinplaceborderwidth", 4), 4u);
    unsetenv("OVINTA_PROFILE");
    EXPECT_EQ(GetProfileIntA("windows", "oleinplaceborderwidth", 4), 4u);
    std::remove(path.c_str());
}
