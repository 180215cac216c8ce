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

    // Null when the font file is missing; text calls then fail.
    GlyphSource* source() const { return GetGlyphSource(m_request); }
};

HFONT NewFont(const LOGFONTA& log, bool stock);

}  // namespace gdi
