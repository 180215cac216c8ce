// Which lines the document attaches to which pins, which it refuses, and
// where it puts blocks that come without a position.
#include "sync/DocumentTestSupport.h"

#include <cstdlib>
#include <random>

namespace {

class ConnectionRules : public DocumentTest, public CTERecordLookup {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        m_pEditor = &NewEditor();
        m_pSrc = m_pEditor->Create("CTEProcIN_0", 20, 40, "Src");
        m_pSum = m_pEditor->Create("CTEProcFUNC_2xPLUS", 200, 40, "Sum");
        m_pDst = m_pEditor->Create("CTEProcOUT_0", 400, 40, "Dst");
        m_pCal = m_pEditor->Create("CTEProcCalIN_0", 20, 140, "Cal");
        ASSERT_TRUE(m_pSrc && m_pSum && m_pDst && m_pCal);
        Device().ClearRequestLog();
        m_pEditor->m_Page.m_Record.m_bModified = 0;
    }

    CTrackObject* FindBlock(const char* pszName) override { return m_pEditor->m_Document.FindBlock(pszName); }
    CLineItem* FindLine(const char* pszName) override { return m_pEditor->Line(pszName); }

    static std::unique_ptr<CLineItem> Polyline(std::initializer_list<CPoint> points)
    {
        auto pLine = std::make_unique<CLineItem>();
        for (CPoint pt : points)
            pLine->AddPoint(pt.x, pt.y);
        return pLine;
    }
    static CPoint Out(CTrackObject* pBlock, UINT j = 0) { return Editor::PinPoint(pBlock, PIN_SIDE_OUTPUT, j); }
    static CPoint In(CTrackObject* pBlock, UINT i = 0) { return Editor::PinPoint(pBlock, PIN_SIDE_INPUT, i); }

    int Connect(CTrackObject* pA, CTrackObject* pB, CLineItem* pLine)
    {
        return m_pEditor->m_Document.ConnectLineTo(pA, pB, pLine);
    }

    Editor* m_pEditor = nullptr;
    CTETrackObject* m_pSrc = nullptr;
    CTETrackObject* m_pSum = nullptr;
    CTETrackObject* m_pDst = nullptr;
    CTETrackObject* m_pCal = nullptr;
};

TEST_F(ConnectionRules, RefusalsForMissingOrSameEndsChangeNothing)
{
    // A block joined to itself needs a bend to go round.
    auto pLoop = Polyline({Out(m_pSum), In(m_pSum)});
    EXPECT_EQ(Connect(m_pSum, m_pSum, pLoop.get()), 0);
    auto pMissing = Polyline({Out(m_pSrc), CPoint(150, 300)});
    EXPECT_EQ(Connect(m_pSrc, nullptr, pMissing.get()), 0);
    EXPECT_EQ(m_pEditor->m_Document.ConnectLine(pMissing.get()), 0);
    for (CLineItem* pLine : {pLoop.get(), pMissing.get()}) {
        EXPECT_TRUE(pLine->m_bValid);
        EXPECT_EQ(pLine->m_nDirection, LINE_DIRECTION_NONE);
        EXPECT_EQ(pLine->m_pSource, nullptr);
    }
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pSum->m_pOutputs[0]));
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pSrc->m_pOutputs[0]));
    EXPECT_FALSE(m_pEditor->m_Page.m_Record.m_bModified);

    pLoop = Polyline({Out(m_pSum), CPoint(300, 100), In(m_pSum)});
    EXPECT_EQ(Connect(m_pSum, m_pSum, pLoop.get()), 1);
    EXPECT_EQ(pLoop->m_pSource, m_pSum);
    EXPECT_EQ(pLoop->m_pTarget, m_pSum);
    EXPECT_EQ(Received("TESetLine"), 1u);
    m_pEditor->m_Document.m_LineList.Add(pLoop.release());
}

TEST_F(ConnectionRules, CalibratedInputFeedsOneLineOnly)
{
    ASSERT_NE(m_pEditor->Draw(m_pCal, 0, m_pSum, 0), nullptr);
    m_pEditor->m_Page.m_Record.m_bModified = 0;

    for (bool bFromTarget : {false, true}) {
        auto pSecond = bFromTarget ? Polyline({In(m_pSum, 1), Out(m_pCal)}) : Polyline({Out(m_pCal), In(m_pSum, 1)});
        EXPECT_EQ(bFromTarget ? Connect(m_pSum, m_pCal, pSecond.get()) : Connect(m_pCal, m_pSum, pSecond.get()), 0);
        EXPECT_FALSE(pSecond->m_bValid);
        EXPECT_EQ(pSecond->m_pSource, nullptr);
        EXPECT_EQ(pSecond->m_pTarget, nullptr);
        EXPECT_STREQ(pSecond->m_szTargetPin, "");
    }
    EXPECT_EQ(m_pCal->m_pOutputs[0].m_pLines[1], nullptr);
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pSum->m_pInputs[1]));
    EXPECT_TRUE(m_pEditor->m_Page.m_Record.m_bModified);
    EXPECT_EQ(Received("TESetLine"), 1u);

    // Any other output feeds as many lines as its pin has room for.
    EXPECT_NE(m_pEditor->Draw(m_pSrc, 0, m_pSum, 1), nullptr);
    EXPECT_NE(m_pEditor->Draw(m_pSrc, 0, m_pDst, 0), nullptr);
    EXPECT_EQ(m_pSrc->m_pOutputs[0].m_pLines[1], m_pEditor->Line("Line_3"));
}

TEST_F(ConnectionRules, BranchLinesTakeTheirParentsOtherEnd)
{
    CLineItem* pParent = m_pEditor->Draw(m_pSrc, 0, m_pSum, 0, {CPoint(140, 50)});
    ASSERT_NE(pParent, nullptr);
    EXPECT_STREQ(pParent->m_szName, "Line_1");

    // From the parent's bend to an input: the branch carries the source.
    auto pBranch = Polyline({CPoint(140, 50), CPoint(140, 100), In(m_pDst)});
    pBranch->m_pParent = pParent;
    pBranch->m_nNode = 1;
    pBranch->SetColor(0);
    EXPECT_EQ(Connect(nullptr, m_pDst, pBranch.get()), 1);
    EXPECT_EQ(pBranch->m_pSource, m_pSrc);
    EXPECT_EQ(pBranch->m_nSourcePin, PIN_OUTPUT_BASE);
    EXPECT_EQ(pBranch->m_pTarget, m_pDst);
    EXPECT_EQ(LastText("TESetLine"), "Line_1 Line_1.Node1 140,100 Dst.In0 0x00000000 ");
    EXPECT_STREQ(pBranch->m_szName, "Line_2");
    // It holds the pin it ends on, not its parent's source pin.
    EXPECT_EQ(m_pSrc->m_pOutputs[0].m_pLines[1], nullptr);

    // Ending on an output, it is drawn towards its source and carries the
    // parent's target.
    auto pBack = Polyline({CPoint(140, 50), CPoint(100, 120), Out(m_pCal)});
    pBack->m_pParent = pParent;
    pBack->m_nNode = 1;
    EXPECT_EQ(Connect(nullptr, m_pCal, pBack.get()), 1);
    EXPECT_EQ(pBack->m_pSource, m_pCal);
    EXPECT_EQ(pBack->m_nDirection, LINE_DIRECTION_FROM_TARGET);
    EXPECT_EQ(pBack->m_pTarget, m_pSum);
    EXPECT_EQ(pBack->m_nTargetPin, 0);

    // Deleting the parent leaves its branches as plain lines.
    m_pEditor->m_Document.m_LineList.Add(pBranch.release());
    m_pEditor->m_Document.m_LineList.Add(pBack.release());
    EXPECT_EQ(m_pEditor->m_Document.DeleteLine(pParent), 1);
    EXPECT_EQ(m_pEditor->Line("Line_2")->m_pParent, nullptr);
    EXPECT_EQ(TEFormatLineRecord(*m_pEditor->Line("Line_2")), "Line_2 Src.Out0 140,100 Dst.In0 0x00000000 ");
}

TEST_F(ConnectionRules, NoNodeLinesOffACalibratedInput)
{
    CLineItem* pParent = m_pEditor->Draw(m_pCal, 0, m_pSum, 0, {CPoint(140, 150)});
    ASSERT_NE(pParent, nullptr);
    auto pBranch = Polyline({CPoint(140, 150), In(m_pDst)});
    pBranch->m_pParent = pParent;
    pBranch->m_nNode = 1;
    EXPECT_EQ(Connect(nullptr, m_pDst, pBranch.get()), 0);
    EXPECT_FALSE(pBranch->m_bValid);
    EXPECT_EQ(pBranch->m_pTarget, nullptr);
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pDst->m_pInputs[0]));
    EXPECT_EQ(Received("TESetLine"), 1u);
}

TEST_F(ConnectionRules, ConnectLineFindsTheBlocksUnderTheEnds)
{
    CTEDocument& doc = m_pEditor->m_Document;
    // Ends near a pin go onto its centre.
    CPoint from = Out(m_pSrc) + CPoint(2, -2);
    auto pLine = Polyline({from, CPoint(140, 60), In(m_pSum, 1) + CPoint(-1, 1)});
    EXPECT_EQ(doc.ConnectLine(pLine.get()), 1);
    EXPECT_EQ(pLine->GetFirstPoint(), Out(m_pSrc));
    EXPECT_EQ(pLine->GetLastPoint(), In(m_pSum, 1));
    EXPECT_EQ(pLine->m_pSource, m_pSrc);
    EXPECT_EQ(pLine->m_nTargetPin, 1);
    EXPECT_EQ(doc.ConnectLine(pLine.get()), -1);
    doc.m_LineList.Add(pLine.release());

    // Both ends on one pin join a block to nothing but itself.
    auto pLoop = Polyline({Out(m_pSum), CPoint(300, 120), Out(m_pSum) + CPoint(1, 1)});
    EXPECT_EQ(doc.ConnectLine(pLoop.get()), 0);
    EXPECT_EQ(pLoop->m_pSource, nullptr);
    EXPECT_EQ(Received("TESetLine"), 1u);
}

TEST_F(ConnectionRules, AnchorsChooseAmongBlocksOnTopOfEachOther)
{
    CTETrackObject* pLower = m_pEditor->Create("CTEProcIN_0", 20, 300, "Lower");
    CTETrackObject* pUpper = m_pEditor->Create("CTEProcIN_0", 20, 300, "Upper");
    CTETrackObject* pLate = m_pEditor->Create("CTEProcFUNC_2xPLUS", 200, 300, "Late");
    CTEDocument& doc = m_pEditor->m_Document;

    // Drawn by hand, the later block of the list takes the end.
    auto pDrawn = Polyline({Out(pLower), In(pLate)});
    EXPECT_EQ(doc.ConnectLine(pDrawn.get()), 1);
    EXPECT_EQ(pDrawn->m_pSource, pUpper);
    doc.m_LineList.Add(pDrawn.release());

    // Read from a record, the anchor names it: the same outside a reload
    // (each block in turn) and inside one (through the reload index).
    const char* pszRecord = "Line_7 Lower.Out0 Late.In1 0x00000000 ";
    std::unique_ptr<CLineItem> pRead(TEReadLineRecord(pszRecord, *this));
    ASSERT_NE(pRead, nullptr);
    EXPECT_EQ(doc.ConnectLine(pRead.get()), 1);
    EXPECT_EQ(pRead->m_pSource, pLower);
    doc.m_LineList.Add(pRead.release());

    STRINGLIST records{strdup(pszRecord)};
    doc.ReloadLines(&records);
    a_EmptyStringList(&records);
    ASSERT_EQ(doc.m_LineList.GetSize(), 1);
    EXPECT_EQ(doc.m_LineList[0]->m_pSource, pLower);
    EXPECT_EQ(doc.m_LineList[0]->m_pTarget, pLate);
    EXPECT_FALSE(CTrackObject::IsPinConnected(&pUpper->m_pOutputs[0]));
    EXPECT_FALSE(CTrackObject::IsPinConnected(&pLate->m_pInputs[0]));
}

// Where an end may land: the state of one line after connecting.
std::string Outcome(const CLineItem& line, int nResult)
{
    auto name = [](const CTrackObject* pBlock) { return pBlock ? std::string(pBlock->m_szName) : std::string("-"); };
    return std::to_string(nResult) + ' ' + name(line.m_pSource) + ' ' + std::to_string(line.m_nSourcePin) + ' ' +
           name(line.m_pTarget) + ' ' + std::to_string(line.m_nTargetPin) + ' ' + std::to_string(line.m_nDirection) +
           ' ' + std::to_string(line.GetFirstPoint().x) + ',' + std::to_string(line.GetFirstPoint().y) + ' ' +
           std::to_string(line.GetLastPoint().x) + ',' + std::to_string(line.GetLastPoint().y) + ' ' +
           std::to_string(line.m_bValid);
}

TEST_F(ConnectionRules, ReloadFindsTheSameEndsAsTheWalkThroughTheList)
{
    // Crowded blocks whose pins straddle the index's cells, and lines whose
    // ends fall on, beside and between pins, some naming their blocks.
    CTEDocument& doc = m_pEditor->m_Document;
    std::mt19937 random(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    std::vector<std::string> procs;
    for (int i = 0; i < 40; ++i) {
        const char* keys[] = {"CTEProcIN_0", "CTEProcFUNC_3xPLUS", "CTEProcOUT_0", "CTEProcCalIN_0"};
        procs.push_back(std::string(keys[i % 4]) + " B" + std::to_string(i) + ' ' + std::to_string(pick(0, 300)) +
                        ',' + std::to_string(pick(0, 200)));
    }
    STRINGLIST list;
    for (const std::string& record : procs)
        list.push_back(strdup(record.c_str()));
    doc.ReloadBlocks(&list);
    a_EmptyStringList(&list);
    ASSERT_EQ(doc.m_BlockList.GetSize(), 40);

    auto near = [&](bool bOutput) {
        CTrackObject* pBlock = doc.m_BlockList[pick(0, 39)];
        UINT nPins = bOutput ? pBlock->m_nOutputs : pBlock->m_nInputs;
        CPoint pt = nPins > 0 ? Editor::PinPoint(pBlock, bOutput ? PIN_SIDE_OUTPUT : PIN_SIDE_INPUT, pick(0, nPins - 1))
                              : CPoint(pick(0, 360), pick(0, 240));
        return std::make_pair(pBlock, pt + CPoint(pick(-8, 8), pick(-6, 6)));
    };
    std::vector<std::string> records;
    for (int i = 0; i < 300; ++i) {
        auto [pFrom, from] = near(true);
        auto [pTo, to] = near(false);
        std::string head = std::to_string(from.x) + ',' + std::to_string(from.y);
        std::string tail = std::to_string(to.x) + ',' + std::to_string(to.y);
        if (i % 3 == 0) {
            head = std::string(pFrom->m_szName) + ".Out0";
            tail = std::string(pTo->m_szName) + ".In0";
        }
        records.push_back("Line_" + std::to_string(i) + ' ' + head + ' ' + std::to_string(pick(0, 400)) + ",300 " +
                          tail + " 0x00000000 ");
    }

    for (const std::string& record : records)
        list.push_back(strdup(record.c_str()));
    doc.ReloadLines(&list);
    a_EmptyStringList(&list);
    std::vector<std::string> byIndex;
    for (INT_PTR i = 0; i < doc.m_LineList.GetSize(); ++i)
        byIndex.push_back(Outcome(*doc.m_LineList[i], doc.m_LineList[i]->m_pSource || doc.m_LineList[i]->m_pTarget));
    doc.ReloadLines(&list);  // empty: frees the lines and their pins

    // The same records, each connected by walking the block list.
    std::vector<std::string> byWalk;
    doc.m_bLoading = TRUE;
    for (const std::string& record : records) {
        CLineItem* pLine = TEReadLineRecord(record.c_str(), *this);
        if (pLine == nullptr)
            continue;  // closed: the reload skipped it too
        pLine->m_bModified = 0;
        doc.m_LineList.Add(pLine);
        int nResult = doc.ConnectLine(pLine);
        byWalk.push_back(Outcome(*pLine, nResult == 1));
    }
    doc.m_bLoading = FALSE;
    EXPECT_EQ(byIndex, byWalk);
    EXPECT_GT(std::count_if(byWalk.begin(), byWalk.end(), [](const std::string& s) { return s[0] == '1'; }), 50);
}

using Placement = DocumentTest;

TEST_F(Placement, BlocksWithoutPositionStackDownThePage)
{
    // Grid 5 on an 800-pixel page: (800 - 10 - 30 - 190) / 2 = 285.
    Editor& editor = NewEditor();
    CTETrackObject* pFirst = editor.Create("CTEProcIN_0", -1, -1);
    CTETrackObject* pSecond = editor.Create("CTEProcIN_0", -1, -1);
    ASSERT_TRUE(pFirst && pSecond);
    EXPECT_EQ(pFirst->m_rcPos, CRect(285, 10, 345, 35));
    // Down by two grid steps past the first: 10 + 25 + 10.
    EXPECT_EQ(pSecond->m_rcPos, CRect(285, 45, 345, 70));
    EXPECT_EQ(Editor::PinPoint(pSecond, PIN_SIDE_OUTPUT, 0), CPoint(344, 55));
    // The device keeps the position it was given.
    EXPECT_EQ(LastText("TESetProc"), "CTEProcIN_0 II_2 -1,-1");

    // Rebuilt from those records, they land in the same places.
    Editor& other = NewEditor();
    other.m_Document.Tick();
    EXPECT_EQ(other.Positions(), editor.Positions());
}

TEST_F(Placement, BlocksWithoutPositionSlidePastBlocksInTheWay)
{
    // A narrow page starts four grid steps in: (20, 10). The block in the
    // way covers 7 pixels of the second try, snapped to 5.
    ASSERT_TRUE(Write("TESetProc", "CTEProcFUNC_2xPLUS Top 0,22"));
    ASSERT_TRUE(Write("TESetProc", "CTEProcIN_0 Auto -1,-1"));
    Editor& editor = NewEditor();
    editor.m_Page.m_nWidth = 100;
    editor.m_Document.Tick();
    EXPECT_EQ(editor.Block("Auto")->m_rcPos, CRect(20, 60, 80, 85));

    // Created here, the next one also slides past the one placed before.
    CTETrackObject* pNext = editor.Create("CTEProcIN_0", -1, -1);
    ASSERT_NE(pNext, nullptr);
    EXPECT_EQ(pNext->m_rcPos, CRect(20, 95, 80, 120));
}

}  // namespace
