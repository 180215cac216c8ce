// The headless demo: a dialog from a registered template with a canvas
// control that paints shapes and text and a push button, pumped until
// painted and written as a PNG snapshot.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "AfxTestSupport.h"

namespace {

const int kDemoTemplate = 500;
const int kCanvasId = 501;
const int kButtonId = IDOK;

const COLORREF kPaper = RGB(250, 250, 240);
const COLORREF kBlock = RGB(156, 154, 156);
const COLORREF kPin = RGB(30, 30, 230);
const COLORREF kLine = RGB(0, 30, 120);
const COLORREF kDisc = RGB(220, 60, 40);

// Paints a little block diagram: two raised blocks with pins, a
// connection between them, a disc and a caption.
class CDemoCanvas : public CWnd {
public:
    int m_nPaints = 0;

    void OnPaint() override
    {
        m_nPaints++;
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kPaper);
        DrawBlock(&dc, CRect(20, 30, 100, 70));
        DrawBlock(&dc, CRect(170, 60, 250, 100));

        CPen pen(PS_SOLID, 1, kLine);
        CPen* pOldPen = dc.SelectObject(&pen);
        dc.MoveTo(103, 50);
        dc.LineTo(135, 50);
        dc.LineTo(135, 80);
        dc.LineTo(167, 80);

        CBrush disc(kDisc);
        CBrush* pOldBrush = dc.SelectObject(&disc);
        dc.Ellipse(200, 10, 240, 50);
        dc.SelectObject(pOldBrush);
        dc.SelectObject(pOldPen);

        CFont font;
        font.CreatePointFont(90, "DejaVu Sans");
        CFont* pOldFont = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.TextOut(20, 110, "Ovinta framework demo");
        dc.SelectObject(pOldFont);
        dc.Draw3dRect(&client, RGB(128, 128, 128), RGB(255, 255, 255));
    }

private:
    static void DrawBlock(CDC* pDC, const CRect& rect)
    {
        pDC->FillSolidRect(&rect, kBlock);
        pDC->Draw3dRect(&rect, RGB(255, 255, 255), RGB(0, 0, 0));
        pDC->FillSolidRect(rect.left - 3, rect.top + 7, 7, 7, kPin);
        pDC->FillSolidRect(rect.right - 4, rect.top + 17, 7, 7, kPin);
    }
};

class CDemoDialog : public CDialog {
public:
    CDemoCanvas m_canvas;
    CButton m_button;

    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, kCanvasId, m_canvas);
        DDX_Control(pDX, kButtonId, m_button);
    }
};

class DemoTest : public AfxTest {};

TEST_F(DemoTest, DialogWithCanvasAndButtonPaintsAndIsWrittenAsPng)
{
    LPCSTR canvasClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
    const PlDialogItemTemplate items[] = {
        {canvasClass, "", kCanvasId, WS_VISIBLE | WS_BORDER, 0, 7, 7, 180, 92},
        {"Button", "OK", kButtonId, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 137, 105, 50, 14},
    };
    const PlDialogTemplate demo = {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT,
                                   0, 0, 0, 194, 126, "Framework demo", "MS Sans Serif", 8, items, 2};
    ASSERT_TRUE(PlRegisterDialogTemplate(TestModule(), kDemoTemplate, &demo));

    CDemoDialog dlg;
    ASSERT_TRUE(dlg.Create(kDemoTemplate, nullptr));
    ASSERT_NE(dlg.m_canvas.m_hWnd, nullptr);
    ASSERT_NE(dlg.m_button.m_hWnd, nullptr);
    PlPumpMessages();
    EXPECT_GE(dlg.m_canvas.m_nPaints, 1);

    const char* binaryDir = std::getenv("OVINTA_BINARY_DIR");
    std::filesystem::path dir = std::filesystem::path(binaryDir != nullptr ? binaryDir : ".") / "demo";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "dialog.png").string();
    std::filesystem::remove(path);
    ASSERT_TRUE(PlSnapshotWindow(dlg.m_hWnd, path.c_str()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);

    HWND hCanvas = dlg.m_canvas.m_hWnd;
    EXPECT_EQ(ClientPixel(hCanvas, 60, 50), kBlock);
    EXPECT_EQ(ClientPixel(hCanvas, 20, 30), RGB(255, 255, 255));  // raised edge
    EXPECT_EQ(ClientPixel(hCanvas, 99, 69), RGB(0, 0, 0));
    EXPECT_EQ(ClientPixel(hCanvas, 18, 39), kPin);
    EXPECT_EQ(ClientPixel(hCanvas, 120, 50), kLine);
    EXPECT_EQ(ClientPixel(hCanvas, 135, 65), kLine);
    EXPECT_EQ(ClientPixel(hCanvas, 220, 30), kDisc);
    EXPECT_EQ(ClientPixel(hCanvas, 150, 20), kPaper);
    // Some caption pixels are dark.
    int dark = 0;
    for (int x = 20; x < 200; x++)
        for (int y = 110; y < 125; y++)
            dark += ClientPixel(hCanvas, x, y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 20);
    dlg.DestroyWindow();
}

}  // namespace
