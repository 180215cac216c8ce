#include "sync/TERecordTokens.h"

#include <charconv>
#include <cstring>

namespace {

bool IsSeparator(char c)
{
    return c != '\0' && std::strchr(TE_RECORD_SEPARATORS, c) != nullptr;
}

}  // namespace

std::vector<std::string_view> TESplitRecord(std::string_view text)
{
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSeparator(text[i]))
            i++;
        size_t start = i;
        while (i < text.size() && !IsSeparator(text[i]))
            i++;
        if (i > start)
            fields.push_back(text.substr(start, i - start));
    }
    return fields;
}

bool TEParseInt(std::string_view text, int* pValue)
{
    // from_chars takes no '+', and refuses what overflows.
    int value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return false;
    *pValue = value;
    return true;
}

bool TEParsePoint(std::string_view text, int* pX, int* pY)
{
    size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    int x = 0;
    int y = 0;
    if (!TEParseInt(text.substr(0, comma), &x) || !TEParseInt(text.substr(comma + 1), &y))
        return false;
    *pX = x;
    *pY = y;
    return true;
}
