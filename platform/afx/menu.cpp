// The menu wrapper.
#include "afxwin.h"
#include "handle_map.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return AfxFromHandleAs<CMenu>(AfxMapHMENU(), hMenu, [hMenu] {
        auto* wrapper = new CMenu;
        wrapper->m_hMenu = hMenu;
        return wrapper;
    });
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr || AfxMapHMENU().LookupPermanent(hMenu) != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    AfxMapHMENU().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr)
        AfxMapHMENU().RemovePermanent(hMenu, this);
    m_hMenu = nullptr;
    return hMenu;
}

namespace {

// Attaches a menu just made for the wrapper; destroys it if that fails.
BOOL AttachNew(CMenu* pMenu, HMENU hMenu)
{
    if (pMenu->Attach(hMenu))
        return TRUE;
    if (hMenu != nullptr)
        ::DestroyMenu(hMenu);
    return FALSE;
}

}  // namespace

BOOL CMenu::CreateMenu() { return AttachNew(this, ::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return AttachNew(this, ::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    return AttachNew(this, ::LoadMenu(AfxFindResourceHandle(lpszResourceName, nullptr), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd != nullptr ? pWnd->m_hWnd : nullptr, lpRect);
}
