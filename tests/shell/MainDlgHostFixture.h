// A main dialog's host side registered below a host root record, with the
// trace lines it shows collected, against fresh embedded devices.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "shell/CMainDlgHost.h"

class MainDlgHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        corvala::ResetDevices();
        corvala::SetTraceSink([this](HWND window, const char* text) {
            m_TraceWindows.push_back(window);
            m_Trace.emplace_back(text);
        });
        m_Root.m_hTraceWnd = kTraceWindow;
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(kDialogWindow);
    }

    void TearDown() override
    {
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
        corvala::SetTraceSink(nullptr);
        corvala::ResetDevices();
    }

    // OnMessage with a text value; the text afterwards is in m_szData.
    long Message(int mode, int id, const std::string& text)
    {
        text.copy(m_szData, sizeof m_szData - 1);
        m_szData[std::min(text.size(), sizeof m_szData - 1)] = '\0';
        m_Message = {mode, id, DATATYPE_TEXT, 0, m_szData, 0, 0};
        return m_Dialog.OnMessage(0, reinterpret_cast<long>(&m_Message));
    }

    std::string Get(int id)
    {
        Message(KEYWORD_GET, id, "");
        return m_szData;
    }

    long Load(const std::string& line) { return m_Dialog.OnLoad(0, reinterpret_cast<long>(line.c_str())); }

    std::vector<std::string> DeviceNames()
    {
        return {m_Dialog.DeviceNames()->begin(), m_Dialog.DeviceNames()->end()};
    }

    static inline const HWND kTraceWindow = reinterpret_cast<HWND>(0x7ace);
    static inline const HWND kDialogWindow = reinterpret_cast<HWND>(0xd1a1);

    HOSTINFO m_Root;
    CMainDlgHost m_Dialog;
    KeywordMessage m_Message{};
    char m_szData[REQUEST_TEXT_SIZE] = {};
    std::vector<std::string> m_Trace;
    std::vector<HWND> m_TraceWindows;
};
