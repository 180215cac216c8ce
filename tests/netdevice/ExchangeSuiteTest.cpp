// The exchange an editor has with a device, run against the embedded device
// and against a tedeviced process through the host library's network link:
// both must answer alike. The served device runs with its program stopped
// (--period 0), so that values stay as the embedded device keeps them.
#include <cstdlib>
#include <cstring>

#include "netdevice/DeviceProcess.h"
#include "sync/DocumentTestSupport.h"

namespace {

enum class DeviceKind { Embedded, Network };

class ExchangeSuite : public ::testing::TestWithParam<DeviceKind> {
protected:
    void SetUp() override
    {
        corvala::ResetDevices();
        m_Name = "TE1";
        if (GetParam() == DeviceKind::Network) {
            ASSERT_TRUE(m_Device.Start({"--period", "0"}));
            m_Name = m_Device.Name();
        }
    }
    void TearDown() override
    {
        m_Editors.clear();
        corvala::ResetDevices();
        m_Device.Kill();
    }

    int Send(const std::string& keyword, int mode, int type, void* value)
    {
        STRINGLIST keywords{strdup(keyword.c_str())};
        STRINGLIST devices{strdup(m_Name.c_str())};
        REQUESTLIST requests;
        a_BuildRequestList(&m_Record, &keywords, &devices, &requests);
        int status = -1;
        a_SendRequest(&requests, mode, type, value, &status);
        a_EmptyRequestList(&requests);
        a_EmptyStringList(&keywords);
        a_EmptyStringList(&devices);
        return status;
    }
    // The text answer, or "<status N>" when the request did not answer 1.
    std::string Text(const std::string& keyword, int mode, const std::string& text = "")
    {
        std::vector<char> buffer(REQUEST_TEXT_SIZE);
        std::strncpy(buffer.data(), text.c_str(), REQUEST_TEXT_SIZE - 1);
        int status = Send(keyword, mode, DATATYPE_TEXT, buffer.data());
        return status == REQUEST_OK ? std::string(buffer.data()) : "<status " + std::to_string(status) + ">";
    }
    int Write(const std::string& keyword, const std::string& text)
    {
        std::vector<char> buffer(REQUEST_TEXT_SIZE);
        std::strncpy(buffer.data(), text.c_str(), REQUEST_TEXT_SIZE - 1);
        return Send(keyword, REQUEST_WRITE, DATATYPE_TEXT, buffer.data());
    }
    int Count(const char* keyword)
    {
        int count = -1;
        return Send(keyword, REQUEST_READ, DATATYPE_INT, &count) == REQUEST_OK ? count : -1;
    }
    std::vector<std::string> List(const char* keyword)
    {
        STRINGLIST list;
        EXPECT_EQ(Send(keyword, REQUEST_READ, DATATYPE_STRINGLIST, &list), REQUEST_OK);
        std::vector<std::string> texts(list.begin(), list.end());
        a_EmptyStringList(&list);
        return texts;
    }
    Editor& NewEditor()
    {
        m_Editors.push_back(std::make_unique<Editor>(m_Root, m_Name));
        return *m_Editors.back();
    }

    DeviceProcess m_Device;
    std::string m_Name;
    HOSTINFO m_Record;
    HOSTINFO m_Root;
    std::vector<std::unique_ptr<Editor>> m_Editors;
};

TEST_P(ExchangeSuite, BlocksAreStoredListedCountedAndNamedSafely)
{
    EXPECT_EQ(Text("TESafeProcName", REQUEST_READ, "II_1"), "II_1");
    EXPECT_EQ(Write("TESetProc", "CTEProcIN_0 II_1 40,60"), REQUEST_OK);
    EXPECT_EQ(Write("TESetProc", "CTEProcFUNC_2xPLUS FUNC_1 100,60"), REQUEST_OK);
    EXPECT_EQ(Write("TESetProc", "CTEProcOUT_0 II_1 0,0"), REQUEST_FAILED) << "name taken";
    EXPECT_EQ(Write("TESetProc", "CTEProcOUT_0  IO_1 0,0"), REQUEST_FAILED) << "doubled blank";
    EXPECT_EQ(Text("TESafeProcName", REQUEST_READ, "II_1"), "II_2");
    EXPECT_EQ(Text("TESafeProcName", REQUEST_READ, "a b"), "<status 0>");
    EXPECT_EQ(Count("TENrOfProcs"), 2);
    EXPECT_EQ(Write("TEUpdateProc", "II_1 -5,7"), REQUEST_OK);
    EXPECT_EQ(List("TEProcs"), (std::vector<std::string>{"CTEProcIN_0 II_1 -5,7", "CTEProcFUNC_2xPLUS FUNC_1 100,60"}));
    EXPECT_EQ(Write("DelTEProc", "II_1"), REQUEST_OK);
    EXPECT_EQ(Write("DelTEProc", "II_1"), REQUEST_FAILED);
    EXPECT_EQ(Count("TENrOfProcs"), 1);
}

TEST_P(ExchangeSuite, LinesTakeFreshNamesThatAreNeverHandedOutTwice)
{
    EXPECT_EQ(Text("TESetLine", REQUEST_WRITE, "Line_1 A.Out0 B.In0 0x00000000 "), "Line_1");
    EXPECT_EQ(Text("TESetLine", REQUEST_WRITE, "Line_1 A.Out0 1,2 B.In1 0x000000FF"), "Line_2");
    EXPECT_EQ(Text("TESafeLineName", REQUEST_READ), "Line_3");
    EXPECT_EQ(Text("TESetLine", REQUEST_WRITE, "Line_1 A.In0 1,1 B.In0 C.In0 0x00000000 "), "<status 0>");
    EXPECT_EQ(Write("DelTELine", "Line_1"), REQUEST_OK);
    EXPECT_EQ(Write("TEUpdateLine", "Line_2 5,5 6,6 0x00000001 "), REQUEST_OK);
    EXPECT_EQ(Write("TEUpdateLine", "Line_1 5,5 6,6 0x00000001 "), REQUEST_FAILED) << "deleted";
    EXPECT_EQ(Text("TESetLine", REQUEST_WRITE, "Line_9 1,1 2,2 0x00000000 "), "Line_4");
    EXPECT_EQ(Count("TENrOfLines"), 2);
    EXPECT_EQ(List("TELines"), (std::vector<std::string>{"Line_2 5,5 6,6 0x00000001 ", "Line_4 1,1 2,2 0x00000000 "}));
}

TEST_P(ExchangeSuite, BlockItemsCarryLinkTextsOnlineStateAndValue)
{
    ASSERT_EQ(Write("TESetProc", "CTEProcIN_0 II_1 40,60"), REQUEST_OK);
    std::string longest(4095, 'f');
    EXPECT_EQ(Write("TE.II_1.function", longest), REQUEST_OK);
    EXPECT_EQ(Text("TE.II_1.function", REQUEST_READ), longest);
    EXPECT_EQ(Write("TE.II_1.connection", "Ch1"), REQUEST_OK);
    EXPECT_EQ(Text("TE.II_1.connection", REQUEST_READ), "Ch1");
    int online = 0;
    EXPECT_EQ(Send("TE.II_1.online", REQUEST_READ, DATATYPE_INT, &online), REQUEST_OK);
    EXPECT_EQ(online, 1);
    double value = 5.0;
    EXPECT_EQ(Send("TE.II_1.Value", REQUEST_READ, DATATYPE_DOUBLE, &value), REQUEST_OK);
    EXPECT_EQ(value, 0.0);
    // Wrong items, types, modes and blocks fail and leave the value alone.
    value = 5.0;
    EXPECT_EQ(Send("TE.II_1.Value", REQUEST_WRITE, DATATYPE_DOUBLE, &value), REQUEST_FAILED);
    EXPECT_EQ(Send("TE.II_9.Value", REQUEST_READ, DATATYPE_DOUBLE, &value), REQUEST_FAILED);
    EXPECT_EQ(Send("TE.II_1.colour", REQUEST_READ, DATATYPE_DOUBLE, &value), REQUEST_FAILED);
    EXPECT_EQ(Send("TENrOfProcs", REQUEST_READ, DATATYPE_DOUBLE, &value), REQUEST_FAILED);
    EXPECT_EQ(value, 5.0);
    EXPECT_EQ(Text("TE.II_1", REQUEST_READ), "<status 0>");
    EXPECT_EQ(Text("Unknown", REQUEST_READ), "<status 0>");
}

TEST_P(ExchangeSuite, ParametersAreReadAndSetWithinTheirRanges)
{
    double gain = 99.0;
    EXPECT_EQ(Send("Param.Ch1.Gain", REQUEST_READ, DATATYPE_DOUBLE, &gain), REQUEST_OK);
    EXPECT_EQ(gain, 0.0);
    gain = -6.5;
    EXPECT_EQ(Send("Param.Ch1.Gain", REQUEST_WRITE, DATATYPE_DOUBLE, &gain), REQUEST_OK);
    gain = 13.0;
    EXPECT_EQ(Send("Param.Ch1.Gain", REQUEST_WRITE, DATATYPE_DOUBLE, &gain), REQUEST_FAILED) << "above +12 dB";
    EXPECT_EQ(Send("Param.Ch9.Gain", REQUEST_WRITE, DATATYPE_DOUBLE, &gain), REQUEST_FAILED);
    EXPECT_EQ(Send("Param.Ch1.Gain", REQUEST_READ, DATATYPE_DOUBLE, &gain), REQUEST_OK);
    EXPECT_EQ(gain, -6.5);
}

// Read after any change, by this client or another, the version is the
// device's own: the network link answers from its snapshot only the one
// read that a tick makes with the counts.
TEST_P(ExchangeSuite, TheProgramVersionIsTheDevicesAsOfTheRead)
{
    int start = Count("TEProgramVersion");
    ASSERT_GE(start, 0);
    EXPECT_EQ(Write("TESetProc", "CTEProcIN_0 II_1 40,60"), REQUEST_OK);
    EXPECT_EQ(Count("TENrOfProcs"), 1);
    EXPECT_EQ(Count("TEProgramVersion"), start + 1);
    EXPECT_EQ(Write("TEUpdateProc", "II_1 -5,7"), REQUEST_OK);
    EXPECT_EQ(Count("TEProgramVersion"), start + 2);
    EXPECT_EQ(Count("TENrOfProcs"), 1);
    EXPECT_EQ(Count("TEProgramVersion"), start + 2);
    // Another client's change, made after the snapshot was taken.
    std::string other = GetParam() == DeviceKind::Network ? "Other" + m_Name.substr(m_Name.find('@')) : m_Name;
    std::swap(other, m_Name);
    EXPECT_EQ(Write("TEUpdateProc", "II_1 0,7"), REQUEST_OK);
    std::swap(other, m_Name);
    EXPECT_EQ(Count("TEProgramVersion"), start + 3);
}

// The document's whole round: what one editor creates, connects, moves and
// deletes, another sees after its tick.
TEST_P(ExchangeSuite, TwoEditorsConvergeThroughTheDevice)
{
    Editor& a = NewEditor();
    Editor& b = NewEditor();
    CTETrackObject* pSrc = a.Create("CTEProcIN_0", 20, 40);
    CTETrackObject* pSum = a.Create("CTEProcFUNC_2xPLUS", 200, 40);
    ASSERT_NE(a.Draw(pSrc, 0, pSum, 1, {CPoint(140, 50), CPoint(140, 60)}), nullptr);
    EXPECT_STREQ(a.Line("Line_1")->m_szName, "Line_1");
    b.Tick();
    EXPECT_EQ(b.Positions(), a.Positions());
    EXPECT_EQ(b.Lines(), a.Lines());

    ASSERT_NE(b.Create("CTEProcOUT_0", 400, 40), nullptr);
    EXPECT_EQ(b.m_Document.DeleteLine(b.Line("Line_1")), 1);
    a.Tick();
    EXPECT_EQ(a.Positions(), (std::vector<std::string>{"II_1 20,40", "FUNC_1 200,40", "IO_1 400,40"}));
    EXPECT_TRUE(a.Lines().empty());
}

INSTANTIATE_TEST_SUITE_P(Devices, ExchangeSuite, ::testing::Values(DeviceKind::Embedded, DeviceKind::Network),
                         [](const auto& info) { return info.param == DeviceKind::Embedded ? "Embedded" : "Network"; });

}  // namespace
