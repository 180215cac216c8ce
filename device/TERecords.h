// The texts a task-engine device exchanges with its editor: type keys, proc
// records, position updates and line records. Parsing is strict: a text is
// either read whole or refused, so a device never stores half of a record.
// Formatting gives the canonical text the device answers with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tedevice {

constexpr size_t kMaxBlockName = 127;     // fits a host record's name field
constexpr size_t kMaxLineName = 127;
constexpr size_t kMaxKeyParameter = 511;  // operator name or clock caption
constexpr size_t kMaxAnchor = 511;        // fits an editor's pin name field
constexpr size_t kMaxLinePositions = 30;  // points and anchors of one line

enum class TEBlockKind { In, Out, CalIn, Func, Rtc };

struct TETypeKey {
    TEBlockKind kind = TEBlockKind::In;
    int number = 0;
    std::string parameter;  // Func and Rtc only
};

// "<key> <name> <x>,<y>"
struct TEProcRecord {
    std::string typeKey;
    std::string name;
    int x = 0;
    int y = 0;
};

// "<name> <x>,<y>"
struct TEPositionUpdate {
    std::string name;
    int x = 0;
    int y = 0;
};

// "<name> [<head anchor>] <x>,<y>... [<tail anchor>] 0x<8 hex digits> "
// `positions` holds the anchor and point tokens between name and colour.
struct TELineRecord {
    std::string name;
    std::vector<std::string> positions;
    uint32_t colour = 0;
};

// A block name: 1 to 127 printable characters, no blank and no point.
bool IsValidBlockName(std::string_view name);
// A line name: 1 to 127 printable characters containing "Line_", no blank and
// no point.
bool IsValidLineName(std::string_view name);

std::optional<TETypeKey> ParseTypeKey(std::string_view key);

std::optional<TEProcRecord> ParseProcRecord(std::string_view text);
std::string FormatProcRecord(const TEProcRecord& record);

std::optional<TEPositionUpdate> ParsePositionUpdate(std::string_view text);

std::optional<TELineRecord> ParseLineRecord(std::string_view text);
std::string FormatLineRecord(const TELineRecord& record);

}  // namespace tedevice
