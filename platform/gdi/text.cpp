// Text output: glyph coverage blended in the text colour, background cells
// in opaque mode, alignment, turned text, metrics and extents.
#include "text.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>

#include "raster.h"

namespace gdi {

namespace {

// Where a text's box lies: u runs along the text, v down across it. A
// turned font (escapement 900) maps u upwards and v to the right.
struct TextFrame {
    POINT reference;  // surface pixel of the reference point
    bool turned = false;
    POINT map(int u, int v) const
    {
        // Turned, the pixel column u of the text lands on row -1 - u, so the
        // text occupies the rows above the reference point.
        return turned ? POINT{reference.x + v, reference.y - 1 - u} : POINT{reference.x + u, reference.y + v};
    }
    // Pixels u0 <= u < u1, v0 <= v < v1 of the text frame.
    RECT box(int u0, int v0, int u1, int v1) const
    {
        if (!turned)
            return RECT{reference.x + u0, reference.y + v0, reference.x + u1, reference.y + v1};
        return RECT{reference.x + v0, reference.y - u1, reference.x + v1, reference.y - u0};
    }
};

// Each channel (c * alpha + d * (255 - alpha)) / 255, rounded. Red and blue
// are worked out together in the two 16-bit halves of one word (no half
// can carry into the other: t stays below 65,408), green on its own; the
// division by 255 is done by shifts, exact for every t up to 65534.
// Alpha 255 gives the colour exactly, so no pixel needs a branch of its own.
uint32_t Blend(uint32_t dst, uint32_t color, unsigned alpha)
{
    const uint32_t inverse = 255 - alpha;
    auto divide = [](uint32_t t, uint32_t lanes) { return ((t + ((t >> 8) & lanes) + (0x00010001u & lanes)) >> 8) & lanes; };
    uint32_t redBlue = (color & 0x00FF00FFu) * alpha + (dst & 0x00FF00FFu) * inverse + 0x007F007Fu;
    uint32_t green = ((color >> 8) & 0xFFu) * alpha + ((dst >> 8) & 0xFFu) * inverse + 0x7Fu;
    return divide(redBlue, 0x00FF00FFu) | (divide(green, 0xFFu) << 8);
}

uint32_t BlendCovered(uint32_t dst, uint32_t color, uint8_t alpha)
{
    return alpha ? Blend(dst & 0x00FFFFFFu, color, alpha) : dst;
}

#if defined(__SSE2__)
// Four pixels at a time: the same sums and the same division as Blend, on
// 16-bit lanes (c * a + d * (255 - a) + 127 stays below 65,408, so nothing
// wraps); uncovered pixels are kept as they were.
void BlendRow(uint32_t* dst, const uint8_t* coverage, int count, uint32_t color)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(127);
    const __m128i one = _mm_set1_epi16(1);
    const __m128i rgbMask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i colorWide = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color)), zero);
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        uint32_t fourAlphas;
        std::memcpy(&fourAlphas, coverage + x, sizeof fourAlphas);
        if (fourAlphas == 0)
            continue;
        // Each pixel's alpha in all four of its 16-bit channel lanes.
        __m128i alphas = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(fourAlphas)), zero);
        alphas = _mm_unpacklo_epi16(alphas, alphas);
        __m128i alphaLow = _mm_unpacklo_epi32(alphas, alphas);
        __m128i alphaHigh = _mm_unpackhi_epi32(alphas, alphas);
        __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + x));
        auto blendTwo = [&](__m128i wide, __m128i alpha) {
            __m128i t = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(colorWide, alpha),
                                                    _mm_mullo_epi16(wide, _mm_sub_epi16(full, alpha))),
                                      half);
            return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), one), 8);
        };
        __m128i low = blendTwo(_mm_unpacklo_epi8(pixels, zero), alphaLow);
        __m128i high = blendTwo(_mm_unpackhi_epi8(pixels, zero), alphaHigh);
        __m128i blended = _mm_and_si128(_mm_packus_epi16(low, high), rgbMask);
        __m128i uncovered = _mm_cmpeq_epi32(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(fourAlphas)), zero), zero), zero);
        __m128i kept = _mm_or_si128(_mm_and_si128(uncovered, pixels), _mm_andnot_si128(uncovered, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), kept);
    }
    for (; x < count; ++x)
        dst[x] = BlendCovered(dst[x], color, coverage[x]);
}
#else
void BlendRow(uint32_t* dst, const uint8_t* coverage, int count, uint32_t color)
{
    for (int x = 0; x < count; ++x)
        dst[x] = BlendCovered(dst[x], color, coverage[x]);
}
#endif

class GlyphPainter {
public:
    GlyphPainter(DeviceContext& dc, Canvas& canvas, const RECT* clip)
        : m_canvas(canvas), m_clip(clip), m_color(TargetPixel(dc, dc.m_state.textColor)), m_mono(dc.m_target->mono)
    {
    }

    // Glyph with its pen position at (u, baseline v) of the frame.
    void draw(const Glyph& g, const TextFrame& frame, int u, int v)
    {
        if (g.width == 0 || g.height == 0)
            return;
        int gu = u + g.left, gv = v - g.top;
        if (frame.turned) {
            drawTurned(g, frame, gu, gv);
            return;
        }
        POINT origin = frame.map(gu, gv);
        RECT area{origin.x, origin.y, origin.x + g.width, origin.y + g.height};
        if (m_clip)
            area = RectIntersection(area, *m_clip);
        m_canvas.forEachClipped(area, [&](const RECT& part) {
            for (int y = part.top; y < part.bottom; ++y) {
                const uint8_t* cov = g.coverage.data() + size_t(y - origin.y) * size_t(g.width) - origin.x;
                uint32_t* row = m_canvas.pixels().row(y);
                if (m_mono) {
                    for (int x = part.left; x < part.right; ++x)
                        put(row[x], cov[x]);
                    continue;
                }
                BlendRow(row + part.left, cov + part.left, part.right - part.left, m_color);
            }
        });
    }

private:
    void drawTurned(const Glyph& g, const TextFrame& frame, int gu, int gv)
    {
        for (int gy = 0; gy < g.height; ++gy) {
            for (int gx = 0; gx < g.width; ++gx) {
                uint8_t a = g.coverage[size_t(gy) * size_t(g.width) + size_t(gx)];
                if (!a)
                    continue;
                POINT p = frame.map(gu + gx, gv + gy);
                if (!m_canvas.visible(p.x, p.y))
                    continue;
                if (m_clip && (p.x < m_clip->left || p.x >= m_clip->right || p.y < m_clip->top ||
                               p.y >= m_clip->bottom))
                    continue;
                put(m_canvas.pixels().row(p.y)[p.x], a);
            }
        }
    }

    void put(uint32_t& pixel, uint8_t alpha)
    {
        if (!alpha)
            return;
        if (m_mono) {
            if (alpha >= 128)
                pixel = m_color;
            return;
        }
        pixel = Blend(pixel & 0x00FFFFFFu, m_color, alpha);
    }

    Canvas& m_canvas;
    const RECT* m_clip;
    uint32_t m_color;
    bool m_mono;
};

void FillBox(DeviceContext& dc, Canvas& canvas, RECT box, const RECT* clip)
{
    if (clip)
        box = RectIntersection(box, *clip);
    canvas.fillRect(box, ColorInk(dc, dc.m_state.bkColor, R2_COPYPEN));
}

BOOL OutputText(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, const char* text, int count,
                const INT* dx)
{
    const Font& font = SelectedFont(dc);
    GlyphSource* source = font.source();
    if (!source)
        return FALSE;
    const FontMetrics& m = source->metrics();
    Canvas canvas(dc);

    RECT surfaceRect{};
    const RECT* clip = nullptr;
    if (rect) {
        POINT a = dc.toSurface(rect->left, rect->top), b = dc.toSurface(rect->right, rect->bottom);
        surfaceRect = NormalizedRect(a.x, a.y, b.x, b.y);
        if (options & ETO_OPAQUE)
            canvas.fillRect(surfaceRect, ColorInk(dc, dc.m_state.bkColor, R2_COPYPEN));
        if (options & ETO_CLIPPED)
            clip = &surfaceRect;
    }
    if (count <= 0 || !text)
        return TRUE;

    auto advanceAt = [&](int i) {
        return dx ? dx[i] : source->glyph(static_cast<unsigned char>(text[i])).advance;
    };
    int width = 0;
    for (int i = 0; i < count; ++i)
        width += advanceAt(i);

    UINT align = dc.m_state.textAlign;
    POINT reference = (align & TA_UPDATECP) ? dc.m_state.position : POINT{x, y};
    TextFrame frame;
    frame.reference = dc.toSurface(reference.x, reference.y);
    frame.turned = font.m_log.lfEscapement == 900;

    int u0 = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        u0 = -width / 2;
    else if (align & TA_RIGHT)
        u0 = -width;
    int baseline = m.ascent;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -m.descent;

    if (dc.m_state.bkMode == OPAQUE)
        FillBox(dc, canvas, frame.box(u0, baseline - m.ascent, u0 + width, baseline + m.descent), clip);

    GlyphPainter painter(dc, canvas, clip);
    int u = u0;
    for (int i = 0; i < count; ++i) {
        painter.draw(source->glyph(static_cast<unsigned char>(text[i])), frame, u, baseline);
        u += advanceAt(i);
    }

    Ink bar = ColorInk(dc, dc.m_state.textColor, R2_COPYPEN);
    auto drawBar = [&](int v, int thickness) {
        RECT box = frame.box(u0, v, u0 + width, v + thickness);
        if (clip)
            box = RectIntersection(box, *clip);
        canvas.fillRect(box, bar);
    };
    if (font.m_log.lfUnderline)
        drawBar(baseline + m.underlinePosition, m.underlineThickness);
    if (font.m_log.lfStrikeOut)
        drawBar(baseline - m.ascent / 3, m.underlineThickness);

    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_CENTER) {
        } else if (align & TA_RIGHT) {
            dc.m_state.position.x -= width;
        } else {
            dc.m_state.position.x += width;
        }
    }
    return TRUE;
}

}  // namespace

const Font& SelectedFont(DeviceContext& dc)
{
    if (Font* font = LookupAs<Font>(dc.m_state.font, OBJ_FONT))
        return *font;
    return *LookupAs<Font>(GetStockObject(SYSTEM_FONT), OBJ_FONT);
}

int TextWidth(GlyphSource& source, const char* text, int count)
{
    int width = 0;
    for (int i = 0; i < count; ++i)
        width += source.glyph(static_cast<unsigned char>(text[i])).advance;
    return width;
}

void DrawTextBar(DeviceContext& dc, int x, int y, int width, const RECT* clip)
{
    Canvas canvas(dc);
    POINT p = dc.toSurface(x, y);
    RECT bar{p.x, p.y, p.x + width, p.y + 1};
    if (clip) {
        POINT a = dc.toSurface(clip->left, clip->top), b = dc.toSurface(clip->right, clip->bottom);
        bar = RectIntersection(bar, NormalizedRect(a.x, a.y, b.x, b.y));
    }
    canvas.fillRect(bar, ColorInk(dc, dc.m_state.textColor, R2_COPYPEN));
}

}  // namespace gdi

using namespace gdi;

BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int count)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 0 || (count > 0 && !text))
        return FALSE;
    return OutputText(*dc, x, y, 0, nullptr, text, count, nullptr);
}

BOOL ExtTextOutA(HDC handle, int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const INT* dx)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || (count > 0 && !text) || count > 0x7FFFFFFFu)
        return FALSE;
    return OutputText(*dc, x, y, options, rect, text, int(count), dx);
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int count, LPSIZE size)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !size || count < 0 || (count > 0 && !text))
        return FALSE;
    GlyphSource* source = SelectedFont(*dc).source();
    if (!source)
        return FALSE;
    size->cx = TextWidth(*source, text, count);
    size->cy = source->metrics().ascent + source->metrics().descent;
    return TRUE;
}

BOOL GetTextMetricsA(HDC handle, LPTEXTMETRICA out)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !out)
        return FALSE;
    const Font& font = SelectedFont(*dc);
    GlyphSource* source = font.source();
    if (!source)
        return FALSE;
    const FontMetrics& m = source->metrics();
    TEXTMETRICA t{};
    t.tmAscent = m.ascent;
    t.tmDescent = m.descent;
    t.tmHeight = m.ascent + m.descent;
    t.tmInternalLeading = std::max(0, t.tmHeight - m.emPixels);
    t.tmExternalLeading = 0;
    t.tmAveCharWidth = m.aveCharWidth;
    t.tmMaxCharWidth = m.maxCharWidth;
    t.tmWeight = font.m_log.lfWeight ? font.m_log.lfWeight : FW_NORMAL;
    t.tmDigitizedAspectX = 96;
    t.tmDigitizedAspectY = 96;
    t.tmFirstChar = 0x20;
    t.tmLastChar = 0xFF;
    t.tmDefaultChar = 0x1F;
    t.tmBreakChar = 0x20;
    t.tmItalic = font.m_log.lfItalic;
    t.tmUnderlined = font.m_log.lfUnderline;
    t.tmStruckOut = font.m_log.lfStrikeOut;
    // Variable pitch, vector, TrueType, sans-serif family.
    t.tmPitchAndFamily = 0x01 | 0x02 | 0x04 | 0x20;
    t.tmCharSet = font.m_symbol ? SYMBOL_CHARSET : ANSI_CHARSET;
    *out = t;
    return TRUE;
}

int GetTextFaceA(HDC handle, int size, LPSTR face)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return 0;
    const std::string& name = SelectedFont(*dc).m_face;
    if (!face)
        return int(name.size()) + 1;
    if (size <= 0)
        return 0;
    size_t n = std::min(name.size(), size_t(size - 1));
    std::memcpy(face, name.data(), n);
    face[n] = '\0';
    return int(n);
}
