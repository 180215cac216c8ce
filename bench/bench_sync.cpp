// Mirroring a program with the device: the tick with nothing to do and with
// one moved block (also on a connection of two devices), the two rebuilds,
// and reading the records, for programs of 100, 1,000 and 5,000 blocks with
// as many lines, against the embedded device.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include "BenchEditor.h"
#include "CorvalaHost.h"
#include "blocks/CTrackObject.h"
#include "lines/CLineItem.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"
#include "sync/TELineRecord.h"
#include "sync/TERecords.h"

namespace {

const char kDevice[] = "BENCH";
const char kSecondDevice[] = "BENCH2";

// An editor connected to an embedded device holding the program.
struct Editor : BenchEditor {
    // The devices of one run are dropped when the next one starts.
    explicit Editor(int nBlocks, bool bMirrored = false) : BenchEditor(Prepared(nBlocks, bMirrored)) {}

    static std::string Prepared(int nBlocks, bool bMirrored)
    {
        corvala::ResetDevices();
        WriteProgram(corvala::EmbeddedDevice(kDevice), nBlocks);
        if (!bMirrored)
            return kDevice;
        WriteProgram(corvala::EmbeddedDevice(kSecondDevice), nBlocks);
        return std::string(kDevice) + ',' + kSecondDevice;
    }
    void Read(TEChannel channel, STRINGLIST* pRecords)
    {
        a_SendRequest(&m_Dialog.Channel(channel).m_Requests, REQUEST_READ, DATATYPE_STRINGLIST, pRecords, nullptr);
    }
};

void SetCounters(benchmark::State& state, const Editor& editor)
{
    state.counters["blocks"] = static_cast<double>(editor.m_Document.m_BlockList.GetSize());
    state.counters["lines"] = static_cast<double>(editor.m_Document.m_LineList.GetSize());
}

void TickUnchanged(benchmark::State& state)
{
    Editor editor(static_cast<int>(state.range(0)));
    for (auto _ : state)
        editor.m_Document.Tick();
    SetCounters(state, editor);
}

void TickOneMoved(benchmark::State& state, bool bMirrored)
{
    Editor editor(static_cast<int>(state.range(0)), bMirrored);
    CTrackObject* pBlock = editor.m_Document.m_BlockList[editor.m_Document.m_BlockList.GetSize() / 2];
    int nStep = 0;
    for (auto _ : state) {
        CRect rc = pBlock->m_rcPos;
        rc.OffsetRect(0, (++nStep % 2) ? 5 : -5);
        pBlock->SetPosition(rc);
        pBlock->m_bMoved = TRUE;
        editor.m_Document.Tick();
    }
    SetCounters(state, editor);
}

void ReloadBlocks(benchmark::State& state)
{
    Editor editor(static_cast<int>(state.range(0)));
    STRINGLIST records;
    editor.Read(TE_PROCS, &records);
    for (auto _ : state)
        editor.m_Document.ReloadBlocks(&records);
    a_EmptyStringList(&records);
    SetCounters(state, editor);
}

void ReloadLines(benchmark::State& state)
{
    Editor editor(static_cast<int>(state.range(0)));
    STRINGLIST records;
    editor.Read(TE_LINES, &records);
    for (auto _ : state)
        editor.m_Document.ReloadLines(&records);
    a_EmptyStringList(&records);
    SetCounters(state, editor);
}

// Reading every proc record and type key, and every line record with its
// anchors resolved through a name table, without building anything.
class NameTable : public CTERecordLookup {
public:
    explicit NameTable(const CTEDocument& document)
    {
        for (INT_PTR i = 0; i < document.m_BlockList.GetSize(); ++i)
            m_Blocks.emplace(document.m_BlockList[i]->m_szName, document.m_BlockList[i]);
    }
    CTrackObject* FindBlock(const char* pszName) override
    {
        auto it = m_Blocks.find(pszName);
        return it == m_Blocks.end() ? nullptr : it->second;
    }
    CLineItem* FindLine(const char*) override { return nullptr; }

private:
    std::unordered_map<std::string, CTrackObject*> m_Blocks;
};

void ParseRecords(benchmark::State& state)
{
    Editor editor(static_cast<int>(state.range(0)));
    STRINGLIST procs;
    STRINGLIST lines;
    editor.Read(TE_PROCS, &procs);
    editor.Read(TE_LINES, &lines);
    NameTable names(editor.m_Document);
    for (auto _ : state) {
        for (const char* text : procs) {
            TEProcRecord record;
            TETypeKey key;
            benchmark::DoNotOptimize(TEReadProcRecord(text, &record) && TEParseTypeKey(record.strTypeKey.c_str(), &key));
        }
        for (const char* text : lines)
            delete TEReadLineRecord(text, names);
    }
    a_EmptyStringList(&procs);
    a_EmptyStringList(&lines);
    SetCounters(state, editor);
}

void Sizes(benchmark::internal::Benchmark* bench)
{
    bench->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(TickUnchanged)->Apply(Sizes);
BENCHMARK_CAPTURE(TickOneMoved, one_device, false)->Apply(Sizes);
BENCHMARK_CAPTURE(TickOneMoved, two_devices, true)->Apply(Sizes);
BENCHMARK(ReloadBlocks)->Apply(Sizes);
BENCHMARK(ReloadLines)->Apply(Sizes);
BENCHMARK(ParseRecords)->Apply(Sizes);
