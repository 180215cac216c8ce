// a_GetFont: the host's shared fonts, one per face and size.
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "Corvala.h"
#include "wingdi.h"

namespace {

constexpr int kDefaultPoints = 8;
// Larger sizes are taken for typing errors; nothing the host shows needs them.
constexpr int kMaxPoints = 400;
constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

int ParsePoints(std::string_view text)
{
    std::string digits(Trimmed(text));
    if (digits.empty() || digits.size() > 6)
        return kDefaultPoints;
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return kDefaultPoints;
    int points = std::atoi(digits.c_str());
    return points >= 1 && points <= kMaxPoints ? points : kDefaultPoints;
}

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

// The fonts handed out so far. They are freed when the library is unloaded.
class FontCache {
public:
    FontCache()
    {
        // Touching the drawing layer first makes its object table outlive this
        // cache at exit, so the destructor below can still delete fonts.
        GetStockObject(DEFAULT_GUI_FONT);
    }
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    ~FontCache()
    {
        for (auto& [key, font] : m_fonts)
            DeleteObject(font);
    }

    HFONT Get(std::string_view face, int points)
    {
        std::string key = Lowered(face) + ',' + std::to_string(points);
        if (auto found = m_fonts.find(key); found != m_fonts.end())
            return found->second;
        std::string faceName(face);
        HFONT font = CreateFontA(-MulDiv(points, kScreenDpi, kPointsPerInch), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, faceName.c_str());
        if (!font)
            return DefaultFont();
        m_fonts.emplace(std::move(key), font);
        return font;
    }

    static HFONT DefaultFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

private:
    std::map<std::string, HFONT> m_fonts;
};

FontCache& Fonts()
{
    static FontCache cache;
    return cache;
}

}  // namespace

HFONT a_GetFont(const char* description)
{
    std::string_view text = Trimmed(description ? description : "");
    if (text.empty())
        return FontCache::DefaultFont();
    size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return Fonts().Get(text, kDefaultPoints);
    return Fonts().Get(Trimmed(text.substr(0, comma)), ParsePoints(text.substr(comma + 1)));
}
