// Line strokes shared by the line and shape calls. Coordinates are surface
// pixels; the end point is left out.
#pragma once

#include "pen.h"
#include "raster.h"

namespace gdi {

// Strokes a to b with the DC's pen, raster operation and background mode.
// A styled pen continues its pattern from the DC's dash phase.
void StrokeLine(DeviceContext& dc, Canvas& canvas, const Pen& pen, POINT a, POINT b);

// The DC's selected pen (the stock black pen if the handle went stale).
const Pen& SelectedPen(DeviceContext& dc);

}  // namespace gdi
