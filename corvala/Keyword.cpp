// Splitting a stored line "keyword=parameter" at the host's separator.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

#include "Corvala.h"

namespace {

constexpr char kSeparator = '=';

std::string_view Trim(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// Answers the whole length, so that a caller can tell a cut text.
int CopyOut(std::string_view text, char* out)
{
    size_t length = std::min(text.size(), size_t(REQUEST_TEXT_SIZE - 1));
    if (length > 0)
        std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return static_cast<int>(std::min(text.size(), size_t(INT_MAX)));
}

}  // namespace

int a_GetKeyword(const char* line, char* out)
{
    if (!line || !out)
        return -1;
    std::string_view text(line);
    return CopyOut(Trim(text.substr(0, text.find(kSeparator))), out);
}

int a_GetParameter(const char* line, char* out)
{
    if (!line || !out)
        return -1;
    std::string_view text(line);
    size_t separator = text.find(kSeparator);
    if (separator == std::string_view::npos)
        return CopyOut({}, out);
    return CopyOut(Trim(text.substr(separator + 1)), out);
}
