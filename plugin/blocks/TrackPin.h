// One pin of a canvas object: a small square on the object's left (input) or
// right (output) edge, with the lines attached to it.
#pragma once

#include "windef.h"

class CLineItem;

// Line slots of one pin. New lines take only the first TRACKPIN_NEW_LINE_SLOTS
// of them (all of them for objects of type TRACK_TYPE_WIDE_PINS), so that a
// pin keeps room for lines that arrive when a program is reloaded.
constexpr int TRACKPIN_LINE_SLOTS = 100;
constexpr int TRACKPIN_NEW_LINE_SLOTS = 48;
constexpr int TRACKPIN_LABEL_SIZE = 16;

// Pins are 7 x 7 squares; a line ends on the pin's centre, 3 pixels in.
constexpr int TRACKPIN_SIZE = 7;

struct TrackPin {
    RECT m_rcPin;                               // square on the canvas
    char m_szLabel[TRACKPIN_LABEL_SIZE];        // drawn beside the pin
    CLineItem* m_pLines[TRACKPIN_LINE_SLOTS];   // attached lines; null is free
};
