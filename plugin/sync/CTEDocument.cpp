#include "sync/CTEDocument.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "windows.h"

#include "blocks/CTETrackObject.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEPageLink.h"

namespace {

// Keyword texts of a block's channels are allocated at this size.
constexpr size_t kBlockKeywordSize = 1024;

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

}  // namespace

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
