// The XOR drag rectangle and its halftone brush.
#include "afxwin.h"

namespace {

// The band of thickness `size` just inside `rect`, as up to four
// rectangles that do not overlap; the whole rectangle when the band covers it.
int BandRects(const RECT& rect, SIZE size, RECT out[4])
{
    CRect outer(rect);
    CRect inner(outer);
    inner.DeflateRect(size.cx, size.cy);
    if (!inner.IntersectRect(&inner, &outer)) {
        out[0] = outer;
        return 1;
    }
    out[0] = CRect(outer.left, outer.top, outer.right, inner.top);
    out[1] = CRect(outer.left, inner.bottom, outer.right, outer.bottom);
    out[2] = CRect(outer.left, inner.top, inner.left, inner.bottom);
    out[3] = CRect(inner.right, inner.top, outer.right, inner.bottom);
    return 4;
}

void InvertBand(CDC* pDC, const RECT& rect, SIZE size, CBrush* pBrush)
{
    RECT parts[4];
    int count = BandRects(rect, size, parts);
    CBrush* pOldBrush = pDC->SelectObject(pBrush);
    for (int i = 0; i < count; i++) {
        const RECT& r = parts[i];
        if (r.right > r.left && r.bottom > r.top)
            pDC->PatBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
    }
    pDC->SelectObject(pOldBrush);
}

}  // namespace

// Natively the old and new bands are combined into one region and inverted
// once; inverting the old band and then the new one gives the same pixels,
// since the pattern is anchored to the DC and XOR cancels where they overlap.
void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    if (pBrush == nullptr)
        pBrush = GetHalftoneBrush();
    if (pBrushLast == nullptr)
        pBrushLast = pBrush;
    if (pBrush == nullptr || lpRect == nullptr)
        return;
    if (lpRectLast != nullptr)
        InvertBand(this, *lpRectLast, sizeLast, pBrushLast);
    InvertBand(this, *lpRect, size, pBrush);
}

// Every other pixel set, alternating per row: inverted with PATINVERT it
// gives the grey checkerboard of drag feedback.
CBrush* CDC::GetHalftoneBrush()
{
    static CBrush* halftone = [] {
        WORD grayPattern[8];
        for (int i = 0; i < 8; i++)
            grayPattern[i] = (WORD)(0x5555 << (i & 1));
        CBitmap grayBitmap;
        auto* brush = new CBrush;
        if (grayBitmap.CreateBitmap(8, 8, 1, 1, grayPattern))
            brush->CreatePatternBrush(&grayBitmap);
        return brush;
    }();
    return halftone->m_hObject != nullptr ? halftone : nullptr;
}
