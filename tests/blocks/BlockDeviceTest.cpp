// Blocks against embedded devices through the real channels: link writes,
// live value reads, link refresh, names settled by the device, block
// channels, tooltips and property windows.
#include <gtest/gtest.h>

#include "BlockTestSupport.h"
#include "blocks/CTEProcCalIN.h"
#include "blocks/CTEProcFUNC.h"
#include "blocks/CTEProcIN.h"
#include "blocks/CTEProcOUT.h"
#include "blocks/CTEProcRTC.h"

namespace {

std::string Tooltip(CTETrackObject* pBlock)
{
    char szText[TE_TEXT_SIZE];
    EXPECT_EQ(pBlock->GetTooltipText(szText), 1);
    return szText;
}

std::vector<std::string> ConfigurationLines(HWND hWnd)
{
    std::vector<std::string> lines;
    char szLine[REQUEST_TEXT_SIZE];
    for (WPARAM i = 0; ::SendMessage(hWnd, corvala::TEMPLATE_GETLINE, i, reinterpret_cast<LPARAM>(szLine)) >= 0; ++i)
        lines.push_back(szLine);
    return lines;
}

void WriteOnDevice(const char* pszDevice, const std::string& keyword, const std::string& text)
{
    tedevice::TEValue value;
    value.text = text;
    EXPECT_EQ(corvala::EmbeddedDevice(pszDevice).Request(keyword, tedevice::TE_WRITE, tedevice::TE_TEXT, value),
              tedevice::TE_OK);
}

using BlockDeviceTest = BlockTest;

TEST_F(BlockDeviceTest, LinkWritesAcceptedAndRefused)
{
    Connect("A");
    auto* pIn = Make<CTEProcIN>(0, 0, &m_Document, 0, nullptr);
    ASSERT_TRUE(Announce(pIn, "CTEProcIN_0"));
    EXPECT_EQ(Tooltip(pIn), ".");

    EXPECT_EQ(pIn->SetFunction("Gain"), 1);
    EXPECT_STREQ(pIn->m_szFullConnection, ".Gain");
    EXPECT_FALSE(pIn->m_bAssigned);
    EXPECT_EQ(pIn->SetConnection("Amp1"), 1);
    EXPECT_STREQ(pIn->m_szFullConnection, "Amp1.Gain");
    EXPECT_TRUE(pIn->m_bAssigned);
    EXPECT_EQ(Tooltip(pIn), "Amp1.Gain");
    const tedevice::TEBlock* pOnDevice = corvala::EmbeddedDevice("A").FindBlock("II_1");
    ASSERT_NE(pOnDevice, nullptr);
    EXPECT_EQ(pOnDevice->function, "Gain");
    EXPECT_EQ(pOnDevice->connection, "Amp1");

    // An empty text is written and unassigns the block.
    EXPECT_EQ(pIn->SetConnection(""), 0);
    EXPECT_STREQ(pIn->m_szConnection, "");
    EXPECT_STREQ(pIn->m_szFullConnection, "");
    EXPECT_FALSE(pIn->m_bAssigned);
    EXPECT_EQ(pOnDevice->connection, "");

    // Refused writes change nothing: a device that does not answer, a block
    // the device does not know, a text longer than the field.
    corvala::EmbeddedDevice("A").SetDeviceOnline(false);
    EXPECT_EQ(pIn->SetFunction("Mute"), 0);
    EXPECT_STREQ(pIn->m_szFunction, "Gain");
    corvala::EmbeddedDevice("A").SetDeviceOnline(true);
    auto* pStranger = Make<CTEProcOUT>(0, 0, &m_Document, 0, nullptr);
    EXPECT_EQ(pStranger->SetConnection("Amp1"), 0);
    EXPECT_STREQ(pStranger->m_szConnection, "");
    EXPECT_EQ(pIn->SetFunction(std::string(TE_TEXT_SIZE, 'f').c_str()), 0);
    EXPECT_STREQ(pIn->m_szFunction, "Gain");
}

// The text fields hold only what they hold, but exactly as much as the
// fixed fields they stand for: 4,095 characters written, read back and shown,
// the joined link and a clock caption cut there.
TEST_F(BlockDeviceTest, TextFieldsHoldTheirFullLengthAndNoMore)
{
    Connect("A");
    auto* pIn = Make<CTEProcIN>(0, 0, &m_Document, 0, nullptr);
    ASSERT_TRUE(Announce(pIn, "CTEProcIN_0"));
    const std::string longest(TE_TEXT_SIZE - 1, 'f');
    EXPECT_EQ(pIn->SetFunction(longest.c_str()), 1);
    EXPECT_EQ(std::string(pIn->m_szFunction), longest);
    EXPECT_EQ(pIn->SetConnection("Amp1"), 1);
    EXPECT_EQ(std::string(pIn->m_szFullConnection), ("Amp1." + longest).substr(0, TE_TEXT_SIZE - 1));
    EXPECT_EQ(Tooltip(pIn), std::string(pIn->m_szFullConnection));

    const std::string other(TE_TEXT_SIZE - 1, 'c');
    WriteOnDevice("A", "TE.II_1.connection", other);
    pIn->RefreshValues();
    EXPECT_EQ(std::string(pIn->m_szConnection), other);
    EXPECT_EQ(pIn->SetFunction("Gain"), 1);
    EXPECT_STREQ(pIn->m_szFunction, "Gain");

    auto* pClock = Make<CTEProcRTC>(0, 0, &m_Document, 0, std::string(5000, 'M').c_str(), nullptr);
    EXPECT_EQ(std::string(pClock->m_szText), std::string(TE_TEXT_SIZE - 1, 'M'));
}

TEST_F(BlockDeviceTest, LiveValueReads)
{
    Connect("A");
    auto* pIn = Make<CTEProcIN>(0, 0, &m_Document, 0, nullptr);
    auto* pCal = Make<CTEProcCalIN>(0, 0, &m_Document, 0, nullptr);
    auto* pClock = Make<CTEProcRTC>(0, 0, &m_Document, 0, "Mon", nullptr);
    ASSERT_TRUE(Announce(pIn, "CTEProcIN_0"));
    ASSERT_TRUE(Announce(pCal, "CTEProcCalIN_0"));
    ASSERT_TRUE(Announce(pClock, "CTEProcRTC_0xMon"));
    tedevice::TaskEngineDevice& device = corvala::EmbeddedDevice("A");
    CTETrackObject* blocks[] = {pIn, pCal, pClock};

    for (CTETrackObject* pBlock : blocks) {
        device.SetBlockValue(pBlock->CTrackObject::m_szName.c_str(), 7.5);
        pBlock->m_bDirty = FALSE;
        EXPECT_EQ(pBlock->RefreshValues(), 1);
        EXPECT_FLOAT_EQ(pBlock->m_fValue, 7.5f);
        EXPECT_TRUE(pBlock->m_bDirty);
    }

    // A value that is changing: no value, but the block repaints, except a
    // calibrated input, which looks only at values.
    for (CTETrackObject* pBlock : blocks) {
        device.SetBlockValue(pBlock->CTrackObject::m_szName.c_str(), 1.0);
        device.SetBlockValueStatus(pBlock->CTrackObject::m_szName.c_str(), 2);
        pBlock->m_bDirty = FALSE;
        EXPECT_EQ(pBlock->RefreshValues(), 0);
        EXPECT_FLOAT_EQ(pBlock->m_fValue, 7.5f);
    }
    EXPECT_TRUE(pIn->m_bDirty);
    EXPECT_FALSE(pCal->m_bDirty);
    EXPECT_TRUE(pClock->m_bDirty);

    device.SetDeviceOnline(false);
    for (CTETrackObject* pBlock : blocks) {
        pBlock->m_bDirty = FALSE;
        EXPECT_EQ(pBlock->RefreshValues(), 0);
        EXPECT_FLOAT_EQ(pBlock->m_fValue, 7.5f);
        EXPECT_FALSE(pBlock->m_bDirty);
    }
}

TEST_F(BlockDeviceTest, LinkRefreshOfInputAndOutputBlocks)
{
    Connect("A");
    auto* pIn = Make<CTEProcIN>(0, 0, &m_Document, 0, nullptr);
    auto* pOut = Make<CTEProcOUT>(0, 0, &m_Document, 0, nullptr);
    auto* pClock = Make<CTEProcRTC>(0, 0, &m_Document, 0, "Mon", nullptr);
    ASSERT_TRUE(Announce(pIn, "CTEProcIN_0"));
    ASSERT_TRUE(Announce(pOut, "CTEProcOUT_0"));
    ASSERT_TRUE(Announce(pClock, "CTEProcRTC_0xMon"));

    // Another editor links the blocks on the device.
    for (const char* pszName : {"II_1", "IO_1", "RTC_1"}) {
        WriteOnDevice("A", std::string("TE.") + pszName + ".connection", "Amp2");
        WriteOnDevice("A", std::string("TE.") + pszName + ".function", "Level");
    }
    pIn->RefreshValues();
    pOut->RefreshValues();
    pClock->RefreshValues();
    for (CTETrackObject* pBlock : {static_cast<CTETrackObject*>(pIn), static_cast<CTETrackObject*>(pOut)}) {
        EXPECT_STREQ(pBlock->m_szConnection, "Amp2");
        EXPECT_STREQ(pBlock->m_szFunction, "Level");
        EXPECT_TRUE(pBlock->m_bAssigned);
        EXPECT_STREQ(pBlock->m_szFullConnection, "") << "composed only when the user binds a link";
    }
    EXPECT_EQ(Tooltip(pClock), ".") << "a clock never reads its link";

    pOut->SetFunction("Level");
    WriteOnDevice("A", "TE.IO_1.function", "");
    pOut->RefreshValues();
    EXPECT_FALSE(pOut->m_bAssigned);
    EXPECT_STREQ(pOut->m_szFullConnection, "");
}

TEST_F(BlockDeviceTest, NamesSettledWithTheDevice)
{
    // Without a device every kind keeps its default name.
    const char* defaults[] = {"II_1", "IC_1", "CI_1", "IO_1", "FUNC_1", "RTC_1"};
    CTETrackObject* made[] = {
        Make<CTEProcIN>(0, 0, &m_Document, 0, nullptr),     Make<CTEProcIN>(0, 0, &m_Document, 1, nullptr),
        Make<CTEProcCalIN>(0, 0, &m_Document, 0, nullptr),  Make<CTEProcOUT>(0, 0, &m_Document, 0, nullptr),
        Make<CTEProcFUNC>(0, 0, &m_Document, 1, "NOT", nullptr), Make<CTEProcRTC>(0, 0, &m_Document, 0, "x", nullptr),
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(made[i]->CTrackObject::m_szName, defaults[i]);
        EXPECT_STREQ(made[i]->HOSTINFO::m_szName, defaults[i]);
        EXPECT_EQ(made[i]->m_pParent, &m_Page.m_Record);
    }
    for (CTETrackObject* pBlock : made)
        Delete(pBlock);

    Connect("A,B");
    auto* pFirst = Make<CTEProcIN>(0, 0, &m_Document, 0, nullptr);
    ASSERT_TRUE(Announce(pFirst, "CTEProcIN_0"));
    auto* pSecond = Make<CTEProcIN>(0, 0, &m_Document, 0, nullptr);
    EXPECT_STREQ(pSecond->CTrackObject::m_szName, "II_2");
    EXPECT_STREQ(pSecond->HOSTINFO::m_szName, "II_2");
    // A wanted name no block has is taken as it is; one a block has goes to
    // the device, whose answer II_2 this editor already holds (not yet sent),
    // so it counts on.
    EXPECT_STREQ(Make<CTEProcOUT>(0, 0, &m_Document, 0, "Fader")->CTrackObject::m_szName, "Fader");
    EXPECT_STREQ(Make<CTEProcOUT>(0, 0, &m_Document, 0, "II_1")->CTrackObject::m_szName, "II_3");
    EXPECT_TRUE(pSecond->IsNamed("II_2"));
    EXPECT_FALSE(pSecond->IsNamed("ii_2"));

    // The block's own channels, one request per device.
    std::vector<std::string> keywords(pSecond->m_pValueKeywords->begin(), pSecond->m_pValueKeywords->end());
    EXPECT_EQ(keywords, std::vector<std::string>{"TE.II_2.Value"});
    ASSERT_EQ(pSecond->m_pOnlineRequests->size(), 2u);
    EXPECT_EQ(corvala::RequestKeyword((*pSecond->m_pOnlineRequests)[1]), "TE.II_2.online");
    EXPECT_EQ(corvala::RequestDeviceName((*pSecond->m_pOnlineRequests)[1]), "B");
}

TEST_F(BlockDeviceTest, PropertyWindowOpensOnceWithItsConfiguration)
{
    Connect("A,B");
    auto* pIn = Make<CTEProcIN>(0, 0, &m_Document, 1, nullptr);
    HWND hWnd = pIn->ShowPropertyWindow(&m_Page.m_Record);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_EQ(ConfigurationLines(hWnd),
              (std::vector<std::string>{"caption=Main - IC_1", "type=1", "connection=A.TE.IC_1,B.TE.IC_1"}));

    // The second time the same window comes forward, shown again if hidden.
    ::ShowWindow(hWnd, SW_HIDE);
    pIn->OnDoubleClick(0, &m_Page.m_Record);
    EXPECT_EQ(pIn->m_hPropertyWnd, hWnd);
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_EQ(ConfigurationLines(hWnd).size(), 3u);

    Delete(pIn);
    EXPECT_FALSE(::IsWindow(hWnd)) << "the window goes with its block";

    // Kinds without a window of their own answer none; nor do they show a
    // tooltip, apart from the clock.
    CTETrackObject* pCal = Make<CTEProcCalIN>(0, 0, &m_Document, 0, nullptr);
    CTETrackObject* pFunc = Make<CTEProcFUNC>(0, 0, &m_Document, 2, "PLUS", nullptr);
    CTETrackObject* pClock = Make<CTEProcRTC>(0, 0, &m_Document, 0, "Mon", nullptr);
    for (CTETrackObject* pBlock : {pCal, pFunc, pClock})
        EXPECT_EQ(pBlock->ShowPropertyWindow(&m_Page.m_Record), nullptr);
    EXPECT_FALSE(pCal->HasTooltip());
    EXPECT_FALSE(pFunc->HasTooltip());
    EXPECT_TRUE(pClock->HasTooltip());
}

TEST_F(BlockDeviceTest, PropertyWindowWithoutDevices)
{
    auto* pOut = Make<CTEProcOUT>(0, 0, &m_Document, 3, nullptr);
    HWND hWnd = pOut->ShowPropertyWindow(&m_Page.m_Record);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(ConfigurationLines(hWnd),
              (std::vector<std::string>{"caption=Main - IO_1", "type=16", "connection="}));
    EXPECT_TRUE(pOut->HasTooltip());
    auto* pIn = Make<CTEProcIN>(0, 0, &m_Document, 7, nullptr);
    EXPECT_EQ(ConfigurationLines(pIn->ShowPropertyWindow(&m_Page.m_Record)),
              (std::vector<std::string>{"caption=Main - II_1", "type=0", "connection="}));
    EXPECT_TRUE(pIn->HasTooltip());
}

}  // namespace
