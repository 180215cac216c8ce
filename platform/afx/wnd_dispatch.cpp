// CWnd::WindowProc: each message the framework knows goes to its virtual
// handler with the native arguments; the handlers' defaults pass the
// message on with Default().
#include "handle_map.h"
#include "wnd_state.h"

namespace {

CPoint PointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

// The scroll bar control behind a scroll message: its permanent object when
// it is a CScrollBar, else a temporary CScrollBar; null for the window's own bars.
CScrollBar* ScrollBarOf(LPARAM lParam)
{
    auto hWnd = reinterpret_cast<HWND>(lParam);
    return AfxFromHandleAs<CScrollBar>(AfxMapHWND(), hWnd, [hWnd] {
        auto* wrapper = new CScrollBar;
        wrapper->m_hWnd = hWnd;
        return wrapper;
    });
}

CWnd* WndOf(WPARAM handle) { return CWnd::FromHandle(reinterpret_cast<HWND>(handle)); }
CWnd* WndOfL(LPARAM handle) { return CWnd::FromHandle(reinterpret_cast<HWND>(handle)); }

}  // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    switch (message) {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
        break;
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        break;
    }
    case WM_CREATE:
        lResult = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_NCDESTROY:
        OnNcDestroy();
        break;
    case WM_SIZE:
        OnSize((UINT)wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_ERASEBKGND:
        lResult = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown((UINT)wParam, PointOf(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp((UINT)wParam, PointOf(lParam));
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk((UINT)wParam, PointOf(lParam));
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown((UINT)wParam, PointOf(lParam));
        break;
    case WM_RBUTTONUP:
        OnRButtonUp((UINT)wParam, PointOf(lParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove((UINT)wParam, PointOf(lParam));
        break;
    case WM_KEYDOWN:
        OnKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_KEYUP:
        OnKeyUp((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CHAR:
        OnChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(WndOf(wParam), PointOf(lParam));
        break;
    case WM_TIMER:
        OnTimer((UINT_PTR)wParam);
        break;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), ScrollBarOf(lParam));
        break;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), ScrollBarOf(lParam));
        break;
    case WM_MOUSEWHEEL:
        lResult = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),
                               CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        break;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case WM_SETCURSOR:
        lResult = OnSetCursor(WndOf(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(WndOfL(lParam));
        break;
    case WM_NCCALCSIZE:
        OnNcCalcSize((BOOL)wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case WM_NCPAINT:
        OnNcPaint();
        break;
    case WM_NCHITTEST:
        lResult = OnNcHitTest(PointOf(lParam));
        break;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown((UINT)wParam, PointOf(lParam));
        break;
    case WM_NCLBUTTONUP:
        OnNcLButtonUp((UINT)wParam, PointOf(lParam));
        break;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_SETTINGCHANGE:
        OnSettingChange((UINT)wParam, reinterpret_cast<LPCSTR>(lParam));
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_SHOWWINDOW:
        OnShowWindow((BOOL)wParam, (UINT)lParam);
        break;
    case WM_SETFOCUS:
        OnSetFocus(WndOf(wParam));
        break;
    case WM_KILLFOCUS:
        OnKillFocus(WndOf(wParam));
        break;
    case WM_SETTEXT:
        lResult = OnSetText(wParam, lParam);
        break;
    default:
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

// ---- Default handlers ----------------------------------------------------------------------
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcPaint() { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnSettingChange(UINT, LPCSTR) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
LRESULT CWnd::OnSetText(WPARAM, LPARAM) { return Default(); }
