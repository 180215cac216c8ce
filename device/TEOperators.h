// How the device evaluates a function block: its operator, named by the
// type key's text, applied to the values on its input pins. The names are
// the editor's operator names, in the editor's order; a name outside the
// table makes a switch. Rules per operator: docs/device.md.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tedevice {

constexpr int kOperatorCount = 30;

// The operator names, row by row.
std::string_view OperatorName(int row);

// The operator's value of the inputs, or nothing when the operator has no
// value for them (too few inputs, a zero divisor, a logarithm of a value not
// above zero, a result that is not finite, ...).
std::optional<double> EvaluateOperator(std::string_view name, std::span<const double> inputs);

}  // namespace tedevice
