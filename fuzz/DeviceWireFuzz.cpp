// The device as a client on the network reaches it: the input is the byte
// stream a client sends, cut into wire messages as the server cuts them and
// answered as the server answers them. Afterwards the program runs two
// cycles and goes through the program file and back.
//
// Checked beyond the sanitizers: every answer survives its own encoding; a
// request that does not answer 1 leaves the program as it was; a program
// saved and loaded again is the same program.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "FuzzCheck.h"
#include "TEProgramFile.h"
#include "TEProgramRun.h"
#include "TEWireAnswer.h"

using namespace tedevice;

namespace {

struct ProgramText {
    std::vector<std::string> procs;
    std::vector<std::string> lines;
    bool operator==(const ProgramText&) const = default;
};

ProgramText Program(const TaskEngineDevice& device)
{
    return {device.ProcRecords(), device.LineRecords()};
}

void CheckAnswerRoundTrip(const TEWireFields& fields)
{
    std::string message = EncodeMessage(fields);
    TEWireFields decoded;
    size_t used = 0;
    FUZZ_CHECK(DecodeMessage(message, kMaxAnswerMessage, decoded, used) == TEWireStatus::Complete);
    FUZZ_CHECK(used == message.size() && decoded == fields);
}

// The program file of this process: a folder in memory when there is one.
const std::string& ProgramPath()
{
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/ovinta-fuzz-program-" + std::to_string(getpid());
    return path;
}

void CheckProgramFileRoundTrip(const TaskEngineDevice& device)
{
    FUZZ_CHECK(SaveProgram(device, ProgramPath()).empty());
    TaskEngineDevice loaded;
    std::string error = LoadProgram(ProgramPath(), loaded);
    FUZZ_CHECK_MSG(error.empty(), error.c_str());
    FUZZ_CHECK(Program(loaded) == Program(device));
    FUZZ_CHECK(loaded.NextLineNumber() == device.NextLineNumber());
    for (const TEBlock& block : device.Blocks()) {
        const TEBlock* copy = loaded.FindBlock(block.record.name);
        FUZZ_CHECK(copy && copy->function == block.function && copy->connection == block.connection);
    }
    std::remove(ProgramPath().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view stream(reinterpret_cast<const char*>(data), size);
    TaskEngineDevice device;
    bool changedProgram = false;
    for (;;) {
        TEWireFields message;
        size_t used = 0;
        if (DecodeMessage(stream, kMaxRequestMessage, message, used) != TEWireStatus::Complete)
            break;
        stream.remove_prefix(used);
        ProgramText before = Program(device);
        TEWireAnswer answer = AnswerWireMessage(device, message);
        if (!answer.valid)
            break;  // the server closes the client
        CheckAnswerRoundTrip(answer.fields);
        if (answer.status != TE_OK)
            FUZZ_CHECK(Program(device) == before);
        changedProgram |= answer.status == TE_OK;
    }
    RunProgramCycle(device, 1700000000);
    RunProgramCycle(device, 1700000001);
    CheckAnswerRoundTrip(PollAnswer(device));
    if (changedProgram)
        CheckProgramFileRoundTrip(device);
    return 0;
}
