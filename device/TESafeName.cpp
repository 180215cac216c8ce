#include "TESafeName.h"

#include <algorithm>

#include "TERecords.h"

namespace tedevice {

namespace {

constexpr size_t kMaxNumberDigits = 18;  // always fits an unsigned 64-bit count

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::string MakeSafeBlockName(std::string_view proposed,
                              const std::function<bool(std::string_view)>& isTaken)
{
    if (!isTaken(proposed))
        return std::string(proposed);

    size_t digits = proposed.size();
    while (digits > 0 && IsDigit(proposed[digits - 1]) && proposed.size() - digits < kMaxNumberDigits)
        --digits;
    std::string_view base = proposed.substr(0, digits);
    std::string_view separator = digits == proposed.size() ? "_" : "";
    uint64_t number = 0;
    for (char c : proposed.substr(digits))
        number = number * 10 + static_cast<uint64_t>(c - '0');

    for (;;) {
        std::string suffix = std::string(separator) + std::to_string(++number);
        size_t room = kMaxBlockName - suffix.size();
        std::string candidate = std::string(base.substr(0, std::min(base.size(), room))) + suffix;
        if (!isTaken(candidate))
            return candidate;
    }
}

std::string MakeLineName(uint64_t number)
{
    return "Line_" + std::to_string(number);
}

}  // namespace tedevice
