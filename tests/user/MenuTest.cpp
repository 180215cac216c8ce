// Menus: loading from a registered resource, item states, and the pop-up
// menu's modal loop.
#include "UserTestSupport.h"

using namespace usertest;

namespace {

const PlMenuItemTemplate kObjectItems[] = {
    {"Open", 15099, 0, nullptr},
    {"Modify Properties", 15076, 0, nullptr},
    {nullptr, 0, MF_SEPARATOR, nullptr},
    {"Copy Component(s)", 15083, MF_GRAYED, nullptr},
    {"Delete Component(s)", 15570, 0, nullptr},
};
const PlMenuTemplate kObjectMenu{kObjectItems, 5};
const PlMenuItemTemplate kViewItems[] = {{"Modify Properties", 15097, 0, nullptr}};
const PlMenuTemplate kViewMenu{kViewItems, 1};
const PlMenuItemTemplate kBarItems[] = {
    {"TrackObjectMenu", 0, MF_POPUP, &kObjectMenu},
    {"ViewMenu", 0, MF_POPUP, &kViewMenu},
};
const PlMenuTemplate kBar{kBarItems, 2};

HINSTANCE module()
{
    return PlModuleFromAddress(reinterpret_cast<const void*>(&module));
}

struct ClickOnShow {
    std::vector<int> items;  // item indexes to click, in order
    POINT outside{-1, -1};   // or a screen point outside the menu
};

void clickItems(const PlMenuShown& menu, void* data)
{
    auto* plan = static_cast<ClickOnShow*>(data);
    if (plan->outside.x >= 0)
        PlInputMouseClick(nullptr, plan->outside.x, plan->outside.y, PL_BUTTON_LEFT, 0);
    for (int i : plan->items) {
        const RECT& r = menu.items[static_cast<size_t>(i)].rect;
        PlInputMouseMove(nullptr, (r.left + r.right) / 2, (r.top + r.bottom) / 2, 0);
        PlInputMouseClick(nullptr, (r.left + r.right) / 2, (r.top + r.bottom) / 2, PL_BUTTON_LEFT, 0);
    }
}

}  // namespace

class MenuTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        ASSERT_TRUE(PlRegisterMenu(module(), 15072, &kBar));
        owner = topLevel(50, 50, 300, 200);
        pump();
        bar = LoadMenuA(module(), MAKEINTRESOURCEA(15072));
        ASSERT_NE(bar, nullptr);
        popup = GetSubMenu(bar, 0);
    }

    void TearDown() override
    {
        PlSetMenuShownHook(nullptr, nullptr);
        DestroyMenu(bar);
        UserTest::TearDown();
    }

    UINT track(UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD)
    {
        return static_cast<UINT>(TrackPopupMenu(popup, flags, 100, 120, 0, owner, nullptr));
    }

    HWND owner = nullptr;
    HMENU bar = nullptr, popup = nullptr;
};

TEST_F(MenuTest, LoadMenuBuildsThePopupsOfTheRegisteredResource)
{
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 5);
    EXPECT_EQ(GetMenuItemID(popup, 0), 15099u);
    EXPECT_EQ(GetMenuItemID(popup, 2), 0u) << "a separator";
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1)) << "a pop-up item";
    EXPECT_EQ(GetMenuState(popup, 15083, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(popup, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(bar, 15570, MF_BYCOMMAND), 0u) << "commands are found inside pop-ups";
    EXPECT_EQ(GetMenuState(popup, 4711, MF_BYCOMMAND), static_cast<UINT>(-1));
    char text[32];
    EXPECT_EQ(GetMenuStringA(popup, 15076, text, sizeof text, MF_BYCOMMAND), 17);
    EXPECT_STREQ(text, "Modify Properties");

    HMENU again = LoadMenuA(module(), MAKEINTRESOURCEA(15072));
    EXPECT_NE(again, bar) << "every load builds a new menu";
    EnableMenuItem(GetSubMenu(again, 0), 15099, MF_GRAYED);
    EXPECT_EQ(GetMenuState(popup, 15099, MF_BYCOMMAND), 0u);
    DestroyMenu(again);
    EXPECT_FALSE(IsMenu(again));
    EXPECT_EQ(LoadMenuA(module(), MAKEINTRESOURCEA(15073)), nullptr);
    EXPECT_EQ(LoadMenuA(reinterpret_cast<HINSTANCE>(0x1000), MAKEINTRESOURCEA(15072)), nullptr);
}

TEST_F(MenuTest, EnableMenuItemAnswersThePreviousState)
{
    EXPECT_EQ(EnableMenuItem(popup, 15083, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(popup, 15083, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(EnableMenuItem(popup, 0, MF_BYPOSITION | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(GetMenuState(popup, 15099, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(popup, 4711, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(-1));
}

TEST_F(MenuTest, KeyboardChoiceSkipsSeparatorsAndGrayItems)
{
    for (int i = 0; i < 3; ++i) {
        PlInputKey(VK_DOWN, TRUE);
        PlInputKey(VK_DOWN, FALSE);
    }
    PlInputKey(VK_RETURN, TRUE);
    EXPECT_EQ(track(), 15570u) << "Open, Modify Properties, then past the separator and the gray item";

    PlMenuShown shown{};
    ASSERT_TRUE(PlGetLastMenuShown(&shown));
    EXPECT_EQ(shown.position.x, 100);
    EXPECT_EQ(shown.position.y, 120);
    ASSERT_EQ(shown.items.size(), 5u);
    EXPECT_EQ(shown.items[3].text, "Copy Component(s)");
    EXPECT_TRUE(shown.items[3].state & MF_GRAYED);
    EXPECT_TRUE(shown.items[2].state & MF_SEPARATOR);
    EXPECT_FALSE(IsWindow(shown.popup)) << "the pop-up window is gone once the menu closes";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTest, EscapeAClickOutsideAndADryQueueChooseNothing)
{
    PlInputKey(VK_DOWN, TRUE);
    PlInputKey(VK_ESCAPE, TRUE);
    EXPECT_EQ(track(), 0u);

    EXPECT_EQ(track(), 0u) << "nothing queued: the dry queue cancels";

    ClickOnShow plan;
    plan.outside = {5, 5};
    PlSetMenuShownHook(clickItems, &plan);
    EXPECT_EQ(track(), 0u);
}

TEST_F(MenuTest, AClickOnAGrayItemChoosesNothingAndOnAnEnabledItemChoosesIt)
{
    ClickOnShow plan;
    plan.items = {3, 2, 1};
    PlSetMenuShownHook(clickItems, &plan);
    EXPECT_EQ(track(), 15076u);
}

TEST_F(MenuTest, WithoutReturnCmdTheCommandIsPostedToTheOwner)
{
    PlInputKey(VK_DOWN, TRUE);
    PlInputKey(VK_RETURN, TRUE);
    EXPECT_TRUE(track(TPM_RIGHTBUTTON));
    pump();
    auto commands = entriesOf(owner, WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LOWORD(commands[0].wParam), 15099);
    EXPECT_EQ(messagesOf(owner, {WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND}),
              (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND}));
}
