// Mirroring a program with the device: the tick with nothing to do and with
// one moved block, the two rebuilds, and reading the records, for programs
// of 100, 1,000 and 5,000 blocks with as many lines, against the embedded
// device.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

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

class BenchPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return 5; }
    int GetRecordedPageWidth() const override { return 1200; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT*, BOOL) override { return 1; }

    HOSTINFO m_Record;
};

// Writes a program of n blocks in rows of input, sum and output, each
// input feeding both inputs of its sum (one line over a bend) and each sum
// its output: a line per block.
void WriteProgram(tedevice::TaskEngineDevice& device, int n)
{
    auto write = [&](const char* keyword, const std::string& text) {
        tedevice::TEValue value;
        value.text = text;
        device.Request(keyword, tedevice::TE_WRITE, tedevice::TE_TEXT, value);
    };
    for (int k = 0; 3 * k < n; ++k) {
        int x = (k % 20) * 300;
        int y = (k / 20) * 60;
        std::string in = "II_" + std::to_string(k);
        std::string sum = "FUNC_" + std::to_string(k);
        std::string out = "IO_" + std::to_string(k);
        write("TESetProc", "CTEProcIN_0 " + in + ' ' + std::to_string(x) + ',' + std::to_string(y));
        if (3 * k + 1 < n)
            write("TESetProc", "CTEProcFUNC_2xPLUS " + sum + ' ' + std::to_string(x + 100) + ',' + std::to_string(y));
        if (3 * k + 2 >= n)
            continue;
        write("TESetProc", "CTEProcOUT_0 " + out + ' ' + std::to_string(x + 200) + ',' + std::to_string(y));
        write("TESetLine", "Line_0 " + in + ".Out0 " + sum + ".In0 0x000000ff ");
        write("TESetLine", "Line_0 " + in + ".Out0 " + std::to_string(x + 80) + ',' + std::to_string(y + 20) + ' ' +
                               sum + ".In1 0x0000ff00 ");
        write("TESetLine", "Line_0 " + sum + ".Out0 " + out + ".In0 0x00ff0000 ");
    }
}

// An editor connected to a device holding the program, loaded by one tick.
struct Editor {
    explicit Editor(int nBlocks)
    {
        corvala::ResetDevices();
        WriteProgram(corvala::EmbeddedDevice(kDevice), nBlocks);
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(nullptr);
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        std::string line = std::string("connection=") + kDevice;
        m_Dialog.OnLoad(0, reinterpret_cast<long>(line.c_str()));
        m_Document.Tick();
    }
    ~Editor()
    {
        m_Document.Clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
        corvala::ResetDevices();
    }

    void Read(TEChannel channel, STRINGLIST* pRecords)
    {
        a_SendRequest(&m_Dialog.Channel(channel).m_Requests, REQUEST_READ, DATATYPE_STRINGLIST, pRecords, nullptr);
    }

    HOSTINFO m_Root;
    CMainDlgHost m_Dialog;
    BenchPage m_Page;
    CTEDocument m_Document;
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

void TickOneMoved(benchmark::State& state)
{
    Editor editor(static_cast<int>(state.range(0)));
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
BENCHMARK(TickOneMoved)->Apply(Sizes);
BENCHMARK(ReloadBlocks)->Apply(Sizes);
BENCHMARK(ReloadLines)->Apply(Sizes);
BENCHMARK(ParseRecords)->Apply(Sizes);
