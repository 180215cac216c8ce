// The host's trace window: lines from EDITTRACE, newest in view.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "GfxTestSupport.h"
#include "TextRows.h"

namespace {

class TraceWindow : public gfxtest::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        corvala::SetTraceSink([this](HWND wnd, const char* text) { m_sink.emplace_back(wnd, text); });
    }
    void TearDown() override
    {
        corvala::SetTraceSink(nullptr);
        DesktopTest::TearDown();
    }

    std::vector<std::pair<HWND, std::string>> m_sink;
};

}  // namespace

TEST_F(TraceWindow, LinesGoToTheWindowAndStillToTheSink)
{
    HWND trace = corvala::CreateTraceWindow(nullptr);
    ASSERT_NE(trace, nullptr);
    HOSTINFO root;
    root.m_hTraceWnd = trace;
    HOSTINFO child;
    a_InitializeHostinfo(nullptr, &child, &root);

    EDITTRACE(root.m_hTraceWnd, "Not implemented %s", "menux=1");
    EDITTRACE(child.m_hTraceWnd, "Error reading line %s", "interval=x");
    EDITTRACE(trace, "two\r\nrows\twith a tab");
    EDITTRACE(nullptr, "elsewhere");

    EXPECT_EQ(corvala::TraceWindowLines(trace),
              (std::vector<std::string>{"Not implemented menux=1", "Error reading line interval=x", "two",
                                        "rows    with a tab"}));
    ASSERT_EQ(m_sink.size(), 4u);
    EXPECT_EQ(m_sink[0], std::make_pair(trace, std::string("Not implemented menux=1")));
    EXPECT_EQ(m_sink[3], std::make_pair(HWND(nullptr), std::string("elsewhere")));
}

TEST_F(TraceWindow, KeepsTheNewestLineInView)
{
    HWND trace = corvala::CreateTraceWindow(nullptr);
    gfxtest::ShowAndPaint(trace);
    for (int i = 0; i < 100; ++i)
        EDITTRACE(trace, "line %d", i);
    PlPumpMessages();

    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(trace, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 99);
    EXPECT_GT(info.nPage, 3u);
    EXPECT_EQ(info.nPos, info.nMax - int(info.nPage) + 1) << "scrolled to the bottom";

    gfxtest::Pixels pixels = gfxtest::ClientPixels(trace);
    std::vector<bool> slots = gfxtest::InkedSlots(pixels, corvala::TextRows::kMargin, corvala::TextRows::RowHeight());
    EXPECT_EQ(std::count(slots.begin(), slots.end(), true), int(info.nPage)) << "a full page of rows";

    SendMessageA(trace, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(GetScrollPos(trace, SB_VERT), 0);
    EDITTRACE(trace, "newest");
    EXPECT_EQ(GetScrollPos(trace, SB_VERT), 101 - int(info.nPage)) << "a new line brings the bottom back";
}

TEST_F(TraceWindow, ClosingHidesItAndADestroyedOneIsIgnored)
{
    HWND owner = CreateWindowExA(0, "Static", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND trace = corvala::CreateTraceWindow(owner);
    ASSERT_NE(trace, nullptr);
    EXPECT_EQ(GetWindow(trace, GW_OWNER), owner);
    ShowWindow(trace, SW_SHOW);
    SendMessageA(trace, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(trace));
    EXPECT_FALSE(IsWindowVisible(trace));

    DestroyWindow(trace);
    EDITTRACE(trace, "after the window");
    EXPECT_TRUE(corvala::TraceWindowLines(trace).empty());
    EXPECT_EQ(m_sink.back().second, "after the window");
    EXPECT_EQ(corvala::CreateTraceWindow(reinterpret_cast<HWND>(0x4444)), nullptr);
}
