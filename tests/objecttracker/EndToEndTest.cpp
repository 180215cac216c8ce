// One editing session against the embedded device, every step a real
// gesture: a line drawn with two bends, a branch from a bend, a segment
// dragged, a block dragged, two blocks banded and nudged, z-order, a colour
// and a delete. After each step the device holds what the canvas shows and
// the screen is a fresh paint of the model.
#include "CanvasTestSupport.h"

namespace {

class EndToEndTest : public CanvasTest {
protected:
    CPoint Body(CTrackObject* pBlock) { return pBlock->m_rcPos.CenterPoint() - m_View.GetScrollPosition(); }
    void Checkpoint(const char* pszStep)
    {
        SCOPED_TRACE(pszStep);
        EXPECT_EQ(::GetCapture(), nullptr);
        ExpectDeviceMatchesCanvas();
        ExpectNoTrace();
    }
    // Clicks for a new line: the press on the start and its release, then a
    // move and a click for every further point.
    void QueueNewLine(CPoint start, std::initializer_list<CPoint> points)
    {
        Click(start);
        for (CPoint pt : points) {
            Move(pt);
            Click(pt);
        }
    }
};

TEST_F(EndToEndTest, EditingSessionKeepsTheDeviceEqualToTheCanvas)
{
    CTETrackObject* pSrc = Create("CTEProcIN_0", 40, 40, "Src");
    CTETrackObject* pSum = Create("CTEProcFUNC_2xPLUS", 300, 40, "Sum");
    CTETrackObject* pDst = Create("CTEProcOUT_0", 300, 220, "Dst");
    ASSERT_TRUE(pSrc && pSum && pDst);
    Settle();
    Checkpoint("blocks");

    // A line from Src's output over two bends to Sum's first input.
    CPoint out = PinClient(pSrc, PIN_SIDE_OUTPUT, 0);
    CPoint in0 = PinClient(pSum, PIN_SIDE_INPUT, 0);
    CPoint bend1(out.x + 60, out.y);
    CPoint bend2(out.x + 60, in0.y + 40);
    QueueNewLine(out, {bend1, bend2, CPoint(in0.x + 1, in0.y + 1)});
    Run();
    EXPECT_EQ(m_View.m_nPressResult, 1);
    ASSERT_EQ(m_Document.m_LineList.GetSize(), 1);
    CLineItem* pLine = m_Document.m_LineList[0];
    EXPECT_EQ(pLine->m_nPoints, 4);
    EXPECT_EQ(pLine->m_pSource, pSrc);
    EXPECT_EQ(pLine->m_pTarget, pSum);
    Checkpoint("line with two bends");

    // A branch from the second bend to Dst's input, with a bend of its own.
    CPoint dstIn = PinClient(pDst, PIN_SIDE_INPUT, 0);
    CPoint bend3(bend2.x, dstIn.y);
    Press(bend2);
    Release(bend2);
    Move(bend3);
    Click(bend3);
    Move(dstIn);
    Click(dstIn);
    Run();
    ASSERT_EQ(m_Document.m_LineList.GetSize(), 2);
    CLineItem* pBranch = m_Document.m_LineList[1];
    EXPECT_EQ(pBranch->m_pParent, pLine);
    EXPECT_EQ(pBranch->m_nNode, 2);
    EXPECT_EQ(pBranch->m_pTarget, pDst);
    Checkpoint("branch from a bend");

    // The segment between the bends moves right; the branch stays on its
    // node. The first move of a segment drag only sets where it starts from.
    CPoint p1 = pLine->m_points[1];
    CPoint p2 = pLine->m_points[2];
    CPoint segment(p1.x, (p1.y + p2.y) / 2);
    Press(segment);
    Move(segment + CPoint(10, 0));
    Move(segment + CPoint(20, 0));
    Release(segment + CPoint(20, 0));
    Run();
    EXPECT_EQ(pLine->m_points[1], p1 + CPoint(10, 0));
    EXPECT_EQ(pLine->m_points[2], p2 + CPoint(10, 0));
    EXPECT_EQ(pBranch->m_points[0], pLine->m_points[2]);
    Checkpoint("segment dragged");

    // Src dragged down; the line's end follows it.
    CPoint from = Body(pSrc);
    Drag(from, {from + CPoint(5, 30), from + CPoint(10, 60)});
    Run();
    EXPECT_EQ(pSrc->m_rcPos.TopLeft(), CPoint(50, 100));
    POINT pin;
    pSrc->GetPinPoint(PIN_SIDE_OUTPUT, 0, &pin);
    EXPECT_EQ(pLine->GetFirstPoint() == CPoint(pin) || pLine->GetLastPoint() == CPoint(pin), true);
    Checkpoint("block dragged");

    // Src and Sum banded, then nudged with the right arrow: down moves one
    // pixel left, up the grid step back.
    CRect rcBand(pSrc->m_rcPos.left - 10, 20, pSum->m_rcPos.left + 10, 30);
    Drag(rcBand.TopLeft(), {rcBand.BottomRight() + CPoint(0, 100)});
    Run();
    EXPECT_EQ(m_Tracker.GetSelectedCount(), 2);
    Key(VK_RIGHT);
    Run();
    EXPECT_EQ(pSrc->m_rcPos.TopLeft(), CPoint(54, 100));
    EXPECT_EQ(pSum->m_rcPos.TopLeft(), CPoint(304, 40));
    Checkpoint("two blocks nudged");

    // Dst goes to the background.
    m_Tracker.MoveToBackground(pDst);
    EXPECT_EQ(m_Document.m_DisplayList[0], pDst);
    Checkpoint("background");

    // The line recoloured after a press on one of its segments.
    Click(CPoint(pLine->m_points[1].x, (pLine->m_points[1].y + pLine->m_points[2].y) / 2));
    Run();
    PlPushDialogAnswer("color", RGB(200, 0, 0));
    m_Tracker.ChangeColor();
    EXPECT_EQ(pLine->m_color, RGB(200, 0, 0));
    EXPECT_EQ(pBranch->m_color, RGB(200, 0, 0));
    Checkpoint("recoloured");

    // Dst deleted: the branch to it goes too.
    Click(Body(pDst));
    Run();
    Key(VK_DELETE);
    Run();
    EXPECT_EQ(m_Document.FindBlock("Dst"), nullptr);
    ASSERT_EQ(m_Document.m_LineList.GetSize(), 1);
    EXPECT_EQ(m_Document.m_LineList[0], pLine);
    Checkpoint("block deleted");
}

}  // namespace
