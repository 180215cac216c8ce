#include "palette/PaletteData.h"

PaletteItem::~PaletteItem()
{
    if (m_pBitmap)
        a_UnregisterBitmap3(m_strIcon.c_str());
}

KIVOBitmap* PaletteItem::GetBitmap()
{
    if (!m_pBitmap && !m_strIcon.empty())
        m_pBitmap = a_GetBitmap3(m_strIcon.c_str());
    return m_pBitmap;
}
