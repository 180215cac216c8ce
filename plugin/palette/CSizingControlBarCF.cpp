// CSizingControlBarCF: the caption gripper: caption colours (a gradient when
// the system draws gradient captions) and the window text, turned upwards
// in the strip of a bar docked horizontally.
#include "palette/CSizingControlBarCF.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CSizingControlBarCF, CSizingControlBarG)

namespace {

const int kGradientSteps = 64;
const int kCaptionPoints = 85;  // tenths of a point at 96 dots per inch

int CALLBACK NoteFamilyFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<BOOL*>(lParam) = TRUE;
    return 0;
}

BOOL IsFontFamilyInstalled(LPCSTR lpszFamily)
{
    BOOL bFound = FALSE;
    HDC hDC = ::GetDC(nullptr);
    ::EnumFontFamilies(hDC, lpszFamily, NoteFamilyFound, reinterpret_cast<LPARAM>(&bFound));
    ::ReleaseDC(nullptr, hDC);
    return bFound;
}

int Blend(int from, int to, int step, int steps) { return from + (to - from) * step / (steps - 1); }

}  // namespace

CSizingControlBarCF::CSizingControlBarCF()
{
    std::strcpy(m_szFontFace, IsFontFamilyInstalled("Tahoma") ? "Tahoma" : "Arial");
}

CSizingControlBarCF::~CSizingControlBarCF() = default;

void CSizingControlBarCF::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    BOOL bButtonChanged = UpdateCloseButtonState();
    CSizingControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    HWND hFocus = ::GetFocus();
    BOOL bActive = hFocus != nullptr && ::IsChild(m_hWnd, hFocus);
    BOOL bActiveChanged = bActive != m_bActive;
    m_bActive = bActive;
    if (bButtonChanged || bActiveChanged)
        SendMessage(WM_NCPAINT);
}

LRESULT CSizingControlBarCF::OnSetText(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CSizingControlBarG::OnSetText(wParam, lParam);
    SendMessage(WM_NCPAINT);  // the caption shows the text
    return lResult;
}

void CSizingControlBarCF::PaintGripperArea(CDC* pDC, const CRect& rcClient)
{
    if (!ShowsGripper())
        return;
    CRect rcGrip = GetGripperRect(rcClient);
    PaintCaptionBackground(pDC, rcGrip);
    PaintCaptionText(pDC, rcGrip);
    PaintCloseButton(pDC);
}

void CSizingControlBarCF::PaintCaptionBackground(CDC* pDC, const CRect& rcGrip) const
{
    COLORREF clrFrom = ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    BOOL bGradient = FALSE;
    ::SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &bGradient, 0);
    if (!bGradient) {
        pDC->FillSolidRect(&rcGrip, clrFrom);
        return;
    }
    // The gradient runs along the text: upwards in a turned caption.
    COLORREF clrTo = ::GetSysColor(m_bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    BOOL bTurned = IsHorzDockedBar();
    int nLength = bTurned ? rcGrip.Height() : rcGrip.Width();
    for (int i = 0; i < kGradientSteps; ++i) {
        int nStart = nLength * i / kGradientSteps;
        int nEnd = nLength * (i + 1) / kGradientSteps;
        COLORREF clr = RGB(Blend(GetRValue(clrFrom), GetRValue(clrTo), i, kGradientSteps),
                           Blend(GetGValue(clrFrom), GetGValue(clrTo), i, kGradientSteps),
                           Blend(GetBValue(clrFrom), GetBValue(clrTo), i, kGradientSteps));
        CRect rcStep = bTurned ? CRect(rcGrip.left, rcGrip.bottom - nEnd, rcGrip.right, rcGrip.bottom - nStart)
                               : CRect(rcGrip.left + nStart, rcGrip.top, rcGrip.left + nEnd, rcGrip.bottom);
        pDC->FillSolidRect(&rcStep, clr);
    }
}

void CSizingControlBarCF::PaintCaptionText(CDC* pDC, const CRect& rcGrip)
{
    char szText[256] = "";
    GetWindowText(szText, sizeof szText);
    if (szText[0] == '\0')
        return;
    BOOL bTurned = IsHorzDockedBar();
    LOGFONT lf = {};
    lf.lfHeight = kCaptionPoints * 96 / pDC->GetDeviceCaps(LOGPIXELSX);
    lf.lfWeight = FW_NORMAL;
    lf.lfEscapement = lf.lfOrientation = bTurned ? 900 : 0;
    std::strcpy(lf.lfFaceName, m_szFontFace);
    CFont font;
    font.CreatePointFontIndirect(&lf, pDC);
    CFont* pOldFont = pDC->SelectObject(&font);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));

    // The text starts at the caption's far end from the close button.
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int nMargin = 3;
    if (bTurned) {
        int x = rcGrip.left + (rcGrip.Width() - tm.tmHeight) / 2;
        pDC->TextOut(x, rcGrip.bottom - nMargin, szText);
    } else {
        int y = rcGrip.top + (rcGrip.Height() - tm.tmHeight) / 2;
        CRect rcText(rcGrip.left + nMargin, y, rcGrip.right - m_biHide.size.cx - nMargin, y + tm.tmHeight);
        pDC->DrawText(szText, -1, &rcText, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
