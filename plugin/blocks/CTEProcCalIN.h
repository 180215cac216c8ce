// The calibrated input block: shows its live value as 0 or 1. No input pin,
// one output pin; no link of its own, no tooltip, no property window.
#pragma once

#include "blocks/CTETrackObject.h"

class CTEProcCalIN : public CTETrackObject {
    DECLARE_DYNAMIC(CTEProcCalIN)
public:
    // The number of the type key is not used.
    CTEProcCalIN(int x, int y, CTEDocument* pDocument, int nNumber, const char* pszWantedName);
    ~CTEProcCalIN() override;

    void Draw(CDC* pDC) override;
    int RefreshValues() override;
    void GetTypeName(char* dst) override;
    // Only raises a window that already exists; nothing opens one.
    HWND ShowPropertyWindow(HOSTINFO* pOwner) override;

    void FormatValue(char* pszText, size_t cbText) const;

    HWND m_hPropertyWnd = nullptr;
};
