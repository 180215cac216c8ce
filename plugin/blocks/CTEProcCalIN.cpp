#include "blocks/CTEProcCalIN.h"

#include <cmath>
#include <cstdio>

#include "blocks/TEPropertyWindow.h"

IMPLEMENT_DYNAMIC(CTEProcCalIN, CTETrackObject)

namespace {

constexpr int kWidth = 60;
constexpr int kHeight = 25;

}  // namespace

CTEProcCalIN::CTEProcCalIN(int x, int y, CTEDocument* pDocument, int, const char* pszWantedName)
    : CTETrackObject(x, y, 0, 1, TE_KIND_CALINPUT)
{
    m_nKindWord = 0;
    InitializeBlock(pDocument, kWidth, kHeight, "CI_1", pszWantedName);
}

CTEProcCalIN::~CTEProcCalIN()
{
    DestroyPropertyWindow(m_hPropertyWnd);
}

void CTEProcCalIN::FormatValue(char* pszText, size_t cbText) const
{
    // On when the value truncated toward zero is not 0, that is from 1 away
    // from zero; asked this way so that no value is ever converted out of range.
    int bOn = std::fabs(m_fValue) >= 1.0f;
    std::snprintf(pszText, cbText, "%1d", bOn);
}

void CTEProcCalIN::Draw(CDC* pDC)
{
    char szValue[8];
    FormatValue(szValue, sizeof szValue);
    DrawBlockFrame(pDC, CTrackObject::m_szName, POINT{3, 2}, szValue, POINT{33, 9});
}

int CTEProcCalIN::RefreshValues()
{
    BOOL bChanged = FALSE;
    int result = ReadValue(&bChanged);
    if (result == 1)
        m_bDirty = TRUE;
    return result;
}

void CTEProcCalIN::GetTypeName(char*) {}

HWND CTEProcCalIN::ShowPropertyWindow(HOSTINFO*)
{
    return RaisePropertyWindow(m_hPropertyWnd);
}
