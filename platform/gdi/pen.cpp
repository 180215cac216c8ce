// Pens: solid of any width, cosmetic styled pens (dot, dash, alternate), null.
#include "pen.h"

using namespace gdi;

namespace gdi {

DashPattern DashPatternOf(const Pen& pen)
{
    // Run lengths of the cosmetic styles, on first, in pixels.
    static const int dash[] = {18, 6};
    static const int dot[] = {3, 3};
    static const int dashDot[] = {9, 6, 3, 6};
    static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    static const int alternate[] = {1, 1};
    if (pen.m_width > 1)
        return {};
    switch (pen.m_style) {
    case PS_DASH: return {dash, 2};
    case PS_DOT: return {dot, 2};
    case PS_DASHDOT: return {dashDot, 4};
    case PS_DASHDOTDOT: return {dashDotDot, 6};
    case PS_ALTERNATE: return {alternate, 2};
    default: return {};
    }
}

}  // namespace gdi

namespace {

HPEN NewPen(int style, int width, COLORREF color)
{
    auto pen = std::make_unique<Pen>();
    pen->m_style = style;
    pen->m_width = width < 0 ? 0 : width;
    pen->m_color = color & 0x00FFFFFFu;
    // Styled lines exist only one pixel wide; wider ones are drawn solid.
    if (pen->m_width > 1 && style != PS_NULL && style != PS_INSIDEFRAME)
        pen->m_style = PS_SOLID;
    return static_cast<HPEN>(RegisterObject(std::move(pen)));
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return nullptr;
    return NewPen(style, width, color);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles)
{
    int penStyle = int(style & PS_STYLE_MASK);
    DWORD type = style & PS_TYPE_MASK;
    if (!brush || (styleCount != 0) != (styles != nullptr))
        return nullptr;
    if (penStyle == PS_USERSTYLE)
        return nullptr;  // user dash tables are not supported
    if (type == PS_COSMETIC && width != 1)
        return nullptr;  // cosmetic pens are one pixel wide
    if (penStyle == PS_ALTERNATE && type != PS_COSMETIC)
        return nullptr;
    if (brush->lbStyle == BS_NULL)
        return NewPen(PS_NULL, 0, 0);
    if (brush->lbStyle != BS_SOLID)
        return nullptr;  // pattern-brush pens are not supported
    return NewPen(penStyle, int(width), brush->lbColor);
}
