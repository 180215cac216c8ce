// "connection" builds the TE channels, and each channel reaches the
// right embedded device with the right answer.
#include <cstring>

#include "MainDlgHostFixture.h"

namespace {

class ChannelTest : public MainDlgHostTest {
protected:
    int Send(TEChannel channel, int mode, int type, void* value)
    {
        int status = -1;
        a_SendRequest(&m_Dialog.Channel(channel).m_Requests, mode, type, value, &status);
        return status;
    }

    // Sends a text through a channel; answers the text left in the buffer.
    std::string SendText(TEChannel channel, int mode, const char* text, int* status = nullptr)
    {
        char buffer[REQUEST_TEXT_SIZE];
        std::strcpy(buffer, text);
        int result = Send(channel, mode, DATATYPE_TEXT, buffer);
        if (status)
            *status = result;
        return buffer;
    }

    int Count(TEChannel channel)
    {
        int count = 0;
        Send(channel, REQUEST_READ, DATATYPE_INT, &count);
        return count;
    }

    std::vector<std::string> List(TEChannel channel)
    {
        STRINGLIST list;
        Send(channel, REQUEST_READ, DATATYPE_STRINGLIST, &list);
        std::vector<std::string> texts(list.begin(), list.end());
        a_EmptyStringList(&list);
        return texts;
    }

    tedevice::TaskEngineDevice& Device(const char* name) { return corvala::EmbeddedDevice(name); }
};

// A distinct two-character device name for every index below 62^2, so that
// a stored line (at most 4095 characters) names as many devices as it can.
std::string ShortDeviceName(int index)
{
    static const char symbols[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return {symbols[index / 62 % 62], symbols[index % 62]};
}

// "connection=" naming the devices first .. first + count - 1.
std::string ConnectionLine(int first, int count)
{
    std::string line = "connection=";
    for (int i = first; i < first + count; ++i)
        line += (i > first ? "," : "") + ShortDeviceName(i);
    return line;
}

}  // namespace

TEST_F(ChannelTest, StrayCommasAreSkippedAndEveryKeywordGetsOneItemPerDevice)
{
    EXPECT_EQ(Load("connection=,Amp,,Mixer,"), 1);
    EXPECT_EQ(DeviceNames(), (std::vector<std::string>{"Amp", "Mixer"}));
    for (int id = 0; id < TE_CHANNEL_COUNT; ++id) {
        CRequestChannel& channel = m_Dialog.Channel(static_cast<TEChannel>(id));
        ASSERT_EQ(channel.m_Keywords.size(), 2u) << "one keyword per device";
        EXPECT_STREQ(channel.m_Keywords[1], g_TEKeywords[id]);
        ASSERT_EQ(channel.m_Requests.size(), 2u);
        EXPECT_EQ(corvala::RequestKeyword(channel.m_Requests[0]), g_TEKeywords[id]);
        EXPECT_EQ(corvala::RequestDeviceName(channel.m_Requests[0]), "Amp");
        EXPECT_EQ(corvala::RequestDeviceName(channel.m_Requests[1]), "Mixer");
        EXPECT_EQ(corvala::RequestOwner(channel.m_Requests[1]), &m_Dialog);
    }
    EXPECT_EQ(m_Dialog.ChannelFor("TESetLine"), &m_Dialog.Channel(TE_SETLINE));
    EXPECT_EQ(m_Dialog.ChannelFor("tesetline"), nullptr);
}

TEST_F(ChannelTest, RepeatedSetsAddUpAndAnEmptySetEmptiesTheDeviceList)
{
    Message(KEYWORD_SET, KEYWORD_CONNECTION, "Amp");
    Message(KEYWORD_SET, KEYWORD_CONNECTION, "Amp,Mixer");
    EXPECT_EQ(DeviceNames(), (std::vector<std::string>{"Amp", "Mixer"}));
    EXPECT_EQ(m_Dialog.Channel(TE_PROCS).m_Keywords.size(), 3u);
    EXPECT_EQ(m_Dialog.Channel(TE_PROCS).m_Requests.size(), 2u);

    // A get answers the names and changes nothing.
    std::strcpy(m_szData, "stale text in the host's buffer");
    KeywordMessage get = {KEYWORD_GET, KEYWORD_CONNECTION, DATATYPE_TEXT, 0, m_szData, 0, 0};
    m_Dialog.OnMessage(0, reinterpret_cast<long>(&get));
    EXPECT_STREQ(m_szData, "Amp,Mixer");
    EXPECT_EQ(DeviceNames(), (std::vector<std::string>{"Amp", "Mixer"}));
    EXPECT_EQ(m_Dialog.Channel(TE_PROCS).m_Requests.size(), 2u);

    EXPECT_EQ(Load("connection="), 1);
    EXPECT_TRUE(DeviceNames().empty());
    EXPECT_EQ(m_Dialog.Channel(TE_PROCS).m_Requests.size(), 2u) << "channels keep what they had";
    EXPECT_EQ(Load("connection=,,,"), 1);

    m_Dialog.EmptyChannels();
    EXPECT_TRUE(m_Dialog.Channel(TE_UPDATELINE).m_Requests.empty());
}

TEST_F(ChannelTest, AnOverlongDeviceListIsRefusedAndChangesNothing)
{
    Message(KEYWORD_SET, KEYWORD_CONNECTION, "Amp");
    std::string devices(5000, 'd');
    devices[100] = ',';
    char data[6000];
    std::strcpy(data, devices.c_str());
    KeywordMessage set = {KEYWORD_SET, KEYWORD_CONNECTION, DATATYPE_TEXT, 0, data, 0, 0};
    m_Dialog.OnMessage(0, reinterpret_cast<long>(&set));
    EXPECT_EQ(DeviceNames(), std::vector<std::string>{"Amp"});
    EXPECT_EQ(m_Dialog.Channel(TE_SETPROC).m_Requests.size(), 1u);

    std::string longest(4095, 'n');
    std::strcpy(data, longest.c_str());
    m_Dialog.OnMessage(0, reinterpret_cast<long>(&set));
    EXPECT_EQ(DeviceNames(), std::vector<std::string>{longest});
}

TEST_F(ChannelTest, EachChannelReachesBothDevicesWithTheRightAnswers)
{
    ASSERT_EQ(Load("connection=Amp,Mixer"), 1);
    int status = -1;

    EXPECT_EQ(SendText(TE_SAFEPROCNAME, REQUEST_READ, "II_1"), "II_1");
    SendText(TE_SETPROC, REQUEST_WRITE, "CTEProcIN_0 II_1 40,60", &status);
    EXPECT_EQ(status, REQUEST_OK);
    SendText(TE_SETPROC, REQUEST_WRITE, "CTEProcOUT_0 IO_1 200,60");
    EXPECT_EQ(SendText(TE_SAFEPROCNAME, REQUEST_READ, "II_1"), "II_2");
    EXPECT_EQ(Count(TE_NROFPROCS), 2);
    EXPECT_EQ(Device("Mixer").ProcRecords().size(), 2u) << "writes go to every device";
    EXPECT_EQ(List(TE_PROCS), (std::vector<std::string>{"CTEProcIN_0 II_1 40,60", "CTEProcOUT_0 IO_1 200,60"}));

    EXPECT_EQ(SendText(TE_SETLINE, REQUEST_WRITE, "Line_1 II_1.Out0 IO_1.In0 0x00000000 "), "Line_1");
    EXPECT_EQ(SendText(TE_SAFELINENAME, REQUEST_READ, ""), "Line_2");
    EXPECT_EQ(Count(TE_NROFLINES), 1);
    EXPECT_EQ(List(TE_LINES), std::vector<std::string>{"Line_1 II_1.Out0 IO_1.In0 0x00000000 "});

    SendText(TE_UPDATEPROC, REQUEST_WRITE, "II_1 80,100", &status);
    EXPECT_EQ(status, REQUEST_OK);
    SendText(TE_UPDATELINE, REQUEST_WRITE, "Line_1 II_1.Out0 150,70 IO_1.In0 0x000000ff ", &status);
    EXPECT_EQ(status, REQUEST_OK);
    for (const char* device : {"Amp", "Mixer"}) {
        EXPECT_EQ(Device(device).ProcRecords()[0], "CTEProcIN_0 II_1 80,100") << device;
        EXPECT_EQ(Device(device).LineRecords()[0], "Line_1 II_1.Out0 150,70 IO_1.In0 0x000000ff ") << device;
    }

    SendText(TE_DELLINE, REQUEST_WRITE, "Line_1", &status);
    EXPECT_EQ(status, REQUEST_OK);
    SendText(TE_DELPROC, REQUEST_WRITE, "IO_1", &status);
    EXPECT_EQ(status, REQUEST_OK);
    SendText(TE_DELPROC, REQUEST_WRITE, "IO_1", &status);
    EXPECT_EQ(status, REQUEST_FAILED) << "already gone on both";
    EXPECT_EQ(Count(TE_NROFLINES), 0);
    EXPECT_EQ(Device("Mixer").ProcRecords(), std::vector<std::string>{"CTEProcIN_0 II_1 80,100"});
}

TEST_F(ChannelTest, BlockChannelsBuiltFromTheDeviceListReadLiveValues)
{
    ASSERT_EQ(Load("connection=Amp,Mixer"), 1);
    SendText(TE_SETPROC, REQUEST_WRITE, "CTEProcIN_0 II_1 0,0");
    Device("Mixer").SetBlockValue("II_1", 3.25);
    Device("Amp").SetDeviceOnline(false);

    // Built the way a block's value channel is built.
    CRequestChannel value;
    char* keyword = static_cast<char*>(std::calloc(1024, 1));
    std::snprintf(keyword, 1024, "TE.%s.Value", "II_1");
    value.m_Keywords.push_back(keyword);
    a_BuildRequestList(m_Dialog.Record(), &value.m_Keywords, m_Dialog.DeviceNames(), &value.m_Requests);

    double live = 0;
    int status = -1;
    a_SendRequest(&value.m_Requests, REQUEST_READ, DATATYPE_DOUBLE, &live, &status);
    EXPECT_EQ(status, REQUEST_OK);
    EXPECT_EQ(live, 3.25);
    value.Empty();
}

TEST_F(ChannelTest, OfflineDevicesAnswerNothingAndLoseNothing)
{
    ASSERT_EQ(Load("connection=Amp,Mixer"), 1);
    SendText(TE_SETPROC, REQUEST_WRITE, "CTEProcIN_0 II_1 0,0");

    Device("Amp").SetDeviceOnline(false);
    SendText(TE_SETPROC, REQUEST_WRITE, "CTEProcIN_0 II_2 0,0");
    EXPECT_EQ(Count(TE_NROFPROCS), 2) << "Mixer answers for the pair";
    EXPECT_EQ(Device("Amp").ProcRecords().size(), 1u);

    Device("Mixer").SetDeviceOnline(false);
    int status = -1;
    EXPECT_EQ(SendText(TE_SETLINE, REQUEST_WRITE, "Line_1 1,1 2,2 0x00000000 ", &status),
              "Line_1 1,1 2,2 0x00000000 ");
    EXPECT_EQ(status, REQUEST_FAILED);
    EXPECT_EQ(Count(TE_NROFPROCS), 0) << "reads stay at their start values";
    EXPECT_TRUE(List(TE_PROCS).empty());
    EXPECT_EQ(SendText(TE_SAFEPROCNAME, REQUEST_READ, "II_1"), "II_1");

    Device("Amp").SetDeviceOnline(true);
    Device("Mixer").SetDeviceOnline(true);
    EXPECT_EQ(Count(TE_NROFPROCS), 1) << "Amp is asked first and kept its program";
    EXPECT_EQ(Device("Mixer").ProcRecords().size(), 2u);
}

// As many devices as a line holds. Every channel is built once per device,
// each time from the whole device list: this took minutes for a few hundred
// devices while each build compared every pair with every item, and seconds
// while each build still read the whole lists. Each build now reads only the
// entries added since the one before, so the test stays quick.
constexpr int kLongLineDevices = 1300;

TEST_F(ChannelTest, AFullLineOfDevicesGivesOneItemPerDeviceInOrder)
{
    std::string line = ConnectionLine(0, kLongLineDevices);
    ASSERT_LT(line.size(), static_cast<size_t>(REQUEST_TEXT_SIZE));
    ASSERT_EQ(Load(line), 1);
    ASSERT_EQ(DeviceNames().size(), static_cast<size_t>(kLongLineDevices));
    for (int id = 0; id < TE_CHANNEL_COUNT; ++id) {
        CRequestChannel& channel = m_Dialog.Channel(static_cast<TEChannel>(id));
        EXPECT_EQ(channel.m_Keywords.size(), static_cast<size_t>(kLongLineDevices));
        ASSERT_EQ(channel.m_Requests.size(), static_cast<size_t>(kLongLineDevices));
        for (int i = 0; i < kLongLineDevices; i += 97) {
            EXPECT_EQ(corvala::RequestDeviceName(channel.m_Requests[i]), ShortDeviceName(i));
            EXPECT_EQ(corvala::RequestKeyword(channel.m_Requests[i]), g_TEKeywords[id]);
        }
    }
    // Setting it again adds no item.
    ASSERT_EQ(Load(line), 1);
    EXPECT_EQ(m_Dialog.Channel(TE_SETPROC).m_Requests.size(), static_cast<size_t>(kLongLineDevices));
}

// A second "connection" naming other devices adds their items after the
// first ones' (the lists are never emptied), in the order given; names it
// shares with the first add nothing.
TEST_F(ChannelTest, ASecondFullLineAddsItsDevicesAfterTheFirst)
{
    const int n = kLongLineDevices;
    ASSERT_EQ(Load(ConnectionLine(0, n)), 1);
    ASSERT_EQ(Load(ConnectionLine(n, n)), 1);
    EXPECT_EQ(DeviceNames().size(), static_cast<size_t>(n));
    for (int id = 0; id < TE_CHANNEL_COUNT; ++id) {
        const REQUESTLIST& requests = m_Dialog.Channel(static_cast<TEChannel>(id)).m_Requests;
        ASSERT_EQ(requests.size(), static_cast<size_t>(2 * n));
        EXPECT_EQ(corvala::RequestDeviceName(requests[n - 1]), ShortDeviceName(n - 1));
        EXPECT_EQ(corvala::RequestDeviceName(requests[n]), ShortDeviceName(n));
        EXPECT_EQ(corvala::RequestDeviceName(requests.back()), ShortDeviceName(2 * n - 1));
    }
    // The first devices named again, shuffled among new ones: only the new
    // ones are added.
    ASSERT_EQ(Load("connection=" + ShortDeviceName(n + 3) + ",new1," + ShortDeviceName(0) + ",new2"), 1);
    const REQUESTLIST& requests = m_Dialog.Channel(TE_SETLINE).m_Requests;
    ASSERT_EQ(requests.size(), static_cast<size_t>(2 * n + 2));
    EXPECT_EQ(corvala::RequestDeviceName(requests[2 * n]), "new1");
    EXPECT_EQ(corvala::RequestDeviceName(requests.back()), "new2");
}
