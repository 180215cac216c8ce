#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "blocks/CTEProcFUNC.h"
#include "blocks/CTEProcIN.h"
#include "lines/CLineItem.h"
#include "sync/CTEDocument.h"
#include "sync/TELineRecord.h"

namespace {

// Real blocks named as asked (a document without a device keeps wanted
// names), and lines, found by name as the document finds them.
class LineRecords : public ::testing::Test, public CTERecordLookup {
protected:
    void SetUp() override
    {
        m_pA = Keep(std::make_unique<CTEProcIN>(100, 100, &m_Document, 0, "A"));
        m_pB = Keep(std::make_unique<CTEProcFUNC>(300, 200, &m_Document, 2, "PLUS", "B"));
    }

    CTrackObject* FindBlock(const char* pszName) override
    {
        for (auto& block : m_Blocks)
            if (std::strcmp(block->CTrackObject::m_szName, pszName) == 0)
                return block.get();
        return nullptr;
    }

    CLineItem* FindLine(const char* pszName) override
    {
        for (auto& line : m_Lines)
            if (std::strcmp(line->m_szName, pszName) == 0)
                return line.get();
        return nullptr;
    }

    CTETrackObject* Keep(std::unique_ptr<CTETrackObject> block)
    {
        m_Blocks.push_back(std::move(block));
        return m_Blocks.back().get();
    }

    std::unique_ptr<CLineItem> Read(const std::string& record)
    {
        return std::unique_ptr<CLineItem>(TEReadLineRecord(record.c_str(), *this));
    }

    static CPoint PinPoint(CTrackObject* pBlock, int side, UINT index)
    {
        POINT pt;
        EXPECT_EQ(pBlock->GetPinPoint(side, index, &pt), 1);
        return CPoint(pt);
    }

    // A line from output 0 of A to input 1 of B, drawn from A's side, with
    // its ends on the pins as connecting leaves them.
    std::unique_ptr<CLineItem> ConnectedLine(std::initializer_list<CPoint> bends)
    {
        auto line = std::make_unique<CLineItem>();
        line->m_nDirection = LINE_DIRECTION_FROM_SOURCE;
        line->m_pSource = m_pA;
        line->m_nSourcePin = PIN_OUTPUT_BASE;
        line->m_pTarget = m_pB;
        line->m_nTargetPin = 1;
        CPoint from = PinPoint(m_pA, PIN_SIDE_OUTPUT, 0);
        CPoint to = PinPoint(m_pB, PIN_SIDE_INPUT, 1);
        line->AddPoint(from.x, from.y);
        for (CPoint pt : bends)
            line->AddPoint(pt.x, pt.y);
        line->AddPoint(to.x, to.y);
        return line;
    }

    static std::vector<CPoint> Points(const CLineItem& line)
    {
        return std::vector<CPoint>(line.m_points, line.m_points + line.m_nPoints);
    }

    CTEDocument m_Document;
    std::vector<std::unique_ptr<CTETrackObject>> m_Blocks;
    std::vector<std::unique_ptr<CLineItem>> m_Lines;
    CTETrackObject* m_pA = nullptr;
    CTETrackObject* m_pB = nullptr;
};

// ---- Formatting ----------------------------------------------------------------

TEST_F(LineRecords, AnchorsStandInForTheEndPoints)
{
    CLineItem line;
    line.m_nDirection = LINE_DIRECTION_FROM_SOURCE;
    line.m_pSource = m_pA;
    line.m_nSourcePin = PIN_OUTPUT_BASE;
    line.m_pTarget = m_pB;
    line.m_nTargetPin = 1;
    for (int x : {10, 20, 30})
        line.AddPoint(x, 10);
    EXPECT_EQ(TEFormatLineRecord(line), "Line_1 A.Out0 20,10 B.In1 0x00000000 ");

    // Drawn from the input end, the target anchor leads.
    line.m_nDirection = LINE_DIRECTION_FROM_TARGET;
    EXPECT_EQ(TEFormatLineRecord(line), "Line_1 B.In1 20,10 A.Out0 0x00000000 ");

    // Without a tail anchor the last point stays.
    line.m_pSource = nullptr;
    EXPECT_EQ(TEFormatLineRecord(line), "Line_1 B.In1 20,10 30,10 0x00000000 ");
    // Without a head anchor point 0 stays too: nothing stands in for it.
    line.m_pTarget = nullptr;
    EXPECT_EQ(TEFormatLineRecord(line), "Line_1 10,10 20,10 30,10 0x00000000 ");

    // Not yet connected: every point and no anchor, whatever is set.
    line.m_nDirection = LINE_DIRECTION_NONE;
    line.m_pSource = m_pA;
    line.SetColor(0x00abcdef);
    EXPECT_EQ(TEFormatLineRecord(line), "Line_1 10,10 20,10 30,10 0x00abcdef ");
}

TEST_F(LineRecords, TwoPointLineHasNoCoordinates)
{
    auto line = ConnectedLine({});
    line->SetColor(RGB(255, 0, 0));
    EXPECT_EQ(TEFormatLineRecord(*line), "Line_1 A.Out0 B.In1 0x000000ff ");
}

TEST_F(LineRecords, BranchLeadsWithItsNode)
{
    CLineItem parent;
    std::strcpy(parent.m_szName, "Line_7");
    auto branch = ConnectedLine({CPoint(250, 150)});
    branch->m_pParent = &parent;
    branch->m_nNode = 3;
    EXPECT_EQ(TEFormatLineRecord(*branch), "Line_1 Line_7.Node3 250,150 B.In1 0x00000000 ");
    branch->m_nDirection = LINE_DIRECTION_FROM_TARGET;
    EXPECT_EQ(TEFormatLineRecord(*branch), "Line_1 B.In1 250,150 Line_7.Node3 0x00000000 ");
    // A node on the parent's first point is not written: the source stands.
    branch->m_nNode = 0;
    EXPECT_EQ(TEFormatLineRecord(*branch), "Line_1 B.In1 250,150 A.Out0 0x00000000 ");
}

// ---- Reading -----------------------------------------------------------------------

TEST_F(LineRecords, ReadsTheExampleIntoPointsAndAnchors)
{
    auto line = Read("Line_5 A.Out0 100,40 100,80 B.In1 0x00000000 ");
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line->m_szName, "Line_5");
    EXPECT_EQ(line->m_nDirection, LINE_DIRECTION_FROM_SOURCE);
    EXPECT_EQ(Points(*line), (std::vector<CPoint>{PinPoint(m_pA, PIN_SIDE_OUTPUT, 0), CPoint(100, 40),
                                                   CPoint(100, 80), PinPoint(m_pB, PIN_SIDE_INPUT, 1)}));
    EXPECT_STREQ(line->m_szSourcePin, "A.Out0");
    EXPECT_STREQ(line->m_szTargetPin, "B.In1");
    EXPECT_EQ(line->m_nSourcePin, PIN_OUTPUT_BASE);
    EXPECT_EQ(line->m_nTargetPin, 1);
    // Attaching to the blocks is left to the document.
    EXPECT_EQ(line->m_pSource, nullptr);
    EXPECT_EQ(line->m_pTarget, nullptr);
    EXPECT_EQ(line->m_color, 0u);
}

TEST_F(LineRecords, FormattedLinesReadBackTheSame)
{
    auto original = ConnectedLine({CPoint(200, 110), CPoint(-20, 400)});
    original->SetColor(RGB(1, 2, 3));
    std::strcpy(original->m_szName, "Line_42");

    auto copy = Read(TEFormatLineRecord(*original));
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->m_szName, "Line_42");
    EXPECT_EQ(Points(*copy), Points(*original));
    EXPECT_EQ(copy->m_color, RGB(1, 2, 3));
    EXPECT_STREQ(copy->m_szSourcePin, "A.Out0");
    EXPECT_STREQ(copy->m_szTargetPin, "B.In1");

    // Drawn from the input end, the points come back in the order drawn.
    original->m_nDirection = LINE_DIRECTION_FROM_TARGET;
    std::swap(original->m_points[0], original->m_points[3]);
    copy = Read(TEFormatLineRecord(*original));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Points(*copy), Points(*original));
}

TEST_F(LineRecords, NodeAnchorStartsOnTheParentPointInItsColour)
{
    auto parent = ConnectedLine({CPoint(200, 110), CPoint(200, 300)});
    std::strcpy(parent->m_szName, "Line_7");
    parent->SetColor(RGB(0, 128, 0));
    m_Lines.push_back(std::move(parent));
    CLineItem* pParent = m_Lines.back().get();

    auto branch = Read("Line_8 Line_7.Node2 250,300 B.In0 0x000000ff ");
    ASSERT_NE(branch, nullptr);
    EXPECT_EQ(branch->m_pParent, pParent);
    EXPECT_EQ(branch->m_nNode, 2);
    EXPECT_EQ(branch->GetFirstPoint(), CPoint(200, 300));
    EXPECT_EQ(branch->m_color, RGB(0, 128, 0));
    EXPECT_STREQ(branch->m_szSourcePin, "Line_7.Node2");

    // Out of the parent's range, or no such line: the node point is 0,0.
    branch = Read("Line_8 Line_7.Node9 250,300 B.In0 0x000000ff ");
    ASSERT_NE(branch, nullptr);
    EXPECT_EQ(branch->GetFirstPoint(), CPoint(0, 0));
    branch = Read("Line_8 Line_3.Node1 250,300 B.In0 0x000000ff ");
    ASSERT_NE(branch, nullptr);
    EXPECT_EQ(branch->m_pParent, nullptr);
    EXPECT_EQ(branch->m_color, 0x000000ffu);
}

TEST_F(LineRecords, UnresolvableAnchorsGiveTheOrigin)
{
    // No such block, a pin past the block's pins, a suffix that is no pin.
    for (const char* anchor : {"Z.Out0", "A.Out1", "A.In0", "B.Out-1", "B.Pin2", "B.Out", ".In0", "B."}) {
        auto line = Read(std::string("Line_2 ") + anchor + " 5,5 0x00000000 ");
        ASSERT_NE(line, nullptr) << anchor;
        EXPECT_EQ(Points(*line), (std::vector<CPoint>{CPoint(0, 0), CPoint(5, 5)})) << anchor;
    }
}

TEST_F(LineRecords, KeepsThirtyPoints)
{
    std::string record = "Line_3 ";
    for (int i = 1; i <= 31; i++)
        record += std::to_string(i) + ",0 ";
    auto line = Read(record + "0x00000000 ");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->m_nPoints, MAX_LINE_POINTS);
    EXPECT_EQ(line->GetLastPoint(), CPoint(30, 0));
}

TEST_F(LineRecords, ClosedOrEmptyLinesAreDiscarded)
{
    for (const char* record : {"Line_3 10,10 20,20 10,10 0x00000000 ", "Line_3 10,10 0x00000000 ",
                               "Line_3 0x00000000 ", "", "   ", "Line_3"}) {
        EXPECT_EQ(Read(record), nullptr) << '"' << record << '"';
    }
    EXPECT_EQ(TEReadLineRecord(nullptr, *this), nullptr);
}

TEST_F(LineRecords, ColourTokenFallsBackToOpaqueBlack)
{
    struct Case {
        const char* token;
        COLORREF colour;
    };
    for (Case c : {Case{"0x00ff00", 0x00ff00}, Case{"0xABCDEF", 0xabcdef}, Case{"0x12zz", 0x12},
                   Case{"0xzz", 0xff000000}, Case{"0x", 0xff000000}, Case{"x12", 0xff000000},
                   Case{"0x1ffffffff", 0xff000000}, Case{"0x-1", 0xff000000}}) {
        auto line = Read(std::string("Line_1 1,1 2,2 ") + c.token + ' ');
        ASSERT_NE(line, nullptr) << c.token;
        EXPECT_EQ(line->m_color, c.colour) << c.token;
    }
}

TEST_F(LineRecords, UnreadablePointRepeatsThePreviousOne)
{
    auto line = Read("Line_4 garbage 10,10 20, ,5 1,2,3 30,30 0x00000000");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Points(*line), (std::vector<CPoint>{CPoint(0, 0), CPoint(10, 10), CPoint(10, 10), CPoint(10, 10),
                                                   CPoint(10, 10), CPoint(30, 30)}));
    // After an anchor, its point is the one repeated.
    line = Read("Line_4 A.Out0 junk 30,30 0x00000000");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->m_points[1], PinPoint(m_pA, PIN_SIDE_OUTPUT, 0));
}

TEST_F(LineRecords, OversizedTokensAreCutNeverOverrun)
{
    std::string longName = "Line_" + std::string(5000, 'n');
    std::string longAnchor = "A.Out0" + std::string(5000, '0');
    std::string longBlock = std::string(5000, 'b') + ".In0";
    std::string hugeNumber = std::string(5000, '9') + ",1";
    auto line = Read(longName + ' ' + longBlock + ' ' + hugeNumber + " 7,7 " + longAnchor + " 0x" +
                     std::string(5000, 'f'));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::strlen(line->m_szName), sizeof line->m_szName - 1);
    EXPECT_EQ(std::strlen(line->m_szTargetPin), sizeof line->m_szTargetPin - 1);
    EXPECT_EQ(std::strlen(line->m_szSourcePin), sizeof line->m_szSourcePin - 1);
    EXPECT_EQ(line->m_color, 0xff000000u);
    EXPECT_EQ(Points(*line), (std::vector<CPoint>{CPoint(0, 0), CPoint(0, 0), CPoint(7, 7),
                                                   PinPoint(m_pA, PIN_SIDE_OUTPUT, 0)}));

    // Leading zeros make a long index, not a bad one.
    line = Read("Line_1 1,1 B.In" + std::string(600, '0') + "1 0x00000000");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::strlen(line->m_szTargetPin), sizeof line->m_szTargetPin - 1);
    EXPECT_EQ(line->m_nTargetPin, 1);
}

}  // namespace
