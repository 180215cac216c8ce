// The symbol font of window decorations, drawn as shapes: the system draws
// its arrows, expand marks and close crosses with it, and only those shapes
// matter. Each symbol is a square cell of the font's height.
#include "glyphcache.h"

namespace gdi {

namespace {

class SymbolSource : public GlyphSource {
public:
    explicit SymbolSource(int em)
    {
        m_metrics.emPixels = em;
        m_metrics.ascent = em;
        m_metrics.descent = 0;
        m_metrics.aveCharWidth = em;
        m_metrics.maxCharWidth = em;
    }

protected:
    Glyph render(unsigned char c) override
    {
        int n = m_metrics.emPixels;
        Glyph g;
        g.width = g.height = g.advance = n;
        g.top = n;
        g.coverage.assign(size_t(n) * size_t(n), 0);
        // A triangle about half the cell wide: base odd so its tip is one pixel.
        int base = (n * 7 / 13) | 1;
        if (base < 3)
            base = 3;
        if (base > n)
            base = n % 2 ? n : n - 1;
        int depth = (base + 1) / 2;
        switch (c) {
        case 't':
        case '6': triangle(g, base, depth, 0, 1); break;   // down
        case 'u':
        case '5': triangle(g, base, depth, 0, -1); break;  // up
        case '3': triangle(g, base, depth, -1, 0); break;  // left
        case '4': triangle(g, base, depth, 1, 0); break;   // right
        case 'r': cross(g, base); break;
        default: break;  // other symbols stay blank
        }
        return g;
    }

private:
    void set(Glyph& g, int x, int y)
    {
        if (x >= 0 && y >= 0 && x < g.width && y < g.height)
            g.coverage[size_t(y) * size_t(g.width) + size_t(x)] = 255;
    }

    // Row i of the triangle (0 at the base) spans base - 2i pixels. dx/dy
    // give the direction the tip points to.
    void triangle(Glyph& g, int base, int depth, int dx, int dy)
    {
        int n = g.width;
        int along0 = (n - base) / 2;    // start of the base along its own axis
        int across0 = (n - depth) / 2;  // first row across the base
        for (int i = 0; i < depth; ++i) {
            int row = (dx > 0 || dy > 0) ? across0 + i : across0 + depth - 1 - i;
            for (int k = along0 + i; k < along0 + base - i; ++k) {
                if (dy != 0)
                    set(g, k, row);
                else
                    set(g, row, k);
            }
        }
    }

    // Two diagonals of the square, doubled in width in larger cells.
    void cross(Glyph& g, int size)
    {
        int n = g.width;
        int origin = (n - size) / 2;
        int thickness = n >= 12 ? 2 : 1;
        for (int y = 0; y < size; ++y) {
            for (int t = 0; t < thickness; ++t) {
                int x = y + t;
                if (x >= size)
                    continue;
                set(g, origin + x, origin + y);
                set(g, origin + size - 1 - x, origin + y);
            }
        }
    }
};

}  // namespace

std::unique_ptr<GlyphSource> MakeSymbolSource(int emPixels)
{
    return std::make_unique<SymbolSource>(emPixels);
}

}  // namespace gdi
