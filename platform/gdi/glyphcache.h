// Rendered glyphs per face and size. Text is drawn from these cached
// coverage maps, so a label repainted on every tick costs no rasterising.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gdi {

struct Glyph {
    int width = 0;    // coverage map size
    int height = 0;
    int left = 0;     // from the pen position to the map's left column
    int top = 0;      // from the baseline up to the map's top row
    int advance = 0;  // whole pixels
    std::vector<uint8_t> coverage;  // 0..255, rows top-down
};

struct FontMetrics {
    int emPixels = 0;
    int ascent = 0;
    int descent = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 1;  // rows below the baseline
    int underlineThickness = 1;
};

class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    const FontMetrics& metrics() const { return m_metrics; }
    // Glyph of one 8-bit character (Windows-1252).
    const Glyph& glyph(unsigned char c);

protected:
    virtual Glyph render(unsigned char c) = 0;
    FontMetrics m_metrics;

private:
    std::unique_ptr<Glyph> m_glyphs[256];
};

struct FaceRequest {
    std::string file;  // empty for the drawn symbol font
    int emPixels = 12;
    bool italic = false;
    bool bold = false;  // for the symbol font: nothing; files carry their weight
    int widthPercent = 100;  // horizontal scale of the glyphs
};

// Shared source for a face and size; null when the font file cannot be read.
GlyphSource* GetGlyphSource(const FaceRequest& request);

// Em size in pixels that gives the requested cell height (ascent + descent)
// with the face of `file`; 0 when the file cannot be read.
int EmForCellHeight(const std::string& file, int cellHeight);

// The drawn symbol font standing in for "Marlett" (marlett.cpp).
std::unique_ptr<GlyphSource> MakeSymbolSource(int emPixels);

}  // namespace gdi
