// The outlook bar's layout: folder buttons, items area, groups and items,
// folder switching, group toggling and scrolling.
#include "palette/PaletteTestSupport.h"

using namespace palettetest;

namespace {

const std::string kThreeFolders = PaletteXml(
    Folder("One", Group("G1", Control("a", "k=a"))) +
    Folder("Two", Group("Named", Control("b", "k=b") + Control("c", "k=c")) + Group("Next", Control("d", "k=d"))) +
    Folder("Three", Group("", Control("e", "k=e") + Control("f", "k=f")) + Group("After", "")));

class OutlookBarLayoutTest : public OutlookBarTest {
protected:
    void MoveAndClick(int x, int y)
    {
        PlInputMouseMove(*m_Bar, x, y, 0);
        PlInputMouseClick(*m_Bar, x, y, PL_BUTTON_LEFT, 0);
        PlPumpMessages();
    }
};

TEST_F(OutlookBarLayoutTest, AnEmptyPaletteIsAllItemsAreaAndIgnoresTheMouse)
{
    for (CSize size : {CSize(190, 428), CSize(60, 40), CSize(300, 600)}) {
        SCOPED_TRACE(size.cx);
        CreateBar(size.cx, size.cy);
        Load(PaletteXml(""));
        EXPECT_EQ(m_Bar->GetCurrentFolder(), nullptr);
        EXPECT_EQ(m_Bar->GetItemsArea(), CRect(1, 1, size.cx - 1, size.cy - 1));
        PlInputMouseMove(*m_Bar, 10, 10, 0);
        PlInputMouseClick(*m_Bar, 10, 10, PL_BUTTON_LEFT, 0);
        PlPumpMessages();
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_EQ(m_Bar->GetCurrentFolder(), nullptr);
        TearDown();
    }
}

TEST_F(OutlookBarLayoutTest, ButtonsOfLaterFoldersStackFromTheBottomAtAnySize)
{
    for (CSize size : {CSize(190, 428), CSize(120, 260), CSize(300, 600)}) {
        SCOPED_TRACE(size.cx);
        const int W = size.cx, H = size.cy;
        CreateBar(W, H);
        Load(kThreeFolders, 1);
        EXPECT_EQ(CRect(FolderAt(0).m_rcButton), CRect(1, 1, W - 1, 24));
        EXPECT_EQ(CRect(FolderAt(1).m_rcButton), CRect(1, 24, W - 1, 47));
        EXPECT_EQ(CRect(FolderAt(2).m_rcButton), CRect(1, H - 24, W - 1, H - 1));
        EXPECT_EQ(m_Bar->GetItemsArea(), CRect(1, 47, W - 1, H - 24));

        // The named group's header, its two items, and the next group.
        EXPECT_EQ(CRect(GroupAt(1, 0).m_rcGroup), CRect(9, 55, W - 9, 115));
        auto& items = GroupAt(1, 0).m_Items;
        EXPECT_EQ(CRect(items[0]->m_rcItem), CRect(9, 75, W - 9, 95));
        EXPECT_EQ(CRect(items[1]->m_rcItem), CRect(9, 95, W - 9, 115));
        EXPECT_EQ(GroupAt(1, 1).m_rcGroup.top, 123);

        // With no current folder every button is at the top.
        m_Bar->SetCurrentFolder(-1);
        EXPECT_EQ(CRect(FolderAt(2).m_rcButton), CRect(1, 47, W - 1, 70));
        EXPECT_EQ(m_Bar->GetItemsArea(), CRect(1, 70, W - 1, H - 1));
        TearDown();
    }
}

TEST_F(OutlookBarLayoutTest, LoadingMakesTheLastFolderCurrentAndAddsToWhatIsThere)
{
    CreateBar(190, 428);
    std::string path = m_Scratch.Write("one.xml", kThreeFolders);
    m_Bar->LoadPalette(path.c_str(), "objectbar", "normalmode");
    EXPECT_EQ(m_Bar->GetCurrentFolder(), &FolderAt(2));
    m_Bar->LoadPalette(path.c_str(), "objectbar", "normalmode");
    ASSERT_EQ(m_Bar->GetFolders().size(), 3u);
    EXPECT_EQ(GroupAt(1, 0).m_Items.size(), 4u);
}

TEST_F(OutlookBarLayoutTest, AHeaderClickTogglesItsGroupAndAnUnnamedGroupHasNoHeader)
{
    CreateBar(190, 428);
    Load(kThreeFolders, 1);
    MoveAndClick(100, 60);
    EXPECT_FALSE(GroupAt(1, 0).m_bExpanded);
    EXPECT_EQ(CRect(GroupAt(1, 0).m_rcGroup), CRect(9, 55, 181, 75));
    EXPECT_EQ(GroupAt(1, 0).m_Items[0]->m_rcItem.bottom, GroupAt(1, 0).m_Items[0]->m_rcItem.top);
    EXPECT_EQ(GroupAt(1, 1).m_rcGroup.top, 83);
    // Far enough from the first click not to make a double click of it.
    MoveAndClick(30, 70);
    EXPECT_TRUE(GroupAt(1, 0).m_bExpanded);
    EXPECT_EQ(GroupAt(1, 1).m_rcGroup.top, 123);

    // Folder "Three": its unnamed group starts with its items, and a click
    // on its first item starts a drag instead of collapsing anything.
    MoveAndClick(100, 428 - 10);
    ASSERT_EQ(m_Bar->GetCurrentFolder(), &FolderAt(2));
    PaletteGroup& unnamed = GroupAt(2, 0);
    EXPECT_EQ(CRect(unnamed.m_rcGroup), CRect(9, 78, 181, 118));
    EXPECT_EQ(CRect(unnamed.m_Items[0]->m_rcItem), CRect(9, 78, 181, 98));
    EXPECT_EQ(m_Bar->GroupHeaderFromPoint(CPoint(100, 85)), nullptr);
    PlInputMouseMove(*m_Bar, 100, 85, 0);
    PlInputMouseButton(*m_Bar, 100, 85, PL_BUTTON_LEFT, TRUE, 0);
    PlPumpMessages();
    EXPECT_TRUE(unnamed.m_bExpanded);
    EXPECT_EQ(m_Bar->GetDragCommand(), "k=e");
}

TEST_F(OutlookBarLayoutTest, PressingAFolderButtonSwitchesFolders)
{
    CreateBar(190, 428);
    Load(kThreeFolders, 1);
    MoveAndClick(100, 10);  // "One", above the area
    EXPECT_EQ(m_Bar->GetCurrentFolder(), &FolderAt(0));
    EXPECT_EQ(CRect(FolderAt(1).m_rcButton), CRect(1, 428 - 47, 189, 428 - 24));
    EXPECT_EQ(m_Bar->GetItemsArea(), CRect(1, 24, 189, 428 - 47));
    MoveAndClick(100, 428 - 10);  // "Three", below it
    EXPECT_EQ(m_Bar->GetCurrentFolder(), &FolderAt(2));
    MoveAndClick(100, 60);  // its own button: nothing moves
    EXPECT_EQ(m_Bar->GetCurrentFolder(), &FolderAt(2));
    EXPECT_EQ(m_Bar->GetItemsArea(), CRect(1, 70, 189, 427));

}

std::string ManyItems(int count)
{
    std::string controls;
    for (int i = 0; i < count; ++i)
        controls += Control("item " + std::to_string(i), "k=" + std::to_string(i));
    return PaletteXml(Folder("Many", Group("G", controls)));
}

TEST_F(OutlookBarLayoutTest, ContentTallerThanTheAreaGetsAScrollBar)
{
    CreateBar(190, 200);
    Load(ManyItems(20), 0);
    CScrollBar& bar = m_Bar->GetScrollBar();
    const int w = GetSystemMetrics(SM_CYVSCROLL);
    ASSERT_TRUE(bar.GetStyle() & WS_VISIBLE);
    CRect area = m_Bar->GetItemsArea();
    EXPECT_EQ(area, CRect(1, 24, 189 - w, 199));
    CRect barRect;
    bar.GetWindowRect(&barRect);
    m_Bar->ScreenToClient(&barRect);
    EXPECT_EQ(barRect, CRect(189 - w, 24, 189, 199));
    // Content end at offset 0: 24 + 8 + 20 + 20 * 20 + 8.
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    bar.GetScrollInfo(&info);
    EXPECT_EQ(info.nMax, 460);
    EXPECT_EQ(GroupAt(0, 0).m_rcGroup.right, 189 - w - 8);

    m_Bar->SendMessage(WM_VSCROLL, SB_LINEDOWN, LPARAM(bar.m_hWnd));
    EXPECT_EQ(bar.GetScrollPos(), 30);
    EXPECT_EQ(GroupAt(0, 0).m_rcGroup.top, 32 - 30);
    m_Bar->SendMessage(WM_VSCROLL, SB_PAGEDOWN, LPARAM(bar.m_hWnd));
    bar.GetScrollInfo(&info);
    EXPECT_EQ(info.nPos, 30 + int(info.nPage));
    m_Bar->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), LPARAM(bar.m_hWnd));
    EXPECT_EQ(bar.GetScrollPos(), 5);
    EXPECT_EQ(GroupAt(0, 0).m_rcGroup.top, 32 - 30 - int(info.nPage));  // not relaid
    m_Bar->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), LPARAM(bar.m_hWnd));
    EXPECT_EQ(GroupAt(0, 0).m_rcGroup.top, 32 - 100);
    m_Bar->SendMessage(WM_VSCROLL, SB_LINEUP, LPARAM(bar.m_hWnd));
    EXPECT_EQ(bar.GetScrollPos(), 70);

    // Growing the control until everything fits hides the bar again.
    m_Bar->MoveWindow(0, 0, 190, 600);
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(m_Bar->GetItemsArea(), CRect(1, 24, 189, 599));
}

}  // namespace
