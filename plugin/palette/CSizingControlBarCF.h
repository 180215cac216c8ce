// CSizingControlBarCF: a gripper bar whose strip is a caption: the bar's
// window text on the caption colour, active while the keyboard focus is in
// one of the bar's child windows.
#pragma once

#include "palette/CSizingControlBarG.h"

class CSizingControlBarCF : public CSizingControlBarG {
    DECLARE_DYNAMIC(CSizingControlBarCF)
public:
    CSizingControlBarCF();
    ~CSizingControlBarCF() override;

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    BOOL m_bActive = FALSE;
    char m_szFontFace[LF_FACESIZE] = "";  // "Tahoma" when installed, else "Arial"

protected:
    void PaintGripperArea(CDC* pDC, const CRect& rcClient) override;
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam) override;

private:
    void PaintCaptionBackground(CDC* pDC, const CRect& rcGrip) const;
    void PaintCaptionText(CDC* pDC, const CRect& rcGrip);
};
