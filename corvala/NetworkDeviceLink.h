// A device reached over the network (tedeviced). Every socket operation has
// a deadline; a refused connection, a lost one, a timeout or an answer that
// is not one all answer status 0 and close the connection, and the next
// request after a short pause connects again.
//
// Reads of what an editor polls on every tick (the counts, each block's
// value, online state and link texts) are answered from one snapshot of the
// device, fetched in a single round trip: afresh for every TENrOfProcs read
// (the first request of each tick) and whenever the snapshot is older than
// its limit. Writes go through at once; a write that can change what the
// snapshot holds drops it. Everything else is one request, one answer.
//
// The snapshot also holds the device's program version, which answers one
// TEProgramVersion read: the tick's, right after the TENrOfProcs read that
// fetched it. An editor reads the version to learn what the device holds
// now, so any later read (before a delete, after its own writes) asks the
// device. A device of wire version 1 has no program version: such reads
// fail at once, as that device would answer them.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "CorvalaHost.h"
#include "TEWire.h"

namespace corvala {

// "<name>@<host>:<port>"; false for any other form.
bool ParseNetworkDeviceName(const std::string& deviceName, std::string& host, int& port);

class NetworkDeviceLink : public DeviceLink {
public:
    NetworkDeviceLink(std::string host, int port);
    ~NetworkDeviceLink() override;
    NetworkDeviceLink(const NetworkDeviceLink&) = delete;
    NetworkDeviceLink& operator=(const NetworkDeviceLink&) = delete;

    int Request(const char* keyword, int mode, int type, void* value) override;

private:
    using Clock = std::chrono::steady_clock;
    struct BlockState {
        int valueStatus = 0;
        double value = 0.0;
        int online = 0;
        std::string function;
        std::string connection;
    };
    struct Snapshot {
        bool valid = false;
        Clock::time_point taken;
        int procs = 0;
        int lines = 0;
        std::optional<int> programVersion;  // until the first read of it
        std::unordered_map<std::string, BlockState> blocks;
    };

    int Exchange(std::string_view keyword, int mode, int type, tedevice::TEValue& value);
    std::optional<int> FromSnapshot(std::string_view keyword, int mode, int type, tedevice::TEValue& value);
    bool RefreshSnapshot();
    bool ReadSnapshot(const tedevice::TEWireFields& answer);
    int ReadProgramVersion(int type, tedevice::TEValue& value);
    // One REQ message and its answer.
    int SendRequest(std::string_view keyword, int mode, int type, tedevice::TEValue& value);

    // One message out, one back; false (and disconnected) on any failure.
    bool Call(const tedevice::TEWireFields& request, tedevice::TEWireFields& answer);
    bool Connect();
    void Disconnect();
    bool SendAll(std::string_view bytes, Clock::time_point deadline);
    bool Receive(tedevice::TEWireFields& message, Clock::time_point deadline);

    std::string m_Host;
    int m_nPort;
    int m_nSocket = -1;
    bool m_bHasProgramVersion = false;  // the device greeted with wire version 2 or later
    Clock::time_point m_NextAttempt;
    Snapshot m_Snapshot;
};

}  // namespace corvala
