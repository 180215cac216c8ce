#include "blocks/CTEProcOUT.h"

#include <cstdio>

#include "blocks/TEPropertyWindow.h"

IMPLEMENT_DYNAMIC(CTEProcOUT, CTETrackObject)

namespace {

constexpr int kWidth = 60;
constexpr int kHeight = 25;

}  // namespace

CTEProcOUT::CTEProcOUT(int x, int y, CTEDocument* pDocument, int, const char* pszWantedName)
    : CTETrackObject(x, y, 1, 0, TE_KIND_OUTPUT)
{
    InitializeBlock(pDocument, kWidth, kHeight, "IO_1", pszWantedName);
}

CTEProcOUT::~CTEProcOUT()
{
    DestroyPropertyWindow(m_hPropertyWnd);
}

void CTEProcOUT::FormatValue(char* pszText, size_t cbText) const
{
    if (m_bAssigned)
        std::snprintf(pszText, cbText, "%5.2f", m_fValue);
    else
        std::snprintf(pszText, cbText, "NC %5.2f", m_fValue);
}

void CTEProcOUT::Draw(CDC* pDC)
{
    char szValue[64];
    FormatValue(szValue, sizeof szValue);
    DrawBlockFrame(pDC, CTrackObject::m_szName, POINT{36, 2}, szValue, POINT{13, 7});
}

int CTEProcOUT::RefreshValues()
{
    RefreshLink();
    return ReadValueMarkingNews();
}

void CTEProcOUT::GetTypeName(char*) {}

HWND CTEProcOUT::ShowPropertyWindow(HOSTINFO* pOwner)
{
    if (HWND hWnd = RaisePropertyWindow(m_hPropertyWnd))
        return hWnd;
    m_hPropertyWnd = OpenPropertyWindow(m_pDocument, pOwner, CTrackObject::m_szName, TE_PROPERTY_TYPE_OUTPUT);
    return m_hPropertyWnd;
}
