// One cycle of the device's program: inputs take their parameters, clocks
// the time, function blocks apply their operators along the lines, outputs
// write their parameters; every block's value and value status follow.
// Evaluation order, cycles of lines and "no value": docs/device.md.
#pragma once

#include <ctime>

#include "TaskEngineDevice.h"

namespace tedevice {

// Runs one cycle at `now` (seconds since the epoch; the clock keeps UTC).
void RunProgramCycle(TaskEngineDevice& device, std::time_t now);

// The clock's value of a time item ("Second", "Minute", ...), or nothing
// for a name that is not one.
std::optional<double> ClockValue(std::string_view item, std::time_t now);

}  // namespace tedevice
