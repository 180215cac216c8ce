// CWnd core: the handle map, attaching and subclassing, creation through the
// CBT hook, the window procedure every attached window gets, and destruction.
#include "handle_map.h"
#include "wnd_state.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

AfxThreadState& AfxGetThreadState()
{
    static AfxThreadState state;
    return state;
}

// ---- Handle map -----------------------------------------------------------------------
CWnd* CWnd::FromHandle(HWND hWnd)
{
    return AfxFromHandleAs<CWnd>(AfxMapHWND(), hWnd, [hWnd] {
        CWnd* wrapper = new CWnd;
        wrapper->m_hWnd = hWnd;
        return wrapper;
    });
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return static_cast<CWnd*>(AfxMapHWND().LookupPermanent(hWnd));
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    AfxMapHWND().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        AfxMapHWND().RemovePermanent(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto oldWndProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc));
    if (oldWndProc != AfxWndProc)
        m_pfnSuper = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd != nullptr && m_pfnSuper != nullptr) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        m_pfnSuper = nullptr;
    }
    return Detach();
}

// ---- Creation hook ------------------------------------------------------------------------
namespace {

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState& state = AfxGetThreadState();
    if (code != HCBT_CREATEWND || state.m_pWndInit == nullptr)
        return ::CallNextHookEx(state.m_hHookOldCbtFilter, code, wParam, lParam);

    CWnd* pWndInit = state.m_pWndInit;
    state.m_pWndInit = nullptr;
    if (pWndInit->SubclassWindow(reinterpret_cast<HWND>(wParam)))
        return ::CallNextHookEx(state.m_hHookOldCbtFilter, code, wParam, lParam);
    return 1;  // the object is taken already: refuse the window
}

}  // namespace

void AfxHookWindowCreate(CWnd* pWnd)
{
    AfxThreadState& state = AfxGetThreadState();
    if (state.m_hHookOldCbtFilter == nullptr)
        state.m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, AfxCbtFilterHook, nullptr, 0);
    state.m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AfxThreadState& state = AfxGetThreadState();
    if (state.m_pWndInit != nullptr) {
        state.m_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

// ---- Window procedure -----------------------------------------------------------------------
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);

    AfxThreadState& state = AfxGetThreadState();
    MSG oldMsg = state.m_lastSentMsg;
    state.m_lastSentMsg.hwnd = hWnd;
    state.m_lastSentMsg.message = nMsg;
    state.m_lastSentMsg.wParam = wParam;
    state.m_lastSentMsg.lParam = lParam;

    LRESULT lResult;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        // A framework exception ends the message, as natively; a failed
        // WM_CREATE fails the creation.
        e->Delete();
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    state.m_lastSentMsg = oldMsg;
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState().m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

// ---- Creation -----------------------------------------------------------------------------------
BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxDefaultWndClass();
    return cs.lpszClass != nullptr;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    if (pParentWnd == nullptr || (dwStyle & WS_POPUP) != 0)
        return FALSE;
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->m_hWnd,
                    reinterpret_cast<HMENU>((UINT_PTR)nID), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>((UINT_PTR)nID), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;  // one window per object

    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // No window was ever attached: the object did not see a single message,
    // so it is cleaned up here (a failure later ran OnNcDestroy already).
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

// ---- Destruction ---------------------------------------------------------------------------------
BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    CWnd* pWnd = FromHandlePermanent(m_hWnd);
    BOOL bResult = ::DestroyWindow(m_hWnd);
    // An attached object was detached by OnNcDestroy and may be deleted by
    // now; a temporary wrapper only forgets the handle.
    if (pWnd == nullptr)
        Detach();
    return bResult;
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    Detach();
}

void CWnd::OnNcDestroy()
{
    // Give the window its own procedure back unless someone subclassed it
    // after us, then forget it.
    auto pfnWndProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
    Default();
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)) == pfnWndProc && m_pfnSuper != nullptr)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    Detach();
    PostNcDestroy();
}
