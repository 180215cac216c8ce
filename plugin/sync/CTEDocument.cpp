// The document's blocks: names, channels, creation with automatic
// placement, deletion, and the page and device plumbing the other parts of
// the document share.
#include "sync/CTEDocument.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

#include "windows.h"

#include "blocks/CTEProcCalIN.h"
#include "blocks/CTEProcFUNC.h"
#include "blocks/CTEProcIN.h"
#include "blocks/CTEProcOUT.h"
#include "blocks/CTEProcRTC.h"
#include "blocks/CanvasUtils.h"
#include "lines/CLineItem.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEPageLink.h"
#include "sync/TEReloadIndex.h"
#include "sync/TERecords.h"

namespace {

// Keyword texts of a block's channels are allocated at this size.
constexpr size_t kBlockKeywordSize = 1024;
// No canvas shows a coarser grid; the cap keeps placement arithmetic far
// from overflow whatever the page reports.
constexpr UINT kMaxPlacementGrid = 1024;
// Automatic placement starts left of the page's middle by this much (room
// for the palette beside the canvas).
constexpr int kPlacementPaletteRoom = 190;

// Copies at most cbDst - 1 characters and terminates.
void CopyCut(char* pszDst, size_t cbDst, const char* pszSrc)
{
    size_t length = strnlen(pszSrc, cbDst - 1);
    std::memcpy(pszDst, pszSrc, length);
    pszDst[length] = '\0';
}

void AddBlockChannel(CMainDlgHost* pDialog, const char* pszFormat, const char* pszBlockName,
                     STRINGLIST* pKeywords, REQUESTLIST* pRequests)
{
    // Sized to the keyword, cut as a kBlockKeywordSize buffer would cut it: a
    // block keeps four keywords for as long as it lives.
    const int nLength = std::snprintf(nullptr, 0, pszFormat, pszBlockName);
    const size_t cbKeyword = std::min(static_cast<size_t>(std::max(nLength, 0)) + 1, kBlockKeywordSize);
    char* pszKeyword = static_cast<char*>(std::malloc(cbKeyword));
    if (pszKeyword == nullptr)
        AfxThrowMemoryException();
    std::snprintf(pszKeyword, cbKeyword, pszFormat, pszBlockName);
    pKeywords->push_back(pszKeyword);
    a_BuildRequestList(pDialog->Record(), pKeywords, pDialog->DeviceNames(), pRequests);
}

bool OnCanvas(int x, int y)
{
    return std::abs(static_cast<long long>(x)) <= TE_MAX_CANVAS_COORD &&
           std::abs(static_cast<long long>(y)) <= TE_MAX_CANVAS_COORD;
}

}  // namespace

CRect CTEDocument::BlockArea(const CTrackObject* pBlock)
{
    // Pins and the selection frame reach a few pixels outside a block.
    CRect rc = pBlock->m_rcPos;
    rc.InflateRect(6, 6);
    return rc;
}

namespace {

template <class T>
INT_PTR IndexOf(const CArray<T*, T*>& list, const T* pItem)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        if (list[i] == pItem)
            return i;
    }
    return -1;
}

}  // namespace

CTEDocument::CTEDocument() = default;

CTEDocument::~CTEDocument()
{
    Clear();
}

// ---- Page and device plumbing ---------------------------------------------------------

void CTEDocument::MarkModified()
{
    if (HOSTINFO* pRecord = PageRecord())
        pRecord->m_bModified = 1;
}

void CTEDocument::InvalidateCanvas(RECT rc)
{
    if (m_pPage != nullptr && !::IsRectEmpty(&rc))
        m_pPage->InvalidateCanvasRect(&rc, TRUE);
}

int CTEDocument::SendText(TEChannel channel, const std::string& text, std::string* pAnswer)
{
    if (m_pDialog == nullptr)
        return REQUEST_FAILED;
    // The host library may answer into the buffer it was given.
    char szText[REQUEST_TEXT_SIZE];
    if (!TECopyRequestText(text, szText, sizeof szText))
        return REQUEST_FAILED;
    int status = REQUEST_FAILED;
    std::string answer;
    m_Devices.Follow(m_pDialog->Record(), m_pDialog->DeviceNames());
    if (m_Devices.IsMirrored()) {
        answer = text;
        status = m_Devices.Write(channel, text, answer);
    } else {
        a_SendRequest(&m_pDialog->Channel(channel).m_Requests, REQUEST_WRITE, DATATYPE_TEXT, szText, &status);
        answer = szText;
    }
    if (status == REQUEST_OK) {
        m_Mirror.Apply(channel, text, answer);
        ++m_nOwnChanges;  // every write the document sends changes the program
    }
    if (pAnswer != nullptr)
        *pAnswer = answer;
    return status;
}

bool CTEDocument::WriteMirroredLink(const char* pszBlock, const char* pszItem, const char* pszText, int* pStatus)
{
    if (m_pDialog == nullptr)
        return false;
    m_Devices.Follow(m_pDialog->Record(), m_pDialog->DeviceNames());
    if (!m_Devices.IsMirrored())
        return false;
    *pStatus = m_Devices.WriteLink(std::string("TE.") + pszBlock + '.' + pszItem, pszText);
    return true;
}

bool CTEDocument::ReadCount(TEChannel channel, int* pCount)
{
    *pCount = 0;
    if (m_pDialog == nullptr)
        return false;
    return a_SendRequest(&m_pDialog->Channel(channel).m_Requests, REQUEST_READ, DATATYPE_INT, pCount, nullptr) ==
           REQUEST_OK;
}

bool CTEDocument::ReadRecords(TEChannel channel, STRINGLIST* pRecords)
{
    if (m_pDialog == nullptr)
        return false;
    return a_SendRequest(&m_pDialog->Channel(channel).m_Requests, REQUEST_READ, DATATYPE_STRINGLIST, pRecords,
                         nullptr) == REQUEST_OK;
}

std::optional<int> CTEDocument::ReadProgramVersion()
{
    int version = 0;
    if (m_pDialog == nullptr || a_SendRequest(&m_pDialog->Channel(TE_PROGRAMVERSION).m_Requests, REQUEST_READ,
                                              DATATYPE_INT, &version, nullptr) != REQUEST_OK)
        return std::nullopt;
    return version;
}

int CTEDocument::ExpectedProgramVersion() const
{
    // The device counts in 31 bits and wraps to 0.
    constexpr unsigned kVersionMask = 0x7fffffff;
    return static_cast<int>((static_cast<unsigned>(m_nComparedVersion.value_or(0)) + m_nOwnChanges) & kVersionMask);
}

// ---- Names ------------------------------------------------------------------------------

bool CTEDocument::AskSafeName(char* pszText)
{
    return m_pDialog != nullptr && a_SendRequest(&m_pDialog->Channel(TE_SAFEPROCNAME).m_Requests, REQUEST_READ,
                                                 DATATYPE_TEXT, pszText, nullptr) == REQUEST_OK;
}

char* CTEDocument::SafeProcName(const char* text)
{
    // One buffer for the module, as the host library hands answers back in
    // the caller's buffer.
    static char s_szSafeProcName[REQUEST_TEXT_SIZE];
    CopyCut(s_szSafeProcName, sizeof s_szSafeProcName, text);
    AskSafeName(s_szSafeProcName);
    return s_szSafeProcName;
}

std::string CTEDocument::LocalFreeName(const char* pszBase) const
{
    std::string base(pszBase);
    size_t digits = base.find_last_not_of("0123456789") + 1;
    unsigned long long n = 0;
    if (digits == base.size() || base.size() - digits > 9) {
        base += '_';
    } else {
        n = std::strtoull(base.c_str() + digits, nullptr, 10);
        base.erase(digits);
    }
    for (;;) {
        std::string number = std::to_string(++n);
        std::string name = base.substr(0, TE_MAX_BLOCK_NAME - number.size()) + number;
        if (FindBlock(name.c_str()) == nullptr)
            return name;
    }
}

CTrackObject* CTEDocument::FindBlock(const char* pszName) const
{
    if (m_pReloadIndex != nullptr)
        return m_pReloadIndex->FindBlock(pszName);
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
        CTrackObject* pBlock = m_BlockList[i];
        if (std::strcmp(pBlock->m_szName, pszName) == 0)
            return pBlock;
    }
    return nullptr;
}

void CTEDocument::SettleBlockName(char* pszName, const char* pszWanted)
{
    // A wanted name is held to the length of a block name before it is
    // compared, so that the name kept is the name checked.
    char szWanted[HOSTINFO_NAME_SIZE];
    CopyCut(szWanted, sizeof szWanted, pszWanted != nullptr ? pszWanted : "");
    if (szWanted[0] != '\0' && FindBlock(szWanted) == nullptr) {
        CopyCut(pszName, HOSTINFO_NAME_SIZE, szWanted);
        return;
    }
    char szAsked[REQUEST_TEXT_SIZE];
    CopyCut(szAsked, sizeof szAsked, szWanted[0] != '\0' ? szWanted : pszName);
    AskSafeName(szAsked);
    szAsked[TE_MAX_BLOCK_NAME] = '\0';
    // A device that does not answer cannot keep two blocks of this editor
    // from sharing a name; nor can one that does not know this editor's
    // blocks still waiting to be sent.
    if (FindBlock(szAsked) != nullptr)
        CopyCut(pszName, HOSTINFO_NAME_SIZE, LocalFreeName(szAsked).c_str());
    else
        CopyCut(pszName, HOSTINFO_NAME_SIZE, szAsked);
}

void CTEDocument::RenameBlock(CTETrackObject* pBlock, const char* pszName)
{
    CopyCut(pBlock->HOSTINFO::m_szName, sizeof pBlock->HOSTINFO::m_szName, pszName);
    pBlock->CTrackObject::m_szName.AssignCut(pszName);
    // The live-value channels carry the name.
    for (auto* pList : {pBlock->m_pFunctionKeywords.get(), pBlock->m_pConnectionKeywords.get(),
                        pBlock->m_pOnlineKeywords.get(), pBlock->m_pValueKeywords.get()})
        a_EmptyStringList(pList);
    for (auto* pList : {pBlock->m_pFunctionRequests.get(), pBlock->m_pConnectionRequests.get(),
                        pBlock->m_pOnlineRequests.get(), pBlock->m_pValueRequests.get()})
        a_EmptyRequestList(pList);
    BuildBlockChannels(pBlock);
    pBlock->m_bDirty = TRUE;
}

// ---- The block's side of the device -----------------------------------------------------

BOOL CTEDocument::BuildBlockChannels(CTETrackObject* pBlock)
{
    if (m_pDialog == nullptr)
        return FALSE;
    const char* pszName = pBlock->CTrackObject::m_szName;
    AddBlockChannel(m_pDialog, "TE.%s.function", pszName, pBlock->m_pFunctionKeywords.get(),
                    pBlock->m_pFunctionRequests.get());
    AddBlockChannel(m_pDialog, "TE.%s.connection", pszName, pBlock->m_pConnectionKeywords.get(),
                    pBlock->m_pConnectionRequests.get());
    AddBlockChannel(m_pDialog, "TE.%s.online", pszName, pBlock->m_pOnlineKeywords.get(),
                    pBlock->m_pOnlineRequests.get());
    AddBlockChannel(m_pDialog, "TE.%s.Value", pszName, pBlock->m_pValueKeywords.get(),
                    pBlock->m_pValueRequests.get());
    return TRUE;
}

STRINGLIST* CTEDocument::DeviceNames() const
{
    return m_pDialog != nullptr ? m_pDialog->DeviceNames() : nullptr;
}

int CTEDocument::GetDialogText(char* pszText, int cbText) const
{
    if (cbText <= 0)
        return 0;
    pszText[0] = '\0';
    if (m_pDialog == nullptr || m_pDialog->m_hWnd == nullptr)
        return 0;
    return ::GetWindowText(m_pDialog->m_hWnd, pszText, cbText);
}

HOSTINFO* CTEDocument::PageRecord() const
{
    return m_pPage != nullptr ? m_pPage->GetPageRecord() : nullptr;
}

// ---- Creating blocks ----------------------------------------------------------------------

CTETrackObject* CTEDocument::ConstructBlock(const char* pszTypeKey, int x, int y, const char* pszWanted)
{
    TETypeKey key;
    if (!TEParseTypeKey(pszTypeKey, &key))
        return nullptr;
    const char* pszText = key.strParameter.c_str();
    try {
        switch (key.nKind) {
        case TE_PROC_IN:
            return new CTEProcIN(x, y, this, key.nNumber, pszWanted);
        case TE_PROC_OUT:
            return new CTEProcOUT(x, y, this, key.nNumber, pszWanted);
        case TE_PROC_CALIN:
            return new CTEProcCalIN(x, y, this, key.nNumber, pszWanted);
        case TE_PROC_FUNC:
            return new CTEProcFUNC(x, y, this, key.nNumber, pszText, pszWanted);
        case TE_PROC_RTC:
            return new CTEProcRTC(x, y, this, key.nNumber, pszText, pszWanted);
        }
    } catch (CException* e) {
        // Too many pins, a negative input count, or no memory left.
        e->Delete();
    }
    return nullptr;
}

int CTEDocument::CreateBlock(const char* pszTypeKey, int x, int y, int, int, char* pszName, int nIndex)
{
    TETypeKey key;
    if (!OnCanvas(x, y) || !TEParseTypeKey(pszTypeKey, &key))
        return -1;
    std::unique_ptr<CTETrackObject> pBlock(ConstructBlock(pszTypeKey, x, y, pszName));
    if (pBlock == nullptr)
        return -1;
    try {
        BuildBlockChannels(pBlock.get());
    } catch (CException* e) {
        e->Delete();
        return -1;
    }
    MarkModified();

    CTETrackObject* pNew = pBlock.get();
    if (nIndex < 0 || nIndex > m_DisplayList.GetSize())
        nIndex = static_cast<int>(m_DisplayList.GetSize());
    m_DisplayList.InsertAt(nIndex, pNew);
    if (x < 0 && y < 0) {
        PlaceBlock(pNew);
        // The device learns where the block landed, so that no reload and
        // no other editor places it again, perhaps elsewhere.
        pNew->m_bMoved = m_bLoading;
    }
    INT_PTR nResult = m_BlockList.Add(pBlock.release());
    if (m_pReloadIndex != nullptr)
        m_pReloadIndex->AddBlock(pNew);
    if (!m_bLoading)
        AnnounceBlock(pNew, TEFormatTypeKey(key));
    if (pszName != nullptr)
        CopyCut(pszName, HOSTINFO_NAME_SIZE, pNew->CTrackObject::m_szName);
    return static_cast<int>(nResult);
}

bool CTEDocument::AnnounceBlock(CTETrackObject* pBlock, const std::string& strTypeKey)
{
    const char* pszName = pBlock->CTrackObject::m_szName;
    auto send = [&] {
        const CRect& rc = pBlock->m_rcPos;
        return SendText(TE_SETPROC, TEFormatProcRecord(strTypeKey.c_str(), pszName, rc.left, rc.top)) == REQUEST_OK;
    };
    bool bSent = send();
    if (!bSent) {
        // Another editor may have taken the name since it was settled.
        char szName[REQUEST_TEXT_SIZE];
        CopyCut(szName, sizeof szName, pszName);
        if (AskSafeName(szName) && std::strcmp(szName, pszName) != 0 &&
            std::strlen(szName) <= TE_MAX_BLOCK_NAME && FindBlock(szName) == nullptr) {
            RenameBlock(pBlock, szName);
            bSent = send();
        }
    }
    if (bSent) {
        m_UnsentBlocks.erase(pBlock);
        pBlock->m_bMoved = FALSE;  // the record carried the position
        m_bLinesStale |= m_Mirror.LinesAnchorOn(pszName);
        m_DeletedBlockNames.erase(pszName);
    } else {
        m_UnsentBlocks[pBlock] = strTypeKey;
        UpdateNotice();
    }
    return bSent;
}

CTrackObject* CTEDocument::FirstBlockMeeting(const RECT& rc) const
{
    if (m_pReloadIndex != nullptr)
        return m_pReloadIndex->FirstBlockMeeting(rc);
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
        CRect meet;
        if (meet.IntersectRect(&rc, &m_BlockList[i]->m_rcPos))
            return m_BlockList[i];
    }
    return nullptr;
}

// A block that comes without a position starts near the top of the page,
// left of its middle, and slides down past every block it would cover.
void CTEDocument::PlaceBlock(CTrackObject* pBlock)
{
    UINT grid = m_pPage != nullptr ? std::min(m_pPage->GetGridStep(), kMaxPlacementGrid) : 0;
    int g = static_cast<int>(grid);
    int nPageWidth = m_pPage != nullptr ? m_pPage->GetRecordedPageWidth() : 0;
    nPageWidth = std::clamp(nPageWidth, -TE_MAX_CANVAS_COORD, TE_MAX_CANVAS_COORD);
    CRect rc = pBlock->m_rcPos;

    int x0 = (nPageWidth - 2 * g - rc.Width() / 2 - kPlacementPaletteRoom) / 2;
    if (x0 < 0)
        x0 = 4 * g;
    rc.MoveToXY(SnapToGrid(x0, 2 * g, grid));
    while (CTrackObject* pOther = FirstBlockMeeting(rc)) {
        CRect overlap;
        overlap.IntersectRect(&rc, &pOther->m_rcPos);
        int nDown = SnapToGrid(overlap.bottom - rc.top, 0, grid).x;
        rc.OffsetRect(0, 2 * g + nDown);
    }
    pBlock->SetPosition(rc);
}

// ---- Deleting blocks ----------------------------------------------------------------------

void CTEDocument::ForgetBlock(const CTrackObject* pBlock)
{
    // A branch line may have taken its parent's block without holding one of
    // its pins, so the block's own farewell does not reach it.
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
        CLineItem* pLine = m_LineList[i];
        if (pLine->m_pSource == pBlock)
            pLine->m_pSource = nullptr;
        if (pLine->m_pTarget == pBlock)
            pLine->m_pTarget = nullptr;
    }
}

int CTEDocument::DeleteBlock(CTrackObject* pBlock)
{
    if (pBlock == nullptr)
        return 0;
    INT_PTR nBlock = IndexOf(m_BlockList, pBlock);
    INT_PTR nDisplay = IndexOf(m_DisplayList, pBlock);
    if (nBlock < 0 && nDisplay < 0)
        return 0;
    MarkModified();
    if (nDisplay >= 0)
        m_DisplayList.RemoveAt(nDisplay);
    if (nBlock >= 0)
        m_BlockList.RemoveAt(nBlock);
    // A block the device never took is no business of the device's.
    if (m_UnsentBlocks.erase(pBlock) == 0 && !m_bLoading && AnnounceDelete(TE_DELPROC, pBlock->m_szName)) {
        m_bLinesStale |= m_Mirror.LinesAnchorOn(pBlock->m_szName.c_str());
        m_DeletedBlockNames.insert(pBlock->m_szName.c_str());
    }
    ForgetBlock(pBlock);
    delete pBlock;
    return 1;
}

CRect CTEDocument::FreeAllBlocks()
{
    CRect area(0, 0, 0, 0);
    if (m_BlockList.IsEmpty())
        return area;
    MarkModified();
    std::unordered_set<const CTrackObject*> freed(m_BlockList.GetData(), m_BlockList.GetData() + m_BlockList.GetSize());
    INT_PTR nKept = 0;
    for (INT_PTR i = 0; i < m_DisplayList.GetSize(); ++i) {
        if (freed.count(m_DisplayList[i]) == 0)
            m_DisplayList[nKept++] = m_DisplayList[i];
    }
    m_DisplayList.SetSize(nKept);
    for (INT_PTR i = 0; i < m_BlockList.GetSize(); ++i) {
        CRect rc = BlockArea(m_BlockList[i]);
        area.UnionRect(&area, &rc);
        delete m_BlockList[i];
    }
    m_BlockList.RemoveAll();
    m_UnsentBlocks.clear();
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i) {
        CLineItem* pLine = m_LineList[i];
        if (freed.count(pLine->m_pSource) != 0)
            pLine->m_pSource = nullptr;
        if (freed.count(pLine->m_pTarget) != 0)
            pLine->m_pTarget = nullptr;
    }
    return area;
}

void CTEDocument::Clear()
{
    // Blocks go first: on the way out they clear their lines' references to
    // them, so the lines must still be there.
    std::unordered_set<CTrackObject*> blocks(m_BlockList.GetData(), m_BlockList.GetData() + m_BlockList.GetSize());
    blocks.insert(m_DisplayList.GetData(), m_DisplayList.GetData() + m_DisplayList.GetSize());
    m_BlockList.RemoveAll();
    m_DisplayList.RemoveAll();
    for (CTrackObject* pBlock : blocks)
        delete pBlock;
    for (INT_PTR i = 0; i < m_LineList.GetSize(); ++i)
        delete m_LineList[i];
    m_LineList.RemoveAll();
    ForgetUnsent();
    m_Mirror.Clear();
    m_DeletedBlockNames.clear();
    m_bProgramRead = false;
}
