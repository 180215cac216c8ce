#pragma once

#include <vector>

#include "object.h"

namespace gdi {

struct Brush : GdiObject {
    Brush() : GdiObject(OBJ_BRUSH) {}
    int m_style = BS_SOLID;  // BS_SOLID, BS_NULL, BS_PATTERN
    COLORREF m_color = 0;
    // BS_PATTERN: a copy of the pattern bitmap. A monochrome pattern takes
    // the DC's colours when used: set bits the background colour, clear bits
    // the text colour.
    int m_patternWidth = 0;
    int m_patternHeight = 0;
    bool m_monoPattern = false;
    std::vector<uint32_t> m_pattern;  // 0x00RRGGBB, or 0/0xFFFFFF when mono

    bool isNull() const { return m_style == BS_NULL; }
};

// Returns the brush behind a handle or a (HBRUSH)(COLOR_xxx + 1) value.
Brush* ResolveBrush(HBRUSH brush);

}  // namespace gdi
