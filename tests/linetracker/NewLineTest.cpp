// Drawing new lines from pins through the real queue: bends on the grid, the
// end pin rules, the Shift constraint, the 30-point limit and every way of
// giving up, each checked in the model, on the device and against a fresh
// paint.
#include "LineTrackerTestSupport.h"

namespace {

class NewLineTest : public LineTrackerTest {
protected:
    void SetUp() override
    {
        LineTrackerTest::SetUp();
        m_pIn = Create("CTEProcIN_1", 40, 40);
        m_pSum = Create("CTEProcFUNC_2xPLUS", 220, 160);
        m_pOut = Create("CTEProcOUT_1", 420, 300);
        ASSERT_TRUE(m_pIn && m_pSum && m_pOut);
        Repaint();
    }
    CPoint Out(CTrackObject* pBlock) { return Pin(pBlock, PIN_SIDE_OUTPUT, 0); }
    CPoint In(CTrackObject* pBlock, UINT i = 0) { return Pin(pBlock, PIN_SIDE_INPUT, i); }
    // A click a little off the pin's centre, after moving there.
    void ClickNear(CPoint pt)
    {
        Move(pt + CPoint(1, -1));
        Click(pt + CPoint(1, -1));
    }

    CTETrackObject* m_pIn = nullptr;
    CTETrackObject* m_pSum = nullptr;
    CTETrackObject* m_pOut = nullptr;
};

}  // namespace

TEST_F(NewLineTest, LineFromAnOutputOverABendToAnInputReachesTheDevice)
{
    Down(Out(m_pIn));
    Up(Out(m_pIn));
    Move(CPoint(184, 127));
    Click(CPoint(184, 127));
    ClickNear(In(m_pSum, 1));
    CLineItem* pLine = PressPin();

    ASSERT_NE(pLine, nullptr);
    ASSERT_EQ(pLine->m_nPoints, 3);
    EXPECT_EQ(pLine->m_points[0], Out(m_pIn));
    EXPECT_EQ(pLine->m_points[1], CPoint(180, 130));
    EXPECT_EQ(pLine->m_points[2], In(m_pSum, 1));
    EXPECT_EQ(pLine->m_pSource, m_pIn);
    EXPECT_EQ(pLine->m_pTarget, m_pSum);
    EXPECT_TRUE(Lines().IsInSelection(pLine));
    EXPECT_EQ(m_Document.m_LineList.GetSize(), 1);
    EXPECT_EQ(::GetCapture(), nullptr);
    ExpectOnDevice(pLine);
    ExpectNoTrace();
}

TEST_F(NewLineTest, EndsThatCannotBeConnectedAreIgnoredUntilOneCan)
{
    // From an input: another input and an end on the start block are
    // refused; an output is accepted.
    Down(In(m_pSum, 0));
    ClickNear(In(m_pOut));
    ClickNear(Out(m_pSum));
    ClickNear(Out(m_pIn));
    CLineItem* pLine = PressPin();

    ASSERT_NE(pLine, nullptr);
    EXPECT_EQ(pLine->m_nPoints, 2);
    EXPECT_EQ(pLine->m_pSource, m_pIn);
    EXPECT_EQ(pLine->m_pTarget, m_pSum);
    ExpectOnDevice(pLine);
    ExpectNoTrace();

    // From an output, another output is refused.
    Down(Out(m_pSum));
    ClickNear(Out(m_pIn));
    ClickNear(In(m_pOut));
    pLine = PressPin();
    ASSERT_NE(pLine, nullptr);
    EXPECT_EQ(pLine->m_pSource, m_pSum);
    EXPECT_EQ(pLine->m_pTarget, m_pOut);
    ExpectNoTrace();
}

TEST_F(NewLineTest, ShiftAloneConstrainsTheRubberSegmentTo15DegreeSteps)
{
    // About 16.7 degrees up from (100, 300): tan 15 degrees gives 26 up.
    Move(CPoint(200, 270), MK_SHIFT);
    Click(CPoint(200, 270));
    ASSERT_EQ(Lines().TrackLineSegment(m_pView, 100, 300), 1);
    EXPECT_EQ(Lines().m_rcSegment, CRect(100, 300, 200, 274));

    Move(CPoint(200, 270), MK_SHIFT | MK_CONTROL);
    Click(CPoint(200, 270));
    ASSERT_EQ(Lines().TrackLineSegment(m_pView, 100, 300), 1);
    EXPECT_EQ(Lines().m_rcSegment, CRect(100, 300, 200, 270));

    // A click before any move ends nowhere.
    Click(CPoint(250, 250));
    ASSERT_EQ(Lines().TrackLineSegment(m_pView, 100, 300), 1);
    EXPECT_EQ(Lines().m_rcSegment, CRect(100, 300, 100, 300));
    ExpectNoTrace();
}

TEST_F(NewLineTest, ThirtiethPointEndsTheLineUnconnected)
{
    Down(Out(m_pIn));
    for (int i = 0; i < 30; ++i) {
        const CPoint bend(100 + (i % 2) * 30, 40 + i * 10);
        Move(bend);
        Click(bend);
    }
    CLineItem* pLine = PressPin();

    ASSERT_NE(pLine, nullptr);
    EXPECT_EQ(pLine->m_nPoints, MAX_LINE_POINTS);
    EXPECT_EQ(pLine->m_points[29], CPoint(100, 320));  // the 29th bend
    EXPECT_EQ(pLine->m_pTarget, nullptr);
    EXPECT_EQ(m_Document.m_LineList.GetSize(), 1);
    EXPECT_TRUE(Lines().IsInSelection(pLine));
    ExpectNoTrace();
}

TEST_F(NewLineTest, ConnectionRefusedByTheEditorDropsTheLine)
{
    m_Tracker.SetDocument(nullptr);  // a tracker without a document connects nothing
    Down(Out(m_pIn));
    Move(CPoint(184, 127));
    Click(CPoint(184, 127));
    ClickNear(In(m_pSum, 1));
    EXPECT_EQ(PressPin(), nullptr);
    EXPECT_EQ(m_Document.m_LineList.GetSize(), 0);
    EXPECT_EQ(Lines().GetSelectionCount(), 0);
    ExpectNoTrace();
}

// Every way of giving up a new line drops it, frees the start pin and leaves
// no trace, also after bends were placed.
enum class DrawEnd { Escape, RightButton, CaptureTaken, QueueDry };

class DrawEndTest : public NewLineTest, public ::testing::WithParamInterface<DrawEnd> {
protected:
    std::unique_ptr<PaintHook> m_pHook;
};

TEST_P(DrawEndTest, DropsTheLineWithoutTrace)
{
    Down(Out(m_pIn));
    Move(CPoint(184, 127));
    Click(CPoint(184, 127));
    Move(CPoint(300, 91));
    switch (GetParam()) {
    case DrawEnd::Escape:
        Escape();
        break;
    case DrawEnd::RightButton:
        RightDown(CPoint(300, 91));
        break;
    case DrawEnd::CaptureTaken:
        // The click on an input that follows must not end the line.
        m_pHook = std::make_unique<PaintHook>([this] {
            ::SetCapture(m_pHook->m_hWnd);
            ClickNear(In(m_pSum, 1));
        });
        break;
    case DrawEnd::QueueDry:
        break;
    }
    EXPECT_EQ(PressPin(), nullptr);

    EXPECT_EQ(m_Document.m_LineList.GetSize(), 0);
    for (CLineItem* pSlot : m_pIn->m_pOutputs[0].m_pLines)
        EXPECT_EQ(pSlot, nullptr);
    EXPECT_NE(::GetCapture(), m_pView->m_hWnd);
    m_Document.Tick();
    EXPECT_TRUE(corvala::EmbeddedDevice("TE1").LineRecords().empty());
    ExpectNoTrace();
}

INSTANTIATE_TEST_SUITE_P(Ends, DrawEndTest,
                         ::testing::Values(DrawEnd::Escape, DrawEnd::RightButton, DrawEnd::CaptureTaken,
                                           DrawEnd::QueueDry));
