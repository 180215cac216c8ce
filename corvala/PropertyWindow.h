// The TEIOUI template: a host property window that shows the configuration
// lines an object sends it.
#pragma once

#include <string>

#include "windows.h"

namespace corvala {

// Creates the window, hidden, titled `title` and owned by `owner` (may be
// null). Null when the window system refuses it.
HWND CreatePropertyWindow(HWND owner, const std::string& title);

}  // namespace corvala
