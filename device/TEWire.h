// The wire form of a device's requests and answers, shared by the device
// server and the host library's network link. A message is a netstring
// ("<length>:<bytes>,") whose bytes are a sequence of netstring fields, so
// any text travels unescaped and a reader always knows how much to expect.
// Rules and message kinds: docs/device.md.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "TaskEngineDevice.h"

namespace tedevice {

constexpr std::string_view kWireGreeting = "tedevice";
// Version 2 carries the program version in the POLL answer; a client still
// takes a version 1 device, which has none.
constexpr std::string_view kWireVersion = "2";
constexpr std::string_view kWireVersionWithoutProgramVersion = "1";
// The program file's entries are wire messages; its own format has not
// changed since version 1.
constexpr std::string_view kProgramFileVersion = "1";
// Requests carry at most one link text or record: anything longer is not one.
constexpr size_t kMaxRequestMessage = 64 * 1024;
// Answers carry whole programs (TEProcs, TELines, POLL).
constexpr size_t kMaxAnswerMessage = 256u * 1024 * 1024;

using TEWireFields = std::vector<std::string>;

enum class TEWireStatus { Complete, Incomplete, Malformed };

std::string EncodeMessage(const TEWireFields& fields);
// Takes one message from the front of `buffer`. Complete: `fields` holds it
// and `consumed` its length. Incomplete: more bytes are needed. Malformed:
// the bytes can never become a message of at most `maxSize` bytes.
TEWireStatus DecodeMessage(std::string_view buffer, size_t maxSize, TEWireFields& fields, size_t& consumed);

// The fields of a value of one of the device's types (one field, or one per
// list entry) appended to `fields`.
void EncodeValue(int type, const TEValue& value, TEWireFields& fields);
// Reads a value of `type` from fields[first...]. False for a type the device
// does not carry, or fields that are not a value of it.
bool DecodeValue(int type, const TEWireFields& fields, size_t first, TEValue& value);

// Strict decimal numbers: the whole text or nothing.
bool ParseWireInt(std::string_view text, long long& number);
bool ParseWireDouble(std::string_view text, double& number);
std::string FormatWireDouble(double number);

}  // namespace tedevice
