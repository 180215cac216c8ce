// Which lines the document attaches to which pins, which it refuses, and
// where it puts blocks that come without a position.
#include "sync/DocumentTestSupport.h"

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

    // Anchors of records read here resolve by walking the lists.
    CTrackObject* FindBlock(const char* pszName) override { return m_pEditor->m_Document.FindBlock(pszName); }
    CLineItem* FindLine(const char* pszName) override { return m_pEditor->Line(pszName); }

    static CPoint Out(CTrackObject* pBlock) { return PinPoint(pBlock, PIN_SIDE_OUTPUT, 0); }
    static CPoint In(CTrackObject* pBlock, UINT i = 0) { return PinPoint(pBlock, PIN_SIDE_INPUT, i); }
    int Connect(CTrackObject* pA, CTrackObject* pB, CLineItem* pLine)
    {
        return m_pEditor->m_Document.ConnectLineTo(pA, pB, pLine);
    }
    // A branch from point 1 of pParent over the given points.
    static std::unique_ptr<CLineItem> Branch(CLineItem* pParent, std::initializer_list<CPoint> points)
    {
        auto pLine = Polyline({pParent->m_points[1]});
        for (CPoint pt : points)
            pLine->AddPoint(pt.x, pt.y);
        pLine->m_pParent = pParent;
        pLine->m_nNode = 1;
        return pLine;
    }

    Editor* m_pEditor = nullptr;
    CTETrackObject* m_pSrc = nullptr;
    CTETrackObject* m_pSum = nullptr;
    CTETrackObject* m_pDst = nullptr;
    CTETrackObject* m_pCal = nullptr;
};

TEST_F(ConnectionRules, RefusalsForMissingOrSameEndsChangeNothing)
{
    // A block joined to itself needs a bend to go round; a line needs both
    // of its ends on blocks.
    auto pLoop = Polyline({Out(m_pSum), In(m_pSum)});
    auto pMissing = Polyline({Out(m_pSrc), CPoint(150, 300)});
    EXPECT_EQ(Connect(m_pSum, m_pSum, pLoop.get()), 0);
    EXPECT_EQ(Connect(m_pSrc, nullptr, pMissing.get()), 0);
    EXPECT_EQ(m_pEditor->m_Document.ConnectLine(pMissing.get()), 0);
    EXPECT_EQ(Describe(*pLoop), "-:-1>-:-1 d-1 259,50 200,50 #00000000");
    EXPECT_EQ(Describe(*pMissing), "-:-1>-:-1 d-1 79,50 150,300 #00000000");
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pSrc->m_pOutputs[0]));
    EXPECT_FALSE(m_pEditor->m_Page.m_Record.m_bModified);

    EXPECT_NE(m_pEditor->Hand(Polyline({Out(m_pSum), CPoint(300, 100), In(m_pSum)}), m_pSum, m_pSum), nullptr);
    EXPECT_EQ(Received({"TESetLine"}), 1u);
}

TEST_F(ConnectionRules, CalibratedInputFeedsOneLineOnly)
{
    ASSERT_NE(m_pEditor->Draw(m_pCal, 0, m_pSum, 0), nullptr);
    m_pEditor->m_Page.m_Record.m_bModified = 0;

    // From either end, a second line is marked invalid and takes no pin.
    auto pFromCal = Polyline({Out(m_pCal), In(m_pSum, 1)});
    auto pToCal = Polyline({In(m_pSum, 1), Out(m_pCal)});
    EXPECT_EQ(Connect(m_pCal, m_pSum, pFromCal.get()), 0);
    EXPECT_EQ(Connect(m_pSum, m_pCal, pToCal.get()), 0);
    EXPECT_EQ(Describe(*pFromCal), "-:-1>-:-1 d-1 79,150 200,60 #00000000 !");
    EXPECT_EQ(Describe(*pToCal), "-:-1>-:-1 d-1 200,60 79,150 #00000000 !");
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pSum->m_pInputs[1]));
    EXPECT_TRUE(m_pEditor->m_Page.m_Record.m_bModified);
    EXPECT_EQ(Received({"TESetLine"}), 1u);

    // Any other output feeds as many lines as its pin has room for.
    EXPECT_NE(m_pEditor->Draw(m_pSrc, 0, m_pSum, 1), nullptr);
    EXPECT_NE(m_pEditor->Draw(m_pSrc, 0, m_pDst, 0), nullptr);
}

TEST_F(ConnectionRules, BranchLinesTakeTheirParentsOtherEnd)
{
    CLineItem* pParent = m_pEditor->Draw(m_pSrc, 0, m_pSum, 0, {CPoint(140, 50)});
    ASSERT_NE(pParent, nullptr);

    // Ending on an input, a branch carries its parent's source (without
    // taking a slot of its pin); ending on an output, its parent's target.
    CLineItem* pToInput = m_pEditor->Hand(Branch(pParent, {CPoint(140, 100), In(m_pDst)}), nullptr, m_pDst);
    ASSERT_NE(pToInput, nullptr);
    EXPECT_EQ(Describe(*pToInput), "Src:1024>Dst:0 d2 140,50 140,100 400,50 #00000000 ^Line_1:1");
    EXPECT_EQ(LastText("TESetLine"), "Line_1 Line_1.Node1 140,100 Dst.In0 0x00000000 ");
    EXPECT_EQ(m_pSrc->m_pOutputs[0].m_pLines[1], nullptr);
    CLineItem* pToOutput = m_pEditor->Hand(Branch(pParent, {CPoint(100, 120), Out(m_pCal)}), nullptr, m_pCal);
    ASSERT_NE(pToOutput, nullptr);
    EXPECT_EQ(Describe(*pToOutput), "Cal:1024>Sum:0 d1 140,50 100,120 79,150 #00000000 ^Line_1:1");

    // Deleting the source reaches the branch that took it from its parent.
    EXPECT_EQ(m_pEditor->m_Document.DeleteBlock(m_pSrc), 1);
    EXPECT_EQ(pToInput->m_pSource, nullptr);

    // Deleting the parent leaves its branches where they are, as plain
    // lines attached to nothing, to be sent with all their points.
    EXPECT_EQ(m_pEditor->m_Document.DeleteLine(pParent), 1);
    EXPECT_EQ(Describe(*pToInput), "-:-1>-:-1 d2 140,50 140,100 400,50 #00000000");
    EXPECT_EQ(TEFormatLineRecord(*pToInput), "Line_2 140,50 140,100 400,50 0x00000000 ");
    EXPECT_EQ(Describe(*pToOutput), "-:-1>-:-1 d1 140,50 100,120 79,150 #00000000");
    EXPECT_TRUE(pToInput->m_bModified && pToOutput->m_bModified);
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pCal->m_pOutputs[0]));
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pDst->m_pInputs[0]));
}

TEST_F(ConnectionRules, NoNodeLinesOffACalibratedInput)
{
    CLineItem* pParent = m_pEditor->Draw(m_pCal, 0, m_pSum, 0, {CPoint(140, 150)});
    ASSERT_NE(pParent, nullptr);
    auto pBranch = Branch(pParent, {In(m_pDst)});
    EXPECT_EQ(Connect(nullptr, m_pDst, pBranch.get()), 0);
    EXPECT_EQ(Describe(*pBranch), "-:-1>-:-1 d-1 140,150 400,50 #00000000 ^Line_1:1 !");
    EXPECT_FALSE(CTrackObject::IsPinConnected(&m_pDst->m_pInputs[0]));
    EXPECT_EQ(Received({"TESetLine"}), 1u);
}

TEST_F(ConnectionRules, ConnectLineFindsTheBlocksUnderTheEnds)
{
    CTEDocument& doc = m_pEditor->m_Document;
    // Ends beside a pin go onto its centre.
    auto pLine = Polyline({Out(m_pSrc) + CPoint(4, -2), CPoint(140, 60), In(m_pSum, 1) + CPoint(-1, 1)});
    EXPECT_EQ(doc.ConnectLine(pLine.get()), 1);
    EXPECT_EQ(Describe(*pLine), "Src:1024>Sum:1 d2 79,50 140,60 200,60 #00000000");
    EXPECT_EQ(doc.ConnectLine(pLine.get()), -1);
    doc.m_LineList.Add(pLine.release());

    // Both ends on one pin join a block to nothing but itself.
    auto pLoop = Polyline({Out(m_pSum), CPoint(300, 120), Out(m_pSum) + CPoint(1, 1)});
    EXPECT_EQ(doc.ConnectLine(pLoop.get()), 0);
    EXPECT_EQ(pLoop->m_pSource, nullptr);

    // Of blocks on top of each other the later one takes a drawn end; an
    // anchor names its block, within a reload and outside one.
    CTETrackObject* pLower = m_pEditor->Create("CTEProcIN_0", 20, 300, "Lower");
    CTETrackObject* pUpper = m_pEditor->Create("CTEProcIN_0", 20, 300, "Upper");
    CTETrackObject* pLate = m_pEditor->Create("CTEProcFUNC_2xPLUS", 200, 300, "Late");
    auto pDrawn = Polyline({Out(pLower), In(pLate)});
    EXPECT_EQ(doc.ConnectLine(pDrawn.get()), 1);
    EXPECT_EQ(pDrawn->m_pSource, pUpper);
    doc.m_LineList.Add(pDrawn.release());
    const char* pszRecord = "Line_7 Lower.Out0 Late.In1 0x00000000 ";
    std::unique_ptr<CLineItem> pRead(TEReadLineRecord(pszRecord, *this));
    EXPECT_EQ(doc.ConnectLine(pRead.get()), 1);
    EXPECT_EQ(pRead->m_pSource, pLower);
    doc.m_LineList.Add(pRead.release());
    STRINGLIST records{strdup(pszRecord)};
    doc.ReloadLines(&records);
    a_EmptyStringList(&records);
    EXPECT_EQ(m_pEditor->Lines(), (std::vector<std::string>{"Lower:1024>Late:1 d2 79,310 200,320 #00000000"}));
    EXPECT_FALSE(CTrackObject::IsPinConnected(&pUpper->m_pOutputs[0]));
}

TEST_F(ConnectionRules, ReloadFindsTheSameEndsAsTheWalkThroughTheList)
{
    // Crowded blocks whose pins straddle the reload index's cells, and lines
    // whose ends fall on, beside and between pins, a third naming blocks.
    CTEDocument& doc = m_pEditor->m_Document;
    std::mt19937 random(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const char* keys[] = {"CTEProcIN_0", "CTEProcFUNC_3xPLUS", "CTEProcOUT_0", "CTEProcCalIN_0"};
    STRINGLIST list;
    for (int i = 0; i < 40; ++i) {
        std::string record = std::string(keys[i % 4]) + " B" + std::to_string(i) + ' ' + std::to_string(pick(0, 300)) +
                             ',' + std::to_string(pick(0, 200));
        list.push_back(strdup(record.c_str()));
    }
    doc.ReloadBlocks(&list);
    a_EmptyStringList(&list);
    auto end = [&](bool bOutput, std::string* pAnchor) {
        CTrackObject* pBlock = doc.m_BlockList[pick(0, 39)];
        UINT nPins = bOutput ? pBlock->m_nOutputs : pBlock->m_nInputs;
        CPoint pt = nPins > 0 ? PinPoint(pBlock, bOutput ? PIN_SIDE_OUTPUT : PIN_SIDE_INPUT, pick(0, nPins - 1))
                              : CPoint(pick(0, 360), pick(0, 240));
        pt += CPoint(pick(-8, 8), pick(-6, 6));
        *pAnchor = std::string(pBlock->m_szName) + (bOutput ? ".Out0" : ".In0");
        return std::to_string(pt.x) + ',' + std::to_string(pt.y);
    };
    std::vector<std::string> records;
    for (int i = 0; i < 300; ++i) {
        std::string headAnchor, tailAnchor;
        std::string head = end(true, &headAnchor);
        std::string tail = end(false, &tailAnchor);
        std::string middle = ' ' + std::to_string(pick(0, 400)) + ",300 ";
        records.push_back("Line_" + std::to_string(i) + ' ' + (i % 3 ? head + middle + tail : headAnchor + middle + tailAnchor) +
                          " 0x00000000 ");
        list.push_back(strdup(records.back().c_str()));
    }
    doc.ReloadLines(&list);
    a_EmptyStringList(&list);
    std::vector<std::string> byIndex = m_pEditor->Lines();
    doc.ReloadLines(&list);  // empty: frees the lines and their pins

    // The same records, each connected by walking the block list.
    doc.m_bLoading = TRUE;
    for (const std::string& record : records) {
        if (CLineItem* pLine = TEReadLineRecord(record.c_str(), *this)) {
            pLine->m_bModified = 0;
            doc.m_LineList.Add(pLine);
            doc.ConnectLine(pLine);
        }
    }
    doc.m_bLoading = FALSE;
    std::vector<std::string> byWalk = m_pEditor->Lines();
    EXPECT_EQ(byIndex, byWalk);
    EXPECT_GT(std::count_if(byWalk.begin(), byWalk.end(), [](const std::string& s) { return s[0] != '-'; }), 50);
}

using Placement = DocumentTest;

TEST_F(Placement, BlocksWithoutPositionStackDownThePage)
{
    // Grid 5 on an 800-pixel page: x = (800 - 10 - 30 - 190) / 2 = 285,
    // y = 10; the second goes down by 25, the overlap, plus 10.
    Editor& editor = NewEditor();
    ASSERT_NE(editor.Create("CTEProcIN_0", -1, -1), nullptr);
    ASSERT_NE(editor.Create("CTEProcIN_0", -1, -1), nullptr);
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"II_1 285,10", "II_2 285,45"}));
    EXPECT_EQ(PinPoint(editor.Block("II_2"), PIN_SIDE_OUTPUT, 0), CPoint(344, 55));
    // The device learns where they landed, and a rebuild from it shows
    // them in the same places.
    EXPECT_EQ(LastText("TESetProc"), "CTEProcIN_0 II_2 285,45");
    Editor& other = NewEditor();
    other.Tick();
    EXPECT_EQ(other.Positions(), editor.Positions());
}

TEST_F(Placement, BlocksWithoutPositionSlidePastBlocksInTheWay)
{
    // A narrow page starts them four grid steps in, at (20, 10). Top covers
    // 7 pixels of the second try, snapped to 5: 10 -> 45 -> 60.
    ASSERT_TRUE(Write("TESetProc", "CTEProcFUNC_2xPLUS Top 0,22") && Write("TESetProc", "CTEProcIN_0 Auto -1,-1"));
    Editor& editor = NewEditor();
    editor.m_Page.m_nWidth = 100;
    editor.Tick();
    // Made here, the next one slides past both: 10 -> 45 -> 60 -> 95.
    ASSERT_NE(editor.Create("CTEProcIN_0", -1, -1), nullptr);
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"Top 0,22", "Auto 20,60", "II_1 20,95"}));
}

}  // namespace
