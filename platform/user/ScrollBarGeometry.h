// Geometry of a classic scroll bar: two arrow buttons, the track and the
// thumb, shared by the standard bars and the scroll bar control.
#pragma once

#include "Window.h"

namespace pl {

enum ScrollPart { kPartNone = -1, kPartLineUp = 0, kPartPageUp, kPartThumb, kPartPageDown, kPartLineDown };

struct ScrollLayout {
    bool vertical = true;
    int length = 0;      // along the bar
    int arrow = 0;       // size of each arrow button along the bar
    int thumbStart = 0;  // offset of the thumb from the bar's start, 0 when there is no thumb
    int thumbSize = 0;
};

ScrollLayout scrollLayout(const RECT& bar, bool vertical, const ScrollBarState& state, int position);
// The part under an offset along the bar.
ScrollPart scrollPartAt(const ScrollLayout& layout, int offset);
// The position a thumb starting at `thumbStart` stands for.
int scrollPositionAt(const ScrollLayout& layout, const ScrollBarState& state, int thumbStart);
void redrawScrollBar(Window* w, int bar);

}  // namespace pl
