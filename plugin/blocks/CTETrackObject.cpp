#include "blocks/CTETrackObject.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "blocks/BlockFace.h"
#include "sync/CTEDocument.h"

IMPLEMENT_DYNAMIC(CTETrackObject, CTrackObject)

namespace {

constexpr int kBlockWidth = 60;
constexpr int kBaseHeight = 20;
// Every kind resizes no lower than this, even a function block drawn lower.
constexpr int kKindMinHeight = 25;

// Block pins: the first 7 pixels below the top, one every 10 pixels.
constexpr int kPinTop = 7;
constexpr int kPinStep = 10;
constexpr int kInputPinOut = 3;
constexpr int kOutputPinIn = 4;

// "a.b", cut to TE_TEXT_SIZE - 1 characters: the texts are shown, never
// sent.
std::string JoinWithPoint(const char* a, const char* b)
{
    std::string joined = std::string(a) + '.' + b;
    joined.resize(std::min(joined.size(), static_cast<size_t>(TE_TEXT_SIZE - 1)));
    return joined;
}

template <class T>
std::unique_ptr<T> NewList()
{
    // The framework reports exhausted memory with its own exception.
    try {
        return std::make_unique<T>();
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}

}  // namespace

CTETrackObject::CTETrackObject(int x, int y, UINT nInputs, UINT nOutputs, int nKind)
    : CTrackObject(x, y, nInputs, nOutputs, TE_OBJECT_TYPE),
      m_nKind(nKind),
      m_pConnectionKeywords(NewList<STRINGLIST>()),
      m_pConnectionRequests(NewList<REQUESTLIST>()),
      m_pFunctionKeywords(NewList<STRINGLIST>()),
      m_pFunctionRequests(NewList<REQUESTLIST>()),
      m_pOnlineKeywords(NewList<STRINGLIST>()),
      m_pOnlineRequests(NewList<REQUESTLIST>()),
      m_pValueKeywords(NewList<STRINGLIST>()),
      m_pValueRequests(NewList<REQUESTLIST>())
{
    m_rcPos.SetRect(x, y, x + kBlockWidth, y + kBaseHeight);
    m_sizeLimit.SetSize(kBlockWidth, kBaseHeight);
}

CTETrackObject::~CTETrackObject()
{
    a_EmptyStringList(&m_StringList);
    a_EmptyStringList(m_pFunctionKeywords.get());
    a_EmptyRequestList(m_pFunctionRequests.get());
    a_EmptyStringList(m_pConnectionKeywords.get());
    a_EmptyRequestList(m_pConnectionRequests.get());
    a_EmptyStringList(m_pOnlineKeywords.get());
    a_EmptyRequestList(m_pOnlineRequests.get());
    a_EmptyStringList(m_pValueKeywords.get());
    a_EmptyRequestList(m_pValueRequests.get());
}

void CTETrackObject::InitializeBlock(CTEDocument* pDocument, int nWidth, int nHeight, const char* pszDefaultName,
                                     const char* pszWanted)
{
    m_pDocument = pDocument;
    a_InitializeHostinfo(nullptr, this, pDocument != nullptr ? pDocument->PageRecord() : nullptr);
    m_rcPos.SetRect(m_rcPos.left, m_rcPos.top, m_rcPos.left + nWidth, m_rcPos.top + nHeight);
    m_sizeLimit.SetSize(kBlockWidth, kKindMinHeight);
    std::snprintf(HOSTINFO::m_szName, sizeof HOSTINFO::m_szName, "%s", pszDefaultName);
    if (pDocument != nullptr)
        pDocument->SettleBlockName(HOSTINFO::m_szName, pszWanted);
    CTrackObject::m_szName.AssignCut(HOSTINFO::m_szName);
    LayoutPins();
}

// ---- Device link ---------------------------------------------------------------------------

int CTETrackObject::WriteLink(REQUESTLIST* pRequests, const char* pszItem, CTEText* pField, const char* text)
{
    // A text the field cannot hold whole is refused rather than cut.
    if (text == nullptr || std::strlen(text) >= TE_TEXT_SIZE)
        return 0;
    // The host library may answer into the buffer it was given.
    char szRequest[REQUEST_TEXT_SIZE];
    std::strcpy(szRequest, text);
    int status = 0;
    // The host's list answers a write when any device took it; several
    // devices each get it on their own, so one that missed it is known.
    if (m_pDocument == nullptr || !m_pDocument->WriteMirroredLink(CTrackObject::m_szName, pszItem, text, &status))
        a_SendRequest(pRequests, REQUEST_WRITE, DATATYPE_TEXT, szRequest, &status);
    if (status == REQUEST_FAILED)
        return 0;
    pField->Assign(text);
    return 1;
}

void CTETrackObject::ReadLink(REQUESTLIST* pRequests, CTEText* pField)
{
    // The host library answers into a buffer of REQUEST_TEXT_SIZE bytes.
    char szAnswer[REQUEST_TEXT_SIZE];
    std::strcpy(szAnswer, *pField);
    int status = 0;
    a_SendRequest(pRequests, REQUEST_READ, DATATYPE_TEXT, szAnswer, &status);
    pField->AssignCut(szAnswer);
}

void CTETrackObject::ComposeFullConnection()
{
    m_szFullConnection.AssignCut(JoinWithPoint(m_szConnection, m_szFunction).c_str());
}

int CTETrackObject::SetFunction(const char* text)
{
    if (!WriteLink(m_pFunctionRequests.get(), "function", &m_szFunction, text))
        return 0;
    if (m_szFunction.empty()) {
        m_szFullConnection.Clear();
        m_bAssigned = FALSE;
        return 0;
    }
    if (!m_szConnection.empty())
        m_bAssigned = TRUE;
    ComposeFullConnection();
    return 1;
}

int CTETrackObject::SetConnection(const char* text)
{
    if (!WriteLink(m_pConnectionRequests.get(), "connection", &m_szConnection, text))
        return 0;
    if (m_szConnection.empty()) {
        m_szFullConnection.Clear();
        m_bAssigned = FALSE;
        return 0;
    }
    if (!m_szFunction.empty())
        m_bAssigned = TRUE;
    ComposeFullConnection();
    return 1;
}

int CTETrackObject::IsNamed(const char* name)
{
    return name != nullptr && std::strcmp(name, CTrackObject::m_szName) == 0;
}

int CTETrackObject::ReadValue(BOOL* pChanged)
{
    double value = m_fValue;
    int status = 0;
    a_SendRequest(m_pValueRequests.get(), REQUEST_READ, DATATYPE_DOUBLE, &value, &status);
    if (status == REQUEST_OK) {
        m_fValue = static_cast<float>(value);
        return 1;
    }
    if (status > REQUEST_OK)
        *pChanged = TRUE;
    return 0;
}

int CTETrackObject::ReadValueMarkingNews()
{
    BOOL bChanged = FALSE;
    int result = ReadValue(&bChanged);
    if (result == 1 || bChanged)
        m_bDirty = TRUE;
    return result;
}

void CTETrackObject::RefreshLink()
{
    ReadLink(m_pConnectionRequests.get(), &m_szConnection);
    ReadLink(m_pFunctionRequests.get(), &m_szFunction);
    if (m_szFunction.empty() || m_szConnection.empty()) {
        m_szFullConnection.Clear();
        m_bAssigned = FALSE;
    } else {
        // The full text is composed only when the user binds a link.
        m_bAssigned = TRUE;
    }
}

// ---- Canvas behaviour -------------------------------------------------------------------

void CTETrackObject::LayoutPins()
{
    // Block pins carry no labels: their zero-filled labels stay empty.
    for (UINT i = 0; i < m_nInputs; ++i) {
        int left = m_rcPos.left - kInputPinOut;
        int top = m_rcPos.top + kPinTop + kPinStep * static_cast<int>(i);
        m_pInputs[i].m_rcPin = {left, top, left + TRACKPIN_SIZE, top + TRACKPIN_SIZE};
    }
    for (UINT j = 0; j < m_nOutputs; ++j) {
        int left = m_rcPos.right - kOutputPinIn;
        int top = m_rcPos.top + kPinTop + kPinStep * static_cast<int>(j);
        m_pOutputs[j].m_rcPin = {left, top, left + TRACKPIN_SIZE, top + TRACKPIN_SIZE};
    }
}

void CTETrackObject::OnDoubleClick(UINT, HOSTINFO* pOwner)
{
    ShowPropertyWindow(pOwner);
}

void CTETrackObject::DrawPins(CDC* pDC, BOOL)
{
    DrawPinRows(pDC, TRUE, m_crPin, m_crPin);
}

BOOL CTETrackObject::HasTooltip()
{
    // Input, clock and output blocks show their link; function and
    // calibrated input blocks have none to show.
    return m_nKind == 1 || m_nKind == 2 || m_nKind > 16;
}

int CTETrackObject::GetTooltipText(char* dst)
{
    const std::string joined = JoinWithPoint(m_szConnection, m_szFunction);
    std::memcpy(dst, joined.c_str(), joined.size() + 1);
    return 1;
}

void CTETrackObject::DrawBlockFrame(CDC* pDC, const char* pszCaption, POINT ptCaption, const char* pszValue,
                                    POINT ptValue)
{
    DrawTracker(pDC);
    int w = m_rcPos.Width();
    int h = m_rcPos.Height();
    if (w > 0 && h > 0) {
        CBlockFace face(pDC, m_rcPos);
        CDC* pFaceDC = face.DC();
        DrawBody(pFaceDC);
        pFaceDC->SelectObject(CFont::FromHandle(m_hFonts[FONT_SMALL_5]));
        pFaceDC->SetBkMode(TRANSPARENT);
        pFaceDC->TextOut(ptCaption.x, ptCaption.y, pszCaption);
        if (pszValue != nullptr) {
            pFaceDC->SelectObject(CFont::FromHandle(m_hFonts[FONT_SMALL_7]));
            pFaceDC->TextOut(ptValue.x, ptValue.y, pszValue);
        }
    }
    DrawPins(pDC, TRUE);
}
