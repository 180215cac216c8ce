#include "KeywordHandlers.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CMainDlgHost.h"

namespace {

// Reads a leading decimal integer the way "%d" does; a number that does not
// fit 32 bits is refused rather than wrapped.
int ReadInt(const char* text, int& value)
{
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || number < INT_MIN || number > INT_MAX)
        return 0;
    value = static_cast<int>(number);
    return 1;
}

// A zero-filled allocation of `size` bytes holding as much of `text` as fits.
char* CopyText(const char* text, size_t size)
{
    char* copy = static_cast<char*>(std::calloc(size, 1));
    if (copy)
        std::memcpy(copy, text, strnlen(text, size - 1));
    return copy;
}

// Adds one device to the device-name list and to every channel.
bool AddDevice(CMainDlgHost* dialog, const char* deviceName)
{
    size_t length = std::strlen(deviceName);
    char* name = CopyText(deviceName, length + 1);
    if (!name)
        return false;
    dialog->DeviceNames()->push_back(name);
    for (int channel = 0; channel < TE_CHANNEL_COUNT; ++channel) {
        char* keyword = CopyText(g_TEKeywords[channel], length + 32);
        if (!keyword)
            return false;
        CRequestChannel& target = dialog->Channel(static_cast<TEChannel>(channel));
        target.m_Keywords.push_back(keyword);
        a_BuildRequestList(dialog->Record(), &target.m_Keywords, dialog->DeviceNames(), &target.m_Requests);
    }
    return true;
}

// The device names joined by commas, as a set takes them; they were split
// from one such text, so they fit the answer buffer.
int WriteDeviceNames(const STRINGLIST& names, char* data)
{
    std::string joined;
    for (const char* name : names) {
        if (name == nullptr)
            continue;
        if (!joined.empty())
            joined += ',';
        joined += name;
    }
    if (joined.size() >= REQUEST_TEXT_SIZE)
        return 0;
    std::memcpy(data, joined.c_str(), joined.size() + 1);
    return 1;
}

}  // namespace

int IntervalHandler(KeywordMessage* message, CMainDlgHost* dialog)
{
    if (!message || !dialog || !message->m_pData || message->m_nType != DATATYPE_TEXT)
        return 0;
    if (message->m_nMode == KEYWORD_GET) {
        std::snprintf(message->m_pData, REQUEST_TEXT_SIZE, "%d", dialog->m_nInterval);
        return 1;
    }
    if (message->m_nMode == KEYWORD_SET)
        return ReadInt(message->m_pData, dialog->m_nInterval);
    return 0;
}

int ConnectionHandler(KeywordMessage* message, CMainDlgHost* dialog)
{
    if (!message || !dialog || !message->m_pData)
        return 0;
    // A get answers the device names. Taken as a set, it would empty the
    // device list with whatever the host's answer buffer held.
    if (message->m_nMode == KEYWORD_GET)
        return WriteDeviceNames(*dialog->DeviceNames(), message->m_pData);
    // A longer list would lose its last device names in the work buffer.
    if (strnlen(message->m_pData, REQUEST_TEXT_SIZE) >= REQUEST_TEXT_SIZE)
        return 0;
    a_EmptyStringList(dialog->DeviceNames());

    char work[REQUEST_TEXT_SIZE];
    std::strcpy(work, message->m_pData);
    char* next = work;
    while (char* field = strsep(&next, ",")) {
        if (*field && !AddDevice(dialog, field))
            return 0;
    }
    return 1;
}
