// Line records: one connection line as a single text,
//   <name> [<head anchor>] <x>,<y> ... [<tail anchor>] 0x<8 hex digits>
// every token followed by one blank. An anchor ("Block.Out0", "Block.In2",
// "Line_3.Node4") stands in for the end point that lies on it.
#pragma once

#include <string>

#include "windef.h"

class CLineItem;
class CTrackObject;

// The line's record. Anchor tokens are written for a set source or target
// block (with a pin) and for a branch's node (index above 0). For direction 2
// the head is the node or source anchor and the tail the target anchor; for
// direction 1 the head is the target anchor and the tail the node or source
// anchor. A head anchor stands for point 0 and a tail anchor for the last
// point; an end without an anchor keeps its point. Any other direction lists
// every point and no anchor.
std::string TEFormatLineRecord(const CLineItem& line);

// What a line record's anchors are resolved against: the document's blocks
// and the lines it already holds. Null when there is no such object.
class CTERecordLookup {
public:
    virtual CTrackObject* FindBlock(const char* pszName) = 0;
    virtual CLineItem* FindLine(const char* pszName) = 0;

protected:
    ~CTERecordLookup() = default;
};

// Reads a line record into a new line owned by the caller, or answers null
// when the record gives a line whose first and last points are equal (this
// includes records with no point at all).
//
// The line comes back with m_bModified set and no block attached. Its
// direction is read from the anchors: 1 (drawn from the input end) when the
// head is an "In" anchor, or the tail an "Out" or "Node" anchor without one
// of those at the head; otherwise 2. The anchor texts are kept for
// connecting: "Out" and "Node" anchors in m_szSourcePin, "In" anchors in
// m_szTargetPin (cut to 511 characters). m_nSourcePin and m_nTargetPin hold
// the pin numbers the anchors name (PIN_OUTPUT_BASE + n for "Out<n>"),
// provisionally: connecting the line computes both ends again from its end
// points. An index above 2^20 names no pin or point: such an anchor counts as
// unrecognised. A "Node" anchor of a line found by the lookup sets m_pParent
// and m_nNode, and the line takes that parent's colour.
//
// Tokens are told apart in this order: a token with a point is an anchor and
// adds the point it names (the pin's point on the block of that name, the
// node point of the line of that name, or 0,0 when there is none); a token
// containing "Line_" is the name (cut to 4095 characters); a token with an x
// is the colour, "0x" and hexadecimal digits (0xff000000 when it is not
// readable or does not fit 32 bits); any other token is a point "x,y", or,
// when it is not readable, the previous point again (0,0 before the first).
// Points past MAX_LINE_POINTS are dropped.
CLineItem* TEReadLineRecord(const char* pszRecord, CTERecordLookup& lookup);
