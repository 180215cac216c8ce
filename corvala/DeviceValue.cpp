#include "DeviceValue.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace corvala {

void TakeDeviceValue(int type, const void* value, tedevice::TEValue& request)
{
    switch (type) {
    case DATATYPE_INT:
        request.number = *static_cast<const int*>(value);
        break;
    case DATATYPE_DOUBLE:
        request.real = *static_cast<const double*>(value);
        break;
    case DATATYPE_TEXT:
        request.text.assign(static_cast<const char*>(value), strnlen(static_cast<const char*>(value), REQUEST_TEXT_SIZE - 1));
        break;
    case DATATYPE_STRINGLIST:
        for (const char* text : *static_cast<const STRINGLIST*>(value))
            if (text)
                request.list.emplace_back(text);
        break;
    }
}

void GiveDeviceAnswer(int mode, int type, const tedevice::TEValue& answer, void* value)
{
    switch (type) {
    case DATATYPE_INT:
        *static_cast<int*>(value) = answer.number;
        break;
    case DATATYPE_DOUBLE:
        *static_cast<double*>(value) = answer.real;
        break;
    case DATATYPE_TEXT: {
        size_t length = std::min(answer.text.size(), size_t(REQUEST_TEXT_SIZE - 1));
        std::memcpy(value, answer.text.data(), length);
        static_cast<char*>(value)[length] = '\0';
        break;
    }
    case DATATYPE_STRINGLIST:
        if (mode != REQUEST_READ)
            break;
        for (const std::string& record : answer.list)
            if (char* copy = strdup(record.c_str()))
                static_cast<STRINGLIST*>(value)->push_back(copy);
        break;
    }
}

}  // namespace corvala
