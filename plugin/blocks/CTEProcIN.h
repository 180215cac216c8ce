// The input block: feeds the value of a device parameter (its connection and
// function texts) into the task engine and shows it. Subtype 1 shows the
// value always, with a "C=" prefix; the others show it only once the block
// is linked, "NC" before. No input pin, one output pin.
#pragma once

#include "blocks/CTETrackObject.h"

class CTEProcIN : public CTETrackObject {
    DECLARE_DYNAMIC(CTEProcIN)
public:
    CTEProcIN(int x, int y, CTEDocument* pDocument, int nSubtype, const char* pszWantedName);
    ~CTEProcIN() override;

    void Draw(CDC* pDC) override;
    int RefreshValues() override;
    void GetTypeName(char* dst) override;
    HWND ShowPropertyWindow(HOSTINFO* pOwner) override;

    // The value text and where it goes on the block, as drawn.
    void FormatValue(char* pszText, size_t cbText) const;
    POINT ValuePosition() const;

    HWND m_hPropertyWnd = nullptr;
};
