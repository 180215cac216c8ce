// Tracking limits of a resizable window. A window mixes this in and applies
// it on WM_GETMINMAXINFO; only the limits that were set are applied. The
// main dialog sets only a minimum; the maximum and maximized limits stay unset.
#pragma once

#include "atltypes.h"
#include "winuser.h"

class CResizableMinMax {
public:
    CResizableMinMax() = default;
    virtual ~CResizableMinMax() = default;

    void SetMinimumTrackSize(const CSize& size);
    // Copies each limit whose flag is set into the record; the rest of it
    // is left as the window system filled it.
    void ApplyMinMaxInfo(MINMAXINFO* lpMMI) const;

protected:
    BOOL m_bUseMaxTrack = FALSE;
    BOOL m_bUseMinTrack = FALSE;
    BOOL m_bUseMaxRect = FALSE;
    POINT m_ptMinTrackSize = {0, 0};
    POINT m_ptMaxTrackSize = {0, 0};
    POINT m_ptMaxPos = {0, 0};
    POINT m_ptMaxSize = {0, 0};
};
