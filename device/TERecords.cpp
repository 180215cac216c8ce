#include "TERecords.h"

#include <charconv>
#include <cstdio>

namespace tedevice {

namespace {

bool IsPrintable(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u != 0x7f;
}

bool IsPlainToken(std::string_view token, size_t maxLength)
{
    if (token.empty() || token.size() > maxLength)
        return false;
    for (char c : token)
        if (!IsPrintable(c) || c == '.')
            return false;
    return true;
}

// A whole signed decimal int32: optional '-', at least one digit, nothing else.
std::optional<int> ParseInt(std::string_view text)
{
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int> ParseCount(std::string_view text)
{
    if (text.empty() || text.front() == '-')
        return std::nullopt;
    return ParseInt(text);
}

// "x,y" with both halves whole int32 numbers.
bool ParsePoint(std::string_view token, int& x, int& y)
{
    size_t comma = token.find(',');
    if (comma == std::string_view::npos)
        return false;
    auto px = ParseInt(token.substr(0, comma));
    auto py = ParseInt(token.substr(comma + 1));
    if (!px || !py)
        return false;
    x = *px;
    y = *py;
    return true;
}

// "<object>.In<n>", "<object>.Out<n>" or "<object>.Node<n>".
bool IsAnchor(std::string_view token)
{
    if (token.size() > kMaxAnchor)
        return false;
    size_t point = token.find('.');
    if (point == std::string_view::npos || !IsPlainToken(token.substr(0, point), kMaxAnchor))
        return false;
    std::string_view suffix = token.substr(point + 1);
    for (std::string_view pin : {"In", "Out", "Node"}) {
        if (suffix.starts_with(pin))
            return ParseCount(suffix.substr(pin.size())).has_value();
    }
    return false;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "0x" followed by exactly eight hexadecimal digits.
std::optional<uint32_t> ParseColour(std::string_view token)
{
    if (token.size() != 10 || !token.starts_with("0x"))
        return std::nullopt;
    uint32_t value = 0;
    for (char c : token.substr(2)) {
        if (!IsHexDigit(c))
            return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return value;
}

// Tokens separated by single blanks; empty tokens (doubled, leading blanks)
// refuse the whole text.
std::optional<std::vector<std::string_view>> SplitTokens(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::vector<std::string_view> tokens;
    size_t start = 0;
    while (start <= text.size()) {
        size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos)
            blank = text.size();
        std::string_view token = text.substr(start, blank - start);
        if (token.empty())
            return std::nullopt;
        tokens.push_back(token);
        start = blank + 1;
    }
    return tokens;
}

struct KeyForm {
    std::string_view prefix;
    TEBlockKind kind;
    bool hasParameter;
};

constexpr KeyForm kKeyForms[] = {
    {"CTEProcIN_", TEBlockKind::In, false},
    {"CTEProcOUT_", TEBlockKind::Out, false},
    {"CTEProcCalIN_", TEBlockKind::CalIn, false},
    {"CTEProcFUNC_", TEBlockKind::Func, true},
    {"CTEProcRTC_", TEBlockKind::Rtc, true},
};

std::optional<TETypeKey> ParseKeyBody(const KeyForm& form, std::string_view body)
{
    TETypeKey key;
    key.kind = form.kind;
    std::string_view number = body;
    if (form.hasParameter) {
        size_t x = body.find('x');
        if (x == std::string_view::npos)
            return std::nullopt;
        number = body.substr(0, x);
        std::string_view parameter = body.substr(x + 1);
        if (parameter.empty() || parameter.size() > kMaxKeyParameter)
            return std::nullopt;
        for (char c : parameter)
            if (!IsPrintable(c))
                return std::nullopt;
        key.parameter = parameter;
    }
    auto n = ParseInt(number);
    if (!n)
        return std::nullopt;
    key.number = *n;
    return key;
}

}  // namespace

bool IsValidBlockName(std::string_view name)
{
    return IsPlainToken(name, kMaxBlockName);
}

bool IsValidLineName(std::string_view name)
{
    return IsPlainToken(name, kMaxLineName) && name.find("Line_") != std::string_view::npos;
}

std::optional<TETypeKey> ParseTypeKey(std::string_view key)
{
    for (const KeyForm& form : kKeyForms) {
        if (key.starts_with(form.prefix))
            return ParseKeyBody(form, key.substr(form.prefix.size()));
    }
    return std::nullopt;
}

std::optional<TEProcRecord> ParseProcRecord(std::string_view text)
{
    auto tokens = SplitTokens(text);
    if (!tokens || tokens->size() != 3)
        return std::nullopt;
    TEProcRecord record;
    if (!ParseTypeKey((*tokens)[0]) || !IsValidBlockName((*tokens)[1]))
        return std::nullopt;
    if (!ParsePoint((*tokens)[2], record.x, record.y))
        return std::nullopt;
    record.typeKey = (*tokens)[0];
    record.name = (*tokens)[1];
    return record;
}

std::string FormatProcRecord(const TEProcRecord& record)
{
    return record.typeKey + ' ' + record.name + ' ' + std::to_string(record.x) + ',' +
           std::to_string(record.y);
}

std::optional<TEPositionUpdate> ParsePositionUpdate(std::string_view text)
{
    auto tokens = SplitTokens(text);
    if (!tokens || tokens->size() != 2 || !IsValidBlockName((*tokens)[0]))
        return std::nullopt;
    TEPositionUpdate update;
    if (!ParsePoint((*tokens)[1], update.x, update.y))
        return std::nullopt;
    update.name = (*tokens)[0];
    return update;
}

std::optional<TELineRecord> ParseLineRecord(std::string_view text)
{
    // Every token is followed by one blank; a record that lost its final
    // blank is still whole.
    if (text.ends_with(' '))
        text.remove_suffix(1);
    auto tokens = SplitTokens(text);
    if (!tokens || tokens->size() < 2 || !IsValidLineName(tokens->front()))
        return std::nullopt;
    auto colour = ParseColour(tokens->back());
    if (!colour)
        return std::nullopt;

    TELineRecord record;
    record.name = tokens->front();
    record.colour = *colour;
    size_t count = tokens->size() - 2;
    if (count > kMaxLinePositions)
        return std::nullopt;
    for (size_t i = 0; i < count; ++i) {
        std::string_view token = (*tokens)[i + 1];
        bool atEnd = i == 0 || i + 1 == count;  // anchors stand only at the ends
        int x = 0;
        int y = 0;
        if (!(atEnd && IsAnchor(token)) && !ParsePoint(token, x, y))
            return std::nullopt;
        record.positions.emplace_back(token);
    }
    return record;
}

std::string FormatLineRecord(const TELineRecord& record)
{
    std::string text = record.name + ' ';
    for (const std::string& position : record.positions)
        text += position + ' ';
    char colour[16];
    std::snprintf(colour, sizeof colour, "0x%08x ", record.colour);
    return text + colour;
}

}  // namespace tedevice
