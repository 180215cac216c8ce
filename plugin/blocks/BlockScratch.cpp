#include "blocks/BlockScratch.h"

#include <algorithm>

namespace {

// The kept surface: a memory DC with a 32-bit bitmap that only grows.
class KeptSurface {
public:
    ~KeptSurface()
    {
        if (m_hOldBitmap != nullptr)
            ::SelectObject(m_DC.m_hDC, m_hOldBitmap);
    }
    // The DC with a bitmap of at least w x h, or null when none could be made.
    CDC* Reserve(int w, int h)
    {
        if (m_DC.m_hDC == nullptr && !m_DC.CreateCompatibleDC(nullptr))
            return nullptr;
        if (w <= m_size.cx && h <= m_size.cy)
            return &m_DC;
        const CSize size(std::max<int>(w, m_size.cx), std::max<int>(h, m_size.cy));
        CBitmap bitmap;
        if (!bitmap.CreateBitmap(size.cx, size.cy, 1, 32, nullptr))
            return nullptr;
        // The DC's first bitmap goes back at the end, by handle: the wrapper
        // SelectObject answers is a temporary one.
        HGDIOBJ hPrevious = ::SelectObject(m_DC.m_hDC, bitmap.m_hObject);
        if (m_hOldBitmap == nullptr)
            m_hOldBitmap = hPrevious;
        m_Bitmap.DeleteObject();
        m_Bitmap.Attach(bitmap.Detach());
        m_size = size;
        return &m_DC;
    }

private:
    CDC m_DC;
    CBitmap m_Bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    CSize m_size{0, 0};
};

}  // namespace

CBlockScratch::CBlockScratch(CDC* pTarget, int w, int h)
{
    static KeptSurface kept;
    if (pTarget->GetDeviceCaps(BITSPIXEL) == 32)
        m_pDC = kept.Reserve(w, h);
    if (m_pDC != nullptr) {
        m_nSavedState = m_pDC->SaveDC();
        return;
    }
    m_OwnDC.CreateCompatibleDC(pTarget);
    m_OwnBitmap.CreateCompatibleBitmap(pTarget, w, h);
    m_pOldOwnBitmap = m_OwnDC.SelectObject(&m_OwnBitmap);
    m_pDC = &m_OwnDC;
}

CBlockScratch::~CBlockScratch()
{
    if (m_pDC == &m_OwnDC) {
        m_OwnDC.SelectObject(m_pOldOwnBitmap);
        return;
    }
    m_pDC->RestoreDC(m_nSavedState);
}
