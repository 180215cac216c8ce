// CObjectBar: sizes for the palette and the palette control as the bar's child.
#include "palette/CObjectBar.h"

IMPLEMENT_DYNAMIC(CObjectBar, CSizingControlBarCF)

CObjectBar::CObjectBar()
{
    m_szHorz = CSize(200, 200);
    m_szVert = CSize(200, 200);
    m_szFloat = CSize(200, 450);
    m_szMinHorz = CSize(33, 32);
    m_szMinVert = CSize(200, 350);
    m_szMinFloat = CSize(200, 350);
}

CObjectBar::~CObjectBar()
{
    // The palette goes before the bar's own window.
    m_wndOutlookBar.DestroyWindow();
}

int CObjectBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CSizingControlBarCF::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Edges drawn, none draggable; the palette follows the client size.
    m_dwSCBStyle &= ~SCBS_EDGEALL;
    m_dwSCBStyle |= SCBS_SHOWEDGES | SCBS_SIZECHILD;
    const DWORD dwPaletteStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    if (!m_wndOutlookBar.Create(nullptr, "", dwPaletteStyle, CRect(0, 0, 0, 0), this, OUTLOOKBAR_ID))
        return -1;
    return 0;
}
