// What the user does survives whatever the device and other editors do:
// records the canvas cannot show, lines drawn either way, blocks placed by
// the editor, branches that lose their parent, a device that stops
// answering, and another editor replacing a block between two ticks.
#include "sync/DocumentTestSupport.h"

#include "blocks/CTEProcOUT.h"

namespace {

class NothingLost : public DocumentTest {
protected:
    // Src feeding input 0 of Sum over a bend at 140,50, and a branch from
    // that bend into input 1 of Sum, written by someone else.
    static void WriteBranchedProgram()
    {
        for (const char* record : {"CTEProcIN_0 Src 20,40", "CTEProcFUNC_2xPLUS Sum 200,40"})
            ASSERT_TRUE(Write("TESetProc", record));
        for (const char* record :
             {"Line_0 Src.Out0 140,50 Sum.In0 0x000000ff ", "Line_0 Line_1.Node1 140,60 Sum.In1 0x000000ff "})
            ASSERT_TRUE(Write("TESetLine", record));
    }

    static std::vector<std::string> DeviceProgram()
    {
        std::vector<std::string> program = Device().ProcRecords();
        for (const std::string& line : Device().LineRecords())
            program.push_back(line);
        return program;
    }
};

TEST_F(NothingLost, LineDrawnFromTheInputEndKeepsBothEndsThroughReloads)
{
    Editor& a = NewEditor();
    CTETrackObject* pSrc = a.Create("CTEProcIN_0", 20, 40, "Src");
    CTETrackObject* pSum = a.Create("CTEProcFUNC_2xPLUS", 200, 40, "Sum");
    auto pDrawn = Polyline({PinPoint(pSum, PIN_SIDE_INPUT, 0), CPoint(140, 50), PinPoint(pSrc, PIN_SIDE_OUTPUT, 0)});
    ASSERT_NE(a.Hand(std::move(pDrawn), pSum, pSrc), nullptr);
    ASSERT_EQ(Device().LineRecords(), (std::vector<std::string>{"Line_1 Sum.In0 140,50 Src.Out0 0x00000000 "}));

    // Read back by another editor, it is the same line, attached both ways.
    Editor& b = NewEditor();
    b.Tick();
    EXPECT_EQ(b.Lines(), (std::vector<std::string>{"Src:1024>Sum:0 d1 200,50 140,50 79,50 #00000000"}));
    EXPECT_EQ(b.Block("Src")->m_pOutputs[0].m_pLines[0], b.Line("Line_1"));

    // Its next change keeps both anchors on the device.
    ASSERT_TRUE(b.Line("Line_1")->MovePoint(140, 90, 1));
    b.Tick();
    EXPECT_EQ(Device().LineRecords(), (std::vector<std::string>{"Line_1 Sum.In0 140,90 Src.Out0 0x00000000 "}));
    a.Tick();
    EXPECT_EQ(a.Lines(), b.Lines());
}

TEST_F(NothingLost, AnchorIndicesBeyondAnyPinNameNoPin)
{
    Editor& editor = NewEditor();
    ASSERT_TRUE(Write("TESetProc", "CTEProcIN_0 A 20,40"));
    ASSERT_TRUE(Write("TESetLine", "Line_0 A.Out2147483647 100,100 100,140 0x00000000 "));
    ASSERT_TRUE(Write("TESetLine", "Line_0 A.In2147483647 100,100 A.Out1048577 0x00000000 "));
    editor.Tick();
    // Unknown anchors stand at the origin, as any anchor naming nothing (the
    // second line's ends then meet, and it is not shown).
    EXPECT_EQ(editor.Lines(), (std::vector<std::string>{"-:-1>-:-1 d2 0,0 100,100 100,140 #00000000"}));
}

TEST_F(NothingLost, BranchStaysInPlaceWhenItsParentIsDeleted)
{
    WriteBranchedProgram();
    Editor& a = NewEditor();
    Editor& b = NewEditor();
    a.Tick();
    b.Tick();
    ASSERT_EQ(a.Lines()[1], "Src:1024>Sum:1 d2 140,50 140,60 200,60 #000000ff ^Line_1:1");

    EXPECT_EQ(a.m_Document.DeleteLine(a.Line("Line_1")), 1);
    a.Tick();
    // The branch no longer hangs on a node, nor on the source it took from
    // its parent: it keeps its points, on the device too.
    EXPECT_EQ(a.Lines(), (std::vector<std::string>{"-:-1>-:-1 d2 140,50 140,60 200,60 #000000ff"}));
    EXPECT_EQ(Device().LineRecords(), (std::vector<std::string>{"Line_2 140,50 140,60 200,60 0x000000ff "}));
    b.Tick();
    EXPECT_EQ(b.Lines(), a.Lines());
}

TEST_F(NothingLost, PlacedBlocksAreSentWhereTheyLanded)
{
    Editor& a = NewEditor();
    ASSERT_NE(a.Create("CTEProcIN_0", -1, -1), nullptr);
    EXPECT_EQ(LastText("TESetProc"), "CTEProcIN_0 II_1 285,10");

    // A record without a position, from elsewhere, is placed once: the
    // editor that reads it first tells the device, and an editor with
    // another page width then shows it in the same place.
    ASSERT_TRUE(Write("TESetProc", "CTEProcIN_0 Auto -1,-1"));
    a.Tick();
    a.Tick();
    EXPECT_EQ(DevicePositions(), (std::vector<std::string>{"II_1 285,10", "Auto 285,45"}));
    Editor& b = NewEditor();
    b.m_Page.m_nWidth = 100;
    b.Tick();
    EXPECT_EQ(b.Positions(), a.Positions());
}

TEST_F(NothingLost, RecordsTheCanvasCannotShowBreakNothingElse)
{
    // A block far beyond the canvas is clamped to its edge, and the device
    // told; a function block with too many pins and a line whose ends meet
    // stay on the device, unshown, without making every tick reload.
    ASSERT_TRUE(Write("TESetProc", "CTEProcIN_0 Far 2147483000,40"));
    ASSERT_TRUE(Write("TESetProc", "CTEProcFUNC_501xPLUS Wide 0,0"));
    ASSERT_TRUE(Write("TESetProc", "CTEProcIN_0 Near 20,40"));
    ASSERT_TRUE(Write("TESetProc", "CTEProcOUT_0 Sink 300,40"));
    ASSERT_TRUE(Write("TESetLine", "Line_0 10,10 20,20 10,10 0x00000000 "));
    ASSERT_TRUE(Write("TESetLine", "Line_0 Near.Out0 200,50 Sink.In0 0x00000000 "));
    Editor& editor = NewEditor();
    editor.Tick();
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"Far " + std::to_string(TE_MAX_CANVAS_COORD) + ",40",
                                                            "Near 20,40", "Sink 300,40"}));
    ASSERT_EQ(editor.Lines().size(), 1u);
    editor.Tick();
    EXPECT_EQ(DevicePositions()[0], "Far " + std::to_string(TE_MAX_CANVAS_COORD) + ",40");

    // A move and a line edit made now reach the device, and the editor
    // keeps its blocks and lines from tick to tick.
    CTETrackObject* pNear = editor.Block("Near");
    CLineItem* pLine = editor.m_Document.m_LineList[0];
    pNear->SetPosition(30, 60, 90, 85);
    pNear->m_bMoved = TRUE;
    ASSERT_TRUE(pLine->MovePoint(200, 80, 1));
    editor.Tick();
    editor.Tick();
    EXPECT_EQ(editor.Block("Near"), pNear);
    EXPECT_EQ(editor.m_Document.m_LineList[0], pLine);
    EXPECT_EQ(DevicePositions()[2], "Near 30,60");
    EXPECT_EQ(Device().LineRecords()[1], "Line_2 Near.Out0 200,80 Sink.In0 0x00000000 ");
    EXPECT_EQ(Device().ProcRecords()[1], "CTEProcFUNC_501xPLUS Wide 0,0");
}

TEST_F(NothingLost, EditsMadeWhileTheDeviceIsSilentAreSentWhenItAnswers)
{
    for (const char* record :
         {"CTEProcIN_0 Src 20,40", "CTEProcFUNC_2xPLUS Sum 200,40", "CTEProcOUT_0 Old 400,40", "CTEProcIN_0 Free 20,300"})
        ASSERT_TRUE(Write("TESetProc", record));
    ASSERT_TRUE(Write("TESetLine", "Line_0 Src.Out0 140,50 Sum.In0 0x000000ff "));
    Editor& editor = NewEditor();
    editor.Tick();
    std::vector<std::string> before = editor.Positions();

    Device().SetDeviceOnline(false);
    editor.Tick();
    // Silence is no empty program.
    EXPECT_EQ(editor.Positions(), before);
    EXPECT_EQ(editor.Lines().size(), 1u);

    // A move, a bend, new blocks, a new line and deletes, all while silent;
    // the new blocks still get names of their own.
    CTETrackObject* pFree = editor.Block("Free");
    pFree->SetPosition(20, 340, 80, 365);
    pFree->m_bMoved = TRUE;
    ASSERT_TRUE(editor.Line("Line_1")->MovePoint(150, 60, 1));
    CTETrackObject* pOut = editor.Create("CTEProcOUT_0", 400, 140);
    CTETrackObject* pOut2 = editor.Create("CTEProcOUT_0", 400, 240);
    ASSERT_NE(pOut, nullptr);
    ASSERT_NE(pOut2, nullptr);
    EXPECT_STRNE(pOut->CTrackObject::m_szName, pOut2->CTrackObject::m_szName);
    ASSERT_NE(editor.Draw(editor.Block("Sum"), 0, pOut, 0), nullptr);
    EXPECT_EQ(editor.m_Document.DeleteBlock(editor.Block("Old")), 1);
    EXPECT_EQ(editor.m_Document.DeleteBlock(pOut2), 1);
    editor.Tick();
    editor.Tick();
    std::vector<std::string> edited = editor.Positions();
    std::vector<std::string> editedLines = editor.Lines();
    EXPECT_EQ(edited, (std::vector<std::string>{"Src 20,40", "Sum 200,40", "Free 20,340", "IO_1 400,140"}));
    EXPECT_EQ(editedLines.size(), 2u);
    EXPECT_EQ(editor.m_Document.CountWaitingEdits(), 5);

    Device().SetDeviceOnline(true);
    editor.Tick();
    EXPECT_EQ(DevicePositions(), edited);
    EXPECT_EQ(editor.m_Document.CountWaitingEdits(), 0);
    editor.Tick();
    EXPECT_EQ(editor.Positions(), edited);
    EXPECT_EQ(editor.Lines(), editedLines);
    Editor& other = NewEditor();
    other.Tick();
    EXPECT_EQ(other.Positions(), edited);
    EXPECT_EQ(other.Lines(), editedLines);
}

TEST_F(NothingLost, BlockReplacedByAnotherEditorIsSeenBeforeItCanBeDeleted)
{
    Editor& a = NewEditor();
    Editor& b = NewEditor();
    ASSERT_NE(a.Create("CTEProcIN_0", 20, 40), nullptr);
    a.Tick();
    b.Tick();
    // B replaces II_1 by an output block of the same name: the counts stay.
    EXPECT_EQ(b.m_Document.DeleteBlock(b.Block("II_1")), 1);
    ASSERT_NE(b.Create("CTEProcOUT_0", 300, 300, "II_1"), nullptr);
    a.Tick();
    ASSERT_EQ(a.Positions(), (std::vector<std::string>{"II_1 300,300"}));
    EXPECT_TRUE(a.Block("II_1")->IsKindOf(RUNTIME_CLASS(CTEProcOUT)));

    // A name taken on the device while this editor still had it free: the
    // block is renamed rather than refused, so no two blocks share a name.
    ASSERT_TRUE(Write("TESetProc", "CTEProcIN_0 Mine 0,100"));
    ASSERT_NE(a.Create("CTEProcIN_0", 20, 200, "Mine"), nullptr);
    a.Tick();
    EXPECT_EQ(a.Positions(), (std::vector<std::string>{"II_1 300,300", "Mine 0,100", "Mine_1 20,200"}));
    EXPECT_EQ(DevicePositions(), a.Positions());
}

}  // namespace

namespace {

// What the user is told, on the canvas's notice line and in the trace
// window, as the device falls silent, changes wait, it answers again, and
// another editor changes the program.
class UserIsTold : public NothingLost {
protected:
    void SetUp() override
    {
        NothingLost::SetUp();
        corvala::SetTraceSink([this](HWND, const char* text) { m_Trace.emplace_back(text); });
    }
    void TearDown() override
    {
        corvala::SetTraceSink(nullptr);
        NothingLost::TearDown();
    }

    std::vector<std::string> TakeTrace() { return std::exchange(m_Trace, {}); }

    std::vector<std::string> m_Trace;
};

TEST_F(UserIsTold, OfSilenceOfWaitingChangesAndOfOtherEditors)
{
    struct NoticePage : RecordingPage {
        void OnSyncNoticeChanged() override { m_nNotices++; }
        int m_nNotices = 0;
    };
    Editor& a = NewEditor();
    Editor& b = NewEditor();
    NoticePage page;
    a.m_Document.SetPage(&page);
    ASSERT_NE(a.Create("CTEProcIN_0", 20, 40), nullptr);
    a.Tick();
    b.Tick();
    EXPECT_EQ(a.m_Document.GetSyncNotice(), "");
    EXPECT_EQ(TakeTrace(), std::vector<std::string>{});

    Device().SetDeviceOnline(false);
    a.Tick();
    a.Tick();
    EXPECT_EQ(a.m_Document.GetSyncNotice(), "Device not answering");
    EXPECT_EQ(TakeTrace(), (std::vector<std::string>{
                               "The device does not answer; changes are kept and sent when it answers again"}));
    ASSERT_NE(a.Create("CTEProcIN_0", 20, 140), nullptr);
    EXPECT_EQ(a.m_Document.GetSyncNotice(), "Device not answering: 1 change waits to be sent");
    a.Block("II_1")->m_bMoved = TRUE;
    a.Tick();
    EXPECT_EQ(a.m_Document.GetSyncNotice(), "Device not answering: 2 changes wait to be sent");
    EXPECT_EQ(page.m_nNotices, 3);

    Device().SetDeviceOnline(true);
    a.Tick();
    EXPECT_EQ(a.m_Document.GetSyncNotice(), "");
    EXPECT_EQ(TakeTrace(), (std::vector<std::string>{"The device answers again; 2 waiting changes are sent"}));

    // B's next tick brings A's new block: B is told; A, whose own change
    // it was, is not.
    b.Tick();
    EXPECT_EQ(b.m_Document.GetSyncNotice(), "Program changed by another editor");
    EXPECT_EQ(TakeTrace(), (std::vector<std::string>{
                               "The program was changed on the device by another editor; the canvas shows it as it is now"}));
    a.Tick();
    EXPECT_EQ(a.m_Document.GetSyncNotice(), "");
    // The notice stays a few seconds' worth of quiet ticks, then goes.
    for (int i = 0; i < 29; ++i)
        b.Tick();
    EXPECT_EQ(b.m_Document.GetSyncNotice(), "Program changed by another editor");
    b.Tick();
    EXPECT_EQ(b.m_Document.GetSyncNotice(), "");

    // A change the answering device refuses is reported, and the canvas
    // follows the device: here a move of a block another editor deleted.
    EXPECT_EQ(b.m_Document.DeleteBlock(b.Block("II_2")), 1);
    a.Block("II_2")->m_bMoved = TRUE;
    a.Tick();
    EXPECT_EQ(TakeTrace(), (std::vector<std::string>{
                               "The device refused the move of block II_2",
                               "The program was changed on the device by another editor; the canvas shows it as it is now"}));
    EXPECT_EQ(a.Positions(), DevicePositions());
    a.m_Document.SetPage(&a.m_Page);
}

}  // namespace
