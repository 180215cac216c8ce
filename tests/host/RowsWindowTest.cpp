// The host's rows window: rows that do not fit scroll, by the wheel, the
// keys and the bar, never past the last row, and the bar goes when they fit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RowsWindow.h"
#include "pldisplay.h"

namespace {

class RowsWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        RECT rect{100, 100, 400, 300};
        ASSERT_TRUE(m_Window.Create("Rows", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, rect, nullptr));
        PlPumpMessages();
    }
    void TearDown() override
    {
        m_Window.Destroy();
        PlResetWindowSystem();
    }

    static std::vector<std::string> Rows(int count)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back("row " + std::to_string(i));
        return rows;
    }
    int ClientHeight()
    {
        RECT client{};
        GetClientRect(m_Window.Handle(), &client);
        return client.bottom;
    }
    bool HasBar() { return (GetWindowLongA(m_Window.Handle(), GWL_STYLE) & WS_VSCROLL) != 0; }
    void Key(UINT key) { SendMessageA(m_Window.Handle(), WM_KEYDOWN, key, 0); }

    RowsWindow m_Window;
};

TEST_F(RowsWindowTest, RowsThatDoNotFitScrollByWheelKeysAndBarButNotPastTheLast)
{
    m_Window.SetRows(Rows(5));
    EXPECT_FALSE(HasBar()) << "five rows fit";

    m_Window.SetRows(Rows(40));
    ASSERT_TRUE(HasBar());
    const int last = 2 * RowsWindow::kMargin + 40 * RowsWindow::kRowHeight - ClientHeight();
    ASSERT_GT(last, 0);

    ASSERT_TRUE(PlInputMouseWheel(m_Window.Handle(), 50, 50, -WHEEL_DELTA, 0));
    PlPumpMessages();
    EXPECT_EQ(m_Window.ScrollTop(), 3 * RowsWindow::kRowHeight) << "three rows a notch";
    Key(VK_UP);
    EXPECT_EQ(m_Window.ScrollTop(), 2 * RowsWindow::kRowHeight);
    Key(VK_END);
    EXPECT_EQ(m_Window.ScrollTop(), last);
    Key(VK_NEXT);
    EXPECT_EQ(m_Window.ScrollTop(), last) << "never past the last row";
    SendMessageA(m_Window.Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(m_Window.ScrollTop(), 0);
    Key(VK_NEXT);
    EXPECT_EQ(m_Window.ScrollTop(), ClientHeight() - RowsWindow::kRowHeight) << "a page keeps one row in view";

    // Fewer rows: back to the top, and the bar goes.
    m_Window.SetRows(Rows(3));
    EXPECT_EQ(m_Window.ScrollTop(), 0);
    EXPECT_FALSE(HasBar());
}

TEST_F(RowsWindowTest, AWindowMadeTallerShowsMoreRowsAndScrollsBackWhatNoLongerNeedsIt)
{
    m_Window.SetRows(Rows(20));
    Key(VK_END);
    int top = m_Window.ScrollTop();
    ASSERT_GT(top, 0);
    SetWindowPos(m_Window.Handle(), nullptr, 0, 0, 300, 200 + top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_LT(m_Window.ScrollTop(), top);
    SetWindowPos(m_Window.Handle(), nullptr, 0, 0, 300, 600, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(m_Window.ScrollTop(), 0);
    EXPECT_FALSE(HasBar());
}

}  // namespace
