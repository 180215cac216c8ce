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

    CPoint NodePoint(const CLineItem& branch) { return parent.m_points[branch.m_nNode]; }
};

TEST_F(BranchedLines, BranchesKeepTheirPointWhenBendsAreInserted)
{
    EXPECT_EQ(InsertLinePoint(lines, &parent, 100, 50, 2, TRUE), LINE_INSERT_INSERTED);
    EXPECT_EQ(InsertLinePoint(lines, &parent, 50, 0, 1, TRUE), LINE_INSERT_INSERTED);
    EXPECT_EQ(onPoint1.m_nNode, 2);
    EXPECT_EQ(onPoint2.m_nNode, 4);
    EXPECT_EQ(NodePoint(onPoint1), CPoint(100, 0));
    EXPECT_EQ(NodePoint(onPoint2), CPoint(100, 100));
    EXPECT_EQ(foreign.m_nNode, 1);
}

TEST_F(BranchedLines, BranchesKeepTheirPointWhenABendIsRemoved)
{
    onPoint1.m_pParent = nullptr;  // free point 1 so it may go
    EXPECT_EQ(InsertLinePoint(lines, &parent, 101, 1, 1, TRUE), LINE_INSERT_REMOVED);
    EXPECT_EQ(parent.m_nPoints, 3);
    EXPECT_EQ(onPoint2.m_nNode, 1);
    EXPECT_EQ(NodePoint(onPoint2), CPoint(100, 100));
}

TEST_F(BranchedLines, APointCarryingABranchStays)
{
    // The near point is 2, though the click is on the segment after point 0.
    EXPECT_EQ(InsertLinePoint(lines, &parent, 99, 101, 1, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(parent.m_nPoints, 4);

    // Removed by other means, the branch moves on to the following point.
    ASSERT_TRUE(parent.RemovePoint(1, TRUE));
    ShiftBranchNodesAfterRemove(lines, &parent, 1);
    EXPECT_EQ(onPoint1.m_nNode, 1);
    EXPECT_EQ(onPoint2.m_nNode, 1);
    EXPECT_TRUE(HasBranchOnPoint(lines, &parent, 1));
    EXPECT_FALSE(HasBranchOnPoint(lines, &parent, 2));
}

}  // namespace
