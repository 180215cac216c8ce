#include <gtest/gtest.h>

#include "lines/CLineItem.h"

namespace {

void AddPoints(CLineItem& line, std::initializer_list<CPoint> points)
{
    for (const CPoint& pt : points)
        ASSERT_TRUE(line.AddPoint(pt.x, pt.y));
}

// A line of `count` points along the x axis, 10 pixels apart, not modified.
void FillLine(CLineItem& line, int count)
{
    for (int i = 0; i < count; i++)
        ASSERT_TRUE(line.AddPoint(i * 10, 0));
    line.m_bModified = 0;
}

TEST(LineItem, StartsAsAnUnconnectedModifiedLine)
{
    CLineItem line;
    EXPECT_EQ(line.m_nPoints, 0);
    EXPECT_STREQ(line.m_szName, "Line_1");
    EXPECT_EQ(line.m_nSourcePin + line.m_nTargetPin + line.m_nNode + line.m_nDirection, -4);
    EXPECT_TRUE(line.m_bValid);
    EXPECT_EQ(line.m_bModified, 1);
    EXPECT_EQ(line.m_nWidth, 1);
}

TEST(LineItem, ThirtyPointsFillTheLine)
{
    CLineItem line;
    FillLine(line, MAX_LINE_POINTS);
    EXPECT_FALSE(line.AddPoint(1, 1));
    EXPECT_EQ(line.InsertPoint(5, 50, 2, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.m_nPoints, MAX_LINE_POINTS);
    EXPECT_EQ(line.m_bModified, 0);  // refused before anything changed
}

TEST(LineItem, InsertShiftsTheFollowingPointsUp)
{
    CLineItem line;
    FillLine(line, 29);
    EXPECT_EQ(line.InsertPoint(15, 50, 2, TRUE), LINE_INSERT_INSERTED);
    ASSERT_EQ(line.m_nPoints, 30);
    EXPECT_EQ(line.m_points[1], CPoint(10, 0));
    EXPECT_EQ(line.m_points[2], CPoint(15, 50));
    for (int i = 3; i < 30; i++)
        EXPECT_EQ(line.m_points[i], CPoint((i - 1) * 10, 0)) << i;
    EXPECT_EQ(line.m_bModified, 1);

    // Before point 0 or past the end there is no place to insert.
    CLineItem pair;
    AddPoints(pair, {{0, 0}, {100, 0}});
    EXPECT_EQ(pair.InsertPoint(50, 50, 0, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(pair.InsertPoint(50, 50, 3, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(pair.InsertPoint(150, 50, 2, TRUE), LINE_INSERT_INSERTED);
}

TEST(LineItem, InsertWithinTwoPixelsRemovesAnInnerPointInstead)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {50, 50}, {100, 0}});
    EXPECT_EQ(line.InsertPoint(52, 48, 1, FALSE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.InsertPoint(53, 50, 2, TRUE), LINE_INSERT_INSERTED);  // 3 pixels is not near
    ASSERT_EQ(line.m_nPoints, 4);

    // Near both inner points: the first one goes.
    EXPECT_EQ(line.InsertPoint(51, 52, 1, TRUE), LINE_INSERT_REMOVED);
    ASSERT_EQ(line.m_nPoints, 3);
    EXPECT_EQ(line.m_points[1], CPoint(53, 50));

    // Ends are never removed, yet the attempt marks the line.
    line.m_bModified = 0;
    EXPECT_EQ(line.InsertPoint(1, 1, 1, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.InsertPoint(99, 2, 2, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.m_nPoints, 3);
    EXPECT_EQ(line.m_bModified, 1);
}

TEST(LineItem, RemoveLeavesTheSelectionFlagsInTheirSlots)
{
    CLineItem line;
    FillLine(line, 4);
    line.m_bPointSelected[1] = 1;
    EXPECT_FALSE(line.RemovePoint(3, TRUE));
    EXPECT_FALSE(line.RemovePoint(7, TRUE));
    EXPECT_TRUE(line.RemovePoint(1, TRUE));
    ASSERT_EQ(line.m_nPoints, 3);
    EXPECT_EQ(line.m_points[1], CPoint(20, 0));
    EXPECT_EQ(line.m_bPointSelected[1], 1);
}

TEST(LineItem, SegmentMovesOnlyItsInnerPoints)
{
    struct Case {
        int code;
        bool moves1, moves2;
    };
    for (Case c : {Case{33, true, false}, Case{34, true, true}, Case{35, false, true}}) {
        CLineItem line;
        FillLine(line, 4);
        EXPECT_TRUE(line.MovePoint(5, 7, c.code));
        EXPECT_EQ(line.m_points[0], CPoint(0, 0)) << c.code;
        EXPECT_EQ(line.m_points[1], c.moves1 ? CPoint(15, 7) : CPoint(10, 0)) << c.code;
        EXPECT_EQ(line.m_points[2], c.moves2 ? CPoint(25, 7) : CPoint(20, 0)) << c.code;
        EXPECT_EQ(line.m_points[3], CPoint(30, 0)) << c.code;
    }
    CLineItem line;
    FillLine(line, 4);
    EXPECT_FALSE(line.MovePoint(5, 7, 36));  // no segment starts at the last point
    EXPECT_EQ(line.m_bModified, 0);
}

TEST(LineItem, PointMoveIsAbsoluteAndSparesPointZero)
{
    CLineItem line;
    FillLine(line, 3);
    EXPECT_FALSE(line.MovePoint(5, 5, 0));
    EXPECT_FALSE(line.MovePoint(5, 5, 3));
    EXPECT_FALSE(line.MovePoint(5, 5, 29));
    EXPECT_TRUE(line.MovePoint(5, 5, 2));
    EXPECT_EQ(line.GetLastPoint(), CPoint(5, 5));
}

TEST(LineItem, OffsetMovesSelectedInnerPointsBackwards)
{
    CLineItem line;
    FillLine(line, 4);
    for (int i = 0; i < 4; i++)
        line.m_bPointSelected[i] = 1;
    EXPECT_TRUE(line.OffsetSelectedPoints(3, -2));
    EXPECT_EQ(line.m_points[0], CPoint(0, 0));
    EXPECT_EQ(line.m_points[1], CPoint(7, 2));
    EXPECT_EQ(line.m_points[3], CPoint(30, 0));
    EXPECT_EQ(line.m_bModified, 1);

    CLineItem parent;
    line.m_pParent = &parent;  // a branch's point 0 moves with its node
    EXPECT_TRUE(line.OffsetSelectedPoints(1, 1));
    EXPECT_EQ(line.m_points[0], CPoint(-1, -1));
    EXPECT_EQ(line.m_points[3], CPoint(30, 0));
}

TEST(LineItem, RectanglesCoverThePointsThatCount)
{
    CLineItem single;
    AddPoints(single, {{10, 20}});
    EXPECT_EQ(single.GetBoundingRect(), CRect(5, 15, 15, 25));

    CLineItem line;
    AddPoints(line, {{10, 20}, {100, -30}, {40, 60}, {50, 50}});
    // Point 0 gets its 4-pixel box, the others count as bare points.
    EXPECT_EQ(line.GetBoundingRect(), CRect(5, -31, 101, 61));

    line.m_bPointSelected[0] = 1;
    line.m_bPointSelected[3] = 1;
    EXPECT_EQ(line.GetSelectedPointsRect(), CRect(0, 0, 0, 0));  // ends do not move
    line.m_bPointSelected[2] = 1;
    EXPECT_EQ(line.GetSelectedPointsRect(), CRect(38, 58, 42, 62));
    line.m_bPointSelected[1] = 1;
    EXPECT_EQ(line.GetSelectedPointsRect(), CRect(40, -32, 102, 60));
}

TEST(LineItem, BranchesTakeTheColourAndRootOfTheirParents)
{
    CLineItem root, middle, leaf;
    root.SetColor(RGB(255, 0, 0));
    middle.m_pParent = &root;
    leaf.m_pParent = &middle;
    middle.SetColor(RGB(0, 255, 0));
    leaf.m_bModified = 0;
    leaf.SetColor(RGB(0, 0, 255));
    EXPECT_EQ(leaf.m_color, RGB(255, 0, 0));
    EXPECT_EQ(leaf.m_bModified, 1);

    EXPECT_EQ(leaf.GetRootLine(), &root);
    EXPECT_EQ(root.GetRootLine(), &root);
    root.m_pParent = &leaf;  // a damaged, looping chain still answers
    EXPECT_NE(leaf.GetRootLine(), nullptr);
}

}  // namespace
