// Wrappers of the common controls: the tab control.
#pragma once

#include "afxwin.h"
#include "commctrl.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Index of the new tab, -1 on failure.
    LONG InsertItem(int nItem, LPCSTR lpszItem);
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    int GetCurSel() const;  // -1 without a selection
    int SetCurSel(int nItem);  // previous selection, -1 on failure
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // bLarger FALSE: the display area of a window rectangle; TRUE: the
    // window rectangle of a display area.
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
};
