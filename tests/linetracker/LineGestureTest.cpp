// Point and segment drags on a line through the real queue: the model, the
// device after the next tick, and a canvas with no trace of the feedback.
#include "LineTrackerTestSupport.h"

namespace {

// A line from A's output over two bends to B's input, and a branch from its
// first bend to C's input.
class LineGestureTest : public LineTrackerTest {
protected:
    void SetUp() override
    {
        LineTrackerTest::SetUp();
        m_pA = Create("CTEProcIN_1", 40, 40);
        m_pB = Create("CTEProcOUT_1", 400, 240);
        m_pC = Create("CTEProcOUT_1", 400, 120);
        ASSERT_TRUE(m_pA && m_pB && m_pC);
        m_out = Pin(m_pA, PIN_SIDE_OUTPUT, 0);
        m_bend1 = CPoint(200, 70);
        m_bend2 = CPoint(200, 270);
        m_pLine = AddLine({m_out, m_bend1, m_bend2, Pin(m_pB, PIN_SIDE_INPUT, 0)}, m_pA, m_pB);
        m_pBranch = AddLine({m_bend1, CPoint(300, 70), Pin(m_pC, PIN_SIDE_INPUT, 0)}, nullptr, m_pC, m_pLine, 1);
        m_Document.Tick();
        Repaint();
    }

    CTETrackObject* m_pA = nullptr;
    CTETrackObject* m_pB = nullptr;
    CTETrackObject* m_pC = nullptr;
    CLineItem* m_pLine = nullptr;
    CLineItem* m_pBranch = nullptr;
    CPoint m_out, m_bend1, m_bend2;
};

}  // namespace

TEST_F(LineGestureTest, DraggedBendFollowsTheGridAndTheBranchFollowsOnRelease)
{
    Down(m_bend1);
    Move(CPoint(214, 93));
    Move(CPoint(233, 157));
    Up(CPoint(233, 157));
    EXPECT_EQ(Press(), 0);

    EXPECT_EQ(m_pLine->m_points[1], CPoint(230, 160));
    EXPECT_EQ(m_pLine->m_points[2], m_bend2);
    EXPECT_EQ(m_pBranch->m_points[0], CPoint(230, 160));
    EXPECT_EQ(Lines().GetSelectionCount(), 0);  // the first move dropped it
    EXPECT_EQ(::GetCapture(), nullptr);
    ExpectOnDevice(m_pLine);
    ExpectOnDevice(m_pBranch);
    ExpectNoTrace();
}

TEST_F(LineGestureTest, DraggedSegmentMovesItsInnerPointsOnly)
{
    // The first segment touches the pin end: only the bend moves, by the
    // snapped distance between the first and the last move.
    Down(CPoint((m_out.x + m_bend1.x) / 2, (m_out.y + m_bend1.y) / 2));
    Move(CPoint(181, 71));
    Move(CPoint(199, 92));
    Up(CPoint(199, 92));
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(m_pLine->m_points[0], m_out);
    EXPECT_EQ(m_pLine->m_points[1], CPoint(220, 90));
    EXPECT_EQ(m_pBranch->m_points[0], CPoint(220, 90));
    ExpectNoTrace();

    // The middle segment drags both of its bends.
    Down(CPoint(209, 200));
    Move(CPoint(211, 201));
    Move(CPoint(241, 199));
    Up(CPoint(241, 199));
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(m_pLine->m_points[1], CPoint(250, 90));
    EXPECT_EQ(m_pLine->m_points[2], CPoint(230, 270));
    ExpectOnDevice(m_pLine);
    ExpectNoTrace();
}

TEST_F(LineGestureTest, BendDragInAScrolledViewWorksInCanvasCoordinates)
{
    m_pView->ScrollToPosition(CPoint(33, 17));
    Repaint();
    const CPoint scroll = m_pView->GetScrollPosition();
    ASSERT_EQ(scroll, CPoint(33, 17));
    Down(m_bend2 - scroll);
    Move(CPoint(150, 150) - scroll + CPoint(3, 3));
    Up(CPoint(150, 150) - scroll + CPoint(3, 3));
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(m_pLine->m_points[2], CPoint(150, 150));
    ExpectNoTrace();
}

TEST_F(LineGestureTest, PressAndReleaseOnASelectedBendDrawsABranchFromIt)
{
    const CPoint inC = Pin(m_pC, PIN_SIDE_INPUT, 0);
    Down(m_bend2);
    Up(m_bend2);
    Move(CPoint(300, 200));
    Click(CPoint(300, 200));
    Move(inC + CPoint(1, 1));
    Click(inC + CPoint(1, 1));
    EXPECT_EQ(Press(), 1);

    ASSERT_NE(m_pDrawn, nullptr);
    EXPECT_EQ(m_pDrawn->m_pParent, m_pLine);
    EXPECT_EQ(m_pDrawn->m_nNode, 2);
    ASSERT_EQ(m_pDrawn->m_nPoints, 3);
    EXPECT_EQ(m_pDrawn->m_points[0], m_bend2);
    EXPECT_EQ(m_pDrawn->m_points[1], CPoint(300, 200));
    EXPECT_EQ(m_pDrawn->m_points[2], inC);
    EXPECT_EQ(m_pDrawn->m_pTarget, m_pC);
    EXPECT_EQ(m_pDrawn->m_pSource, m_pA);  // taken from the parent
    EXPECT_TRUE(Lines().IsInSelection(m_pDrawn));
    EXPECT_EQ(m_Document.m_LineList[m_Document.m_LineList.GetSize() - 1], m_pDrawn);
    ExpectOnDevice(m_pDrawn);
    ExpectNoTrace();
}

TEST_F(LineGestureTest, PaintOverTheFeedbackInTheMiddleOfADragLeavesNoTrace)
{
    // The rubber segments cross block C when the canvas is painted, as a
    // tick that redraws blocks would, then the bend moves on.
    Down(m_bend1);
    Move(CPoint(481, 151));
    PaintHook hook([this] {
        m_pView->Invalidate(TRUE);
        m_pView->UpdateWindow();
        Move(CPoint(263, 187));
        Up(CPoint(263, 187));
    });
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(m_pLine->m_points[1], CPoint(260, 190));
    ExpectNoTrace();
}

// Every way a drag can end early leaves the bend where it got to and the
// canvas as a fresh paint shows it.
enum class DragEnd { Escape, RightButton, CaptureTaken, QueueDry };

class DragEndTest : public LineGestureTest, public ::testing::WithParamInterface<DragEnd> {
protected:
    std::unique_ptr<PaintHook> m_pHook;
};

TEST_P(DragEndTest, EndsTheDragWithoutTrace)
{
    Down(m_bend1);
    Move(CPoint(233, 157));
    switch (GetParam()) {
    case DragEnd::Escape:
        Escape();
        break;
    case DragEnd::RightButton:
        RightDown(CPoint(233, 157));
        break;
    case DragEnd::CaptureTaken:
        // Once the queued input is read; the mouse then moves on and is
        // released, which the drag must not see.
        m_pHook = std::make_unique<PaintHook>([this] {
            ::SetCapture(m_pHook->m_hWnd);
            Move(CPoint(330, 330));
            Up(CPoint(330, 330));
        });
        break;
    case DragEnd::QueueDry:
        break;
    }
    Move(CPoint(263, 187));
    EXPECT_EQ(Press(), 0);

    // Escape and the right button end the drag before the last move; a
    // lost capture ends it before the move and release that follow it.
    const bool bEndedEarly = GetParam() == DragEnd::Escape || GetParam() == DragEnd::RightButton;
    const CPoint reached = bEndedEarly ? CPoint(230, 160) : CPoint(260, 190);
    EXPECT_EQ(m_pLine->m_points[1], reached);
    EXPECT_EQ(m_pBranch->m_points[0], m_bend1);  // branches follow only an accepted drag
    EXPECT_NE(::GetCapture(), m_pView->m_hWnd);
    ExpectOnDevice(m_pLine);
    ExpectNoTrace();
}

INSTANTIATE_TEST_SUITE_P(Ends, DragEndTest,
                         ::testing::Values(DragEnd::Escape, DragEnd::RightButton, DragEnd::CaptureTaken,
                                           DragEnd::QueueDry));
