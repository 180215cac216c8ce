// What a cursor handle stands for, so that a display can show it.
#pragma once

#include "windef.h"

namespace pl {

struct CursorDescription {
    bool system = false;
    int id = 0;                  // IDC_ number, or the resource id
    HINSTANCE module = nullptr;  // null for system cursors
    POINT hotSpot{};
    const BYTE* andMask = nullptr;  // 32 x 32, 4 bytes a row (module cursors only)
    const BYTE* xorMask = nullptr;
};

// False for a handle that is not a cursor.
bool describeCursor(HCURSOR cursor, CursorDescription* shape);

}  // namespace pl
