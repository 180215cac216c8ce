// Fonts: every face maps to DejaVu Sans (regular or bold by weight), except
// the symbol face, which is drawn. The families callers look for are all
// reported as present.
#include "font.h"

#include <strings.h>

#include <cstring>

#include "dc.h"

using namespace gdi;

namespace {

const char* const kRegularFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kBoldFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const kSymbolFace = "Marlett";
const char* const kFallbackFace = "DejaVu Sans";

const char* const kFamilies[] = {"Tahoma", "Arial", "MS Sans Serif", "Small Fonts", "Marlett", "DejaVu Sans"};

// "Small Fonts" is a narrow face made for tiny labels; DejaVu Sans at the
// same height runs wider, which makes block captions spill over
// pins and values. Its glyphs are therefore set narrower.
constexpr int kSmallFontsWidthPercent = 88;

// Em size when the caller leaves the height to the font mapper.
constexpr int kDefaultEm = 12;

const char* KnownFamily(const char* face)
{
    for (const char* family : kFamilies)
        if (strcasecmp(family, face) == 0)
            return family;
    return nullptr;
}

int SymbolEm(LONG height)
{
    if (height == 0)
        return 13;
    return height < 0 ? int(-height) : int(height);
}

int TextEm(LONG height, const std::string& file)
{
    if (height == 0)
        return kDefaultEm;
    if (height < 0)
        return int(-height);
    int em = EmForCellHeight(file, int(height));
    return em > 0 ? em : int(height);
}

void FillEnumMetrics(const char* family, LOGFONTA& log, TEXTMETRICA& metrics)
{
    log = LOGFONTA{};
    log.lfHeight = -13;
    log.lfWeight = FW_NORMAL;
    bool symbol = std::strcmp(family, kSymbolFace) == 0;
    log.lfCharSet = symbol ? SYMBOL_CHARSET : ANSI_CHARSET;
    std::strncpy(log.lfFaceName, family, LF_FACESIZE - 1);
    metrics = TEXTMETRICA{};
    FaceRequest request{symbol ? std::string() : std::string(kRegularFile), 13, false, false};
    if (GlyphSource* source = GetGlyphSource(request)) {
        const FontMetrics& m = source->metrics();
        metrics.tmAscent = m.ascent;
        metrics.tmDescent = m.descent;
        metrics.tmHeight = m.ascent + m.descent;
        metrics.tmInternalLeading = metrics.tmHeight - m.emPixels;
        metrics.tmAveCharWidth = m.aveCharWidth;
        metrics.tmMaxCharWidth = m.maxCharWidth;
    }
    metrics.tmWeight = FW_NORMAL;
    metrics.tmCharSet = log.lfCharSet;
}

}  // namespace

namespace gdi {

HFONT NewFont(const LOGFONTA& log, bool stock)
{
    auto font = std::make_unique<Font>();
    font->m_log = log;
    font->m_log.lfFaceName[LF_FACESIZE - 1] = '\0';
    font->m_stock = stock;
    const char* known = KnownFamily(font->m_log.lfFaceName);
    font->m_face = known ? known : kFallbackFace;
    font->m_symbol = known && std::strcmp(known, kSymbolFace) == 0;
    if (font->m_symbol) {
        font->m_request = FaceRequest{std::string(), SymbolEm(log.lfHeight), false, false};
    } else {
        bool bold = log.lfWeight >= 600;
        font->m_request.file = bold ? kBoldFile : kRegularFile;
        font->m_request.bold = bold;
        font->m_request.italic = log.lfItalic != 0;
        font->m_request.emPixels = TextEm(log.lfHeight, font->m_request.file);
        if (font->m_face == "Small Fonts")
            font->m_request.widthPercent = kSmallFontsWidthPercent;
        // A missing bold file falls back to the regular one.
        if (bold && !GetGlyphSource(font->m_request)) {
            font->m_request.file = kRegularFile;
            font->m_request.emPixels = TextEm(log.lfHeight, kRegularFile);
        }
    }
    return static_cast<HFONT>(RegisterObject(std::move(font)));
}

}  // namespace gdi

HFONT CreateFontIndirectA(const LOGFONTA* log)
{
    return log ? NewFont(*log, false) : nullptr;
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR face)
{
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWidth = width;
    log.lfEscapement = escapement;
    log.lfOrientation = orientation;
    log.lfWeight = weight;
    log.lfItalic = BYTE(italic);
    log.lfUnderline = BYTE(underline);
    log.lfStrikeOut = BYTE(strikeOut);
    log.lfCharSet = BYTE(charSet);
    log.lfOutPrecision = BYTE(outPrecision);
    log.lfClipPrecision = BYTE(clipPrecision);
    log.lfQuality = BYTE(quality);
    log.lfPitchAndFamily = BYTE(pitchAndFamily);
    if (face)
        std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return NewFont(log, false);
}

int EnumFontFamiliesA(HDC dc, LPCSTR family, FONTENUMPROCA proc, LPARAM data)
{
    if (!proc || (dc && !LookupDC(dc)))
        return 0;
    const DWORD kTrueTypeFontType = 4;
    int result = 1;
    for (const char* name : kFamilies) {
        if (family && strcasecmp(family, name) != 0)
            continue;
        LOGFONTA log;
        TEXTMETRICA metrics;
        FillEnumMetrics(name, log, metrics);
        result = proc(&log, &metrics, kTrueTypeFontType, data);
        if (result == 0)
            break;
    }
    return result;
}
