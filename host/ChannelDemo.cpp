#include "ChannelDemo.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "CorvalaHost.h"
#include "shell/CMainDlgHost.h"

namespace {

const char* ModeName(int mode)
{
    return mode == REQUEST_READ ? "read " : "write";
}

}  // namespace

int ChannelDemo::Run()
{
    Configure();
    SendThroughChannels();
    ReadLiveValue();
    std::fprintf(m_pOut, "%s\n", m_nFailures ? "demo: FAILED" : "demo: all answers as expected");
    return m_nFailures;
}

void ChannelDemo::Check(bool ok)
{
    if (!ok) {
        ++m_nFailures;
        std::fprintf(m_pOut, "   ^ unexpected\n");
    }
}

void ChannelDemo::Configure()
{
    std::fprintf(m_pOut, "-- stored lines\n");
    ReplayLine("connection=,Amp,,Mixer,", 1);
    std::string devices;
    for (const char* name : *m_Dialog.DeviceNames())
        devices += std::string(devices.empty() ? "" : ", ") + name;
    std::fprintf(m_pOut, "   devices: %s\n", devices.c_str());
    ReplayLine("interval=250", 1);
    ReplayLine("colour=red", 0);
    ReplayLine("menu=fast", 0);
}

void ChannelDemo::ReplayLine(const char* line, long expected)
{
    std::fprintf(m_pOut, "load \"%s\"\n", line);
    long result = m_Dialog.OnLoad(0, reinterpret_cast<long>(line));
    std::fprintf(m_pOut, "   -> %ld\n", result);
    Check(result == expected);
}

void ChannelDemo::SendThroughChannels()
{
    std::fprintf(m_pOut, "-- one request per channel, to Amp and Mixer\n");
    SendText(TE_SAFEPROCNAME, REQUEST_READ, "II_1", REQUEST_OK);
    SendText(TE_SETPROC, REQUEST_WRITE, "CTEProcIN_0 II_1 40,60", REQUEST_OK);
    SendText(TE_SETLINE, REQUEST_WRITE, "Line_1 II_1.Out0 120,63 200,63 0x00000000 ", REQUEST_OK);
    SendText(TE_SAFELINENAME, REQUEST_READ, "", REQUEST_OK);
    SendText(TE_UPDATEPROC, REQUEST_WRITE, "II_1 60,80", REQUEST_OK);
    SendText(TE_UPDATELINE, REQUEST_WRITE, "Line_1 II_1.Out0 120,83 240,83 0x000000ff ", REQUEST_OK);
    ReadCount(TE_NROFPROCS, 1);
    ReadCount(TE_NROFLINES, 1);
    ReadList(TE_PROCS, 1);
    ReadList(TE_LINES, 1);
    SendText(TE_DELLINE, REQUEST_WRITE, "Line_1", REQUEST_OK);
    SendText(TE_DELPROC, REQUEST_WRITE, "II_9", REQUEST_FAILED);
    for (const char* device : {"Amp", "Mixer"}) {
        auto& program = corvala::EmbeddedDevice(device);
        std::fprintf(m_pOut, "   %s holds %zu proc(s), %zu line(s)\n", device, program.ProcRecords().size(),
                     program.LineRecords().size());
    }
}

void ChannelDemo::SendText(int channel, int mode, const char* text, int expected)
{
    char buffer[REQUEST_TEXT_SIZE];
    std::strcpy(buffer, text);
    int status = 0;
    a_SendRequest(&m_Dialog.Channel(static_cast<TEChannel>(channel)).m_Requests, mode, DATATYPE_TEXT, buffer,
                  &status);
    std::fprintf(m_pOut, "%-14s %s \"%s\" -> status %d \"%s\"\n", g_TEKeywords[channel], ModeName(mode), text,
                 status, buffer);
    Check(status == expected);
}

void ChannelDemo::ReadCount(int channel, int expected)
{
    int count = 0;
    int status = 0;
    a_SendRequest(&m_Dialog.Channel(static_cast<TEChannel>(channel)).m_Requests, REQUEST_READ, DATATYPE_INT,
                  &count, &status);
    std::fprintf(m_pOut, "%-14s read  -> status %d, %d\n", g_TEKeywords[channel], status, count);
    Check(status == REQUEST_OK && count == expected);
}

void ChannelDemo::ReadList(int channel, size_t expected)
{
    STRINGLIST records;
    int status = 0;
    a_SendRequest(&m_Dialog.Channel(static_cast<TEChannel>(channel)).m_Requests, REQUEST_READ,
                  DATATYPE_STRINGLIST, &records, &status);
    std::fprintf(m_pOut, "%-14s read  -> status %d, %zu record(s)\n", g_TEKeywords[channel], status,
                 records.size());
    for (const char* record : records)
        std::fprintf(m_pOut, "   \"%s\"\n", record);
    Check(status == REQUEST_OK && records.size() == expected);
    a_EmptyStringList(&records);
}

// A block's value channel, built as the document builds it, read after the
// device's test API has set the value.
void ChannelDemo::ReadLiveValue()
{
    std::fprintf(m_pOut, "-- live value\n");
    corvala::EmbeddedDevice("Amp").SetBlockValue("II_1", 0.75);
    CRequestChannel value;
    char* keyword = static_cast<char*>(std::calloc(1024, 1));
    std::snprintf(keyword, 1024, "TE.%s.Value", "II_1");
    value.m_Keywords.push_back(keyword);
    a_BuildRequestList(m_Dialog.Record(), &value.m_Keywords, m_Dialog.DeviceNames(), &value.m_Requests);
    double live = 0;
    int status = 0;
    a_SendRequest(&value.m_Requests, REQUEST_READ, DATATYPE_DOUBLE, &live, &status);
    std::fprintf(m_pOut, "set Amp II_1 = 0.75; %s read -> status %d, %g\n", keyword, status, live);
    Check(status == REQUEST_OK && live == 0.75);
    value.Empty();
}
