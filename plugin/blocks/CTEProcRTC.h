// The real-time clock block: a source with one output pin whose live value,
// read from the device, is shown as a whole number under a caption of its
// own (the text of its type key) instead of its name. No property window.
#pragma once

#include "blocks/CTETrackObject.h"

class CTEProcRTC : public CTETrackObject {
    DECLARE_DYNAMIC(CTEProcRTC)
public:
    // The number of the type key is not used; the caption is kept in m_szText.
    CTEProcRTC(int x, int y, CTEDocument* pDocument, int nNumber, const char* pszCaption, const char* pszWantedName);
    ~CTEProcRTC() override;

    void Draw(CDC* pDC) override;
    int RefreshValues() override;
    void GetTypeName(char* dst) override;
    HWND ShowPropertyWindow(HOSTINFO* pOwner) override;

    void FormatValue(char* pszText, size_t cbText) const;

    HWND m_hPropertyWnd = nullptr;
};
