#include "CUIMainDlg.h"

#include <cstdio>

#include "blocks/CTrackObject.h"
#include "canvas/CUITaskEngine.h"
#include "commctrl.h"
#include "shell/OvintaResources.h"
#include "sync/CTEDocument.h"

IMPLEMENT_DYNCREATE(CUIMainDlg, CDialog)

namespace {

// The main dialog opens at this size, with the tab control at this size
// inside it, and can be made no smaller than the minimum.
constexpr int kInitialWidth = 1024;
constexpr int kInitialHeight = 768;
constexpr int kInitialTabWidth = 800;
constexpr int kInitialTabHeight = 600;
constexpr int kMinimumWidth = 600;
constexpr int kMinimumHeight = 400;

// Margins of the tab control in the dialog and of a page in the tab control.
constexpr int kTabMargin = 5;
constexpr int kPageLeft = 10;
constexpr int kPageTop = 40;

}  // namespace

CUIMainDlg::CUIMainDlg() : m_pDocument(std::make_unique<CTEDocument>()) {}

CUIMainDlg::~CUIMainDlg() = default;

BOOL CUIMainDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return CDialog::Create(nIDTemplate, pParentWnd);
}

void CUIMainDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAINDLG_TAB, m_TabCtrl);
}

LRESULT CUIMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        return OnTimer(static_cast<unsigned>(wParam), lParam);
    case WM_APP:
        return OnMessage(static_cast<unsigned>(wParam), lParam);
    case WM_APP + 1:
        return OnLoad(static_cast<unsigned>(wParam), lParam);
    case WM_APP + 2:
        return OnSave(static_cast<unsigned>(wParam), lParam);
    case WM_APP + 3:
        return OnSaveToListCtrl(static_cast<unsigned>(wParam), lParam);
    case WM_APP_GETHOSTINFO:
        return reinterpret_cast<LRESULT>(static_cast<HOSTINFO*>(this));
    case WM_APP_RESERVED51:
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CUIMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_szName);
    RegisterHostinfo(CWnd::m_hWnd);

    SetWindowPos(nullptr, 0, 0, kInitialWidth, kInitialHeight, SWP_NOMOVE | SWP_NOZORDER);
    m_TabCtrl.MoveWindow(kTabMargin, kTabMargin, kInitialTabWidth, kInitialTabHeight);
    SetMinimumTrackSize(CSize(kMinimumWidth, kMinimumHeight));

    CreatePages();
    LabelPages();

    Layout();
    m_TabCtrl.SetCurSel(0);
    ShowSelectedPage();
    return TRUE;
}

void CUIMainDlg::CreatePages()
{
    auto page = std::make_unique<CUITaskEngine>(&m_TabCtrl);
    page->SetDocument(m_pDocument.get());
    m_pDocument->SetPage(page.get());
    m_pDocument->SetDialog(this);
    if (!page->Create(IDD_UITASKENGINE, &m_TabCtrl)) {
        // The page goes with this scope; the document must not keep it.
        m_pDocument->SetPage(nullptr);
        return;
    }
    m_pTaskEngine = page.get();
    m_Pages.push_back(std::move(page));
}

void CUIMainDlg::LabelPages()
{
    for (size_t i = 0; i < m_Pages.size(); ++i) {
        CDialog* page = m_Pages[i].get();
        page->ShowWindow(SW_HIDE);
        auto* tab = dynamic_cast<CTabDialog*>(page);
        if (!tab)
            continue;
        char tabName[TAB_NAME_SIZE];
        tab->GetTabName(tabName);
        m_TabCtrl.InsertItem(static_cast<int>(i), tabName);
        // The page cuts the title to its name field.
        char title[HOSTINFO_NAME_SIZE + TAB_NAME_SIZE + 3];
        std::snprintf(title, sizeof title, "%s - %s", m_szName, tabName);
        tab->InitializeTab(m_pParent, title);
    }
}

CDialog* CUIMainDlg::GetPage(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPageCount())
        return nullptr;
    return m_Pages[static_cast<size_t>(nIndex)].get();
}

void CUIMainDlg::Layout()
{
    CRect client;
    GetClientRect(&client);
    if (m_TabCtrl.m_hWnd)
        m_TabCtrl.MoveWindow(kTabMargin, kTabMargin, client.Width() - 2 * kTabMargin,
                             client.Height() - 2 * kTabMargin);
    for (auto& page : m_Pages)
        page->MoveWindow(kPageLeft, kPageTop, client.Width() - 2 * kPageLeft,
                         client.Height() - kPageTop - kPageLeft);
}

void CUIMainDlg::ShowSelectedPage()
{
    CDialog* selected = GetPage(m_TabCtrl.GetCurSel());
    if (!selected)
        return;
    for (auto& page : m_Pages)
        page->ShowWindow(SW_HIDE);
    selected->ShowWindow(SW_SHOW);
}

void CUIMainDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    ApplyMinMaxInfo(lpMMI);
}

void CUIMainDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    Layout();
}

BOOL CUIMainDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == static_cast<UINT_PTR>(IDC_MAINDLG_TAB) && header->code == TCN_SELCHANGE) {
        ShowSelectedPage();
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

long CUIMainDlg::OnTimer(unsigned, long)
{
    m_pDocument->Tick();
    if (m_TabCtrl.m_hWnd && m_TabCtrl.GetCurSel() == 0 && m_pTaskEngine && HasChangedBlocks())
        m_pTaskEngine->RepaintChangedBlocks();
    return 0;
}

BOOL CUIMainDlg::HasChangedBlocks() const
{
    const auto& blocks = m_pDocument->m_BlockList;
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i)
        if (blocks[i]->m_bDirty)
            return TRUE;
    return FALSE;
}

long CUIMainDlg::OnSystem(unsigned, long)
{
    return 0;
}

void CUIMainDlg::OnCancel()
{
    CDialog::OnCancel();
    DestroyWindow();
}

void CUIMainDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    // The document must not reach a page that is going away.
    m_pDocument->SetPage(nullptr);
    m_pTaskEngine = nullptr;
    for (auto& page : m_Pages)
        page->DestroyWindow();
    m_Pages.clear();
    EmptyChannels();
    UnregisterHostinfo();
    m_pDocument->Clear();
    m_pDocument.reset();
    if (m_pFreedFlag)
        *m_pFreedFlag = true;
    delete this;
}
