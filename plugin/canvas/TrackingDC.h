// The DC a tracker's mouse loop draws its feedback with: a cache DC of the
// window the feedback is clipped to when the caller names one, else the
// tracking window's own. Given back to the window it came from.
#pragma once

#include "afxwin.h"

inline CDC* TakeTrackingDC(CWnd* pWnd, CWnd* pWndClipTo)
{
    CDC* pDC = nullptr;
    if (pWndClipTo != nullptr) {
        HDC hdc = ::GetDCEx(pWndClipTo->GetSafeHwnd(), nullptr, DCX_CACHE);
        pDC = hdc != nullptr ? CDC::FromHandle(hdc) : nullptr;
    } else {
        pDC = pWnd->GetDC();
    }
    if (pDC == nullptr)
        AfxThrowResourceException();
    return pDC;
}

inline void ReleaseTrackingDC(CWnd* pWnd, CWnd* pWndClipTo, CDC* pDC)
{
    if (pDC != nullptr)
        (pWndClipTo != nullptr ? pWndClipTo : pWnd)->ReleaseDC(pDC);
}
