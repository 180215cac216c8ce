// One editor and its device, from start to end: what the device holds
// appears in the editor after a tick, what the editor does reaches the
// device, and a device that goes away and comes back loses nothing.
#include "sync/DocumentTestSupport.h"

#include <cstdlib>

#include "blocks/CTEProcCalIN.h"
#include "blocks/CTEProcFUNC.h"
#include "blocks/CTEProcIN.h"
#include "blocks/CTEProcOUT.h"
#include "blocks/CTEProcRTC.h"

namespace {

class DocumentExchange : public DocumentTest {
protected:
    // A program written on the device by someone else: an input feeding a
    // sum over a bend, a branch from that bend into the sum's second input,
    // the sum driving an output over a straight line; a calibrated input and
    // a clock stand alone. The device names the lines Line_1 to Line_3.
    static void WriteProgram()
    {
        for (const char* record : {"CTEProcIN_0 Src 20,40", "CTEProcFUNC_2xPLUS Sum 200,40", "CTEProcOUT_0 Dst 400,40",
                                   "CTEProcCalIN_0 Cal 20,140", "CTEProcRTC_0xClock Clk 20,240"})
            ASSERT_TRUE(Write("TESetProc", record));
        for (const char* record : {"Line_0 Src.Out0 140,50 Sum.In0 0x000000ff ", "Line_0 Sum.Out0 Dst.In0 0x0000ff00 ",
                                   "Line_0 Line_1.Node1 140,60 Sum.In1 0x00ff0000 "})
            ASSERT_TRUE(Write("TESetLine", record));
    }

    // The device's blocks as "name x,y".
    static std::vector<std::string> DevicePositions()
    {
        std::vector<std::string> positions;
        for (const std::string& record : Device().ProcRecords())
            positions.push_back(record.substr(record.find(' ') + 1));
        return positions;
    }

    // Sets a record list as the host library hands one over.
    static STRINGLIST Records(std::initializer_list<const char*> texts)
    {
        STRINGLIST list;
        for (const char* text : texts)
            list.push_back(strdup(text));
        return list;
    }
};

TEST_F(DocumentExchange, ProgramWrittenElsewhereAppearsAfterOneTick)
{
    WriteProgram();
    Editor& editor = NewEditor();
    Device().ClearRequestLog();
    editor.m_Document.Tick();

    CTEDocument& doc = editor.m_Document;
    EXPECT_EQ(editor.Positions(), DevicePositions());
    CTETrackObject* pSrc = editor.Block("Src");
    CTETrackObject* pSum = editor.Block("Sum");
    ASSERT_TRUE(pSrc && pSum && editor.Block("Dst") && editor.Block("Cal") && editor.Block("Clk"));
    EXPECT_TRUE(pSrc->IsKindOf(RUNTIME_CLASS(CTEProcIN)));
    EXPECT_TRUE(pSum->IsKindOf(RUNTIME_CLASS(CTEProcFUNC)));
    EXPECT_EQ(pSum->m_nInputs, 2u);
    EXPECT_TRUE(editor.Block("Dst")->IsKindOf(RUNTIME_CLASS(CTEProcOUT)));
    EXPECT_TRUE(editor.Block("Cal")->IsKindOf(RUNTIME_CLASS(CTEProcCalIN)));
    EXPECT_STREQ(editor.Block("Clk")->m_szText, "Clock");
    ASSERT_EQ(doc.m_DisplayList.GetSize(), 5);
    for (INT_PTR i = 0; i < 5; ++i)
        EXPECT_EQ(doc.m_DisplayList[i], doc.m_BlockList[i]);

    ASSERT_EQ(doc.m_LineList.GetSize(), 3);
    CLineItem* pLine = editor.Line("Line_1");
    CLineItem* pBranch = editor.Line("Line_3");
    ASSERT_TRUE(pLine && pBranch && editor.Line("Line_2"));
    // Anchored ends lie on the pins, attached to them.
    EXPECT_EQ(Points(*pLine), (std::vector<CPoint>{CPoint(79, 50), CPoint(140, 50), CPoint(200, 50)}));
    EXPECT_EQ(pLine->m_pSource, pSrc);
    EXPECT_EQ(pLine->m_nSourcePin, PIN_OUTPUT_BASE);
    EXPECT_EQ(pLine->m_pTarget, pSum);
    EXPECT_EQ(pLine->m_nTargetPin, 0);
    EXPECT_EQ(pLine->m_color, 0x000000ffu);
    EXPECT_EQ(pSrc->m_pOutputs[0].m_pLines[0], pLine);
    EXPECT_EQ(pSum->m_pInputs[0].m_pLines[0], pLine);
    EXPECT_EQ(editor.Line("Line_2")->m_color, 0x0000ff00u);
    // The branch starts on its parent's bend, in the parent's colour, and
    // takes the parent's source.
    EXPECT_EQ(pBranch->m_pParent, pLine);
    EXPECT_EQ(pBranch->m_nNode, 1);
    EXPECT_EQ(Points(*pBranch), (std::vector<CPoint>{CPoint(140, 50), CPoint(140, 60), CPoint(200, 60)}));
    EXPECT_EQ(pBranch->m_color, 0x000000ffu);
    EXPECT_EQ(pBranch->m_pSource, pSrc);
    EXPECT_EQ(pBranch->m_pTarget, pSum);
    EXPECT_EQ(pSum->m_pInputs[1].m_pLines[0], pBranch);
    for (INT_PTR i = 0; i < 3; ++i) {
        EXPECT_TRUE(doc.m_LineList[i]->m_bValid);
        EXPECT_FALSE(doc.m_LineList[i]->m_bModified);
    }
    EXPECT_EQ(editor.LineRecords()[0], Device().LineRecords()[0]);
    EXPECT_EQ(editor.LineRecords()[1], Device().LineRecords()[1]);

    // Rebuilding announces nothing, but the program did change here, and
    // the canvas repaints what it now shows.
    EXPECT_EQ(Announcements(), 0u);
    EXPECT_TRUE(editor.m_Page.m_Record.m_bModified);
    ASSERT_FALSE(editor.m_Page.m_Invalidated.empty());
    EXPECT_TRUE(editor.m_Page.m_Invalidated.back().PtInRect(CPoint(140, 60)));

    // Counts agree now: the next tick reads no list.
    Device().ClearRequestLog();
    editor.m_Document.Tick();
    EXPECT_EQ(Received("TEProcs") + Received("TELines"), 0u);
    EXPECT_EQ(Received("TENrOfProcs"), 1u);
}

TEST_F(DocumentExchange, CreatedBlockReachesTheDeviceWithItsSettledName)
{
    Editor& editor = NewEditor();
    CTETrackObject* pFirst = editor.Create("CTEProcIN_0", 40, 60);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_STREQ(pFirst->CTrackObject::m_szName, "II_1");
    EXPECT_STREQ(pFirst->HOSTINFO::m_szName, "II_1");
    EXPECT_EQ(Device().ProcRecords(), (std::vector<std::string>{"CTEProcIN_0 II_1 40,60"}));
    EXPECT_TRUE(editor.m_Page.m_Record.m_bModified);

    // The device settles the next one past the name it already has.
    CTETrackObject* pSecond = editor.Create("CTEProcIN_0", 140, 60);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_STREQ(pSecond->CTrackObject::m_szName, "II_2");
    EXPECT_EQ(Device().ProcRecords().back(), "CTEProcIN_0 II_2 140,60");

    // A wanted name is kept while free, and comes back in the buffer.
    char szName[HOSTINFO_NAME_SIZE] = "Mixer";
    EXPECT_EQ(editor.m_Document.CreateBlock("CTEProcFUNC_3xMUL", 40, 200, 0, 0, szName, 0), 2);
    EXPECT_STREQ(szName, "Mixer");
    EXPECT_EQ(editor.m_Document.m_DisplayList[0], editor.Block("Mixer"));
    EXPECT_EQ(editor.m_Document.CreateBlock("CTEProcFUNC_3xMUL", 40, 300, 0, 0, szName, 99), 3);
    EXPECT_STREQ(szName, "Mixer_1");
    EXPECT_EQ(editor.m_Document.m_DisplayList[3], editor.Block("Mixer_1"));

    // Four channels, in their order, to the dialog's device.
    auto keywords = [](STRINGLIST* pList) { return std::vector<std::string>(pList->begin(), pList->end()); };
    EXPECT_EQ(keywords(pFirst->m_pFunctionKeywords.get()), (std::vector<std::string>{"TE.II_1.function"}));
    EXPECT_EQ(keywords(pFirst->m_pConnectionKeywords.get()), (std::vector<std::string>{"TE.II_1.connection"}));
    EXPECT_EQ(keywords(pFirst->m_pOnlineKeywords.get()), (std::vector<std::string>{"TE.II_1.online"}));
    EXPECT_EQ(keywords(pFirst->m_pValueKeywords.get()), (std::vector<std::string>{"TE.II_1.Value"}));
    ASSERT_EQ(pFirst->m_pValueRequests->size(), 1u);
    EXPECT_EQ(corvala::RequestDeviceName(pFirst->m_pValueRequests->front()), "TE1");

    // The tick polls them: the block shows the device's value and link.
    ASSERT_TRUE(Device().SetBlockValue("II_1", 2.5));
    ASSERT_TRUE(Write("TE.II_1.connection", "Amp1"));
    ASSERT_TRUE(Write("TE.II_1.function", "Gain"));
    pFirst->m_bDirty = FALSE;
    editor.m_Document.Tick();
    EXPECT_FLOAT_EQ(pFirst->m_fValue, 2.5f);
    EXPECT_TRUE(pFirst->m_bAssigned);
    EXPECT_TRUE(pFirst->m_bDirty);
    // Nothing to reload: the device holds what the editor holds.
    EXPECT_EQ(Received("TEProcs"), 0u);
}

TEST_F(DocumentExchange, ConnectedLineReachesTheDeviceUnderTheDevicesName)
{
    Editor& editor = NewEditor();
    CTETrackObject* pSrc = editor.Create("CTEProcIN_0", 20, 40, "Src");
    CTETrackObject* pSum = editor.Create("CTEProcFUNC_2xPLUS", 200, 40, "Sum");
    // Someone took line number 1 already.
    tedevice::TEValue value;
    ASSERT_EQ(Device().Request("TESafeLineName", tedevice::TE_READ, tedevice::TE_TEXT, value), tedevice::TE_OK);

    CLineItem* pLine = editor.Draw(pSrc, 0, pSum, 1, {CPoint(140, 50), CPoint(140, 60)});
    ASSERT_NE(pLine, nullptr);
    EXPECT_EQ(LastText("TESetLine"), "Line_1 Src.Out0 140,50 140,60 Sum.In1 0x00000000 ");
    EXPECT_STREQ(pLine->m_szName, "Line_2");
    EXPECT_EQ(Device().LineRecords(), (std::vector<std::string>{"Line_2 Src.Out0 140,50 140,60 Sum.In1 0x00000000 "}));
    EXPECT_EQ(pLine->m_nDirection, LINE_DIRECTION_FROM_SOURCE);
    EXPECT_STREQ(pLine->m_szSourcePin, "Src.Out0");
    EXPECT_STREQ(pLine->m_szTargetPin, "Sum.In1");
    EXPECT_EQ(pSrc->m_pOutputs[0].m_pLines[0], pLine);
    EXPECT_EQ(pSum->m_pInputs[1].m_pLines[0], pLine);

    // Drawn from the input end, the line reads the other way round.
    auto pBack = std::make_unique<CLineItem>();
    CPoint in = Editor::PinPoint(pSum, PIN_SIDE_INPUT, 0);
    CPoint out = Editor::PinPoint(pSrc, PIN_SIDE_OUTPUT, 0);
    pBack->AddPoint(in.x, in.y);
    pBack->AddPoint(out.x, out.y);
    CLineItem* pBackLine = editor.Hand(std::move(pBack), pSum, pSrc);
    ASSERT_NE(pBackLine, nullptr);
    EXPECT_EQ(pBackLine->m_nDirection, LINE_DIRECTION_FROM_TARGET);
    EXPECT_EQ(LastText("TESetLine"), "Line_1 Sum.In0 Src.Out0 0x00000000 ");
    EXPECT_STREQ(pBackLine->m_szName, "Line_3");
    EXPECT_EQ(pSrc->m_pOutputs[0].m_pLines[1], pBackLine);
}

TEST_F(DocumentExchange, MovedBlockAndChangedLineAreSentOnce)
{
    Editor& editor = NewEditor();
    CTETrackObject* pSrc = editor.Create("CTEProcIN_0", 20, 40, "Src");
    CTETrackObject* pSum = editor.Create("CTEProcFUNC_2xPLUS", 200, 40, "Sum");
    CLineItem* pLine = editor.Draw(pSrc, 0, pSum, 0, {CPoint(140, 50)});
    ASSERT_NE(pLine, nullptr);
    editor.m_Document.Tick();
    Device().ClearRequestLog();

    // The canvas moves the block and marks it; the user drags the bend.
    pSrc->SetPosition(30, 45, 90, 70);
    pSrc->m_bMoved = TRUE;
    ASSERT_TRUE(pLine->MovePoint(140, 90, 1));
    editor.m_Document.Tick();
    EXPECT_EQ(Received("TEUpdateProc"), 1u);
    EXPECT_EQ(LastText("TEUpdateProc"), "Src 30,45");
    EXPECT_EQ(Device().FindBlock("Src")->record.x, 30);
    EXPECT_EQ(Received("TEUpdateLine"), 1u);
    EXPECT_EQ(Device().LineRecords(), (std::vector<std::string>{"Line_1 Src.Out0 140,90 Sum.In0 0x00000000 "}));
    EXPECT_FALSE(pSrc->m_bMoved);
    EXPECT_FALSE(pLine->m_bModified);

    editor.m_Document.Tick();
    EXPECT_EQ(Received("TEUpdateProc"), 1u);
    EXPECT_EQ(Received("TEUpdateLine"), 1u);
    EXPECT_EQ(Announcements(), 2u);
}

TEST_F(DocumentExchange, DeletesGoAtOnceButNeverFromAReload)
{
    Editor& editor = NewEditor();
    CTETrackObject* pSrc = editor.Create("CTEProcIN_0", 20, 40, "Src");
    CTETrackObject* pSum = editor.Create("CTEProcFUNC_2xPLUS", 200, 40, "Sum");
    CLineItem* pLine = editor.Draw(pSrc, 0, pSum, 0);
    ASSERT_NE(pLine, nullptr);
    Device().ClearRequestLog();

    EXPECT_EQ(editor.m_Document.DeleteLine(pLine), 1);
    EXPECT_EQ(LastText("DelTELine"), "Line_1");
    EXPECT_TRUE(Device().LineRecords().empty());
    EXPECT_EQ(editor.m_Document.m_LineList.GetSize(), 0);
    EXPECT_FALSE(CTrackObject::IsPinConnected(&pSrc->m_pOutputs[0]));
    EXPECT_FALSE(CTrackObject::IsPinConnected(&pSum->m_pInputs[0]));

    EXPECT_EQ(editor.m_Document.DeleteBlock(pSum), 1);
    EXPECT_EQ(LastText("DelTEProc"), "Sum");
    EXPECT_EQ(DevicePositions(), (std::vector<std::string>{"Src 20,40"}));
    EXPECT_EQ(editor.m_Document.m_DisplayList.GetSize(), 1);

    // What the document does not hold, it neither frees nor announces.
    EXPECT_EQ(editor.m_Document.DeleteBlock(nullptr), 0);
    CTEProcOUT stranger(0, 0, nullptr, 0, "Stranger");
    EXPECT_EQ(editor.m_Document.DeleteBlock(&stranger), 0);
    CLineItem loose;
    EXPECT_EQ(editor.m_Document.DeleteLine(&loose), 0);
    EXPECT_EQ(Announcements(), 2u);

    // Another editor's block makes this one rebuild: its own blocks are
    // freed on the way, without a word to the device.
    ASSERT_TRUE(Write("TESetProc", "CTEProcOUT_0 Other 300,300"));
    editor.m_Document.Tick();
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"Src 20,40", "Other 300,300"}));
    EXPECT_EQ(Received("DelTEProc"), 1u);
    EXPECT_EQ(Received("DelTELine"), 1u);
    EXPECT_EQ(DevicePositions(), editor.Positions());
}

TEST_F(DocumentExchange, SilentDeviceEmptiesTheCanvasAndTheNextAnswerRestoresIt)
{
    WriteProgram();
    Editor& editor = NewEditor();
    editor.m_Document.Tick();
    std::vector<std::string> positions = editor.Positions();
    std::vector<std::string> lines = editor.LineRecords();
    std::vector<std::string> deviceLines = Device().LineRecords();
    ASSERT_EQ(positions.size(), 5u);

    Device().SetDeviceOnline(false);
    Device().ClearRequestLog();
    editor.m_Page.m_Invalidated.clear();
    editor.m_Document.Tick();
    CTEDocument& doc = editor.m_Document;
    EXPECT_EQ(doc.m_BlockList.GetSize() + doc.m_DisplayList.GetSize() + doc.m_LineList.GetSize(), 0);
    EXPECT_EQ(Announcements(), 0u);  // offline requests are logged too
    // Where the program was, the canvas is repainted empty.
    ASSERT_FALSE(editor.m_Page.m_Invalidated.empty());
    EXPECT_TRUE(editor.m_Page.m_Invalidated.front().PtInRect(CPoint(25, 245)));

    Device().SetDeviceOnline(true);
    EXPECT_EQ(DevicePositions(), positions);
    EXPECT_EQ(Device().LineRecords(), deviceLines);
    editor.m_Document.Tick();
    EXPECT_EQ(editor.Positions(), positions);
    EXPECT_EQ(editor.LineRecords(), lines);
    EXPECT_EQ(editor.Line("Line_3")->m_pParent, editor.Line("Line_1"));
    EXPECT_EQ(Announcements(), 0u);
}

TEST_F(DocumentExchange, RecordsThatCannotBeReadAreSkipped)
{
    Editor& editor = NewEditor();
    CTEDocument& doc = editor.m_Document;
    STRINGLIST procs = Records({"CTEProcFUNC_2xPLUS B1 10,20", "CTEProcFUNC_2 B2 10,20", "CTEProcRTC_1xClock R1 100,20",
                                "CTEProcRTC_1 R2 100,20", "CTEProcIN_0 I1 40", "CTEProcXY_0 X1 40,40",
                                "CTEProcFUNC_-1xPLUS F1 0,0", "CTEProcFUNC_501xPLUS F2 0,0",
                                "CTEProcIN_0 Far 2147483000,0", "CTEProcOUT_0 O1 300,20"});
    doc.ReloadBlocks(&procs);
    a_EmptyStringList(&procs);
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"B1 10,20", "R1 100,20", "O1 300,20"}));
    EXPECT_EQ(editor.Block("B1")->m_nInputs, 2u);
    EXPECT_STREQ(editor.Block("B1")->m_szText, "+");
    EXPECT_STREQ(editor.Block("R1")->m_szText, "Clock");

    std::string thirtyOne = "Line_4 ";
    for (int i = 1; i <= 31; ++i)
        thirtyOne += std::to_string(i) + ",0 ";
    thirtyOne += "0x00000000 ";
    STRINGLIST lines = Records({"Line_1 B1.Out0 O1.In0 0x000000ff ", "Line_2 10,10 20,20 10,10 0x00000000 ",
                                "Line_3 2147483000,5 5,5 0x00000000 ", thirtyOne.c_str(), "Line_5 1,1 2,2 0xzz "});
    doc.ReloadLines(&lines);
    a_EmptyStringList(&lines);
    ASSERT_EQ(doc.m_LineList.GetSize(), 3);
    EXPECT_EQ(doc.m_LineList[0]->m_pTarget, editor.Block("O1"));
    EXPECT_EQ(doc.m_LineList[1]->m_nPoints, MAX_LINE_POINTS);
    EXPECT_EQ(doc.m_LineList[1]->m_pSource, nullptr);
    EXPECT_EQ(doc.m_LineList[2]->m_color, 0xff000000u);
    EXPECT_FALSE(doc.m_bLoading);
    EXPECT_EQ(Announcements(), 0u);
    EXPECT_EQ(Received("TESafeProcName"), 0u);  // wanted names were free
}

}  // namespace
