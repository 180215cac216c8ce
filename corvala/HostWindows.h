// Window classes of the host library's own windows, private to the library.
#pragma once

#include <string>

#include "windows.h"

namespace corvala {

// Registers the class once; FALSE when the window system refused it.
bool RegisterHostClass(const char* className, WNDPROC proc, int backgroundColor);
// The module handle the library's classes are registered with.
HINSTANCE LibraryInstance();

// A window's text, whole.
std::string WindowText(HWND wnd);

// Copies `text` into a caller buffer of REQUEST_TEXT_SIZE bytes, cut to 4095
// characters; answers the whole length, or -1 for a null buffer.
LRESULT CopyToRequestBuffer(const std::string& text, LPARAM buffer);

// The window whose handle has these low 32 bits, for records that carry a
// window handle in a 32-bit field. Null for 0 or when no live window matches.
HWND WindowFromLow32(DWORD value);

}  // namespace corvala
