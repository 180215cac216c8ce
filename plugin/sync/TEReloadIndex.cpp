#include "sync/TEReloadIndex.h"

#include <algorithm>

#include "blocks/CTrackObject.h"
#include "lines/CLineItem.h"

namespace {

constexpr int kCellSize = 64;
// A pin hit test reaches 6 pixels beside an output pin and 4 above and
// below it (less for inputs); a little more keeps every possible hit.
constexpr int kPinReach = 8;

int CellOf(int v)
{
    // Floor division, so that cells do not fold over the origin.
    return v >= 0 ? v / kCellSize : -((-(v + 1)) / kCellSize) - 1;
}

uint64_t CellKey(int cx, int cy)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) | static_cast<uint32_t>(cy);
}

CRect PinReach(const CTrackObject& block)
{
    CRect reach(0, 0, 0, 0);
    auto add = [&](const TrackPin* pPins, UINT nPins) {
        for (UINT i = 0; i < nPins; ++i) {
            CRect rc(pPins[i].m_rcPin);
            rc.NormalizeRect();
            rc.InflateRect(kPinReach, kPinReach);
            reach.UnionRect(&reach, &rc);
        }
    };
    add(block.m_pInputs.get(), block.m_nInputs);
    add(block.m_pOutputs.get(), block.m_nOutputs);
    return reach;
}

}  // namespace

void CTEReloadIndex::AddToCells(Cells& cells, const CRect& rc, uint32_t nPosition)
{
    if (rc.IsRectEmpty())
        return;
    for (int cx = CellOf(rc.left); cx <= CellOf(rc.right - 1); ++cx) {
        for (int cy = CellOf(rc.top); cy <= CellOf(rc.bottom - 1); ++cy)
            cells[CellKey(cx, cy)].push_back(nPosition);
    }
}

const std::vector<uint32_t>* CTEReloadIndex::CellAt(const Cells& cells, POINT pt)
{
    auto it = cells.find(CellKey(CellOf(pt.x), CellOf(pt.y)));
    return it == cells.end() ? nullptr : &it->second;
}

void CTEReloadIndex::AddBlock(CTrackObject* pBlock)
{
    auto nPosition = static_cast<uint32_t>(m_Blocks.size());
    // An inverted rectangle meets nothing, in the lists as here.
    m_Blocks.push_back({pBlock, pBlock->m_rcPos});
    AddToCells(m_PinCells, PinReach(*pBlock), nPosition);
    AddToCells(m_BodyCells, pBlock->m_rcPos, nPosition);
    m_BlockNames.emplace(pBlock->m_szName, pBlock);
}

void CTEReloadIndex::AddLine(CLineItem* pLine)
{
    m_LineNames.emplace(pLine->m_szName, pLine);
}

CTrackObject* CTEReloadIndex::FindBlock(const char* pszName) const
{
    auto it = m_BlockNames.find(pszName);
    return it == m_BlockNames.end() ? nullptr : it->second;
}

CLineItem* CTEReloadIndex::FindLine(const char* pszName) const
{
    auto it = m_LineNames.find(pszName);
    return it == m_LineNames.end() ? nullptr : it->second;
}

CTrackObject* CTEReloadIndex::NextPinCandidate(POINT pt1, POINT pt2, size_t nFrom, size_t* pnPosition) const
{
    size_t nBest = m_Blocks.size();
    for (const std::vector<uint32_t>* pCell : {CellAt(m_PinCells, pt1), CellAt(m_PinCells, pt2)}) {
        if (pCell == nullptr)
            continue;
        // Positions in a cell ascend, as blocks are added in list order.
        auto it = std::lower_bound(pCell->begin(), pCell->end(), nFrom);
        if (it != pCell->end())
            nBest = std::min<size_t>(nBest, *it);
    }
    if (nBest == m_Blocks.size())
        return nullptr;
    *pnPosition = nBest;
    return m_Blocks[nBest].pBlock;
}

CTrackObject* CTEReloadIndex::FirstBlockMeeting(const RECT& rc) const
{
    CRect area(rc);
    if (area.IsRectEmpty())
        return nullptr;
    size_t nBest = m_Blocks.size();
    for (int cx = CellOf(area.left); cx <= CellOf(area.right - 1); ++cx) {
        for (int cy = CellOf(area.top); cy <= CellOf(area.bottom - 1); ++cy) {
            auto it = m_BodyCells.find(CellKey(cx, cy));
            if (it == m_BodyCells.end())
                continue;
            for (uint32_t nPosition : it->second) {
                if (nPosition >= nBest)
                    break;
                CRect meet;
                if (meet.IntersectRect(&area, &m_Blocks[nPosition].rcBody))
                    nBest = nPosition;
            }
        }
    }
    return nBest == m_Blocks.size() ? nullptr : m_Blocks[nBest].pBlock;
}
