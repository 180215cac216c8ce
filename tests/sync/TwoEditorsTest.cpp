// Two editors on one device: each learns of the other's work on its next
// tick, whether or not it changed a count.
#include "sync/DocumentTestSupport.h"

namespace {

class TwoEditors : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        m_pA = &NewEditor();
        m_pB = &NewEditor();
        CTETrackObject* pSrc = m_pA->Create("CTEProcIN_0", 20, 40);
        CTETrackObject* pSum = m_pA->Create("CTEProcFUNC_2xPLUS", 200, 40);
        ASSERT_NE(m_pA->Draw(pSrc, 0, pSum, 1, {CPoint(140, 50), CPoint(140, 60)}), nullptr);
        m_pA->Tick();
        m_pB->Tick();
    }

    Editor* m_pA = nullptr;
    Editor* m_pB = nullptr;
};

TEST_F(TwoEditors, WhatOneCreatesConnectsOrDeletesTheOtherShowsAfterItsTick)
{
    Editor& a = *m_pA;
    Editor& b = *m_pB;
    EXPECT_EQ(b.Positions(), a.Positions());
    EXPECT_EQ(b.Lines(), a.Lines());
    EXPECT_EQ(b.Line("Line_1")->m_pSource, b.Block("II_1"));

    CTETrackObject* pOut = b.Create("CTEProcOUT_0", 400, 40);
    ASSERT_NE(b.Draw(b.Block("FUNC_1"), 0, pOut, 0), nullptr);
    a.Tick();
    EXPECT_EQ(a.Positions(), b.Positions());
    EXPECT_EQ(a.Lines(), b.Lines());

    EXPECT_EQ(b.m_Document.DeleteLine(b.Line("Line_1")), 1);
    EXPECT_EQ(a.m_Document.DeleteBlock(a.Block("FUNC_1")), 1);
    a.Tick();
    b.Tick();
    EXPECT_EQ(a.Positions(), (std::vector<std::string>{"II_1 20,40", "IO_1 400,40"}));
    EXPECT_EQ(b.Positions(), a.Positions());
    // The device kept the deleted block's line until the editor that deleted
    // the block saw it: a line goes with its block.
    EXPECT_EQ(a.Lines(), std::vector<std::string>{});
    b.Tick();
    EXPECT_EQ(b.Lines(), std::vector<std::string>{});
    EXPECT_EQ(Device().LineRecords(), std::vector<std::string>{});
}

TEST_F(TwoEditors, MovesAndLineEditsShowInTheOtherAfterItsTick)
{
    Editor& a = *m_pA;
    Editor& b = *m_pB;
    CTETrackObject* pSrc = a.Block("II_1");
    pSrc->SetPosition(20, 100, 80, 125);
    pSrc->m_bMoved = TRUE;
    ASSERT_TRUE(a.Line("Line_1")->MovePoint(150, 60, 2));
    a.Tick();
    EXPECT_EQ(DevicePositions()[0], "II_1 20,100");

    // No count changed, yet B shows the new places, lines attached to the
    // blocks where they are now.
    b.Tick();
    EXPECT_EQ(b.Positions(), a.Positions());
    EXPECT_NE(b.Block("FUNC_1"), nullptr);
    EXPECT_EQ(b.Lines(), (std::vector<std::string>{"II_1:1024>FUNC_1:1 d2 79,110 140,50 150,60 200,60 #00000000"}));
    // A's own changes rebuild nothing in A.
    CTrackObject* pSum = a.Block("FUNC_1");
    a.Tick();
    EXPECT_EQ(a.Block("FUNC_1"), pSum);
}

}  // namespace
