#pragma once

#include "object.h"

namespace gdi {

struct Pen : GdiObject {
    Pen() : GdiObject(OBJ_PEN) {}
    int m_style = PS_SOLID;  // PS_SOLID, PS_DOT, PS_ALTERNATE, PS_NULL, ...
    int m_width = 1;         // 0 and 1 are one pixel
    COLORREF m_color = 0;

    bool isNull() const { return m_style == PS_NULL; }
    int pixelWidth() const { return m_width < 1 ? 1 : m_width; }
};

// The on/off run lengths of a cosmetic styled pen; empty for a solid pen.
struct DashPattern {
    const int* runs = nullptr;
    int count = 0;
};
DashPattern DashPatternOf(const Pen& pen);

}  // namespace gdi
