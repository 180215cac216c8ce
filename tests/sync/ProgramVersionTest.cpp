// The device's program version: a tick with nothing changed reads no
// records, yet every change another editor makes shows on the next tick;
// a device without a version is compared on every tick; and a delete never
// reaches a block or line another editor replaced since this editor saw it.
#include "sync/DocumentTestSupport.h"

#include "blocks/CTEProcOUT.h"

namespace {

class ProgramVersion : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        corvala::SetTraceSink([this](HWND, const char* text) { m_Trace.emplace_back(text); });
    }
    void TearDown() override
    {
        corvala::SetTraceSink(nullptr);
        DocumentTest::TearDown();
    }

    // Two blocks joined by a line, seen by editor `a`.
    void MakeProgram(Editor& a)
    {
        CTETrackObject* pSrc = a.Create("CTEProcIN_0", 20, 40);
        CTETrackObject* pSum = a.Create("CTEProcFUNC_2xPLUS", 200, 40);
        ASSERT_NE(a.Draw(pSrc, 0, pSum, 1, {CPoint(140, 50)}), nullptr);
        a.Tick();
    }
    // Record reads of the tick that follows.
    size_t RecordReadsOfTick(Editor& editor)
    {
        Device().ClearRequestLog();
        editor.Tick();
        return Received({"TEProcs", "TELines"});
    }
    bool Traced(const std::string& part) const
    {
        return std::any_of(m_Trace.begin(), m_Trace.end(),
                           [&](const std::string& line) { return line.find(part) != std::string::npos; });
    }

    std::vector<std::string> m_Trace;
};

// A device as it was before it kept a program version: it answers everything
// else through the embedded device of the same name.
class DeviceWithoutVersion : public corvala::DeviceLink {
public:
    int Request(const char* keyword, int mode, int type, void* value) override
    {
        if (std::strcmp(keyword, "TEProgramVersion") == 0)
            return REQUEST_FAILED;
        STRINGLIST keywords{strdup(keyword)};
        STRINGLIST devices{strdup("TE1")};
        REQUESTLIST requests;
        HOSTINFO record;
        a_BuildRequestList(&record, &keywords, &devices, &requests);
        int status = a_SendRequest(&requests, mode, type, value, nullptr);
        a_EmptyRequestList(&requests);
        a_EmptyStringList(&keywords);
        a_EmptyStringList(&devices);
        return status;
    }
};

}  // namespace

TEST_F(ProgramVersion, QuietTicksReadNoRecordsAndOtherEditorsChangesStillShowOnTheNextTick)
{
    Editor& a = NewEditor();
    MakeProgram(a);
    // The tick after a's own changes compares once; then nothing is read.
    a.Tick();
    EXPECT_EQ(RecordReadsOfTick(a), 0u);
    EXPECT_EQ(Received({"TENrOfProcs", "TENrOfLines", "TEProgramVersion"}), 3u);

    // Moves, line edits, deletes and replacements under the same name leave
    // the counts as they were: only the version tells.
    ASSERT_TRUE(Write("TEUpdateProc", "II_1 20,100"));
    EXPECT_EQ(RecordReadsOfTick(a), 2u);
    EXPECT_EQ(a.Positions(), (std::vector<std::string>{"II_1 20,100", "FUNC_1 200,40"}));
    EXPECT_EQ(RecordReadsOfTick(a), 0u);

    std::string record = Device().LineRecords()[0];
    ASSERT_TRUE(Write("TEUpdateLine", record.replace(record.find("0x00000000"), 10, "0x000000ff")));
    a.Tick();
    EXPECT_EQ(a.LineRecords(), Device().LineRecords());

    ASSERT_TRUE(Write("DelTEProc", "FUNC_1"));
    ASSERT_TRUE(Write("TESetProc", "CTEProcOUT_0 FUNC_1 300,300"));
    a.Tick();
    EXPECT_TRUE(a.Block("FUNC_1")->IsKindOf(RUNTIME_CLASS(CTEProcOUT)));
    EXPECT_EQ(RecordReadsOfTick(a), 0u);

    // A move of a's own is sent and compared on that tick, and the next is
    // quiet again.
    CTETrackObject* pSrc = a.Block("II_1");
    pSrc->SetPosition(40, 100, 40 + pSrc->m_rcPos.Width(), 100 + pSrc->m_rcPos.Height());
    pSrc->m_bMoved = TRUE;
    EXPECT_EQ(RecordReadsOfTick(a), 2u);
    EXPECT_EQ(Received({"TEUpdateProc"}), 1u);
    EXPECT_EQ(RecordReadsOfTick(a), 0u);
    EXPECT_EQ(DevicePositions(), a.Positions());
}

TEST_F(ProgramVersion, ADeviceWithoutAVersionIsComparedOnEveryTick)
{
    corvala::RegisterDeviceLink("OLD", std::make_shared<DeviceWithoutVersion>());
    Editor& a = NewEditor();
    MakeProgram(a);
    auto old = std::make_unique<Editor>(m_Root, "OLD");
    old->Tick();
    EXPECT_EQ(RecordReadsOfTick(*old), 2u);
    EXPECT_EQ(RecordReadsOfTick(*old), 2u);
    ASSERT_TRUE(Write("TEUpdateProc", "II_1 20,100"));
    old->Tick();
    EXPECT_EQ(old->Positions(), DevicePositions());
    // Without a version nothing can be checked before a delete: it is sent.
    EXPECT_EQ(old->m_Document.DeleteBlock(old->Block("FUNC_1")), 1);
    EXPECT_EQ(DevicePositions(), (std::vector<std::string>{"II_1 20,100"}));
    old.reset();
}

TEST_F(ProgramVersion, AStaleBlockOrLineIsNotDeletedOnTheDevice)
{
    Editor& a = NewEditor();
    Editor& b = NewEditor();
    MakeProgram(a);
    b.Tick();
    // Between two of a's ticks, b replaces II_1 and recolours the line.
    EXPECT_EQ(b.m_Document.DeleteBlock(b.Block("II_1")), 1);
    ASSERT_NE(b.Create("CTEProcOUT_0", 300, 300, "II_1"), nullptr);
    b.Line("Line_1")->SetColor(0x000000ff);
    b.Tick();
    std::vector<std::string> program = Device().ProcRecords();
    std::vector<std::string> lines = Device().LineRecords();

    Device().ClearRequestLog();
    EXPECT_EQ(a.m_Document.DeleteBlock(a.Block("II_1")), 1);
    EXPECT_EQ(a.m_Document.DeleteLine(a.Line("Line_1")), 1);
    EXPECT_EQ(Received({"DelTEProc", "DelTELine"}), 0u);
    EXPECT_EQ(Device().ProcRecords(), program);
    EXPECT_EQ(Device().LineRecords(), lines);
    EXPECT_TRUE(Traced("II_1 was changed on the device by another editor"));
    EXPECT_TRUE(Traced("Line_1 was changed on the device by another editor"));
    // The next tick shows what the device holds.
    a.Tick();
    EXPECT_EQ(a.Positions(), (std::vector<std::string>{"FUNC_1 200,40", "II_1 300,300"}));
    EXPECT_EQ(a.LineRecords(), lines);

    // A delete of a record nobody else touched goes through, whatever else
    // changed meanwhile, and so does one after this editor's own changes,
    // which need no records read.
    ASSERT_TRUE(Write("TEUpdateProc", "II_1 300,320"));
    EXPECT_EQ(a.m_Document.DeleteLine(a.Line("Line_1")), 1);
    EXPECT_TRUE(Device().LineRecords().empty());
    a.Tick();
    ASSERT_NE(a.Create("CTEProcIN_0", 20, 200, "New"), nullptr);
    Device().ClearRequestLog();
    EXPECT_EQ(a.m_Document.DeleteBlock(a.Block("New")), 1);
    EXPECT_EQ(a.m_Document.DeleteBlock(a.Block("II_1")), 1);
    EXPECT_EQ(Received({"TEProcs", "TELines"}), 0u);
    EXPECT_EQ(DevicePositions(), (std::vector<std::string>{"FUNC_1 200,40"}));
}

TEST_F(ProgramVersion, AStaleDeleteThatWaitedForTheDeviceIsDroppedWhenItAnswers)
{
    Editor& a = NewEditor();
    MakeProgram(a);
    Device().SetDeviceOnline(false);
    EXPECT_EQ(a.m_Document.DeleteBlock(a.Block("FUNC_1")), 1);
    EXPECT_EQ(a.m_Document.CountWaitingEdits(), 1);
    Device().SetDeviceOnline(true);
    ASSERT_TRUE(Write("DelTEProc", "FUNC_1"));
    ASSERT_TRUE(Write("TESetProc", "CTEProcOUT_0 FUNC_1 300,300"));
    a.Tick();
    EXPECT_EQ(a.Positions(), (std::vector<std::string>{"II_1 20,40", "FUNC_1 300,300"}));
    EXPECT_EQ(DevicePositions(), a.Positions());
    EXPECT_EQ(a.m_Document.CountWaitingEdits(), 0);
}
