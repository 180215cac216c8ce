// COutlookBar: loading, layout and hit tests.
#include "palette/COutlookBar.h"

#include "palette/OutlookBarMetrics.h"
#include "palette/PaletteFile.h"

using namespace outlookbar;

COutlookBar::~COutlookBar() = default;

int COutlookBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (int result = CWnd::OnCreate(lpCreateStruct); result == -1)
        return result;
    m_ScrollBar.Create(WS_CHILD | SBS_VERT | SBS_RIGHTALIGN, CRect(0, 0, 40, 200), this, OUTLOOKBAR_SCROLLBAR_ID);
    WriteDefaultPaletteFile();
    m_pCurFolder = nullptr;
    RecalcLayout();
    return 0;
}

void COutlookBar::LoadPalette(const char* pszPath, const char* pszRoot, const char* pszMode)
{
    ReadPaletteFile(pszPath, pszRoot, pszMode, m_Folders, m_hTraceWnd);
    m_pCurFolder = m_Folders.empty() ? nullptr : m_Folders.back().get();
    // The hover pointers may name nothing after a relayout; the layout
    // resets them, and a window that exists is laid out now, so that no
    // rectangle of the old content is hit before the next size change.
    if (m_hWnd) {
        RecalcLayout();
        InvalidateRect(nullptr, TRUE);
    }
}

void COutlookBar::SetCurrentFolder(int nIndex)
{
    bool valid = nIndex >= 0 && size_t(nIndex) < m_Folders.size();
    m_pCurFolder = valid ? m_Folders[size_t(nIndex)].get() : nullptr;
    m_pHoverGroup = nullptr;
    m_pHoverItem = nullptr;
    if (m_hWnd) {
        m_ScrollBar.SetScrollPos(0, FALSE);
        RecalcLayout();
        InvalidateRect(nullptr, TRUE);
    }
}

void COutlookBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    if (!(lpwndpos->flags & SWP_NOSIZE))
        RecalcLayout();
}

void COutlookBar::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_rcItems = client;
    m_rcItems.DeflateRect(1, 1);

    // The current folder's button and those before it stack from the top;
    // the buttons after it stack up from the bottom.
    CRect above, below;
    CRect running(1, 1, client.right - 1, 1 + kButtonHeight);
    bool afterCurrent = false;
    for (size_t i = 0; i < m_Folders.size(); ++i) {
        PaletteFolder& folder = *m_Folders[i];
        folder.m_rcButton = running;
        ::UnionRect(afterCurrent ? &below : &above, afterCurrent ? &below : &above, &running);
        running.OffsetRect(0, kButtonHeight);
        if (&folder == m_pCurFolder) {
            int after = int(m_Folders.size() - i - 1);
            int top = client.bottom - kButtonHeight * after - 1;
            running = CRect(1, top, client.right - 1, top + kButtonHeight);
            afterCurrent = true;
        }
    }
    ::SubtractRect(&m_rcItems, &m_rcItems, &above);
    ::SubtractRect(&m_rcItems, &m_rcItems, &below);

    m_pHoverFolder = nullptr;
    if (!m_pCurFolder)
        return;
    m_pHoverGroup = nullptr;
    m_pHoverItem = nullptr;
    LayoutScrollBar(LayoutGroups(m_rcItems, 0));
}

void COutlookBar::LayoutScrollBar(int nContentEnd)
{
    int height = m_rcItems.Height();
    if (nContentEnd <= height) {
        m_ScrollBar.ShowWindow(SW_HIDE);
        return;
    }
    int width = GetSystemMetrics(SM_CYVSCROLL);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = nContentEnd;
    if (!(m_ScrollBar.GetStyle() & WS_VISIBLE)) {
        info.nPage = UINT(height);
        info.nPos = 0;
        m_ScrollBar.SetScrollInfo(&info, FALSE);
        m_ScrollBar.SetWindowPos(nullptr, m_rcItems.right - width, m_rcItems.top, width, height,
                                 SWP_NOZORDER | SWP_SHOWWINDOW);
        m_rcItems.right -= width;
        LayoutGroups(m_rcItems, 0);
        return;
    }
    m_rcItems.right -= width;
    int position = m_ScrollBar.GetScrollPos();
    LayoutGroups(m_rcItems, position);
    info.nPage = UINT(height - 1);
    info.nPos = position;
    m_ScrollBar.SetScrollInfo(&info, FALSE);
    m_ScrollBar.SetWindowPos(nullptr, m_rcItems.right, m_rcItems.top, width, height, SWP_NOZORDER);
}

int COutlookBar::LayoutGroups(CRect area, int nOffset)
{
    CRect running(area.left + kGroupMargin, area.top + kGroupMargin, area.right - kGroupMargin,
                  area.top + kGroupMargin + kHeaderHeight);
    running.OffsetRect(0, -nOffset);
    if (!m_pCurFolder)
        return running.top;
    for (auto& group : m_pCurFolder->m_Groups) {
        CRect rcGroup = running;
        int y = rcGroup.top;
        if (!group->m_strName.empty())
            y += kHeaderHeight;
        else
            rcGroup.bottom = rcGroup.top;
        for (auto& item : group->m_Items) {
            if (group->m_bExpanded) {
                item->m_rcItem = CRect(rcGroup.left, y, rcGroup.right, y + kItemHeight);
                rcGroup.bottom = y + kItemHeight;
                y += kItemHeight;
            } else {
                item->m_rcItem = CRect(rcGroup.left, y, rcGroup.right, y);
            }
        }
        group->m_rcGroup = rcGroup;
        running.OffsetRect(0, rcGroup.Height() + kGroupMargin);
    }
    return running.top;
}

PaletteFolder* COutlookBar::FolderFromPoint(CPoint point) const
{
    for (auto& folder : m_Folders)
        if (::PtInRect(&folder->m_rcButton, point))
            return folder.get();
    return nullptr;
}

PaletteGroup* COutlookBar::GroupFromPoint(CPoint point) const
{
    if (!m_pCurFolder)
        return nullptr;
    for (auto& group : m_pCurFolder->m_Groups)
        if (::PtInRect(&group->m_rcGroup, point))
            return group.get();
    return nullptr;
}

PaletteGroup* COutlookBar::GroupHeaderFromPoint(CPoint point) const
{
    if (!m_pCurFolder)
        return nullptr;
    for (auto& group : m_pCurFolder->m_Groups) {
        if (group->m_strName.empty())
            continue;
        CRect header = group->m_rcGroup;
        header.bottom = header.top + kHeaderHeight;
        if (header.PtInRect(point))
            return group.get();
    }
    return nullptr;
}

PaletteItem* COutlookBar::ItemFromPoint(const PaletteGroup* pGroup, CPoint point)
{
    if (!pGroup)
        return nullptr;
    for (auto& item : pGroup->m_Items)
        if (::PtInRect(&item->m_rcItem, point))
            return item.get();
    return nullptr;
}
