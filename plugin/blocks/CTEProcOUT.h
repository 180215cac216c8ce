// The output block: the task engine drives a device parameter (its connection
// and function texts) through it. One input pin, no output pin; shows the
// live value, after "NC" while the block is not linked.
#pragma once

#include "blocks/CTETrackObject.h"

class CTEProcOUT : public CTETrackObject {
    DECLARE_DYNAMIC(CTEProcOUT)
public:
    // The number of the type key is not used.
    CTEProcOUT(int x, int y, CTEDocument* pDocument, int nNumber, const char* pszWantedName);
    ~CTEProcOUT() override;

    void Draw(CDC* pDC) override;
    int RefreshValues() override;
    void GetTypeName(char* dst) override;
    HWND ShowPropertyWindow(HOSTINFO* pOwner) override;

    void FormatValue(char* pszText, size_t cbText) const;

    HWND m_hPropertyWnd = nullptr;
};
