#pragma once

#include <string>

#include "glyphcache.h"
#include "object.h"

namespace gdi {

struct Font : GdiObject {
    Font() : GdiObject(OBJ_FONT) {}
    LOGFONTA m_log{};
    FaceRequest m_request;
    bool m_symbol = false;  // "Marlett": drawn shapes, not font glyphs
    std::string m_face;  // the family reported by GetTextFace

    // Null when the font file is missing; text calls then fail. Sources
    // live as long as the module, so the one found is kept: every text call
    // asks, and finding it means comparing the file name.
    GlyphSource* source() const
    {
        if (!m_source)
            m_source = GetGlyphSource(m_request);
        return m_source;
    }

private:
    mutable GlyphSource* m_source = nullptr;
};

HFONT NewFont(const LOGFONTA& log, bool stock);

}  // namespace gdi
