// Handlers of the main dialog's keywords.
#pragma once

#include "KeywordTable.h"

// "interval" and "menu": one integer value, get and set as text.
int IntervalHandler(KeywordMessage* message, CMainDlgHost* dialog);

// "connection": a comma-separated device list. Rebuilds the device-name list
// and adds each device to the twelve TE channels. A list longer than 4095
// characters is refused and changes nothing.
int ConnectionHandler(KeywordMessage* message, CMainDlgHost* dialog);
