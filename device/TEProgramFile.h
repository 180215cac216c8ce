// The device's program on disk: blocks with their link texts, lines under
// their names, and the next line number. Saving writes a new file beside the
// old one and renames it over it, so the file on disk is always one whole
// program, the old or the new.
#pragma once

#include <string>

#include "TaskEngineDevice.h"

namespace tedevice {

// Empty on success, else what went wrong.
std::string SaveProgram(const TaskEngineDevice& device, const std::string& path);
// Replaces the device's program (its parameters stay). A missing file is an empty program; a file
// that is not a whole program is refused with the reason, device untouched.
std::string LoadProgram(const std::string& path, TaskEngineDevice& device);

}  // namespace tedevice
