// Whole gestures through the queue: block drags and rubber bands accepted,
// cancelled by Escape or the right button, ended by another window taking
// the capture or by the queue running dry, and in a scrolled view. Each
// checks the press result, the model, the device after a tick and that the
// screen equals a fresh paint.
#include "CanvasTestSupport.h"

namespace {

// Takes the mouse capture when its timer fires, as another window grabbing
// the mouse in the middle of a gesture would.
HWND g_hThief = nullptr;
void CALLBACK StealCapture(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::SetCapture(g_hThief);
}

class GestureTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        m_pA = Create("CTEProcIN_0", 40, 40, "A");
        m_pB = Create("CTEProcOUT_0", 300, 60, "B");
        ASSERT_TRUE(m_pA && m_pB);
        // A line from A's output over two bends to B's input.
        m_pLine = new CLineItem;
        POINT pt;
        m_pA->GetPinPoint(PIN_SIDE_OUTPUT, 0, &pt);
        m_pLine->AddPoint(pt.x, pt.y);
        m_pLine->AddPoint(220, pt.y);
        POINT to;
        m_pB->GetPinPoint(PIN_SIDE_INPUT, 0, &to);
        m_pLine->AddPoint(220, to.y);
        m_pLine->AddPoint(to.x, to.y);
        ASSERT_EQ(m_Document.ConnectLineTo(m_pA, m_pB, m_pLine), 1);
        m_Document.m_LineList.Add(m_pLine);
        Settle();
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        CanvasTest::TearDown();
    }
    CPoint Body(CTrackObject* pBlock) { return pBlock->m_rcPos.CenterPoint() - m_View.GetScrollPosition(); }
    // The end point of the line on A's output.
    CPoint SourceEnd()
    {
        return m_pLine->m_nDirection == LINE_DIRECTION_FROM_TARGET ? m_pLine->GetLastPoint()
                                                                    : m_pLine->GetFirstPoint();
    }
    void QueueCaptureThief()
    {
        g_hThief = m_hHost;
        ::SetTimer(nullptr, 0, 10, StealCapture);
        PlHeadlessAdvanceClock(20);
    }

    CTETrackObject* m_pA = nullptr;
    CTETrackObject* m_pB = nullptr;
    CLineItem* m_pLine = nullptr;
};

TEST_F(GestureTest, BlockDragSnapsTheLeftEdgeAndTakesTheLineEndAlong)
{
    CPoint from = Body(m_pA);
    CPoint endBefore = SourceEnd();
    Drag(from, {from + CPoint(10, 4), from + CPoint(33, 21)});
    Run();
    EXPECT_EQ(m_View.m_nPressResult, 1);
    // 40 + 33 = 73 goes down to the grid line at 70; 40 + 21 to 60.
    EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(70, 60));
    EXPECT_EQ(SourceEnd(), endBefore + CPoint(30, 20));
    EXPECT_EQ(::GetCapture(), nullptr);
    ExpectDeviceMatchesCanvas();
    ExpectNoTrace();
}

TEST_F(GestureTest, EscapeAndRightButtonCancelADragWithoutATrace)
{
    for (int nWay = 0; nWay < 2; ++nWay) {
        SCOPED_TRACE(nWay == 0 ? "escape" : "right button");
        CPoint from = Body(m_pA);
        Press(from);
        Move(from + CPoint(40, 30));
        Move(from + CPoint(60, 50));
        if (nWay == 0)
            Key(VK_ESCAPE);
        else
            RightClick(from + CPoint(60, 50));
        Release(from + CPoint(60, 50));
        Run();
        EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(40, 40));
        EXPECT_FALSE(m_pA->m_bMoved);
        ExpectDeviceMatchesCanvas();
        ExpectNoTrace();
    }
}

TEST_F(GestureTest, ADragEndedByACaptureThiefOrADryQueueKeepsWhereItGot)
{
    for (int nWay = 0; nWay < 2; ++nWay) {
        SCOPED_TRACE(nWay == 0 ? "capture taken" : "queue dry");
        m_pA->SetPosition(CRect(CPoint(40, 40), m_pA->m_rcPos.Size()));
        CPoint from = Body(m_pA);
        Press(from);
        Move(from + CPoint(20, 10));
        Move(from + CPoint(41, 12));
        if (nWay == 0)
            QueueCaptureThief();
        Run();
        EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(80, 50));
        ExpectDeviceMatchesCanvas();
        ExpectNoTrace();
        ::ReleaseCapture();
    }
}

TEST_F(GestureTest, DragInAScrolledViewLandsUnderTheCursor)
{
    m_pA->SetPosition(CRect(CPoint(400, 300), m_pA->m_rcPos.Size()));
    m_View.ScrollToPosition(CPoint(200, 150));
    Settle();
    CPoint from = Body(m_pA);
    Drag(from, {from + CPoint(-50, 25)});
    Run();
    EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(350, 325));
    ExpectDeviceMatchesCanvas();
    ExpectNoTrace();
}

TEST_F(GestureTest, BandFrameLeavesNoTraceHoweverTheBandEnds)
{
    CPoint from(10, 200);
    CPoint to(400, 20);  // up and right: an inside-out band
    struct Way {
        const char* name;
        bool bSelects;
    };
    const Way ways[] = {{"released", true}, {"escape", false}, {"right button", false}, {"capture taken", true}, {"queue dry", true}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        m_Tracker.DeselectAll();
        Settle();
        Press(from);
        Move(from + CPoint(100, -50));
        Move(to);
        std::string name = way.name;
        if (name == "released")
            Release(to);
        else if (name == "escape")
            Key(VK_ESCAPE);
        else if (name == "right button")
            RightClick(to);
        else if (name == "capture taken")
            QueueCaptureThief();
        Run();
        EXPECT_EQ(m_View.m_nPressResult, 0);
        EXPECT_EQ(m_Tracker.GetSelectedCount(), way.bSelects ? 2 : 0);
        ExpectNoTrace();
        ::ReleaseCapture();
    }
}

TEST_F(GestureTest, BandScrollsTheViewAtItsEdgeAndKeepsItsAnchor)
{
    CRect rcClient;
    m_View.GetClientRect(&rcClient);
    Press(CPoint(20, 20));
    Move(CPoint(100, 100));
    // Below the view: one scroll step, then back inside.
    Move(CPoint(100, rcClient.bottom + 10));
    Move(CPoint(320, 120));
    Release(CPoint(320, 120));
    Run();
    CPoint scroll = m_View.GetScrollPosition();
    EXPECT_EQ(scroll, CPoint(0, 3));
    // From the press point on the canvas to the release point as scrolled:
    // A (40,40) is met, B (300,60) too.
    EXPECT_EQ(m_Tracker.GetSelectedCount(), 2);
    ExpectNoTrace();
}

TEST_F(GestureTest, DeleteTakesTheBlockAndItsLinesOffCanvasAndDevice)
{
    Click(Body(m_pB));
    Run();
    Key(VK_DELETE);
    Run();
    EXPECT_EQ(m_Document.m_BlockList.GetSize(), 1);
    EXPECT_EQ(m_Document.m_LineList.GetSize(), 0);
    EXPECT_EQ(m_Tracker.m_pLineTracker->m_pHitLine, nullptr);
    EXPECT_EQ(m_Tracker.GetSelectedCount(), 0);
    ExpectDeviceMatchesCanvas();
    EXPECT_EQ(DeviceBlocks(), std::vector<std::string>({"A 40,40"}));
    ExpectNoTrace();
}

}  // namespace
