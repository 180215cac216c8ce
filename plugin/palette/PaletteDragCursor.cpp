#include "palette/PaletteDragCursor.h"

#include <iterator>
#include <string>

#include "palette/COutlookBar.h"
#include "plresource.h"

namespace {

// An arrow with a small sheet under it. 'X' black, 'o' white, anything else
// transparent. The arrow's tip is the hot spot.
constexpr const char* kPicture[] = {
    "",
    "",
    "       X",
    "       XX",
    "       XoX",
    "       XooX",
    "       XoooX",
    "       XooooX",
    "       XoooooX",
    "       XooooooX",
    "       XoooooooX",
    "       XooooooooX",
    "       XoooooXXXXX",
    "       XooXooX",
    "       XoX XooX",
    "       XX  XooX",
    "       X    XooX",
    "            XooX",
    "             XX",
    "",
    "          XXXXXXXXXXX",
    "          XoooooooooX",
    "          XoXXXXXXXoX",
    "          XoooooooooX",
    "          XoXXXXXoooX",
    "          XoooooooooX",
    "          XXXXXXXXXXX",
};

PlCursorTemplate MakeCursor()
{
    PlCursorTemplate cursor{};
    cursor.hotSpot = POINT{7, 2};
    for (int y = 0; y < 32; ++y) {
        const char* row = y < int(std::size(kPicture)) ? kPicture[y] : "";
        for (int x = 0; x < 32; ++x) {
            char c = (row && x < int(std::char_traits<char>::length(row))) ? row[x] : ' ';
            BYTE bit = BYTE(0x80 >> (x % 8));
            int index = y * 4 + x / 8;
            if (c != 'X' && c != 'o')
                cursor.andMask[index] |= bit;
            if (c == 'o')
                cursor.xorMask[index] |= bit;
        }
    }
    return cursor;
}

HINSTANCE ThisModule()
{
    return PlModuleFromAddress(reinterpret_cast<const void*>(&ThisModule));
}

}  // namespace

HCURSOR LoadPaletteDragCursor()
{
    // Registered on first use: the module's resource table, like the native
    // resource section, only has to be there when the cursor is loaded.
    static const bool registered = [] {
        PlCursorTemplate cursor = MakeCursor();
        return PlRegisterCursor(ThisModule(), IDC_PALETTE_DRAG, &cursor) != FALSE;
    }();
    if (!registered)
        return nullptr;
    return LoadCursor(ThisModule(), MAKEINTRESOURCE(IDC_PALETTE_DRAG));
}
