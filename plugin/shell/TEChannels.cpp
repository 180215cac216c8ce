#include "TEChannels.h"

#include <cstring>

const char* const g_TEKeywords[TE_CHANNEL_COUNT] = {
    "TESafeProcName", "TESafeLineName", "TESetProc",   "TESetLine",
    "TEProcs",        "TELines",        "TENrOfProcs", "TENrOfLines",
    "DelTEProc",      "DelTELine",      "TEUpdateProc", "TEUpdateLine",
    "TEProgramVersion",
};

int FindTEChannel(const char* keyword)
{
    if (!keyword)
        return -1;
    for (int id = 0; id < TE_CHANNEL_COUNT; ++id)
        if (std::strcmp(g_TEKeywords[id], keyword) == 0)
            return id;
    return -1;
}
