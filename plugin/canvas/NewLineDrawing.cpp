// Drawing a new line, started by a press on a pin or on a node (an inner
// point of a selected line). Each click adds a bend, until a click on a
// suitable pin ends the line and the owner connects it; Escape or the right
// button drop it.
//
// While it is drawn the line belongs to nobody but this function: it is
// shown by a temporary tracker whose selection holds only the new line, and
// it joins the owner's line list only once it is finished.
#include <memory>

#include "afxview.h"
#include "blocks/CTrackObject.h"
#include "canvas/CLineTracker.h"
#include "canvas/CObjectTracker.h"
#include "canvas/LineTrackerAreas.h"
#include "lines/CLineItem.h"

namespace {

// The slot of the start pin that shows the new line while its first segment
// is drawn, so that the pin looks connected from the press on.
constexpr int kDrawingSlot = TRACKPIN_LINE_SLOTS - 1;

TrackPin* PinOfCode(CTrackObject* pBlock, int nCode)
{
    if (pBlock == nullptr)
        return nullptr;
    if (nCode >= PIN_HIT_OUTPUT && static_cast<UINT>(nCode - PIN_HIT_OUTPUT) < pBlock->m_nOutputs)
        return &pBlock->m_pOutputs[nCode - PIN_HIT_OUTPUT];
    if (nCode >= 1 && nCode < PIN_HIT_OUTPUT && static_cast<UINT>(nCode - 1) < pBlock->m_nInputs)
        return &pBlock->m_pInputs[nCode - 1];
    return nullptr;
}

BOOL IsInputCode(int nCode) { return nCode >= 1 && nCode < PIN_HIT_OUTPUT; }
BOOL IsOutputCode(int nCode) { return nCode >= PIN_HIT_OUTPUT; }

// The start pin's drawing slot, set while the first segment is drawn and
// given back on every way out.
class StartPinSlot {
public:
    StartPinSlot(CTrackObject* pBlock, int nCode, CLineItem* pLine, CDC* pDC)
        : m_pBlock(pBlock), m_pPin(PinOfCode(pBlock, nCode)), m_pDC(pDC)
    {
        if (m_pPin == nullptr)
            return;
        m_pSaved = m_pPin->m_pLines[kDrawingSlot];
        m_pPin->m_pLines[kDrawingSlot] = pLine;
        m_pBlock->DrawPins(m_pDC, FALSE);
    }
    ~StartPinSlot() { Restore(); }
    StartPinSlot(const StartPinSlot&) = delete;
    StartPinSlot& operator=(const StartPinSlot&) = delete;

    void Restore()
    {
        if (m_pPin != nullptr)
            m_pPin->m_pLines[kDrawingSlot] = m_pSaved;
    }
    // The pin shows as free again.
    void RestoreAndRedraw()
    {
        Restore();
        if (m_pPin != nullptr)
            m_pBlock->DrawPins(m_pDC, FALSE);
    }

private:
    CTrackObject* m_pBlock;
    TrackPin* m_pPin;
    CDC* m_pDC;
    CLineItem* m_pSaved = nullptr;
};

// The topmost block with a pin under *pt (moved to the pin's centre).
CTrackObject* FindPinAt(CArray<CTrackObject*, CTrackObject*>* pBlocks, POINT* pt, int* pCode)
{
    if (pBlocks == nullptr)
        return nullptr;
    for (INT_PTR i = pBlocks->GetSize() - 1; i >= 0; --i) {
        CTrackObject* pBlock = (*pBlocks)[i];
        const int nCode = pBlock->HitTestPin(pt);
        if (nCode != PIN_HIT_NONE) {
            *pCode = nCode;
            return pBlock;
        }
    }
    return nullptr;
}

}  // namespace

CLineItem* CLineTracker::DrawNewLine(CScrollView* pView, CPoint ptStart, CTrackObject* pStart, int nStartPin,
                                     CLineItem* pParentLine, int nNode)
{
    const BOOL bFromNode = pStart == nullptr;
    if (bFromNode && (pParentLine == nullptr || nNode < 0 || nNode >= pParentLine->m_nPoints))
        return nullptr;
    const int nStartCode = bFromNode ? 0 : nStartPin;

    auto pLine = std::make_unique<CLineItem>();
    CPoint ptCurrent = ptStart;
    if (bFromNode) {
        ptCurrent = pParentLine->m_points[nNode];
        pLine->m_pParent = pParentLine;
        pLine->m_nNode = nNode;
        pLine->SetColor(0);
    }
    pLine->AddPoint(ptCurrent.x, ptCurrent.y);

    CClientDC dc(pView);
    pView->OnPrepareDC(&dc, nullptr);
    StartPinSlot slot(pStart, nStartPin, pLine.get(), &dc);
    CLineTracker drawing(5, m_pOwner, RGB(0, 0, 0), RGB(255, 0, 0));
    drawing.AddToSelection(pLine.get());

    // The temporary tracker paints every line of the canvas over the blocks;
    // all of that is repainted when drawing ends, so the canvas shows the
    // model again, lines under blocks.
    BOOL bPaintedLines = FALSE;
    auto repaintAndForget = [&](BOOL bKeep) {
        LineArea area;
        area.Add(pLine.get(), kNewLineRepaintMargin);
        if (bPaintedLines) {
            const CLineArray& lines = *m_pOwner->m_pLineList;
            for (INT_PTR i = 0; i < lines.GetSize(); ++i)
                area.Add(lines[i], kLineRepaintMargin);
        }
        CLineItem* pKept = nullptr;
        if (bKeep) {
            pKept = pLine.release();
            m_pOwner->OnNewLineName(pKept->m_szName, 0);
            m_pOwner->m_pLineList->Add(pKept);
            m_pOwner->m_pLineTracker->AddToSelection(pKept);
        } else {
            drawing.RemoveFromSelection(pLine.get());
            pLine.reset();
        }
        area.Invalidate(m_pOwner);
        return pKept;
    };

    for (;;) {
        if (TrackLineSegment(pView, ptCurrent.x, ptCurrent.y) == 0) {
            slot.RestoreAndRedraw();
            return repaintAndForget(FALSE);
        }
        slot.Restore();
        CPoint ptEnd = m_rcSegment.BottomRight();
        if (ptEnd == ptCurrent)
            continue;
        int nEndCode = PIN_HIT_NONE;
        CTrackObject* pEnd = FindPinAt(m_pOwner->m_pObjectList, &ptEnd, &nEndCode);
        if (pEnd == nullptr) {
            if (!pLine->AddPoint(ptEnd.x, ptEnd.y))
                return repaintAndForget(TRUE);  // full: kept as drawn, unconnected
        } else {
            const BOOL bRefused = (IsInputCode(nStartCode) && IsInputCode(nEndCode)) ||
                                  (IsOutputCode(nStartCode) && IsOutputCode(nEndCode)) || pEnd == pStart ||
                                  (bFromNode && IsOutputCode(nEndCode));
            if (bRefused)
                continue;
            if (!pLine->AddPoint(ptEnd.x, ptEnd.y) || m_pOwner->OnConnectLine(pStart, pEnd, pLine.get()) == 0)
                return repaintAndForget(FALSE);
            return repaintAndForget(TRUE);
        }
        // Pending paints first, so that they cannot cover the new segment.
        pView->UpdateWindow();
        drawing.Draw(&dc);
        bPaintedLines = TRUE;
        ptCurrent = ptEnd;
    }
}
