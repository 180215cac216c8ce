// A connection of two devices, each holding the whole program: when one of
// them misses changes while it does not answer, it is brought into line
// when it answers again, whichever of the two it is, and what the user did
// meanwhile stays on the canvas and reaches both.
#include "sync/DocumentTestSupport.h"

namespace {

class MirroredDevices : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        m_pEditor = std::make_unique<Editor>(m_Root, "TE1,TE2");
        CTETrackObject* pSrc = m_pEditor->Create("CTEProcIN_0", 20, 40);
        CTETrackObject* pSum = m_pEditor->Create("CTEProcFUNC_2xPLUS", 200, 40);
        ASSERT_NE(m_pEditor->Draw(pSrc, 0, pSum, 0, {CPoint(140, 50)}), nullptr);
        m_pEditor->Tick();
        ASSERT_EQ(Program("TE2"), Program("TE1"));
    }
    void TearDown() override
    {
        m_pEditor.reset();
        DocumentTest::TearDown();
    }

    static tedevice::TaskEngineDevice& Device(const char* pszName) { return corvala::EmbeddedDevice(pszName); }
    // The program as a set: a device brought into line may list it in
    // another order.
    static std::vector<std::string> Program(const char* pszName)
    {
        std::vector<std::string> program = Device(pszName).ProcRecords();
        std::vector<std::string> lines = Device(pszName).LineRecords();
        program.insert(program.end(), lines.begin(), lines.end());
        std::sort(program.begin(), program.end());
        return program;
    }
    std::vector<std::string> EditorProgram()
    {
        std::vector<std::string> program;
        for (const std::string& position : m_pEditor->Positions())
            program.push_back(position);
        std::vector<std::string> lines = m_pEditor->LineRecords();
        program.insert(program.end(), lines.begin(), lines.end());
        std::sort(program.begin(), program.end());
        return program;
    }
    static std::vector<std::string> Positions(const char* pszName)
    {
        std::vector<std::string> positions;
        for (const std::string& record : Device(pszName).ProcRecords())
            positions.push_back(record.substr(record.find(' ') + 1));
        std::sort(positions.begin(), positions.end());
        return positions;
    }

    // While one device does not answer: a block made, one moved, a line
    // drawn and deleted, another drawn; then that device answers again.
    void EditWhileSilent(const char* pszSilent)
    {
        Editor& editor = *m_pEditor;
        Device(pszSilent).SetDeviceOnline(false);
        CTETrackObject* pOut = editor.Create("CTEProcOUT_0", 400, 40);
        ASSERT_NE(pOut, nullptr);
        CTETrackObject* pSrc = editor.Block("II_1");
        pSrc->SetPosition(20, 120, 20 + pSrc->m_rcPos.Width(), 120 + pSrc->m_rcPos.Height());
        pSrc->m_bMoved = TRUE;
        editor.Tick();
        CLineItem* pGone = editor.Draw(editor.Block("FUNC_1"), 0, pOut, 0);
        ASSERT_NE(pGone, nullptr);
        EXPECT_EQ(editor.m_Document.DeleteLine(pGone), 1);
        ASSERT_NE(editor.Draw(editor.Block("FUNC_1"), 0, pOut, 0, {CPoint(300, 200)}), nullptr);
        editor.Tick();
        EXPECT_EQ(editor.m_Document.DevicesBehind(), std::vector<std::string>{pszSilent});
        m_Edited = EditorProgram();
        Device(pszSilent).SetDeviceOnline(true);
    }

    std::unique_ptr<Editor> m_pEditor;
    std::vector<std::string> m_Edited;
};

}  // namespace

TEST_F(MirroredDevices, TheSecondDeviceTakesWhatItMissedWhenItAnswersAgain)
{
    EditWhileSilent("TE2");
    EXPECT_NE(Program("TE2"), Program("TE1"));
    m_pEditor->Tick();
    EXPECT_EQ(Program("TE2"), Program("TE1"));
    EXPECT_EQ(Positions("TE1"), (std::vector<std::string>{"FUNC_1 200,40", "II_1 20,120", "IO_1 400,40"}));
    EXPECT_EQ(EditorProgram(), m_Edited);
    EXPECT_TRUE(m_pEditor->m_Document.DevicesBehind().empty());

    // Both name the next line alike, so later changes reach the same line.
    CLineItem* pLine = m_pEditor->Draw(m_pEditor->Block("II_1"), 0, m_pEditor->Block("FUNC_1"), 1);
    ASSERT_NE(pLine, nullptr);
    pLine->SetColor(0x000000ff);
    m_pEditor->Tick();
    EXPECT_EQ(Program("TE2"), Program("TE1"));
    EXPECT_TRUE(m_pEditor->m_Document.DevicesBehind().empty());
}

TEST_F(MirroredDevices, TheFirstDeviceAnsweringAgainDoesNotUndoWhatTheSecondTook)
{
    EditWhileSilent("TE1");
    m_pEditor->Tick();
    EXPECT_EQ(EditorProgram(), m_Edited);
    EXPECT_EQ(Program("TE1"), Program("TE2"));
    m_pEditor->Tick();
    EXPECT_EQ(EditorProgram(), m_Edited);
    // A second editor, reading the first device, sees the same program.
    Editor other(m_Root, "TE1,TE2");
    other.Tick();
    EXPECT_EQ(other.Positions(), m_pEditor->Positions());
}

// Link texts reach a device that missed them, whether they were the only
// change made while it was silent or belong to a block it never had.
TEST_F(MirroredDevices, LinkTextsADeviceMissedAreSetWhenItAnswersAgain)
{
    auto links = [](const char* pszDevice) {
        std::vector<std::string> all;
        for (const tedevice::TEBlock& block : Device(pszDevice).Blocks())
            all.push_back(block.record.name + ' ' + block.function + '|' + block.connection);
        std::sort(all.begin(), all.end());
        return all;
    };
    Editor& editor = *m_pEditor;
    Device("TE2").SetDeviceOnline(false);
    CTETrackObject* pSrc = editor.Block("II_1");
    EXPECT_EQ(pSrc->SetFunction("Gain"), 1);
    EXPECT_EQ(pSrc->SetConnection("Amp 1"), 1);
    EXPECT_EQ(editor.m_Document.DevicesBehind(), std::vector<std::string>{"TE2"});
    editor.Tick();
    Device("TE2").SetDeviceOnline(true);
    editor.Tick();
    EXPECT_EQ(links("TE2"), links("TE1"));
    EXPECT_TRUE(editor.m_Document.DevicesBehind().empty());

    Device("TE1").SetDeviceOnline(false);
    CTETrackObject* pOut = editor.Create("CTEProcOUT_0", 400, 40);
    ASSERT_NE(pOut, nullptr);
    EXPECT_EQ(pOut->SetConnection("Amp 2"), 1);
    EXPECT_EQ(pOut->SetFunction("Level with blanks, points. and | bars"), 1);
    EXPECT_EQ(pSrc->SetFunction(""), 0) << "an emptied link leaves the block unassigned";
    editor.Tick();
    Device("TE1").SetDeviceOnline(true);
    editor.Tick();
    EXPECT_EQ(links("TE1"), links("TE2"));
    EXPECT_EQ(links("TE1"), (std::vector<std::string>{"FUNC_1 |", "II_1 |Amp 1",
                                                      "IO_1 Level with blanks, points. and | bars|Amp 2"}));
    EXPECT_TRUE(editor.m_Document.DevicesBehind().empty());
}

// Two editors whose changes each miss a different device between two ticks:
// the devices are merged from the program both last held, so neither
// editor's blocks, moves or lines are lost, and two lines the devices named
// alike both stay, one under a new name.
TEST_F(MirroredDevices, ChangesOfTwoEditorsThatMissedDifferentDevicesAreAllKept)
{
    Editor& a = *m_pEditor;
    Editor b(m_Root, "TE1,TE2");
    b.Tick();
    a.Tick();

    Device("TE1").SetDeviceOnline(false);
    ASSERT_NE(b.Create("CTEProcOUT_0", 400, 40), nullptr);
    CTETrackObject* pMoved = b.Block("FUNC_1");
    pMoved->SetPosition(200, 240, 200 + pMoved->m_rcPos.Width(), 240 + pMoved->m_rcPos.Height());
    pMoved->m_bMoved = TRUE;
    b.Tick();
    ASSERT_NE(b.Draw(b.Block("II_1"), 0, b.Block("FUNC_1"), 1, {CPoint(100, 300)}), nullptr);
    Device("TE1").SetDeviceOnline(true);

    Device("TE2").SetDeviceOnline(false);
    ASSERT_NE(a.Create("CTEProcIN_0", 20, 400), nullptr);
    ASSERT_NE(a.Draw(a.Block("II_1"), 0, a.Block("FUNC_1"), 1, {CPoint(120, 90)}), nullptr);
    a.Tick();
    Device("TE2").SetDeviceOnline(true);

    for (int round = 0; round < 3; ++round) {
        a.Tick();
        b.Tick();
    }
    EXPECT_EQ(Program("TE1"), Program("TE2"));
    EXPECT_EQ(Positions("TE1"), (std::vector<std::string>{"FUNC_1 200,240", "II_1 20,40", "II_2 20,400",
                                                          "IO_1 400,40"}));
    std::vector<std::string> lines = Device("TE1").LineRecords();
    EXPECT_EQ(lines.size(), 3u) << "the first line, and one line of each editor";
    auto hasBend = [&](const char* pszBend) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(pszBend) != std::string::npos; });
    };
    EXPECT_TRUE(hasBend(" 100,300 ")) << "B's line";
    EXPECT_TRUE(hasBend(" 120,90 ")) << "A's line";
    EXPECT_EQ(a.Positions(), b.Positions());
    EXPECT_EQ(a.LineRecords(), b.LineRecords());
    EXPECT_TRUE(a.m_Document.DevicesBehind().empty());
    EXPECT_TRUE(b.m_Document.DevicesBehind().empty());
}
