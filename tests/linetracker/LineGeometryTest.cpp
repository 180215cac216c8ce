// Hit testing, bend insertion with the branches kept on their nodes, the
// angle constraint, selection of line families, and what painting shows.
#include "LineTrackerTestSupport.h"

namespace {

class LineGeometryTest : public LineTrackerTest {
protected:
    // A line the document owns, not connected to any block.
    CLineItem* Listed(std::initializer_list<CPoint> points, CLineItem* pParent = nullptr, int nNode = -1)
    {
        auto* pLine = new CLineItem;
        pLine->m_pParent = pParent;
        pLine->m_nNode = nNode;
        for (CPoint pt : points)
            pLine->AddPoint(pt.x, pt.y);
        pLine->SetColor(0);
        m_Document.m_LineList.Add(pLine);
        return pLine;
    }
    BYTE Hit(int x, int y, CLineItem* pLine, BYTE nMode = LINE_TEST_ONLY)
    {
        return Lines().HitTestLine(x, y, pLine, nMode);
    }
};

}  // namespace

TEST_F(LineGeometryTest, HitTestFindsPointsAndSegmentsWithinTheGrid)
{
    m_Page.m_wGrid = 15;
    CLineItem* pLine = Listed({CPoint(100, 100), CPoint(200, 100), CPoint(200, 200)});
    EXPECT_EQ(Lines().GetHandleRect(10, 10), CRect(8, 8, 13, 13));

    EXPECT_EQ(Hit(150, 114, pLine), LINE_HIT_TEST_SEGMENT);
    EXPECT_EQ(Lines().m_pHitLine, pLine);
    EXPECT_EQ(Lines().m_nHitPart, LINE_HIT_SEGMENT);
    EXPECT_EQ(Hit(150, 115, pLine), LINE_HIT_TEST_NONE);
    EXPECT_EQ(Hit(186, 150, pLine), LINE_HIT_TEST_SEGMENT);
    EXPECT_EQ(Lines().m_nHitPart, LINE_HIT_SEGMENT + 1);

    EXPECT_EQ(Hit(202, 102, pLine), LINE_HIT_TEST_POINT);
    EXPECT_EQ(Lines().m_nHitPart, 1);
    Lines().m_pHitLine = nullptr;
    EXPECT_EQ(Hit(98, 98, pLine), LINE_HIT_TEST_POINT);  // the first point: reported, not recorded
    EXPECT_EQ(Lines().m_pHitLine, nullptr);
    EXPECT_EQ(Hit(103, 103, pLine), LINE_HIT_TEST_SEGMENT);  // just outside its handle

    // A segment of length 1 is measured from its first point.
    CLineItem* pShort = Listed({CPoint(300, 300), CPoint(301, 300)});
    EXPECT_EQ(Hit(314, 300, pShort), LINE_HIT_TEST_SEGMENT);
    EXPECT_EQ(Hit(315, 300, pShort), LINE_HIT_TEST_NONE);

    m_Page.m_wGrid = 0;
    EXPECT_EQ(Hit(150, 101, pLine), LINE_HIT_TEST_NONE);
}

TEST_F(LineGeometryTest, BendsComeAndGoWhileBranchesKeepTheirNodes)
{
    CLineItem* pLine = Listed({CPoint(100, 100), CPoint(200, 100), CPoint(200, 200), CPoint(300, 200)});
    CLineItem* pOnBend = Listed({CPoint(200, 100), CPoint(260, 60)}, pLine, 1);
    CLineItem* pOnCorner = Listed({CPoint(200, 200), CPoint(150, 260)}, pLine, 2);
    auto placeBranches = [&] {
        CClientDC dc(m_pView);
        Lines().UpdateBranches(pLine, &dc);
    };

    EXPECT_EQ(Hit(151, 104, pLine, LINE_TEST_INSERT), LINE_HIT_TEST_POINT);
    ASSERT_EQ(pLine->m_nPoints, 5);
    EXPECT_EQ(pLine->m_points[1], CPoint(150, 100));
    EXPECT_EQ(pOnBend->m_nNode, 2);
    EXPECT_EQ(pOnCorner->m_nNode, 3);

    // Near the new bend: insert-only changes nothing, insert-or-remove
    // takes it out again.
    EXPECT_EQ(Hit(148, 103, pLine, LINE_TEST_INSERT), LINE_HIT_TEST_NONE);
    EXPECT_EQ(pLine->m_nPoints, 5);
    EXPECT_EQ(Hit(148, 103, pLine, LINE_TEST_INSERT_OR_REMOVE), LINE_HIT_TEST_POINT);
    EXPECT_EQ(pLine->m_nPoints, 4);
    EXPECT_EQ(pOnBend->m_nNode, 1);
    EXPECT_EQ(pOnCorner->m_nNode, 2);

    // A bend carrying a branch stays.
    EXPECT_EQ(Hit(199, 152, pLine, LINE_TEST_INSERT_OR_REMOVE), LINE_HIT_TEST_POINT);  // a new bend at (200, 150)
    EXPECT_EQ(Hit(201, 101, pLine, LINE_TEST_INSERT_OR_REMOVE), LINE_HIT_TEST_NONE);
    EXPECT_EQ(pLine->m_nPoints, 5);

    pLine->m_points[1].Offset(0, -20);
    pLine->m_points[3].Offset(0, 20);
    pOnBend->m_bModified = 0;
    placeBranches();
    EXPECT_EQ(pOnBend->m_points[0], CPoint(200, 80));
    EXPECT_EQ(pOnCorner->m_points[0], CPoint(200, 220));
    EXPECT_TRUE(pOnBend->m_bModified);

    // Every line under the point gets a bend.
    CLineItem* pCrossing = Listed({CPoint(250, 150), CPoint(250, 300)});
    EXPECT_TRUE(Lines().InsertBendAt(252, 205, &m_Document.m_LineList));
    EXPECT_EQ(pCrossing->m_points[1], CPoint(250, 210));
    EXPECT_EQ(pLine->m_points[4], CPoint(250, 210));
    EXPECT_FALSE(Lines().InsertBendAt(500, 500, &m_Document.m_LineList));
}

TEST_F(LineGeometryTest, ConstrainAngleSnapsTheEndVerticallyTo15DegreeSteps)
{
    struct Case {
        CRect in;
        int y2;
    };
    const Case cases[] = {
        {CRect(0, 0, 100, -30), -26},   // 16.7 degrees up: tan 15 degrees
        {CRect(0, 0, 100, 0), 0},       // already horizontal
        {CRect(0, 0, 0, 50), 50},       // vertical: x never changes
        {CRect(0, 0, 10, 100), 37},     // 84 degrees down: 75 degrees
        {CRect(0, 0, -10, -200), -200}, // just past 90 degrees: left alone
        {CRect(0, 0, -100, 5), 0},      // almost straight left: horizontal
    };
    for (const Case& c : cases) {
        CRect segment = c.in;
        Lines().ConstrainAngle(&segment);
        EXPECT_EQ(segment, CRect(c.in.left, c.in.top, c.in.right, c.y2)) << c.in.right << "," << c.in.bottom;
    }
}

TEST_F(LineGeometryTest, SelectingALineTakesItsWholeFamily)
{
    CLineItem* pRoot = Listed({CPoint(100, 100), CPoint(200, 100), CPoint(300, 100)});
    CLineItem* pBranch = Listed({CPoint(200, 100), CPoint(200, 200), CPoint(260, 200)}, pRoot, 1);
    CLineItem* pTwig = Listed({CPoint(200, 200), CPoint(120, 260)}, pBranch, 1);
    CLineItem* pOther = Listed({CPoint(100, 300), CPoint(300, 300)});
    auto* pList = &m_Document.m_LineList;

    EXPECT_EQ(Lines().SelectLineAt(m_pView, 0, 150, 103, pList), LINE_SELECT_SEGMENT);
    EXPECT_EQ(Lines().GetSelectionCount(), 3);
    EXPECT_TRUE(Lines().IsInSelection(pTwig));
    EXPECT_EQ(Lines().SelectLineAt(m_pView, MK_SHIFT, 200, 303, pList), LINE_SELECT_SEGMENT);
    EXPECT_EQ(Lines().GetSelectionCount(), 4);
    EXPECT_EQ(Lines().SelectLineAt(m_pView, MK_CONTROL, 150, 103, pList), LINE_SELECT_SEGMENT);
    ASSERT_EQ(Lines().GetSelectionCount(), 1);
    EXPECT_EQ(Lines().m_lineSelection[0], pOther);

    // A press on a pin end selects nothing; one on a bend selects.
    EXPECT_EQ(Lines().SelectLineAt(m_pView, 0, 101, 101, pList), LINE_SELECT_NONE);
    EXPECT_EQ(Lines().GetSelectionCount(), 0);
    EXPECT_EQ(Lines().SelectLineAt(m_pView, 0, 199, 201, pList), LINE_SELECT_POINT);
    EXPECT_EQ(Lines().m_pHitLine, pBranch);
    EXPECT_EQ(Lines().GetSelectionCount(), 2);  // the branch and its twig

    // Branches whose root lost its source lose theirs.
    pRoot->m_pSource = nullptr;
    pBranch->m_pSource = pTwig->m_pSource = Create("CTEProcIN_1", 500, 400);
    Lines().ClearOrphanBranchSources();
    EXPECT_EQ(pBranch->m_pSource, nullptr);
    EXPECT_EQ(pTwig->m_pSource, nullptr);
}

TEST_F(LineGeometryTest, PaintShowsValidityColourSelectionAndNodes)
{
    CLineItem* pPlain = Listed({CPoint(50, 50), CPoint(250, 50)});
    CLineItem* pInvalid = Listed({CPoint(50, 100), CPoint(150, 100), CPoint(250, 100)});
    pInvalid->m_bValid = FALSE;
    CLineItem* pBlue = Listed({CPoint(50, 150), CPoint(150, 150), CPoint(250, 150)});
    pBlue->SetColor(RGB(0, 0, 255));
    CLineItem* pBranch = Listed({CPoint(150, 150), CPoint(150, 250)}, pBlue, 1);
    Repaint();

    gfxtest::Pixels before = Client();
    EXPECT_EQ(before.At(100, 50), Rgb(RGB(0, 0, 0)));
    EXPECT_EQ(before.At(100, 51), Rgb(RGB(255, 255, 255)));
    EXPECT_EQ(before.At(100, 100), Rgb(RGB(255, 0, 0)));  // invalid: red although black
    EXPECT_EQ(before.At(150, 200), Rgb(RGB(0, 0, 255)));  // the branch takes its parent's colour
    EXPECT_EQ(before.At(150, 149), Rgb(RGB(0, 0, 255)));  // node dot, unselected
    EXPECT_EQ(before.At(149, 99), Rgb(RGB(255, 255, 255)));  // no handles without selection

    Lines().AddToSelection(pPlain);
    Lines().AddToSelection(pInvalid);
    Lines().AddToSelection(pBranch);
    Repaint();
    gfxtest::Pixels after = Client();
    auto inkAcross = [&](int x, int y) {
        int n = 0;
        for (int dy = -3; dy <= 3; ++dy)
            n += after.At(x, y + dy) != Rgb(RGB(255, 255, 255)) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(inkAcross(100, 50), 2);  // one pixel thicker
    EXPECT_EQ(inkAcross(100, 150), 1);  // not selected
    for (CPoint pt : {CPoint(50, 100), CPoint(150, 100), CPoint(250, 100)})
        EXPECT_EQ(after.At(pt.x - 2, pt.y - 2), Rgb(RGB(255, 0, 0)));  // red handles on every point
    EXPECT_EQ(after.At(48, 48), Rgb(RGB(0, 0, 0)));  // the first point of a selected line too
}
