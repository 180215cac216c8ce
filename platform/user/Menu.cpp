// Menus: creation, items, states, and loading from module resources.
#include "Menu.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "Resources.h"

namespace pl {

namespace {

struct MenuTable {
    std::map<HMENU, std::unique_ptr<Menu>> menus;
    uintptr_t next = 0x30000;
};

MenuTable& menuTable()
{
    static MenuTable t;
    return t;
}

HMENU newMenu(bool popup)
{
    MenuTable& t = menuTable();
    t.next += 4;
    HMENU handle = reinterpret_cast<HMENU>(t.next);
    auto menu = std::make_unique<Menu>();
    menu->popup = popup;
    t.menus[handle] = std::move(menu);
    return handle;
}

MenuItem* findByCommand(Menu* menu, UINT id, int depth)
{
    if (!menu || depth > 16)
        return nullptr;
    for (MenuItem& item : menu->items) {
        if (!(item.flags & MF_POPUP) && !(item.flags & MF_SEPARATOR) && item.id == id)
            return &item;
        if (item.flags & MF_POPUP)
            if (MenuItem* found = findByCommand(findMenu(item.popup), id, depth + 1))
                return found;
    }
    return nullptr;
}

HMENU buildMenu(const std::vector<MenuItemResource>& items, bool popup)
{
    HMENU handle = newMenu(popup);
    for (const MenuItemResource& r : items) {
        if (r.flags & MF_POPUP) {
            HMENU sub = buildMenu(r.popup, true);
            AppendMenuA(handle, (r.flags & kMenuStateMask) | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                        r.text.c_str());
        } else {
            AppendMenuA(handle, r.flags, r.id, r.flags & MF_SEPARATOR ? nullptr : r.text.c_str());
        }
    }
    return handle;
}

}  // namespace

Menu* findMenu(HMENU menu)
{
    auto& menus = menuTable().menus;
    auto it = menus.find(menu);
    return it == menus.end() ? nullptr : it->second.get();
}

MenuItem* findMenuItem(HMENU handle, UINT item, UINT flags)
{
    Menu* menu = findMenu(handle);
    if (!menu)
        return nullptr;
    if (flags & MF_BYPOSITION)
        return item < menu->items.size() ? &menu->items[item] : nullptr;
    return findByCommand(menu, item, 0);
}

}  // namespace pl

using namespace pl;

HMENU CreateMenu(void)
{
    return newMenu(false);
}

HMENU CreatePopupMenu(void)
{
    return newMenu(true);
}

BOOL DestroyMenu(HMENU handle)
{
    auto& menus = menuTable().menus;
    auto it = menus.find(handle);
    if (it == menus.end())
        return FALSE;
    std::unique_ptr<Menu> menu = std::move(it->second);
    menus.erase(it);
    for (const MenuItem& item : menu->items)
        if (item.flags & MF_POPUP)
            DestroyMenu(item.popup);
    return TRUE;
}

BOOL IsMenu(HMENU menu)
{
    return findMenu(menu) != nullptr;
}

BOOL AppendMenuA(HMENU handle, UINT flags, UINT_PTR idOrPopup, LPCSTR text)
{
    Menu* menu = findMenu(handle);
    if (!menu)
        return FALSE;
    MenuItem item;
    item.flags = flags & kMenuStateMask;
    if (flags & MF_POPUP) {
        if (!findMenu(reinterpret_cast<HMENU>(idOrPopup)))
            return FALSE;
        item.popup = reinterpret_cast<HMENU>(idOrPopup);
    } else if (!(flags & MF_SEPARATOR)) {
        item.id = idOrPopup;
    }
    if (text && !(flags & MF_SEPARATOR))
        item.text = text;
    menu->items.push_back(std::move(item));
    return TRUE;
}

HMENU LoadMenuA(HINSTANCE instance, LPCSTR name)
{
    const std::vector<MenuItemResource>* items = findMenuResource(instance, name);
    return items ? buildMenu(*items, false) : nullptr;
}

HMENU GetSubMenu(HMENU handle, int position)
{
    Menu* menu = findMenu(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size())
        return nullptr;
    const MenuItem& item = menu->items[static_cast<size_t>(position)];
    return (item.flags & MF_POPUP) ? item.popup : nullptr;
}

int GetMenuItemCount(HMENU handle)
{
    Menu* menu = findMenu(handle);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU handle, int position)
{
    Menu* menu = findMenu(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size())
        return static_cast<UINT>(-1);
    const MenuItem& item = menu->items[static_cast<size_t>(position)];
    if (item.flags & MF_POPUP)
        return static_cast<UINT>(-1);
    return static_cast<UINT>(item.id);
}

UINT GetMenuState(HMENU handle, UINT itemId, UINT flags)
{
    MenuItem* item = findMenuItem(handle, itemId, flags);
    if (!item)
        return static_cast<UINT>(-1);
    if (item->flags & MF_POPUP) {
        Menu* sub = findMenu(item->popup);
        UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
        return (count << 8) | (item->flags & 0xFF);
    }
    return item->flags;
}

int GetMenuStringA(HMENU handle, UINT itemId, LPSTR text, int size, UINT flags)
{
    MenuItem* item = findMenuItem(handle, itemId, flags);
    if (!item)
        return 0;
    if (!text || size <= 0)
        return static_cast<int>(item->text.size());
    size_t n = std::min(item->text.size(), static_cast<size_t>(size - 1));
    std::memcpy(text, item->text.data(), n);
    text[n] = 0;
    return static_cast<int>(n);
}

UINT EnableMenuItem(HMENU handle, UINT itemId, UINT enable)
{
    MenuItem* item = findMenuItem(handle, itemId, enable & MF_BYPOSITION);
    if (!item)
        return static_cast<UINT>(-1);
    UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return previous;
}
