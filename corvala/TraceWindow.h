// The host's trace window, private side: where EDITTRACE hands its lines.
#pragma once

#include "windows.h"

namespace corvala {

// Appends the line to `wnd` when it is a trace window; otherwise nothing.
void AppendToTraceWindow(HWND wnd, const char* text);

}  // namespace corvala
