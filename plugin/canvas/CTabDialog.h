// The host-record side of a tab page of the main dialog: a HOSTINFO that
// carries the title of its tab.
#pragma once

#include "Corvala.h"

constexpr int TAB_NAME_SIZE = 128;

class CTabDialog : public HOSTINFO {
public:
    CTabDialog();
    ~CTabDialog() override = default;

    // Makes the page a host object below `parent` under the title `name`;
    // the base has no window to register and does nothing.
    virtual void InitializeTab(HOSTINFO* parent, char* name);
    // Replaces the device-name list by the one name given.
    virtual void SetDeviceName(char* text);

    // Copies the tab name with its terminator; `out` holds TAB_NAME_SIZE bytes.
    void GetTabName(char* out) const;

protected:
    char m_szTabName[TAB_NAME_SIZE];
};
