// The library's private view of a request item.
#pragma once

#include <string>

#include "Corvala.h"

struct REQUESTITEM {
    std::string keyword;
    std::string deviceName;
    HOSTINFO* owner = nullptr;  // the record the list was built for
};
