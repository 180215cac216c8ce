// The cursor shown while a palette item is dragged: the module's cursor
// resource IDC_PALETTE_DRAG.
#pragma once

#include "windef.h"

HCURSOR LoadPaletteDragCursor();
