// Sizing bars docked in a row: edges towards the frame and between the
// bars, the caption gripper and its close button, and dragging an edge.
// The platform builds no dock bars, so a plain window with a dock bar's id
// stands in for one.
#include "bars/BarsTestSupport.h"
#include "palette/CSizingControlBarCF.h"

namespace {

// A point given in a bar's window coordinates, on the screen.
CPoint OnScreen(const CWnd& bar, int x, int y)
{
    CRect rc;
    bar.GetWindowRect(&rc);
    return CPoint(rc.left + x, rc.top + y);
}

LPARAM ScreenParam(CPoint pt) { return MAKELPARAM((WORD)pt.x, (WORD)pt.y); }

LPARAM ClientParam(const CWnd& wnd, CPoint ptScreen)
{
    wnd.ScreenToClient(&ptScreen);
    return MAKELPARAM((WORD)ptScreen.x, (WORD)ptScreen.y);
}

// The colour of a pixel given in a window's own window coordinates.
COLORREF WindowPixel(HWND hHost, const CWnd& wnd, int x, int y)
{
    CPoint pt = OnScreen(wnd, x, y);
    ::ScreenToClient(hHost, &pt);
    return ClientPixel(hHost, pt.x, pt.y);
}

class DockedBarTest : public AfxTest {
protected:
    void SetUp() override
    {
        m_hHost = CreateHost(600, 500);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "F", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 500),
                                     CWnd::FromHandle(m_hHost)));
        m_pFrame->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    void TearDown() override
    {
        for (CSizingControlBarCF* pBar : {&m_one, &m_two})
            if (::IsWindow(pBar->m_hWnd))
                pBar->DestroyWindow();
        AfxTest::TearDown();
    }

    // A dock bar stand-in at the given place of the frame.
    void MakeDockBar(UINT nID, const CRect& rect)
    {
        ASSERT_TRUE(m_dockBar.Create(nullptr, "dock", WS_CHILD | WS_VISIBLE, rect, m_pFrame, nID));
    }
    void MakeBar(CSizingControlBarCF& bar, LPCSTR lpszText, CSize size, UINT nID, DWORD dwAlign)
    {
        bar.m_dwSCBStyle |= SCBS_SHOWEDGES;
        ASSERT_TRUE(bar.Create(lpszText, &m_dockBar, size, TRUE, nID, WS_CHILD | WS_VISIBLE | dwAlign));
    }

    HWND m_hHost = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CWnd m_dockBar;
    CSizingControlBarCF m_one, m_two;
};

class VerticalRowTest : public DockedBarTest {
protected:
    void SetUp() override
    {
        DockedBarTest::SetUp();
        MakeDockBar(AFX_IDW_DOCKBAR_LEFT, CRect(0, 0, 300, 500));
        MakeBar(m_one, "One", CSize(150, 180), 101, CBRS_LEFT);
        MakeBar(m_two, "Two", CSize(150, 180), 102, CBRS_LEFT);
        m_one.CalcFixedLayout(FALSE, FALSE);  // lays out the row
    }
};

TEST_F(VerticalRowTest, RowEdgesFacingEdgeGripperAndCloseButtonShapeTheClientArea)
{
    ASSERT_TRUE(m_one.IsVertDockedBar());
    EXPECT_EQ(ChildRect(m_one.m_hWnd), CRect(0, 0, 150, 180));
    EXPECT_EQ(ChildRect(m_two.m_hWnd), CRect(0, 180, 150, 360));
    // The first bar has a neighbour below it; both face the frame on the right.
    EXPECT_EQ(m_one.m_dwSCBStyle & SCBS_EDGEALL, (DWORD)(SCBS_EDGEBOTTOM | SCBS_EDGERIGHT));
    EXPECT_EQ(m_two.m_dwSCBStyle & SCBS_EDGEALL, (DWORD)(SCBS_EDGETOP | SCBS_EDGERIGHT));
    // Inset 5 (3 + 2 in a dock bar), 5 more per drawn edge, 14 for the gripper.
    EXPECT_EQ(ClientInWindow(m_one.m_hWnd), CRect(5, 19, 140, 170));
    EXPECT_EQ(ClientInWindow(m_two.m_hWnd), CRect(5, 24, 140, 175));
    EXPECT_EQ(m_one.m_biHide.GetRect(), CRect(127, 5, 139, 17));
    EXPECT_EQ(m_two.m_biHide.GetRect(), CRect(127, 10, 139, 22));

    auto hit = [](CWnd& bar, int x, int y) { return bar.SendMessage(WM_NCHITTEST, 0, ScreenParam(OnScreen(bar, x, y))); };
    EXPECT_EQ(hit(m_one, 148, 50), HTRIGHT);
    EXPECT_EQ(hit(m_one, 50, 177), HTBOTTOM);
    EXPECT_EQ(hit(m_one, 50, 2), HTCLIENT);  // no neighbour above
    EXPECT_EQ(hit(m_two, 50, 2), HTTOP);
    EXPECT_EQ(hit(m_one, 130, 8), HTCLOSE);
    EXPECT_EQ(hit(m_one, 50, 50), HTCLIENT);
}

TEST_F(VerticalRowTest, CaptionGripperAndEdgesArePaintedInTheNonClientArea)
{
    ::UpdateWindow(m_hHost);
    ASSERT_TRUE(PlSnapshotWindow(m_hHost, OVINTA_TEST_BINARY_DIR "/bars-docked-vertical.png"));
    const COLORREF clrCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    const COLORREF clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    // The caption strip, away from the text and the close button.
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 100, 5), clrCaption);
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 100, 18), clrCaption);
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 100, 19), clrFace);  // the client starts below
    // The right edge is a raised ridge: highlight, face, shadow.
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 145, 60), clrHilite);
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 147, 60), clrFace);
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 149, 60), clrShadow);
    // The bottom edge towards the second bar, and that bar's top edge.
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 60, 175), clrHilite);
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 60, 179), clrShadow);
    EXPECT_EQ(WindowPixel(m_hHost, m_two, 60, 0), clrHilite);
    // The caption text and the close glyph are drawn.
    int nText = 0, nGlyph = 0;
    for (int x = 5; x < 140; ++x)
        for (int y = 5; y < 19; ++y) {
            COLORREF clr = WindowPixel(m_hHost, m_one, x, y);
            nText += x < 127 && clr == ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
            nGlyph += x >= 127 && clr == ::GetSysColor(COLOR_BTNTEXT);
        }
    EXPECT_GT(nText, 10);
    EXPECT_GT(nGlyph, 4);
}

TEST_F(VerticalRowTest, DraggingTheEdgeBetweenTwoBarsMovesTheBoundaryWithinTheMinima)
{
    m_one.m_bDragShowContent = TRUE;  // live
    CPoint pt = OnScreen(m_one, 60, 177);
    m_one.SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, ScreenParam(pt));
    ASSERT_TRUE(m_one.m_bTracking);
    EXPECT_EQ(CWnd::GetCapture(), &m_one);
    m_one.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientParam(m_one, pt + CPoint(0, 30)));
    EXPECT_EQ(m_one.m_szVert.cy, 210);
    EXPECT_EQ(m_two.m_szVert.cy, 150);
    EXPECT_EQ(ChildRect(m_two.m_hWnd), CRect(0, 210, 150, 360));
    // The second bar keeps its minimum height of 32.
    m_one.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientParam(m_one, pt + CPoint(0, 400)));
    EXPECT_EQ(m_one.m_szVert.cy, 328);
    EXPECT_EQ(m_two.m_szVert.cy, 32);
    m_one.SendMessage(WM_LBUTTONUP, 0, ClientParam(m_one, pt));
    EXPECT_FALSE(m_one.m_bTracking);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(ChildRect(m_one.m_hWnd), CRect(0, 0, 150, 328));
}

TEST_F(VerticalRowTest, WithoutFullWindowDragTheSizeChangesWhenTheDragEnds)
{
    m_one.m_bDragShowContent = FALSE;
    CPoint pt = OnScreen(m_one, 147, 60);
    m_one.SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, ScreenParam(pt));
    m_one.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientParam(m_one, pt + CPoint(40, 0)));
    EXPECT_EQ(ChildRect(m_one.m_hWnd).Width(), 150);  // only the drag line moved
    // Losing the capture ends the drag where the line was.
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, "other", WS_CHILD | WS_VISIBLE, CRect(400, 0, 450, 50), m_pFrame, 7));
    other.SetCapture();
    EXPECT_FALSE(m_one.m_bTracking);
    EXPECT_EQ(m_one.m_szVert.cx, 190);
    EXPECT_EQ(ChildRect(m_one.m_hWnd).Width(), 190);
    EXPECT_EQ(ChildRect(m_two.m_hWnd).Width(), 150);  // the facing edge has no neighbour
    ::ReleaseCapture();
}

TEST_F(VerticalRowTest, TheCloseButtonHidesTheBarThroughItsFrame)
{
    m_two.SendMessage(WM_NCLBUTTONUP, HTCLOSE, ScreenParam(OnScreen(m_two, 130, 14)));
    EXPECT_FALSE(m_two.IsWindowVisible());
    EXPECT_TRUE(m_one.IsWindowVisible());
}

TEST_F(DockedBarTest, ABarDockedAlongTheTopHasItsCaptionTurnedOnTheLeft)
{
    MakeDockBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 600, 120));
    MakeBar(m_one, "Top bar", CSize(220, 100), 101, CBRS_TOP);
    m_one.CalcFixedLayout(FALSE, TRUE);
    ASSERT_TRUE(m_one.IsHorzDockedBar());
    EXPECT_EQ(ChildRect(m_one.m_hWnd), CRect(0, 0, 220, 100));
    EXPECT_EQ(m_one.m_dwSCBStyle & SCBS_EDGEALL, (DWORD)SCBS_EDGEBOTTOM);
    EXPECT_EQ(ClientInWindow(m_one.m_hWnd), CRect(19, 5, 215, 90));
    EXPECT_EQ(m_one.m_biHide.GetRect(), CRect(5, 5, 17, 17));

    ::UpdateWindow(m_hHost);
    ASSERT_TRUE(PlSnapshotWindow(m_hHost, OVINTA_TEST_BINARY_DIR "/bars-docked-top.png"));
    // The text runs upwards: its pixels span more height than width.
    CRect rcText(1000, 1000, -1, -1);
    for (int x = 5; x < 19; ++x)
        for (int y = 19; y < 90; ++y)
            if (WindowPixel(m_hHost, m_one, x, y) == ::GetSysColor(COLOR_INACTIVECAPTIONTEXT)) {
                rcText.left = std::min<LONG>(rcText.left, x);
                rcText.right = std::max<LONG>(rcText.right, x + 1);
                rcText.top = std::min<LONG>(rcText.top, y);
                rcText.bottom = std::max<LONG>(rcText.bottom, y + 1);
            }
    ASSERT_FALSE(rcText.IsRectEmpty());
    EXPECT_GT(rcText.Height(), 2 * rcText.Width());
    EXPECT_EQ(WindowPixel(m_hHost, m_one, 12, 80), ::GetSysColor(COLOR_INACTIVECAPTION));
}

}  // namespace
