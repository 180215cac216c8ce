// Module resources of the stand-in layer: dialog templates, menus and cursors
// are plain C++ tables that the module owning them registers at load time
// (typically from a static initialiser), keyed by the module's HINSTANCE and a
// numeric id, the way the native resource section is keyed.
//
// The registry copies every table, so the tables may be temporaries.
// Registering the same (module, id) again replaces the earlier entry.
#pragma once

#include "winuser.h"

// ---- Modules -------------------------------------------------------------------
// The HINSTANCE of the shared object or executable containing `address`
// (the load address that dladdr reports); null when no loaded module
// contains it. Call it with the address of a function of the module.
HINSTANCE PlModuleFromAddress(const void* address);

// ---- Dialog templates ------------------------------------------------------------
// One control of a dialog. Position and size are dialog units; WS_CHILD is
// added to the style.
struct PlDialogItemTemplate {
    const char* className;  // "Button", "Static", "ScrollBar", "SysTabControl32", or a registered class
    const char* text;
    int id;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

// A dialog. Position and size are dialog units, converted with the base units
// of the template font (DS_SETFONT with fontFace and fontSize in points) or of
// the system font. The size is that of the client area.
struct PlDialogTemplate {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    const char* caption;
    const char* fontFace;
    int fontSize;
    const PlDialogItemTemplate* items;
    int itemCount;
};

// FALSE for a null template or instance, or a template whose item count is
// negative or whose items are missing.
BOOL PlRegisterDialogTemplate(HINSTANCE instance, int id, const PlDialogTemplate* dialog);

// ---- Menus --------------------------------------------------------------------------
// One menu item. A separator has flags MF_SEPARATOR and no text. A pop-up
// item has MF_POPUP and its items in `popup`; its id is not used.
// MF_GRAYED, MF_DISABLED and MF_CHECKED give the initial state.
struct PlMenuTemplate;
struct PlMenuItemTemplate {
    const char* text;
    UINT id;
    UINT flags;
    const PlMenuTemplate* popup;
};
struct PlMenuTemplate {
    const PlMenuItemTemplate* items;
    int itemCount;
};

// LoadMenuA builds a new menu from the table each time. FALSE for a null
// template, a pop-up item without items, or nesting deeper than 8 levels.
BOOL PlRegisterMenu(HINSTANCE instance, int id, const PlMenuTemplate* menu);

// ---- Cursors ---------------------------------------------------------------------------
// A 32 x 32 monochrome cursor: rows top-down, 4 bytes a row, most significant
// bit leftmost. As natively, a pixel is black where AND = 0 and XOR = 0,
// white where AND = 0 and XOR = 1, transparent where AND = 1 and XOR = 0 and
// inverting where both are 1.
struct PlCursorTemplate {
    POINT hotSpot;
    BYTE andMask[128];
    BYTE xorMask[128];
};

// LoadCursorA(instance, MAKEINTRESOURCE(id)) returns one shared handle per
// registered cursor. FALSE for a null template or a hot spot outside 0..31.
BOOL PlRegisterCursor(HINSTANCE instance, int id, const PlCursorTemplate* cursor);
