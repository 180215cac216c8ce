// Selection by press and band, moves by key, z-order, colour, canvas size,
// the context-menu hit test and tooltips.
#include "CanvasTestSupport.h"

namespace {

class SelectionTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        m_pA = Create("CTEProcIN_0", 40, 40, "A");
        m_pB = Create("CTEProcFUNC_2xPLUS", 240, 40, "B");
        m_pC = Create("CTEProcOUT_0", 240, 200, "C");
        ASSERT_TRUE(m_pA && m_pB && m_pC);
        Settle();
    }
    CPoint Body(CTrackObject* pBlock) { return pBlock->m_rcPos.CenterPoint() - m_View.GetScrollPosition(); }
    // A line from A's output over a bend to B's first input, as the document
    // connects it.
    CLineItem* LineAB(CPoint bend)
    {
        auto* pLine = new CLineItem;
        POINT pt;
        m_pA->GetPinPoint(PIN_SIDE_OUTPUT, 0, &pt);
        pLine->AddPoint(pt.x, pt.y);
        pLine->AddPoint(bend.x, bend.y);
        m_pB->GetPinPoint(PIN_SIDE_INPUT, 0, &pt);
        pLine->AddPoint(pt.x, pt.y);
        EXPECT_EQ(m_Document.ConnectLineTo(m_pA, m_pB, pLine), 1);
        m_Document.m_LineList.Add(pLine);
        m_View.Invalidate(TRUE);
        return pLine;
    }
    std::vector<std::string> Selected()
    {
        std::vector<std::string> names;
        for (INT_PTR i = 0; i < m_Tracker.m_selection.GetSize(); ++i)
            names.push_back(m_Tracker.m_selection[i]->m_szName.c_str());
        return names;
    }
    CTETrackObject* m_pA = nullptr;
    CTETrackObject* m_pB = nullptr;
    CTETrackObject* m_pC = nullptr;
};

TEST_F(SelectionTest, PressSelectsCtrlTogglesOneShiftAdds)
{
    Click(Body(m_pA));
    Run();
    EXPECT_EQ(m_View.m_nPressResult, 1);
    EXPECT_EQ(Selected(), std::vector<std::string>({"A"}));
    EXPECT_TRUE(m_pA->m_bSelected);

    Click(Body(m_pB), MK_SHIFT);
    Click(Body(m_pC), MK_SHIFT);
    Run();
    EXPECT_EQ(Selected(), std::vector<std::string>({"A", "B", "C"}));

    Click(Body(m_pB), MK_CONTROL);
    Run();
    EXPECT_EQ(Selected(), std::vector<std::string>({"A", "C"}));
    EXPECT_FALSE(m_pB->m_bSelected);

    // A plain press on an unselected block starts afresh, lines included.
    CLineItem* pLine = LineAB(CPoint(150, 150));
    m_Tracker.m_pLineTracker->AddToSelection(pLine);
    Click(Body(m_pB));
    Run();
    EXPECT_EQ(Selected(), std::vector<std::string>({"B"}));
    EXPECT_FALSE(m_pA->m_bSelected);
    EXPECT_EQ(m_Tracker.m_pLineTracker->GetSelectionCount(), 0);

    // A press on empty canvas deselects everything and hits nothing.
    Click(CPoint(500, 330));
    Run();
    EXPECT_EQ(m_View.m_nPressResult, 0);
    EXPECT_TRUE(Selected().empty());
    ExpectNoTrace();
}

TEST_F(SelectionTest, MovesStopAtTheCanvasOrigin)
{
    m_pA->SetPosition(CRect(0, 40, 120, 100));
    m_Tracker.Select(m_pA);
    m_Tracker.MoveSelection(1, 0);
    EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(0, 40));
    m_Tracker.MoveSelection(-1, 0);
    EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(1, 40));
    m_Tracker.MoveSelection(0, 41);
    EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(1, 40));
    m_Tracker.MoveSelection(0, 40);
    EXPECT_EQ(m_pA->m_rcPos.TopLeft(), CPoint(1, 0));
    EXPECT_TRUE(m_pA->m_bMoved);
}

TEST_F(SelectionTest, ArrowKeysNudgeByAPixelThenByTheGrid)
{
    m_Tracker.Select(m_pB);
    PlInputKey(VK_LEFT, TRUE);
    PlInputKey(VK_LEFT, FALSE);
    Run();
    // Down: one pixel left; up: the grid step back the other way, as the
    // view's key handlers pair them.
    EXPECT_EQ(m_pB->m_rcPos.TopLeft(), CPoint(240 + 1 - 5, 40));
    ExpectNoTrace();
}

TEST_F(SelectionTest, BackgroundBlockIsPaintedFirstAndHitLast)
{
    m_pB->SetPosition(CRect(CPoint(60, 50), m_pB->m_rcPos.Size()));  // over A
    m_View.Invalidate(TRUE);
    ASSERT_EQ(m_Tracker.ObjectAt(70, 60), m_pB);
    m_Tracker.MoveToBackground(m_pB);
    EXPECT_EQ(m_Document.m_DisplayList[0], m_pB);
    EXPECT_EQ(m_Tracker.ObjectAt(70, 60), m_pA);
    m_Tracker.MoveToForeground(m_pB);
    EXPECT_EQ(m_Document.m_DisplayList[m_Document.m_DisplayList.GetSize() - 1], m_pB);
    EXPECT_EQ(m_Tracker.ObjectAt(70, 60), m_pB);
    ExpectNoTrace();
}

TEST_F(SelectionTest, CanvasSizeCoversTheBlocksWithAMargin)
{
    CRect rc = m_pC->m_rcPos;
    EXPECT_EQ(m_Tracker.GetCanvasSize(), CSize(rc.right + 15, rc.bottom + 15));
    m_Document.Clear();
    EXPECT_EQ(m_Tracker.GetCanvasSize(), CSize(16, 16));
}

TEST_F(SelectionTest, BandSelectsBlocksItMeetsAndOnlyThenTheBendsInside)
{
    CLineItem* pLine = LineAB(CPoint(180, 300));
    Settle();

    // Around the bend only: no block met, no point selected.
    Drag(CPoint(160, 280), {CPoint(190, 310), CPoint(200, 320)});
    Run();
    EXPECT_EQ(m_View.m_nPressResult, 0);
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(pLine->m_bPointSelected[1]);
    ExpectNoTrace();

    // Meeting the blocks as well: they are selected and the bend with them.
    Drag(CPoint(20, 20), {CPoint(200, 200), CPoint(260, 320)});
    Run();
    EXPECT_EQ(Selected(), std::vector<std::string>({"A", "B", "C"}));
    EXPECT_TRUE(pLine->m_bPointSelected[1]);
    EXPECT_FALSE(pLine->m_bPointSelected[0]);
    ExpectNoTrace();

    // Moving the selection takes the bend along.
    m_Tracker.MoveSelection(-5, 0);
    EXPECT_EQ(pLine->m_points[1], CPoint(185, 300));
}

TEST_F(SelectionTest, ColourGoesToSelectedRootLinesAndTheirBranches)
{
    CLineItem* pLine = LineAB(CPoint(180, 300));
    auto* pBranch = new CLineItem;
    pBranch->m_pParent = pLine;
    pBranch->m_nNode = 1;
    pBranch->AddPoint(180, 300);
    POINT pt;
    m_pC->GetPinPoint(PIN_SIDE_INPUT, 0, &pt);
    pBranch->AddPoint(pt.x, pt.y);
    ASSERT_EQ(m_Document.ConnectLineTo(nullptr, m_pC, pBranch), 1);
    m_Document.m_LineList.Add(pBranch);

    // A branch alone keeps its root's colour.
    m_Tracker.m_pLineTracker->AddToSelection(pBranch);
    PlPushDialogAnswer("color", RGB(0, 200, 0));
    m_Tracker.ChangeColor();
    EXPECT_EQ(pLine->m_color, RGB(0, 0, 0));
    EXPECT_EQ(pBranch->m_color, RGB(0, 0, 0));

    // Cancelled: nothing.
    m_Tracker.m_pLineTracker->AddToSelection(pLine);
    m_Tracker.ChangeColor();
    EXPECT_EQ(pLine->m_color, RGB(0, 0, 0));

    PlPushDialogAnswer("color", RGB(0, 200, 0));
    m_Tracker.ChangeColor();
    EXPECT_EQ(pLine->m_color, RGB(0, 200, 0));
    EXPECT_EQ(pBranch->m_color, RGB(0, 200, 0));
    EXPECT_TRUE(pLine->m_bModified);
    EXPECT_TRUE(pBranch->m_bModified);
    ExpectNoTrace();
}

TEST_F(SelectionTest, LineMenuHitTellsSegmentsBendsAndBendsWithABranch)
{
    CLineItem* pLine = LineAB(CPoint(180, 300));
    int nBranch = -1;
    EXPECT_EQ(m_Tracker.HitTestLineMenu(500, 380, &nBranch), 0);
    CPoint mid((pLine->m_points[1].x + pLine->m_points[2].x) / 2, (pLine->m_points[1].y + pLine->m_points[2].y) / 2);
    EXPECT_EQ(m_Tracker.HitTestLineMenu(mid.x, mid.y, &nBranch), 1);
    EXPECT_EQ(nBranch, 0);
    EXPECT_EQ(m_Tracker.HitTestLineMenu(180, 300, &nBranch), 2);  // the bend

    auto* pBranch = new CLineItem;
    pBranch->m_pParent = pLine;
    pBranch->m_nNode = 1;
    pBranch->AddPoint(180, 300);
    pBranch->AddPoint(180, 380);
    m_Document.m_LineList.Add(pBranch);
    EXPECT_EQ(m_Tracker.HitTestLineMenu(180, 300, &nBranch), 1);
    EXPECT_EQ(m_Tracker.HitTestLineMenu(180, 360, &nBranch), 1);
    EXPECT_EQ(nBranch, 1);
}

TEST_F(SelectionTest, TooltipFollowsTheMouse)
{
    m_pA->m_szConnection.Assign("Amp1");
    m_pA->m_szFunction.Assign("Gain");
    Move(Body(m_pA));
    Run();
    PlTooltipState state;
    ASSERT_TRUE(PlGetTooltipState(m_Tracker.m_hToolTip, &state));
    EXPECT_TRUE(state.active);
    // The tip shows once the mouse rests over the view with a text set.
    Move(Body(m_pA) + CPoint(1, 0));
    Run();
    PlHeadlessAdvanceClock(2000);
    PlPumpMessages();
    ASSERT_TRUE(PlGetTooltipState(m_Tracker.m_hToolTip, &state));
    EXPECT_EQ(state.text, "Amp1.Gain");

    // Function blocks have none; empty canvas neither.
    Move(Body(m_pB));
    Run();
    ASSERT_TRUE(PlGetTooltipState(m_Tracker.m_hToolTip, &state));
    EXPECT_FALSE(state.active);
    Move(Body(m_pA));
    Move(CPoint(500, 350));
    Run();
    ASSERT_TRUE(PlGetTooltipState(m_Tracker.m_hToolTip, &state));
    EXPECT_FALSE(state.active);
}

}  // namespace
