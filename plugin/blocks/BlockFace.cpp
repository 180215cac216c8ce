#include "blocks/BlockFace.h"

CBlockFace::CBlockFace(CDC* pTarget, const CRect& rcBlock) : m_pTarget(pTarget), m_rcBlock(rcBlock)
{
    if (pTarget->GetDeviceCaps(BITSPIXEL) == 32) {
        m_pDC = pTarget;
        m_nSavedState = pTarget->SaveDC();
        pTarget->IntersectClipRect(&rcBlock);
        pTarget->OffsetViewportOrg(rcBlock.left, rcBlock.top);
        StartFresh();
        return;
    }
    m_OwnDC.CreateCompatibleDC(pTarget);
    m_OwnBitmap.CreateCompatibleBitmap(pTarget, rcBlock.Width(), rcBlock.Height());
    m_pOldOwnBitmap = m_OwnDC.SelectObject(&m_OwnBitmap);
    m_pDC = &m_OwnDC;
}

CBlockFace::~CBlockFace()
{
    if (m_pDC == m_pTarget) {
        m_pTarget->RestoreDC(m_nSavedState);
        return;
    }
    m_pTarget->BitBlt(m_rcBlock.left, m_rcBlock.top, m_rcBlock.Width(), m_rcBlock.Height(), &m_OwnDC, 0, 0,
                      SRCCOPY);
    m_OwnDC.SelectObject(m_pOldOwnBitmap);
}

// The attributes the face's drawing relies on, as a new memory DC has them.
void CBlockFace::StartFresh()
{
    m_pDC->SelectStockObject(BLACK_PEN);
    m_pDC->SelectStockObject(WHITE_BRUSH);
    m_pDC->SetTextColor(RGB(0, 0, 0));
    m_pDC->SetBkColor(RGB(255, 255, 255));
    m_pDC->SetBkMode(OPAQUE);
    m_pDC->SetTextAlign(TA_LEFT | TA_TOP);
    m_pDC->SetROP2(R2_COPYPEN);
}
