// COutlookBar: painting through an off-screen bitmap, and the pieces the
// hover feedback redraws directly on the window.
#include "palette/COutlookBar.h"
#include "palette/OutlookBarMetrics.h"

using namespace outlookbar;

namespace {

constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kLeftAligned = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

CRect HeaderOf(const PaletteGroup& group)
{
    CRect header = group.m_rcGroup;
    header.bottom = header.top + kHeaderHeight;
    return header;
}

// The expand/collapse mark at the header's right end, in the text colour.
void DrawGlyph(CDC& dc, const CRect& header, bool bExpanded)
{
    CFont font;
    if (!font.CreatePointFont(MulDiv(100, 96, dc.GetDeviceCaps(LOGPIXELSX)), "Marlett"))
        return;
    CFont* old = dc.SelectObject(&font);
    const char* glyph = bExpanded ? "t" : "u";
    CRect measure(0, 0, 0, 0);
    dc.DrawText(glyph, &measure, DT_CALCRECT | DT_NOPREFIX);
    dc.TextOut(header.right - measure.Width(), header.top, glyph);
    dc.SelectObject(old);
}

// Clips to the horizontal band of the items area.
void ClipToBand(CDC& dc, const CRect& client, const CRect& area)
{
    dc.ExcludeClipRect(0, 0, client.right, area.top);
    dc.ExcludeClipRect(0, area.bottom, client.right, client.bottom);
}

}  // namespace

BOOL COutlookBar::OnEraseBkgnd(CDC*)
{
    return TRUE;  // the paint covers everything; erasing would flicker
}

void COutlookBar::DrawFolderButton(CDC& dc, const PaletteFolder& folder, bool bHovered, bool bFillFace) const
{
    CRect button = folder.m_rcButton;
    dc.Draw3dRect(&button, GetSysColor(COLOR_3DHILIGHT), bHovered ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNSHADOW));
    button.DeflateRect(1, 1);
    if (bFillFace)
        dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
    dc.SetTextColor(bHovered ? kHoverText : RGB(0, 0, 0));
    dc.DrawText(folder.m_strName.c_str(), &button, kCentred);
}

void COutlookBar::DrawGroupHeader(CDC& dc, const PaletteGroup& group, bool bHovered) const
{
    CRect header = HeaderOf(group);
    dc.FillSolidRect(&header, kHeaderBackground);
    dc.SetTextColor(bHovered ? kHoverText : kHeaderText);
    dc.DrawText(group.m_strName.c_str(), &header, kCentred);
    DrawGlyph(dc, header, group.m_bExpanded != 0);
}

void COutlookBar::DrawItemText(CDC& dc, const PaletteItem& item, bool bHovered)
{
    CRect text = item.m_rcItem;
    text.left += kItemTextInset;
    dc.SetTextColor(bHovered ? kItemHoverText : RGB(0, 0, 0));
    dc.DrawText(item.m_strName.c_str(), &text, kLeftAligned);
}

void COutlookBar::PaintItems(CDC& dc)
{
    dc.FillSolidRect(&m_rcItems, kAreaBackground);
    if (!m_pCurFolder)
        return;
    for (auto& group : m_pCurFolder->m_Groups) {
        if (!group->m_strName.empty())
            DrawGroupHeader(dc, *group, false);
        if (!group->m_bExpanded)
            continue;
        for (auto& item : group->m_Items) {
            dc.FillSolidRect(&item->m_rcItem, kItemBackground);
            DrawItemText(dc, *item, false);
            // An icon the host cannot give is asked for again next time.
            if (KIVOBitmap* bitmap = item->GetBitmap())
                bitmap->Draw(dc, item->m_rcItem.left + kIconInset, item->m_rcItem.top + kIconInset);
        }
    }
}

void COutlookBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height()))
        return;
    CBitmap* oldBitmap = memDC.SelectObject(&bitmap);
    CGdiObject* oldFont = memDC.SelectStockObject(DEFAULT_GUI_FONT);
    memDC.SetBkMode(TRANSPARENT);

    for (auto& folder : m_Folders)
        DrawFolderButton(memDC, *folder, false, true);
    ClipToBand(memDC, client, m_rcItems);
    PaintItems(memDC);
    CopyToWindow(dc, memDC, client);

    memDC.SelectObject(oldFont);
    memDC.SelectObject(oldBitmap);
}

// Copies the off-screen picture, leaving out a visible scroll bar, which
// paints itself.
void COutlookBar::CopyToWindow(CDC& dc, CDC& memDC, const CRect& client)
{
    const int W = client.Width();
    const int H = client.Height();
    if (!(m_ScrollBar.GetStyle() & WS_VISIBLE)) {
        dc.BitBlt(0, 0, W, H, &memDC, 0, 0, SRCCOPY);
        return;
    }
    const int w = GetSystemMetrics(SM_CYVSCROLL);
    const CRect& A = m_rcItems;
    dc.BitBlt(0, 0, W - w - 1, H, &memDC, 0, 0, SRCCOPY);
    dc.BitBlt(W - w - 2, 0, w + 2, A.top, &memDC, W - w - 2, 0, SRCCOPY);
    dc.BitBlt(W - w - 2, A.bottom, 22, H - A.bottom, &memDC, W - w - 2, A.bottom, SRCCOPY);
    dc.BitBlt(W - 2, A.top + 1, 2, A.bottom - A.top - 1, &memDC, W - 2, A.top + 1, SRCCOPY);
}

void COutlookBar::UpdateHover(CPoint point)
{
    CClientDC dc(this);
    CRect client;
    GetClientRect(&client);
    CGdiObject* oldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);

    PaletteFolder* folder = FolderFromPoint(point);
    if (folder != m_pHoverFolder) {
        if (m_pHoverFolder)
            DrawFolderButton(dc, *m_pHoverFolder, false, false);
        if (folder)
            DrawFolderButton(dc, *folder, true, false);
        m_pHoverFolder = folder;
    }

    ClipToBand(dc, client, m_rcItems);
    if (m_pCurFolder && m_rcItems.PtInRect(point)) {
        PaletteGroup* group = GroupFromPoint(point);
        if (group && group != m_pHoverGroup) {
            if (m_pHoverGroup && !m_pHoverGroup->m_strName.empty())
                DrawGroupHeader(dc, *m_pHoverGroup, false);
            if (m_pHoverItem)
                DrawItemText(dc, *m_pHoverItem, false);
            if (!group->m_strName.empty())
                DrawGroupHeader(dc, *group, true);
            m_pHoverGroup = group;
            m_pHoverItem = nullptr;
        }
    }
    if (m_pHoverGroup) {
        PaletteItem* item = ItemFromPoint(m_pHoverGroup, point);
        if (item != m_pHoverItem) {
            if (m_pHoverItem)
                DrawItemText(dc, *m_pHoverItem, false);
            if (item)
                DrawItemText(dc, *item, true);
            m_pHoverItem = item;
        }
    }
    dc.SelectObject(oldFont);
}
