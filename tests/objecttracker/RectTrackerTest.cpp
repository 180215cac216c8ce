// The rectangle tracker's drag loop on a real window: band, move and resize
// results, the minimum size, the canvas origin, the ways a drag is
// cancelled, and that its XOR feedback leaves the window as it was.
#include "CanvasTestSupport.h"

#include "canvas/CKIVORectTracker.h"

namespace {

template <class F>
bool ThrowsInvalidArgument(F f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

class RectTrackerTest : public CanvasTest {
protected:
    CWnd* ViewWnd() { return &m_View; }
    CKIVORectTracker m_Rect;
};

TEST_F(RectTrackerTest, BandReleasedAtOnceIsEmptyAtThePressPoint)
{
    Release(CPoint(10, 10));
    EXPECT_FALSE(m_Rect.RubberBand(ViewWnd(), CPoint(10, 10), TRUE));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(10, 10, 10, 10));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(RectTrackerTest, BandFollowsTheMouseAndMayTurnInsideOut)
{
    Move(CPoint(80, 60));
    Move(CPoint(5, 4));
    Release(CPoint(5, 4));
    EXPECT_TRUE(m_Rect.RubberBand(ViewWnd(), CPoint(20, 30), TRUE));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(20, 30, 5, 4));
}

TEST_F(RectTrackerTest, EveryCancelRestoresTheStartRectangleAndReleasesTheCapture)
{
    struct Case {
        const char* name;
        void (*queueEnd)(RectTrackerTest&);
    };
    const Case cases[] = {
        {"escape", [](RectTrackerTest& t) { t.Key(VK_ESCAPE); }},
        {"right button", [](RectTrackerTest& t) { t.RightClick(CPoint(90, 90)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_Rect.m_rcTrack.SetRect(50, 50, 90, 80);
        Move(CPoint(70, 60));
        Move(CPoint(100, 100));
        c.queueEnd(*this);
        Release(CPoint(100, 100));
        EXPECT_FALSE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(60, 60), nullptr));
        EXPECT_EQ(m_Rect.m_rcTrack, CRect(50, 50, 90, 80));
        EXPECT_EQ(::GetCapture(), nullptr);
        PlPumpMessages();
    }
}

TEST_F(RectTrackerTest, DryQueueKeepsTheRectangleAsLastDragged)
{
    m_Rect.m_rcTrack.SetRect(50, 50, 90, 80);
    Move(CPoint(70, 65));
    EXPECT_TRUE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(60, 60), nullptr));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(60, 55, 100, 85));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(RectTrackerTest, LeftEdgeDraggedPastTheRightEdgeStopsAtTheMinimumWidth)
{
    m_Rect.m_sizeLimit = CSize(12, 12);
    m_Rect.m_rcTrack.SetRect(100, 100, 140, 140);
    Move(CPoint(200, 120));
    Release(CPoint(200, 120));
    EXPECT_TRUE(m_Rect.DragHandle(HIT_LEFT, ViewWnd(), CPoint(100, 120), nullptr));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(128, 100, 140, 140));

    // Allowed to invert, it keeps the orientation it was dragged to.
    m_Rect.m_bMayInvert = TRUE;
    m_Rect.m_rcTrack.SetRect(145, 100, 140, 140);
    m_Rect.EnforceMinSize(HIT_LEFT, m_Rect.m_rcTrack);
    EXPECT_EQ(m_Rect.m_rcTrack.left, 152);
}

TEST_F(RectTrackerTest, BodyDragStopsOneCanvasPixelRightOfTheOrigin)
{
    m_Rect.m_rcTrack.SetRect(20, 20, 60, 50);
    Move(CPoint(-100, 30));
    Release(CPoint(-100, 30));
    EXPECT_TRUE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(30, 30), nullptr));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(1, 20, 41, 50));

    // Scrolled by 50: client x -49 is canvas x 1.
    m_View.ScrollToPosition(CPoint(50, 0));
    m_Rect.m_rcTrack.SetRect(20, 20, 60, 50);
    Move(CPoint(-200, 30));
    Release(CPoint(-200, 30));
    EXPECT_TRUE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(30, 30), nullptr));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(-49, 20, -9, 50));
}

TEST_F(RectTrackerTest, KeysOtherThanEscapeAreDroppedDuringADrag)
{
    m_Rect.m_rcTrack.SetRect(50, 50, 90, 80);
    Move(CPoint(70, 70));
    Key('A');
    Key(VK_LEFT);
    Release(CPoint(70, 70));
    EXPECT_TRUE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(60, 60), nullptr));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(60, 60, 100, 90));
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
}

TEST_F(RectTrackerTest, RefusedWhileAnotherWindowHoldsTheCapture)
{
    ::SetCapture(m_hHost);
    m_Rect.m_rcTrack.SetRect(50, 50, 90, 80);
    Move(CPoint(70, 70));
    EXPECT_FALSE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(60, 60), nullptr));
    EXPECT_EQ(m_Rect.m_rcTrack, CRect(50, 50, 90, 80));
    EXPECT_EQ(::GetCapture(), m_hHost);
    ::ReleaseCapture();
}

TEST_F(RectTrackerTest, FeedbackLeavesNoTraceWhetherAcceptedOrCancelled)
{
    std::vector<uint32_t> before = Snapshot();
    m_Rect.m_rcTrack.SetRect(50, 50, 150, 120);
    Move(CPoint(80, 70));
    Move(CPoint(120, 90));
    Release(CPoint(120, 90));
    EXPECT_TRUE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(60, 60), nullptr));
    EXPECT_EQ(ClientPixels(View()), before);

    m_Rect.m_rcTrack.SetRect(50, 50, 150, 120);
    Move(CPoint(80, 70));
    Key(VK_ESCAPE);
    EXPECT_FALSE(m_Rect.DragHandle(HIT_BODY, ViewWnd(), CPoint(60, 60), nullptr));
    EXPECT_EQ(ClientPixels(View()), before);
}

TEST_F(RectTrackerTest, HandleCodesOutsideTheTableAreInvalidArguments)
{
    int* px = nullptr;
    int* py = nullptr;
    int x = 0;
    int y = 0;
    EXPECT_TRUE(ThrowsInvalidArgument([&] { m_Rect.EdgesForHandle(9, &px, &py, &x, &y); }));
    EXPECT_TRUE(ThrowsInvalidArgument([&] { m_Rect.EdgesForHandle(-1, &px, &py, &x, &y); }));
    EXPECT_TRUE(ThrowsInvalidArgument([&] { m_Rect.FlipHandleCode(-2); }));
    EXPECT_EQ(m_Rect.FlipHandleCode(HIT_BODY), HIT_BODY);

    // The middle of the top edge moves only y; its reference x is the middle.
    m_Rect.m_rcTrack.SetRect(10, 20, 50, 60);
    m_Rect.EdgesForHandle(HIT_TOP, &px, &py, &x, &y);
    EXPECT_EQ(px, nullptr);
    EXPECT_EQ(py, &m_Rect.m_rcTrack.top);
    EXPECT_EQ(CPoint(x, y), CPoint(30, 20));
}

}  // namespace
