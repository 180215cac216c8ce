// The host-visible side of the main dialog: its HOSTINFO record, the
// "connection", "interval" and "menu" keywords, and the TE request
// channels that "connection" builds. The main dialog derives from it.
#pragma once

#include "Corvala.h"
#include "KeywordTable.h"
#include "TEChannels.h"

class CMainDlgHost : public HOSTINFO {
public:
    CMainDlgHost() = default;
    ~CMainDlgHost() override;
    CMainDlgHost(const CMainDlgHost&) = delete;
    CMainDlgHost& operator=(const CMainDlgHost&) = delete;

    // Registers the record with the host as a child of m_pParent (set by the
    // creator) with `hWnd` as its window, and starts the interval at 100.
    BOOL RegisterHostinfo(HWND hWnd);
    // Takes the record out of the host's tree again.
    void UnregisterHostinfo();
    // Empties the keyword and request lists of every TE channel.
    void EmptyChannels();

    // A stored line "keyword=parameter" replayed by the host.
    long OnLoad(unsigned message, long parameter) override;
    // Get, set or query a keyword; `parameter` is a KeywordMessage*.
    long OnMessage(unsigned message, long parameter) override;

    CRequestChannel& Channel(TEChannel channel) { return m_Channels[channel]; }
    // The channel of a device keyword such as "TESetProc", or null.
    CRequestChannel* ChannelFor(const char* keyword);
    STRINGLIST* DeviceNames() { return &m_StringList2; }
    HOSTINFO* Record() { return this; }

    int m_nInterval = 0;  // "interval" and "menu"

private:
    long QueryKeyword(KeywordMessage* message);

    CRequestChannel m_Channels[TE_CHANNEL_COUNT];
};
