// What a tick sends over the wire: one POLL when nothing changed, the record
// lists when someone else changed the program, and the lists on every tick
// from a device of wire version 1, which keeps no program version.
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "TEWire.h"
#include "TEWireAnswer.h"
#include "netdevice/DeviceProcess.h"
#include "sync/DocumentTestSupport.h"

namespace {

using tedevice::TEWireFields;

// A device served on a local port by the test's own thread, answering as
// tedeviced does and counting the messages it receives by kind and keyword.
class CountingDevice {
public:
    explicit CountingDevice(std::string wireVersion) : m_WireVersion(std::move(wireVersion))
    {
        m_nListener = ListenOnLoopback(m_nPort);
        m_Thread = std::thread([this] { Serve(); });
    }
    ~CountingDevice()
    {
        m_bDone = true;
        m_Thread.join();
        ::close(m_nListener);
    }
    std::string Name() const { return "Counted@127.0.0.1:" + std::to_string(m_nPort); }

    // Messages received since the last call, as "POLL" or the REQ keyword.
    std::map<std::string, int> TakeCounts()
    {
        std::lock_guard lock(m_Mutex);
        return std::exchange(m_Counts, {});
    }
    // A change made on the device by someone else.
    void Write(const char* keyword, const std::string& text)
    {
        std::lock_guard lock(m_Mutex);
        tedevice::TEValue value;
        value.text = text;
        EXPECT_EQ(m_Device.Request(keyword, tedevice::TE_WRITE, tedevice::TE_TEXT, value), tedevice::TE_OK);
    }

private:
    void Serve()
    {
        pollfd entry{m_nListener, POLLIN, 0};
        if (::poll(&entry, 1, 5000) <= 0)
            return;
        int fd = ::accept(m_nListener, nullptr, nullptr);
        std::string greeting = tedevice::EncodeMessage({"tedevice", m_WireVersion});
        ::send(fd, greeting.data(), greeting.size(), MSG_NOSIGNAL);
        std::string buffer;
        char chunk[64 * 1024];
        while (!m_bDone) {
            pollfd request{fd, POLLIN, 0};
            if (::poll(&request, 1, 20) <= 0)
                continue;
            ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
            if (got <= 0)
                break;
            buffer.append(chunk, static_cast<size_t>(got));
            TEWireFields message;
            size_t used = 0;
            while (tedevice::DecodeMessage(buffer, tedevice::kMaxRequestMessage, message, used) ==
                   tedevice::TEWireStatus::Complete) {
                buffer.erase(0, used);
                std::string answer = tedevice::EncodeMessage(Answer(message));
                ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
        }
        ::close(fd);
    }
    TEWireFields Answer(const TEWireFields& message)
    {
        std::lock_guard lock(m_Mutex);
        m_Counts[message.size() > 1 ? message[1] : message[0]]++;
        TEWireFields answer = tedevice::AnswerWireMessage(m_Device, message).fields;
        // A version 1 device answers no program version.
        if (m_WireVersion == "1" && message[0] == "POLL")
            answer.erase(answer.begin() + 3);
        return answer;
    }

    std::string m_WireVersion;
    tedevice::TaskEngineDevice m_Device;
    std::mutex m_Mutex;
    std::map<std::string, int> m_Counts;
    int m_nListener = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bDone{false};
    std::thread m_Thread;
};

class QuietTick : public ::testing::Test {
protected:
    void SetUp() override { corvala::ResetDevices(); }
    void TearDown() override
    {
        m_pEditor.reset();
        corvala::ResetDevices();
    }

    // An editor with a block of its own, drawn and ticked once.
    Editor& ConnectTo(CountingDevice& device)
    {
        m_pEditor = std::make_unique<Editor>(m_Root, device.Name());
        EXPECT_NE(m_pEditor->Create("CTEProcIN_0", 20, 40), nullptr);
        m_pEditor->Tick();
        m_pEditor->Tick();
        device.TakeCounts();
        return *m_pEditor;
    }

    HOSTINFO m_Root;
    std::unique_ptr<Editor> m_pEditor;
};

}  // namespace

TEST_F(QuietTick, OnePollAnswersATickWithNothingChangedAndAnotherEditorsMoveStillShows)
{
    CountingDevice device("2");
    Editor& editor = ConnectTo(device);
    editor.Tick();
    // The block's four live-value reads come from the snapshot too.
    EXPECT_EQ(device.TakeCounts(), (std::map<std::string, int>{{"POLL", 1}}));

    device.Write("TEUpdateProc", "II_1 20,100");
    editor.Tick();
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"II_1 20,100"}));
    EXPECT_EQ(device.TakeCounts(), (std::map<std::string, int>{{"POLL", 1}, {"TEProcs", 1}, {"TELines", 1}}));
}

TEST_F(QuietTick, ADeviceOfWireVersionOneIsComparedOnEveryTick)
{
    CountingDevice device("1");
    Editor& editor = ConnectTo(device);
    editor.Tick();
    EXPECT_EQ(device.TakeCounts(), (std::map<std::string, int>{{"POLL", 1}, {"TEProcs", 1}, {"TELines", 1}}));
    device.Write("TEUpdateProc", "II_1 20,100");
    editor.Tick();
    EXPECT_EQ(editor.Positions(), (std::vector<std::string>{"II_1 20,100"}));
}
