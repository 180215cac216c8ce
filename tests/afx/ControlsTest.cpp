// Wrappers of the tab control, push button and scroll bar control.
#include "AfxTestSupport.h"

namespace {

class ControlsTest : public AfxTest {};

TEST_F(ControlsTest, TabControlInsertsSelectsAndAdjusts)
{
    HWND hHost = CreateHost(300, 200);
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 295, 195), CWnd::FromHandle(hHost), 3000));
    EXPECT_EQ(tab.GetCurSel(), -1);
    EXPECT_EQ(tab.InsertItem(0, "TaskEngine"), 0);
    EXPECT_EQ(tab.InsertItem(1, "Second"), 1);
    EXPECT_EQ(tab.GetItemCount(), 2);
    EXPECT_EQ(tab.SetCurSel(1), 0);
    EXPECT_EQ(tab.GetCurSel(), 1);
    EXPECT_EQ(tab.SetCurSel(7), -1);

    CRect item;
    ASSERT_TRUE(tab.GetItemRect(0, &item));
    EXPECT_FALSE(item.IsRectEmpty());
    // The display area lies inside the window and below the tabs; growing it
    // back gives the window rectangle.
    CRect area(0, 0, 290, 190);
    tab.AdjustRect(FALSE, &area);
    EXPECT_GE(area.top, item.bottom);
    tab.AdjustRect(TRUE, &area);
    EXPECT_EQ(area, CRect(0, 0, 290, 190));

    EXPECT_TRUE(tab.DeleteAllItems());
    EXPECT_EQ(tab.GetItemCount(), 0);
}

TEST_F(ControlsTest, ButtonClicksReachTheParentAsCommands)
{
    struct CParent : CWnd {
        WPARAM m_command = 0;
        BOOL OnCommand(WPARAM wParam, LPARAM) override
        {
            m_command = wParam;
            return TRUE;
        }
    } parent;
    HWND hHost = CreateHost(300, 200);
    ASSERT_TRUE(parent.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), CWnd::FromHandle(hHost), 1));
    CButton button;
    ASSERT_TRUE(button.Create("Functions and Connections", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 34), &parent,
                              4000));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.m_command, MAKEWPARAM(4000, BN_CLICKED));
}

TEST_F(ControlsTest, ScrollBarControlKeepsItsPositionInItsRange)
{
    HWND hHost = CreateHost(300, 200);
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, 17, 200), CWnd::FromHandle(hHost), 1000));
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = 300;
    info.nPage = 100;
    bar.SetScrollInfo(&info, FALSE);
    EXPECT_EQ(bar.GetScrollLimit(), 201);
    bar.SetScrollPos(500);
    EXPECT_EQ(bar.GetScrollPos(), 201);
    ASSERT_TRUE(bar.GetScrollInfo(&info, SIF_PAGE));
    EXPECT_EQ(info.nPage, 100u);
    bar.ShowScrollBar(TRUE);
    EXPECT_TRUE(bar.IsWindowVisible());
}

}  // namespace
