// The scripted demo the host runs until the plug-in has windows: it
// configures the main dialog's host side as the host does, and sends one
// request through each TE channel to two embedded devices, printing every
// request and answer.
#pragma once

#include <cstdio>

class CMainDlgHost;

class ChannelDemo {
public:
    ChannelDemo(CMainDlgHost& dialog, std::FILE* out) : m_Dialog(dialog), m_pOut(out) {}

    // Answers the number of steps whose outcome was not the expected one.
    int Run();

private:
    void Configure();
    void ReplayLine(const char* line, long expected);
    void SendThroughChannels();
    void ReadLiveValue();
    void SendText(int channel, int mode, const char* text, int expected);
    void ReadCount(int channel, int expected);
    void ReadList(int channel, size_t expected);
    void Check(bool ok);

    CMainDlgHost& m_Dialog;
    std::FILE* m_pOut;
    int m_nFailures = 0;
};
