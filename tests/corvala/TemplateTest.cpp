// The TEIOUI template: a property window that takes and shows configuration
// lines; unknown and malformed templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "GfxTestSupport.h"
#include "TextRows.h"

namespace {

constexpr UINT kSetLine = WM_APP + 1;

LRESULT Send(HWND wnd, const char* line)
{
    return SendMessageA(wnd, kSetLine, 0, reinterpret_cast<LPARAM>(line));
}

std::vector<std::string> ReadAll(HWND wnd, UINT message)
{
    std::vector<std::string> texts;
    char buffer[REQUEST_TEXT_SIZE];
    for (WPARAM i = 0; SendMessageA(wnd, message, i, reinterpret_cast<LPARAM>(buffer)) >= 0; ++i)
        texts.push_back(buffer);
    return texts;
}

std::string Title(HWND wnd)
{
    char title[256] = {};
    GetWindowTextA(wnd, title, sizeof title);
    return title;
}

class Templates : public gfxtest::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        corvala::SetTraceSink([this](HWND, const char* text) { m_trace.push_back(text); });
    }
    void TearDown() override
    {
        corvala::SetTraceSink(nullptr);
        DesktopTest::TearDown();
    }

    std::vector<std::string> m_trace;
};

}  // namespace

TEST_F(Templates, PropertyWindowKeepsTheLinesExactlyAsSent)
{
    HOSTINFO owner;
    HWND wnd = a_LoadTemplate(&owner, "TEIOUI \"Main - IC_1\" Main");
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(Title(wnd), "Main - IC_1");
    EXPECT_FALSE(IsWindowVisible(wnd)) << "the caller shows it once configured";

    EXPECT_EQ(Send(wnd, "caption=Main - IC_1"), 1);
    EXPECT_EQ(Send(wnd, "type=1"), 1);
    EXPECT_EQ(Send(wnd, "connection=DEV1.TE.IC_1,DEV2.TE.IC_1"), 1);
    EXPECT_EQ(ReadAll(wnd, corvala::TEMPLATE_GETLINE),
              (std::vector<std::string>{"caption=Main - IC_1", "type=1", "connection=DEV1.TE.IC_1,DEV2.TE.IC_1"}));
    EXPECT_EQ(ReadAll(wnd, corvala::TEMPLATE_GETROW),
              (std::vector<std::string>{"Main - IC_1", "type: 1", "connection:", "    DEV1.TE.IC_1",
                                        "    DEV2.TE.IC_1"}));

    gfxtest::ShowAndPaint(wnd);
    gfxtest::Pixels pixels = gfxtest::ClientPixels(wnd);
    std::vector<bool> slots = gfxtest::InkedSlots(pixels, corvala::TextRows::kMargin, corvala::TextRows::RowHeight());
    ASSERT_GT(slots.size(), 6u);
    EXPECT_EQ(std::count(slots.begin(), slots.begin() + 5, true), 5) << "one row of text per shown row";
    EXPECT_EQ(std::count(slots.begin() + 5, slots.end(), true), 0);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(pixels.At(pixels.width - 1, pixels.height - 1),
              uint32_t(GetRValue(face)) << 16 | uint32_t(GetGValue(face)) << 8 | GetBValue(face));
}

TEST_F(Templates, ConnectionWithoutDevicesAndRepeatedOrUnknownKeys)
{
    HWND wnd = a_LoadTemplate(nullptr, "TEIOUI \"Main - IO_1\" Main");
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(Send(wnd, "caption=Main - IO_1"), 1);
    EXPECT_EQ(Send(wnd, "type=16"), 1);
    EXPECT_EQ(Send(wnd, "connection="), 1);
    EXPECT_EQ(Send(wnd, "colour = blue "), 1) << "unknown keys are kept";
    EXPECT_EQ(Send(wnd, "caption=Other - IO_1"), 1);
    EXPECT_EQ(Send(wnd, "no separator"), 0);
    EXPECT_EQ(Send(wnd, "=value"), 0);
    EXPECT_EQ(SendMessageA(wnd, kSetLine, 0, 0), 0);

    EXPECT_EQ(ReadAll(wnd, corvala::TEMPLATE_GETLINE),
              (std::vector<std::string>{"caption=Other - IO_1", "type=16", "connection=", "colour = blue "}));
    EXPECT_EQ(ReadAll(wnd, corvala::TEMPLATE_GETROW),
              (std::vector<std::string>{"Other - IO_1", "type: 16", "connection:", "colour: blue"}));
    EXPECT_EQ(Title(wnd), "Other - IO_1");
}

TEST_F(Templates, EachLoadIsANewWindowOwnedByTheRecordsWindow)
{
    HWND main = CreateWindowExA(0, "Static", "Main", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
    HWND view = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 100, 100, main, nullptr, nullptr, nullptr);
    HOSTINFO owner;
    owner.m_hWnd = view;
    HWND first = a_LoadTemplate(&owner, "TEIOUI \"Main - IC_1\" Main");
    HWND second = a_LoadTemplate(&owner, "TEIOUI \"Main - IC_1\" Main");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(GetWindow(first, GW_OWNER), main) << "owned by the top-level window of the record's window";
    EXPECT_EQ(GetParent(first), main);

    owner.m_hWnd = reinterpret_cast<HWND>(0x7777);
    HWND orphan = a_LoadTemplate(&owner, "TEIOUI \"x\"");
    ASSERT_NE(orphan, nullptr) << "a dead owner window leaves the window unowned";
    EXPECT_EQ(GetWindow(orphan, GW_OWNER), nullptr);
}

TEST_F(Templates, UnknownOrMalformedTemplatesGiveNullAndATraceLine)
{
    HOSTINFO owner;
    EXPECT_EQ(a_LoadTemplate(&owner, "TEXXUI \"Main - IC_1\" Main"), nullptr);
    EXPECT_EQ(a_LoadTemplate(&owner, "TEIOUI Main"), nullptr);
    EXPECT_EQ(a_LoadTemplate(&owner, "TEIOUI \"Main - IC_1"), nullptr);
    EXPECT_EQ(a_LoadTemplate(&owner, ""), nullptr);
    EXPECT_EQ(a_LoadTemplate(&owner, nullptr), nullptr);
    EXPECT_EQ(m_trace, (std::vector<std::string>{"Unknown template TEXXUI", "Malformed template TEIOUI Main",
                                                 "Malformed template TEIOUI \"Main - IC_1", "Malformed template ",
                                                 "Malformed template (null)"}));
}
