// Text helpers shared by the text calls and DrawText.
#pragma once

#include "dc.h"
#include "font.h"

namespace gdi {

// The DC's selected font (the stock system font if the handle went stale).
const Font& SelectedFont(DeviceContext& dc);

// Advance width of a string in whole pixels.
int TextWidth(GlyphSource& source, const char* text, int count);

// A one-pixel-high bar in the text colour under text, in logical
// coordinates (DrawText's prefix underline); `clip` limits it when given.
void DrawTextBar(DeviceContext& dc, int x, int y, int width, const RECT* clip);

}  // namespace gdi
