// The built-in controls: tab control notifications, tooltip activation,
// push button clicks.
#include <cstring>

#include "UserTestSupport.h"

using namespace usertest;

class ControlsTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        parent = topLevel(0, 0, 600, 400);
        pump();
    }

    HWND parent = nullptr;
};

namespace {

// The codes of the notifications a window received, recorded as they came.
std::vector<UINT>& notified()
{
    static std::vector<UINT> codes;
    return codes;
}

void insertTab(HWND tab, int index, const char* text)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

POINT tabCentre(HWND tab, int index)
{
    RECT r{};
    SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

TEST_F(ControlsTest, ClickingATabAsksTheParentThenTellsIt)
{
    HWND tab = CreateWindowExA(0, WC_TABCONTROLA, "Tab1", WS_CHILD | WS_VISIBLE, 5, 5, 500, 300, parent,
                               reinterpret_cast<HMENU>(3000), nullptr, nullptr);
    insertTab(tab, 0, "TaskEngine");
    insertTab(tab, 1, "Other");
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0) << "the first tab inserted is selected";
    EXPECT_EQ(TCN_SELCHANGE, static_cast<UINT>(-551));
    EXPECT_EQ(TCN_SELCHANGING, static_cast<UINT>(-552));

    HWND from = nullptr;
    UINT_PTR id = 0;
    notified().clear();
    handler() = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_NOTIFY) {
            auto* nm = reinterpret_cast<NMHDR*>(lParam);
            from = nm->hwndFrom;
            id = nm->idFrom;
            notified().push_back(nm->code);
        }
        return std::nullopt;
    };
    POINT second = tabCentre(tab, 1);
    PlInputMouseClick(tab, second.x, second.y, PL_BUTTON_LEFT, 0);
    pump();
    EXPECT_EQ(notified(), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(from, tab);
    EXPECT_EQ(id, 3000u);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);

    notified().clear();
    handler() = [](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY)
            return std::nullopt;
        notified().push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return TRUE;  // refuse the change
    };
    POINT first = tabCentre(tab, 0);
    PlInputMouseClick(tab, first.x, first.y, PL_BUTTON_LEFT, 0);
    pump();
    EXPECT_EQ(notified(), (std::vector<UINT>{TCN_SELCHANGING}));
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);

    notified().clear();
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 0, 0), 1);
    EXPECT_TRUE(notified().empty()) << "selecting by message tells nobody";

    RECT display{0, 0, 500, 300};
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_GT(display.top, second.y) << "the display area lies below the tabs";
    SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(display.top, 0);
    EXPECT_EQ(display.right, 500);
}

TEST_F(ControlsTest, ATooltipShowsOnTheNextMoveWhileActiveWithATextAndHidesOtherwise)
{
    HWND view = child(parent, 4002, 205, 1, 300, 300);
    HWND elsewhere = child(parent, 7, 0, 0, 100, 100);
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 32767);
    TOOLINFOA info{};
    info.cbSize = 48;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = view;
    info.uId = reinterpret_cast<UINT_PTR>(view);
    info.lpszText = const_cast<char*>("");
    ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    TOOLINFOA tooSmall = info;
    tooSmall.cbSize = 40;
    EXPECT_FALSE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tooSmall)));

    PlTooltipState state{};
    PlInputMouseMove(view, 10, 10, 0);
    pump();
    ASSERT_TRUE(PlGetTooltipState(tip, &state));
    EXPECT_FALSE(state.visible) << "no text yet";

    info.lpszText = const_cast<char*>("Amp1.gain");
    SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    PlInputMouseMove(view, 12, 10, 0);
    pump();
    PlGetTooltipState(tip, &state);
    EXPECT_TRUE(state.visible);
    EXPECT_EQ(state.text, "Amp1.gain");
    EXPECT_EQ(state.toolWindow, view);
    EXPECT_GT(state.rect.top, 10) << "below the pointer";

    char buffer[80] = {};
    TOOLINFOA query = info;
    query.lpszText = buffer;
    SendMessageA(tip, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&query));
    EXPECT_STREQ(buffer, "Amp1.gain");

    SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
    PlGetTooltipState(tip, &state);
    EXPECT_FALSE(state.visible);
    PlInputMouseMove(view, 14, 10, 0);
    pump();
    PlGetTooltipState(tip, &state);
    EXPECT_FALSE(state.visible) << "an inactive tooltip stays hidden";

    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    PlInputMouseMove(view, 16, 10, 0);
    PlInputMouseMove(elsewhere, 5, 5, 0);
    pump();
    PlGetTooltipState(tip, &state);
    EXPECT_FALSE(state.visible) << "the pointer left the tool";
    DestroyWindow(tip);
}

TEST_F(ControlsTest, AButtonClickIsAPressAndAReleaseInsideIt)
{
    HWND button = CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 10, 80, 24,
                                  parent, reinterpret_cast<HMENU>(4000), nullptr, nullptr);
    PlInputMouseButton(button, 10, 10, PL_BUTTON_LEFT, TRUE, 0);
    PlInputMouseMove(button, 200, 10, 0);
    PlInputMouseButton(button, 200, 10, PL_BUTTON_LEFT, FALSE, 0);
    pump();
    EXPECT_TRUE(entriesOf(parent, WM_COMMAND).empty()) << "released outside";

    PlInputMouseClick(button, 10, 10, PL_BUTTON_LEFT, 0);
    pump();
    SendMessageA(button, BM_CLICK, 0, 0);
    auto commands = entriesOf(parent, WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(4000, BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), button);
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlsTest, ControlsDrawWithTheFontTheyWereGiven)
{
    HWND label = CreateWindowExA(0, "Static", "Text", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, parent, nullptr,
                                 nullptr, nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)), font);
    pump();
    int dark = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            if ((clientPixel(label, x, y) & 0xFF) < 0x40)
                ++dark;
    EXPECT_GT(dark, 5) << "the text is drawn";
    DestroyWindow(label);
    DeleteObject(font);
}
