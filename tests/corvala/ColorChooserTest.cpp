// The colour chooser: the record's byte layout, headless answers, and the
// picker window that a real display shows.
#include <gtest/gtest.h>

#include <cstring>

#include "ColorPicker.h"
#include "Corvala.h"
#include "GfxTestSupport.h"
#include "HostWindows.h"

namespace {

constexpr size_t kOwnerOffset = 0;
constexpr size_t kColorOffset = 4116;

uint32_t WordAt(const POPUPSTRUCT& record, size_t offset)
{
    uint32_t word = 0;
    std::memcpy(&word, reinterpret_cast<const char*>(&record) + offset, sizeof word);
    return word;
}

POINT Center(RECT r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Click(HWND wnd, RECT r)
{
    POINT p = Center(r);
    PlInputMouseClick(wnd, p.x, p.y, PL_BUTTON_LEFT, 0);
}

using ColorChooser = gfxtest::DesktopTest;
using ColorPickerWindow = gfxtest::DesktopTest;

}  // namespace

TEST_F(ColorChooser, HeadlessAnswerLandsAtItsOffset)
{
    POPUPSTRUCT record{};
    record.m_hOwner = 0x12345678;
    PlPushDialogAnswer("color", 0x00336699);
    EXPECT_NE(a_PopupChooseColor(&record), 0);
    EXPECT_EQ(sizeof record, 4128u);
    EXPECT_EQ(WordAt(record, kColorOffset), 0x00336699u);
    EXPECT_EQ(WordAt(record, kOwnerOffset), 0x12345678u);
}

TEST_F(ColorChooser, NoAnswerOrABadOneIsACancelThatLeavesTheRecord)
{
    POPUPSTRUCT record{};
    record.m_crColor = 0x00ABCDEF;
    EXPECT_EQ(a_PopupChooseColor(&record), 0);
    EXPECT_EQ(WordAt(record, kColorOffset), 0x00ABCDEFu);

    PlPushDialogAnswer("color", -1);
    EXPECT_EQ(a_PopupChooseColor(&record), 0) << "not a colour";
    PlPushDialogAnswer("color", 0x01000000);
    EXPECT_EQ(a_PopupChooseColor(&record), 0);
    EXPECT_EQ(WordAt(record, kColorOffset), 0x00ABCDEFu);
    EXPECT_EQ(a_PopupChooseColor(nullptr), 0);
}

TEST_F(ColorChooser, TruncatedOwnerHandlesMapBackToLiveWindows)
{
    HWND top = CreateWindowExA(0, "Static", "top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
    HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    auto low32 = [](HWND wnd) { return DWORD(reinterpret_cast<uintptr_t>(wnd)); };
    EXPECT_EQ(corvala::WindowFromLow32(low32(child)), child);
    EXPECT_EQ(corvala::WindowFromLow32(low32(top)), top);
    EXPECT_EQ(corvala::WindowFromLow32(0), nullptr);
    EXPECT_EQ(corvala::WindowFromLow32(0xFFFFFFF0u), nullptr);
}

TEST_F(ColorPickerWindow, ClickThenOkOrDoubleClickAcceptsAndCancelDoesNot)
{
    corvala::ColorPicker picker(nullptr, RGB(0, 0, 0));
    HWND wnd = picker.Window();
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(picker.SwatchColor(picker.Selection()), RGB(0, 0, 0)) << "the initial colour is chosen";
    Click(wnd, corvala::ColorPicker::SwatchRect(9));
    Click(wnd, corvala::ColorPicker::ButtonRect(IDOK));
    EXPECT_EQ(picker.Run(), corvala::ColorPicker::SwatchColor(9));
    EXPECT_FALSE(IsWindowVisible(wnd));

    POINT p = Center(corvala::ColorPicker::SwatchRect(20));
    PlInputMouseDoubleClick(wnd, p.x, p.y, PL_BUTTON_LEFT, 0);
    EXPECT_EQ(picker.Run(), corvala::ColorPicker::SwatchColor(20));

    Click(wnd, corvala::ColorPicker::SwatchRect(3));
    Click(wnd, corvala::ColorPicker::ButtonRect(IDCANCEL));
    EXPECT_EQ(picker.Run(), std::nullopt);

    corvala::ColorPicker offPalette(nullptr, RGB(1, 2, 3));
    EXPECT_EQ(offPalette.Selection(), -1);
    Click(offPalette.Window(), corvala::ColorPicker::ButtonRect(IDOK));
    EXPECT_EQ(offPalette.Run(), RGB(1, 2, 3)) << "OK without a choice keeps the colour";
}

TEST_F(ColorPickerWindow, KeysMoveAcceptAndCancel)
{
    corvala::ColorPicker picker(nullptr, RGB(0, 0, 0));
    int black = picker.Selection();
    ShowWindow(picker.Window(), SW_SHOW);
    SetFocus(picker.Window());
    PlInputKey(VK_RIGHT, TRUE);
    PlInputKey(VK_UP, TRUE);
    PlInputKey(VK_RETURN, TRUE);
    EXPECT_EQ(picker.Run(), corvala::ColorPicker::SwatchColor(black + 1 - corvala::ColorPicker::kColumns));

    SetFocus(picker.Window());
    PlInputKey(VK_LEFT, TRUE);
    PlInputKey(VK_ESCAPE, TRUE);
    EXPECT_EQ(picker.Run(), std::nullopt);
}

TEST_F(ColorPickerWindow, AnUnansweredPickerIsCancelledAndFreesItsOwner)
{
    HWND owner = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    corvala::ColorPicker picker(owner, RGB(255, 255, 255));
    EXPECT_EQ(GetWindow(picker.Window(), GW_OWNER), owner);
    EXPECT_EQ(picker.Run(), std::nullopt) << "the queue ran dry";
    EXPECT_TRUE(IsWindowEnabled(owner));

    gfxtest::ShowAndPaint(picker.Window());
    gfxtest::Pixels pixels = gfxtest::ClientPixels(picker.Window());
    POINT red = Center(corvala::ColorPicker::SwatchRect(8));
    EXPECT_EQ(pixels.At(red.x, red.y), 0xFF0000u) << "the swatches are painted in their colours";
    RECT white = corvala::ColorPicker::SwatchRect(picker.Selection());
    EXPECT_EQ(pixels.At(white.left, white.top), 0u) << "the chosen swatch is framed";
}
