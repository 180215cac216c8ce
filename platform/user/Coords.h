// Finding the window under a screen point, the way mouse input is routed.
#pragma once

#include "Window.h"

namespace pl {

// The deepest shown, enabled window under the point whose WM_NCHITTEST does
// not answer HTTRANSPARENT, with that answer in *hitCode. A disabled child
// hands the point to its parent. Null when no window is there.
Window* windowAtPoint(POINT screen, LRESULT* hitCode);

}  // namespace pl
