#include "CResizableMinMax.h"

void CResizableMinMax::SetMinimumTrackSize(const CSize& size)
{
    m_ptMinTrackSize = {size.cx, size.cy};
    m_bUseMinTrack = TRUE;
}

void CResizableMinMax::ApplyMinMaxInfo(MINMAXINFO* lpMMI) const
{
    if (!lpMMI)
        return;
    if (m_bUseMinTrack)
        lpMMI->ptMinTrackSize = m_ptMinTrackSize;
    if (m_bUseMaxTrack)
        lpMMI->ptMaxTrackSize = m_ptMaxTrackSize;
    if (m_bUseMaxRect) {
        lpMMI->ptMaxPosition = m_ptMaxPos;
        lpMMI->ptMaxSize = m_ptMaxSize;
    }
}
