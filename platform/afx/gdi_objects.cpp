// Wrappers of pens, brushes, bitmaps, fonts and regions.
#include <cstdlib>
#include <cstring>

#include "afxwin.h"
#include "handle_map.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

template <class T>
T* TemporaryOf(HGDIOBJ hObject)
{
    return AfxFromHandleAs<T>(AfxMapHGDIOBJ(), hObject, [hObject] {
        T* wrapper = new T;
        wrapper->m_hObject = hObject;
        return wrapper;
    });
}

}  // namespace

// ---- CGdiObject ----------------------------------------------------------------------
CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return TemporaryOf<CPen>(hObject);
    case OBJ_BRUSH:
        return TemporaryOf<CBrush>(hObject);
    case OBJ_BITMAP:
        return TemporaryOf<CBitmap>(hObject);
    case OBJ_FONT:
        return TemporaryOf<CFont>(hObject);
    default:
        return TemporaryOf<CGdiObject>(hObject);
    }
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = hObject;
    AfxMapHGDIOBJ().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != nullptr)
        AfxMapHGDIOBJ().RemovePermanent(hObject, this);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (Attach(hObject))
        return TRUE;
    if (hObject != nullptr)
        ::DeleteObject(hObject);
    return FALSE;
}

BOOL CGdiObject::CreateStockObject(int nIndex) { return AttachNew(::GetStockObject(nIndex)); }
int CGdiObject::GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }
UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }
BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

// ---- CPen -----------------------------------------------------------------------------
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen* CPen::FromHandle(HPEN hPen) { return TemporaryOf<CPen>(hPen); }

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    return AttachNew(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

// ---- CBrush ---------------------------------------------------------------------------
CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

CBrush* CBrush::FromHandle(HBRUSH hBrush) { return TemporaryOf<CBrush>(hBrush); }
BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return AttachNew(::CreateSolidBrush(crColor)); }

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (pBitmap == nullptr)
        return FALSE;
    return AttachNew(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return AttachNew(::CreateBrushIndirect(lpLogBrush)); }

// ---- CBitmap --------------------------------------------------------------------------
CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) { return TemporaryOf<CBitmap>(hBitmap); }

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return AttachNew(::CreateCompatibleBitmap(pDC != nullptr ? pDC->m_hDC : nullptr, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) { return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap); }

// ---- CFont ----------------------------------------------------------------------------
CFont* CFont::FromHandle(HFONT hFont) { return TemporaryOf<CFont>(hFont); }
BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) { return AttachNew(::CreateFontIndirect(lpLogFont)); }

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return AttachNew(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                               nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    if (lpszFaceName == nullptr)
        return FALSE;
    LOGFONT logFont;
    std::memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    std::strncpy(logFont.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == nullptr)
        return FALSE;
    HDC hDC = pDC != nullptr ? pDC->m_hDC : ::CreateCompatibleDC(nullptr);
    if (hDC == nullptr)
        return FALSE;

    // Tenths of a point to device pixels (72 points per inch), then to
    // logical units of the DC.
    LOGFONT logFont = *lpLogFont;
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720)};
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -std::abs(pt.y - ptOrg.y);

    if (pDC == nullptr)
        ::DeleteDC(hDC);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont) { return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont); }

// ---- CRgn -----------------------------------------------------------------------------
CRgn* CRgn::FromHandle(HRGN hRgn) { return TemporaryOf<CRgn>(hRgn); }

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return AttachNew(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return AttachNew(::CreateRectRgnIndirect(lpRect)); }

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    auto handleOf = [](const CRgn* pRgn) { return pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr; };
    return ::CombineRgn(static_cast<HRGN>(m_hObject), handleOf(pRgn1), handleOf(pRgn2), nCombineMode);
}

int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y); }
int CRgn::OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect); }
