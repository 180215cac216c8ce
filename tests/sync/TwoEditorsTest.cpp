// Two editors on one device: each learns of the other's work through the
// counts, and only through them.
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
        ASSERT_TRUE(pSrc && pSum);
        ASSERT_NE(m_pA->Draw(pSrc, 0, pSum, 1, {CPoint(140, 50), CPoint(140, 60)}), nullptr);
        m_pA->m_Document.Tick();
        m_pB->m_Document.Tick();
    }

    Editor* m_pA = nullptr;
    Editor* m_pB = nullptr;
};

TEST_F(TwoEditors, WhatOneCreatesConnectsOrDeletesTheOtherShowsAfterItsTick)
{
    Editor& a = *m_pA;
    Editor& b = *m_pB;
    EXPECT_EQ(b.Positions(), (std::vector<std::string>{"II_1 20,40", "FUNC_1 200,40"}));
    ASSERT_NE(b.Line("Line_1"), nullptr);
    EXPECT_EQ(b.Line("Line_1")->m_pSource, b.Block("II_1"));
    EXPECT_EQ(b.Line("Line_1")->m_pTarget, b.Block("FUNC_1"));
    EXPECT_EQ(b.LineRecords(), a.LineRecords());

    // B adds a block and a line to A's sum; A sees both.
    CTETrackObject* pOut = b.Create("CTEProcOUT_0", 400, 40);
    ASSERT_NE(pOut, nullptr);
    EXPECT_STREQ(pOut->CTrackObject::m_szName, "IO_1");
    ASSERT_NE(b.Draw(b.Block("FUNC_1"), 0, pOut, 0), nullptr);
    a.m_Document.Tick();
    EXPECT_EQ(a.Positions(), b.Positions());
    EXPECT_EQ(a.LineRecords(), b.LineRecords());
    ASSERT_NE(a.Line("Line_2"), nullptr);
    EXPECT_EQ(a.Line("Line_2")->m_pTarget, a.Block("IO_1"));

    // B deletes the first line, A the sum: each tick brings the other's.
    EXPECT_EQ(b.m_Document.DeleteLine(b.Line("Line_1")), 1);
    a.m_Document.Tick();
    EXPECT_EQ(a.Line("Line_1"), nullptr);
    EXPECT_FALSE(CTrackObject::IsPinConnected(&a.Block("II_1")->m_pOutputs[0]));
    EXPECT_EQ(a.m_Document.DeleteBlock(a.Block("FUNC_1")), 1);
    b.m_Document.Tick();
    EXPECT_EQ(b.Positions(), (std::vector<std::string>{"II_1 20,40", "IO_1 400,40"}));
    // The device keeps a deleted block's lines; so does the editor, loose:
    // a line missing an end attaches to nothing.
    ASSERT_NE(b.Line("Line_2"), nullptr);
    EXPECT_EQ(b.Line("Line_2")->m_pSource, nullptr);
    EXPECT_EQ(b.Line("Line_2")->m_pTarget, nullptr);
    EXPECT_FALSE(CTrackObject::IsPinConnected(&b.Block("IO_1")->m_pInputs[0]));
}

TEST_F(TwoEditors, MovesAndLineEditsWaitForTheOthersNextReload)
{
    Editor& a = *m_pA;
    Editor& b = *m_pB;
    std::vector<std::string> oldPositions = b.Positions();
    std::vector<std::string> oldLines = b.LineRecords();

    CTETrackObject* pSrc = a.Block("II_1");
    pSrc->SetPosition(20, 100, 80, 125);
    pSrc->m_bMoved = TRUE;
    ASSERT_TRUE(a.Line("Line_1")->MovePoint(150, 60, 2));
    a.m_Document.Tick();
    EXPECT_EQ(Device().FindBlock("II_1")->record.y, 100);

    // No count changed, so B keeps what it has.
    Device().ClearRequestLog();
    b.m_Document.Tick();
    EXPECT_EQ(b.Positions(), oldPositions);
    EXPECT_EQ(b.LineRecords(), oldLines);
    EXPECT_EQ(Received("TEProcs") + Received("TELines"), 0u);

    // The next change of a count brings all of it.
    ASSERT_NE(a.Create("CTEProcIN_1", 20, 200), nullptr);
    b.m_Document.Tick();
    EXPECT_EQ(b.Positions(), a.Positions());
    EXPECT_EQ(b.LineRecords(), a.LineRecords());
    EXPECT_EQ(b.Line("Line_1")->m_pSource, b.Block("II_1"));
    EXPECT_EQ(b.Line("Line_1")->GetFirstPoint(), Editor::PinPoint(b.Block("II_1"), PIN_SIDE_OUTPUT, 0));
}

}  // namespace
