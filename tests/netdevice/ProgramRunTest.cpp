// The device runs its program: operators, parameters, clocks, cycles of
// lines; and an editor on a tedeviced sees the values move.
#include <cmath>
#include <thread>

#include "TEOperators.h"
#include "TEProgramRun.h"
#include "TEWire.h"
#include "blocks/TEOperatorTable.h"
#include "netdevice/DeviceProcess.h"
#include "sync/DocumentTestSupport.h"

using namespace tedevice;

namespace {

TEST(DeviceOperators, AgreeWithTheEditorsTableRowByRow)
{
    for (int row = 0; row < kOperatorCount; ++row)
        EXPECT_EQ(OperatorName(row), g_TEOperators[row].szName) << row;
}

// Inputs 7 and 2 (or 7 alone) through every operator of the table.
TEST(DeviceOperators, EveryOperatorEvaluatesAsDocumented)
{
    const std::pair<const char*, double> expected[] = {
        {"PLUS", 9},   {"MINUS", 5},    {"MUL", 14},     {"DIV", 3.5},       {"BAND", 2},          {"BOR", 7},
        {"BNOT", -8},  {"BXOR", 5},     {"POW", 49},     {"LOG", std::log10(7.0)}, {"LN", std::log(7.0)},
        {"SQRT", std::sqrt(7.0)},       {"INC", 8},      {"DEC", 6},         {"SIN", std::sin(7.0)},
        {"COS", std::cos(7.0)},         {"MOD", 1},      {"AND", 1},         {"OR", 1},            {"NOT", 0},
        {"XOR", 0},    {"VID", 3},      {"SHIFTLEFT", 28}, {"SHIFTRIGHT", 1}, {"GREATER", 1},      {"SMALLER", 0},
        {"GREATER_OR_EQUAL", 1},        {"SMALLER_OR_EQUAL", 0}, {"EQUAL", 0}, {"NOTEQUAL", 1},    {"SWITCH", 0},
    };
    const double inputs[] = {7, 2};
    for (auto [name, value] : expected) {
        if (std::string_view(name) == "SWITCH")
            continue;
        auto result = EvaluateOperator(name, inputs);
        ASSERT_TRUE(result) << name;
        EXPECT_DOUBLE_EQ(*result, value) << name;
    }
    const double selector[] = {1, 10, 20};
    EXPECT_EQ(EvaluateOperator("SWITCH", selector), 20.0);
    EXPECT_EQ(EvaluateOperator("plus", selector), 20.0) << "an unknown name is a switch";
    // No value: zero divisors, logarithms at or below zero, missing inputs.
    const double zero[] = {1, 0};
    const double negative[] = {-1};
    for (const char* name : {"DIV", "MOD", "VID"})
        EXPECT_FALSE(EvaluateOperator(name, zero)) << name;
    for (const char* name : {"LOG", "LN", "SQRT"})
        EXPECT_FALSE(EvaluateOperator(name, negative)) << name;
    EXPECT_FALSE(EvaluateOperator("GREATER", negative));
    EXPECT_EQ(EvaluateOperator("MINUS", negative), 1.0) << "one input: negation";
}

class ProgramRun : public ::testing::Test {
protected:
    void Write(const std::string& keyword, const std::string& text)
    {
        TEValue value;
        value.text = text;
        ASSERT_EQ(m_Device.Request(keyword, TE_WRITE, TE_TEXT, value), TE_OK) << keyword << ' ' << text;
    }
    void Link(const std::string& block, const std::string& connection, const std::string& function)
    {
        Write("TE." + block + ".connection", connection);
        Write("TE." + block + ".function", function);
    }
    std::string Value(const std::string& block)
    {
        const TEBlock* data = m_Device.FindBlock(block);
        return data->valueStatus == TE_OK ? FormatWireDouble(data->value) : "none";
    }

    TaskEngineDevice m_Device;
};

TEST_F(ProgramRun, InputsFlowThroughFunctionsToOutputsAndTheirParameters)
{
    Write("TESetProc", "CTEProcIN_0 A 0,0");
    Write("TESetProc", "CTEProcIN_0 B 0,40");
    Write("TESetProc", "CTEProcFUNC_2xMINUS F 100,0");
    Write("TESetProc", "CTEProcOUT_0 O 200,0");
    Write("TESetProc", "CTEProcRTC_0xClock C 0,80");
    Write("TESetLine", "Line_1 A.Out0 F.In0 0x00000000 ");
    Write("TESetLine", "Line_1 B.Out0 F.In1 0x00000000 ");
    Write("TESetLine", "Line_1 F.Out0 O.In0 0x00000000 ");
    Link("A", "User", "A");
    Link("B", "User", "B");
    Link("O", "Ch1", "Gain");
    Link("C", "", "Minute");
    ASSERT_TRUE(m_Device.Parameters().Set("User.A", 5));
    ASSERT_TRUE(m_Device.Parameters().Set("User.B", 20));
    RunProgramCycle(m_Device, 3 * 3600 + 25 * 60);
    EXPECT_EQ(Value("F"), "-15");
    EXPECT_EQ(Value("O"), "-15");
    EXPECT_EQ(m_Device.Parameters().Value("Ch1.Gain"), -15.0);
    EXPECT_EQ(Value("C"), "25");

    // The output's parameter clamps; an unlinked input has no value, and
    // neither has what depends on it.
    ASSERT_TRUE(m_Device.Parameters().Set("User.B", -1000));
    RunProgramCycle(m_Device, 0);
    EXPECT_EQ(Value("O"), "1005");
    EXPECT_EQ(m_Device.Parameters().Value("Ch1.Gain"), 12.0);
    Link("A", "User", "Z");
    RunProgramCycle(m_Device, 0);
    EXPECT_EQ(Value("A"), "none");
    EXPECT_EQ(Value("F"), "none");
    EXPECT_EQ(Value("O"), "none");
}

// A cycle of lines is a register: every block on it reads the previous
// period's values, so one pass around two blocks takes two periods.
TEST_F(ProgramRun, ACycleOfLinesReadsThePreviousPeriodsValues)
{
    Write("TESetProc", "CTEProcFUNC_1xINC N 0,0");
    Write("TESetProc", "CTEProcFUNC_1xMUL M 100,0");
    Write("TESetLine", "Line_1 N.Out0 M.In0 0x00000000 ");
    Write("TESetLine", "Line_1 M.Out0 N.In0 0x00000000 ");
    for (int cycle = 0; cycle < 3; ++cycle)
        RunProgramCycle(m_Device, 0);
    EXPECT_EQ(Value("N"), "2");
    EXPECT_EQ(Value("M"), "1");
    RunProgramCycle(m_Device, 0);
    EXPECT_EQ(Value("N"), "2");
    EXPECT_EQ(Value("M"), "2");
}

TEST(ProgramOnTheNetwork, TheEditorShowsValuesTheDeviceComputes)
{
    corvala::ResetDevices();
    DeviceProcess device;
    ASSERT_TRUE(device.Start({"--period", "20", "--clock", "1000000000"}));
    HOSTINFO root;
    {
        Editor editor(root, device.Name());
        CTETrackObject* pIn = editor.Create("CTEProcIN_0", 20, 40);
        CTETrackObject* pOut = editor.Create("CTEProcOUT_0", 200, 40);
        CTETrackObject* pClock = editor.Create("CTEProcRTC_0xYear", 20, 100);
        ASSERT_NE(editor.Draw(pIn, 0, pOut, 0), nullptr);
        ASSERT_EQ(pIn->SetConnection("Ch2"), 1);
        ASSERT_EQ(pIn->SetFunction("Gain"), 1);
        ASSERT_EQ(pOut->SetConnection("User"), 1);
        ASSERT_EQ(pOut->SetFunction("C"), 1);
        ASSERT_EQ(pClock->SetFunction("Year"), 1);
        STRINGLIST keywords{strdup("Param.Ch2.Gain")};
        STRINGLIST devices{strdup(device.Name().c_str())};
        REQUESTLIST requests;
        a_BuildRequestList(&root, &keywords, &devices, &requests);
        double gain = -12.5;
        EXPECT_EQ(a_SendRequest(&requests, REQUEST_WRITE, DATATYPE_DOUBLE, &gain, nullptr), REQUEST_OK);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline && (pOut->m_fValue != -12.5f || pClock->m_fValue != 2001.f)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            editor.Tick();
        }
        EXPECT_EQ(pIn->m_fValue, -12.5f);
        EXPECT_EQ(pOut->m_fValue, -12.5f);
        EXPECT_EQ(pClock->m_fValue, 2001.f);
        a_EmptyRequestList(&requests);
        a_EmptyStringList(&keywords);
        a_EmptyStringList(&devices);
    }
    corvala::ResetDevices();
}

}  // namespace
