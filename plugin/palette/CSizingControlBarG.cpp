// CSizingControlBarG: gripper strip, close button and their hit testing.
#include "palette/CSizingControlBarG.h"

IMPLEMENT_DYNAMIC(CSizingControlBarG, CSizingControlBar)

namespace {

const int kGripLine = 3;   // thickness of each raised grip line
const int kGripInset = 2;  // space around the grip lines

}  // namespace

CSizingControlBarG::~CSizingControlBarG() = default;

BOOL CSizingControlBarG::ShowsGripper() const { return !IsFloatingBar(); }

void CSizingControlBarG::ComputeClientArea(CRect& rc, UINT nDockBarID)
{
    CPoint ptWindow = rc.TopLeft();
    CSizingControlBar::ComputeClientArea(rc, nDockBarID);
    if (IsFloatingDockBarID(nDockBarID))
        return;
    if (IsHorzDockBarID(nDockBarID)) {
        rc.left += m_cyGripper;
        m_biHide.ptOrg = CPoint(rc.left - m_cyGripper, rc.top);
    } else {
        rc.top += m_cyGripper;
        m_biHide.ptOrg = CPoint(rc.right - 13, rc.top - m_cyGripper);
    }
    m_biHide.ptOrg -= ptWindow;
}

CRect CSizingControlBarG::GetGripperRect(const CRect& rcClient) const
{
    if (IsHorzDockedBar())
        return CRect(rcClient.left - m_cyGripper, rcClient.top, rcClient.left, rcClient.bottom);
    return CRect(rcClient.left, rcClient.top - m_cyGripper, rcClient.right, rcClient.top);
}

void CSizingControlBarG::PaintGripperArea(CDC* pDC, const CRect& rcClient)
{
    if (!ShowsGripper())
        return;
    CRect rcGrip = GetGripperRect(rcClient);
    COLORREF clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    // Two raised lines along the strip, leaving the close button free.
    if (IsHorzDockedBar()) {
        rcGrip.top += m_biHide.size.cy + kGripInset;
        rcGrip.left += kGripInset + 1;
        for (int i = 0; i < 2; ++i)
            pDC->Draw3dRect(rcGrip.left + i * (kGripLine + 1), rcGrip.top, kGripLine, rcGrip.Height(), clrHilite,
                            clrShadow);
    } else {
        rcGrip.right -= m_biHide.size.cx + kGripInset;
        rcGrip.top += kGripInset + 1;
        for (int i = 0; i < 2; ++i)
            pDC->Draw3dRect(rcGrip.left, rcGrip.top + i * (kGripLine + 1), rcGrip.Width(), kGripLine, clrHilite,
                            clrShadow);
    }
    PaintCloseButton(pDC);
}

void CSizingControlBarG::PaintCloseButton(CDC* pDC) const
{
    CRect rc = m_biHide.GetRect();
    CFont font;
    int nPointSize = (m_biHide.size.cx / 2) * 10 * 96 / pDC->GetDeviceCaps(LOGPIXELSX);
    font.CreatePointFont(nPointSize, "Marlett", pDC);
    CFont* pOldFont = pDC->SelectObject(&font);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect rcText = rc;
    pDC->DrawText("r", 1, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);

    if (m_biHide.bPushed)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
    else if (m_biHide.bRaised)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

LRESULT CSizingControlBarG::OnNcHitTest(CPoint point)
{
    LRESULT nHit = CSizingControlBar::OnNcHitTest(point);
    if (nHit != HTCLIENT || !ShowsGripper())
        return nHit;
    CRect rcBar;
    GetWindowRect(&rcBar);
    CRect rcClose = m_biHide.GetRect();
    rcClose.OffsetRect(rcBar.TopLeft());
    return rcClose.PtInRect(point) ? HTCLOSE : HTCLIENT;
}

void CSizingControlBarG::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    CFrameWnd* pFrame = GetDockingFrame();
    if (nHitTest == HTCLOSE && pFrame != nullptr) {
        pFrame->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    CSizingControlBar::OnNcLButtonUp(nHitTest, point);
}

BOOL CSizingControlBarG::UpdateCloseButtonState()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    BOOL bHit = ShowsGripper() && OnNcHitTest(pt) == HTCLOSE;
    BOOL bLButtonDown = ::GetKeyState(VK_LBUTTON) < 0;
    BOOL bPushed = bHit && bLButtonDown;
    BOOL bRaised = bHit && !bLButtonDown;
    BOOL bChanged = bPushed != m_biHide.bPushed || bRaised != m_biHide.bRaised;
    m_biHide.bPushed = bPushed;
    m_biHide.bRaised = bRaised;
    return bChanged;
}

void CSizingControlBarG::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CSizingControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (UpdateCloseButtonState())
        SendMessage(WM_NCPAINT);
}
