// Queued answers for the host's dialogs in headless runs.
#include <deque>
#include <map>
#include <string>

#include "pldisplay.h"

namespace {

std::map<std::string, std::deque<long>>& answers()
{
    static std::map<std::string, std::deque<long>> queued;
    return queued;
}

}  // namespace

void PlPushDialogAnswer(const char* kind, long value)
{
    if (kind)
        answers()[kind].push_back(value);
}

BOOL PlTakeDialogAnswer(const char* kind, long* value)
{
    if (!kind)
        return FALSE;
    auto it = answers().find(kind);
    if (it == answers().end() || it->second.empty())
        return FALSE;
    if (value)
        *value = it->second.front();
    it->second.pop_front();
    return TRUE;
}
