// CMenu: menus from the current module's resources, temporary sub-menus,
// item states, and ownership of the handle.
#include "AfxTestSupport.h"

namespace {

const PlMenuItemTemplate kPopupItems[] = {
    {"Open", 15099, 0, nullptr},
    {nullptr, 0, MF_SEPARATOR, nullptr},
    {"Create Superblock", 15577, MF_GRAYED, nullptr},
};
const PlMenuTemplate kPopup = {kPopupItems, 3};
const PlMenuItemTemplate kBarItems[] = {{"TrackObjectMenu", 0, MF_POPUP, &kPopup}};
const PlMenuTemplate kMenu = {kBarItems, 1};

class MenuTest : public AfxTest {};

TEST_F(MenuTest, LoadsFromTheResourceModuleAndHandsOutTemporarySubMenus)
{
    ASSERT_TRUE(PlRegisterMenu(TestModule(), 15072, &kMenu));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(15072));
    EXPECT_EQ(CMenu::FromHandle(menu.m_hMenu), &menu);
    EXPECT_FALSE(CMenu().LoadMenu(15073));

    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetMenuItemCount(), 3);
    EXPECT_EQ(pPopup->GetMenuItemID(0), 15099u);
    EXPECT_TRUE(pPopup->GetMenuState(15577, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(pPopup->EnableMenuItem(15577, MF_ENABLED), (UINT)MF_GRAYED);
    EXPECT_FALSE(pPopup->GetMenuState(15577, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(pPopup->GetMenuState(4711, MF_BYCOMMAND), (UINT)-1);

    // The temporary wrapper goes at idle time; the sub-menu stays with its menu.
    HMENU hPopup = pPopup->m_hMenu;
    PlAfxIdle(1);
    EXPECT_TRUE(::IsMenu(hPopup));

    HMENU hMenu = menu.m_hMenu;
    menu.DestroyMenu();
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_FALSE(::IsMenu(hMenu));
}

TEST_F(MenuTest, AppendedItemsOfAPopupMenu)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 1, "one");
    popup.AppendMenu(MF_STRING | MF_GRAYED, 2, "two");
    EXPECT_EQ(popup.GetMenuItemCount(), 2);
    char text[16];
    EXPECT_EQ(popup.GetMenuString(1, text, sizeof(text), MF_BYPOSITION), 3);
    EXPECT_STREQ(text, "two");
    HMENU hMenu = popup.Detach();
    EXPECT_EQ(popup.m_hMenu, nullptr);
    EXPECT_TRUE(::IsMenu(hMenu));  // detached: no longer the wrapper's to destroy
    ::DestroyMenu(hMenu);
}

}  // namespace
