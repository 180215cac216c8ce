// What the document looks up again and again while it rebuilds its program
// from the device: blocks and lines by name, and blocks by where they lie.
// A rebuild reads thousands of records; each names blocks and lines, and
// each line needs the blocks under its end points. Walking the lists for
// every record would make a reload grow with the square of the program.
//
// An index lives for one rebuild only, while the document alone changes its
// lists, so it never goes stale. Blocks are added in block-list order, and
// every answer keeps that order: where the lists would give the first match,
// so does the index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "atltypes.h"

class CTrackObject;
class CLineItem;

class CTEReloadIndex {
public:
    // Takes the block's name, rectangle and pins as they are now; the next
    // block added comes after it in list order.
    void AddBlock(CTrackObject* pBlock);
    void AddLine(CLineItem* pLine);

    // The first block or line added with exactly that name, or null.
    CTrackObject* FindBlock(const char* pszName) const;
    CLineItem* FindLine(const char* pszName) const;

    // The first block, at list position nFrom or later, that may have a pin
    // taking a line end at pt1 or pt2: every block whose pin hit test can
    // answer there is offered, in list order, and some others may be. Null
    // when no block is left; otherwise *pnPosition is its list position.
    CTrackObject* NextPinCandidate(POINT pt1, POINT pt2, size_t nFrom, size_t* pnPosition) const;

    // The first block in list order whose rectangle overlaps rc, or null.
    CTrackObject* FirstBlockMeeting(const RECT& rc) const;

private:
    struct Entry {
        CTrackObject* pBlock;
        CRect rcBody;
    };
    using Cells = std::unordered_map<uint64_t, std::vector<uint32_t>>;

    static void AddToCells(Cells& cells, const CRect& rc, uint32_t nPosition);
    static const std::vector<uint32_t>* CellAt(const Cells& cells, POINT pt);

    std::vector<Entry> m_Blocks;  // in list order
    Cells m_PinCells;             // positions of blocks whose pins reach into a cell
    Cells m_BodyCells;            // positions of blocks whose rectangle meets a cell
    std::unordered_map<std::string, CTrackObject*> m_BlockNames;
    std::unordered_map<std::string, CLineItem*> m_LineNames;
};
