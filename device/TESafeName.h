// The names a device hands out: safe block names and fresh line names.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tedevice {

// Answers `proposed` when it is free. Otherwise it counts on from the
// proposed name's trailing number (II_1 -> II_2, II_3, ...); a name without
// one gets "_1", "_2", ... appended (FUNC -> FUNC_1). At most 18 trailing
// digits count as the number. When a candidate would exceed the block name
// length, the text before the number (not the "_") is shortened. `proposed`
// must be a valid block name.
std::string MakeSafeBlockName(std::string_view proposed,
                              const std::function<bool(std::string_view)>& isTaken);

// "Line_<number>".
std::string MakeLineName(uint64_t number);

}  // namespace tedevice
