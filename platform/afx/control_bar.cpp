// CControlBar: bar style, layout inside the frame, idle update, painting of
// borders and gripper.
#include "afxext.h"
#include "wnd_state.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {
const int cxBorder2 = 2;  // two one-pixel lines per bordered edge
const int cxGripper = 3;
const int cxBorderGripper = 2;
}  // namespace

CControlBar::~CControlBar() { DetachFromDockSite(); }

void CControlBar::DetachFromDockSite()
{
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

BOOL CControlBar::IsHorzDocked() const
{
    int id = ::GetDlgCtrlID(::GetParent(m_hWnd));
    return id == AFX_IDW_DOCKBAR_TOP || id == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CControlBar::IsVertDocked() const
{
    int id = ::GetDlgCtrlID(::GetParent(m_hWnd));
    return id == AFX_IDW_DOCKBAR_LEFT || id == AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr ? pFrame : m_pDockSite;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

// ---- Creation ------------------------------------------------------------------------------
BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxDefaultControlBarClass();
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;  // bars overlap their neighbours' edges

    // Without CBRS_BORDER_3D a bar keeps only the border facing away from
    // its side of the frame.
    if ((m_dwStyle & CBRS_BORDER_3D) == 0) {
        DWORD dwNewStyle = 0;
        switch (m_dwStyle & (CBRS_BORDER_ANY | CBRS_ALIGN_ANY)) {
        case CBRS_LEFT:
            dwNewStyle = CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM;
            break;
        case CBRS_TOP:
            dwNewStyle = CBRS_BORDER_TOP;
            break;
        case CBRS_RIGHT:
            dwNewStyle = CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM;
            break;
        case CBRS_BOTTOM:
            dwNewStyle = CBRS_BORDER_BOTTOM;
            break;
        default:
            break;
        }
        m_dwStyle &= ~CBRS_BORDER_ANY;
        m_dwStyle |= dwNewStyle;
    }
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A bar created in a frame is laid out by it.
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(::GetParent(m_hWnd)))) {
        m_pDockSite = pFrame;
        pFrame->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    DetachFromDockSite();
    CWnd::OnDestroy();
}

// ---- Messages ---------------------------------------------------------------------------------
LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZEPARENT:
        return OnSizeParent(reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam));
    case WM_IDLEUPDATECMDUI:
        return OnIdleUpdateCmdUI(wParam, lParam);
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    auto* pTarget = dynamic_cast<CFrameWnd*>(GetOwner());
    if (pTarget == nullptr)
        pTarget = GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
    if ((m_nStateFlags & (delayHide | delayShow)) == 0)
        return dwStyle;

    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && (dwStyle & WS_VISIBLE))
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !(dwStyle & WS_VISIBLE))
        swpFlags = SWP_SHOWWINDOW;
    if (swpFlags == 0) {
        m_nStateFlags &= ~(delayShow | delayHide);  // already in the wanted state
        return dwStyle;
    }
    dwStyle ^= WS_VISIBLE;  // lay out as it will be
    if (lpLayout->bApply) {
        m_nStateFlags &= ~(delayShow | delayHide);
        SetWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return dwStyle;
}

LRESULT CControlBar::OnSizeParent(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;

    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = size.cx < sizeAvail.cx ? size.cx : sizeAvail.cx;
    size.cy = size.cy < sizeAvail.cy ? size.cy : sizeAvail.cy;

    if (dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = lpLayout->sizeTotal.cx > size.cx ? lpLayout->sizeTotal.cx : size.cx;
        if (dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = lpLayout->sizeTotal.cy > size.cy ? lpLayout->sizeTotal.cy : size.cy;
        if (dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;

    if (lpLayout->bApply) {
        CRect rectOld;
        GetWindowRect(&rectOld);
        ::ScreenToClient(::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rectOld.left));
        ::ScreenToClient(::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rectOld.right));
        if (rectOld != rect)
            SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    return 0;
}

// ---- Painting ------------------------------------------------------------------------------------
void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += cxBorder2;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += cxBorder2;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cxBorder2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cxBorder2;
    BOOL bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz) {
        rect.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
        if (bGripper)
            rect.left += cxBorderGripper + cxGripper + cxBorderGripper;
    } else {
        rect.DeflateRect(m_cyTopBorder, m_cxLeftBorder, m_cyBottomBorder, m_cxRightBorder);
        if (bGripper)
            rect.top += cxBorderGripper + cxGripper + cxBorderGripper;
    }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    BOOL b3d = (dwStyle & CBRS_BORDER_3D) != 0;
    int w = rect.Width(), h = rect.Height();
    if (dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, h, clrShadow);
        if (b3d)
            pDC->FillSolidRect(rect.left + 1, rect.top, 1, h, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, w, 1, clrShadow);
        if (b3d)
            pDC->FillSolidRect(rect.left, rect.top + 1, w, 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - (b3d ? 2 : 1), rect.top, 1, h, clrShadow);
        if (b3d)
            pDC->FillSolidRect(rect.right - 1, rect.top, 1, h, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - (b3d ? 2 : 1), w, 1, clrShadow);
        if (b3d)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, w, 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += cxBorder2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += cxBorder2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cxBorder2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cxBorder2;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + cxBorderGripper, rect.top + m_cyTopBorder, cxGripper,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, clrHilite, clrShadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + cxBorderGripper,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, cxGripper, clrHilite, clrShadow);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}
