// CView and CScrollView without the document machinery: a view is a child
// window that paints through OnDraw on a DC prepared by OnPrepareDC; the
// scroll view keeps a total size in logical units and maps its scroll bars
// to the viewport origin. Part of afxwin.h.
#pragma once

#include "afxwnd.h"

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;  // default view class, child window
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnInitialUpdate();  // invalidates the whole view

    void OnPaint() override;  // CPaintDC, OnPrepareDC, OnDraw
    // Views live on the heap and delete themselves after their window.
    void PostNcDestroy() override;
};

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;  // (0, 0): page = total / 10, line = page / 10

    // Sizes in logical units of the mapping mode (only MM_TEXT exists).
    // The bars are updated at once when the window exists.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    CSize GetTotalSize() const { return m_totalLog; }
    CPoint GetScrollPosition() const;        // logical units
    CPoint GetDeviceScrollPosition() const;  // device units
    // Scrolls so that the logical point is the top-left corner, clamped to
    // the scroll range.
    void ScrollToPosition(POINT pt);

    // Sets the mapping mode and moves the viewport origin by minus the
    // scroll position.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    // Scrolls vertically (horizontally when there is no vertical bar) by the
    // desktop's lines a notch, at most a page; with Shift or Ctrl held the
    // wheel is not the view's.
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    // nScrollCode: horizontal code in the low byte, vertical in the high
    // byte (0xFF: no scrolling in that direction).
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);

    int m_nMapMode = 0;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate = FALSE;

private:
    BOOL GetTrueClientSize(CSize& size, CSize& sizeSb);
    void GetScrollBarSizes(CSize& sizeSb);
    void GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange, CPoint& ptMove, BOOL bInsideClient);
};
