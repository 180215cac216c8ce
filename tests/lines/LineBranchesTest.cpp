#include <gtest/gtest.h>

#include "lines/LineBranches.h"

namespace {

// A parent line 0,0 - 100,0 - 100,100 - 200,100 with branches on points 1
// and 2, and a branch of another line on point 1.
struct BranchedLines : ::testing::Test {
    CLineItem parent, other, onPoint1, onPoint2, foreign;
    CLineArray lines;

    void SetUp() override
    {
        for (CPoint pt : {CPoint(0, 0), CPoint(100, 0), CPoint(100, 100), CPoint(200, 100)})
            parent.AddPoint(pt.x, pt.y);
        Branch(onPoint1, parent, 1);
        Branch(onPoint2, parent, 2);
        Branch(foreign, other, 1);
        for (CLineItem* pLine : {&parent, &onPoint1, &other, &onPoint2, &foreign})
            lines.Add(pLine);
    }

    static void Branch(CLineItem& branch, CLineItem& on, int node)
    {
        branch.m_pParent = &on;
        branch.m_nNode = node;
    }

    // Each branch still names the point it started on.
    void ExpectNodesAt(CPoint pt1, CPoint pt2)
    {
        EXPECT_EQ(parent.m_points[onPoint1.m_nNode], pt1);
        EXPECT_EQ(parent.m_points[onPoint2.m_nNode], pt2);
        EXPECT_EQ(foreign.m_nNode, 1);
    }
};

TEST_F(BranchedLines, InsertionBeforeANodeShiftsIt)
{
    EXPECT_EQ(InsertLinePoint(lines, &parent, 100, 50, 2, TRUE), LINE_INSERT_INSERTED);
    EXPECT_EQ(onPoint1.m_nNode, 1);
    EXPECT_EQ(onPoint2.m_nNode, 3);
    ExpectNodesAt(CPoint(100, 0), CPoint(100, 100));

    EXPECT_EQ(InsertLinePoint(lines, &parent, 50, 0, 1, TRUE), LINE_INSERT_INSERTED);
    EXPECT_EQ(onPoint1.m_nNode, 2);
    ExpectNodesAt(CPoint(100, 0), CPoint(100, 100));
}

TEST_F(BranchedLines, RemovalBeforeANodeShiftsItBack)
{
    ASSERT_EQ(InsertLinePoint(lines, &parent, 150, 100, 3, TRUE), LINE_INSERT_INSERTED);
    onPoint1.m_pParent = nullptr;  // free point 1 so it may go
    EXPECT_EQ(InsertLinePoint(lines, &parent, 101, 1, 1, TRUE), LINE_INSERT_REMOVED);
    EXPECT_EQ(parent.m_nPoints, 4);
    EXPECT_EQ(onPoint2.m_nNode, 1);
    EXPECT_EQ(parent.m_points[onPoint2.m_nNode], CPoint(100, 100));
}

TEST_F(BranchedLines, APointCarryingABranchIsNotRemoved)
{
    // The near point is 2, though the click is on the segment after point 0.
    EXPECT_EQ(InsertLinePoint(lines, &parent, 99, 101, 1, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(parent.m_nPoints, 4);
    ExpectNodesAt(CPoint(100, 0), CPoint(100, 100));
}

TEST_F(BranchedLines, ABranchWhoseNodeWasRemovedMovesToTheFollowingPoint)
{
    ASSERT_TRUE(parent.RemovePoint(1, TRUE));
    ShiftBranchNodesAfterRemove(lines, &parent, 1);
    EXPECT_EQ(onPoint1.m_nNode, 1);
    EXPECT_EQ(onPoint2.m_nNode, 1);
    EXPECT_EQ(parent.m_points[1], CPoint(100, 100));
    EXPECT_TRUE(HasBranchOnPoint(lines, &parent, 1));
    EXPECT_FALSE(HasBranchOnPoint(lines, &parent, 2));
}

}  // namespace
