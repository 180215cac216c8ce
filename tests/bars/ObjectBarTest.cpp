// The object bar as the page builds it: in a frame that is no dock bar, so
// it counts as floating, with the palette filling its client area.
#include "bars/BarsTestSupport.h"
#include "palette/CObjectBar.h"

namespace {

class ObjectBarTest : public AfxTest {
protected:
    // The page's steps: frame, bar, bar style, show, frame border stripped.
    void SetUp() override
    {
        m_hHost = CreateHost(400, 500);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "X", WS_CHILD | WS_VISIBLE, CRect(1, 1, 201, 439),
                                     CWnd::FromHandle(m_hHost)));
        m_pFrame->EnableDocking(0);
        ASSERT_TRUE(m_bar.Create("Cards", m_pFrame, CSize(200, 438), FALSE, 40002, 0x50002800));
        m_bar.SetBarStyle(m_bar.GetBarStyle() | 0x32);
        m_bar.EnableDocking(0);
        m_bar.InvalidateRect(nullptr, TRUE);
        m_pFrame->ShowControlBar(&m_bar, TRUE, FALSE);
        m_pFrame->ModifyStyle(0x00CF0000, 0, 7);
        m_pFrame->ModifyStyleEx(0x00020300, 0, 7);
    }
    void TearDown() override
    {
        if (::IsWindow(m_bar.m_hWnd))
            m_bar.DestroyWindow();
        AfxTest::TearDown();
    }

    HWND m_hHost = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CObjectBar m_bar;
};

TEST_F(ObjectBarTest, CreationSetsAllThreeSizesAndKeepsTheMinimaOfTheBar)
{
    EXPECT_EQ(m_bar.m_szHorz, CSize(200, 438));
    EXPECT_EQ(m_bar.m_szVert, CSize(200, 438));
    EXPECT_EQ(m_bar.m_szFloat, CSize(200, 438));
    EXPECT_EQ(m_bar.m_szMinHorz, CSize(33, 32));
    EXPECT_EQ(m_bar.m_szMinVert, CSize(200, 350));
    EXPECT_EQ(m_bar.m_szMinFloat, CSize(200, 350));
    EXPECT_EQ(m_bar.GetDlgCtrlID(), 40002);
    EXPECT_EQ(m_bar.GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_TOP);
    EXPECT_EQ(m_bar.GetStyle() & 0xFFFF0000, (DWORD)(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS));
    char szText[16];
    m_bar.GetWindowText(szText, sizeof szText);
    EXPECT_STREQ(szText, "Cards");
}

// The frame's id is 0, so the bar floats: no edges, no gripper, an inset of
// 5 on every side, and the palette in what is left.
TEST_F(ObjectBarTest, InThePagesFrameTheBarFloatsWithAFivePixelInsetAndThePaletteFillsIt)
{
    EXPECT_TRUE(m_bar.IsFloatingBar());
    EXPECT_FALSE(m_bar.ShowsGripper());
    EXPECT_EQ(m_bar.m_dwSCBStyle, (DWORD)(SCBS_SHOWEDGES | SCBS_SIZECHILD));
    CRect rcFrameClient;
    m_pFrame->GetClientRect(&rcFrameClient);
    CRect rcBar = ChildRect(m_bar.m_hWnd);
    EXPECT_EQ(rcBar, CRect(0, 0, rcFrameClient.Width(), rcFrameClient.Height()));
    EXPECT_EQ(ClientInWindow(m_bar.m_hWnd), CRect(5, 5, rcBar.Width() - 5, rcBar.Height() - 5));
    EXPECT_EQ(ChildRect(m_bar.m_wndOutlookBar.m_hWnd), CRect(0, 0, rcBar.Width() - 10, rcBar.Height() - 10));
    EXPECT_EQ(m_bar.m_wndOutlookBar.GetDlgCtrlID(), 12333);

    // The page strips the frame's client edge without a frame change, so the
    // frame keeps its old client area until its frame is recomputed; then
    // the bar takes the whole 200 x 438.
    m_pFrame->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(ChildRect(m_bar.m_hWnd), CRect(0, 0, 200, 438));
    EXPECT_EQ(ClientInWindow(m_bar.m_hWnd), CRect(5, 5, 195, 433));
    EXPECT_EQ(ChildRect(m_bar.m_wndOutlookBar.m_hWnd), CRect(0, 0, 190, 428));

    // Nowhere is an edge or a close button to be hit.
    CRect rcScreen;
    m_bar.GetWindowRect(&rcScreen);
    for (CPoint pt : {rcScreen.TopLeft(), CPoint(rcScreen.right - 1, rcScreen.top + 100),
                      CPoint(rcScreen.left + 100, rcScreen.bottom - 2), CPoint(rcScreen.right - 8, rcScreen.top + 7)})
        EXPECT_EQ(m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), HTCLIENT);
}

TEST_F(ObjectBarTest, ResizingTheBarKeepsThePaletteAtTheClientSize)
{
    m_bar.MoveWindow(0, 0, 150, 300);
    EXPECT_EQ(ChildRect(m_bar.m_wndOutlookBar.m_hWnd), CRect(0, 0, 140, 290));
    m_bar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(77, 66));
    EXPECT_EQ(ChildRect(m_bar.m_wndOutlookBar.m_hWnd), CRect(0, 0, 77, 66));
}

// The border ring is the button face, edge to edge: no gripper, caption or
// edge lines. The palette inside paints itself.
TEST_F(ObjectBarTest, TheFloatingBorderIsPlainButtonFace)
{
    ::UpdateWindow(m_hHost);
    ASSERT_TRUE(PlSnapshotWindow(m_hHost, OVINTA_TEST_BINARY_DIR "/bars-objectbar.png"));
    CRect rcBar;
    m_bar.GetWindowRect(&rcBar);
    ::MapWindowPoints(nullptr, m_hHost, reinterpret_cast<LPPOINT>(&rcBar), 2);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    int nOther = 0;
    for (int x = rcBar.left; x < rcBar.right; ++x)
        for (int y = rcBar.top; y < rcBar.bottom; ++y) {
            bool bRing = x < rcBar.left + 5 || x >= rcBar.right - 5 || y < rcBar.top + 5 || y >= rcBar.bottom - 5;
            if (bRing && ClientPixel(m_hHost, x, y) != clrFace)
                ++nOther;
        }
    EXPECT_EQ(nOther, 0);
}

TEST_F(ObjectBarTest, FloatingLayoutsFollowTheFloatingSizeAndItsMinimum)
{
    EXPECT_EQ(m_bar.CalcFixedLayout(TRUE, TRUE), CSize(32767, 438));
    EXPECT_EQ(m_bar.CalcFixedLayout(TRUE, FALSE), CSize(200, 32767));
    EXPECT_EQ(m_bar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH), CSize(200, 438));
    EXPECT_EQ(m_bar.CalcDynamicLayout(120, LM_HORZ), CSize(200, 438));  // raised to the floating minimum
    EXPECT_EQ(m_bar.CalcDynamicLayout(500, LM_LENGTHY), CSize(200, 500));
    EXPECT_EQ(m_bar.CalcDynamicLayout(100, LM_LENGTHY), CSize(200, 350));
    m_bar.m_szHorz = CSize(10, 10);
    EXPECT_EQ(m_bar.CalcFixedLayout(FALSE, TRUE), CSize(33, 32));
}

TEST_F(ObjectBarTest, ProfileSizesBelowTheMinimumComeBackAsTheMinimum)
{
    CWinApp app("bars");
    const char* section = "Palette-SCBar-40002";
    app.WriteProfileInt(section, "sizeVertCX", 120);  // minimum 200
    app.WriteProfileInt(section, "sizeVertCY", 700);
    app.WriteProfileInt(section, "sizeFloatCY", 20);  // minimum 350
    ASSERT_TRUE(m_bar.ReadSizesFromProfile("Palette"));
    EXPECT_EQ(m_bar.m_szVert, CSize(200, 700));
    EXPECT_EQ(m_bar.m_szFloat, CSize(200, 350));
    EXPECT_EQ(m_bar.m_szHorz, CSize(200, 438));  // absent keys keep the current value

    m_bar.m_szHorz = CSize(250, 260);
    ASSERT_TRUE(m_bar.WriteSizesToProfile("Other"));
    EXPECT_EQ(app.GetProfileInt("Other-SCBar-40002", "sizeHorzCX", 0), 250u);
    EXPECT_EQ(app.GetProfileInt("Other-SCBar-40002", "sizeFloatCY", 0), 350u);
}

// Refuses the creation of any window with the palette's control id and
// passes every other creation on, so the framework still attaches its objects.
HHOOK g_hRefuseHook = nullptr;
LRESULT CALLBACK RefusePaletteWindow(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND) {
        auto* pCreate = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (reinterpret_cast<UINT_PTR>(pCreate->hMenu) == OUTLOOKBAR_ID)
            return 1;
    }
    return ::CallNextHookEx(g_hRefuseHook, nCode, wParam, lParam);
}

TEST_F(ObjectBarTest, ABarWhosePaletteCannotBeCreatedFailsItsCreation)
{
    g_hRefuseHook = ::SetWindowsHookEx(WH_CBT, RefusePaletteWindow, nullptr, 0);
    CObjectBar second;
    BOOL bCreated = second.Create("Cards", m_pFrame, CSize(200, 438), FALSE, 40003, 0x50002800);
    ::UnhookWindowsHookEx(g_hRefuseHook);
    EXPECT_FALSE(bCreated);
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_EQ(m_pFrame->GetDlgItem(40003), nullptr);
}

}  // namespace
