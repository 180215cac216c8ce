// tedeviced: a task-engine device on the network.
//   tedeviced [--port N] [--bind ADDR] [--period MS] [--program FILE]
//             [--delay MS] [--sweep NAME:SECONDS]... [--clock EPOCH]
//             [--stalled MS] [--max-clients N]
// Prints "tedeviced: listening on ADDR:PORT" once it accepts clients.
#include <csignal>
#include <iostream>

#include "TEDeviceServer.h"

namespace {

volatile std::sig_atomic_t g_bStop = 0;

void OnStopSignal(int)
{
    g_bStop = 1;
}

}  // namespace

int main(int argc, char** argv)
{
    tedevice::TEServerOptions options;
    if (std::string error = tedevice::ParseServerOptions(argc, argv, options); !error.empty()) {
        std::cerr << "tedeviced: " << error << std::endl;
        return 2;
    }
    struct sigaction action {};
    action.sa_handler = OnStopSignal;  // no SA_RESTART: poll returns at once
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    tedevice::TEDeviceServer server(options);
    if (std::string error = server.Start(); !error.empty()) {
        std::cerr << "tedeviced: " << error << std::endl;
        return 1;
    }
    std::cout << "tedeviced: listening on " << options.bindAddress << ':' << server.Port() << std::endl;
    server.Run(g_bStop);
    return 0;
}
