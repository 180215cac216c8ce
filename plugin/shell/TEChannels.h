// The task-engine request channels of the main dialog, in the order in which
// they are built: the twelve of the record exchange, then the device's
// program version, which lets a tick with nothing changed skip reading the
// records.
#pragma once

#include "Corvala.h"

enum TEChannel {
    TE_SAFEPROCNAME,
    TE_SAFELINENAME,
    TE_SETPROC,
    TE_SETLINE,
    TE_PROCS,
    TE_LINES,
    TE_NROFPROCS,
    TE_NROFLINES,
    TE_DELPROC,
    TE_DELLINE,
    TE_UPDATEPROC,
    TE_UPDATELINE,
    TE_PROGRAMVERSION,
    TE_CHANNEL_COUNT
};

// The device keyword of each channel, indexed by TEChannel.
extern const char* const g_TEKeywords[TE_CHANNEL_COUNT];

// A keyword list and the request list built from it: one item per keyword
// and device. Owns the entries of both lists.
struct CRequestChannel {
    STRINGLIST m_Keywords;
    REQUESTLIST m_Requests;

    void Empty()
    {
        a_EmptyStringList(&m_Keywords);
        a_EmptyRequestList(&m_Requests);
    }
};

// The channel id of a device keyword (exact, case-sensitive), or -1.
int FindTEChannel(const char* keyword);
