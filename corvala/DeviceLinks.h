// Resolution of device names to links, private to the library.
#pragma once

#include <memory>
#include <string>

#include "CorvalaHost.h"

namespace corvala {

// The registered link of the name, else the name's embedded device.
std::shared_ptr<DeviceLink> ResolveDeviceLink(const std::string& deviceName);

}  // namespace corvala
