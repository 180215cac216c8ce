#include <gtest/gtest.h>

#include <cstring>

#include "lines/CLineItem.h"

namespace {

void AddPoints(CLineItem& line, std::initializer_list<CPoint> points)
{
    for (const CPoint& pt : points)
        ASSERT_TRUE(line.AddPoint(pt.x, pt.y));
}

void FillLine(CLineItem& line, int count)
{
    for (int i = 0; i < count; i++)
        ASSERT_TRUE(line.AddPoint(i * 10, 0));
}

TEST(LineItem, StartsEmptyBlackUnconnectedAndModified)
{
    CLineItem line;
    EXPECT_EQ(line.m_nPoints, 0);
    EXPECT_EQ(line.m_color, 0u);
    EXPECT_STREQ(line.m_szName, "Line_1");
    EXPECT_EQ(line.m_nSourcePin, -1);
    EXPECT_EQ(line.m_nTargetPin, -1);
    EXPECT_EQ(line.m_nNode, -1);
    EXPECT_EQ(line.m_nDirection, -1);
    EXPECT_EQ(line.m_pSource, nullptr);
    EXPECT_EQ(line.m_pTarget, nullptr);
    EXPECT_EQ(line.m_pParent, nullptr);
    EXPECT_STREQ(line.m_szSourcePin, "");
    EXPECT_TRUE(line.m_bValid);
    EXPECT_EQ(line.m_bModified, 1);
    EXPECT_EQ(line.m_nWidth, 1);
}

TEST(LineItem, HoldsAtMostThirtyPoints)
{
    CLineItem line;
    line.m_bModified = 0;
    FillLine(line, MAX_LINE_POINTS);
    EXPECT_FALSE(line.AddPoint(1, 1));
    EXPECT_EQ(line.m_nPoints, MAX_LINE_POINTS);
    EXPECT_EQ(line.m_bModified, 0);  // adding is not an edit

    EXPECT_EQ(line.InsertPoint(5, 50, 2, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.m_nPoints, MAX_LINE_POINTS);
    EXPECT_EQ(line.m_bModified, 0);  // refused before anything changed
}

TEST(LineItem, InsertShiftsTheFollowingPointsUp)
{
    CLineItem line;
    FillLine(line, 29);
    line.m_bModified = 0;
    EXPECT_EQ(line.InsertPoint(15, 50, 2, TRUE), LINE_INSERT_INSERTED);
    ASSERT_EQ(line.m_nPoints, 30);
    EXPECT_EQ(line.m_points[1], CPoint(10, 0));
    EXPECT_EQ(line.m_points[2], CPoint(15, 50));
    for (int i = 3; i < 30; i++)
        EXPECT_EQ(line.m_points[i], CPoint((i - 1) * 10, 0)) << i;
    EXPECT_EQ(line.m_bModified, 1);
}

TEST(LineItem, InsertRefusesIndicesOutsideTheLine)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {100, 0}});
    EXPECT_EQ(line.InsertPoint(50, 50, 0, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.InsertPoint(50, 50, 3, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.m_nPoints, 2);
    // Appending after the last point is allowed.
    EXPECT_EQ(line.InsertPoint(150, 50, 2, TRUE), LINE_INSERT_INSERTED);
    EXPECT_EQ(line.GetLastPoint(), CPoint(150, 50));
}

TEST(LineItem, InsertNearAnInnerPointRemovesItInstead)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {50, 50}, {100, 0}});
    EXPECT_EQ(line.InsertPoint(52, 48, 1, FALSE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.m_nPoints, 3);
    EXPECT_EQ(line.InsertPoint(53, 50, 2, TRUE), LINE_INSERT_INSERTED);  // 3 pixels is not near
    ASSERT_EQ(line.m_nPoints, 4);

    // Near both inner points: the first one goes.
    EXPECT_EQ(line.InsertPoint(51, 52, 1, TRUE), LINE_INSERT_REMOVED);
    ASSERT_EQ(line.m_nPoints, 3);
    EXPECT_EQ(line.m_points[1], CPoint(53, 50));
    EXPECT_EQ(line.m_points[2], CPoint(100, 0));
}

TEST(LineItem, InsertNearAnEndChangesNothingButMarksTheLine)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {50, 50}, {100, 0}});
    line.m_bModified = 0;
    EXPECT_EQ(line.InsertPoint(1, 1, 1, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.InsertPoint(99, 2, 2, TRUE), LINE_INSERT_NOTHING);
    EXPECT_EQ(line.m_nPoints, 3);
    EXPECT_EQ(line.m_bModified, 1);
}

TEST(LineItem, RemoveKeepsTheEndsAndTheSelectionFlags)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    line.m_bPointSelected[1] = 1;
    EXPECT_FALSE(line.RemovePoint(0, TRUE));
    EXPECT_FALSE(line.RemovePoint(3, TRUE));
    EXPECT_FALSE(line.RemovePoint(7, TRUE));
    EXPECT_FALSE(line.RemovePoint(1, FALSE));
    EXPECT_EQ(line.m_nPoints, 4);

    EXPECT_TRUE(line.RemovePoint(1, TRUE));
    ASSERT_EQ(line.m_nPoints, 3);
    EXPECT_EQ(line.m_points[1], CPoint(20, 0));
    EXPECT_EQ(line.m_bPointSelected[1], 1);  // flags stay with the slot
}

TEST(LineItem, SegmentMovesOnlyItsInnerPoints)
{
    struct Case {
        int code;
        bool moves1, moves2;
    };
    for (Case c : {Case{33, true, false}, Case{34, true, true}, Case{35, false, true}}) {
        CLineItem line;
        AddPoints(line, {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
        EXPECT_TRUE(line.MovePoint(5, 7, c.code));
        EXPECT_EQ(line.m_points[0], CPoint(0, 0)) << c.code;
        EXPECT_EQ(line.m_points[1], c.moves1 ? CPoint(15, 7) : CPoint(10, 0)) << c.code;
        EXPECT_EQ(line.m_points[2], c.moves2 ? CPoint(25, 7) : CPoint(20, 0)) << c.code;
        EXPECT_EQ(line.m_points[3], CPoint(30, 0)) << c.code;
    }
    CLineItem line;
    AddPoints(line, {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    line.m_bModified = 0;
    EXPECT_FALSE(line.MovePoint(5, 7, 36));  // no segment after the last point
    EXPECT_EQ(line.m_bModified, 0);
}

TEST(LineItem, PointMoveIsAbsoluteAndSparesPointZero)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {10, 0}, {20, 0}});
    EXPECT_FALSE(line.MovePoint(5, 5, 0));
    EXPECT_FALSE(line.MovePoint(5, 5, 3));
    EXPECT_FALSE(line.MovePoint(5, 5, 29));
    EXPECT_TRUE(line.MovePoint(5, 5, 2));
    EXPECT_TRUE(line.MovePoint(-4, 8, 1));
    EXPECT_EQ(line.m_points[0], CPoint(0, 0));
    EXPECT_EQ(line.m_points[1], CPoint(-4, 8));
    EXPECT_EQ(line.m_points[2], CPoint(5, 5));
}

TEST(LineItem, OffsetMovesSelectedInnerPointsBackwards)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    for (int i = 0; i < 4; i++)
        line.m_bPointSelected[i] = 1;
    line.m_bModified = 0;
    EXPECT_TRUE(line.OffsetSelectedPoints(3, -2));
    EXPECT_EQ(line.m_points[0], CPoint(0, 0));
    EXPECT_EQ(line.m_points[1], CPoint(7, 2));
    EXPECT_EQ(line.m_points[2], CPoint(17, 2));
    EXPECT_EQ(line.m_points[3], CPoint(30, 0));
    EXPECT_EQ(line.m_bModified, 1);

    CLineItem parent;
    line.m_pParent = &parent;  // a branch's point 0 moves with its node
    EXPECT_TRUE(line.OffsetSelectedPoints(1, 1));
    EXPECT_EQ(line.m_points[0], CPoint(-1, -1));
    EXPECT_EQ(line.m_points[3], CPoint(30, 0));

    CLineItem unselected;
    AddPoints(unselected, {{0, 0}, {10, 0}, {20, 0}});
    EXPECT_FALSE(unselected.OffsetSelectedPoints(1, 1));
}

TEST(LineItem, BoundingRectCoversPointsPlusPenWidth)
{
    CLineItem single;
    AddPoints(single, {{10, 20}});
    EXPECT_EQ(single.GetBoundingRect(), CRect(5, 15, 15, 25));

    CLineItem line;
    AddPoints(line, {{10, 20}, {100, -30}, {40, 60}});
    // Point 0 gets its 4-pixel box, the others count as bare points.
    EXPECT_EQ(line.GetBoundingRect(), CRect(5, -31, 101, 61));
}

TEST(LineItem, SelectedPointsRectCoversOnlyMovablePoints)
{
    CLineItem line;
    AddPoints(line, {{0, 0}, {10, 10}, {40, 20}, {50, 50}});
    line.m_bPointSelected[0] = 1;
    line.m_bPointSelected[3] = 1;
    EXPECT_EQ(line.GetSelectedPointsRect(), CRect(0, 0, 0, 0));

    line.m_bPointSelected[2] = 1;
    EXPECT_EQ(line.GetSelectedPointsRect(), CRect(38, 18, 42, 22));
    line.m_bPointSelected[1] = 1;
    EXPECT_EQ(line.GetSelectedPointsRect(), CRect(8, 8, 40, 20));
}

TEST(LineItem, ClosedWhenTheEndsMeet)
{
    CLineItem line;
    AddPoints(line, {{5, 5}, {50, 5}});
    EXPECT_FALSE(line.IsClosed());
    line.AddPoint(5, 5);
    EXPECT_TRUE(line.IsClosed());
    EXPECT_EQ(&line.GetLastPoint(), &line.m_points[2]);
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
    EXPECT_EQ(middle.m_color, RGB(255, 0, 0));
    EXPECT_EQ(leaf.m_color, RGB(255, 0, 0));
    EXPECT_EQ(leaf.m_bModified, 1);

    EXPECT_EQ(leaf.GetRootLine(), &root);
    EXPECT_EQ(root.GetRootLine(), &root);

    root.m_pParent = &leaf;  // a damaged, looping chain still answers
    EXPECT_NE(leaf.GetRootLine(), nullptr);
}

}  // namespace
