// Building and sending request lists.
#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "Corvala.h"
#include "DeviceLinks.h"
#include "RequestItem.h"
#include "RequestValue.h"

namespace {

// The device names a list already has items for with this keyword, in list
// order.
std::vector<std::string_view> DevicesOf(const REQUESTLIST& requests, std::string_view keyword)
{
    std::vector<std::string_view> names;
    names.reserve(requests.size());
    for (const REQUESTITEM* item : requests) {
        if (item && item->keyword == keyword)
            names.emplace_back(item->deviceName);
    }
    return names;
}

// Appends the items of one keyword for the device names it lacks. Lists
// are usually built from device lists that only grew at their end, so the
// names present are a prefix of the device list: those are passed over in
// one comparison each. The rest is looked up in a set, since a second
// "connection" naming other devices leaves the first ones' items in the
// list, and searching them for every new name took minutes.
int AppendMissing(HOSTINFO* record, const char* keyword, const STRINGLIST& deviceNames, REQUESTLIST& requests)
{
    std::vector<std::string_view> present = DevicesOf(requests, keyword);
    size_t nFirst = 0;
    while (nFirst < present.size() && nFirst < deviceNames.size() && deviceNames[nFirst] &&
           present[nFirst] == deviceNames[nFirst])
        ++nFirst;
    if (nFirst == deviceNames.size())
        return 0;
    std::unordered_set<std::string_view> known(present.begin(), present.end());
    int appended = 0;
    for (size_t i = nFirst; i < deviceNames.size(); ++i) {
        const char* deviceName = deviceNames[i];
        if (!deviceName || known.contains(deviceName))
            continue;
        requests.push_back(new REQUESTITEM{keyword, deviceName, record});
        known.insert(requests.back()->deviceName);
        ++appended;
    }
    return appended;
}

int AskItem(const REQUESTITEM* item, int mode, int type, RequestValue& value)
{
    auto link = corvala::ResolveDeviceLink(item->deviceName);
    value.Reset();
    return link->Request(item->keyword.c_str(), mode, type, value.Scratch());
}

// The first device that answers with success fills the value.
int SendRead(const REQUESTLIST& requests, int type, void* callerValue)
{
    RequestValue value(REQUEST_READ, type, callerValue);
    int firstStatus = REQUEST_FAILED;
    for (const REQUESTITEM* item : requests) {
        if (!item)
            continue;
        int status = AskItem(item, REQUEST_READ, type, value);
        if (status == REQUEST_OK) {
            value.Deliver();
            return REQUEST_OK;
        }
        if (firstStatus == REQUEST_FAILED)
            firstStatus = status;
    }
    return firstStatus;
}

// Every device gets the value; the first that accepts gives the answer.
int SendWrite(const REQUESTLIST& requests, int type, void* callerValue)
{
    RequestValue value(REQUEST_WRITE, type, callerValue);
    bool accepted = false;
    for (const REQUESTITEM* item : requests) {
        if (!item)
            continue;
        if (AskItem(item, REQUEST_WRITE, type, value) == REQUEST_OK && !accepted) {
            value.Deliver();
            accepted = true;
        }
    }
    return accepted ? REQUEST_OK : REQUEST_FAILED;
}

}  // namespace

int a_BuildRequestList(HOSTINFO* record, STRINGLIST* keywords, STRINGLIST* deviceNames,
                       REQUESTLIST* requests)
{
    if (!keywords || !deviceNames || !requests)
        return -1;
    // A "connection" of n devices builds each list n times, from a keyword
    // list holding its keyword n times: a repeated keyword is passed over,
    // so a line of a few hundred devices no longer takes minutes.
    std::vector<std::string_view> keywordsDone;
    int appended = 0;
    for (const char* keyword : *keywords) {
        if (!keyword || std::find(keywordsDone.begin(), keywordsDone.end(), keyword) != keywordsDone.end())
            continue;
        keywordsDone.emplace_back(keyword);
        appended += AppendMissing(record, keyword, *deviceNames, *requests);
    }
    return appended;
}

int a_SendRequest(REQUESTLIST* requests, int mode, int type, void* value, int* status)
{
    int result = REQUEST_FAILED;
    if (requests && RequestValue::IsCarried(type, value)) {
        if (mode == REQUEST_READ)
            result = SendRead(*requests, type, value);
        else if (mode == REQUEST_WRITE)
            result = SendWrite(*requests, type, value);
    }
    if (status)
        *status = result;
    return result;
}

namespace corvala {

std::string RequestKeyword(const REQUESTITEM* item)
{
    return item ? item->keyword : std::string();
}

std::string RequestDeviceName(const REQUESTITEM* item)
{
    return item ? item->deviceName : std::string();
}

HOSTINFO* RequestOwner(const REQUESTITEM* item)
{
    return item ? item->owner : nullptr;
}

}  // namespace corvala
