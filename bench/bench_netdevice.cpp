// The editor against a device on the network: one tick of the document with
// a tedeviced process on loopback, preloaded with programs of 100, 1,000 and
// 5,000 blocks, with answers at once and held back 5 ms (a 5 ms round trip);
// and the device's own program cycle over the same programs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "BenchEditor.h"
#include "TEProgramFile.h"
#include "TEProgramRun.h"
#include "netdevice/DeviceProcess.h"

namespace {

// A program file of n linked blocks in a folder of its own, removed after.
class ProgramFile {
public:
    explicit ProgramFile(int nBlocks)
    {
        char szFolder[] = "/tmp/ovinta-bench-XXXXXX";
        if (::mkdtemp(szFolder) != nullptr)
            m_Folder = szFolder;
        tedevice::TaskEngineDevice device;
        WriteProgram(device, nBlocks, true);
        m_bSaved = !m_Folder.empty() && tedevice::SaveProgram(device, Path()).empty();
    }
    ~ProgramFile()
    {
        std::error_code ignored;
        if (!m_Folder.empty())
            std::filesystem::remove_all(m_Folder, ignored);
    }
    ProgramFile(const ProgramFile&) = delete;
    ProgramFile& operator=(const ProgramFile&) = delete;

    bool Saved() const { return m_bSaved; }
    std::string Path() const { return m_Folder + "/program.te"; }

private:
    std::string m_Folder;
    bool m_bSaved = false;
};

// range(0) blocks, range(1) milliseconds each answer is held back.
void TickOverNetwork(benchmark::State& state)
{
    const int nBlocks = static_cast<int>(state.range(0));
    ProgramFile program(nBlocks);
    DeviceProcess device;
    if (!program.Saved() ||
        !device.Start({"--program", program.Path(), "--delay", std::to_string(state.range(1))})) {
        state.SkipWithError("tedeviced did not start");
        return;
    }
    BenchEditor editor(device.Name());
    if (editor.m_Document.m_BlockList.GetSize() != nBlocks) {
        state.SkipWithError("the program did not load");
        return;
    }
    for (auto _ : state)
        editor.m_Document.Tick();
    state.counters["blocks"] = static_cast<double>(editor.m_Document.m_BlockList.GetSize());
    state.counters["lines"] = static_cast<double>(editor.m_Document.m_LineList.GetSize());
}

// One period's run of the program, as tedeviced runs it.
void DeviceCycle(benchmark::State& state)
{
    tedevice::TaskEngineDevice device;
    WriteProgram(device, static_cast<int>(state.range(0)), true);
    std::time_t now = std::time(nullptr);
    for (auto _ : state)
        tedevice::RunProgramCycle(device, now++);
    state.counters["blocks"] = static_cast<double>(device.ProcRecords().size());
}

}  // namespace

BENCHMARK(TickOverNetwork)
    ->ArgsProduct({{100, 1000, 5000}, {0, 5}})
    ->ArgNames({"blocks", "delay_ms"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(DeviceCycle)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
