// DrawText: formatted text in a rectangle (alignment, single or several
// lines, word breaks, '&' prefixes, measuring with DT_CALCRECT).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "text.h"
#include "winuser.h"

using namespace gdi;

namespace {

struct Line {
    std::string text;
    int underline = -1;  // index of the prefixed character, -1 for none
};

// Drops single '&'s, turns "&&" into '&', and remembers which character the
// last prefix marks.
Line StripPrefixes(const std::string& text)
{
    Line line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&')
                line.underline = int(line.text.size());
        }
        line.text.push_back(text[i]);
    }
    return line;
}

std::string ExpandTabs(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out.push_back(c);
    }
    return out;
}

std::vector<Line> SplitLines(const Line& all)
{
    std::vector<Line> lines(1);
    for (size_t i = 0; i < all.text.size(); ++i) {
        char c = all.text[i];
        if (c == '\r')
            continue;
        if (c == '\n') {
            lines.emplace_back();
            continue;
        }
        if (int(i) == all.underline)
            lines.back().underline = int(lines.back().text.size());
        lines.back().text.push_back(c);
    }
    return lines;
}

std::vector<Line> WrapLine(GlyphSource& source, const Line& line, int width)
{
    std::vector<Line> out(1);
    size_t start = 0;
    const std::string& t = line.text;
    while (start < t.size()) {
        size_t end = t.find(' ', start);
        if (end == std::string::npos)
            end = t.size();
        std::string word = t.substr(start, end - start);
        std::string candidate = out.back().text.empty() ? word : out.back().text + " " + word;
        if (!out.back().text.empty() && TextWidth(source, candidate.data(), int(candidate.size())) > width) {
            out.emplace_back();
            candidate = word;
        }
        if (line.underline >= int(start) && line.underline < int(end))
            out.back().underline = int(candidate.size() - word.size()) + (line.underline - int(start));
        out.back().text = candidate;
        start = end + 1;
    }
    return out;
}

void AddEllipsis(GlyphSource& source, Line& line, int width)
{
    if (TextWidth(source, line.text.data(), int(line.text.size())) <= width)
        return;
    std::string base = line.text;
    while (!base.empty()) {
        base.pop_back();
        std::string candidate = base + "...";
        if (TextWidth(source, candidate.data(), int(candidate.size())) <= width)
            break;
    }
    line.text = base + "...";
    if (line.underline >= int(base.size()))
        line.underline = -1;
}

}  // namespace

int DrawTextA(HDC handle, LPCSTR text, int count, LPRECT rect, UINT format)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !rect || (!text && count != 0))
        return 0;
    GlyphSource* source = SelectedFont(*dc).source();
    if (!source)
        return 0;
    std::string raw = text ? (count < 0 ? std::string(text) : std::string(text, size_t(count))) : std::string();
    if (format & DT_EXPANDTABS)
        raw = ExpandTabs(raw);
    Line all = (format & DT_NOPREFIX) ? Line{raw, -1} : StripPrefixes(raw);
    int boxWidth = rect->right - rect->left;

    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(all);
    } else {
        for (const Line& l : SplitLines(all)) {
            if (format & DT_WORDBREAK) {
                auto wrapped = WrapLine(*source, l, boxWidth);
                lines.insert(lines.end(), wrapped.begin(), wrapped.end());
            } else {
                lines.push_back(l);
            }
        }
    }
    if (format & DT_END_ELLIPSIS)
        for (Line& l : lines)
            AddEllipsis(*source, l, boxWidth);

    const FontMetrics& m = source->metrics();
    int lineHeight = m.ascent + m.descent;
    int widest = 0;
    for (const Line& l : lines)
        widest = std::max(widest, TextWidth(*source, l.text.data(), int(l.text.size())));
    int total = lineHeight * int(lines.size());

    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }

    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    UINT savedAlign = dc->m_state.textAlign;
    dc->m_state.textAlign = TA_LEFT | TA_TOP;
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
    for (const Line& l : lines) {
        int w = TextWidth(*source, l.text.data(), int(l.text.size()));
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (boxWidth - w) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - w;
        ExtTextOutA(handle, x, y, clip ? ETO_CLIPPED : 0, clip, l.text.data(), UINT(l.text.size()), nullptr);
        if (l.underline >= 0 && l.underline < int(l.text.size())) {
            int ux = x + TextWidth(*source, l.text.data(), l.underline);
            int uw = source->glyph(static_cast<unsigned char>(l.text[size_t(l.underline)])).advance;
            DrawTextBar(*dc, ux, y + m.ascent + 1, uw, clip);
        }
        y += lineHeight;
    }
    dc->m_state.textAlign = savedAlign;
    return y - rect->top;
}
