// Faults on either side of the wire: a device killed mid-session and
// restarted from its program file; clients that break the protocol; links
// that meet a refused connection, silence or a malformed answer.
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TEWire.h"
#include "netdevice/DeviceProcess.h"
#include "sync/DocumentTestSupport.h"

namespace {

namespace fs = std::filesystem;

corvala::NetworkDeviceTimeouts ShortTimeouts()
{
    corvala::NetworkDeviceTimeouts timeouts;
    timeouts.connectMs = 500;
    timeouts.answerMs = 500;
    timeouts.retryMs = 50;
    return timeouts;
}

class NetworkFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        corvala::ResetDevices();
        corvala::SetNetworkDeviceTimeouts(ShortTimeouts());
        m_Folder = fs::path(testing::TempDir()) / ("netdevice-" + std::to_string(::getpid()));
        fs::remove_all(m_Folder);
        fs::create_directories(m_Folder);
    }
    void TearDown() override
    {
        m_pEditor.reset();
        corvala::ResetDevices();
        corvala::SetNetworkDeviceTimeouts({});
        m_Device.Kill();
        fs::remove_all(m_Folder);
    }

    Editor& Connect(const std::string& name)
    {
        m_pEditor = std::make_unique<Editor>(m_Root, name);
        return *m_pEditor;
    }
    fs::path m_Folder;
    DeviceProcess m_Device;
    HOSTINFO m_Root;
    std::unique_ptr<Editor> m_pEditor;
};

TEST_F(NetworkFaults, AKilledDeviceLeavesTheCanvasAndTakesWhatWaitedWhenBack)
{
    std::string program = (m_Folder / "program.ted").string();
    ASSERT_TRUE(m_Device.Start({"--program", program}));
    int port = m_Device.Port();
    Editor& editor = Connect(m_Device.Name());
    CTETrackObject* pSrc = editor.Create("CTEProcIN_0", 20, 40);
    CTETrackObject* pSum = editor.Create("CTEProcFUNC_2xPLUS", 200, 40);
    ASSERT_NE(editor.Draw(pSrc, 0, pSum, 1, {CPoint(140, 50), CPoint(140, 60)}), nullptr);
    ASSERT_EQ(pSrc->SetConnection("Ch1"), 1);
    ASSERT_EQ(pSrc->SetFunction("Gain"), 1);
    editor.Tick();
    std::vector<std::string> positions = editor.Positions();
    std::vector<std::string> lines = editor.Lines();

    // A device that does not answer leaves the canvas as it is; a block
    // moved meanwhile reaches the device once it is back.
    m_Device.Kill();
    editor.Tick();
    EXPECT_TRUE(editor.m_Document.IsDeviceSilent());
    EXPECT_EQ(editor.Positions(), positions);
    EXPECT_EQ(editor.Lines(), lines);
    CTETrackObject* pFree = editor.Create("CTEProcOUT_0", 400, 140);
    ASSERT_NE(pFree, nullptr);
    pFree->SetPosition(400, 200, 460, 225);
    pFree->m_bMoved = TRUE;
    positions.push_back("IO_1 400,200");

    ASSERT_TRUE(m_Device.Start({"--program", program}, port));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        editor.Tick();
    } while (editor.m_Document.IsDeviceSilent() && std::chrono::steady_clock::now() < deadline);
    ASSERT_FALSE(editor.m_Document.IsDeviceSilent());
    EXPECT_EQ(editor.Positions(), positions);
    EXPECT_EQ(editor.Lines(), lines);
    EXPECT_STREQ(editor.Block("II_1")->m_szConnection, "Ch1");
    EXPECT_STREQ(editor.Block("II_1")->m_szFunction, "Gain");
    // The line counter came back too: no name is handed out twice.
    ASSERT_NE(editor.Draw(editor.Block("II_1"), 0, editor.Block("FUNC_1"), 0), nullptr);
    EXPECT_EQ(editor.Lines().size(), 2u);
    EXPECT_NE(editor.Line("Line_2"), nullptr);
}

TEST_F(NetworkFaults, ClientsThatBreakTheProtocolAreClosedWithoutHarmToOthers)
{
    ASSERT_TRUE(m_Device.Start({"--stalled", "300"}));
    Editor& editor = Connect(m_Device.Name());
    ASSERT_NE(editor.Create("CTEProcIN_0", 20, 40), nullptr);

    int garbage = ConnectTo(m_Device.Port());
    int half = ConnectTo(m_Device.Port());
    int huge = ConnectTo(m_Device.Port());
    ASSERT_GE(garbage, 0);
    ASSERT_GE(half, 0);
    ASSERT_GE(huge, 0);
    ASSERT_GT(::send(garbage, "GET / HTTP/1.0\r\n\r\n", 18, MSG_NOSIGNAL), 0);
    ASSERT_GT(::send(half, "40:3:REQ,11:TENrOfP", 19, MSG_NOSIGNAL), 0);
    // 100 MB announced and sent: the device stops listening at the length.
    std::string chunk(1 << 20, 'x');
    size_t sent = 0;
    if (::send(huge, "104857600:", 10, MSG_NOSIGNAL) == 10)
        while (sent < 100u * chunk.size()) {
            ssize_t n = ::send(huge, chunk.data(), chunk.size(), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<size_t>(n);
        }
    EXPECT_LT(sent, 100u * chunk.size());

    editor.Tick();
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"II_1 20,40"}));
    EXPECT_TRUE(PeerCloses(garbage, 2000));
    EXPECT_TRUE(PeerCloses(half, 3000));
    EXPECT_TRUE(PeerCloses(huge, 2000));
    ASSERT_NE(editor.Create("CTEProcOUT_0", 100, 40), nullptr);
    editor.Tick();
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"II_1 20,40", "IO_1 100,40"}));
    for (int fd : {garbage, half, huge})
        ::close(fd);
}

// A listening socket of the test's own, which answers what it is told to.
class FakeDevice {
public:
    explicit FakeDevice(std::string afterRequest, bool greet = true)
    {
        m_nListener = ListenOnLoopback(m_nPort);
        m_Thread = std::thread([this, afterRequest, greet] {
            pollfd entry{m_nListener, POLLIN, 0};
            if (::poll(&entry, 1, 3000) <= 0)
                return;
            int fd = ::accept(m_nListener, nullptr, nullptr);
            std::string greeting = tedevice::EncodeMessage({"tedevice", "1"});
            if (greet)
                ::send(fd, greeting.data(), greeting.size(), MSG_NOSIGNAL);
            pollfd request{fd, POLLIN, 0};
            char chunk[4096];
            if (::poll(&request, 1, 3000) > 0 && ::recv(fd, chunk, sizeof chunk, 0) > 0)
                ::send(fd, afterRequest.data(), afterRequest.size(), MSG_NOSIGNAL);
            while (!m_bDone)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ::close(fd);
        });
    }
    ~FakeDevice()
    {
        m_bDone = true;
        m_Thread.join();
        ::close(m_nListener);
    }
    std::string Name() const { return "Fake@127.0.0.1:" + std::to_string(m_nPort); }

private:
    int m_nListener = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bDone{false};
    std::thread m_Thread;
};

TEST_F(NetworkFaults, RefusalSilenceAndMalformedAnswersReadAsADeviceThatDoesNotAnswer)
{
    int closedPort = 0;
    {
        FakeDevice gone("");
        closedPort = std::atoi(gone.Name().c_str() + gone.Name().rfind(':') + 1);
    }
    std::vector<std::string> names{"Gone@127.0.0.1:" + std::to_string(closedPort)};
    FakeDevice silent("", false);
    FakeDevice malformed("7:garbage,");
    FakeDevice wrongAnswer(tedevice::EncodeMessage({"ANS", "1", "not a number"}));
    names.insert(names.end(), {silent.Name(), malformed.Name(), wrongAnswer.Name()});
    for (const std::string& name : names) {
        STRINGLIST keywords{strdup("TE.II_1.online")};
        STRINGLIST devices{strdup(name.c_str())};
        REQUESTLIST requests;
        HOSTINFO record;
        a_BuildRequestList(&record, &keywords, &devices, &requests);
        int online = 7;
        auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(a_SendRequest(&requests, REQUEST_READ, DATATYPE_INT, &online, nullptr), REQUEST_FAILED) << name;
        EXPECT_EQ(online, 7) << name;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)) << name;
        a_EmptyRequestList(&requests);
        a_EmptyStringList(&keywords);
        a_EmptyStringList(&devices);
    }
}

}  // namespace
