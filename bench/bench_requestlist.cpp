// Building the request channels for a device list: the main dialog's
// "connection" line as the host replays it (one line, and a second line
// naming as many other devices), and the host library's build alone in the
// pattern that line makes (each device appended to the device list, then
// its keyword to each channel's keyword list, then a build of that channel).
// A stored line holds at most 4095 characters, so the line benchmark stops
// at 1,000 three-character names; the library's build goes on to 5,000.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "CorvalaHost.h"
#include "shell/CMainDlgHost.h"

namespace {

// A distinct three-character device name for every index below 36^3.
std::string ShortName(int index)
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name(3, '0');
    for (int position = 2; position >= 0; --position, index /= 36)
        name[position] = digits[index % 36];
    return name;
}

// "connection=" with the devices first .. first + count - 1.
std::string ConnectionLine(int first, int count)
{
    std::string line = "connection=";
    for (int i = first; i < first + count; ++i) {
        if (i > first)
            line += ',';
        line += ShortName(i);
    }
    return line;
}

void ReplayConnectionLines(benchmark::State& state)
{
    const int nDevices = static_cast<int>(state.range(0));
    const int nLines = static_cast<int>(state.range(1));
    std::string lines[2] = {ConnectionLine(0, nDevices), ConnectionLine(nDevices, nDevices)};
    for (auto _ : state) {
        CMainDlgHost dialog;
        for (int line = 0; line < nLines; ++line)
            dialog.OnLoad(0, reinterpret_cast<long>(lines[line].c_str()));
        benchmark::DoNotOptimize(dialog.Channel(TE_UPDATELINE).m_Requests.size());
        state.PauseTiming();
        dialog.EmptyChannels();
        state.ResumeTiming();
    }
    state.counters["devices"] = nDevices;
}

// Twelve channels built device by device, as one "connection" line builds
// them; the device list is emptied between lines, the channels are not.
void BuildChannelsDeviceByDevice(benchmark::State& state)
{
    constexpr int kChannels = 12;
    const int nDevices = static_cast<int>(state.range(0));
    const int nLines = static_cast<int>(state.range(1));
    for (auto _ : state) {
        HOSTINFO record;
        STRINGLIST keywords[kChannels];
        REQUESTLIST requests[kChannels];
        for (int line = 0; line < nLines; ++line) {
            a_EmptyStringList(&record.m_StringList2);
            for (int i = 0; i < nDevices; ++i) {
                record.m_StringList2.push_back(strdup(("dev" + std::to_string(line * nDevices + i)).c_str()));
                for (int channel = 0; channel < kChannels; ++channel) {
                    keywords[channel].push_back(strdup(("TEKeyword" + std::to_string(channel)).c_str()));
                    a_BuildRequestList(&record, &keywords[channel], &record.m_StringList2, &requests[channel]);
                }
            }
        }
        benchmark::DoNotOptimize(requests[kChannels - 1].size());
        state.PauseTiming();
        for (int channel = 0; channel < kChannels; ++channel) {
            a_EmptyStringList(&keywords[channel]);
            a_EmptyRequestList(&requests[channel]);
        }
        a_EmptyStringList(&record.m_StringList2);
        state.ResumeTiming();
    }
    state.counters["devices"] = nDevices;
}

}  // namespace

BENCHMARK(ReplayConnectionLines)
    ->ArgsProduct({{100, 1000}, {1, 2}})
    ->ArgNames({"devices", "lines"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BuildChannelsDeviceByDevice)
    ->ArgsProduct({{100, 1000, 5000}, {1, 2}})
    ->ArgNames({"devices", "lines"})
    ->Unit(benchmark::kMillisecond);
