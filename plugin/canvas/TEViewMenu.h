// Menu 15072 of the task-engine view: three pop-ups, one for a block, one for
// a line and one for empty canvas. Registered under the plug-in's own module.
#pragma once

#include "windef.h"

constexpr UINT IDR_TEVIEW_MENU = 15072;

// Pop-up positions in the menu.
constexpr int TEVIEW_POPUP_OBJECT = 0;  // "TrackObjectMenu"
constexpr int TEVIEW_POPUP_LINE = 1;    // "LineObjectMenu"
constexpr int TEVIEW_POPUP_VIEW = 2;    // "ViewMenu"

// Commands.
constexpr UINT ID_TE_OPEN = 15099;
constexpr UINT ID_TE_OBJECT_PROPERTIES = 15076;
constexpr UINT ID_TE_COPY = 15083;
constexpr UINT ID_TE_CUT = 15081;
constexpr UINT ID_TE_PASTE = 15569;
constexpr UINT ID_TE_DELETE = 15570;
constexpr UINT ID_TE_TO_FOREGROUND = 15074;
constexpr UINT ID_TE_TO_BACKGROUND = 15079;
constexpr UINT ID_TE_SUPERBLOCK = 15577;
constexpr UINT ID_TE_CHANGE_COLOR = 15095;
constexpr UINT ID_TE_DELETE_NODE = 15578;
constexpr UINT ID_TE_VIEW_PROPERTIES = 15097;

// The module whose resources hold the menu.
HINSTANCE TEViewModule();
