// FreeType faces per file and size, and the glyphs rendered from them.
#include "glyphcache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>
#include <tuple>

namespace gdi {

namespace {

// Windows-1252 characters 0x80..0x9F; 0 where the code page has none.
const uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned ToUnicode(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0)
        return kCp1252High[c - 0x80];
    return c;
}

// Glyphs are hinted by the font's own instructions and rendered in grey:
// at the 7 and 9 pixel sizes of block labels this stays the most legible
// (one-bit glyphs run together there, light hinting blurs them).
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_NORMAL;

class FreeTypeSource : public GlyphSource {
public:
    FreeTypeSource(FT_Face face, int emPixels, bool italic, int widthPercent) : m_face(face)
    {
        int widthPixels = std::max(1, int(std::lround(emPixels * widthPercent / 100.0)));
        FT_Set_Pixel_Sizes(m_face, FT_UInt(widthPixels), FT_UInt(emPixels));
        if (italic) {
            FT_Matrix shear{0x10000, 0x366A, 0, 0x10000};  // about 12 degrees
            FT_Set_Transform(m_face, &shear, nullptr);
        }
        double scale = double(emPixels) / m_face->units_per_EM;
        m_metrics.emPixels = emPixels;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            m_metrics.ascent = int(std::ceil(os2->usWinAscent * scale - 0.01));
            m_metrics.descent = int(std::ceil(os2->usWinDescent * scale - 0.01));
            m_metrics.aveCharWidth = int(std::lround(os2->xAvgCharWidth * scale * widthPercent / 100.0));
        } else {
            m_metrics.ascent = int((m_face->size->metrics.ascender + 63) >> 6);
            m_metrics.descent = int((-m_face->size->metrics.descender + 63) >> 6);
            m_metrics.aveCharWidth = widthPixels / 2;
        }
        m_metrics.maxCharWidth = int((m_face->size->metrics.max_advance + 63) >> 6);
        m_metrics.underlinePosition = std::max(1, int(std::lround(-m_face->underline_position * scale)));
        m_metrics.underlineThickness = std::max(1, int(std::lround(m_face->underline_thickness * scale)));
    }

    ~FreeTypeSource() override { FT_Done_Face(m_face); }

protected:
    Glyph render(unsigned char c) override
    {
        Glyph g;
        FT_UInt index = FT_Get_Char_Index(m_face, ToUnicode(c));
        if (FT_Load_Glyph(m_face, index, kLoadFlags) != 0)
            return g;
        FT_GlyphSlot slot = m_face->glyph;
        g.advance = int((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
            return g;
        const FT_Bitmap& bitmap = slot->bitmap;
        g.width = int(bitmap.width);
        g.height = int(bitmap.rows);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.coverage.resize(size_t(g.width) * size_t(g.height));
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
            uint8_t* out = g.coverage.data() + size_t(y) * size_t(g.width);
            for (int x = 0; x < g.width; ++x) {
                if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                    out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                else
                    out[x] = row[x];
            }
        }
        return g;
    }

private:
    FT_Face m_face;
};

struct FontLibrary {
    FontLibrary() { available = FT_Init_FreeType(&library) == 0; }
    ~FontLibrary()
    {
        sources.clear();
        if (available)
            FT_Done_FreeType(library);
    }
    FT_Face open(const std::string& file)
    {
        FT_Face face = nullptr;
        if (!available || FT_New_Face(library, file.c_str(), 0, &face) != 0)
            return nullptr;
        return face;
    }

    FT_Library library = nullptr;
    bool available = false;
    std::map<std::tuple<std::string, int, bool, int>, std::unique_ptr<GlyphSource>> sources;
};

FontLibrary& Library()
{
    static FontLibrary library;
    return library;
}

}  // namespace

const Glyph& GlyphSource::glyph(unsigned char c)
{
    if (!m_glyphs[c])
        m_glyphs[c] = std::make_unique<Glyph>(render(c));
    return *m_glyphs[c];
}

GlyphSource* GetGlyphSource(const FaceRequest& request)
{
    FontLibrary& library = Library();
    auto key = std::make_tuple(request.file, request.emPixels, request.italic, request.widthPercent);
    auto it = library.sources.find(key);
    if (it != library.sources.end())
        return it->second.get();
    std::unique_ptr<GlyphSource> source;
    if (request.file.empty()) {
        source = MakeSymbolSource(request.emPixels);
    } else {
        FT_Face face = library.open(request.file);
        if (!face)
            return nullptr;
        source = std::make_unique<FreeTypeSource>(face, request.emPixels, request.italic, request.widthPercent);
    }
    GlyphSource* result = source.get();
    library.sources.emplace(key, std::move(source));
    return result;
}

int EmForCellHeight(const std::string& file, int cellHeight)
{
    FT_Face face = Library().open(file);
    if (!face)
        return 0;
    int cell = face->ascender - face->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
        if (os2->usWinAscent + os2->usWinDescent > 0)
            cell = os2->usWinAscent + os2->usWinDescent;
    int em = cell > 0 ? int(std::lround(double(cellHeight) * face->units_per_EM / cell)) : cellHeight;
    FT_Done_Face(face);
    return em < 1 ? 1 : em;
}

}  // namespace gdi
