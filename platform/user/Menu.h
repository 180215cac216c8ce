// Menu objects behind HMENU handles.
#pragma once

#include <string>
#include <vector>

#include "winuser.h"

namespace pl {

struct MenuItem {
    UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR, MF_HILITE
    UINT_PTR id = 0;
    std::string text;
    HMENU popup = nullptr;
};

struct Menu {
    std::vector<MenuItem> items;
    bool popup = false;
};

Menu* findMenu(HMENU menu);
// The item that `item` names (a command id searched through the pop-ups, or
// a position), or null.
MenuItem* findMenuItem(HMENU menu, UINT item, UINT flags);

constexpr UINT kMenuStateMask = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR | MF_HILITE;

inline bool isChoosable(const MenuItem& item)
{
    return !(item.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_POPUP));
}

}  // namespace pl
