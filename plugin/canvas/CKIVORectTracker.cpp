#include "canvas/CKIVORectTracker.h"

#include <algorithm>
#include <cstdlib>

#include "blocks/CTrackObject.h"
#include "canvas/TrackingDC.h"

namespace {

// Read once from the profile by the first tracker; every tracker built
// afterwards uses it.
int ModuleHandleSize()
{
    static const int nSize = static_cast<int>(::GetProfileIntA("windows", "oleinplaceborderwidth", 4));
    return nSize;
}

// One row of the handle table: the edges that give the handle's position
// (and that it drags), whether it sits in the middle of an edge, its offset
// in handle sizes, and its code once the rectangle is flipped.
struct HandleInfo {
    int CRect::*pX;  // the x edge
    int CRect::*pY;  // the y edge
    int nCenterX;
    int nCenterY;
    int nHandleX;
    int nHandleY;
    int nFlipX;
    int nFlipY;
};

const HandleInfo kHandles[8] = {
    {&CRect::left, &CRect::top, 0, 0, 0, 0, 1, 3},       // top left
    {&CRect::right, &CRect::top, 0, 0, -1, 0, 0, 2},     // top right
    {&CRect::right, &CRect::bottom, 0, 0, -1, -1, 3, 1}, // bottom right
    {&CRect::left, &CRect::bottom, 0, 0, 0, -1, 2, 0},   // bottom left
    {&CRect::left, &CRect::top, 1, 0, 0, 0, 4, 6},       // top
    {&CRect::right, &CRect::top, 0, 1, -1, 0, 7, 5},     // right
    {&CRect::left, &CRect::bottom, 1, 0, 0, -1, 6, 4},   // bottom
    {&CRect::left, &CRect::top, 0, 1, 0, 0, 5, 7},       // left
};

// The edge that keeps its place while an edge is dragged, and on which side
// of it the dragged edge lies.
struct MinSizePartner {
    int CRect::*pEdge;
    int CRect::*pPartner;
    int nSign;
};

const MinSizePartner kPartners[4] = {
    {&CRect::left, &CRect::right, +1},
    {&CRect::top, &CRect::bottom, +1},
    {&CRect::right, &CRect::left, -1},
    {&CRect::bottom, &CRect::top, -1},
};

const MinSizePartner* PartnerOf(CRect& rc, const int* pEdge)
{
    for (const MinSizePartner& p : kPartners) {
        if (&(rc.*p.pEdge) == pEdge)
            return &p;
    }
    return nullptr;
}

constexpr UINT kCornerHandles = 0x0F;
constexpr UINT kTopBottomHandles = 0x50;
constexpr UINT kLeftRightHandles = 0xA0;

// Releases the capture, the DC and the temporary maps on every way out of
// the drag loop, exceptions included.
class DragResources {
public:
    DragResources(CWnd* pWnd, CWnd* pWndClipTo) : m_pWnd(pWnd), m_pClip(pWndClipTo)
    {
        AfxLockTempMaps();
        pWnd->SetCapture();
        pWnd->UpdateWindow();
        if (pWndClipTo != nullptr)
            pWndClipTo->UpdateWindow();
    }
    ~DragResources()
    {
        ReleaseTrackingDC(m_pWnd, m_pClip, m_pDC);
        if (::GetCapture() == m_pWnd->GetSafeHwnd())
            ::ReleaseCapture();
        AfxUnlockTempMaps();
    }
    DragResources(const DragResources&) = delete;
    DragResources& operator=(const DragResources&) = delete;

    CDC* TakeDC()
    {
        m_pDC = TakeTrackingDC(m_pWnd, m_pClip);
        return m_pDC;
    }

private:
    CWnd* m_pWnd;
    CWnd* m_pClip;
    CDC* m_pDC = nullptr;
};

}  // namespace

struct CKIVORectTracker::DragState {
    int nHandle = HIT_NONE;
    CWnd* pWnd = nullptr;
    CWnd* pWndClipTo = nullptr;
    int* px = nullptr;
    int* py = nullptr;
    int xOffset = 0;
    int yOffset = 0;
    CSize sizeStart;
    CRect rcStart;
    BOOL bMoved = FALSE;
};

CKIVORectTracker::CKIVORectTracker()
{
    m_rcTrack.SetRectEmpty();
    m_rcFeedback.SetRectEmpty();
    m_sizeFeedback = CSize(0, 0);
    m_nHandlePixels = ModuleHandleSize();
    m_sizeLimit = CSize(m_nHandlePixels * 2, m_nHandlePixels * 2);
}

CKIVORectTracker::~CKIVORectTracker() = default;

void CKIVORectTracker::OnRectChanged(LPCRECT) {}

// ---- Dragging ----------------------------------------------------------------------------

BOOL CKIVORectTracker::TrackFromPoint(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    int nHandle = HitHandles(point);
    if (nHandle < 0)
        return FALSE;
    m_bMayInvert = bAllowInvert;
    return DragHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CKIVORectTracker::RubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    m_bMayInvert = bAllowInvert;
    m_rcTrack.SetRect(point.x, point.y, point.x, point.y);
    return DragHandle(HIT_BOTTOMRIGHT, pWnd, point, nullptr);
}

BOOL CKIVORectTracker::DragHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    if (::GetCapture() != nullptr)
        return FALSE;
    DragState s;
    s.nHandle = nHandle;
    s.pWnd = pWnd;
    s.pWndClipTo = pWndClipTo;
    s.sizeStart = CSize(m_rcTrack.Width(), m_rcTrack.Height());
    DragResources resources(pWnd, pWndClipTo);
    s.rcStart = m_rcTrack;

    int xRef = 0;
    int yRef = 0;
    EdgesForHandle(nHandle, &s.px, &s.py, &xRef, &yRef);
    s.xOffset = point.x - xRef;
    s.yOffset = point.y - yRef;
    CDC* pDC = resources.TakeDC();

    HWND hWnd = pWnd->GetSafeHwnd();
    MSG msg{};
    for (;;) {
        ::GetMessageA(&msg, nullptr, 0, 0);
        if (::GetCapture() != hWnd)
            break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            if (DragStep(s, msg, pDC))
                break;
        } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
            CancelDrag(s, pDC);
            break;
        } else if (msg.message != WM_KEYDOWN) {
            if (s.bMoved)
                SuspendFeedback(TRUE, pWnd, pWndClipTo, pDC);
            ::DispatchMessageA(&msg);
            if (s.bMoved && ::GetCapture() == hWnd)
                SuspendFeedback(FALSE, pWnd, pWndClipTo, pDC);
        }
    }
    if (!s.bMoved)
        m_rcTrack = s.rcStart;
    m_bErasing = FALSE;
    m_bFinalPass = FALSE;
    return m_rcTrack != s.rcStart;
}

BOOL CKIVORectTracker::DragStep(DragState& s, const MSG& msg, CDC* pDC)
{
    CRect rcPrevious = m_rcTrack;
    if (s.px != nullptr && m_bMoveX)
        *s.px = static_cast<short>(LOWORD(msg.lParam)) - s.xOffset;
    if (s.py != nullptr && m_bMoveY)
        *s.py = static_cast<short>(HIWORD(msg.lParam)) - s.yOffset;
    KeepInsideCanvas(msg.hwnd);
    if (s.nHandle == HIT_BODY) {
        m_rcTrack.right = m_rcTrack.left + s.sizeStart.cx;
        m_rcTrack.bottom = m_rcTrack.top + s.sizeStart.cy;
    }
    EnforceMinSize(s.nHandle, m_rcTrack);

    m_bFinalPass = msg.message == WM_LBUTTONUP;
    BOOL bChanged = m_rcTrack != rcPrevious;
    if (bChanged || m_bFinalPass) {
        if (s.bMoved) {
            m_bErasing = TRUE;
            DrawDragFeedback(rcPrevious, s.pWndClipTo, pDC, s.pWnd);
        }
        OnRectChanged(rcPrevious);
        if (!m_bFinalPass)
            s.bMoved = TRUE;
    }
    if (m_bFinalPass)
        return TRUE;
    if (bChanged) {
        m_bErasing = FALSE;
        DrawDragFeedback(m_rcTrack, s.pWndClipTo, pDC, s.pWnd);
    }
    return FALSE;
}

void CKIVORectTracker::CancelDrag(DragState& s, CDC* pDC)
{
    if (s.bMoved) {
        m_bErasing = TRUE;
        m_bFinalPass = TRUE;
        DrawDragFeedback(m_rcTrack, s.pWndClipTo, pDC, s.pWnd);
    }
    m_rcTrack = s.rcStart;
}

void CKIVORectTracker::SuspendFeedback(BOOL bSuspend, CWnd* pWnd, CWnd* pWndClipTo, CDC* pDC)
{
    // A final pass draws nothing new: it only takes the last feedback away.
    m_bErasing = bSuspend;
    m_bFinalPass = bSuspend;
    DrawDragFeedback(m_rcTrack, pWndClipTo, pDC, pWnd);
    m_bErasing = FALSE;
    m_bFinalPass = FALSE;
}

// The canvas starts at the scroll origin: an edge may not reach it, so the
// rectangle keeps at least one canvas pixel left of and above it.
void CKIVORectTracker::KeepInsideCanvas(HWND hWnd)
{
    int h = ::GetScrollPos(hWnd, SB_HORZ);
    if (m_rcTrack.left <= -h)
        m_rcTrack.left = 1 - h;
    int v = ::GetScrollPos(hWnd, SB_VERT);
    if (m_rcTrack.top <= -v)
        m_rcTrack.top = 1 - v;
}

// ---- Feedback and size ------------------------------------------------------------------

void CKIVORectTracker::DrawDragFeedback(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rc(lpRect);
    rc.NormalizeRect();
    if (pWndClipTo != nullptr) {
        pWnd->ClientToScreen(&rc);
        pWndClipTo->ScreenToClient(&rc);
    }
    CSize size(0, 0);
    if (!m_bFinalPass) {
        if (m_nTrackStyle & STYLE_HATCH_BORDER) {
            int s = std::max(1, EffectiveHandleSize(rc) - 1);
            size = CSize(s, s);
            rc.InflateRect(s, s);
        } else {
            size = CSize(1, 1);
        }
    }
    if (m_bFinalPass || !m_bErasing)
        pDC->DrawDragRect(rc, size, m_rcFeedback, m_sizeFeedback);
    m_rcFeedback = rc;
    m_sizeFeedback = size;
}

void CKIVORectTracker::EnforceMinSize(int nHandle, CRect&)
{
    if (nHandle == HIT_BODY)
        return;
    int* px = nullptr;
    int* py = nullptr;
    int xRef = 0;
    int yRef = 0;
    EdgesForHandle(nHandle, &px, &py, &xRef, &yRef);
    auto enforce = [this](int* pEdge, int w, int nMinimum) {
        const MinSizePartner* p = PartnerOf(m_rcTrack, pEdge);
        if (p == nullptr)
            return;
        int a = m_bMayInvert ? std::abs(w) : w;
        if (a >= nMinimum)
            return;
        int d = a != 0 ? w / a : 1;
        *pEdge = m_rcTrack.*p->pPartner - p->nSign * nMinimum * d;
    };
    if (px != nullptr)
        enforce(px, m_rcTrack.Width(), m_sizeLimit.cx);
    if (py != nullptr)
        enforce(py, m_rcTrack.Height(), m_sizeLimit.cy);
}

// ---- Handle geometry --------------------------------------------------------------------

void CKIVORectTracker::EdgesForHandle(int nHandle, int** ppx, int** ppy, int* px, int* py)
{
    if (nHandle < 0 || nHandle > HIT_BODY)
        AfxThrowInvalidArgException();
    if (nHandle == HIT_BODY)
        nHandle = HIT_TOPLEFT;
    const HandleInfo& info = kHandles[nHandle];
    *ppx = info.nFlipX == nHandle ? nullptr : &(m_rcTrack.*info.pX);
    *ppy = info.nFlipY == nHandle ? nullptr : &(m_rcTrack.*info.pY);
    *px = *ppx != nullptr ? **ppx : m_rcTrack.left + std::abs(m_rcTrack.Width()) / 2;
    *py = *ppy != nullptr ? **ppy : m_rcTrack.top + std::abs(m_rcTrack.Height()) / 2;
}

int CKIVORectTracker::EffectiveHandleSize(const RECT* r)
{
    int size = m_nHandlePixels;
    if (m_nTrackStyle & STYLE_HANDLES_OUTSIDE)
        return size;
    const RECT& rc = r != nullptr ? *r : static_cast<const RECT&>(m_rcTrack);
    int smaller = std::min(std::abs(rc.right - rc.left), std::abs(rc.bottom - rc.top));
    if (2 * size > smaller)
        size = smaller / 2;
    return size;
}

UINT CKIVORectTracker::HandleMask()
{
    UINT mask = kCornerHandles;
    int room = 3 * m_nHandlePixels;
    if (std::abs(m_rcTrack.Width()) - room > 4)
        mask |= kTopBottomHandles;
    if (std::abs(m_rcTrack.Height()) - room > 4)
        mask |= kLeftRightHandles;
    return mask;
}

int CKIVORectTracker::FlipHandleCode(int nHandle) const
{
    if (nHandle < HIT_NONE || nHandle > HIT_BODY)
        AfxThrowInvalidArgException();
    if (nHandle == HIT_NONE || nHandle == HIT_BODY)
        return nHandle;
    if (m_rcTrack.Width() < 0)
        nHandle = kHandles[nHandle].nFlipX;
    if (m_rcTrack.Height() < 0)
        nHandle = kHandles[nHandle].nFlipY;
    return nHandle;
}

CRect CKIVORectTracker::HandleRect(int nHandle)
{
    CRect rc = m_rcTrack;
    rc.NormalizeRect();
    if (m_nTrackStyle & (STYLE_SOLID | STYLE_DOTTED))
        rc.InflateRect(1, 1);
    nHandle = FlipHandleCode(nHandle);
    if (nHandle < 0 || nHandle >= HIT_BODY)
        return CRect(0, 0, 0, 0);
    int size = EffectiveHandleSize();
    if (m_nTrackStyle & STYLE_HANDLES_OUTSIDE)
        rc.InflateRect(size - 1, size - 1);
    const HandleInfo& info = kHandles[nHandle];
    int left = rc.*info.pX + size * info.nHandleX + info.nCenterX * (rc.Width() - size) / 2;
    int top = rc.*info.pY + size * info.nHandleY + info.nCenterY * (rc.Height() - size) / 2;
    return CRect(left, top, left + size, top + size);
}

CRect CKIVORectTracker::OuterRect()
{
    CRect rc = m_rcTrack;
    rc.NormalizeRect();
    int grow = 0;
    if (m_nTrackStyle & (STYLE_HATCH_BORDER | STYLE_HANDLES_OUTSIDE))
        grow += EffectiveHandleSize() - 1;
    if (m_nTrackStyle & (STYLE_SOLID | STYLE_DOTTED))
        grow += 1;
    rc.InflateRect(grow, grow);
    return rc;
}

int CKIVORectTracker::HitHandles(CPoint point)
{
    if (!OuterRect().PtInRect(point))
        return HIT_NONE;
    UINT mask = HandleMask();
    for (int code = 0; code < 8; ++code) {
        if ((mask & (1u << code)) && HandleRect(code).PtInRect(point))
            return code;
    }
    if (m_nTrackStyle & STYLE_HATCH_BORDER)
        return HIT_BODY;
    CRect rc = m_rcTrack;
    rc.NormalizeRect();
    rc.InflateRect(1, 1);
    return rc.PtInRect(point) ? HIT_BODY : HIT_NONE;
}
