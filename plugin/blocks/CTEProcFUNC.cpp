#include "blocks/CTEProcFUNC.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "blocks/TEPropertyWindow.h"

IMPLEMENT_DYNAMIC(CTEProcFUNC, CTETrackObject)

namespace {

constexpr int kWidth = 60;
constexpr int kPinRoom = 10;
constexpr int kMinHeight = 20;
const char kSwitchName[] = "SWITCH";

// A negative count cannot be a pin count: CTrackObject refuses it as a huge one.
UINT PinCount(int nInputs)
{
    return nInputs < 0 ? TRACK_MAX_PINS + 1 : static_cast<UINT>(nInputs);
}

}  // namespace

int CTEProcFUNC::HeightFor(int nInputs)
{
    return std::max(kPinRoom * (nInputs + 1), kMinHeight);
}

CTEProcFUNC::CTEProcFUNC(int x, int y, CTEDocument* pDocument, int nInputs, const char* pszOperator,
                         const char* pszWantedName)
    : CTETrackObject(x, y, PinCount(nInputs), 1, TE_KIND_FUNCTION)
{
    LookUpOperator(pszOperator);
    InitializeBlock(pDocument, kWidth, HeightFor(nInputs), "FUNC_1", pszWantedName);
}

CTEProcFUNC::~CTEProcFUNC()
{
    DestroyPropertyWindow(m_hPropertyWnd);
}

void CTEProcFUNC::LookUpOperator(const char* pszOperator)
{
    if (const TEOperator* pOperator = FindTEOperator(pszOperator)) {
        m_szText.AssignCut(pOperator->szSymbol);
        std::strcpy(m_szOperator, pOperator->szName);
        m_bNotFound = FALSE;
    }
    if (m_bNotFound) {
        m_szText.Clear();
        std::strcpy(m_szOperator, kSwitchName);
    }
}

void CTEProcFUNC::Draw(CDC* pDC)
{
    DrawBlockFrame(pDC, m_szOperator, POINT{15, 2}, nullptr, POINT{0, 0});
}

int CTEProcFUNC::RefreshValues()
{
    return 0;
}

void CTEProcFUNC::GetTypeName(char*) {}

HWND CTEProcFUNC::ShowPropertyWindow(HOSTINFO*)
{
    return RaisePropertyWindow(m_hPropertyWnd);
}
