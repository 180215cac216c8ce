// Where the editor's windows go: the tab control and the page follow the
// dialog's client area, the view fills the page right of the palette, and
// the palette frame, its bar and the outlook bar keep their fixed sizes.
// The dialog cannot be made smaller than 600 by 400.
#include "ModuleTestSupport.h"

namespace entrytest {
namespace {

class EditorLayoutTest : public ModuleTest {
protected:
    void ExpectLaidOutFor(const EditorWindows& w, CSize client)
    {
        EXPECT_EQ(ClientSize(w.dialog), client);
        EXPECT_EQ(RectInParent(w.tab), CRect(5, 5, client.cx - 5, client.cy - 5));
        EXPECT_EQ(::GetParent(w.page), w.tab);
        const CRect page(10, 40, client.cx - 10, client.cy - 10);
        EXPECT_EQ(RectInParent(w.page), page);
        EXPECT_EQ(RectInParent(w.view), CRect(205, 1, page.Width() - 1, page.Height() - 1));
        ExpectFixedPalette(w);
    }
    // The frame lost its border: the bar fills it, and the palette fills
    // the bar inside its 5-pixel ring.
    static void ExpectFixedPalette(const EditorWindows& w)
    {
        EXPECT_EQ(RectInParent(w.frame), CRect(1, 1, 201, 439));
        EXPECT_EQ(ClientSize(w.frame), CSize(200, 438));
        EXPECT_EQ(RectInParent(w.bar), CRect(0, 0, 200, 438));
        EXPECT_EQ(ClientSize(w.bar), CSize(190, 428));
        EXPECT_EQ(ClientSize(w.palette), CSize(190, 428));
    }
    static void Resize(HWND dialog, int cx, int cy)
    {
        ::SetWindowPos(dialog, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
        PlPumpMessages();
    }
};

TEST_F(EditorLayoutTest, WindowsFollowTheDialogAndThePaletteKeepsItsSize)
{
    EditorWindows w = Open("Editor");
    ASSERT_NE(w.palette, nullptr);
    ASSERT_NE(w.view, nullptr);
    EXPECT_NE(w.button, nullptr);
    // The host's window manager frames the dialog, so its window is its
    // client area.
    {
        SCOPED_TRACE("as opened");
        ExpectLaidOutFor(w, CSize(1024, 768));
    }
    {
        SCOPED_TRACE("600 x 400");
        Resize(w.dialog, 600, 400);
        ExpectLaidOutFor(w, CSize(600, 400));
        EXPECT_EQ(ClientSize(w.page), CSize(580, 350));
    }
    {
        SCOPED_TRACE("larger again");
        Resize(w.dialog, 900, 700);
        ExpectLaidOutFor(w, CSize(900, 700));
    }
}

TEST_F(EditorLayoutTest, TheDialogKeepsItsMinimumTrackingSize)
{
    EditorWindows w = Open("Editor");
    Resize(w.dialog, 300, 200);
    EXPECT_EQ(ClientSize(w.dialog), CSize(600, 400));
    Resize(w.dialog, 599, 1000);
    EXPECT_EQ(ClientSize(w.dialog), CSize(600, 1000));

    // Only the minimum is set: the other limits stay as the system gave them.
    MINMAXINFO info = {};
    info.ptMaxSize = {1920, 1080};
    info.ptMaxPosition = {-4, -4};
    info.ptMinTrackSize = {1, 1};
    info.ptMaxTrackSize = {4000, 3000};
    ::SendMessage(w.dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 600);
    EXPECT_EQ(info.ptMinTrackSize.y, 400);
    EXPECT_EQ(info.ptMaxTrackSize.x, 4000);
    EXPECT_EQ(info.ptMaxTrackSize.y, 3000);
    EXPECT_EQ(info.ptMaxSize.x, 1920);
    EXPECT_EQ(info.ptMaxPosition.x, -4);
}

}  // namespace
}  // namespace entrytest
