// Command texts reaching the page through the view, as palette drops and
// host messages arrive, and the tick while another tab is selected.
#include "ModuleTestSupport.h"

namespace entrytest {
namespace {

class PageCommandTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        m_W = Open("Editor");
        ASSERT_NE(m_W.view, nullptr);
    }

    // A command text sent to the view with the cursor over `pt` of `wnd`.
    LRESULT SendAt(HWND wnd, CPoint pt, const char* text)
    {
        PointAt(wnd, pt);
        return SendText(m_W.view, text);
    }
    static std::vector<std::string> Procs() { return Device().ProcRecords(); }
    static std::vector<std::string> Links()
    {
        std::vector<std::string> links;
        for (const tedevice::TEBlock& block : Device().Blocks())
            links.push_back(block.function + "|" + block.connection);
        return links;
    }

    EditorWindows m_W;
};

// The drop point is snapped to the grid of 5, halves away from zero; a point
// left of or above the canvas lands on its edge.
TEST_F(PageCommandTest, DropsLandOnTheGrid)
{
    DropFromPalette(m_W, CPoint(60, 62), CPoint(12, 13));
    DropFromPalette(m_W, CPoint(60, 62), CPoint(7, 8));
    DropFromPalette(m_W, CPoint(60, 62), CPoint(302, 297));
    EXPECT_EQ(Procs(), (std::vector<std::string>{"CTEProcIN_0 II_1 10,15", "CTEProcIN_0 II_2 5,10",
                                                 "CTEProcIN_0 II_3 300,295"}));

    // Over the palette, left of the canvas; over the tab strip, above it.
    EXPECT_EQ(SendAt(m_W.page, CPoint(100, 30), "TEProc=CTEProcOUT_0"), 3);
    EXPECT_EQ(SendAt(m_W.tab, CPoint(300, 10), "TEProc=CTEProcOUT_0"), 4);
    EXPECT_EQ(SendAt(m_W.tab, CPoint(100, 10), "TEProc=CTEProcOUT_0"), 5);
    // On a scrolled canvas the drop point is a canvas point.
    ::SendMessage(m_W.view, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
    ::SendMessage(m_W.view, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
    PlPumpMessages();
    DropFromPalette(m_W, CPoint(60, 62), CPoint(12, 13));
    std::vector<std::string> procs = Procs();
    ASSERT_EQ(procs.size(), 7u);
    EXPECT_EQ(procs[3], "CTEProcOUT_0 IO_1 0,30");
    EXPECT_EQ(procs[4], "CTEProcOUT_0 IO_2 85,0");
    EXPECT_EQ(procs[5], "CTEProcOUT_0 IO_3 0,0");
    EXPECT_EQ(procs[6], "CTEProcIN_0 II_4 60,115");
}

TEST_F(PageCommandTest, OnlyTheThreeKeywordsActAndBindingsNeedABlock)
{
    DropFromPalette(m_W, CPoint(60, 62), CPoint(40, 40));
    ASSERT_EQ(Procs().size(), 1u);
    const std::vector<std::string> program = Procs();

    // On empty canvas a function or connection is taken and goes nowhere.
    EXPECT_EQ(SendAt(m_W.view, CPoint(400, 300), "function=Gain"), 1);
    EXPECT_EQ(SendAt(m_W.view, CPoint(400, 300), "connection=Amp_1"), 1);
    EXPECT_EQ(Links(), std::vector<std::string>{"|"});
    // Keywords are compared exactly; anything else is refused.
    for (const char* text : {"Function=Gain", "CONNECTION=Amp_1", "teproc=CTEProcIN_0", "", "=x"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(SendAt(m_W.view, CPoint(70, 52), text), 0);
    }
    EXPECT_EQ(Links(), std::vector<std::string>{"|"});
    // A type key the document does not know creates nothing.
    EXPECT_LT(SendAt(m_W.view, CPoint(200, 200), "TEProc=CTEProcXY_1"), 0);
    EXPECT_LT(SendAt(m_W.view, CPoint(200, 200), "TEProc"), 0);
    EXPECT_EQ(Procs(), program);

    // Over the block both bind, and the page's window takes them as the view does.
    EXPECT_EQ(SendAt(m_W.view, CPoint(70, 52), "function=Gain"), 1);
    PointAt(m_W.view, CPoint(45, 45));
    EXPECT_EQ(SendText(m_W.page, "connection=Amp_2"), 1);
    EXPECT_EQ(Links(), std::vector<std::string>{"Gain|Amp_2"});
    EXPECT_EQ(Procs(), program);
}

// The page claims the keyword "function" in any case, and nothing else.
TEST_F(PageCommandTest, ThePageClaimsOnlyTheKeywordFunction)
{
    auto claims = [this](const char* keyword, int mode) {
        char data[REQUEST_TEXT_SIZE] = {};
        std::snprintf(data, sizeof data, "%s", keyword);
        KeywordMessage message = {mode, 0, DATATYPE_TEXT, 0, data, 0, 0};
        return ::SendMessage(m_W.view, WM_APP, 0, reinterpret_cast<LPARAM>(&message));
    };
    EXPECT_EQ(claims("function", KEYWORD_QUERY), 1);
    EXPECT_EQ(claims("FuNcTiOn", KEYWORD_GET), 1);
    EXPECT_EQ(claims("function ", KEYWORD_QUERY), 0);
    EXPECT_EQ(claims("functions", KEYWORD_QUERY), 0);
    EXPECT_EQ(claims("connection", KEYWORD_QUERY), 0);
    EXPECT_EQ(::SendMessage(m_W.view, WM_APP, 0, 0), 0);
}

// With a tab other than the page's selected, the tick still reads the
// device but the view is not told to repaint changed blocks; with the page's
// tab selected again the next tick repaints them.
TEST_F(PageCommandTest, TheTickRepaintsOnlyWhileThePageTabIsSelected)
{
    // An input shows its value once it has a function and a connection.
    DropFromPalette(m_W, CPoint(60, 62), CPoint(40, 40));
    SendAt(m_W.view, CPoint(70, 52), "function=Gain");
    SendAt(m_W.view, CPoint(70, 52), "connection=Amp_1");
    Tick(m_W.dialog);
    const gfxtest::Pixels before = gfxtest::ClientPixels(m_W.view);

    // A second tab of the host's own, without a page: clicking it leaves
    // the page on screen.
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("Other");
    ASSERT_EQ(::SendMessage(m_W.tab, TCM_INSERTITEM, 1, reinterpret_cast<LPARAM>(&item)), 1);
    CRect tab;
    ::SendMessage(m_W.tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    Click(m_W.tab, tab.CenterPoint());
    ASSERT_EQ(::SendMessage(m_W.tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(::IsWindowVisible(m_W.page));

    Device().SetBlockValue("II_1", 42.0);
    Device().SetRequestLogging(true);
    Tick(m_W.dialog);
    EXPECT_FALSE(Device().RequestLog().empty());
    EXPECT_EQ(gfxtest::ClientPixels(m_W.view).values, before.values);

    // Selecting the tab repaints the tab control and the page in it.
    ::SendMessage(m_W.tab, TCM_SETCURSEL, 0, 0);
    PlPumpMessages();
    const gfxtest::Pixels shown = gfxtest::ClientPixels(m_W.view);
    EXPECT_NE(shown.values, before.values);
    Device().SetBlockValue("II_1", 7.0);
    Tick(m_W.dialog);
    EXPECT_NE(gfxtest::ClientPixels(m_W.view).values, shown.values);
}

// Keys reach the canvas once the user works on it, wherever the focus was:
// here on the parameter button.
TEST_F(PageCommandTest, APressOnTheCanvasTakesTheKeys)
{
    DropFromPalette(m_W, CPoint(60, 62), CPoint(40, 40));
    CSize button = ClientSize(m_W.button);
    Click(m_W.button, CPoint(button.cx / 2, button.cy / 2));
    ::SetFocus(m_W.button);
    Click(m_W.view, CPoint(70, 52));
    EXPECT_EQ(::GetFocus(), m_W.view);
    Key(VK_DELETE);
    EXPECT_TRUE(Procs().empty());
}

// A page whose window the host destroyed leaves a dialog that still ticks,
// reloads what another editor changed, and closes; nothing reaches the
// freed view.
TEST_F(PageCommandTest, ADialogOutlivesItsDestroyedPage)
{
    DropFromPalette(m_W, CPoint(60, 62), CPoint(40, 40));
    SendAt(m_W.view, CPoint(70, 52), "function=Gain");
    SendAt(m_W.view, CPoint(70, 52), "connection=Amp_1");
    Click(m_W.view, CPoint(70, 52));
    ::DestroyWindow(m_W.page);
    PlPumpMessages();
    EXPECT_FALSE(::IsWindow(m_W.view));

    Device().SetBlockValue("II_1", 3.0);
    Tick(m_W.dialog);
    EditorWindows other = Open("Other");
    DropFromPalette(other, CPoint(60, 150), CPoint(200, 200));
    ::DestroyWindow(other.dialog);
    Tick(m_W.dialog);
    EXPECT_EQ(Device().ProcRecords().size(), 2u);
    ::SendMessage(m_W.dialog, WM_CLOSE, 0, 0);
    PlPumpMessages();
    EXPECT_FALSE(::IsWindow(m_W.dialog));
    EXPECT_TRUE(m_Root.m_Children.empty());
}

}  // namespace
}  // namespace entrytest
