#include "EmbeddedDeviceLink.h"

#include "DeviceValue.h"

namespace corvala {

int EmbeddedDeviceLink::Request(const char* keyword, int mode, int type, void* value)
{
    if (!keyword || !value)
        return REQUEST_FAILED;
    tedevice::TEValue request;
    TakeDeviceValue(type, value, request);
    int status = m_Device.Request(keyword, mode, type, request);
    if (status == REQUEST_OK)
        GiveDeviceAnswer(mode, type, request, value);
    return status;
}

}  // namespace corvala
