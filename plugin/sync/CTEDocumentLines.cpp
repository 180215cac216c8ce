// The document's lines: attaching their ends to block pins, announcing new
// lines, deleting them.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "blocks/CTEProcCalIN.h"
#include "lines/CLineItem.h"
#include "sync/CTEDocument.h"
#include "sync/TELineRecord.h"
#include "sync/TERecords.h"
#include "sync/TEReloadIndex.h"

namespace {

template <size_t N>
void CopyCut(char (&field)[N], const std::string& text)
{
    size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

bool IsCalibratedInput(const CTrackObject* pBlock)
{
    return pBlock != nullptr && pBlock->IsKindOf(RUNTIME_CLASS(CTEProcCalIN));
}

std::string PinAnchor(const CTrackObject* pBlock, const char* pszPin, UINT nIndex)
{
    return std::string(pBlock->m_szName) + '.' + pszPin + std::to_string(nIndex);
}

// Looks for the blocks at both ends of a line, one block at a time in list
// order. An anchor text names the block an end belongs to (a line read from
// the device); without one, any block with a pin under the end will do.
class CLineEndFinder {
public:
    explicit CLineEndFinder(CLineItem& line) : m_line(line) {}

    // Tests one block; true once both ends have a block. A pin hit moves
    // the end onto the pin's centre.
    bool Visit(CTrackObject* pBlock)
    {
        m_pBlock = pBlock;
        m_nFirstHit = m_nLastHit = PIN_HIT_NONE;
        TestByAnchor(m_line.m_szSourcePin, true);
        TestByAnchor(m_line.m_szTargetPin, false);
        // A block whose one pin holds both ends would join the line to
        // itself: it takes an end only when the ends already differ.
        bool bSamePin = m_nFirstHit != PIN_HIT_NONE && m_nFirstHit == m_nLastHit;
        if (m_nFirstHit != PIN_HIT_NONE && !(bSamePin && m_pAtFirst == m_pAtLast))
            m_pAtFirst = pBlock;
        if (m_nLastHit != PIN_HIT_NONE && !(bSamePin && m_pAtFirst == m_pAtLast))
            m_pAtLast = pBlock;
        return m_pAtFirst != nullptr && m_pAtLast != nullptr;
    }

    CTrackObject* m_pAtFirst = nullptr;  // the block for point 0
    CTrackObject* m_pAtLast = nullptr;   // the block for the last point

private:
    // bSourceSide: the anchor of the output end, which is point 0 of a line
    // drawn from the source (direction 2).
    void TestByAnchor(const char* pszAnchor, bool bSourceSide)
    {
        if (pszAnchor[0] == '\0') {
            TestEnd(bSourceSide);
        } else if (NamesBlock(pszAnchor)) {
            if (m_line.m_nDirection == LINE_DIRECTION_FROM_SOURCE)
                TestEnd(bSourceSide);
            else if (m_line.m_nDirection == LINE_DIRECTION_FROM_TARGET)
                TestEnd(!bSourceSide);
        }
    }

    // The anchor's object is the block: its name, exactly. A name found
    // anywhere in the anchor would let FUNC_1 take the ends of a line on
    // FUNC_11 whose pins it covers.
    bool NamesBlock(const char* pszAnchor) const
    {
        const char* pszPoint = std::strchr(pszAnchor, '.');
        size_t length = pszPoint != nullptr ? static_cast<size_t>(pszPoint - pszAnchor) : std::strlen(pszAnchor);
        return std::strncmp(pszAnchor, m_pBlock->m_szName, length) == 0 && m_pBlock->m_szName[length] == '\0';
    }

    void TestEnd(bool bFirst)
    {
        CPoint& pt = bFirst ? m_line.GetFirstPoint() : m_line.GetLastPoint();
        int nHit = m_pBlock->HitTestPin(&pt);
        if (nHit != PIN_HIT_NONE)
            (bFirst ? m_nFirstHit : m_nLastHit) = nHit;
    }

    CLineItem& m_line;
    CTrackObject* m_pBlock = nullptr;
    int m_nFirstHit = PIN_HIT_NONE;
    int m_nLastHit = PIN_HIT_NONE;
};

// Puts a line's end points into the pins that contain them, remembering
// what it changed, so that a refused line can be put back as it was.
class CLineAttacher {
public:
    explicit CLineAttacher(CLineItem& line)
        : m_line(line),
          m_pSource(line.m_pSource),
          m_pTarget(line.m_pTarget),
          m_nSourcePin(line.m_nSourcePin),
          m_nTargetPin(line.m_nTargetPin),
          m_nDirection(line.m_nDirection),
          m_strSourcePin(line.m_szSourcePin),
          m_strTargetPin(line.m_szTargetPin)
    {
    }

    // Attaches one end to every pin of pBlock that contains it: an input
    // pin makes the block the target, an output pin the source. False when
    // the block is a calibrated input whose output already has its line.
    bool Attach(CTrackObject* pBlock, bool bFirst)
    {
        if (pBlock == nullptr)
            return true;
        POINT pt = bFirst ? m_line.GetFirstPoint() : m_line.GetLastPoint();
        for (UINT i = 0; i < pBlock->m_nInputs; ++i) {
            TrackPin& pin = pBlock->m_pInputs[i];
            if (!::PtInRect(&pin.m_rcPin, pt) || !Take(pBlock, pin))
                continue;
            m_line.m_pTarget = pBlock;
            m_line.m_nTargetPin = static_cast<int>(i);
            m_line.m_nDirection = bFirst ? LINE_DIRECTION_FROM_TARGET : LINE_DIRECTION_FROM_SOURCE;
            CopyCut(m_line.m_szTargetPin, PinAnchor(pBlock, "In", i));
        }
        for (UINT j = 0; j < pBlock->m_nOutputs; ++j) {
            TrackPin& pin = pBlock->m_pOutputs[j];
            if (!::PtInRect(&pin.m_rcPin, pt))
                continue;
            // A calibrated input feeds exactly one line.
            if (IsCalibratedInput(pBlock) && CTrackObject::IsPinConnected(&pin))
                return false;
            if (!Take(pBlock, pin))
                continue;
            m_line.m_pSource = pBlock;
            m_line.m_nSourcePin = PIN_OUTPUT_BASE + static_cast<int>(j);
            m_line.m_nDirection = bFirst ? LINE_DIRECTION_FROM_SOURCE : LINE_DIRECTION_FROM_TARGET;
            CopyCut(m_line.m_szSourcePin, PinAnchor(pBlock, "Out", j));
        }
        return true;
    }

    // Frees the slots taken and restores the line's ends.
    void Undo()
    {
        for (CLineItem** pSlot : m_Taken)
            *pSlot = nullptr;
        m_line.m_pSource = m_pSource;
        m_line.m_pTarget = m_pTarget;
        m_line.m_nSourcePin = m_nSourcePin;
        m_line.m_nTargetPin = m_nTargetPin;
        m_line.m_nDirection = m_nDirection;
        CopyCut(m_line.m_szSourcePin, m_strSourcePin);
        CopyCut(m_line.m_szTargetPin, m_strTargetPin);
    }

private:
    bool Take(CTrackObject* pBlock, TrackPin& pin)
    {
        int nSlot = pBlock->FindFreeLineSlot(&pin);
        if (nSlot < 0)
            return false;
        pin.m_pLines[nSlot] = &m_line;
        m_Taken.push_back(&pin.m_pLines[nSlot]);
        return true;
    }

    CLineItem& m_line;
    std::vector<CLineItem**> m_Taken;
    CTrackObject* m_pSource;
    CTrackObject* m_pTarget;
    int m_nSourcePin;
    int m_nTargetPin;
    int m_nDirection;
    std::string m_strSourcePin;
    std::string m_strTargetPin;
};

}  // namespace

int CTEDocument::ConnectLine(CLineItem* pLine)
{
    if (pLine == nullptr)
        return 0;
    if (pLine->m_pSource != nullptr || pLine->m_pTarget != nullptr)
        return -1;
    CLineEndFinder finder(*pLine);
    if (m_pReloadIndex != nullptr) {
        // Only blocks with a pin near an end can take it; the index offers
        // those in list order, with the ends as they are after each hit.
        size_t nNext = 0;
        size_t nPosition = 0;
        while (CTrackObject* pBlock =
                   m_pReloadIndex->NextPinCandidate(pLine->GetFirstPoint(), pLine->GetLastPoint(), nNext, &nPosition)) {
            nNext = nPosition + 1;
            if (finder.Visit(pBlock))
                break;
        }
    } else {
        for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
            if (finder.Visit(m_BlockList[i]))
                break;
        }
    }
    return ConnectLineTo(finder.m_pAtFirst, finder.m_pAtLast, pLine);
}

int CTEDocument::ConnectLineTo(CTrackObject* pA, CTrackObject* pB, CLineItem* pLine)
{
    // A line needs two ends to lie on anything.
    if (pLine == nullptr || pLine->m_nPoints < 2)
        return 0;
    if (pA == pB && pLine->m_nPoints < 3)
        return 0;
    CLineItem* pParent = pLine->m_pParent;
    if ((pA == nullptr || pB == nullptr) && pParent == nullptr)
        return 0;

    bool bRefused = pParent != nullptr && (IsCalibratedInput(pParent->m_pSource) || IsCalibratedInput(pParent->m_pTarget));
    if (!bRefused) {
        CLineAttacher attacher(*pLine);
        bRefused = !attacher.Attach(pA, true) || !attacher.Attach(pB, false);
        if (bRefused)
            attacher.Undo();
    }
    if (bRefused) {
        pLine->m_bValid = FALSE;
        MarkModified();
        return 0;
    }
    // A block whose role the other end took over keeps no slot for the line,
    // so that every pin holding a line belongs to its source or target.
    for (CTrackObject* pBlock : {pA, pB}) {
        if (pBlock != nullptr && pBlock != pLine->m_pSource && pBlock != pLine->m_pTarget)
            pBlock->RemoveLine(pLine);
    }
    if (pParent != nullptr) {
        if (pLine->m_pSource == nullptr) {
            pLine->m_pSource = pParent->m_pSource;
            pLine->m_nSourcePin = pParent->m_nSourcePin;
        } else if (pLine->m_pTarget == nullptr) {
            pLine->m_pTarget = pParent->m_pTarget;
            pLine->m_nTargetPin = pParent->m_nTargetPin;
        }
    }
    if (!m_bLoading)
        AnnounceLine(pLine);
    MarkModified();
    return 1;
}

bool CTEDocument::AnnounceLine(CLineItem* pLine)
{
    std::string record = TEFormatLineRecord(*pLine);
    std::string answer;
    if (SendText(TE_SETLINE, record, &answer) != REQUEST_OK) {
        m_UnsentLines.insert(pLine);
        UpdateNotice();
        return false;
    }
    // A device that took the line answers its name in the buffer; one that
    // wrote nothing back leaves the record there, which is no name.
    if (answer != record)
        CopyCut(pLine->m_szName, answer);
    m_UnsentLines.erase(pLine);
    pLine->m_bModified = 0;  // the record sent is the line as it is
    return true;
}

bool CTEDocument::AnnounceDelete(TEChannel channel, const char* pszName)
{
    std::string text = TEFormatDeleteText(pszName);
    int status = SendDelete(channel, text);
    if (status == kStaleDelete)
        return false;
    if (status != REQUEST_OK) {
        m_WaitingDeletes.emplace_back(channel, text);
        UpdateNotice();
    }
    return true;
}

int CTEDocument::SendDelete(TEChannel channel, const std::string& text)
{
    // The device deletes by name. Another editor may have deleted the record
    // and made a new one under the same name since this editor last read the
    // program; deleting the name would delete that one. A delete that names
    // the record it expects would close the request's width of time that
    // remains between this check and the delete.
    if (!DeviceHoldsAsKnown(channel, text)) {
        Trace("%s was changed on the device by another editor; it is not deleted, and the canvas shows it as it "
              "is now",
              text.c_str());
        return kStaleDelete;
    }
    return SendText(channel, text);
}

bool CTEDocument::DeviceHoldsAsKnown(TEChannel channel, const std::string& name)
{
    if (!m_nComparedVersion)
        return true;
    std::optional<int> version = ReadProgramVersion();
    if (!version || *version == ExpectedProgramVersion())
        return true;
    STRINGLIST records;
    bool bRead = ReadRecords(channel == TE_DELPROC ? TE_PROCS : TE_LINES, &records);
    bool bHeld = !bRead || m_Mirror.SameRecord(channel, name, records);
    a_EmptyStringList(&records);
    return bHeld;
}

// A branch whose parent line is deleted stays where it is, as a plain line
// attached to nothing: the line it fed from is gone, and an end it took
// over from its parent would, written as an anchor, move its first point
// onto that block's pin. It is sent again on the next tick, so the device
// no longer starts it on a node that is gone.
void CTEDocument::OrphanBranch(CLineItem* pBranch)
{
    DetachLine(pBranch);
    pBranch->m_pParent = nullptr;
    pBranch->m_nNode = -1;
    pBranch->m_pSource = nullptr;
    pBranch->m_pTarget = nullptr;
    pBranch->m_nSourcePin = -1;
    pBranch->m_nTargetPin = -1;
    pBranch->m_szSourcePin[0] = '\0';
    pBranch->m_szTargetPin[0] = '\0';
    pBranch->m_bModified = 1;
}

void CTEDocument::DetachLine(CLineItem* pLine)
{
    if (pLine->m_pSource != nullptr)
        pLine->m_pSource->RemoveLine(pLine);
    if (pLine->m_pTarget != nullptr && pLine->m_pTarget != pLine->m_pSource)
        pLine->m_pTarget->RemoveLine(pLine);
}

int CTEDocument::DeleteLine(CLineItem* pLine)
{
    if (pLine == nullptr)
        return 0;
    DetachLine(pLine);
    int nResult = 0;
    INT_PTR nIndex = -1;
    for (INT_PTR i = 0; i < m_LineList.GetSize() && nIndex < 0; ++i) {
        if (m_LineList[i] == pLine)
            nIndex = i;
    }
    if (nIndex >= 0) {
        m_LineList.RemoveAt(nIndex);
        for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
            if (m_LineList[i]->m_pParent == pLine)
                OrphanBranch(m_LineList[i]);
        }
        if (!m_bLoading) {
            // A line the device never took is no business of the device's.
            if (m_UnsentLines.erase(pLine) == 0)
                AnnounceDelete(TE_DELLINE, pLine->m_szName);
            nResult = 1;
        }
        m_UnsentLines.erase(pLine);
        delete pLine;
    }
    MarkModified();
    return nResult;
}

CRect CTEDocument::FreeAllLines()
{
    CRect area(0, 0, 0, 0);
    if (m_LineList.IsEmpty())
        return area;
    MarkModified();
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
        CLineItem* pLine = m_LineList[i];
        CRect rc = pLine->GetBoundingRect();
        area.UnionRect(&area, &rc);
        DetachLine(pLine);
        delete pLine;
    }
    m_LineList.RemoveAll();
    m_UnsentLines.clear();
    return area;
}
