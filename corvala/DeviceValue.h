// Between the host library's request values and a device's: what a device
// link hands a device and what it hands back. Private to the library.
#pragma once

#include "Corvala.h"
#include "TaskEngineDevice.h"

namespace corvala {

// The caller's value of `type` as the device takes it.
void TakeDeviceValue(int type, const void* value, tedevice::TEValue& request);
// A successful answer into the caller's value: texts cut to the request
// buffer, list entries copied for reads only.
void GiveDeviceAnswer(int mode, int type, const tedevice::TEValue& answer, void* value);

}  // namespace corvala
