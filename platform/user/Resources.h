// The registered module resources (plresource.h), copied into owned form.
#pragma once

#include <string>
#include <vector>

#include "plresource.h"

namespace pl {

struct DialogItemResource {
    std::string className;
    std::string text;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogResource {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string fontFace;
    int fontSize = 0;
    std::vector<DialogItemResource> items;
};

struct MenuItemResource {
    std::string text;
    UINT id = 0;
    UINT flags = 0;
    std::vector<MenuItemResource> popup;
};

// Null when the module registered nothing under that name; names are
// MAKEINTRESOURCE ids.
const DialogResource* findDialogResource(HINSTANCE instance, LPCSTR name);
const std::vector<MenuItemResource>* findMenuResource(HINSTANCE instance, LPCSTR name);
const PlCursorTemplate* findCursorResource(HINSTANCE instance, int id);

}  // namespace pl
