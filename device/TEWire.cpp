#include "TEWire.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tedevice {

namespace {

constexpr size_t kMaxLengthDigits = 10;

void AppendNetstring(std::string& out, std::string_view bytes)
{
    out += std::to_string(bytes.size());
    out += ':';
    out += bytes;
    out += ',';
}

// One netstring from the front of `buffer`.
TEWireStatus TakeNetstring(std::string_view buffer, size_t maxSize, std::string_view& bytes, size_t& consumed)
{
    size_t digits = 0;
    size_t length = 0;
    while (digits < buffer.size() && buffer[digits] != ':') {
        char c = buffer[digits];
        if (c < '0' || c > '9' || digits == kMaxLengthDigits || (digits == 1 && buffer[0] == '0'))
            return TEWireStatus::Malformed;
        length = length * 10 + static_cast<size_t>(c - '0');
        if (length > maxSize)
            return TEWireStatus::Malformed;
        ++digits;
    }
    if (digits == buffer.size())
        return TEWireStatus::Incomplete;
    if (digits == 0)
        return TEWireStatus::Malformed;
    size_t end = digits + 1 + length;
    if (buffer.size() <= end)
        return TEWireStatus::Incomplete;
    if (buffer[end] != ',')
        return TEWireStatus::Malformed;
    bytes = buffer.substr(digits + 1, length);
    consumed = end + 1;
    return TEWireStatus::Complete;
}

}  // namespace

std::string EncodeMessage(const TEWireFields& fields)
{
    std::string body;
    for (const std::string& field : fields)
        AppendNetstring(body, field);
    std::string message;
    message.reserve(body.size() + 16);
    AppendNetstring(message, body);
    return message;
}

TEWireStatus DecodeMessage(std::string_view buffer, size_t maxSize, TEWireFields& fields, size_t& consumed)
{
    std::string_view body;
    TEWireStatus status = TakeNetstring(buffer, maxSize, body, consumed);
    if (status != TEWireStatus::Complete)
        return status;
    fields.clear();
    while (!body.empty()) {
        std::string_view field;
        size_t used = 0;
        if (TakeNetstring(body, body.size(), field, used) != TEWireStatus::Complete)
            return TEWireStatus::Malformed;
        fields.emplace_back(field);
        body.remove_prefix(used);
    }
    return TEWireStatus::Complete;
}

void EncodeValue(int type, const TEValue& value, TEWireFields& fields)
{
    switch (type) {
    case TE_INT:
        fields.push_back(std::to_string(value.number));
        break;
    case TE_DOUBLE:
        fields.push_back(FormatWireDouble(value.real));
        break;
    case TE_TEXT:
        fields.push_back(value.text);
        break;
    case TE_LIST:
        fields.insert(fields.end(), value.list.begin(), value.list.end());
        break;
    }
}

bool DecodeValue(int type, const TEWireFields& fields, size_t first, TEValue& value)
{
    if (type == TE_LIST) {
        if (first > fields.size())
            return false;
        value.list.assign(fields.begin() + static_cast<long>(first), fields.end());
        return true;
    }
    if (first + 1 != fields.size())
        return false;
    const std::string& field = fields[first];
    long long number = 0;
    switch (type) {
    case TE_INT:
        if (!ParseWireInt(field, number) || number < INT32_MIN || number > INT32_MAX)
            return false;
        value.number = static_cast<int>(number);
        return true;
    case TE_DOUBLE:
        return ParseWireDouble(field, value.real);
    case TE_TEXT:
        value.text = field;
        return true;
    default:
        return false;
    }
}

bool ParseWireInt(std::string_view text, long long& number)
{
    if (text.empty())
        return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseWireDouble(std::string_view text, double& number)
{
    // strtod needs a terminated text and accepts leading blanks: refuse them.
    if (text.empty() || text.size() > 64 || text.front() == ' ')
        return false;
    std::string copy(text);
    char* end = nullptr;
    number = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size();
}

std::string FormatWireDouble(double number)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", number);
    return text;
}

}  // namespace tedevice
