// The document's exchange with the device on every tick: counts compared,
// blocks and lines rebuilt from the device's records, moves and line changes
// sent, live values polled.
#include <cstdlib>
#include <cstring>

#include "blocks/CTrackObject.h"
#include "lines/CLineItem.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"
#include "sync/TELineRecord.h"
#include "sync/TERecords.h"
#include "sync/TEReloadIndex.h"

// The loading flag and the reload index for the length of one rebuild.
class CTEDocument::CLoadingScope {
public:
    explicit CLoadingScope(CTEDocument& document) : m_document(document)
    {
        m_document.m_bLoading = TRUE;
        m_document.m_pReloadIndex = std::make_unique<CTEReloadIndex>();
    }
    ~CLoadingScope()
    {
        m_document.m_pReloadIndex.reset();
        m_document.m_bLoading = FALSE;
    }
    CLoadingScope(const CLoadingScope&) = delete;
    CLoadingScope& operator=(const CLoadingScope&) = delete;

private:
    CTEDocument& m_document;
};

// Resolves the anchors of the line records being read.
class CTEDocument::CLineLookup : public CTERecordLookup {
public:
    explicit CLineLookup(const CTEReloadIndex& index) : m_index(index) {}
    CTrackObject* FindBlock(const char* pszName) override { return m_index.FindBlock(pszName); }
    CLineItem* FindLine(const char* pszName) override { return m_index.FindLine(pszName); }

private:
    const CTEReloadIndex& m_index;
};

namespace {

// A list answer, emptied however the reload that reads it ends.
struct CRecordList {
    STRINGLIST list;
    ~CRecordList() { a_EmptyStringList(&list); }
};

bool LiesOnCanvas(const CLineItem& line)
{
    for (int i = 0; i < line.m_nPoints; ++i) {
        if (std::abs(static_cast<long long>(line.m_points[i].x)) > TE_MAX_CANVAS_COORD ||
            std::abs(static_cast<long long>(line.m_points[i].y)) > TE_MAX_CANVAS_COORD)
            return false;
    }
    return true;
}

}  // namespace

void CTEDocument::Tick()
{
    int nBlocks = ReadCount(TE_NROFPROCS);
    int nLines = ReadCount(TE_NROFLINES);
    bool bBlocksReloaded = false;
    if (nBlocks != m_BlockList.GetSize()) {
        CRecordList records;
        ReadRecords(TE_PROCS, &records.list);
        ReloadBlocks(&records.list);
        bBlocksReloaded = true;
    }
    // Freeing the blocks detached every line from its pins: lines left so
    // would lose their anchors on the device at their next change.
    if (bBlocksReloaded || nLines != m_LineList.GetSize()) {
        CRecordList records;
        ReadRecords(TE_LINES, &records.list);
        ReloadLines(&records.list);
    }
    SendMovesAndPollValues();
    SendModifiedLines();
}

void CTEDocument::SendMovesAndPollValues()
{
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
        CTrackObject* pBlock = m_BlockList[i];
        if (pBlock->m_bMoved) {
            pBlock->m_bMoved = FALSE;
            SendText(TE_UPDATEPROC, TEFormatProcPosition(pBlock->m_szName, pBlock->m_rcPos.left, pBlock->m_rcPos.top));
        }
        pBlock->RefreshValues();
    }
}

void CTEDocument::SendModifiedLines()
{
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
        CLineItem* pLine = m_LineList[i];
        if (pLine->m_bModified) {
            pLine->m_bModified = 0;
            SendText(TE_UPDATELINE, TEFormatLineRecord(*pLine));
        }
    }
}

void CTEDocument::ReloadBlocks(STRINGLIST* pRecords)
{
    CLoadingScope loading(*this);
    CRect area = FreeAllBlocks();
    INT_PTR nRecords = pRecords != nullptr ? static_cast<INT_PTR>(pRecords->size()) : 0;
    // One allocation for the whole list, not one step per few blocks.
    m_BlockList.SetSize(0, nRecords);
    for (INT_PTR i = 0; i < nRecords; ++i) {
        TEProcRecord record;
        if ((*pRecords)[i] == nullptr || !TEReadProcRecord((*pRecords)[i], &record))
            continue;
        char szName[HOSTINFO_NAME_SIZE];
        std::strcpy(szName, record.strName.c_str());  // the reader keeps names this short
        int nIndex = CreateBlock(record.strTypeKey.c_str(), record.x, record.y, 0, 0, szName, -1);
        if (nIndex >= 0) {
            CRect rc = BlockArea(m_BlockList[nIndex]);
            area.UnionRect(&area, &rc);
        }
    }
    m_BlockList.SetSize(m_BlockList.GetSize(), 0);
    if (m_pPage != nullptr)
        m_pPage->OnProgramReplaced(TRUE, FALSE);
    InvalidateCanvas(area);
}

void CTEDocument::ReloadLines(STRINGLIST* pRecords)
{
    CLoadingScope loading(*this);
    // The canvas loses the old lines as well as gaining the new ones.
    CRect area = FreeAllLines();
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i)
        m_pReloadIndex->AddBlock(m_BlockList[i]);
    CLineLookup lookup(*m_pReloadIndex);
    INT_PTR nRecords = pRecords != nullptr ? static_cast<INT_PTR>(pRecords->size()) : 0;
    m_LineList.SetSize(0, nRecords);
    for (INT_PTR i = 0; i < nRecords; ++i) {
        CLineItem* pLine = TEReadLineRecord((*pRecords)[i], lookup);
        if (pLine == nullptr)
            continue;
        if (!LiesOnCanvas(*pLine)) {
            delete pLine;
            continue;
        }
        pLine->m_bModified = 0;
        m_LineList.Add(pLine);
        m_pReloadIndex->AddLine(pLine);
        ConnectLine(pLine);
        CRect rc = pLine->GetBoundingRect();
        area.UnionRect(&area, &rc);
    }
    m_LineList.SetSize(m_LineList.GetSize(), 0);
    if (m_pPage != nullptr)
        m_pPage->OnProgramReplaced(FALSE, TRUE);
    InvalidateCanvas(area);
}
