// The default device link: a task-engine device in the host's own process.
#pragma once

#include "CorvalaHost.h"

namespace corvala {

class EmbeddedDeviceLink : public DeviceLink {
public:
    explicit EmbeddedDeviceLink(tedevice::TaskEngineDevice& device) : m_Device(device) {}

    int Request(const char* keyword, int mode, int type, void* value) override;

private:
    tedevice::TaskEngineDevice& m_Device;
};

}  // namespace corvala
