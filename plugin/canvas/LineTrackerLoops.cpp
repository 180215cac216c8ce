// The line tracker's mouse loops: dragging a point or a segment of a
// selected line, and the rubber segment with crosshair of a new line. Both
// capture the mouse for the view and read the queue themselves until the
// gesture ends: accepted by the button, cancelled by Escape or the right
// button, or released when the capture is lost (another window took it, or
// the headless queue ran dry).
//
// Feedback is drawn with R2_NOT and R2_XORPEN, so drawing it a second time
// takes it away. The point drag dispatches the messages it does not handle,
// and a paint or a block redraw may then land on its feedback; so every area
// its rubber segments reached is repainted when it ends, whichever way.
#include <string>

#include "afxview.h"
#include "blocks/CanvasUtils.h"
#include "canvas/CLineTracker.h"
#include "canvas/CObjectTracker.h"
#include "canvas/LineTrackerAreas.h"
#include "canvas/TrackingDC.h"
#include "lines/CLineItem.h"

namespace {

// Capture and DC of one loop, given back on every way out.
class LoopResources {
public:
    LoopResources(CScrollView* pView, CWnd* pWndClipTo) : m_pView(pView), m_pClip(pWndClipTo)
    {
        AfxLockTempMaps();
        // What is already invalid is painted before feedback goes on top.
        pView->UpdateWindow();
        TakeDC();
        pView->SetCapture();
    }
    ~LoopResources()
    {
        ReleaseDC();
        if (::GetCapture() == m_pView->GetSafeHwnd())
            ::ReleaseCapture();
        AfxUnlockTempMaps();
    }
    LoopResources(const LoopResources&) = delete;
    LoopResources& operator=(const LoopResources&) = delete;

    CDC* DC() const { return m_pDC; }
    BOOL HasCapture() const { return ::GetCapture() == m_pView->GetSafeHwnd(); }
    BOOL DCValid() const
    {
        HDC hdc = m_pDC != nullptr ? m_pDC->GetSafeHdc() : nullptr;
        return hdc != nullptr && hdc != reinterpret_cast<HDC>(-1);
    }
    void RenewDC()
    {
        ReleaseDC();
        TakeDC();
    }

private:
    void TakeDC()
    {
        m_pDC = TakeTrackingDC(m_pView, m_pClip);
        m_pView->OnPrepareDC(m_pDC, nullptr);
    }
    void ReleaseDC()
    {
        ReleaseTrackingDC(m_pView, m_pClip, m_pDC);
        m_pDC = nullptr;
    }

    CScrollView* m_pView;
    CWnd* m_pClip;
    CDC* m_pDC = nullptr;
};

// A pen (and optionally a brush) selected for the length of a loop.
class SelectedTools {
public:
    SelectedTools(CDC* pDC, CPen* pPen, CBrush* pBrush) : m_pDC(pDC)
    {
        m_pOldPen = pDC->SelectObject(pPen);
        if (pBrush != nullptr)
            m_pOldBrush = pDC->SelectObject(pBrush);
    }
    ~SelectedTools()
    {
        m_pDC->SelectObject(m_pOldPen);
        if (m_pOldBrush != nullptr)
            m_pDC->SelectObject(m_pOldBrush);
    }
    SelectedTools(const SelectedTools&) = delete;
    SelectedTools& operator=(const SelectedTools&) = delete;
    CPen* OldPen() const { return m_pOldPen; }

private:
    CDC* m_pDC;
    CPen* m_pOldPen;
    CBrush* m_pOldBrush = nullptr;
};

CPoint MessagePoint(const MSG& msg)
{
    return CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
}

BOOL IsCancel(const MSG& msg)
{
    return msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
}

// The points of a line as they were last drawn, for erasing them.
void CopyPoints(CLineItem* pTo, const CLineItem& from)
{
    pTo->m_nPoints = from.m_nPoints;
    pTo->m_color = from.m_color;
    for (int i = 0; i < from.m_nPoints; ++i)
        pTo->m_points[i] = from.m_points[i];
}

enum class LoopEnd { Accepted, Released, Cancelled };

}  // namespace

int CLineTracker::HitTestAndTrack(CScrollView* pView, int x, int y, CWnd* pWndClipTo)
{
    const int nCode = HitTest(x, y);
    if (nCode == LINE_PRESS_NONE)
        return 0;
    return TrackPoint(nCode, pView, x, y, pWndClipTo);
}

int CLineTracker::TrackPoint(int nCode, CScrollView* pView, int, int, CWnd* pWndClipTo)
{
    if (::GetCapture() != nullptr)
        return 0;
    CLineItem* pLine = m_pHitLine;
    const BOOL bDrag = pLine != nullptr && (nCode == LINE_PRESS_RECORDED_POINT || nCode == LINE_PRESS_RECORDED_SEGMENT);
    const int nPart = m_nHitPart;
    const UINT nGrid = m_pOwner->GetGridSize();
    const CLineArray& lines = *m_pOwner->m_pLineList;

    LoopResources loop(pView, pWndClipTo);
    const COLORREF color = pLine != nullptr ? pLine->m_color : m_crNormal;
    CPen pen(PS_SOLID, 1, color);
    CBrush brush(color);
    SelectedTools tools(loop.DC(), &pen, &brush);

    CLineItem scratch;
    LineArea area;
    if (bDrag) {
        CopyPoints(&scratch, *pLine);
        area.Add(pLine, kLineRepaintMargin);
        area.AddBranches(lines, pLine, kLineRepaintMargin);
    }
    // Segments redrawn by one move: around the point, or the segment with
    // its two neighbours.
    const int nFirst = nCode == LINE_PRESS_RECORDED_POINT ? nPart - 1 : nPart - 34;
    const int nEnd = nCode == LINE_PRESS_RECORDED_POINT ? nPart + 1 : nPart - 31;
    auto redraw = [&]() {
        const int a = nFirst < 0 ? 0 : nFirst;
        const int b = nEnd > pLine->m_nPoints ? pLine->m_nPoints : nEnd;
        DrawInvertedSegments(&scratch, a, b, loop.DC());
        DrawInvertedSegments(pLine, a, b, loop.DC());
        CopyPoints(&scratch, *pLine);
        area.Add(pLine, kLineRepaintMargin);
    };

    BOOL bFirstMove = TRUE;
    BOOL bMoved = FALSE;
    CPoint ptPrevious;
    CPoint ptFirst;    // a segment drag: where its first move was
    CPoint ptDragged;  // a point drag: where the point was put last
    CPoint ptRawSnapped;
    LoopEnd end = LoopEnd::Released;
    // Another editor's change, read by a tick the loop dispatched, frees
    // every line: the drag goes on with the line read back under the same
    // name, moved as far as the user had moved it.
    unsigned nLinesSeen = m_nLinesReplaced;
    const std::string lineName = pLine != nullptr ? pLine->m_szName : "";
    auto followReplacement = [&]() {
        nLinesSeen = m_nLinesReplaced;
        pLine = FindReplacement(lineName, scratch.m_nPoints);
        if (pLine == nullptr)
            return false;
        if (!bFirstMove && nCode == LINE_PRESS_RECORDED_SEGMENT)
            pLine->MovePoint(ptPrevious.x - ptFirst.x, ptPrevious.y - ptFirst.y, nPart);
        else if (!bFirstMove)
            pLine->MovePoint(ptDragged.x, ptDragged.y, nPart);
        CopyPoints(&scratch, *pLine);
        area.Add(pLine, kLineRepaintMargin);
        return true;
    };
    for (;;) {
        MSG msg{};
        ::GetMessageA(&msg, nullptr, 0, 0);
        if (nCode == LINE_PRESS_RECORDED_POINT)
            ptRawSnapped = SnapToGrid(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam), nGrid);
        const BOOL bMove = msg.message == WM_MOUSEMOVE;
        if (bMove && bFirstMove)
            ClearSelection();
        if (!loop.HasCapture()) {
            end = LoopEnd::Released;
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            if (bDrag) {
                end = LoopEnd::Accepted;
                break;
            }
            continue;
        }
        if (IsCancel(msg)) {
            end = LoopEnd::Cancelled;
            break;
        }
        if (!bMove) {
            ::DispatchMessageA(&msg);
            if (bDrag && m_nLinesReplaced != nLinesSeen && !followReplacement()) {
                end = LoopEnd::Released;  // the line is gone, or no longer the one pressed
                break;
            }
            continue;
        }
        if (!bDrag) {
            end = LoopEnd::Cancelled;
            break;
        }
        if (nCode == LINE_PRESS_RECORDED_SEGMENT) {
            const CPoint p = SnapToGrid(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam), nGrid);
            if (bFirstMove)
                ptPrevious = ptFirst = p;
            pLine->MovePoint(p.x - ptPrevious.x, p.y - ptPrevious.y, nPart);
            ptPrevious = p;
        } else {
            CPoint logical = MessagePoint(msg);
            loop.DC()->DPtoLP(&logical);
            const CPoint snapped = SnapToGrid(logical.x, logical.y, nGrid);
            pLine->MovePoint(snapped.x, snapped.y, nPart);
            ptDragged = snapped;
            if (logical != ptRawSnapped)
                bMoved = TRUE;
        }
        redraw();
        bFirstMove = FALSE;
    }

    if (end == LoopEnd::Accepted) {
        UpdateBranches(pLine, loop.DC());
        area.Add(pLine, kLineRepaintMargin);
        area.AddBranches(lines, pLine, kLineRepaintMargin);
    }
    // A cancelled drag keeps the points where they got to; their area is
    // repainted like that of any other end, so no feedback stays behind.
    area.Invalidate(m_pOwner);
    return end == LoopEnd::Accepted && nCode == LINE_PRESS_RECORDED_POINT && !bMoved ? 1 : 0;
}

CLineItem* CLineTracker::FindReplacement(const std::string& name, int nPoints) const
{
    const CLineArray& lines = *m_pOwner->m_pLineList;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        if (name == lines[i]->m_szName)
            return lines[i]->m_nPoints == nPoints ? lines[i] : nullptr;
    }
    return nullptr;
}

int CLineTracker::TrackLineSegment(CScrollView* pView, int x, int y)
{
    if (::GetCapture() != nullptr)
        return 0;
    LoopResources loop(pView, nullptr);
    CRect rcClip;
    loop.DC()->GetClipBox(&rcClip);
    CPen dottedPen(PS_DOT, 1, RGB(10, 10, 10));
    const UINT nGrid = m_pOwner->GetGridSize();
    const CPoint ptStart(x, y);

    BOOL bShown = FALSE;
    CPoint ptCross;
    CRect rcRubber;
    // Crosshair and rubber segment; a second call at the same place takes
    // them off again.
    auto invert = [&]() {
        CDC* pDC = loop.DC();
        CPen* pOld = pDC->SelectObject(&dottedPen);
        DrawXorLine(CRect(rcClip.left, ptCross.y, rcClip.right, ptCross.y), pDC);
        DrawXorLine(CRect(ptCross.x, rcClip.top, ptCross.x, rcClip.bottom), pDC);
        // The segment goes with the pen the DC had.
        pDC->SelectObject(pOld);
        DrawInvertedLine(rcRubber, pDC);
    };
    auto hide = [&]() {
        if (bShown)
            invert();
        bShown = FALSE;
    };

    for (;;) {
        MSG msg{};
        ::GetMessageA(&msg, nullptr, 0, 0);
        if (!loop.DCValid())
            loop.RenewDC();
        if (!loop.HasCapture()) {
            hide();
            return 0;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint scroll = pView->GetScrollPosition();
            const CPoint snapped = SnapToGrid(GET_X_LPARAM(msg.lParam) + scroll.x, GET_Y_LPARAM(msg.lParam) + scroll.y, nGrid);
            hide();
            ptCross = snapped;
            rcRubber.SetRect(ptStart.x, ptStart.y, snapped.x, snapped.y);
            if (msg.wParam == MK_SHIFT)
                ConstrainAngle(&rcRubber);
            invert();
            bShown = TRUE;
            continue;
        }
        // Two quick clicks at one place arrive as a press and a double
        // click; each of them places a point.
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK) {
            // Without a move since the call began the segment has no end;
            // the caller ignores a click that ends where it starts.
            const CPoint ptEnd = bShown ? rcRubber.BottomRight() : ptStart;
            hide();
            m_rcSegment.SetRect(ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
            return 1;
        }
        if (IsCancel(msg)) {
            hide();
            return 0;
        }
        if (msg.message == WM_PAINT) {
            // A window left unpainted would be handed out again and again.
            // The feedback steps aside so that the paint cannot cover half
            // of it.
            const BOOL bWasShown = bShown;
            hide();
            ::DispatchMessageA(&msg);
            if (bWasShown) {
                invert();
                bShown = TRUE;
            }
        }
    }
}
