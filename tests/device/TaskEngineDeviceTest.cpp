// The device's keywords end to end: every request, its answer, and what bad
// requests leave behind (nothing).
#include <gtest/gtest.h>

#include "TaskEngineDevice.h"

using namespace tedevice;

namespace {

class TaskEngineDeviceTest : public ::testing::Test {
protected:
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

    int Count(std::string_view keyword)
    {
        TEValue value;
        value.number = -1;
        EXPECT_EQ(m_Device.Request(keyword, TE_READ, TE_INT, value), TE_OK);
        return value.number;
    }

    std::vector<std::string> List(std::string_view keyword)
    {
        TEValue value;
        EXPECT_EQ(m_Device.Request(keyword, TE_READ, TE_LIST, value), TE_OK);
        return value.list;
    }

    void AddTwoBlocks()
    {
        ASSERT_EQ(Write("TESetProc", "CTEProcIN_0 II_1 40,60"), TE_OK);
        ASSERT_EQ(Write("TESetProc", "CTEProcFUNC_2xPLUS FUNC_1 100,60"), TE_OK);
    }

    TaskEngineDevice m_Device;
};

}  // namespace

TEST_F(TaskEngineDeviceTest, StoresCountsListsUpdatesAndDeletesProcs)
{
    EXPECT_EQ(Count("TENrOfProcs"), 0);
    AddTwoBlocks();
    EXPECT_EQ(Count("TENrOfProcs"), 2);
    EXPECT_EQ(List("TEProcs"),
              (std::vector<std::string>{"CTEProcIN_0 II_1 40,60", "CTEProcFUNC_2xPLUS FUNC_1 100,60"}));

    EXPECT_EQ(Write("TESetProc", "CTEProcOUT_0 II_1 0,0"), TE_FAILED) << "name taken";
    EXPECT_EQ(Write("TEUpdateProc", "II_1 -10,20"), TE_OK);
    EXPECT_EQ(m_Device.ProcRecords()[0], "CTEProcIN_0 II_1 -10,20");
    EXPECT_EQ(Write("TEUpdateProc", "II_9 1,1"), TE_FAILED);

    EXPECT_EQ(Write("DelTEProc", "II_1"), TE_OK);
    EXPECT_EQ(Write("DelTEProc", "II_1"), TE_FAILED);
    EXPECT_EQ(m_Device.ProcRecords(), (std::vector<std::string>{"CTEProcFUNC_2xPLUS FUNC_1 100,60"}));
}

TEST_F(TaskEngineDeviceTest, SafeProcNames)
{
    EXPECT_EQ(Text("TESafeProcName", TE_READ, "II_1"), "II_1");
    AddTwoBlocks();
    EXPECT_EQ(Text("TESafeProcName", TE_READ, "II_1"), "II_2");
    EXPECT_EQ(Text("TESafeProcName", TE_READ, "FUNC_1"), "FUNC_2");
    EXPECT_EQ(Text("TESafeProcName", TE_READ, ""), "<failed>");
    EXPECT_EQ(Text("TESafeProcName", TE_READ, "a b"), "<failed>");
    EXPECT_EQ(Text("TESafeProcName", TE_READ, std::string(5000, 'n')), "<failed>");
}

TEST_F(TaskEngineDeviceTest, LinesGetFreshNamesThatAreNeverReused)
{
    EXPECT_EQ(Text("TESetLine", TE_WRITE, "Line_1 A.Out0 B.In0 0x00000000 "), "Line_1");
    EXPECT_EQ(Text("TESetLine", TE_WRITE, "Line_1 A.Out0 C.In0 0x000000ff "), "Line_2");
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "Line_3");
    EXPECT_EQ(Count("TENrOfLines"), 2);
    EXPECT_EQ(List("TELines"), (std::vector<std::string>{"Line_1 A.Out0 B.In0 0x00000000 ",
                                                         "Line_2 A.Out0 C.In0 0x000000ff "}));

    EXPECT_EQ(Write("DelTELine", "Line_2"), TE_OK);
    EXPECT_EQ(Text("TESetLine", TE_WRITE, "Line_1 1,1 2,2 0x00000000 "), "Line_4");

    EXPECT_EQ(Write("TEUpdateLine", "Line_1 A.Out0 50,50 B.In0 0x0000ff00 "), TE_OK);
    EXPECT_EQ(m_Device.LineRecords()[0], "Line_1 A.Out0 50,50 B.In0 0x0000ff00 ");
    EXPECT_EQ(Write("TEUpdateLine", "Line_2 1,1 2,2 0x00000000 "), TE_FAILED) << "deleted";
    EXPECT_EQ(Write("DelTELine", "Line_9"), TE_FAILED);
    EXPECT_EQ(Count("TENrOfLines"), 2);
}

TEST_F(TaskEngineDeviceTest, DeletingABlockKeepsItsLines)
{
    AddTwoBlocks();
    ASSERT_EQ(Text("TESetLine", TE_WRITE, "Line_1 II_1.Out0 FUNC_1.In0 0x00000000 "), "Line_1");
    EXPECT_EQ(Write("DelTEProc", "FUNC_1"), TE_OK);
    EXPECT_EQ(Count("TENrOfLines"), 1);
}

TEST_F(TaskEngineDeviceTest, BlockLinkTextsOnlineStateAndValue)
{
    AddTwoBlocks();
    EXPECT_EQ(Text("TE.II_1.connection", TE_READ), "");
    EXPECT_EQ(Write("TE.II_1.connection", "Amp1"), TE_OK);
    EXPECT_EQ(Write("TE.II_1.function", "Gain"), TE_OK);
    EXPECT_EQ(Text("TE.II_1.connection", TE_READ), "Amp1");
    EXPECT_EQ(Text("TE.II_1.function", TE_READ), "Gain");
    EXPECT_EQ(Text("TE.FUNC_1.function", TE_READ), "") << "each block has its own";

    TEValue online;
    EXPECT_EQ(m_Device.Request("TE.II_1.online", TE_READ, TE_INT, online), TE_OK);
    EXPECT_EQ(online.number, 1);

    ASSERT_TRUE(m_Device.SetBlockValue("II_1", 2.5));
    TEValue value;
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
    AddTwoBlocks();
    const auto procs = m_Device.ProcRecords();
    TEValue value;
    value.text = "CTEProcIN_0 II_5 1,1";
    EXPECT_EQ(m_Device.Request("TESetProc", TE_READ, TE_TEXT, value), TE_FAILED) << "wrong mode";
    EXPECT_EQ(m_Device.Request("TESetProc", TE_WRITE, TE_LIST, value), TE_FAILED) << "wrong type";
    EXPECT_EQ(m_Device.Request("TENrOfProcs", TE_READ, TE_DOUBLE, value), TE_FAILED);
    EXPECT_EQ(m_Device.Request("tesetproc", TE_WRITE, TE_TEXT, value), TE_FAILED) << "case";
    EXPECT_EQ(m_Device.Request("TEUnknown", TE_WRITE, TE_TEXT, value), TE_FAILED);
    EXPECT_EQ(m_Device.Request("", TE_WRITE, TE_TEXT, value), TE_FAILED);
    EXPECT_EQ(m_Device.Request("TE.II_1.Value", TE_WRITE, TE_DOUBLE, value), TE_FAILED);
    EXPECT_EQ(m_Device.Request("TE.II_1.online", TE_READ, TE_TEXT, value), TE_FAILED);
    EXPECT_EQ(m_Device.Request("TE.II_1.colour", TE_READ, TE_TEXT, value), TE_FAILED);
    EXPECT_EQ(m_Device.Request("TE.nobody.function", TE_READ, TE_TEXT, value), TE_FAILED);
    EXPECT_EQ(m_Device.Request("TE.II_1", TE_READ, TE_TEXT, value), TE_FAILED);
    EXPECT_EQ(value.text, "CTEProcIN_0 II_5 1,1");

    EXPECT_EQ(Write("TESetProc", ""), TE_FAILED);
    EXPECT_EQ(Write("TESetProc", std::string(5000, 'C')), TE_FAILED);
    EXPECT_EQ(Write("TESetLine", ""), TE_FAILED);
    EXPECT_EQ(Write("TESetLine", "Line_1 " + std::string(5000, '1') + " 0x00000000 "), TE_FAILED);
    EXPECT_EQ(Write("TEUpdateProc", ""), TE_FAILED);
    EXPECT_EQ(Write("DelTEProc", ""), TE_FAILED);
    EXPECT_EQ(Write("TE.II_1.function", std::string(4096, 'f')), TE_FAILED);
    EXPECT_EQ(m_Device.ProcRecords(), procs);
    EXPECT_TRUE(m_Device.LineRecords().empty());
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "Line_1") << "failed sets used no line number";
}

TEST_F(TaskEngineDeviceTest, OfflineDeviceFailsEverythingAndKeepsItsProgram)
{
    AddTwoBlocks();
    m_Device.SetDeviceOnline(false);
    TEValue value;
    EXPECT_EQ(m_Device.Request("TENrOfProcs", TE_READ, TE_INT, value), TE_FAILED);
    EXPECT_EQ(Write("DelTEProc", "II_1"), TE_FAILED);
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "<failed>");
    m_Device.SetDeviceOnline(true);
    EXPECT_EQ(Count("TENrOfProcs"), 2);
    EXPECT_EQ(Text("TESafeLineName", TE_READ), "Line_1");
}
