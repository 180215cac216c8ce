// The palette as read from a palette definition file: folders, their groups
// and the items of each group, with the rectangles the outlook bar lays them
// out in.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Corvala.h"
#include "windef.h"

struct PaletteItem {
    std::string m_strName;     // display name ("class")
    std::string m_strIcon;     // icon file, relative to the host folder ("icon")
    KIVOBitmap* m_pBitmap = nullptr;  // obtained on first paint; released with the item
    RECT m_rcItem{};
    std::string m_strCommand;  // keyword=parameter ("cfg"), what a drop sends

    PaletteItem() = default;
    PaletteItem(const PaletteItem&) = delete;
    PaletteItem& operator=(const PaletteItem&) = delete;
    ~PaletteItem();

    // The icon, asked from the host library until it answers; null while it
    // has none (an item without icon file, or a file it cannot read).
    KIVOBitmap* GetBitmap();
};

struct PaletteGroup {
    std::string m_strName;  // empty: a group without header
    RECT m_rcGroup{};       // header and items
    BYTE m_bExpanded = 1;
    std::vector<std::unique_ptr<PaletteItem>> m_Items;
};

struct PaletteFolder {
    std::string m_strName;
    RECT m_rcButton{};
    std::vector<std::unique_ptr<PaletteGroup>> m_Groups;
};

using PaletteFolderList = std::vector<std::unique_ptr<PaletteFolder>>;
