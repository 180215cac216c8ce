// A reload replaces every block and line the canvas refers to. Under
// AddressSanitizer any pointer the tracker kept into the old program would
// fault as soon as the next gesture or paint used it.
#include "CanvasTestSupport.h"

namespace {

class ReloadTest : public CanvasTest {
public:
    void SetUp() override
    {
        CanvasTest::SetUp();
        m_pA = Create("CTEProcIN_0", 40, 40, "A");
        m_pB = Create("CTEProcOUT_0", 300, 60, "B");
        ASSERT_TRUE(m_pA && m_pB);
        CPoint out = PinClient(m_pA, PIN_SIDE_OUTPUT, 0);
        CPoint in = PinClient(m_pB, PIN_SIDE_INPUT, 0);
        Click(out);
        Move(CPoint(200, out.y));
        Click(CPoint(200, out.y));
        Move(CPoint(200, in.y));
        Click(CPoint(200, in.y));
        Move(in);
        Click(in);
        Run();
        ASSERT_EQ(m_Document.m_LineList.GetSize(), 1);
        m_Document.Tick();
    }
    // Another editor of the same device adds a block.
    void AnotherEditorAddsABlock()
    {
        tedevice::TEValue value;
        value.text = "CTEProcIN_0 Other" + std::to_string(++m_nOthers) + " 40,300";
        ASSERT_EQ(Device().Request("TESetProc", tedevice::TE_WRITE, tedevice::TE_TEXT, value), tedevice::TE_OK);
    }
    CTETrackObject* m_pA = nullptr;
    CTETrackObject* m_pB = nullptr;
    int m_nOthers = 0;
};

TEST_F(ReloadTest, SelectionIsFoundAgainByNameAndNoLinePointerSurvives)
{
    // Both blocks banded; the line selected with its bend recorded as the
    // hit point.
    Drag(CPoint(20, 20), {CPoint(500, 200)});
    Run();
    ASSERT_EQ(m_Tracker.GetSelectedCount(), 2);
    CLineItem* pOld = m_Document.m_LineList[0];
    m_Tracker.m_pLineTracker->AddToSelection(pOld);
    m_Tracker.m_pLineTracker->m_pHitLine = pOld;
    m_Tracker.m_pLineTracker->m_nHitPart = 1;
    m_Tracker.m_pLineTracker->m_pCurLine = pOld;

    AnotherEditorAddsABlock();
    m_Document.Tick();
    EXPECT_EQ(m_Page.m_nReplaced, 2);  // blocks, then lines

    ASSERT_EQ(m_Document.m_BlockList.GetSize(), 3);
    EXPECT_EQ(m_Tracker.GetSelectedCount(), 2);
    for (INT_PTR i = 0; i < m_Tracker.m_selection.GetSize(); ++i) {
        CTrackObject* pSelected = m_Tracker.m_selection[i];
        EXPECT_EQ(pSelected, m_Document.FindBlock(pSelected->m_szName));
        EXPECT_TRUE(pSelected->m_bSelected);
    }
    EXPECT_EQ(m_Tracker.m_pLineTracker->GetSelectionCount(), 0);
    EXPECT_EQ(m_Tracker.m_pLineTracker->m_pHitLine, nullptr);
    EXPECT_EQ(m_Tracker.m_pLineTracker->m_pCurLine, nullptr);

    // Everything that reads the selection still works on the new program.
    Key(VK_DOWN);
    Run();
    EXPECT_EQ(Block("A")->m_rcPos.top, 44);  // up one pixel, then down the grid step
    m_Tracker.DeleteSelected();
    EXPECT_EQ(m_Document.m_BlockList.GetSize(), 1);
    EXPECT_EQ(m_Document.m_LineList.GetSize(), 0);
    ExpectDeviceMatchesCanvas();
    ExpectNoTrace();
}

// Runs the tick in the middle of a drag, then lets the gesture go on.
struct TickDuringDrag {
    static void CALLBACK Run(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        s_pTest->AnotherEditorAddsABlock();
        s_pTest->m_Document.Tick();
        s_pTest->Move(s_from + CPoint(60, 0));
        s_pTest->Release(s_from + CPoint(60, 0));
    }
    static inline ReloadTest* s_pTest = nullptr;
    static inline CPoint s_from;

    // Presses at `from`, drags 40 pixels to the right, lets the tick run and
    // releases 60 pixels to the right of `from`.
    static void Drag(ReloadTest* pTest, CPoint from)
    {
        pTest->Press(from);
        pTest->Move(from + CPoint(20, 0));
        pTest->Move(from + CPoint(40, 0));
        s_pTest = pTest;
        s_from = from;
        ::SetTimer(nullptr, 0, 10, Run);
        PlHeadlessAdvanceClock(20);
        pTest->Run();
    }
};

TEST_F(ReloadTest, ReloadDuringABlockDragMovesTheBlocksFoundAgain)
{
    // The drag loop dispatches the timer that runs the tick; the program is
    // replaced under the drag, and the drop moves the new blocks.
    TickDuringDrag::Drag(this, m_pA->m_rcPos.CenterPoint());
    EXPECT_EQ(m_Page.m_nReplaced, 2);
    EXPECT_EQ(Block("A")->m_rcPos.TopLeft(), CPoint(100, 40));
    ExpectDeviceMatchesCanvas();
    ExpectNoTrace();
}

TEST_F(ReloadTest, ReloadDuringABendOrSegmentDragGoesOnWithTheLineFoundAgain)
{
    // A point or segment drag dispatches the tick too: the dragged line is
    // freed under it, and the drag goes on with the line read back in its
    // place, moved as far as the user had dragged it.
    for (const char* pszWhat : {"bend", "segment"}) {
        SCOPED_TRACE(pszWhat);
        m_Document.Tick();
        const CPoint bends[2] = {m_Document.m_LineList[0]->m_points[1], m_Document.m_LineList[0]->m_points[2]};
        const bool bSegment = pszWhat == std::string("segment");
        const CPoint from = bSegment ? CPoint((bends[0].x + bends[1].x) / 2, (bends[0].y + bends[1].y) / 2) : bends[0];
        const int nReplaced = m_Page.m_nReplaced;
        TickDuringDrag::Drag(this, from);
        EXPECT_EQ(m_Page.m_nReplaced, nReplaced + 2);
        ASSERT_EQ(m_Document.m_LineList.GetSize(), 1);
        const CLineItem& line = *m_Document.m_LineList[0];
        EXPECT_EQ(line.m_points[1], bends[0] + CPoint(60, 0));
        if (bSegment) {
            EXPECT_EQ(line.m_points[2], bends[1] + CPoint(60, 0));
        }
        m_Document.Tick();
        ExpectDeviceMatchesCanvas();
    }
    ExpectNoTrace();
}

}  // namespace
