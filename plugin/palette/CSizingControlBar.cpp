// CSizingControlBar: creation, sizes per docking state, profile, and the
// non-client area the bar computes, paints and hit-tests itself.
#include "palette/CSizingControlBar.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

namespace {

const CSize kDefaultSize(200, 200);
const CSize kDefaultMinSize(33, 32);
const int kStretched = 32767;

CSize AtLeast(CSize size, CSize minimum)
{
    return CSize(std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy));
}

// The profile keys of the six current-size values, in the order of the sizes.
const char* const kProfileKeys[3][2] = {
    {"sizeHorzCX", "sizeHorzCY"}, {"sizeVertCX", "sizeVertCY"}, {"sizeFloatCX", "sizeFloatCY"}};

}  // namespace

CSizingControlBar::CSizingControlBar()
    : m_szHorz(kDefaultSize),
      m_szVert(kDefaultSize),
      m_szFloat(kDefaultSize),
      m_szMinHorz(kDefaultMinSize),
      m_szMinVert(kDefaultMinSize),
      m_szMinFloat(kDefaultMinSize)
{
}

CSizingControlBar::~CSizingControlBar() = default;

// ---- Creation ------------------------------------------------------------------------------
BOOL CSizingControlBar::CreateBar(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           ::GetSysColorBrush(COLOR_BTNFACE), nullptr);
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN;
    return CWnd::Create(lpszClass, lpszWindowName, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSizingControlBar::CreateBarSized(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL,
                                       UINT nID, DWORD dwStyle)
{
    m_szHorz = m_szVert = m_szFloat = sizeDefault;
    return CreateBar(lpszWindowName, pParentWnd, nID, dwStyle);
}

int CSizingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    ReadDragFullWindows();
    return 0;
}

void CSizingControlBar::ReadDragFullWindows()
{
    BOOL bFull = FALSE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &bFull, 0);
    m_bDragShowContent = bFull;
}

void CSizingControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    ReadDragFullWindows();
}

// ---- Profile -------------------------------------------------------------------------------
BOOL CSizingControlBar::ReadSizesFromProfile(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return FALSE;
    char szSection[256];
    std::snprintf(szSection, sizeof szSection, "%s-SCBar-%d", lpszProfileName, GetDlgCtrlID());
    CSize* sizes[3] = {&m_szHorz, &m_szVert, &m_szFloat};
    const CSize* minima[3] = {&m_szMinHorz, &m_szMinVert, &m_szMinFloat};
    for (int i = 0; i < 3; ++i) {
        sizes[i]->cx = (int)pApp->GetProfileInt(szSection, kProfileKeys[i][0], sizes[i]->cx);
        sizes[i]->cy = (int)pApp->GetProfileInt(szSection, kProfileKeys[i][1], sizes[i]->cy);
        *sizes[i] = AtLeast(*sizes[i], *minima[i]);
    }
    return TRUE;
}

BOOL CSizingControlBar::WriteSizesToProfile(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return FALSE;
    char szSection[256];
    std::snprintf(szSection, sizeof szSection, "%s-SCBar-%d", lpszProfileName, GetDlgCtrlID());
    const CSize* sizes[3] = {&m_szHorz, &m_szVert, &m_szFloat};
    BOOL bOk = TRUE;
    for (int i = 0; i < 3; ++i) {
        bOk &= pApp->WriteProfileInt(szSection, kProfileKeys[i][0], sizes[i]->cx);
        bOk &= pApp->WriteProfileInt(szSection, kProfileKeys[i][1], sizes[i]->cy);
    }
    return bOk;
}

// ---- Docking state -----------------------------------------------------------------------
BOOL CSizingControlBar::IsHorzDockBarID(UINT nDockBarID)
{
    return nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CSizingControlBar::IsFloatingDockBarID(UINT nDockBarID)
{
    return !IsHorzDockBarID(nDockBarID) && nDockBarID != AFX_IDW_DOCKBAR_LEFT &&
           nDockBarID != AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CSizingControlBar::IsHorzDockedBar() const { return IsHorzDockBarID(m_nDockBarID); }
BOOL CSizingControlBar::IsVertDockedBar() const { return !IsHorzDockedBar() && !IsFloatingBar(); }
BOOL CSizingControlBar::IsFloatingBar() const { return IsFloatingDockBarID(m_nDockBarID); }

// ---- Layout --------------------------------------------------------------------------------
CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(kStretched, m_szHorz.cy) : CSize(m_szVert.cx, kStretched);
    if (!IsFloatingBar())
        RealignRowBars();
    return CalcFixedSize(bHorz);
}

CSize CSizingControlBar::CalcFixedSize(BOOL bHorz) const
{
    return bHorz ? AtLeast(m_szHorz, m_szMinHorz) : AtLeast(m_szVert, m_szMinVert);
}

CSize CSizingControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        m_bParentSizing = (nMode & LM_STRETCH) != 0;
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    }
    if (nMode & LM_MRUWIDTH)
        return m_szFloat;
    // The floating frame's own resizing passes the new length; there is no
    // floating mini frame here to follow the cursor for.
    if (nLength != -1) {
        if (nMode & LM_LENGTHY)
            m_szFloat.cy = nLength;
        else
            m_szFloat.cx = nLength;
    }
    m_szFloat = AtLeast(m_szFloat, m_szMinFloat);
    return m_szFloat;
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The non-client area depends on the docking state and the row, so it
    // is recomputed at every position change.
    lpwndpos->flags |= SWP_FRAMECHANGED;
    CControlBar::OnWindowPosChanging(lpwndpos);
    m_nDockBarID = (UINT)::GetDlgCtrlID(::GetParent(m_hWnd));
    if (!IsFloatingBar() && (lpwndpos->flags & SWP_SHOWWINDOW))
        m_bKeepSize = TRUE;
}

void CSizingControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if ((m_dwSCBStyle & SCBS_SIZECHILD) == 0)
        return;
    HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hChild != nullptr)
        ::MoveWindow(hChild, 0, 0, cx, cy, TRUE);
}

LRESULT CSizingControlBar::OnSetText(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CControlBar::OnSetText(wParam, lParam);
    // A floating bar's caption is its mini frame's.
    if (m_nDockBarID == AFX_IDW_DOCKBAR_FLOAT) {
        HWND hFrame = ::GetParent(::GetParent(m_hWnd));
        if (hFrame != nullptr)
            ::SetWindowText(hFrame, reinterpret_cast<LPCSTR>(lParam));
    }
    return lResult;
}

void CSizingControlBar::OnClose() {}

void CSizingControlBar::OnPaint()
{
    CPaintDC dc(this);  // the child covers the client area
}

// ---- Non-client area -------------------------------------------------------------------
void CSizingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // With or without valid rectangles, the first rectangle is the window's.
    CRect rc(lpncsp->rgrc[0]);
    m_dwSCBStyle &= ~SCBS_EDGEALL;
    if (!IsFloatingBar()) {
        std::vector<CSizingControlBar*> row = GetRowBars();
        auto it = std::find(row.begin(), row.end(), this);
        bool bFirst = it == row.begin();
        bool bLast = it == row.end() || it + 1 == row.end();
        if (IsHorzDockedBar()) {
            m_dwSCBStyle |= (bFirst ? 0 : SCBS_EDGELEFT) | (bLast ? 0 : SCBS_EDGERIGHT);
        } else {
            m_dwSCBStyle |= (bFirst ? 0 : SCBS_EDGETOP) | (bLast ? 0 : SCBS_EDGEBOTTOM);
        }
    }
    ComputeClientArea(rc, m_nDockBarID);
    lpncsp->rgrc[0] = rc;
}

void CSizingControlBar::ComputeClientArea(CRect& rc, UINT nDockBarID)
{
    rc.DeflateRect(3, 5, 3, 3);
    if (nDockBarID != AFX_IDW_DOCKBAR_FLOAT)
        rc.DeflateRect(2, 0, 2, 2);
    // The edge towards the frame's client area can always be dragged.
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: m_dwSCBStyle |= SCBS_EDGEBOTTOM; break;
    case AFX_IDW_DOCKBAR_BOTTOM: m_dwSCBStyle |= SCBS_EDGETOP; break;
    case AFX_IDW_DOCKBAR_LEFT: m_dwSCBStyle |= SCBS_EDGERIGHT; break;
    case AFX_IDW_DOCKBAR_RIGHT: m_dwSCBStyle |= SCBS_EDGELEFT; break;
    default: break;
    }
    if (m_dwSCBStyle & SCBS_SHOWEDGES) {
        rc.left += (m_dwSCBStyle & SCBS_EDGELEFT) ? m_cxEdge : 0;
        rc.top += (m_dwSCBStyle & SCBS_EDGETOP) ? m_cxEdge : 0;
        rc.right -= (m_dwSCBStyle & SCBS_EDGERIGHT) ? m_cxEdge : 0;
        rc.bottom -= (m_dwSCBStyle & SCBS_EDGEBOTTOM) ? m_cxEdge : 0;
    }
}

BOOL CSizingControlBar::GetEdgeRect(const CRect& rcWnd, UINT nHitTest, CRect& rcEdge) const
{
    rcEdge = rcWnd;
    switch (nHitTest) {
    case HTLEFT:
        rcEdge.right = rcEdge.left + m_cxEdge;
        return (m_dwSCBStyle & SCBS_EDGELEFT) != 0;
    case HTTOP:
        rcEdge.bottom = rcEdge.top + m_cxEdge;
        return (m_dwSCBStyle & SCBS_EDGETOP) != 0;
    case HTRIGHT:
        rcEdge.left = rcEdge.right - m_cxEdge;
        return (m_dwSCBStyle & SCBS_EDGERIGHT) != 0;
    case HTBOTTOM:
        rcEdge.top = rcEdge.bottom - m_cxEdge;
        return (m_dwSCBStyle & SCBS_EDGEBOTTOM) != 0;
    default:
        return FALSE;
    }
}

void CSizingControlBar::GetNcRects(CRect& rcClient, CRect& rcWindow) const
{
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
}

void CSizingControlBar::OnNcPaint()
{
    CRect rcClient, rcBar;
    GetNcRects(rcClient, rcBar);
    CWindowDC dc(this);

    // Painted off-screen first, so that the edges and the gripper do not flicker.
    CDC mdc;
    mdc.CreateCompatibleDC(&dc);
    CBitmap bm;
    bm.CreateCompatibleBitmap(&dc, rcBar.Width(), rcBar.Height());
    CBitmap* pOldBm = mdc.SelectObject(&bm);

    auto hbrBack = reinterpret_cast<HBRUSH>(::GetClassLongPtr(m_hWnd, GCLP_HBRBACKGROUND));
    mdc.FillRect(&rcBar, CBrush::FromHandle(hbrBack));
    if (m_dwSCBStyle & SCBS_SHOWEDGES) {
        CRect rcEdge;
        for (UINT ht : {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM})
            if (GetEdgeRect(rcBar, ht, rcEdge))
                mdc.Draw3dRect(&rcEdge, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    PaintGripperArea(&mdc, rcClient);

    dc.IntersectClipRect(&rcBar);
    dc.ExcludeClipRect(&rcClient);
    dc.BitBlt(0, 0, rcBar.Width(), rcBar.Height(), &mdc, 0, 0, SRCCOPY);
    mdc.SelectObject(pOldBm);
}

void CSizingControlBar::PaintGripperArea(CDC*, const CRect&) {}

LRESULT CSizingControlBar::OnNcHitTest(CPoint point)
{
    if (IsFloatingBar())
        return HTCLIENT;
    CRect rcBar, rcEdge;
    GetWindowRect(&rcBar);
    for (UINT ht : {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM})
        if (GetEdgeRect(rcBar, ht, rcEdge) && rcEdge.PtInRect(point))
            return ht;
    return HTCLIENT;
}
