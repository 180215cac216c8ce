// Scroll bars: clamping, showing, and the mouse on the bars.
#include "UserTestSupport.h"

using namespace usertest;

namespace {

std::vector<int> scrollCodes(HWND wnd, UINT msg, std::vector<int>* positions = nullptr, LPARAM* control = nullptr)
{
    std::vector<int> codes;
    for (const Logged& l : entriesOf(wnd, msg)) {
        codes.push_back(LOWORD(l.wParam));
        if (positions)
            positions->push_back(HIWORD(l.wParam));
        if (control)
            *control = l.lParam;
    }
    return codes;
}

}  // namespace

class ScrollBarTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        top = topLevel(0, 0, 400, 300);
        view = child(top, 1, 0, 0, 200, 100);
    }

    void setVertical(int min, int max, UINT page, int pos, UINT mask = SIF_ALL)
    {
        SCROLLINFO si{sizeof(SCROLLINFO), mask, min, max, page, pos, 0};
        SetScrollInfo(view, SB_VERT, &si, TRUE);
    }

    int clientWidth()
    {
        RECT r;
        GetClientRect(view, &r);
        return r.right;
    }

    HWND top = nullptr, view = nullptr;
};

TEST_F(ScrollBarTest, PositionsStayBetweenTheMinimumAndTheMaximumLessThePage)
{
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 99, 10, 200, 0};
    EXPECT_EQ(SetScrollInfo(view, SB_VERT, &si, TRUE), 90);
    EXPECT_EQ(SetScrollPos(view, SB_VERT, -5, TRUE), 90) << "the previous position";
    EXPECT_EQ(GetScrollPos(view, SB_VERT), 0);

    SCROLLINFO page{sizeof page, SIF_PAGE, 0, 0, 500, 0, 0};
    SetScrollInfo(view, SB_VERT, &page, TRUE);
    SCROLLINFO out{sizeof out, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(view, SB_VERT, &out);
    EXPECT_EQ(out.nPage, 100u) << "the page never exceeds the range";
    EXPECT_EQ(SetScrollPos(view, SB_VERT, 30, TRUE), 0);
    EXPECT_EQ(GetScrollPos(view, SB_VERT), 0);

    SCROLLINFO noPage{sizeof noPage, SIF_ALL, 0, 50, 0, 60, 0};
    EXPECT_EQ(SetScrollInfo(view, SB_HORZ, &noPage, FALSE), 50) << "without a page the maximum itself";
    SetScrollRange(view, SB_HORZ, 10, 5, FALSE);
    int lo = -1, hi = -1;
    GetScrollRange(view, SB_HORZ, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0) << "a reversed range is no range";
    EXPECT_FALSE(GetScrollInfo(view, SB_CTL, &out)) << "not a scroll bar control";
}

TEST_F(ScrollBarTest, ABarShowsWhenTheRangeExceedsThePageAndTheClientAreaFollows)
{
    EXPECT_EQ(clientWidth(), 200);
    setVertical(0, 299, 100, 0, SIF_RANGE | SIF_PAGE);
    EXPECT_TRUE(GetWindowLongPtrA(view, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(clientWidth(), 184);
    EXPECT_EQ(LOWORD(entriesOf(view, WM_SIZE).back().lParam), 184);

    setVertical(0, 99, 100, 0, SIF_RANGE | SIF_PAGE);
    EXPECT_FALSE(GetWindowLongPtrA(view, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(clientWidth(), 200);

    setVertical(0, 299, 100, 0, SIF_RANGE | SIF_PAGE);
    setVertical(0, 99, 100, 0, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL);
    EXPECT_EQ(clientWidth(), 184) << "kept, disabled, with SIF_DISABLENOSCROLL";

    ShowScrollBar(view, SB_HORZ, TRUE);
    RECT r;
    GetClientRect(view, &r);
    EXPECT_EQ(r.bottom, 84);
}

TEST_F(ScrollBarTest, ArrowAndTrackClicksScrollByALineAndAPage)
{
    setVertical(0, 299, 100, 0);
    pump();
    messageLog().clear();
    PlInputMouseClick(top, 192, 95, PL_BUTTON_LEFT, 0);
    pump();
    EXPECT_EQ(scrollCodes(view, WM_VSCROLL), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetCapture(), nullptr);

    messageLog().clear();
    PlInputMouseClick(top, 192, 70, PL_BUTTON_LEFT, 0);
    PlInputMouseClick(top, 192, 5, PL_BUTTON_LEFT, 0);
    pump();
    EXPECT_EQ(scrollCodes(view, WM_VSCROLL),
              (std::vector<int>{SB_PAGEDOWN, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL}));
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndThenSetsThePosition)
{
    setVertical(0, 299, 100, 0);
    pump();
    messageLog().clear();
    PlInputMouseButton(top, 192, 20, PL_BUTTON_LEFT, TRUE, 0);
    PlInputMouseMove(top, 192, 30, 0);
    PlInputMouseMove(top, 192, 400, 0);
    PlInputMouseButton(top, 192, 400, PL_BUTTON_LEFT, FALSE, 0);
    pump();
    std::vector<int> positions;
    std::vector<int> codes = scrollCodes(view, WM_VSCROLL, &positions);
    ASSERT_EQ(codes, (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_GT(positions[0], 0);
    EXPECT_LT(positions[0], 200);
    EXPECT_EQ(positions[1], 200) << "clamped to the maximum less the page";
    EXPECT_EQ(positions[2], 200);
}

TEST_F(ScrollBarTest, TheScrollBarControlNotifiesItsParentWithItself)
{
    HWND bar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 300, 0, 16, 100, top,
                               reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    int lo = -1, hi = -1;
    GetScrollRange(bar, SB_CTL, &lo, &hi);
    EXPECT_EQ(hi, 0) << "a scroll bar control starts without a range";
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 500, TRUE), 0);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 91);
    pump();
    messageLog().clear();
    PlInputMouseClick(bar, 8, 95, PL_BUTTON_LEFT, 0);
    pump();
    LPARAM control = 0;
    EXPECT_EQ(scrollCodes(top, WM_VSCROLL, nullptr, &control), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(reinterpret_cast<HWND>(control), bar);
}
