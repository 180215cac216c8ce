// The umbrella header of the native interface: basic types, drawing and the
// window system.
#pragma once

#include "windef.h"
#include "wingdi.h"
#include "winuser.h"
