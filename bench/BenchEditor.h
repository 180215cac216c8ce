// What the mirroring benchmarks share: a program of n blocks written into a
// device, and an editor's document connected to a device by name, loaded by
// its first tick.
#pragma once

#include <string>

#include "CorvalaHost.h"
#include "TaskEngineDevice.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"

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
// its output: a line per block. Linked, inputs read Ch1.Gain and outputs
// write User.A, so that a cycle of the device has every block to evaluate.
inline void WriteProgram(tedevice::TaskEngineDevice& device, int n, bool bLinked = false)
{
    auto write = [&](const std::string& keyword, const std::string& text) {
        tedevice::TEValue value;
        value.text = text;
        device.Request(keyword, tedevice::TE_WRITE, tedevice::TE_TEXT, value);
    };
    auto link = [&](const std::string& block, const char* pszConnection, const char* pszFunction) {
        if (!bLinked)
            return;
        write("TE." + block + ".connection", pszConnection);
        write("TE." + block + ".function", pszFunction);
    };
    for (int k = 0; 3 * k < n; ++k) {
        int x = (k % 20) * 300;
        int y = (k / 20) * 60;
        std::string in = "II_" + std::to_string(k);
        std::string sum = "FUNC_" + std::to_string(k);
        std::string out = "IO_" + std::to_string(k);
        write("TESetProc", "CTEProcIN_0 " + in + ' ' + std::to_string(x) + ',' + std::to_string(y));
        link(in, "Ch1", "Gain");
        if (3 * k + 1 < n)
            write("TESetProc", "CTEProcFUNC_2xPLUS " + sum + ' ' + std::to_string(x + 100) + ',' + std::to_string(y));
        if (3 * k + 2 >= n)
            continue;
        write("TESetProc", "CTEProcOUT_0 " + out + ' ' + std::to_string(x + 200) + ',' + std::to_string(y));
        link(out, "User", "A");
        write("TESetLine", "Line_0 " + in + ".Out0 " + sum + ".In0 0x000000ff ");
        write("TESetLine", "Line_0 " + in + ".Out0 " + std::to_string(x + 80) + ',' + std::to_string(y + 20) + ' ' +
                               sum + ".In1 0x0000ff00 ");
        write("TESetLine", "Line_0 " + sum + ".Out0 " + out + ".In0 0x00ff0000 ");
    }
}

// An editor connected to the named device, loaded by one tick.
struct BenchEditor {
    explicit BenchEditor(const std::string& device)
    {
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(nullptr);
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        std::string line = "connection=" + device;
        m_Dialog.OnLoad(0, reinterpret_cast<long>(line.c_str()));
        m_Document.Tick();
    }
    ~BenchEditor()
    {
        m_Document.Clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
    }
    BenchEditor(const BenchEditor&) = delete;
    BenchEditor& operator=(const BenchEditor&) = delete;

    HOSTINFO m_Root;
    CMainDlgHost m_Dialog;
    BenchPage m_Page;
    CTEDocument m_Document;
};
