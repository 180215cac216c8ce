// One editor and its device, from start to end: what the device holds
// appears in the editor after a tick, what the editor does reaches the
// device, and a device that goes away and comes back changes nothing.
#include "sync/DocumentTestSupport.h"

#include "blocks/CTEProcCalIN.h"
#include "blocks/CTEProcFUNC.h"
#include "blocks/CTEProcIN.h"
#include "blocks/CTEProcOUT.h"
#include "blocks/CTEProcRTC.h"

namespace {

class DocumentExchange : public DocumentTest {
protected:
    // Written by someone else: an input feeding a sum over a bend, a branch
    // from that bend into the sum's second input, the sum driving an output;
    // a calibrated input and a clock stand alone. The device names the
    // lines Line_1 to Line_3.
    static void WriteProgram()
    {
        for (const char* record : {"CTEProcIN_0 Src 20,40", "CTEProcFUNC_2xPLUS Sum 200,40", "CTEProcOUT_0 Dst 400,40",
                                   "CTEProcCalIN_0 Cal 20,140", "CTEProcRTC_0xClock Clk 20,240"})
            ASSERT_TRUE(Write("TESetProc", record));
        for (const char* record : {"Line_0 Src.Out0 140,50 Sum.In0 0x000000ff ", "Line_0 Sum.Out0 Dst.In0 0x0000ff00 ",
                                   "Line_0 Line_1.Node1 140,60 Sum.In1 0x00ff0000 "})
            ASSERT_TRUE(Write("TESetLine", record));
    }

    // A small program made in the editor: Src feeding input 0 of Sum.
    CLineItem* MakeProgram(Editor& editor)
    {
        CTETrackObject* pSrc = editor.Create("CTEProcIN_0", 20, 40, "Src");
        CTETrackObject* pSum = editor.Create("CTEProcFUNC_2xPLUS", 200, 40, "Sum");
        return pSrc && pSum ? editor.Draw(pSrc, 0, pSum, 0, {CPoint(140, 50)}) : nullptr;
    }
};

TEST_F(DocumentExchange, ProgramWrittenElsewhereAppearsAfterOneTick)
{
    WriteProgram();
    Editor& editor = NewEditor();
    Device().ClearRequestLog();
    editor.Tick();

    CTEDocument& doc = editor.m_Document;
    EXPECT_EQ(editor.Positions(), DevicePositions());
    for (INT_PTR i = 0; i < doc.m_BlockList.GetSize(); ++i)
        EXPECT_EQ(doc.m_DisplayList[i], doc.m_BlockList[i]);
    EXPECT_TRUE(editor.Block("Src")->IsKindOf(RUNTIME_CLASS(CTEProcIN)));
    EXPECT_EQ(editor.Block("Sum")->m_nInputs, 2u);
    EXPECT_TRUE(editor.Block("Dst")->IsKindOf(RUNTIME_CLASS(CTEProcOUT)));
    EXPECT_TRUE(editor.Block("Cal")->IsKindOf(RUNTIME_CLASS(CTEProcCalIN)));
    EXPECT_STREQ(editor.Block("Clk")->m_szText, "Clock");

    // Anchored ends lie on their pins; the branch starts on its parent's
    // bend, in its parent's colour, with its parent's source.
    EXPECT_EQ(editor.Lines(), (std::vector<std::string>{
                                  "Src:1024>Sum:0 d2 79,50 140,50 200,50 #000000ff",
                                  "Sum:1024>Dst:0 d2 259,50 400,50 #0000ff00",
                                  "Src:1024>Sum:1 d2 140,50 140,60 200,60 #000000ff ^Line_1:1",
                              }));
    CLineItem* pLine = editor.Line("Line_1");
    EXPECT_EQ(editor.Block("Src")->m_pOutputs[0].m_pLines[0], pLine);
    EXPECT_EQ(editor.Block("Sum")->m_pInputs[1].m_pLines[0], editor.Line("Line_3"));
    EXPECT_FALSE(pLine->m_bModified);
    EXPECT_EQ(editor.LineRecords()[0], Device().LineRecords()[0]);

    // Rebuilding announces nothing; the program did change here, and the
    // canvas repaints what it shows now.
    EXPECT_EQ(Announcements(), 0u);
    EXPECT_TRUE(editor.m_Page.m_Record.m_bModified);
    ASSERT_FALSE(editor.m_Page.m_Invalidated.empty());
    EXPECT_TRUE(editor.m_Page.m_Invalidated.back().PtInRect(CPoint(140, 60)));

    // Nothing changed on the device since: the next tick rebuilds nothing.
    editor.m_Page.m_Invalidated.clear();
    editor.Tick();
    EXPECT_EQ(editor.Line("Line_1"), pLine);
    EXPECT_TRUE(editor.m_Page.m_Invalidated.empty());
}

TEST_F(DocumentExchange, CreatedBlockReachesTheDeviceWithItsSettledName)
{
    Editor& editor = NewEditor();
    CTETrackObject* pFirst = editor.Create("CTEProcIN_0", 40, 60);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_STREQ(pFirst->HOSTINFO::m_szName, "II_1");
    // The device settles the second past the name it already has.
    ASSERT_NE(editor.Create("CTEProcIN_0", 140, 60), nullptr);
    EXPECT_EQ(Device().ProcRecords(), (std::vector<std::string>{"CTEProcIN_0 II_1 40,60", "CTEProcIN_0 II_2 140,60"}));
    EXPECT_TRUE(editor.m_Page.m_Record.m_bModified);

    // A wanted name is kept while free and comes back in the buffer; the
    // display index puts the block where asked.
    char szName[HOSTINFO_NAME_SIZE] = "Mixer";
    EXPECT_EQ(editor.m_Document.CreateBlock("CTEProcFUNC_3xMUL", 40, 200, 0, 0, szName, 0), 2);
    EXPECT_STREQ(szName, "Mixer");
    EXPECT_EQ(editor.m_Document.m_DisplayList[0], editor.Block("Mixer"));
    EXPECT_EQ(editor.m_Document.CreateBlock("CTEProcFUNC_3xMUL", 40, 300, 0, 0, szName, -1), 3);
    EXPECT_STREQ(szName, "Mixer_1");

    // Four channels in their order, polled by the tick.
    std::vector<std::string> keywords;
    for (STRINGLIST* pList : {pFirst->m_pFunctionKeywords.get(), pFirst->m_pConnectionKeywords.get(),
                              pFirst->m_pOnlineKeywords.get(), pFirst->m_pValueKeywords.get()})
        keywords.insert(keywords.end(), pList->begin(), pList->end());
    EXPECT_EQ(keywords, (std::vector<std::string>{"TE.II_1.function", "TE.II_1.connection", "TE.II_1.online",
                                                  "TE.II_1.Value"}));
    ASSERT_TRUE(Device().SetBlockValue("II_1", 2.5));
    ASSERT_TRUE(Write("TE.II_1.connection", "Amp1") && Write("TE.II_1.function", "Gain"));
    // The device holds what this editor sent: the tick rebuilds nothing.
    editor.Tick();
    EXPECT_EQ(editor.Block("II_1"), pFirst);
    EXPECT_FLOAT_EQ(pFirst->m_fValue, 2.5f);
    EXPECT_TRUE(pFirst->m_bAssigned);
}

TEST_F(DocumentExchange, ConnectedLineReachesTheDeviceUnderTheDevicesName)
{
    // Someone took line number 1 already.
    tedevice::TEValue value;
    ASSERT_EQ(Device().Request("TESafeLineName", tedevice::TE_READ, tedevice::TE_TEXT, value), tedevice::TE_OK);
    Editor& editor = NewEditor();
    CLineItem* pLine = MakeProgram(editor);
    ASSERT_NE(pLine, nullptr);
    EXPECT_EQ(LastText("TESetLine"), "Line_1 Src.Out0 140,50 Sum.In0 0x00000000 ");
    EXPECT_STREQ(pLine->m_szName, "Line_2");
    EXPECT_EQ(Device().LineRecords(), (std::vector<std::string>{"Line_2 Src.Out0 140,50 Sum.In0 0x00000000 "}));
    EXPECT_EQ(Describe(*pLine), "Src:1024>Sum:0 d2 79,50 140,50 200,50 #00000000");
    EXPECT_STREQ(pLine->m_szTargetPin, "Sum.In0");
    EXPECT_EQ(editor.Block("Sum")->m_pInputs[0].m_pLines[0], pLine);
}

TEST_F(DocumentExchange, MovedBlockAndChangedLineAreSentOnce)
{
    Editor& editor = NewEditor();
    CLineItem* pLine = MakeProgram(editor);
    ASSERT_NE(pLine, nullptr);
    editor.Tick();
    Device().ClearRequestLog();

    // The canvas moves the block and marks it; the user drags the bend.
    CTETrackObject* pSrc = editor.Block("Src");
    pSrc->SetPosition(30, 45, 90, 70);
    pSrc->m_bMoved = TRUE;
    ASSERT_TRUE(pLine->MovePoint(140, 90, 1));
    editor.Tick();
    editor.Tick();
    EXPECT_EQ(Announcements(), 2u);
    EXPECT_EQ(LastText("TEUpdateProc"), "Src 30,45");
    EXPECT_EQ(DevicePositions()[0], "Src 30,45");
    EXPECT_EQ(Device().LineRecords(), (std::vector<std::string>{"Line_1 Src.Out0 140,90 Sum.In0 0x00000000 "}));
}

TEST_F(DocumentExchange, DeletesGoAtOnceButNeverFromAReload)
{
    Editor& editor = NewEditor();
    CLineItem* pLine = MakeProgram(editor);
    ASSERT_NE(pLine, nullptr);
    Device().ClearRequestLog();

    EXPECT_EQ(editor.m_Document.DeleteLine(pLine), 1);
    EXPECT_EQ(LastText("DelTELine"), "Line_1");
    EXPECT_TRUE(Device().LineRecords().empty());
    EXPECT_FALSE(CTrackObject::IsPinConnected(&editor.Block("Src")->m_pOutputs[0]));
    EXPECT_EQ(editor.m_Document.DeleteBlock(editor.Block("Sum")), 1);
    EXPECT_EQ(LastText("DelTEProc"), "Sum");
    EXPECT_EQ(DevicePositions(), (std::vector<std::string>{"Src 20,40"}));
    EXPECT_EQ(editor.m_Document.m_DisplayList.GetSize(), 1);

    // What the document does not hold, it neither frees nor announces.
    CTEProcOUT stranger(0, 0, nullptr, 0, "Stranger");
    CLineItem loose;
    EXPECT_EQ(editor.m_Document.DeleteBlock(&stranger) + editor.m_Document.DeleteLine(&loose), 0);

    // Another editor's block makes this one rebuild, freeing its own
    // blocks on the way without a word to the device.
    ASSERT_TRUE(Write("TESetProc", "CTEProcOUT_0 Other 300,300"));
    editor.Tick();
    EXPECT_EQ(editor.Positions(), DevicePositions());
    EXPECT_EQ(Received({"DelTEProc", "DelTELine"}), 2u);
}

TEST_F(DocumentExchange, SilentDeviceLeavesTheCanvasAsItIs)
{
    WriteProgram();
    Editor& editor = NewEditor();
    editor.Tick();
    std::vector<std::string> positions = editor.Positions();
    std::vector<std::string> lines = editor.Lines();
    CTrackObject* pFirst = editor.m_Document.m_BlockList[0];

    // An unanswered count is no empty program: nothing is rebuilt, nothing
    // repainted, nothing sent but the counts asked.
    Device().SetDeviceOnline(false);
    Device().ClearRequestLog();
    editor.m_Page.m_Invalidated.clear();
    editor.Tick();
    EXPECT_EQ(editor.Positions(), positions);
    EXPECT_EQ(editor.Lines(), lines);
    EXPECT_EQ(Announcements(), 0u);  // requests to an offline device are logged too
    EXPECT_EQ(Received({"TEProcs", "TELines"}), 0u);
    EXPECT_TRUE(editor.m_Page.m_Invalidated.empty());

    Device().SetDeviceOnline(true);
    editor.Tick();
    EXPECT_EQ(editor.m_Document.m_BlockList[0], pFirst);
    EXPECT_EQ(editor.Positions(), positions);
    EXPECT_EQ(editor.Lines(), lines);
    EXPECT_EQ(Announcements(), 0u);
}

TEST_F(DocumentExchange, RecordsThatCannotBeReadAreSkipped)
{
    Editor& editor = NewEditor();
    STRINGLIST records;
    for (const char* text : {"CTEProcFUNC_2xPLUS B1 10,20", "CTEProcFUNC_2 B2 10,20", "CTEProcRTC_1xClock R1 100,20",
                             "CTEProcRTC_1 R2 100,20", "CTEProcIN_0 I1 40", "CTEProcXY_0 X1 40,40",
                             "CTEProcFUNC_-1xPLUS F1 0,0", "CTEProcFUNC_501xPLUS F2 0,0",
                             "CTEProcIN_0 Far 2147483000,0", "CTEProcOUT_0 O1 300,20"})
        records.push_back(strdup(text));
    editor.m_Document.ReloadBlocks(&records);
    a_EmptyStringList(&records);
    // A block far off the canvas is brought to its edge, to be sent there.
    const std::string edge = std::to_string(TE_MAX_CANVAS_COORD);
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"B1 10,20", "R1 100,20", "Far " + edge + ",0", "O1 300,20"}));
    EXPECT_TRUE(editor.Block("Far")->m_bMoved);
    EXPECT_FALSE(editor.Block("O1")->m_bMoved);
    EXPECT_STREQ(editor.Block("B1")->m_szText, "+");

    std::string thirtyOne = "Line_4 ";
    for (int i = 1; i <= 31; ++i)
        thirtyOne += std::to_string(i) + ",0 ";
    for (const std::string& text : {std::string("Line_1 B1.Out0 O1.In0 0x000000ff "),
                                    std::string("Line_2 10,10 20,20 10,10 0x00000000 "),
                                    std::string("Line_3 2147483000,5 5,5 0x00000000 "), thirtyOne + "0x00000000 ",
                                    std::string("Line_5 1,1 2,2 0xzz ")})
        records.push_back(strdup(text.c_str()));
    editor.m_Document.ReloadLines(&records);
    a_EmptyStringList(&records);
    std::vector<std::string> lines = editor.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "B1:1024>O1:0 d2 69,30 300,30 #000000ff");
    EXPECT_EQ(lines[1], "-:-1>-:-1 d2 " + edge + ",5 5,5 #00000000");
    EXPECT_TRUE(editor.m_Document.m_LineList[1]->m_bModified);
    EXPECT_EQ(editor.m_Document.m_LineList[2]->m_nPoints, MAX_LINE_POINTS);
    EXPECT_EQ(lines[3], "-:-1>-:-1 d2 1,1 2,2 #ff000000");
    EXPECT_EQ(Announcements(), 0u);
}

}  // namespace
