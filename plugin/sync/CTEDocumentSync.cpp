// The document's exchange with the device on every tick: waiting changes
// sent, the device's records compared with what the editor knows of them,
// blocks and lines rebuilt from them when someone else changed them, live
// values polled; and what the user is told about it.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "blocks/CTETrackObject.h"
#include "lines/CLineItem.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"
#include "sync/TELineRecord.h"
#include "sync/TERecordTokens.h"
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

// How many ticks the notice of another editor's change stays on the canvas
// (three seconds at the host's usual interval).
constexpr int kChangedNoticeTicks = 30;

int ClampToCanvas(int v)
{
    return std::clamp(v, -TE_MAX_CANVAS_COORD, TE_MAX_CANVAS_COORD);
}

// Moves every point into the coordinates the canvas works in; answers
// whether one had to move.
bool ClampToCanvas(CLineItem& line)
{
    bool bClamped = false;
    for (int i = 0; i < line.m_nPoints; ++i) {
        CPoint& pt = line.m_points[i];
        CPoint clamped(ClampToCanvas(pt.x), ClampToCanvas(pt.y));
        bClamped |= clamped != pt;
        pt = clamped;
    }
    return bClamped;
}

}  // namespace

// ---- The tick ---------------------------------------------------------------------------

void CTEDocument::Tick()
{
    // An unanswered count is no empty program: everything stays, and
    // waits for the device to answer again.
    int nBlocks = 0;
    int nLines = 0;
    if (!ReadCount(TE_NROFPROCS, &nBlocks) || !ReadCount(TE_NROFLINES, &nLines)) {
        OnDeviceSilent();
        return;
    }
    // The version is read before the lists, never after: a change made
    // after this read moves the device past it, so the next tick compares
    // again. Read after the lists, it would take a change made between the
    // two reads as seen, and the editor would never show it.
    std::optional<int> version = ReadProgramVersion();
    OnDeviceAnswering();
    unsigned nOwnBefore = m_nOwnChanges;
    SendWaitingEdits();
    // A device that differs from the others would answer the lists with
    // a program the canvas must not take for another editor's.
    if (!BringDevicesIntoLine()) {
        PollValues();
        UpdateNotice();
        return;
    }
    if (IsQuietTick(version)) {
        CountDownChangedNotice();
        PollValues();
        UpdateNotice();
        return;
    }
    // What was just sent changed the version; the lists read next show at
    // least that.
    if (m_nOwnChanges != nOwnBefore)
        version = ReadProgramVersion();
    if (!CompareWithDevice(version)) {
        OnDeviceSilent();
        return;
    }
    PollValues();
    UpdateNotice();
}

bool CTEDocument::BringDevicesIntoLine()
{
    if (m_pDialog == nullptr)
        return true;
    m_Devices.Follow(m_pDialog->Record(), m_pDialog->DeviceNames());
    return m_Devices.BringBehindIntoLine([&](const std::string& name, const std::string& why) {
        if (why.empty()) {
            Trace("The device %s missed changes; it holds the program again", name.c_str());
            m_DevicesReportedApart.erase(name);
        } else if (m_DevicesReportedApart.insert(name).second) {
            Trace("The device %s missed changes and is not brought into line yet: %s", name.c_str(), why.c_str());
        }
    });
}

bool CTEDocument::IsQuietTick(const std::optional<int>& version) const
{
    return m_bProgramRead && version && m_nComparedVersion && *version == *m_nComparedVersion &&
           m_nOwnChanges == 0 && !m_bLinesStale && CountWaitingEdits() == 0;
}

bool CTEDocument::CompareWithDevice(const std::optional<int>& version)
{
    CRecordList procs;
    CRecordList lines;
    if (!ReadRecords(TE_PROCS, &procs.list) || !ReadRecords(TE_LINES, &lines.list))
        return false;
    // The lists show the program at this version or later; what this
    // editor sends from now on counts from here.
    m_nComparedVersion = version;
    m_nOwnChanges = 0;
    bool bUnshared = DropRefusedEdits();
    bool bBlocks = bUnshared || !m_Mirror.SameProcs(procs.list);
    // Freeing the blocks detached every line from its pins: lines left so
    // would lose their anchors on the device at their next change.
    bool bForeign = bBlocks || !m_Mirror.SameLines(lines.list);
    bool bLines = bForeign || m_bLinesStale;
    // The program the devices of a connection hold alike, which a device
    // that misses changes is later merged from: this editor's own writes
    // keep it up to date, another editor's are read.
    if (m_Devices.IsMirrored() && (bForeign || !m_Devices.HasBase()))
        m_Devices.RefreshBase();
    if (bBlocks)
        ReloadBlocks(&procs.list);
    if (bLines) {
        ReloadLines(&lines.list);
        DeleteLinesOfDeletedBlocks(lines.list);
    }
    m_bLinesStale = false;
    if (bForeign && m_bProgramRead) {
        Trace("The program was changed on the device by another editor; the canvas shows it as it is now");
        m_nChangedTicks = kChangedNoticeTicks;
    } else {
        CountDownChangedNotice();
    }
    m_bProgramRead = true;
    return true;
}

void CTEDocument::CountDownChangedNotice()
{
    if (m_nChangedTicks > 0)
        m_nChangedTicks--;
}

// Another editor may have drawn a line to a block this editor deleted
// before it knew of the line: the device keeps such a line, which would
// attach to whatever block later takes the name. It goes with its block.
void CTEDocument::DeleteLinesOfDeletedBlocks(const STRINGLIST& records)
{
    std::erase_if(m_DeletedBlockNames, [&](const std::string& name) { return FindBlock(name.c_str()) != nullptr; });
    if (m_DeletedBlockNames.empty())
        return;
    for (const char* pszRecord : records) {
        if (pszRecord == nullptr)
            continue;
        std::vector<std::string_view> tokens = TESplitRecord(pszRecord);
        bool bOrphan = std::any_of(tokens.begin() + (tokens.empty() ? 0 : 1), tokens.end(), [&](std::string_view token) {
            size_t point = token.find('.');
            return point != std::string_view::npos && m_DeletedBlockNames.count(std::string(token.substr(0, point))) != 0;
        });
        if (!bOrphan)
            continue;
        std::string name(tokens[0]);
        CLineItem* pLine = nullptr;
        for (INT_PTR i = 0; i < m_LineList.GetSize() && pLine == nullptr; ++i) {
            if (name == m_LineList[i]->m_szName)
                pLine = m_LineList[i];
        }
        if (pLine != nullptr)
            DeleteLine(pLine);
        else
            AnnounceDelete(TE_DELLINE, name.c_str());
    }
}

void CTEDocument::SendWaitingEdits()
{
    for (size_t i = 0; i < m_WaitingDeletes.size();) {
        int status = SendDelete(m_WaitingDeletes[i].first, m_WaitingDeletes[i].second);
        if (status == REQUEST_OK || status == kStaleDelete)
            m_WaitingDeletes.erase(m_WaitingDeletes.begin() + static_cast<long>(i));
        else
            ++i;
    }
    // Blocks before lines, each in list order: a line or a branch names
    // blocks and parent lines that must be known first.
    if (!m_UnsentBlocks.empty()) {
        for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
            auto it = m_UnsentBlocks.find(m_BlockList[i]);
            if (it != m_UnsentBlocks.end())
                AnnounceBlock(static_cast<CTETrackObject*>(m_BlockList[i]), std::string(it->second));
        }
    }
    if (!m_UnsentLines.empty()) {
        std::unordered_set<const CLineItem*> listed;
        for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
            listed.insert(m_LineList[i]);
            if (m_UnsentLines.count(m_LineList[i]) != 0)
                AnnounceLine(m_LineList[i]);
        }
        // A line the canvas dropped without the document is gone.
        std::erase_if(m_UnsentLines, [&](const CLineItem* pLine) { return listed.count(pLine) == 0; });
    }
    SendMoves();
    SendModifiedLines();
}

void CTEDocument::SendMoves()
{
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
        CTrackObject* pBlock = m_BlockList[i];
        if (!pBlock->m_bMoved || m_UnsentBlocks.count(pBlock) != 0)
            continue;
        if (SendText(TE_UPDATEPROC, TEFormatProcPosition(pBlock->m_szName, pBlock->m_rcPos.left,
                                                         pBlock->m_rcPos.top)) == REQUEST_OK)
            pBlock->m_bMoved = FALSE;
    }
}

void CTEDocument::SendModifiedLines()
{
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
        CLineItem* pLine = m_LineList[i];
        if (!pLine->m_bModified || m_UnsentLines.count(pLine) != 0)
            continue;
        if (SendText(TE_UPDATELINE, TEFormatLineRecord(*pLine)) == REQUEST_OK)
            pLine->m_bModified = 0;
    }
}

void CTEDocument::PollValues()
{
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i)
        m_BlockList[i]->RefreshValues();
}

bool CTEDocument::DropRefusedEdits()
{
    for (const auto& [channel, name] : m_WaitingDeletes) {
        bool bHeld = channel == TE_DELPROC ? m_Mirror.HasProc(name) : m_Mirror.HasLine(name);
        if (bHeld)
            Trace("The device refused to delete %s", name.c_str());
    }
    m_WaitingDeletes.clear();
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
        CTrackObject* pBlock = m_BlockList[i];
        if (m_UnsentBlocks.count(pBlock) != 0)
            Trace("The device refused the new block %s", pBlock->m_szName.c_str());
        else if (pBlock->m_bMoved)
            Trace("The device refused the move of block %s", pBlock->m_szName.c_str());
        pBlock->m_bMoved = FALSE;
    }
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
        CLineItem* pLine = m_LineList[i];
        if (m_UnsentLines.count(pLine) != 0)
            Trace("The device refused a new line");
        else if (pLine->m_bModified)
            Trace("The device refused the change of %s", pLine->m_szName);
        pLine->m_bModified = 0;
    }
    // What the device refused to take, the canvas no longer shows.
    bool bUnshared = !m_UnsentBlocks.empty() || !m_UnsentLines.empty();
    ForgetUnsent();
    return bUnshared;
}

void CTEDocument::ForgetUnsent()
{
    m_UnsentBlocks.clear();
    m_UnsentLines.clear();
    m_WaitingDeletes.clear();
}

// ---- What the user is told ----------------------------------------------------------------

int CTEDocument::CountWaitingEdits() const
{
    size_t n = m_UnsentBlocks.size() + m_UnsentLines.size() + m_WaitingDeletes.size();
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i)
        n += m_BlockList[i]->m_bMoved && m_UnsentBlocks.count(m_BlockList[i]) == 0 ? 1 : 0;
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i)
        n += m_LineList[i]->m_bModified && m_UnsentLines.count(m_LineList[i]) == 0 ? 1 : 0;
    return static_cast<int>(n);
}

void CTEDocument::Trace(const char* pszFormat, ...)
{
    if (m_pDialog == nullptr)
        return;
    char szLine[1024];
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(szLine, sizeof szLine, pszFormat, args);
    va_end(args);
    EDITTRACE(m_pDialog->m_hTraceWnd, "%s", szLine);
}

void CTEDocument::OnDeviceSilent()
{
    if (!m_bDeviceSilent)
        Trace("The device does not answer; changes are kept and sent when it answers again");
    m_bDeviceSilent = TRUE;
    UpdateNotice();
}

void CTEDocument::OnDeviceAnswering()
{
    if (m_bDeviceSilent)
        Trace("The device answers again; %d waiting changes are sent", CountWaitingEdits());
    m_bDeviceSilent = FALSE;
}

void CTEDocument::UpdateNotice()
{
    std::string notice;
    int nWaiting = m_bDeviceSilent || !m_UnsentBlocks.empty() || !m_UnsentLines.empty() || !m_WaitingDeletes.empty()
                       ? CountWaitingEdits()
                       : 0;
    if (m_bDeviceSilent)
        notice = "Device not answering";
    if (nWaiting > 0) {
        std::string waiting = std::to_string(nWaiting) + (nWaiting == 1 ? " change waits" : " changes wait") +
                              " to be sent";
        notice = notice.empty() ? waiting : notice + ": " + waiting;
    }
    if (notice.empty() && m_nChangedTicks > 0)
        notice = "Program changed by another editor";
    if (notice == m_strNotice)
        return;
    m_strNotice = notice;
    if (m_pPage != nullptr)
        m_pPage->OnSyncNoticeChanged();
}

// ---- Reloads ------------------------------------------------------------------------------

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
        int x = ClampToCanvas(record.x);
        int y = ClampToCanvas(record.y);
        int nIndex = CreateBlock(record.strTypeKey.c_str(), x, y, 0, 0, szName, -1);
        if (nIndex >= 0) {
            CTrackObject* pBlock = m_BlockList[nIndex];
            // Far off: the device learns where the canvas keeps it.
            if (x != record.x || y != record.y)
                pBlock->m_bMoved = TRUE;
            CRect rc = BlockArea(pBlock);
            area.UnionRect(&area, &rc);
        }
    }
    m_BlockList.SetSize(m_BlockList.GetSize(), 0);
    m_Mirror.SetProcs(pRecords);
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
        // Far off: the device learns where the canvas keeps it.
        pLine->m_bModified = ClampToCanvas(*pLine) ? 1 : 0;
        m_LineList.Add(pLine);
        m_pReloadIndex->AddLine(pLine);
        ConnectLine(pLine);
        CRect rc = pLine->GetBoundingRect();
        area.UnionRect(&area, &rc);
    }
    m_LineList.SetSize(m_LineList.GetSize(), 0);
    m_Mirror.SetLines(pRecords);
    if (m_pPage != nullptr)
        m_pPage->OnProgramReplaced(FALSE, TRUE);
    InvalidateCanvas(area);
}
