#include "blocks/CTEProcRTC.h"

#include <cstdio>

#include "blocks/TEPropertyWindow.h"

IMPLEMENT_DYNAMIC(CTEProcRTC, CTETrackObject)

namespace {

constexpr int kWidth = 60;
constexpr int kHeight = 25;

}  // namespace

CTEProcRTC::CTEProcRTC(int x, int y, CTEDocument* pDocument, int, const char* pszCaption,
                       const char* pszWantedName)
    : CTETrackObject(x, y, 0, 1, TE_KIND_INPUT)
{
    m_fValue = 0.0f;
    if (pszCaption != nullptr)
        m_szText.AssignCut(pszCaption);
    InitializeBlock(pDocument, kWidth, kHeight, "RTC_1", pszWantedName);
}

CTEProcRTC::~CTEProcRTC()
{
    DestroyPropertyWindow(m_hPropertyWnd);
}

void CTEProcRTC::FormatValue(char* pszText, size_t cbText) const
{
    std::snprintf(pszText, cbText, "%4.0f", m_fValue);
}

void CTEProcRTC::Draw(CDC* pDC)
{
    char szValue[64];
    FormatValue(szValue, sizeof szValue);
    DrawBlockFrame(pDC, m_szText, POINT{3, 2}, szValue, POINT{23, 9});
}

int CTEProcRTC::RefreshValues()
{
    return ReadValueMarkingNews();
}

void CTEProcRTC::GetTypeName(char*) {}

HWND CTEProcRTC::ShowPropertyWindow(HOSTINFO*)
{
    return nullptr;
}
