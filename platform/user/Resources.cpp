// Registration of module resources (dialog templates, menus, cursors).
#include "Resources.h"

#include <dlfcn.h>

#include <map>
#include <utility>

namespace pl {

namespace {

using Key = std::pair<HINSTANCE, int>;

constexpr int kMaxMenuDepth = 8;

struct ResourceTables {
    std::map<Key, DialogResource> dialogs;
    std::map<Key, std::vector<MenuItemResource>> menus;
    std::map<Key, PlCursorTemplate> cursors;
};

ResourceTables& tables()
{
    static ResourceTables t;
    return t;
}

std::string text(const char* s)
{
    return s ? s : "";
}

bool copyMenu(const PlMenuTemplate* menu, int depth, std::vector<MenuItemResource>* out)
{
    if (!menu || depth > kMaxMenuDepth || menu->itemCount < 0 || (menu->itemCount > 0 && !menu->items))
        return false;
    for (int i = 0; i < menu->itemCount; ++i) {
        const PlMenuItemTemplate& t = menu->items[i];
        MenuItemResource item;
        item.text = text(t.text);
        item.id = t.id;
        item.flags = t.flags;
        if (t.flags & MF_POPUP) {
            if (!t.popup || !copyMenu(t.popup, depth + 1, &item.popup))
                return false;
        }
        out->push_back(std::move(item));
    }
    return true;
}

template <typename Map>
auto* lookup(Map& map, HINSTANCE instance, LPCSTR name)
{
    using Value = typename Map::mapped_type;
    if (!name || !IS_INTRESOURCE(name))
        return static_cast<const Value*>(nullptr);
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
    auto it = map.find(Key{instance, id});
    if (it != map.end())
        return static_cast<const Value*>(&it->second);
    if (instance)
        return static_cast<const Value*>(nullptr);
    // Without a module, any module's resource of that id.
    for (auto& [key, value] : map)
        if (key.second == id)
            return static_cast<const Value*>(&value);
    return static_cast<const Value*>(nullptr);
}

}  // namespace

const DialogResource* findDialogResource(HINSTANCE instance, LPCSTR name)
{
    return lookup(tables().dialogs, instance, name);
}

const std::vector<MenuItemResource>* findMenuResource(HINSTANCE instance, LPCSTR name)
{
    return lookup(tables().menus, instance, name);
}

const PlCursorTemplate* findCursorResource(HINSTANCE instance, int id)
{
    auto& cursors = tables().cursors;
    auto it = cursors.find(Key{instance, id});
    return it == cursors.end() ? nullptr : &it->second;
}

}  // namespace pl

using namespace pl;

HINSTANCE PlModuleFromAddress(const void* address)
{
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fbase)
        return nullptr;
    return static_cast<HINSTANCE>(info.dli_fbase);
}

BOOL PlRegisterDialogTemplate(HINSTANCE instance, int id, const PlDialogTemplate* dialog)
{
    if (!instance || !dialog || dialog->itemCount < 0 || (dialog->itemCount > 0 && !dialog->items))
        return FALSE;
    DialogResource r;
    r.style = dialog->style;
    r.exStyle = dialog->exStyle;
    r.x = dialog->x;
    r.y = dialog->y;
    r.cx = dialog->cx;
    r.cy = dialog->cy;
    r.caption = text(dialog->caption);
    r.fontFace = text(dialog->fontFace);
    r.fontSize = dialog->fontSize;
    for (int i = 0; i < dialog->itemCount; ++i) {
        const PlDialogItemTemplate& t = dialog->items[i];
        DialogItemResource item;
        item.className = text(t.className);
        item.text = text(t.text);
        item.id = t.id;
        item.style = t.style;
        item.exStyle = t.exStyle;
        item.x = t.x;
        item.y = t.y;
        item.cx = t.cx;
        item.cy = t.cy;
        r.items.push_back(std::move(item));
    }
    tables().dialogs[Key{instance, id}] = std::move(r);
    return TRUE;
}

BOOL PlRegisterMenu(HINSTANCE instance, int id, const PlMenuTemplate* menu)
{
    std::vector<MenuItemResource> items;
    if (!instance || !copyMenu(menu, 0, &items))
        return FALSE;
    tables().menus[Key{instance, id}] = std::move(items);
    return TRUE;
}

BOOL PlRegisterCursor(HINSTANCE instance, int id, const PlCursorTemplate* cursor)
{
    if (!instance || !cursor || cursor->hotSpot.x < 0 || cursor->hotSpot.x > 31 || cursor->hotSpot.y < 0 ||
        cursor->hotSpot.y > 31)
        return FALSE;
    tables().cursors[Key{instance, id}] = *cursor;
    return TRUE;
}
