// Dialogs from registered templates: dialog units, the dialog procedure
// contract and the defaults of the dialog class.
#include "UserTestSupport.h"

using namespace usertest;

namespace {

const PlDialogItemTemplate kPageItems[] = {
    {"Button", "Functions and Connections", 4000, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 17, 277, 97, 14},
    {"Static", "label", 4001, WS_CHILD | WS_VISIBLE, 0, 4, 8, 40, 10},
};
const PlDialogTemplate kPage{WS_CHILD | WS_VISIBLE | DS_SETFONT, 0, 0, 0, 276, 324, "", "MS Sans Serif", 8,
                             kPageItems, 2};
const PlDialogTemplate kEmpty{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT, 0, 10, 10, 100, 50,
                              "Dialog", "MS Sans Serif", 8, nullptr, 0};

HINSTANCE module()
{
    return PlModuleFromAddress(reinterpret_cast<const void*>(&module));
}

struct DialogLog {
    std::vector<UINT> messages;
    LPARAM initParam = 0;
    HFONT fontOfButtonAtInit = nullptr;
};

DialogLog g_dialog;

INT_PTR CALLBACK dialogProc(HWND dlg, UINT msg, WPARAM, LPARAM lParam)
{
    g_dialog.messages.push_back(msg);
    if (msg == WM_INITDIALOG) {
        g_dialog.initParam = lParam;
        g_dialog.fontOfButtonAtInit = reinterpret_cast<HFONT>(SendDlgItemMessageA(dlg, 4000, WM_GETFONT, 0, 0));
        return TRUE;
    }
    if (msg == WM_USER) {
        SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 42);
        return TRUE;
    }
    return FALSE;
}

// The base units of a font measured the native way.
SIZE baseUnits(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SIZE letters{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SelectObject(dc, old);
    DeleteDC(dc);
    return {(letters.cx + 26) / 52, tm.tmHeight};
}

}  // namespace

class DialogTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        g_dialog = DialogLog{};
        ASSERT_TRUE(PlRegisterDialogTemplate(module(), 4002, &kPage));
        ASSERT_TRUE(PlRegisterDialogTemplate(module(), 4000, &kEmpty));
        parent = topLevel(100, 50, 800, 600);
    }

    HWND parent = nullptr;
};

TEST_F(DialogTest, ControlsArePlacedInPixelsFromTheTemplateFontsBaseUnits)
{
    HWND page = CreateDialogParamA(module(), MAKEINTRESOURCEA(4002), parent, dialogProc, 77);
    ASSERT_NE(page, nullptr);
    auto font = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    SIZE base = baseUnits(font);
    ASSERT_GT(base.cx, 0);
    EXPECT_EQ(GetDialogBaseUnits() & 0xFFFF, baseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))).cx);

    HWND button = GetDlgItem(page, 4000);
    ASSERT_NE(button, nullptr);
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, MulDiv(17, base.cx, 4));
    EXPECT_EQ(r.top, MulDiv(277, base.cy, 8));
    EXPECT_EQ(r.right - r.left, MulDiv(97, base.cx, 4));
    EXPECT_EQ(r.bottom - r.top, MulDiv(14, base.cy, 8));

    // Position and size convert on their own, as natively (rounding apart).
    RECT position{17, 277, 97, 14};
    ASSERT_TRUE(MapDialogRect(page, &position));
    EXPECT_EQ(position.left, r.left);
    EXPECT_EQ(position.top, r.top);
    EXPECT_EQ(position.right, r.right - r.left);
    EXPECT_EQ(position.bottom, r.bottom - r.top);
    RECT client;
    GetClientRect(page, &client);
    EXPECT_EQ(client.right, MulDiv(276, base.cx, 4)) << "the template size is the client size";
    EXPECT_EQ(client.bottom, MulDiv(324, base.cy, 8));
}

TEST_F(DialogTest, InitDialogComesLastWithTheParameterAndFontsAlreadySet)
{
    HWND page = CreateDialogParamA(module(), MAKEINTRESOURCEA(4002), parent, dialogProc, 77);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(g_dialog.initParam, 77);
    EXPECT_EQ(g_dialog.fontOfButtonAtInit, reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0)));
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 4000)) << "TRUE from WM_INITDIALOG focuses the first tab stop";
    EXPECT_TRUE(IsWindowVisible(page));
    char text[64];
    EXPECT_EQ(GetDlgItemTextA(page, 4000, text, sizeof text), 25u);
    SetDlgItemTextA(page, 4001, "changed");
    GetDlgItemTextA(page, 4001, text, sizeof text);
    EXPECT_STREQ(text, "changed");
    EXPECT_EQ(GetParent(page), parent);
}

TEST_F(DialogTest, TheDialogProcedureAnswersThroughDwlpMsgResult)
{
    HWND page = CreateDialogParamA(module(), MAKEINTRESOURCEA(4002), parent, dialogProc, 0);
    EXPECT_EQ(SendMessageA(page, WM_USER, 0, 0), 42);
    EXPECT_EQ(GetWindowLongPtrA(page, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(&dialogProc));

    SendMessageA(page, WM_CLOSE, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, page, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(msg.wParam), IDCANCEL) << "closing a dialog is its cancel command";
}

TEST_F(DialogTest, TheDialogBackgroundIsTheButtonFace)
{
    HWND dialog = CreateDialogParamA(module(), MAKEINTRESOURCEA(4000), parent, dialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    pump();
    EXPECT_EQ(clientPixel(dialog, 5, 5), pixelOf(GetSysColor(COLOR_BTNFACE)));
    RECT wr, pr;
    GetWindowRect(dialog, &wr);
    GetWindowRect(parent, &pr);
    EXPECT_GT(wr.left, pr.left) << "placed from its owner's client origin";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), parent);
    EXPECT_TRUE(EndDialog(dialog, IDOK));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(DialogTest, UnknownTemplatesAndBadTablesAreRefused)
{
    EXPECT_EQ(CreateDialogParamA(module(), MAKEINTRESOURCEA(4999), parent, dialogProc, 0), nullptr);
    PlDialogTemplate broken = kPage;
    broken.items = nullptr;
    EXPECT_FALSE(PlRegisterDialogTemplate(module(), 4003, &broken));
    const PlDialogItemTemplate unknownClass[] = {{"NoSuchClass", "", 1, WS_CHILD, 0, 0, 0, 10, 10}};
    PlDialogTemplate withUnknown = kPage;
    withUnknown.items = unknownClass;
    withUnknown.itemCount = 1;
    ASSERT_TRUE(PlRegisterDialogTemplate(module(), 4004, &withUnknown));
    EXPECT_EQ(CreateDialogParamA(module(), MAKEINTRESOURCEA(4004), parent, dialogProc, 0), nullptr)
        << "a control that cannot be made fails the dialog";
}
