// CWnd: the framework's window object. A CWnd attached to a window (created
// by Create/CreateEx, or subclassed) gets every message through AfxWndProc
// and its virtual WindowProc, which calls the virtual OnXxx handlers below;
// the default of every handler is Default(), the default window procedure
// with the message being handled. There are no message-map macros: a class
// handles a message by overriding its handler (or WindowProc). Part of
// afxwin.h.
#pragma once

#include "afxdc.h"

class CScrollBar;
class CFrameWnd;
class CMenu;
struct CCreateContext;  // views and frames are created without one here

// Temporary wrappers (FromHandle of windows, DCs, GDI objects and menus) live
// until the maps are unlocked and the host goes idle. Lock the maps around
// code that keeps a temporary wrapper across a message loop.
void AfxLockTempMaps();
// Unlocks; when the last lock goes and bDeleteTemps is set, the temporary
// wrappers are deleted (their handles are left alone). TRUE while still locked.
BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

// The window procedure of every window that has a CWnd attached.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Registers (once per module and set of values) a window class with the
// given class style, cursor, background brush and icon, and returns its
// name. The name stays valid for the life of the process.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    // Destroys a window still attached. That happens inside the base
    // destructor, so the derived class's handlers (OnDestroy, PostNcDestroy)
    // are no longer reached, as natively.
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND m_hWndOwner = nullptr;  // owner for control bars and popups; null: the parent

    // ---- Handle map ----
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    static CWnd* FromHandle(HWND hWnd);           // permanent, else temporary; null for null
    static CWnd* FromHandlePermanent(HWND hWnd);  // attached objects only
    BOOL Attach(HWND hWndNew);  // FALSE for null or a window attached to another object
    HWND Detach();
    // Attaches and routes the window's messages through AfxWndProc; its
    // previous procedure becomes the super procedure DefWindowProc calls.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // ---- Creation and destruction ----
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // lpszClassName null: the framework's default class. FALSE when the
    // window was not created (OnCreate returning -1 among other reasons).
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual void PreSubclassWindow() {}
    // Called after the window's last message; nothing here. Classes whose
    // objects live on the heap delete themselves here.
    virtual void PostNcDestroy() {}

    // ---- Messages ----
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Calls the handler of the message; FALSE when it has none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();  // DefWindowProc with the message being handled
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);

    // ---- Geometry and state ----
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Changes the style bits; with nFlags a SetWindowPos(nFlags | no size,
    // move, z-order, activation) follows so that the frame is recomputed.
    // FALSE when the style did not change.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // ---- Relations ----
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd != nullptr ? pOwnerWnd->m_hWnd : nullptr; }
    CWnd* GetTopLevelParent() const;
    CFrameWnd* GetParentFrame() const;  // nearest ancestor attached to a CFrameWnd
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);  // returns the previous id
    BOOL IsChild(const CWnd* pWnd) const;

    // ---- Text and font ----
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // ---- Painting ----
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);  // null: the whole client area
    void ValidateRgn(CRgn* pRgn);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CDC* GetDC();        // temporary wrapper; give it back with ReleaseDC
    CDC* GetWindowDC();  // temporary wrapper; give it back with ReleaseDC
    int ReleaseDC(CDC* pDC);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // ---- Mouse and keyboard ----
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetFocus();
    static CWnd* GetFocus();

    // ---- Scroll bars (the window's own, or the control GetScrollBarCtrl names) ----
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int GetScrollLimit(int nBar);  // the largest position: maximum - (page - 1)
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);

    // ---- Timers ----
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // ---- Message handlers (defaults: Default()) ----
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);  // -1 fails the creation
    virtual void OnDestroy();
    virtual void OnNcDestroy();  // detaches, then PostNcDestroy
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnContextMenu(CWnd* pWnd, CPoint pos);
    virtual void OnTimer(UINT_PTR nIDEvent);
    // nPos is the 16-bit position of the message; pScrollBar the control
    // that sent it, null for the window's own bars.
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // pt in screen coordinates; the default passes the wheel to the parent.
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    // TRUE: handled, *pResult is the answer. FALSE: DefWindowProc.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // TRUE: handled. FALSE: DefWindowProc.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    virtual void OnNcPaint();
    virtual LRESULT OnNcHitTest(CPoint point);
    virtual void OnNcLButtonDown(UINT nHitTest, CPoint point);
    virtual void OnNcLButtonUp(UINT nHitTest, CPoint point);
    virtual void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    virtual void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    virtual void OnClose();
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

protected:
    WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before AfxWndProc
};
