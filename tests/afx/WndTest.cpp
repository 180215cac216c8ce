// CWnd: creation through the hook, dispatch to the virtual handlers,
// command and notification routing, Default, subclassing and destruction.
#include <string>
#include <vector>

#include "AfxTestSupport.h"

namespace {

// Records the handlers that ran, in order.
class CProbeWnd : public CWnd {
public:
    std::vector<std::string> m_calls;
    std::vector<UINT> m_messages;
    int m_nCreateResult = 0;
    BOOL m_bHandleCommand = FALSE;
    BOOL m_bCallDefaultOnSetText = TRUE;
    bool* m_pPostNcDestroyRan = nullptr;
    CPoint m_lastPoint;
    UINT m_lastFlags = 0;
    CWnd* m_pLastWnd = nullptr;
    CScrollBar* m_pLastScrollBar = reinterpret_cast<CScrollBar*>(1);
    UINT m_lastPos = 0;
    WPARAM m_lastCommand = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int OnCreate(LPCREATESTRUCT cs) override
    {
        m_calls.push_back(std::string("OnCreate ") + (cs->lpszName ? cs->lpszName : ""));
        if (CWnd::OnCreate(cs) == -1)
            return -1;
        return m_nCreateResult;
    }
    void OnSize(UINT, int cx, int cy) override { m_calls.push_back("OnSize " + std::to_string(cx) + "x" + std::to_string(cy)); }
    void OnLButtonDown(UINT nFlags, CPoint point) override
    {
        m_calls.push_back("OnLButtonDown");
        m_lastFlags = nFlags;
        m_lastPoint = point;
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override
    {
        m_calls.push_back("OnKeyDown " + std::to_string(nChar) + " " + std::to_string(nRepCnt) + " " +
                          std::to_string(nFlags));
    }
    void OnContextMenu(CWnd* pWnd, CPoint pos) override
    {
        m_pLastWnd = pWnd;
        m_lastPoint = pos;
    }
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override
    {
        m_calls.push_back("OnVScroll " + std::to_string(nSBCode));
        m_lastPos = nPos;
        m_pLastScrollBar = pScrollBar;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_lastCommand = wParam;
        return m_bHandleCommand ? TRUE : CWnd::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        *pResult = (LRESULT)reinterpret_cast<NMHDR*>(lParam)->code + 1000;
        return TRUE;
    }
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam) override
    {
        m_calls.push_back("OnSetText");
        return m_bCallDefaultOnSetText ? CWnd::OnSetText(wParam, lParam) : TRUE;
    }
    void OnDestroy() override
    {
        m_calls.push_back("OnDestroy");
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override
    {
        if (m_pPostNcDestroyRan != nullptr)
            *m_pPostNcDestroyRan = true;
    }
};

class WndTest : public AfxTest {};

TEST_F(WndTest, CreateAttachesBeforeTheFirstMessageAndDispatchesCreation)
{
    HWND hHost = CreateHost(200, 100);
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "probe", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), CWnd::FromHandle(hHost), 7));
    ASSERT_NE(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(wnd.GetDlgCtrlID(), 7);
    ASSERT_FALSE(wnd.m_messages.empty());
    EXPECT_EQ(wnd.m_messages.front(), (UINT)WM_NCCREATE);
    ASSERT_GE(wnd.m_calls.size(), 2u);
    EXPECT_EQ(wnd.m_calls[0], "OnCreate probe");
    EXPECT_EQ(wnd.m_calls[1], "OnSize 50x30");
    // The default class asks for double clicks.
    char className[64];
    ::GetClassName(wnd.m_hWnd, className, sizeof(className));
    WNDCLASS wc;
    ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), className, &wc));
    EXPECT_TRUE(wc.style & CS_DBLCLKS);
}

TEST_F(WndTest, OnCreateReturningMinusOneFailsCreateAndCleansUp)
{
    HWND hHost = CreateHost(200, 100);
    CProbeWnd wnd;
    bool postNcDestroyRan = false;
    wnd.m_pPostNcDestroyRan = &postNcDestroyRan;
    wnd.m_nCreateResult = -1;
    EXPECT_FALSE(wnd.Create(nullptr, "fails", WS_CHILD, CRect(0, 0, 10, 10), CWnd::FromHandle(hHost), 1));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(postNcDestroyRan);
    EXPECT_EQ(::GetWindow(hHost, GW_CHILD), nullptr);
}

TEST_F(WndTest, MessagesReachTheirHandlersWithNativeArguments)
{
    HWND hHost = CreateHost(200, 100);
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "", WS_CHILD, CRect(0, 0, 50, 50), CWnd::FromHandle(hHost), 1));
    wnd.m_calls.clear();

    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, -3));
    EXPECT_EQ(wnd.m_lastPoint, CPoint(5, -3));
    EXPECT_EQ(wnd.m_lastFlags, (UINT)(MK_LBUTTON | MK_SHIFT));

    wnd.SendMessage(WM_KEYDOWN, VK_LEFT, MAKELPARAM(3, 0x14B));
    wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 70), 0);
    EXPECT_EQ(wnd.m_lastPos, 70u);
    EXPECT_EQ(wnd.m_pLastScrollBar, nullptr);
    EXPECT_EQ(wnd.m_calls, (std::vector<std::string>{"OnLButtonDown", "OnKeyDown 37 3 331", "OnVScroll 5"}));

    wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(100, 200));
    EXPECT_EQ(wnd.m_pLastWnd, &wnd);
    EXPECT_EQ(wnd.m_lastPoint, CPoint(100, 200));
}

TEST_F(WndTest, ScrollMessagesFromAControlNameItAsScrollBar)
{
    HWND hHost = CreateHost(200, 100);
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "", WS_CHILD, CRect(0, 0, 50, 50), CWnd::FromHandle(hHost), 1));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, 16, 50), &wnd, 5));
    wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar.m_hWnd));
    EXPECT_EQ(wnd.m_pLastScrollBar, &bar);

    // A control nobody wrapped comes as a temporary CScrollBar.
    HWND hRaw = ::CreateWindowEx(0, WC_SCROLLBARA, "", WS_CHILD | SBS_VERT, 20, 0, 16, 50, wnd.m_hWnd, nullptr,
                                 AfxGetInstanceHandle(), nullptr);
    wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(hRaw));
    ASSERT_NE(wnd.m_pLastScrollBar, nullptr);
    EXPECT_TRUE(wnd.m_pLastScrollBar->IsKindOf(RUNTIME_CLASS(CScrollBar)));
    EXPECT_EQ(wnd.m_pLastScrollBar->m_hWnd, hRaw);
}

TEST_F(WndTest, CommandsAndNotificationsAreRoutedToTheirHandlers)
{
    HWND hHost = CreateHost(200, 100);
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "", WS_CHILD, CRect(0, 0, 50, 50), CWnd::FromHandle(hHost), 1));

    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, MAKEWPARAM(4000, BN_CLICKED), 0), 0);  // not handled: default
    EXPECT_EQ(wnd.m_lastCommand, MAKEWPARAM(4000, BN_CLICKED));
    wnd.m_bHandleCommand = TRUE;
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, MAKEWPARAM(4001, BN_CLICKED), 0), 1);

    NMHDR hdr = {wnd.m_hWnd, 3000, 5};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 3000, reinterpret_cast<LPARAM>(&hdr)), 1005);
    // A notification without a sender is not one.
    NMHDR anonymous = {nullptr, 3000, 5};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 3000, reinterpret_cast<LPARAM>(&anonymous)), 0);
}

TEST_F(WndTest, DefaultPassesTheCurrentMessageToTheWindowProcedure)
{
    HWND hHost = CreateHost(200, 100);
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "before", WS_CHILD, CRect(0, 0, 50, 50), CWnd::FromHandle(hHost), 1));
    char text[32];
    wnd.SetWindowText("after");
    wnd.GetWindowText(text, sizeof(text));
    EXPECT_STREQ(text, "after");

    wnd.m_bCallDefaultOnSetText = FALSE;  // handled without Default: the text stays
    wnd.SetWindowText("ignored");
    wnd.GetWindowText(text, sizeof(text));
    EXPECT_STREQ(text, "after");
}

int g_nRawProcCalls = 0;
LRESULT CALLBACK CountingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 1)
        g_nRawProcCalls++;
    return ::DefWindowProc(hWnd, msg, wParam, lParam);
}

TEST_F(WndTest, SubclassingMakesTheOldProcedureTheSuperProcedure)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = "AfxTestCounting";
    ::RegisterClass(&wc);
    HWND hHost = CreateHost(200, 100);
    HWND hRaw = ::CreateWindowEx(0, "AfxTestCounting", "", WS_CHILD, 0, 0, 20, 20, hHost, nullptr,
                                 AfxGetInstanceHandle(), nullptr);
    g_nRawProcCalls = 0;

    {
        CProbeWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hRaw));
        CProbeWnd other;
        EXPECT_FALSE(other.SubclassWindow(hRaw));  // one object per window
        ::SendMessage(hRaw, WM_USER + 1, 0, 0);
        EXPECT_EQ(wnd.m_messages.back(), (UINT)(WM_USER + 1));
        EXPECT_EQ(g_nRawProcCalls, 1);  // reached through DefWindowProc
        EXPECT_EQ(wnd.UnsubclassWindow(), hRaw);
        EXPECT_EQ(wnd.m_hWnd, nullptr);
    }
    EXPECT_TRUE(::IsWindow(hRaw));  // the object let the window go
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hRaw, GWLP_WNDPROC)), CountingProc);
    ::SendMessage(hRaw, WM_USER + 1, 0, 0);
    EXPECT_EQ(g_nRawProcCalls, 2);
}

TEST_F(WndTest, TheDestructorDestroysTheWindowWithoutReachingTheDerivedClass)
{
    HWND hHost = CreateHost(200, 100);
    bool postNcDestroyRan = false;
    HWND hWnd;
    {
        CProbeWnd wnd;
        wnd.m_pPostNcDestroyRan = &postNcDestroyRan;
        ASSERT_TRUE(wnd.Create(nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), CWnd::FromHandle(hHost), 1));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(postNcDestroyRan);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

// Deletes itself after its window, as views and frames do.
class CSelfDeleting : public CProbeWnd {
public:
    explicit CSelfDeleting(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    ~CSelfDeleting() override { ++*m_pnDeleted; }
    void PostNcDestroy() override { delete this; }
    int* m_pnDeleted;
};

TEST_F(WndTest, OnNcDestroyDetachesThenCallsPostNcDestroy)
{
    HWND hHost = CreateHost(200, 100);
    int nDeleted = 0;
    auto* pWnd = new CSelfDeleting(&nDeleted);
    ASSERT_TRUE(pWnd->Create(nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), CWnd::FromHandle(hHost), 1));
    HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hHost);  // the child goes with its parent
    EXPECT_EQ(nDeleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(WndTest, ModifyStyleChangesBitsAndReportsWhetherAnythingChanged)
{
    HWND hHost = CreateHost(200, 100);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER,
                             CRect(0, 0, 40, 40), CWnd::FromHandle(hHost), 1));
    EXPECT_TRUE(wnd.ModifyStyle(WS_BORDER, WS_CLIPCHILDREN, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER));
    EXPECT_EQ(wnd.GetStyle() & (WS_BORDER | WS_CLIPCHILDREN), (DWORD)WS_CLIPCHILDREN);
    EXPECT_FALSE(wnd.ModifyStyle(WS_BORDER, 0));
    EXPECT_TRUE(wnd.ModifyStyleEx(0x00020300, 0, SWP_FRAMECHANGED));
    EXPECT_EQ(wnd.GetExStyle() & 0x00020300, 0u);
    // Without the edges the client area is the whole window.
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 40, 40));
}

TEST_F(WndTest, UpdateRegionMembersWorkThroughRegionObjects)
{
    HWND hHost = CreateHost(200, 100);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 50), CWnd::FromHandle(hHost), 1));
    wnd.ValidateRect(nullptr);
    CRgn band, middle, update;
    ASSERT_TRUE(band.CreateRectRgn(0, 10, 100, 20));
    ASSERT_TRUE(middle.CreateRectRgnIndirect(CRect(40, 0, 60, 50)));
    ASSERT_TRUE(update.CreateRectRgn(0, 0, 0, 0));
    wnd.InvalidateRgn(&band, FALSE);
    wnd.ValidateRgn(&middle);
    EXPECT_EQ(wnd.GetUpdateRgn(&update), COMPLEXREGION);
    EXPECT_TRUE(update.PtInRegion(CPoint(10, 15)));
    EXPECT_FALSE(update.PtInRegion(50, 15));
    CRect box, updateRect;
    update.GetRgnBox(&box);
    EXPECT_TRUE(wnd.GetUpdateRect(&updateRect));
    EXPECT_EQ(box, updateRect);
    EXPECT_EQ(wnd.GetUpdateRgn(nullptr), ERROR);
    wnd.ValidateRgn(nullptr);
    EXPECT_EQ(wnd.GetUpdateRgn(&update), NULLREGION);
}

TEST_F(WndTest, TemporaryWindowWrappersAreReleasedAtIdle)
{
    HWND hHost = CreateHost(200, 100);
    PlAfxIdle(1);
    CWnd* pTemp = CWnd::FromHandle(hHost);
    EXPECT_EQ(CWnd::FromHandlePermanent(hHost), nullptr);
    EXPECT_EQ(CWnd::FromHandle(hHost), pTemp);
    EXPECT_EQ(PlAfxTemporaryCount(), 1);
    PlAfxIdle(1);
    EXPECT_EQ(PlAfxTemporaryCount(), 0);
    EXPECT_TRUE(::IsWindow(hHost));  // the wrapper went, the window stays
}

}  // namespace
