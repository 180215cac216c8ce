// Building and sending request lists.
#include "Corvala.h"
#include "DeviceLinks.h"
#include "RequestIndex.h"
#include "RequestItem.h"
#include "RequestValue.h"

namespace {

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
    return REQUESTINDEX::Build(record, *keywords, *deviceNames, *requests);
}

void a_EmptyRequestList(REQUESTLIST* requests)
{
    if (requests)
        REQUESTINDEX::Empty(*requests);
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

REQUESTLIST::REQUESTLIST() = default;

REQUESTLIST::~REQUESTLIST()
{
    REQUESTINDEX::Empty(*this);
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
