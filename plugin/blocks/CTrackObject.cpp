#include "blocks/CTrackObject.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "blocks/SolidTools.h"
#include "lines/CLineItem.h"

IMPLEMENT_DYNAMIC(CTrackObject, CObject)

namespace {

constexpr int kInitialWidth = 120;
constexpr int kInitialHeight = 60;

// Pin rows of the base layout: the first pin 17 pixels below the top, one
// every 15 pixels; inputs stick out 3 pixels, outputs sit 4 pixels inside.
constexpr int kPinTop = 17;
constexpr int kPinStep = 15;
constexpr int kInputPinOut = 3;
constexpr int kOutputPinIn = 4;

// Grown pin rectangles for hit tests: output pins catch from further out, as
// lines are mostly started there.
constexpr SIZE kInputPinSlack = {3, 2};
constexpr SIZE kOutputPinSlack = {6, 4};

const char* const kFontSpecs[TRACK_FONT_COUNT] = {
    "ms sans serif,8", "Small Fonts,4", "Small Fonts,5", "Small Fonts,6", "Small Fonts,7",
};

// One row of the handle table: which edges give the handle's position, whether
// it is centred on an edge, its offset in handle sizes, and its code once the
// rectangle is flipped horizontally or vertically.
struct HandleInfo {
    bool bRightEdge;
    bool bBottomEdge;
    int nCenterX;
    int nCenterY;
    int nHandleX;
    int nHandleY;
    int nFlipX;
    int nFlipY;
};

const HandleInfo kHandles[8] = {
    {false, false, 0, 0, 0, 0, 1, 3},   // top left
    {true, false, 0, 0, -1, 0, 0, 2},   // top right
    {true, true, 0, 0, -1, -1, 3, 1},   // bottom right
    {false, true, 0, 0, 0, -1, 2, 0},   // bottom left
    {false, false, 1, 0, 0, 0, 4, 6},   // top
    {true, false, 0, 1, -1, 0, 7, 5},   // right
    {false, true, 1, 0, 0, -1, 6, 4},   // bottom
    {false, false, 0, 1, 0, 0, 5, 7},   // left
};

constexpr UINT kCornerHandles = 0x0F;
constexpr UINT kTopBottomHandles = 0x50;
constexpr UINT kLeftRightHandles = 0xA0;

// The raster code the hatched border is painted with.
constexpr DWORD kHatchBorderRop = 0x000F0001;

std::unique_ptr<TrackPin[]> NewPins(UINT nPins)
{
    if (nPins == 0)
        return nullptr;
    return std::unique_ptr<TrackPin[]>(new TrackPin[nPins]());
}

}  // namespace

HBRUSH CTrackObject::SharedHatchBrush()
{
    static const HBRUSH hBrush = [] {
        static const WORD kRows[8] = {0x1111, 0x2222, 0x4444, 0x8888, 0x1111, 0x2222, 0x4444, 0x8888};
        HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kRows);
        HBRUSH hHatch = ::CreatePatternBrush(hPattern);
        ::DeleteObject(hPattern);
        return hHatch;
    }();
    return hBrush;
}

HPEN CTrackObject::SharedDottedPen()
{
    static const HPEN hPen = ::CreatePen(PS_DOT, 0, RGB(0, 0, 0));
    return hPen;
}

CTrackObject::CTrackObject(int x, int y, UINT nInputs, UINT nOutputs, int nObjectType)
    : m_sizeLimit(kInitialWidth, kInitialHeight),
      m_nInputs(nInputs),
      m_nOutputs(nOutputs),
      m_rcPos(x, y, x + kInitialWidth, y + kInitialHeight),
      m_nObjectType(nObjectType)
{
    if (nInputs > TRACK_MAX_PINS || nOutputs > TRACK_MAX_PINS)
        AfxThrowInvalidArgException();
    m_pInputs = NewPins(nInputs);
    m_pOutputs = NewPins(nOutputs);
    for (int i = 0; i < TRACK_FONT_COUNT; ++i)
        m_hFonts[i] = a_GetFont(kFontSpecs[i]);
    SharedHatchBrush();
    SharedDottedPen();
}

CTrackObject::~CTrackObject()
{
    ForgetLines(m_pInputs.get(), m_nInputs);
    ForgetLines(m_pOutputs.get(), m_nOutputs);
}

void CTrackObject::ForgetLines(TrackPin* pPins, UINT nPins)
{
    for (UINT i = 0; i < nPins; ++i) {
        for (CLineItem* pLine : pPins[i].m_pLines) {
            if (pLine == nullptr)
                continue;
            if (pLine->m_pSource == this)
                pLine->m_pSource = nullptr;
            if (pLine->m_pTarget == this)
                pLine->m_pTarget = nullptr;
        }
    }
}

// ---- Virtual operations -----------------------------------------------------------

void CTrackObject::LayoutPins()
{
    for (UINT i = 0; i < m_nInputs; ++i) {
        TrackPin& pin = m_pInputs[i];
        int left = m_rcPos.left - kInputPinOut;
        int top = m_rcPos.top + kPinTop + kPinStep * static_cast<int>(i);
        pin.m_rcPin = {left, top, left + TRACKPIN_SIZE, top + TRACKPIN_SIZE};
        std::snprintf(pin.m_szLabel, sizeof pin.m_szLabel, "%d", static_cast<int>(i) + 1);
    }
    for (UINT j = 0; j < m_nOutputs; ++j) {
        TrackPin& pin = m_pOutputs[j];
        int left = m_rcPos.right - kOutputPinIn;
        int top = m_rcPos.top + kPinTop + kPinStep * static_cast<int>(j);
        pin.m_rcPin = {left, top, left + TRACKPIN_SIZE, top + TRACKPIN_SIZE};
        std::snprintf(pin.m_szLabel, sizeof pin.m_szLabel, "%d", static_cast<int>(j) + 1);
    }
}

void CTrackObject::OnMouseMove(UINT, int, int) {}

void CTrackObject::DrawBody(CDC* pDC)
{
    int w = m_rcPos.Width();
    int h = m_rcPos.Height();
    CSolidBrush body(m_crBody);
    CRect rcBody(0, 0, w, h);
    pDC->FillRect(&rcBody, body.Get());

    CSolidPen light(m_crFrameLight);
    CSolidPen highlight(m_crFrameHighlight);
    CSolidPen shadow(m_crFrameShadow);
    CSolidPen darkShadow(m_crFrameDarkShadow);
    CPen* pOldPen = pDC->SelectObject(light.Get());
    pDC->MoveTo(0, h - 2);
    pDC->LineTo(0, 0);
    pDC->LineTo(w - 2, 0);
    pDC->SelectObject(highlight.Get());
    pDC->MoveTo(1, h - 3);
    pDC->LineTo(1, 1);
    pDC->LineTo(w - 2, 1);
    pDC->SelectObject(shadow.Get());
    pDC->MoveTo(0, h - 1);
    pDC->LineTo(w - 1, h - 1);
    pDC->LineTo(w - 1, -1);
    pDC->SelectObject(darkShadow.Get());
    pDC->MoveTo(1, h - 2);
    pDC->LineTo(w - 2, h - 2);
    pDC->LineTo(w - 2, 0);
    pDC->SelectObject(pOldPen);
}

void CTrackObject::DrawPins(CDC* pDC, BOOL bLabels)
{
    DrawPinRows(pDC, bLabels, m_crInputPin, m_crOutputPin);
}

void CTrackObject::DrawPinRows(CDC* pDC, BOOL bLabels, COLORREF crInputFree, COLORREF crOutputFree)
{
    CSolidPen border(m_crPinBorder);
    CPen* pOldPen = pDC->SelectObject(border.Get());
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(m_hFonts[FONT_SMALL_5]));
    UINT nOldAlign = pDC->SetTextAlign(TA_LEFT);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crText);

    DrawPinSide(pDC, m_pInputs.get(), m_nInputs, bLabels, FALSE, crInputFree, m_crInputConnected);
    pDC->SetTextAlign(TA_RIGHT);
    DrawPinSide(pDC, m_pOutputs.get(), m_nOutputs, bLabels, TRUE, crOutputFree, m_crOutputConnected);

    pDC->SetTextAlign(nOldAlign);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldFont);
}

void CTrackObject::DrawPinSide(CDC* pDC, const TrackPin* pPins, UINT nPins, BOOL bLabels, BOOL bOutputs,
                               COLORREF crFree, COLORREF crConnected)
{
    CSolidBrush freeBrush(crFree);
    CBrush* pOldBrush = pDC->SelectObject(freeBrush.Get());
    for (UINT i = 0; i < nPins; ++i) {
        const TrackPin& pin = pPins[i];
        if (!IsPinConnected(&pin))
            pDC->Rectangle(&pin.m_rcPin);
        if (bLabels) {
            int x = bOutputs ? pin.m_rcPin.left - 3 : pin.m_rcPin.right + 2;
            pDC->TextOut(x, pin.m_rcPin.top - 1, pin.m_szLabel);
        }
    }
    // Connected squares go on top in a pass of their own.
    CSolidBrush connectedBrush(crConnected);
    pDC->SelectObject(connectedBrush.Get());
    for (UINT i = 0; i < nPins; ++i) {
        if (IsPinConnected(&pPins[i]))
            pDC->Rectangle(&pPins[i].m_rcPin);
    }
    pDC->SelectObject(pOldBrush);
}

int CTrackObject::HitTestPin(POINT* pt)
{
    struct Side {
        TrackPin* pPins;
        UINT nPins;
        SIZE slack;
        int nFirstCode;
    };
    const Side sides[2] = {
        {m_pInputs.get(), m_nInputs, kInputPinSlack, 1},
        {m_pOutputs.get(), m_nOutputs, kOutputPinSlack, PIN_HIT_OUTPUT},
    };
    for (const Side& side : sides) {
        for (UINT i = 0; i < side.nPins; ++i) {
            const TrackPin& pin = side.pPins[i];
            CRect grown(pin.m_rcPin);
            grown.InflateRect(side.slack);
            if (!grown.PtInRect(*pt))
                continue;
            // The first pin under the point decides, even when it is full.
            if (FindFreeLineSlot(&pin) < 0)
                return PIN_HIT_NONE;
            pt->x = (pin.m_rcPin.left + pin.m_rcPin.right) / 2;
            pt->y = (pin.m_rcPin.top + pin.m_rcPin.bottom) / 2;
            return side.nFirstCode + static_cast<int>(i);
        }
    }
    return PIN_HIT_NONE;
}

BOOL CTrackObject::RemoveLine(CLineItem* pLine)
{
    BOOL bFound = FALSE;
    auto clear = [&](TrackPin* pPins, UINT nPins) {
        for (UINT i = 0; i < nPins; ++i) {
            for (CLineItem*& pSlot : pPins[i].m_pLines) {
                if (pSlot == pLine) {
                    pSlot = nullptr;
                    bFound = TRUE;
                }
            }
        }
    };
    clear(m_pInputs.get(), m_nInputs);
    clear(m_pOutputs.get(), m_nOutputs);
    return bFound;
}

int CTrackObject::GetPinPoint(int side, UINT index, POINT* pt)
{
    *pt = {0, 0};
    const TrackPin* pPins;
    UINT nPins;
    if (side == PIN_SIDE_INPUT) {
        pPins = m_pInputs.get();
        nPins = m_nInputs;
    } else if (side == PIN_SIDE_OUTPUT) {
        pPins = m_pOutputs.get();
        nPins = m_nOutputs;
    } else {
        return 0;
    }
    if (index >= nPins)
        return -1;
    pt->x = pPins[index].m_rcPin.left + TRACKPIN_SIZE / 2;
    pt->y = pPins[index].m_rcPin.top + TRACKPIN_SIZE / 2;
    return 1;
}

int CTrackObject::RefreshValues()
{
    return 0;
}

void CTrackObject::GetTypeName(char* dst)
{
    std::sprintf(dst, "%s", GetRuntimeClass()->m_lpszClassName);
}

BOOL CTrackObject::HasContextMenu()
{
    return FALSE;
}

BOOL CTrackObject::CanShowProperties()
{
    return TRUE;
}

void CTrackObject::AddContextMenuItems(CMenu*) {}

int CTrackObject::OnContextCommand(UINT)
{
    return 0;
}

BOOL CTrackObject::HasTooltip()
{
    return FALSE;
}

int CTrackObject::GetTooltipText(char*)
{
    return 0;
}

// ---- Position and name ----------------------------------------------------------------

void CTrackObject::SetPosition(int left, int top, int right, int bottom)
{
    m_rcPos.SetRect(left, top, right, bottom);
    LayoutPins();
}

void CTrackObject::SetPosition(const RECT& rc)
{
    SetPosition(rc.left, rc.top, rc.right, rc.bottom);
}

void CTrackObject::SetSize(SIZE size)
{
    size.cx = std::max(size.cx, m_sizeLimit.cx);
    size.cy = std::max(size.cy, m_sizeLimit.cy);
    m_rcPos.right = m_rcPos.left + size.cx;
    m_rcPos.bottom = m_rcPos.top + size.cy;
    LayoutPins();
}

void CTrackObject::GetName(char* dst) const
{
    std::strcpy(dst, m_szName);
}

// ---- Tracker frame and handles ----------------------------------------------------------

CRect CTrackObject::NormalizedRect() const
{
    CRect rc(m_rcPos);
    rc.NormalizeRect();
    return rc;
}

void CTrackObject::DrawTracker(CDC* pDC)
{
    if (!m_bSelected)
        return;
    CRect rc = NormalizedRect();
    CPen* pOldPen = nullptr;
    CBrush* pOldBrush = pDC->GetCurrentBrush();
    CPen framePen;

    if (m_nTrackStyle & (STYLE_SOLID | STYLE_DOTTED | STYLE_COLORED)) {
        if (m_nTrackStyle & STYLE_DOTTED)
            pOldPen = pDC->SelectObject(CPen::FromHandle(SharedDottedPen()));
        else if (m_nTrackStyle & STYLE_COLORED) {
            framePen.CreatePen(PS_SOLID, 1, m_crFrame);
            pOldPen = pDC->SelectObject(&framePen);
        } else {
            pOldPen = static_cast<CPen*>(pDC->SelectStockObject(BLACK_PEN));
        }
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->SetROP2(R2_COPYPEN);
        pDC->Rectangle(rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1);
    }
    if (m_nTrackStyle & (STYLE_HATCH_BORDER | STYLE_HATCH_INSIDE))
        ::UnrealizeObject(SharedHatchBrush());
    if (m_nTrackStyle & STYLE_HATCH_INSIDE) {
        CPen* pPen = static_cast<CPen*>(pDC->SelectStockObject(NULL_PEN));
        if (pOldPen == nullptr)
            pOldPen = pPen;
        pDC->SelectObject(CBrush::FromHandle(SharedHatchBrush()));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetROP2(R2_MASKNOTPEN);
        pDC->Rectangle(rc.left + 1, rc.top + 1, rc.right, rc.bottom);
    }
    if (m_nTrackStyle & STYLE_HATCH_BORDER)
        DrawHatchBorder(pDC, rc);
    if (m_nTrackStyle & (STYLE_HANDLES_INSIDE | STYLE_HANDLES_OUTSIDE)) {
        UINT mask = HandleMask();
        for (int code = 0; code < 8; ++code) {
            if (mask & (1u << code))
                pDC->FillSolidRect(HandleRect(code), RGB(0, 0, 0));
        }
    }
    if (pOldPen != nullptr)
        pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CTrackObject::DrawHatchBorder(CDC* pDC, const CRect& rc)
{
    CBrush* pPrevious = pDC->SelectObject(CBrush::FromHandle(SharedHatchBrush()));
    pDC->SetBkMode(OPAQUE);
    CRect outer = OuterRect();
    pDC->PatBlt(outer.left, outer.top, outer.Width(), rc.top - outer.top, kHatchBorderRop);
    pDC->PatBlt(outer.left, rc.bottom, outer.Width(), outer.bottom - rc.bottom, kHatchBorderRop);
    pDC->PatBlt(outer.left, rc.top, rc.left - outer.left, rc.Height(), kHatchBorderRop);
    pDC->PatBlt(rc.right, rc.top, outer.right - rc.right, rc.Height(), kHatchBorderRop);
    pDC->SelectObject(pPrevious);
}

int CTrackObject::EffectiveHandleSize(const RECT* r)
{
    int size = m_nHandlePixels;
    if (m_nTrackStyle & STYLE_HANDLES_OUTSIDE)
        return size;
    const RECT& rc = r != nullptr ? *r : static_cast<const RECT&>(m_rcPos);
    int smaller = std::min(std::abs(rc.right - rc.left), std::abs(rc.bottom - rc.top));
    if (2 * size > smaller)
        size = smaller / 2;
    return size;
}

UINT CTrackObject::HandleMask()
{
    UINT mask = kCornerHandles;
    int room = 3 * m_nHandlePixels;
    if (std::abs(m_rcPos.Width()) - room > 4)
        mask |= kTopBottomHandles;
    if (std::abs(m_rcPos.Height()) - room > 4)
        mask |= kLeftRightHandles;
    return mask;
}

int CTrackObject::FlipHandleCode(int nCode) const
{
    if (nCode < 0 || nCode >= HIT_BODY)
        return nCode;
    if (m_rcPos.Width() < 0)
        nCode = kHandles[nCode].nFlipX;
    if (m_rcPos.Height() < 0)
        nCode = kHandles[nCode].nFlipY;
    return nCode;
}

CRect CTrackObject::HandleRect(int nCode)
{
    CRect rc = NormalizedRect();
    if (m_nTrackStyle & (STYLE_SOLID | STYLE_DOTTED))
        rc.InflateRect(1, 1);
    nCode = FlipHandleCode(nCode);
    if (nCode < 0 || nCode >= HIT_BODY)
        return CRect(0, 0, 0, 0);
    int size = EffectiveHandleSize();
    if (m_nTrackStyle & STYLE_HANDLES_OUTSIDE)
        rc.InflateRect(size - 1, size - 1);
    const HandleInfo& info = kHandles[nCode];
    int left = (info.bRightEdge ? rc.right : rc.left) + size * info.nHandleX +
               info.nCenterX * (rc.Width() - size) / 2;
    int top = (info.bBottomEdge ? rc.bottom : rc.top) + size * info.nHandleY +
              info.nCenterY * (rc.Height() - size) / 2;
    return CRect(left, top, left + size, top + size);
}

CRect CTrackObject::OuterRect()
{
    CRect rc = NormalizedRect();
    int grow = 0;
    if (m_nTrackStyle & (STYLE_HATCH_BORDER | STYLE_HANDLES_OUTSIDE))
        grow += EffectiveHandleSize() - 1;
    if (m_nTrackStyle & (STYLE_SOLID | STYLE_DOTTED))
        grow += 1;
    rc.InflateRect(grow, grow);
    return rc;
}

int CTrackObject::HitHandles(POINT pt)
{
    if (!OuterRect().PtInRect(pt))
        return HIT_NONE;
    UINT mask = HandleMask();
    for (int code = 0; code < 8; ++code) {
        if ((mask & (1u << code)) && HandleRect(code).PtInRect(pt))
            return code;
    }
    if (m_nTrackStyle & STYLE_HATCH_BORDER)
        return HIT_BODY;
    CRect rc = NormalizedRect();
    rc.InflateRect(1, 1);
    return rc.PtInRect(pt) ? HIT_BODY : HIT_NONE;
}

int CTrackObject::HitCode(POINT pt)
{
    if (!OuterRect().PtInRect(pt))
        return HIT_NONE;
    if (!(m_nTrackStyle & (STYLE_HANDLES_INSIDE | STYLE_HANDLES_OUTSIDE)))
        return HIT_BODY;
    return HitHandles(pt);
}

// ---- Pins ------------------------------------------------------------------------------

int CTrackObject::FindFreeLineSlot(const TrackPin* pPin) const
{
    int nSlots = m_nObjectType == TRACK_TYPE_WIDE_PINS ? TRACKPIN_LINE_SLOTS : TRACKPIN_NEW_LINE_SLOTS;
    for (int i = 0; i < nSlots; ++i) {
        if (pPin->m_pLines[i] == nullptr)
            return i;
    }
    return -1;
}

BOOL CTrackObject::IsPinConnected(const TrackPin* pPin)
{
    for (const CLineItem* pLine : pPin->m_pLines) {
        if (pLine != nullptr)
            return TRUE;
    }
    return FALSE;
}
