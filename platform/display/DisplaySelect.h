// Which display is in use.
#pragma once

#include "DisplayDriver.h"

namespace pl {

class HeadlessDisplay;
class X11Display;

// The headless display, or null when another display is in use.
HeadlessDisplay* headlessDisplay();
// The X11 display, or null when another display is in use.
X11Display* x11Display();

}  // namespace pl
