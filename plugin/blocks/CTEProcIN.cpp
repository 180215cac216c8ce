#include "blocks/CTEProcIN.h"

#include <cstdio>

#include "blocks/TEPropertyWindow.h"

IMPLEMENT_DYNAMIC(CTEProcIN, CTETrackObject)

namespace {

constexpr int kWidth = 60;
constexpr int kHeight = 25;
constexpr int kSubtypeC = 1;

}  // namespace

CTEProcIN::CTEProcIN(int x, int y, CTEDocument* pDocument, int nSubtype, const char* pszWantedName)
    : CTETrackObject(x, y, 0, 1, TE_KIND_INPUT)
{
    m_nKindWord = nSubtype;
    InitializeBlock(pDocument, kWidth, kHeight, nSubtype == kSubtypeC ? "IC_1" : "II_1", pszWantedName);
}

CTEProcIN::~CTEProcIN()
{
    DestroyPropertyWindow(m_hPropertyWnd);
}

void CTEProcIN::FormatValue(char* pszText, size_t cbText) const
{
    if (m_nKindWord == kSubtypeC)
        std::snprintf(pszText, cbText, "C=%-6.2f", m_fValue);
    else if (m_bAssigned)
        std::snprintf(pszText, cbText, "%6.2f", m_fValue);
    else
        std::snprintf(pszText, cbText, "NC");
}

POINT CTEProcIN::ValuePosition() const
{
    return m_nKindWord == kSubtypeC ? POINT{18, 9} : POINT{23, 9};
}

void CTEProcIN::Draw(CDC* pDC)
{
    char szValue[64];
    FormatValue(szValue, sizeof szValue);
    DrawBlockFrame(pDC, CTrackObject::m_szName, POINT{3, 2}, szValue, ValuePosition());
}

int CTEProcIN::RefreshValues()
{
    RefreshLink();
    return ReadValueMarkingNews();
}

void CTEProcIN::GetTypeName(char*) {}

HWND CTEProcIN::ShowPropertyWindow(HOSTINFO* pOwner)
{
    if (HWND hWnd = RaisePropertyWindow(m_hPropertyWnd))
        return hWnd;
    m_hPropertyWnd = OpenPropertyWindow(m_pDocument, pOwner, CTrackObject::m_szName, m_nKindWord == kSubtypeC ? 1 : 0);
    return m_hPropertyWnd;
}
