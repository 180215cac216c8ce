#include "canvas/TEViewMenu.h"

#include <iterator>

#include "plresource.h"

namespace {

const PlMenuItemTemplate kObjectItems[] = {
    {"Open", ID_TE_OPEN, MF_STRING, nullptr},
    {"Modify Properties", ID_TE_OBJECT_PROPERTIES, MF_STRING, nullptr},
    {nullptr, 0, MF_SEPARATOR, nullptr},
    {"Copy Component(s)", ID_TE_COPY, MF_STRING, nullptr},
    {"Cut Component(s)", ID_TE_CUT, MF_STRING, nullptr},
    {"Paste Component(s)", ID_TE_PASTE, MF_STRING, nullptr},
    {"Delete Component(s)", ID_TE_DELETE, MF_STRING, nullptr},
    {nullptr, 0, MF_SEPARATOR, nullptr},
    {"Move To Foreground", ID_TE_TO_FOREGROUND, MF_STRING, nullptr},
    {"Move To Background", ID_TE_TO_BACKGROUND, MF_STRING, nullptr},
    {nullptr, 0, MF_SEPARATOR, nullptr},
    {"Create Superblock", ID_TE_SUPERBLOCK, MF_STRING | MF_GRAYED, nullptr},
};
const PlMenuItemTemplate kLineItems[] = {
    {"Change Color", ID_TE_CHANGE_COLOR, MF_STRING, nullptr},
    {"Delete Node", ID_TE_DELETE_NODE, MF_STRING, nullptr},
};
const PlMenuItemTemplate kViewItems[] = {
    {"Modify Properties", ID_TE_VIEW_PROPERTIES, MF_STRING, nullptr},
};
const PlMenuTemplate kObjectMenu = {kObjectItems, static_cast<int>(std::size(kObjectItems))};
const PlMenuTemplate kLineMenu = {kLineItems, static_cast<int>(std::size(kLineItems))};
const PlMenuTemplate kViewMenu = {kViewItems, static_cast<int>(std::size(kViewItems))};

const PlMenuItemTemplate kPopups[] = {
    {"TrackObjectMenu", 0, MF_POPUP, &kObjectMenu},
    {"LineObjectMenu", 0, MF_POPUP, &kLineMenu},
    {"ViewMenu", 0, MF_POPUP, &kViewMenu},
};
const PlMenuTemplate kMenu = {kPopups, static_cast<int>(std::size(kPopups))};

[[maybe_unused]] const bool registered = PlRegisterMenu(TEViewModule(), IDR_TEVIEW_MENU, &kMenu) != FALSE;

}  // namespace

HINSTANCE TEViewModule() { return PlModuleFromAddress(reinterpret_cast<const void*>(&TEViewModule)); }
