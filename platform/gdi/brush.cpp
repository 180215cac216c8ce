// Brushes: solid, pattern (a private copy of the bitmap), null.
#include "brush.h"

#include "bitmap.h"
#include "winuser.h"

namespace gdi {

Brush* ResolveBrush(HBRUSH handle)
{
    // Window classes and FillRect accept a system colour index + 1 in place
    // of a brush.
    auto value = reinterpret_cast<uintptr_t>(handle);
    if (value >= 1 && value <= COLOR_GRADIENTINACTIVECAPTION + 1)
        handle = GetSysColorBrush(int(value - 1));
    return LookupAs<Brush>(handle, OBJ_BRUSH);
}

}  // namespace gdi

using namespace gdi;

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto brush = std::make_unique<Brush>();
    brush->m_style = BS_SOLID;
    brush->m_color = color & 0x00FFFFFFu;
    return static_cast<HBRUSH>(RegisterObject(std::move(brush)));
}

HBRUSH CreatePatternBrush(HBITMAP handle)
{
    Bitmap* bitmap = LookupAs<Bitmap>(handle, OBJ_BITMAP);
    if (!bitmap)
        return nullptr;
    auto brush = std::make_unique<Brush>();
    brush->m_style = BS_PATTERN;
    brush->m_patternWidth = bitmap->m_pixels->width;
    brush->m_patternHeight = bitmap->m_pixels->height;
    brush->m_monoPattern = bitmap->m_pixels->mono;
    brush->m_pattern = bitmap->m_pixels->pixels;
    for (uint32_t& p : brush->m_pattern)
        p &= 0x00FFFFFFu;
    return static_cast<HBRUSH>(RegisterObject(std::move(brush)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* log)
{
    if (!log)
        return nullptr;
    switch (log->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(log->lbColor);
    case BS_NULL: {
        auto brush = std::make_unique<Brush>();
        brush->m_style = BS_NULL;
        return static_cast<HBRUSH>(RegisterObject(std::move(brush)));
    }
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(log->lbHatch));
    default:
        return nullptr;  // hatch styles are not supported
    }
}
