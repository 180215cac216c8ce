// Two editors in two processes on one tedeviced: what one creates, connects
// or deletes, the other shows after its next tick.
#include "netdevice/DeviceProcess.h"
#include "sync/DocumentTestSupport.h"

namespace {

class TwoProcesses : public ::testing::Test {
protected:
    void SetUp() override
    {
        corvala::ResetDevices();
        ASSERT_TRUE(m_Device.Start());
        ASSERT_TRUE(m_Other.Spawn(OVINTA_NETDEVICE_EDITOR, {m_Device.Name()}));
        m_pEditor = std::make_unique<Editor>(m_Root, m_Device.Name());
    }
    void TearDown() override
    {
        m_pEditor.reset();
        corvala::ResetDevices();
        m_Other.Kill();
        m_Device.Kill();
    }

    std::string Other(const std::string& command)
    {
        EXPECT_TRUE(m_Other.WriteLine(command));
        return m_Other.ReadLine();
    }
    // The other editor's blocks ("P name x,y") and lines ("L ...").
    std::vector<std::string> OtherState()
    {
        std::vector<std::string> state;
        EXPECT_TRUE(m_Other.WriteLine("state"));
        for (std::string line = m_Other.ReadLine(); !line.empty() && line != "end"; line = m_Other.ReadLine())
            state.push_back(line);
        return state;
    }
    std::vector<std::string> OwnState()
    {
        std::vector<std::string> state;
        for (const std::string& position : m_pEditor->Positions())
            state.push_back("P " + position);
        for (const std::string& line : m_pEditor->Lines())
            state.push_back("L " + line);
        return state;
    }

    DeviceProcess m_Device;
    ChildProcess m_Other;
    HOSTINFO m_Root;
    std::unique_ptr<Editor> m_pEditor;
};

TEST_F(TwoProcesses, CreatesConnectionsAndDeletesReachTheOtherEditorAtItsNextTick)
{
    Editor& own = *m_pEditor;
    CTETrackObject* pSrc = own.Create("CTEProcIN_0", 20, 40);
    CTETrackObject* pSum = own.Create("CTEProcFUNC_2xPLUS", 200, 40);
    ASSERT_NE(own.Draw(pSrc, 0, pSum, 1, {CPoint(140, 50), CPoint(140, 60)}), nullptr);
    EXPECT_EQ(Other("tick"), "ok");
    EXPECT_EQ(OtherState(), OwnState());

    EXPECT_EQ(Other("create CTEProcOUT_0 400 40"), "IO_1");
    EXPECT_EQ(Other("draw FUNC_1 IO_1"), "Line_2");
    own.Tick();
    EXPECT_EQ(own.Positions(), (std::vector<std::string>{"II_1 20,40", "FUNC_1 200,40", "IO_1 400,40"}));
    EXPECT_EQ(OwnState(), OtherState());

    EXPECT_EQ(Other("delline Line_1"), "1");
    EXPECT_EQ(own.m_Document.DeleteBlock(own.Block("II_1")), 1);
    own.Tick();
    EXPECT_EQ(Other("tick"), "ok");
    EXPECT_EQ(own.Positions(), (std::vector<std::string>{"FUNC_1 200,40", "IO_1 400,40"}));
    EXPECT_EQ(own.Lines().size(), 1u);
    EXPECT_EQ(OtherState(), OwnState());
}

}  // namespace
