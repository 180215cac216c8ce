// Request lists against embedded devices: how items are built, and how reads
// and writes travel to one or several devices.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "CorvalaHost.h"

namespace {

class RequestTest : public ::testing::Test {
protected:
    void SetUp() override { corvala::ResetDevices(); }
    void TearDown() override
    {
        a_EmptyRequestList(&m_Requests);
        a_EmptyStringList(&m_Keywords);
        a_EmptyStringList(&m_Devices);
        corvala::ResetDevices();
    }

    // A request list for `keyword` on every device named.
    REQUESTLIST& Channel(const char* keyword, std::initializer_list<const char*> devices)
    {
        a_EmptyRequestList(&m_Requests);
        a_EmptyStringList(&m_Keywords);
        a_EmptyStringList(&m_Devices);
        m_Keywords.push_back(strdup(keyword));
        for (const char* device : devices)
            m_Devices.push_back(strdup(device));
        a_BuildRequestList(&m_Record, &m_Keywords, &m_Devices, &m_Requests);
        return m_Requests;
    }

    static void AddBlock(const char* device, const char* record)
    {
        tedevice::TEValue value;
        value.text = record;
        ASSERT_EQ(corvala::EmbeddedDevice(device).Request("TESetProc", tedevice::TE_WRITE,
                                                          tedevice::TE_TEXT, value),
                  tedevice::TE_OK);
    }

    HOSTINFO m_Record;
    STRINGLIST m_Keywords;
    STRINGLIST m_Devices;
    REQUESTLIST m_Requests;
};

// A link of the test's own, to show that links are chosen when sent.
class CountingLink : public corvala::DeviceLink {
public:
    int Request(const char* keyword, int, int, void* value) override
    {
        m_nCalls++;
        m_strKeyword = keyword;
        *static_cast<int*>(value) = 42;
        return REQUEST_OK;
    }
    int m_nCalls = 0;
    std::string m_strKeyword;
};

}  // namespace

TEST_F(RequestTest, OneItemPerDistinctKeywordAndDevice)
{
    m_Keywords = {strdup("TENrOfProcs"), strdup("TENrOfProcs"), strdup("TENrOfLines")};
    m_Devices = {strdup("A"), strdup("B"), strdup("A")};
    EXPECT_EQ(a_BuildRequestList(&m_Record, &m_Keywords, &m_Devices, &m_Requests), 4);
    EXPECT_EQ(a_BuildRequestList(&m_Record, &m_Keywords, &m_Devices, &m_Requests), 0);
    ASSERT_EQ(m_Requests.size(), 4u);
    EXPECT_EQ(corvala::RequestKeyword(m_Requests[0]), "TENrOfProcs");
    EXPECT_EQ(corvala::RequestDeviceName(m_Requests[0]), "A");
    EXPECT_EQ(corvala::RequestDeviceName(m_Requests[1]), "B");
    EXPECT_EQ(corvala::RequestKeyword(m_Requests[2]), "TENrOfLines");
    EXPECT_EQ(corvala::RequestOwner(m_Requests[3]), &m_Record);

    EXPECT_EQ(a_BuildRequestList(&m_Record, nullptr, &m_Devices, &m_Requests), -1);
}

TEST_F(RequestTest, FailedReadsLeaveTheValueAndReportTheFirstNonzeroStatus)
{
    AddBlock("A", "CTEProcIN_0 II_1 0,0");
    AddBlock("B", "CTEProcIN_0 II_1 0,0");
    corvala::EmbeddedDevice("A").SetBlockValueStatus("II_1", REQUEST_CHANGING);
    corvala::EmbeddedDevice("B").SetBlockValue("II_1", 7.5);

    double value = -1;
    int status = -1;
    a_SendRequest(&Channel("TE.II_1.Value", {"A", "B"}), REQUEST_READ, DATATYPE_DOUBLE, &value, &status);
    EXPECT_EQ(status, REQUEST_OK) << "B answers after A's news";
    EXPECT_EQ(value, 7.5);

    corvala::EmbeddedDevice("B").SetDeviceOnline(false);
    value = -1;
    a_SendRequest(&Channel("TE.II_1.Value", {"B", "A"}), REQUEST_READ, DATATYPE_DOUBLE, &value, &status);
    EXPECT_EQ(status, REQUEST_CHANGING);
    EXPECT_EQ(value, -1);
}

TEST_F(RequestTest, AWriteBringsBackTheAnswerOfTheFirstDeviceThatAccepted)
{
    int status = -1;
    char line[REQUEST_TEXT_SIZE] = "Line_1 II_1.Out0 5,5 0x00000000 ";
    tedevice::TEValue burn;
    corvala::EmbeddedDevice("C").Request("TESafeLineName", tedevice::TE_READ, tedevice::TE_TEXT, burn);
    a_SendRequest(&Channel("TESetLine", {"C", "B"}), REQUEST_WRITE, DATATYPE_TEXT, line, &status);
    EXPECT_EQ(status, REQUEST_OK);
    EXPECT_STREQ(line, "Line_2") << "C's answer, the first to accept";
    EXPECT_EQ(corvala::EmbeddedDevice("B").LineRecords()[0], "Line_1 II_1.Out0 5,5 0x00000000 ");

    // A short constant text is never written when nothing is answered.
    AddBlock("B", "CTEProcIN_0 II_1 10,10");
    static const char name[] = "II_1";
    a_SendRequest(&Channel("DelTEProc", {"B"}), REQUEST_WRITE, DATATYPE_TEXT, const_cast<char*>(name), &status);
    EXPECT_EQ(status, REQUEST_OK);

    char unknown[REQUEST_TEXT_SIZE] = "II_9";
    a_SendRequest(&Channel("DelTEProc", {"C", "B"}), REQUEST_WRITE, DATATYPE_TEXT, unknown, &status);
    EXPECT_EQ(status, REQUEST_FAILED) << "none accepted";
}

TEST_F(RequestTest, BadRequestsFailWithoutTouchingTheValue)
{
    int value = 5;
    int status = -1;
    REQUESTLIST empty;
    REQUESTLIST& count = Channel("TENrOfProcs", {"A"});
    EXPECT_EQ(a_SendRequest(&empty, REQUEST_READ, DATATYPE_INT, &value, &status), REQUEST_FAILED);
    EXPECT_EQ(status, REQUEST_FAILED);
    EXPECT_EQ(a_SendRequest(nullptr, REQUEST_READ, DATATYPE_INT, &value, &status), REQUEST_FAILED);
    EXPECT_EQ(a_SendRequest(&count, 3, DATATYPE_INT, &value, &status), REQUEST_FAILED);
    EXPECT_EQ(a_SendRequest(&count, REQUEST_READ, 7, &value, &status), REQUEST_FAILED);
    EXPECT_EQ(a_SendRequest(&count, REQUEST_READ, DATATYPE_INT, nullptr, nullptr), REQUEST_FAILED);
    EXPECT_EQ(value, 5);
}

TEST_F(RequestTest, OverlongTextsAreCutToTheBufferContract)
{
    AddBlock("A", "CTEProcIN_0 II_1 0,0");
    std::string text(5000, 'f');
    int status = -1;
    a_SendRequest(&Channel("TE.II_1.function", {"A"}), REQUEST_WRITE, DATATYPE_TEXT, text.data(), &status);
    EXPECT_EQ(status, REQUEST_OK);
    EXPECT_EQ(corvala::EmbeddedDevice("A").FindBlock("II_1")->function.size(), 4095u);

    char answer[REQUEST_TEXT_SIZE];
    std::memset(answer, 'x', sizeof answer);
    answer[0] = '\0';
    a_SendRequest(&Channel("TE.II_1.function", {"A"}), REQUEST_READ, DATATYPE_TEXT, answer, &status);
    EXPECT_EQ(status, REQUEST_OK);
    EXPECT_EQ(std::strlen(answer), 4095u);
}

TEST_F(RequestTest, LinksAreChosenWhenSentNotWhenBuilt)
{
    REQUESTLIST& requests = Channel("TENrOfLines", {"Remote"});
    auto link = std::make_shared<CountingLink>();
    corvala::RegisterDeviceLink("Remote", link);
    int count = 0;
    EXPECT_EQ(a_SendRequest(&requests, REQUEST_READ, DATATYPE_INT, &count, nullptr), REQUEST_OK);
    EXPECT_EQ(count, 42);
    EXPECT_EQ(link->m_strKeyword, "TENrOfLines");
    EXPECT_EQ(corvala::FindEmbeddedDevice("Remote"), nullptr);

    corvala::RegisterDeviceLink("Remote", nullptr);
    a_SendRequest(&requests, REQUEST_READ, DATATYPE_INT, &count, nullptr);
    EXPECT_EQ(count, 0) << "back to the embedded device";
    EXPECT_EQ(link->m_nCalls, 1);
    EXPECT_NE(corvala::FindEmbeddedDevice("Remote"), nullptr);
}
