// Which link answers a device name: a registered one, else a network link
// for a "<name>@<host>:<port>" name, else the name's embedded device.
#include "DeviceLinks.h"

#include <map>

#include "EmbeddedDeviceLink.h"
#include "NetworkDeviceLink.h"

namespace corvala {

namespace {

struct EmbeddedEntry {
    std::unique_ptr<tedevice::TaskEngineDevice> device;
    std::shared_ptr<EmbeddedDeviceLink> link;
};

struct Registry {
    std::map<std::string, std::shared_ptr<DeviceLink>> links;
    std::map<std::string, EmbeddedEntry> embedded;
    std::map<std::string, std::shared_ptr<DeviceLink>> network;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

EmbeddedEntry& Embedded(const std::string& deviceName)
{
    EmbeddedEntry& entry = TheRegistry().embedded[deviceName];
    if (!entry.device) {
        entry.device = std::make_unique<tedevice::TaskEngineDevice>();
        entry.link = std::make_shared<EmbeddedDeviceLink>(*entry.device);
    }
    return entry;
}

}  // namespace

void RegisterDeviceLink(const std::string& deviceName, std::shared_ptr<DeviceLink> link)
{
    if (link)
        TheRegistry().links[deviceName] = std::move(link);
    else
        TheRegistry().links.erase(deviceName);
}

tedevice::TaskEngineDevice& EmbeddedDevice(const std::string& deviceName)
{
    return *Embedded(deviceName).device;
}

tedevice::TaskEngineDevice* FindEmbeddedDevice(const std::string& deviceName)
{
    auto& embedded = TheRegistry().embedded;
    auto it = embedded.find(deviceName);
    return it == embedded.end() ? nullptr : it->second.device.get();
}

void ResetDevices()
{
    TheRegistry().links.clear();
    TheRegistry().embedded.clear();
    TheRegistry().network.clear();
}

std::shared_ptr<DeviceLink> ResolveDeviceLink(const std::string& deviceName)
{
    auto& links = TheRegistry().links;
    auto it = links.find(deviceName);
    if (it != links.end())
        return it->second;
    std::string host;
    int port = 0;
    if (ParseNetworkDeviceName(deviceName, host, port)) {
        auto& link = TheRegistry().network[deviceName];
        if (!link)
            link = std::make_shared<NetworkDeviceLink>(host, port);
        return link;
    }
    return Embedded(deviceName).link;
}

}  // namespace corvala
