// The device served over TCP: one task-engine device, any number of clients
// on one thread (poll), the program run every period, the program file saved
// after every change. Protocol: docs/device.md.
#pragma once

#include <chrono>
#include <csignal>
#include <ctime>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "TaskEngineDevice.h"
#include "TEWire.h"

namespace tedevice {

// A parameter swept from its minimum to its maximum and back.
struct TESweep {
    std::string parameter;
    double seconds = 10.0;
};

struct TEServerOptions {
    std::string bindAddress = "127.0.0.1";
    int port = 7400;                 // 0: any free port
    int periodMs = 100;              // 0: the program is not run
    std::string programPath;         // empty: nothing is kept
    int answerDelayMs = 0;           // simulated network round trip
    std::vector<TESweep> sweeps;
    std::time_t clockStart = -1;     // the device clock's time at start; -1: the host's
    int maxClients = 256;
    int stalledMessageMs = 10000;    // a half message older than this closes its client
};

// Reads the command line; empty on success, else the complaint.
std::string ParseServerOptions(int argc, char** argv, TEServerOptions& options);

class TEDeviceServer {
public:
    explicit TEDeviceServer(TEServerOptions options);
    ~TEDeviceServer();
    TEDeviceServer(const TEDeviceServer&) = delete;
    TEDeviceServer& operator=(const TEDeviceServer&) = delete;

    // Loads the program and starts listening; empty on success, else why not.
    std::string Start();
    int Port() const { return m_nPort; }
    // Serves until `stop` becomes nonzero.
    void Run(const volatile std::sig_atomic_t& stop);

private:
    using Clock = std::chrono::steady_clock;
    struct Client {
        int fd = -1;
        std::string input;
        std::string output;
        std::deque<std::pair<Clock::time_point, std::string>> delayed;
        Clock::time_point lastInput;
    };

    void Accept();
    // False when the client must be closed.
    bool ReadFrom(Client& client);
    bool WriteTo(Client& client);
    bool Serve(Client& client, const TEWireFields& request);
    void Send(Client& client, std::string message);
    void RunCycle();
    std::time_t DeviceTime() const;
    int PollTimeoutMs(Clock::time_point now) const;
    void SaveIfChanged(const std::string& keyword, int mode, int status);

    TEServerOptions m_Options;
    TaskEngineDevice m_Device;
    int m_nListener = -1;
    int m_nPort = 0;
    std::vector<std::unique_ptr<Client>> m_Clients;
    Clock::time_point m_NextCycle;
    Clock::time_point m_Started;
    std::time_t m_ClockOffset = 0;
};

}  // namespace tedevice
