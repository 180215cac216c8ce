// CObjectBar: the bar that carries the palette on the task-engine page. Its
// only child is the palette control, kept at the size of the bar's client
// area; the page fixes it in a frame without dock bars, where it shows no
// gripper, caption or sizing edges.
#pragma once

#include "palette/COutlookBar.h"
#include "palette/CSizingControlBarCF.h"

class CObjectBar : public CSizingControlBarCF {
    DECLARE_DYNAMIC(CObjectBar)
public:
    CObjectBar();
    ~CObjectBar() override;

    COutlookBar m_wndOutlookBar;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
};
