#include "CUITaskEngine.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

#include "blocks/CTETrackObject.h"
#include "blocks/CanvasUtils.h"
#include "canvas/CUITaskEngineView.h"
#include "commctrl.h"
#include "shell/CMainDlgHost.h"
#include "shell/OvintaResources.h"
#include "sync/CTEDocument.h"

namespace {

// The palette frame keeps this rectangle on the page whatever the page's size;
// the view starts right of it.
const RECT kPaletteFrameRect = {1, 1, 201, 439};
constexpr int kViewLeft = 205;
constexpr int kViewTop = 1;
const RECT kInitialViewRect = {kViewLeft, kViewTop, 805, 401};
const CSize kObjectBarSize(200, 438);
constexpr UINT kObjectBarId = 40002;
constexpr UINT kViewId = 4002;
// WS_CHILD | WS_VISIBLE | CBRS_TOP
constexpr DWORD kObjectBarStyle = 0x50002800;
// CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED: the bar neither docks nor floats.
constexpr DWORD kObjectBarFixedStyle = 0x32;
// WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX.
constexpr DWORD kFrameBorderStyle = 0x00CF0000;
// WS_EX_STATICEDGE, WS_EX_CLIENTEDGE, WS_EX_WINDOWEDGE.
constexpr DWORD kFrameBorderExStyle = 0x00020300;
constexpr UINT kFrameRestyleFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
// A style change alone leaves the old border in place: the frame must
// measure its non-client area again, and lay its bar out in the client area
// that this frees.
constexpr UINT kFrameChangedFlags = kFrameRestyleFlags | SWP_NOACTIVATE | SWP_FRAMECHANGED;

constexpr int kParameterTextSize = 512;

}  // namespace

CUITaskEngine::CUITaskEngine(CWnd* pParent) : CDialog(IDD_UITASKENGINE, pParent)
{
    std::strcpy(m_szName, "TE");
    std::strcpy(m_szTabName, "TaskEngine");
    std::strcpy(m_szPaletteFile, "Controls\\Interpreter.xml");
}

CUITaskEngine::~CUITaskEngine()
{
    delete m_pView;
}

void CUITaskEngine::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TASKENGINE_PARAMETER, m_btnParameter);
}

LRESULT CUITaskEngine::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_APP:
        return OnMessage(static_cast<unsigned>(wParam), lParam);
    case WM_APP + 1:
        return OnLoad(static_cast<unsigned>(wParam), lParam);
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CUITaskEngine::OnInitDialog()
{
    CDialog::OnInitDialog();
    LayoutView();
    CreatePalette();
    CreateView();
    BindTracker();
    return TRUE;
}

void CUITaskEngine::CreatePalette()
{
    m_pFrame = new CFrameWnd;
    if (!m_pFrame->Create(nullptr, "X", WS_CHILD | WS_VISIBLE, kPaletteFrameRect, this, nullptr, 0, nullptr)) {
        // A frame without a window never reaches PostNcDestroy.
        delete m_pFrame;
        m_pFrame = nullptr;
        return;
    }
    m_pFrame->EnableDocking(0);
    m_wndObjectBar.CreateBarSized("Cards", m_pFrame, kObjectBarSize, FALSE, kObjectBarId, kObjectBarStyle);

    COutlookBar& palette = m_wndObjectBar.m_wndOutlookBar;
    if (m_pDocument && m_pDocument->m_pDialog)
        palette.SetTraceWindow(m_pDocument->m_pDialog->m_hTraceWnd);
    palette.LoadPalette(a_MakeFullPathName(nullptr, m_szPaletteFile).c_str(), "objectbar", "normalmode");
    palette.SetCurrentFolder(0);

    m_wndObjectBar.SetBarStyle(m_wndObjectBar.GetBarStyle() | kObjectBarFixedStyle);
    m_wndObjectBar.EnableDocking(0);
    ::InvalidateRect(m_wndObjectBar.m_hWnd, nullptr, TRUE);
    m_pFrame->ShowControlBar(&m_wndObjectBar, TRUE, FALSE);
    m_pFrame->ModifyStyle(kFrameBorderStyle, 0, kFrameRestyleFlags);
    m_pFrame->ModifyStyleEx(kFrameBorderExStyle, 0, kFrameRestyleFlags);
    m_pFrame->SetWindowPos(nullptr, 0, 0, 0, 0, kFrameChangedFlags);
}

void CUITaskEngine::CreateView()
{
    m_pView = new CUITaskEngineView;
    m_pView->SetPage(this);
    if (!m_pView->Create(nullptr, "Y", WS_CHILD | WS_VISIBLE, kInitialViewRect, this, kViewId, nullptr)) {
        delete m_pView;
        m_pView = nullptr;
        return;
    }
    m_pView->OnInitialUpdate();
    m_pView->SetFocus();
}

void CUITaskEngine::BindTracker()
{
    m_ObjectTracker.SetDocument(m_pDocument);
    if (m_pView)
        m_ObjectTracker.SetView(m_pView);
    m_ObjectTracker.SetGridPointer(&m_Grid.m_nGridStep);
    if (m_pDocument) {
        m_ObjectTracker.SetObjectList(&m_pDocument->m_DisplayList);
        m_ObjectTracker.SetLineList(&m_pDocument->m_LineList);
    }
}

void CUITaskEngine::LayoutView()
{
    if (!m_pView || !m_pView->m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_pView->MoveWindow(kViewLeft, kViewTop, client.Width() - kViewLeft - 1, client.Height() - 2 * kViewTop, TRUE);
}

void CUITaskEngine::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayoutView();
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (GetWindowPlacement(&placement))
        m_rcNormal = placement.rcNormalPosition;
}

void CUITaskEngine::OnDestroy()
{
    // The tracker lets go of the view (and its tooltip) before it goes.
    m_ObjectTracker.SetView(nullptr);
    delete m_pView;
    m_pView = nullptr;
    CDialog::OnDestroy();
}

void CUITaskEngine::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pView)
        m_pView->OnKeyDown(nChar, nRepCnt, nFlags);
}

void CUITaskEngine::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pView)
        m_pView->OnKeyUp(nChar, nRepCnt, nFlags);
}

BOOL CUITaskEngine::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_TASKENGINE_PARAMETER && HIWORD(wParam) == BN_CLICKED) {
        OnParameterButton();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CUITaskEngine::OnParameterButton()
{
    char text[kParameterTextSize];
    std::snprintf(text, sizeof text, "*parameterdlg=%s", m_szName);
    HOSTINFO* root = a_FindRootHostinfo(this);
    if (root && root->m_hWnd)
        ::SendMessage(root->m_hWnd, WM_APP + 1, 0, reinterpret_cast<LPARAM>(text));
}

void CUITaskEngine::RepaintChangedBlocks()
{
    if (m_pView && m_pView->m_hWnd)
        m_pView->SendMessage(WM_TEVIEW_REPAINT_CHANGED, 0, 0);
}

long CUITaskEngine::InvalidateCanvasRect(RECT* rect, BOOL bErase)
{
    if (!rect || !m_pView || !m_pView->m_hWnd)
        return 0;
    ViewLPtoDP(m_pView, rect);
    m_pView->InvalidateRect(rect, bErase);
    return 1;
}

void CUITaskEngine::OnProgramReplaced(BOOL bBlocks, BOOL bLines)
{
    m_ObjectTracker.ForgetReplaced(bBlocks, bLines);
}

void CUITaskEngine::OnSyncNoticeChanged()
{
    if (m_pView != nullptr)
        m_pView->ShowSyncNotice();
}

void CUITaskEngine::InitializeTab(HOSTINFO* parent, char* name)
{
    a_InitializeHostinfo(CWnd::m_hWnd, this, parent);
    if (!name)
        return;
    std::strncpy(m_szName, name, HOSTINFO_NAME_SIZE - 1);
    m_szName[HOSTINFO_NAME_SIZE - 1] = '\0';
}

long CUITaskEngine::OnLoad(unsigned, long parameter)
{
    const char* text = reinterpret_cast<const char*>(parameter);
    if (!text)
        return 0;
    char keyword[REQUEST_TEXT_SIZE];
    char value[REQUEST_TEXT_SIZE];
    a_GetKeyword(text, keyword);
    a_GetParameter(text, value);
    if (std::strcmp(keyword, "TEProc") == 0)
        return DropBlock(value);
    if (std::strcmp(keyword, "function") == 0)
        return BindToBlock(value, true);
    if (std::strcmp(keyword, "connection") == 0)
        return BindToBlock(value, false);
    return 0;
}

long CUITaskEngine::OnMessage(unsigned, long parameter)
{
    const auto* message = reinterpret_cast<const KeywordMessage*>(parameter);
    if (!message || !message->m_pData)
        return 0;
    return strcasecmp(message->m_pData, "function") == 0 ? 1 : 0;
}

BOOL CUITaskEngine::CursorOnCanvas(CPoint* pPoint) const
{
    if (!m_pView || !m_pView->m_hWnd)
        return FALSE;
    POINT point;
    ::GetCursorPos(&point);
    m_pView->ScreenToClient(&point);
    ViewDPtoLP(m_pView, &point);
    *pPoint = point;
    return TRUE;
}

long CUITaskEngine::DropBlock(const char* pszTypeKey)
{
    if (!m_pDocument)
        return -1;
    HCURSOR hPrevious = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    CPoint point;
    if (!CursorOnCanvas(&point))
        point = CPoint(0, 0);
    POINT snapped;
    SnapToGrid(&snapped, point.x, point.y, m_Grid.m_nGridStep);
    long result = m_pDocument->CreateBlock(pszTypeKey, snapped.x, snapped.y, 0, 0, nullptr, -1);
    ::SetCursor(hPrevious);
    if (m_pView) {
        m_pView->UpdateScrollSizes();
        // The document leaves the new block to the next tick's repaint of
        // changed blocks, which never comes for a block whose value the
        // device does not answer: the drop shows it at once.
        if (result >= 0 && result < m_pDocument->m_BlockList.GetSize())
            InvalidateObject(m_pView, m_pDocument->m_BlockList[result]);
    }
    return result;
}

long CUITaskEngine::BindToBlock(const char* pszText, bool bFunction)
{
    CPoint point;
    if (!CursorOnCanvas(&point))
        return 1;
    auto* block = dynamic_cast<CTETrackObject*>(m_ObjectTracker.ObjectAt(point.x, point.y));
    if (block) {
        if (bFunction)
            block->SetFunction(pszText);
        else
            block->SetConnection(pszText);
        // A block with both links shows its value; one that lost a link no
        // longer does.
        InvalidateObject(m_pView, block);
    }
    return 1;
}
