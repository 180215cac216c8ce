// CFrameWnd laying out a control bar, idle update of the bar, and frames
// and views that delete themselves with their windows.
#include "AfxTestSupport.h"

namespace {

const int kBarHeight = 60;

class CTestBar : public CControlBar {
public:
    int m_nUpdates = 0;
    CFrameWnd* m_pLastTarget = nullptr;

    BOOL Create(CWnd* pParent, UINT nID, DWORD dwBarStyle)
    {
        m_dwStyle = dwBarStyle;
        return CWnd::Create(nullptr, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        return CSize(bStretch && bHorz ? 32767 : 120, kBarHeight);
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override
    {
        m_nUpdates++;
        m_pLastTarget = pTarget;
    }
};

// Counts live objects, to see self-deletion happen.
class CCountedFrame : public CFrameWnd {
public:
    static int s_nAlive;
    CCountedFrame() { s_nAlive++; }
    ~CCountedFrame() override { s_nAlive--; }
};
int CCountedFrame::s_nAlive = 0;

class CCountedView : public CView {
public:
    static int s_nAlive;
    CCountedView() { s_nAlive++; }
    ~CCountedView() override { s_nAlive--; }
    void OnDraw(CDC*) override {}
};
int CCountedView::s_nAlive = 0;

// Rectangle of a child in its parent's client coordinates.
CRect ChildRect(CWnd* pChild)
{
    CRect rect;
    pChild->GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(pChild->m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

class FrameTest : public AfxTest {
protected:
    void SetUp() override
    {
        m_hHost = CreateHost(400, 500);
        m_pFrame = new CCountedFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "X", WS_CHILD | WS_VISIBLE, CRect(1, 1, 201, 439),
                                     CWnd::FromHandle(m_hHost)));
        m_pFrame->ModifyStyleEx(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE, 0,
                                SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
        m_pFrame->EnableDocking(0);
    }

    HWND m_hHost = nullptr;
    CCountedFrame* m_pFrame = nullptr;
};

TEST_F(FrameTest, RecalcLayoutPutsATopBarAlongTheTopAndThePaneBelow)
{
    CTestBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 40002, CBRS_TOP));
    EXPECT_EQ(bar.m_pDockSite, m_pFrame);
    CWnd pane;
    ASSERT_TRUE(pane.Create(nullptr, "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), m_pFrame, AFX_IDW_PANE_FIRST));

    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    CRect client;
    m_pFrame->GetClientRect(&client);
    ASSERT_EQ(client, CRect(0, 0, 200, 438));
    EXPECT_EQ(ChildRect(&bar), CRect(0, 0, 200, kBarHeight));  // stretched size cut to the frame
    EXPECT_EQ(ChildRect(&pane), CRect(0, kBarHeight, 200, 438));

    // The frame lays out again when it is resized.
    m_pFrame->MoveWindow(1, 1, 300, 200);
    EXPECT_EQ(ChildRect(&bar), CRect(0, 0, 300, kBarHeight));
    EXPECT_EQ(ChildRect(&pane), CRect(0, kBarHeight, 300, 200));

    // A hidden bar leaves its place to the pane.
    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(ChildRect(&pane), CRect(0, 0, 300, 200));

    // A delayed show waits for the host's idle time.
    m_pFrame->ShowControlBar(&bar, TRUE, TRUE);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_TRUE(bar.IsVisible());
    PlAfxIdle(0);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(ChildRect(&pane), CRect(0, kBarHeight, 300, 200));
    bar.DestroyWindow();
    EXPECT_TRUE(m_pFrame->m_listControlBars.empty());
}

TEST_F(FrameTest, IdleTimeUpdatesTheCommandUIOfVisibleBarsWithTheirFrame)
{
    CTestBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 40002, CBRS_TOP));
    EXPECT_TRUE(PlAfxIdle(0));
    EXPECT_EQ(bar.m_nUpdates, 1);
    EXPECT_EQ(bar.m_pLastTarget, m_pFrame);

    bar.ShowWindow(SW_HIDE);
    PlAfxIdle(0);
    EXPECT_EQ(bar.m_nUpdates, 1);
}

TEST_F(FrameTest, BarStyleAndDockingState)
{
    CTestBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 40002, CBRS_TOP));
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);
    EXPECT_EQ(bar.GetBarStyle() & 0x32, 0x32u);
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_TOP);
    bar.EnableDocking(0);
    // In a frame that is no dock bar the bar is neither docked nor floating.
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_FALSE(bar.IsHorzDocked());
    EXPECT_FALSE(bar.IsVertDocked());
    EXPECT_EQ(bar.GetDockingFrame(), m_pFrame);
    EXPECT_EQ(bar.m_pDockContext, nullptr);
}

TEST_F(FrameTest, FramesAndViewsDeleteThemselvesWithTheirWindows)
{
    auto* pView = new CCountedView;
    ASSERT_TRUE(pView->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), m_pFrame, 1));
    ASSERT_EQ(CCountedFrame::s_nAlive, 1);
    ASSERT_EQ(CCountedView::s_nAlive, 1);
    ::DestroyWindow(m_hHost);
    EXPECT_EQ(CCountedFrame::s_nAlive, 0);
    EXPECT_EQ(CCountedView::s_nAlive, 0);
}

// The page of the editor deletes its view while the page is being
// destroyed: the view's window then goes through the destructor, which must
// not delete the object a second time.
TEST_F(FrameTest, DeletingAViewWhileItsParentIsDestroyedDeletesItOnce)
{
    struct CPage : CWnd {
        CView* m_pView = nullptr;
        void OnDestroy() override
        {
            delete m_pView;
            m_pView = nullptr;
            CWnd::OnDestroy();
        }
    } page;
    ASSERT_TRUE(page.Create(nullptr, "page", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), CWnd::FromHandle(m_hHost), 2));
    page.m_pView = new CCountedView;
    ASSERT_TRUE(page.m_pView->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &page, 1));
    HWND hView = page.m_pView->m_hWnd;
    page.DestroyWindow();
    EXPECT_EQ(CCountedView::s_nAlive, 0);
    EXPECT_FALSE(::IsWindow(hView));
}

}  // namespace
