// A task-engine device: holds the block program (procs and lines) and each
// block's link texts, online state and live value, and answers keyword
// requests about them. Rules in docs/device.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TEParameters.h"
#include "TERecords.h"

namespace tedevice {

// Request modes, data types and statuses, numbered as the host library
// numbers them so that a link passes them through unchanged.
constexpr int TE_READ = 1;
constexpr int TE_WRITE = 2;
constexpr int TE_INT = 5;
constexpr int TE_DOUBLE = 9;
constexpr int TE_TEXT = 11;
constexpr int TE_LIST = 43;
constexpr int TE_FAILED = 0;
constexpr int TE_OK = 1;

// The value of one request. A request reads and writes the member of its
// type only: `text` carries a write's input and any text answer; `list` is
// replaced by a list answer.
struct TEValue {
    int number = 0;
    double real = 0.0;
    std::string text;
    std::vector<std::string> list;
};

// One block of the program, with the data the block keeps on the device.
struct TEBlock {
    TEProcRecord record;
    std::string function;
    std::string connection;
    int online = 1;
    double value = 0.0;
    int valueStatus = TE_OK;  // what a value read answers; TE_OK reads the value
};

// One request as the device received it, for tests that count what an
// editor sends.
struct TERequestRecord {
    std::string keyword;
    int mode = 0;
    int type = 0;
    std::string text;  // the text sent, for text requests
    int status = TE_FAILED;
};

class TaskEngineDevice {
public:
    static constexpr size_t kMaxProcs = 10000;
    static constexpr size_t kMaxLines = 10000;

    // Starts at a random program version (see ProgramVersion).
    TaskEngineDevice();

    // Answers the status of one request. Anything but TE_OK leaves the
    // program and `value` as they were.
    int Request(std::string_view keyword, int mode, int type, TEValue& value);

    // A number that grows by one, from 2^31 - 1 back to 0, with every change
    // of the program (a block or line set, deleted, moved or changed), and
    // with nothing else. An editor that saw the program at one version
    // knows, reading the same version again, that nothing changed. It
    // starts at a random number, so that an editor that knew the device
    // before it restarted (or was replaced) does not take the new program
    // for the one it knew.
    int ProgramVersion() const { return static_cast<int>(m_nProgramVersion); }

    // Test and host API.
    std::vector<std::string> ProcRecords() const;
    std::vector<std::string> LineRecords() const;
    const TEBlock* FindBlock(std::string_view name) const;
    bool SetBlockValue(std::string_view name, double value);
    // Makes the block's value reads answer `status` (TE_OK: back to normal).
    bool SetBlockValueStatus(std::string_view name, int status);
    bool SetBlockOnline(std::string_view name, int online);
    // An offline device fails every request and keeps its program.
    void SetDeviceOnline(bool online) { m_bOnline = online; }
    bool IsDeviceOnline() const { return m_bOnline; }
    // While logging, every request is kept in arrival order, offline ones
    // included. Off by default, so that a long-running host keeps nothing.
    void SetRequestLogging(bool logging) { m_bLogging = logging; }
    const std::vector<TERequestRecord>& RequestLog() const { return m_RequestLog; }
    void ClearRequestLog() { m_RequestLog.clear(); }

    // For the program run, the device server and its program file.
    const std::vector<TEBlock>& Blocks() const { return m_Blocks; }
    const std::vector<TELineRecord>& Lines() const { return m_Lines; }
    // What the program computed for the block at `position`.
    void SetBlockResult(size_t position, double value, int status);
    TEParameters& Parameters() { return m_Parameters; }
    const TEParameters& Parameters() const { return m_Parameters; }
    // A stored line under its own name, as a program file keeps it; false
    // when the name is invalid or taken, or the device is full.
    bool RestoreLine(const TELineRecord& line);
    uint64_t NextLineNumber() const { return m_nNextLine; }
    void SetNextLineNumber(uint64_t number) { m_nNextLine = number; }

private:
    using Handler = int (TaskEngineDevice::*)(TEValue&);
    struct KeywordEntry {
        std::string_view keyword;
        int mode;
        int type;
        Handler handler;
        bool changesProgram;  // an accepted request moves the program version
    };
    static const KeywordEntry kKeywords[];

    int SafeProcName(TEValue& value);
    int SafeLineName(TEValue& value);
    int SetProc(TEValue& value);
    int SetLine(TEValue& value);
    int Procs(TEValue& value);
    int Lines(TEValue& value);
    int NrOfProcs(TEValue& value);
    int NrOfLines(TEValue& value);
    int DelProc(TEValue& value);
    int DelLine(TEValue& value);
    int UpdateProc(TEValue& value);
    int UpdateLine(TEValue& value);
    int ReadProgramVersion(TEValue& value);
    int Links(TEValue& value);
    void ProgramChanged();
    int Answer(std::string_view keyword, int mode, int type, TEValue& value);
    int BlockRequest(std::string_view keyword, int mode, int type, TEValue& value);
    int ParameterRequest(std::string_view name, int mode, int type, TEValue& value);

    // Position of a name in its list, or -1. Every block request of an
    // editor's tick names a block, so a linear search would make each tick
    // grow with the square of the program.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    using NameIndex = std::unordered_map<std::string, size_t, NameHash, std::equal_to<>>;
    static long Find(const NameIndex& index, std::string_view name);
    // Takes entry `position` out of an index whose positions follow a list.
    static void Forget(NameIndex& index, size_t position, std::string_view name);

    TEBlock* BlockNamed(std::string_view name);
    TELineRecord* LineNamed(std::string_view name);
    bool IsBlockNameTaken(std::string_view name) const;

    std::vector<TEBlock> m_Blocks;
    std::vector<TELineRecord> m_Lines;
    NameIndex m_BlockIndex;
    NameIndex m_LineIndex;
    uint64_t m_nNextLine = 1;  // line numbers are never handed out twice
    uint32_t m_nProgramVersion = 0;
    bool m_bOnline = true;
    bool m_bLogging = false;
    std::vector<TERequestRecord> m_RequestLog;
    TEParameters m_Parameters;
};

}  // namespace tedevice
