// The device's own rules: names, refusals, block items and offline. The
// channel tests drive the same keywords end to end through the host library.
#include <gtest/gtest.h>

#include "TaskEngineDevice.h"

using namespace tedevice;

namespace {

class TaskEngineDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Write("TESetProc", "CTEProcIN_0 II_1 40,60"), TE_OK);
        ASSERT_EQ(Write("TESetProc", "CTEProcFUNC_2xPLUS FUNC_1 100,60"), TE_OK);
    }

    int Write(std::string_view keyword, const std::string& text)
    {
        TEValue value;
        value.text = text;
        return m_Device.Request(keyword, TE_WRITE, TE_TEXT, value);
    }

    // The text answer of a text request, or "<failed>".
    std::string Text(std::string_view keyword, int mode, const std::string& text = "")
    {
        TEValue value;
        value.text = text;
        return m_Device.Request(keyword, mode, TE_TEXT, value) == TE_OK ? value.text : "<failed>";
    }

    TaskEngineDevice m_Device;
};

}  // namespace

TEST_F(TaskEngineDeviceTest, BlockNamesAreUniqueAndSafeNamesFree)
{
    EXPECT_EQ(Text("TESafeProcName", TE_READ, "IO_1"), "IO_1");
    EXPECT_EQ(Text("TESafeProcName", TE_READ, "II_1"), "II_2");
    EXPECT_EQ(Text("TESafeProcName", TE_READ, "FUNC_1"), "FUNC_2");
    for (const std::string& bad : {std::string(""), std::string("a b"), std::string(5000, 'n')})
        EXPECT_EQ(Text("TESafeProcName", TE_READ, bad), "<failed>");

    EXPECT_EQ(Write("TESetProc", "CTEProcOUT_0 II_1 0,0"), TE_FAILED) << "name taken";
    EXPECT_EQ(Write("TEUpdateProc", "II_9 1,1"), TE_FAILED);
    EXPECT_EQ(Write("DelTEProc", "II_9"), TE_FAILED);
    EXPECT_EQ(m_Device.ProcRecords().size(), 2u);
}

TEST_F(TaskEngineDeviceTest, LineNamesAreNeverHandedOutTwice)
{
    EXPECT_EQ(Text("TESetLine", TE_WRITE, "Line_1 II_1.Out0 FUNC_1.In0 0x00000000 "), "Line_1");
    EXPECT_EQ(Text("TESetLine", TE_WRITE, "Line_1 II_1.Out0 FUNC_1.In1 0x000000ff "), "Line_2");
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "Line_3");
    EXPECT_EQ(Write("DelTELine", "Line_2"), TE_OK);
    EXPECT_EQ(Text("TESetLine", TE_WRITE, "Line_1 1,1 2,2 0x00000000 "), "Line_4");
    EXPECT_EQ(Write("TEUpdateLine", "Line_2 1,1 2,2 0x00000000 "), TE_FAILED) << "deleted";

    // Deleting a block leaves its lines to the editor.
    EXPECT_EQ(Write("DelTEProc", "FUNC_1"), TE_OK);
    EXPECT_EQ(m_Device.LineRecords(), (std::vector<std::string>{"Line_1 II_1.Out0 FUNC_1.In0 0x00000000 ",
                                                                "Line_4 1,1 2,2 0x00000000 "}));
}

TEST_F(TaskEngineDeviceTest, DeletingFromTheMiddleKeepsTheOthersReachable)
{
    ASSERT_EQ(Write("TESetProc", "CTEProcOUT_0 IO_1 10,10"), TE_OK);
    ASSERT_EQ(Text("TESetLine", TE_WRITE, "Line_1 1,1 2,2 0x00000000 "), "Line_1");
    ASSERT_EQ(Text("TESetLine", TE_WRITE, "Line_1 3,3 4,4 0x00000000 "), "Line_2");
    ASSERT_EQ(Write("DelTEProc", "II_1"), TE_OK);
    ASSERT_EQ(Write("DelTELine", "Line_1"), TE_OK);

    EXPECT_EQ(Write("TEUpdateProc", "IO_1 20,30"), TE_OK);
    EXPECT_EQ(Write("TE.FUNC_1.function", "Sum"), TE_OK);
    EXPECT_EQ(Write("TEUpdateLine", "Line_2 5,5 6,6 0x00000000 "), TE_OK);
    EXPECT_EQ(m_Device.ProcRecords(),
              (std::vector<std::string>{"CTEProcFUNC_2xPLUS FUNC_1 100,60", "CTEProcOUT_0 IO_1 20,30"}));
    EXPECT_EQ(m_Device.FindBlock("FUNC_1")->function, "Sum");
    EXPECT_EQ(m_Device.LineRecords(), (std::vector<std::string>{"Line_2 5,5 6,6 0x00000000 "}));
    EXPECT_EQ(m_Device.FindBlock("II_1"), nullptr);
    EXPECT_EQ(Write("TESetProc", "CTEProcIN_0 II_1 0,0"), TE_OK) << "a deleted name is free again";
}

TEST_F(TaskEngineDeviceTest, EachBlockHoldsItsLinkTextsOnlineStateAndValue)
{
    EXPECT_EQ(Write("TE.II_1.connection", "Amp1"), TE_OK);
    EXPECT_EQ(Write("TE.II_1.function", "Gain"), TE_OK);
    EXPECT_EQ(Text("TE.II_1.connection", TE_READ), "Amp1");
    EXPECT_EQ(Text("TE.II_1.function", TE_READ), "Gain");
    EXPECT_EQ(Text("TE.FUNC_1.function", TE_READ), "");

    TEValue value;
    EXPECT_EQ(m_Device.Request("TE.II_1.online", TE_READ, TE_INT, value), TE_OK);
    EXPECT_EQ(value.number, 1);
    ASSERT_TRUE(m_Device.SetBlockValue("II_1", 2.5));
    EXPECT_EQ(m_Device.Request("TE.II_1.Value", TE_READ, TE_DOUBLE, value), TE_OK);
    EXPECT_EQ(value.real, 2.5);

    ASSERT_TRUE(m_Device.SetBlockValueStatus("II_1", 2));
    value.real = -1;
    EXPECT_EQ(m_Device.Request("TE.II_1.Value", TE_READ, TE_DOUBLE, value), 2);
    EXPECT_EQ(value.real, -1) << "a changing value is not read";
    EXPECT_FALSE(m_Device.SetBlockValue("nobody", 1.0));
}

TEST_F(TaskEngineDeviceTest, WrongRequestsFailAndChangeNothing)
{
    const auto procs = m_Device.ProcRecords();
    TEValue value;
    value.text = "CTEProcIN_0 II_5 1,1";
    for (auto [keyword, mode, type] : {std::tuple{"TESetProc", TE_READ, TE_TEXT},
                                       {"TESetProc", TE_WRITE, TE_LIST},
                                       {"TENrOfProcs", TE_READ, TE_DOUBLE},
                                       {"tesetproc", TE_WRITE, TE_TEXT},
                                       {"", TE_WRITE, TE_TEXT},
                                       {"TE.II_1.Value", TE_WRITE, TE_DOUBLE},
                                       {"TE.II_1.online", TE_READ, TE_TEXT},
                                       {"TE.II_1.colour", TE_READ, TE_TEXT},
                                       {"TE.nobody.function", TE_READ, TE_TEXT},
                                       {"TE.II_1", TE_READ, TE_TEXT}})
        EXPECT_EQ(m_Device.Request(keyword, mode, type, value), TE_FAILED) << keyword;
    EXPECT_EQ(value.text, "CTEProcIN_0 II_5 1,1");

    for (const std::string& record : {std::string(""), std::string(5000, 'C')})
        EXPECT_EQ(Write("TESetProc", record), TE_FAILED);
    EXPECT_EQ(Write("TESetLine", "Line_1 " + std::string(5000, '1') + " 0x00000000 "), TE_FAILED);
    EXPECT_EQ(Write("TEUpdateProc", ""), TE_FAILED);
    EXPECT_EQ(Write("TE.II_1.function", std::string(4096, 'f')), TE_FAILED);
    EXPECT_EQ(m_Device.ProcRecords(), procs);
    EXPECT_EQ(m_Device.FindBlock("II_1")->function, "");
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "Line_1") << "failed sets used no line number";
}

TEST_F(TaskEngineDeviceTest, OfflineDeviceFailsEverythingAndKeepsItsProgram)
{
    m_Device.SetDeviceOnline(false);
    EXPECT_EQ(Write("DelTEProc", "II_1"), TE_FAILED);
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "<failed>");
    m_Device.SetDeviceOnline(true);
    EXPECT_EQ(m_Device.ProcRecords().size(), 2u);
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "Line_1");
}

TEST_F(TaskEngineDeviceTest, TheProgramVersionMovesByOneWithEachChangeOfTheProgramOnly)
{
    auto version = [this] {
        TEValue value;
        EXPECT_EQ(m_Device.Request("TEProgramVersion", TE_READ, TE_INT, value), TE_OK);
        return value.number;
    };
    int start = version();
    EXPECT_GE(start, 0);
    EXPECT_EQ(Write("TESetProc", "CTEProcOUT_0 II_1 0,0"), TE_FAILED) << "name taken";
    EXPECT_EQ(Write("TE.II_1.function", "Gain"), TE_OK);
    EXPECT_NE(Text("TESafeLineName", TE_READ), "<failed>");
    m_Device.SetBlockValue("II_1", 4.0);
    EXPECT_EQ(version(), start) << "refusals, link texts, names and values change no program";

    EXPECT_EQ(Write("TEUpdateProc", "II_1 40,80"), TE_OK);
    EXPECT_EQ(Write("TESetLine", "Line_0 II_1.Out0 FUNC_1.In0 0x00000000 "), TE_OK);
    EXPECT_EQ(Write("TEUpdateLine", "Line_2 II_1.Out0 FUNC_1.In1 0x00000000 "), TE_OK);
    EXPECT_EQ(Write("DelTELine", "Line_2"), TE_OK);
    EXPECT_EQ(Write("DelTEProc", "II_1"), TE_OK);
    EXPECT_EQ(version(), (start + 5) & 0x7fffffff);

    TEValue value;
    EXPECT_EQ(m_Device.Request("TEProgramVersion", TE_WRITE, TE_INT, value), TE_FAILED);
    EXPECT_NE(TaskEngineDevice().ProgramVersion(), TaskEngineDevice().ProgramVersion())
        << "a new device starts elsewhere (fails once in 2^31 runs)";
}
