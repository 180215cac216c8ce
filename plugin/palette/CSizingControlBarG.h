// CSizingControlBarG: a sizing control bar with a gripper strip and a close
// button while it is docked. The strip runs along the left side of a bar
// docked horizontally and along the top otherwise; the close button hides
// the bar through its frame.
#pragma once

#include "palette/CSizingControlBar.h"

class CSizingControlBarG : public CSizingControlBar {
    DECLARE_DYNAMIC(CSizingControlBarG)
public:
    CSizingControlBarG() = default;
    ~CSizingControlBarG() override;

    // TRUE unless the bar counts as floating.
    virtual BOOL ShowsGripper() const;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The close button, its position relative to the window's top-left corner.
    struct CloseButton {
        BOOL bPushed = FALSE;
        BOOL bRaised = FALSE;
        CPoint ptOrg;
        CSize size{12, 12};
        CRect GetRect() const { return CRect(ptOrg, size); }
    };

    int m_cyGripper = 14;  // the close button's height + 2
    CloseButton m_biHide;

protected:
    void PaintGripperArea(CDC* pDC, const CRect& rcClient) override;
    void ComputeClientArea(CRect& rc, UINT nDockBarID) override;
    LRESULT OnNcHitTest(CPoint point) override;
    void OnNcLButtonUp(UINT nHitTest, CPoint point) override;

    // The gripper strip beside the client rectangle (window coordinates).
    CRect GetGripperRect(const CRect& rcClient) const;
    void PaintCloseButton(CDC* pDC) const;
    // Follows the cursor and the left button over the close button; TRUE
    // when its look changed.
    BOOL UpdateCloseButtonState();
};
