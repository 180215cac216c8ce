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
    char* pszKeyword = static_cast<char*>(std::calloc(kBlockKeywordSize, 1));
    if (pszKeyword == nullptr)
        AfxThrowMemoryException();
    std::snprintf(pszKeyword, kBlockKeywordSize, pszFormat, pszBlockName);
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
    a_SendRequest(&m_pDialog->Channel(channel).m_Requests, REQUEST_WRITE, DATATYPE_TEXT, szText, &status);
    if (pAnswer != nullptr)
        pAnswer->assign(szText);
    return status;
}

int CTEDocument::ReadCount(TEChannel channel)
{
    int nCount = 0;
    if (m_pDialog != nullptr)
        a_SendRequest(&m_pDialog->Channel(channel).m_Requests, REQUEST_READ, DATATYPE_INT, &nCount, nullptr);
    return nCount;
}

void CTEDocument::ReadRecords(TEChannel channel, STRINGLIST* pRecords)
{
    if (m_pDialog != nullptr)
        a_SendRequest(&m_pDialog->Channel(channel).m_Requests, REQUEST_READ, DATATYPE_STRINGLIST, pRecords, nullptr);
}

// ---- Names ------------------------------------------------------------------------------

char* CTEDocument::SafeProcName(const char* text)
{
    // One buffer for the module, as the host library hands answers back in
    // the caller's buffer.
    static char s_szSafeProcName[REQUEST_TEXT_SIZE];
    CopyCut(s_szSafeProcName, sizeof s_szSafeProcName, text);
    if (m_pDialog != nullptr) {
        int status = 0;
        a_SendRequest(&m_pDialog->Channel(TE_SAFEPROCNAME).m_Requests, REQUEST_READ, DATATYPE_TEXT,
                      s_szSafeProcName, &status);
    }
    return s_szSafeProcName;
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
    if (pszWanted == nullptr || *pszWanted == '\0') {
        CopyCut(pszName, HOSTINFO_NAME_SIZE, SafeProcName(pszName));
        return;
    }
    // A wanted name is held to the length of a block name before it is
    // compared, so that the name kept is the name checked.
    char szWanted[HOSTINFO_NAME_SIZE];
    CopyCut(szWanted, sizeof szWanted, pszWanted);
    if (FindBlock(szWanted) != nullptr)
        CopyCut(pszName, HOSTINFO_NAME_SIZE, SafeProcName(szWanted));
    else
        CopyCut(pszName, HOSTINFO_NAME_SIZE, szWanted);
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
    if (!OnCanvas(x, y))
        return -1;
    std::unique_ptr<CTETrackObject> pBlock(ConstructBlock(pszTypeKey, x, y, pszName));
    if (pBlock == nullptr)
        return -1;
    const char* pszBlockName = pBlock->CTrackObject::m_szName;
    if (!m_bLoading)
        SendText(TE_SETPROC, TEFormatProcRecord(pszTypeKey, pszBlockName, x, y));
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
    if (x < 0 && y < 0)
        PlaceBlock(pNew);
    INT_PTR nResult = m_BlockList.Add(pBlock.release());
    if (m_pReloadIndex != nullptr)
        m_pReloadIndex->AddBlock(pNew);
    if (pszName != nullptr)
        CopyCut(pszName, HOSTINFO_NAME_SIZE, pszBlockName);
    return static_cast<int>(nResult);
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
    if (!m_bLoading)
        SendText(TE_DELPROC, TEFormatDeleteText(pBlock->m_szName));
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
}
