// CScrollView: scroll sizes and their defaults, bars fitted to the client
// area, the viewport origin of OnPrepareDC, and clamped scrolling.
#include "AfxTestSupport.h"

namespace {

class CTestView : public CScrollView {
public:
    int m_nDraws = 0;
    CPoint m_drawOrigin;
    CRect m_drawClip;
    void OnDraw(CDC* pDC) override
    {
        m_nDraws++;
        m_drawOrigin = pDC->GetViewportOrg();
        pDC->GetClipBox(&m_drawClip);
    }
    void PostNcDestroy() override {}  // lives on the stack in these tests
};

class ScrollViewTest : public AfxTest {
protected:
    void SetUp() override
    {
        m_hHost = CreateHost(400, 300);
        ASSERT_TRUE(m_view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100),
                                  CWnd::FromHandle(m_hHost), 1));
        m_view.SetScrollSizes(MM_TEXT, CSize(1000, 50));
    }
    void TearDown() override
    {
        m_view.DestroyWindow();
        AfxTest::TearDown();
    }
    int ScrollX() { return m_view.GetScrollPosition().x; }

    HWND m_hHost = nullptr;
    CTestView m_view;
};

TEST_F(ScrollViewTest, DefaultPageIsATenthOfTheTotalAndLineATenthOfThePage)
{
    int nMapMode;
    SIZE total, page, line;
    m_view.GetDeviceScrollSizes(nMapMode, total, page, line);
    EXPECT_EQ(nMapMode, MM_TEXT);
    EXPECT_EQ(CSize(total), CSize(1000, 50));
    EXPECT_EQ(CSize(page), CSize(100, 5));
    EXPECT_EQ(CSize(line), CSize(10, 0));
    EXPECT_EQ(m_view.GetTotalSize(), CSize(1000, 50));

    m_view.SetScrollSizes(MM_TEXT, CSize(1000, 50), CSize(300, 20), CSize(7, 3));
    m_view.GetDeviceScrollSizes(nMapMode, total, page, line);
    EXPECT_EQ(CSize(page), CSize(300, 20));
    EXPECT_EQ(CSize(line), CSize(7, 3));
}

TEST_F(ScrollViewTest, ShowsOnlyTheBarsTheTotalSizeNeeds)
{
    EXPECT_TRUE(m_view.GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(m_view.GetStyle() & WS_VSCROLL);
    SCROLLINFO info;
    ASSERT_TRUE(m_view.GetScrollInfo(SB_HORZ, &info, SIF_RANGE | SIF_PAGE));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 999);
    EXPECT_EQ(info.nPage, 200u);

    // Taller than the client area less the horizontal bar: both bars.
    m_view.SetScrollSizes(MM_TEXT, CSize(1000, 95));
    EXPECT_TRUE(m_view.GetStyle() & WS_VSCROLL);
    CRect client;
    m_view.GetClientRect(&client);
    ASSERT_TRUE(m_view.GetScrollInfo(SB_VERT, &info, SIF_RANGE | SIF_PAGE));
    EXPECT_EQ(info.nPage, (UINT)client.Height());

    // A client area larger than the total needs no bars, and the view goes back to the origin.
    m_view.ScrollToPosition(CPoint(500, 0));
    m_view.MoveWindow(0, 0, 1200, 200);
    EXPECT_FALSE(m_view.GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 0));
}

TEST_F(ScrollViewTest, PrepareDCMovesTheOriginByTheScrollPosition)
{
    m_view.ScrollToPosition(CPoint(300, 0));
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(300, 0));
    EXPECT_EQ(m_view.GetDeviceScrollPosition(), CPoint(300, 0));

    CClientDC dc(&m_view);
    m_view.OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(-300, 0));
    CPoint pt(10, 5);
    dc.DPtoLP(&pt);
    EXPECT_EQ(pt, CPoint(310, 5));

    // Painting goes through the same preparation.
    m_view.Invalidate();
    m_view.UpdateWindow();
    EXPECT_GT(m_view.m_nDraws, 0);
    EXPECT_EQ(m_view.m_drawOrigin, CPoint(-300, 0));
    EXPECT_EQ(m_view.m_drawClip.left, 300);
}

TEST_F(ScrollViewTest, ScrollMessagesMoveByLinesPagesAndThumbWithinTheRange)
{
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(ScrollX(), 100);
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(ScrollX(), 110);
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
    EXPECT_EQ(ScrollX(), 0);
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    EXPECT_EQ(ScrollX(), 0);

    // The thumb cannot go past total - client width, nor before 0.
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5000), 0);
    EXPECT_EQ(ScrollX(), 800);
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 450), 0);
    EXPECT_EQ(ScrollX(), 450);
    m_view.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, -3), 0);
    EXPECT_EQ(ScrollX(), 0);

    // No vertical bar: vertical scrolling does nothing.
    m_view.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(m_view.GetScrollPosition().y, 0);

    m_view.ScrollToPosition(CPoint(-20, 3000));
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 0));
    m_view.ScrollToPosition(CPoint(2000, 0));
    EXPECT_EQ(ScrollX(), 800);
}

// The wheel through the real input path: it goes to the window under the
// pointer, a child that does not scroll hands it to its parent, a notch is
// three lines at most a page, and Shift or Ctrl leave the view alone.
TEST_F(ScrollViewTest, TheWheelScrollsTheViewUnderThePointerByThreeLines)
{
    auto wheel = [&](HWND wnd, int x, int y, int delta, UINT keys = 0) {
        ASSERT_TRUE(PlInputMouseWheel(wnd, x, y, delta, keys));
        PlPumpMessages();
    };
    // Only a horizontal bar: the wheel scrolls sideways.
    wheel(m_view.m_hWnd, 50, 30, -WHEEL_DELTA);
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(30, 0));
    wheel(m_view.m_hWnd, 50, 30, 2 * WHEEL_DELTA);
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 0));

    m_view.SetScrollSizes(MM_TEXT, CSize(1000, 1000), CSize(100, 40), CSize(10, 15));
    wheel(m_view.m_hWnd, 50, 30, -WHEEL_DELTA);
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 40)) << "three lines of 15, held to a page of 40";
    wheel(m_view.m_hWnd, 50, 30, WHEEL_DELTA / 2);
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 10)) << "half a notch: one and a half lines, rounded to two";
    wheel(m_view.m_hWnd, 50, 30, -WHEEL_DELTA, MK_CONTROL);
    wheel(m_view.m_hWnd, 50, 30, -WHEEL_DELTA, MK_SHIFT);
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 10));

    // Over the host, outside the view: not the view's wheel.
    wheel(m_hHost, 300, 250, -WHEEL_DELTA);
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 10));

    // Over a child of the view that has no use for it: the view scrolls.
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 30, m_view.m_hWnd, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    wheel(child, 10, 10, WHEEL_DELTA);
    EXPECT_EQ(m_view.GetScrollPosition(), CPoint(0, 0));
    DestroyWindow(child);
}

}  // namespace
