// The function block: an operator of the task engine with a number of input
// pins and one output pin. It shows the operator's name; a name the operator
// table does not know makes a switch block, shown as "SWITCH". No live value,
// no link of its own, no tooltip.
#pragma once

#include "blocks/CTETrackObject.h"
#include "blocks/TEOperatorTable.h"

class CTEProcFUNC : public CTETrackObject {
    DECLARE_DYNAMIC(CTEProcFUNC)
public:
    // nInputs pins on the left (0 to TRACK_MAX_PINS; others raise the
    // invalid-argument exception), the block tall enough for them.
    CTEProcFUNC(int x, int y, CTEDocument* pDocument, int nInputs, const char* pszOperator,
                const char* pszWantedName);
    ~CTEProcFUNC() override;

    // Height of a function block with n inputs: room for every pin, never
    // lower than the single output pin needs.
    static int HeightFor(int nInputs);

    void Draw(CDC* pDC) override;
    int RefreshValues() override;
    void GetTypeName(char* dst) override;
    // Only raises a window that already exists; nothing opens one.
    HWND ShowPropertyWindow(HOSTINFO* pOwner) override;

    BOOL m_bNotFound = TRUE;                  // only while constructing
    char m_szOperator[TE_OPERATOR_FIELD] = {};  // shown on the block
    HWND m_hPropertyWnd = nullptr;

private:
    void LookUpOperator(const char* pszOperator);
};
