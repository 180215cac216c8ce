// COutlookBar: folder switching, group toggling, dragging items out, and
// scrolling.
#include <algorithm>
#include <cstring>

#include "palette/COutlookBar.h"
#include "palette/OutlookBarMetrics.h"
#include "palette/PaletteDragCursor.h"

using namespace outlookbar;

namespace {

constexpr size_t kDropBufferSize = 4096;

}  // namespace

void COutlookBar::OnMouseMove(UINT, CPoint point)
{
    // While an item is dragged the pointer is elsewhere; no feedback here.
    if (GetCapture() != this)
        UpdateHover(point);
    Default();
}

void COutlookBar::OnLButtonDown(UINT, CPoint point)
{
    if (m_pHoverFolder) {
        SwitchFolder(m_pHoverFolder);
    } else if (!m_rcItems.PtInRect(point)) {
        // Groups scrolled under the buttons are not there for the user.
    } else if (PaletteGroup* header = GroupHeaderFromPoint(point)) {
        header->m_bExpanded = !header->m_bExpanded;
        RecalcLayout();
        InvalidateRect(nullptr, TRUE);
    } else if (PaletteItem* item = ItemFromPoint(GroupFromPoint(point), point)) {
        SetCursor(LoadPaletteDragCursor());
        SetCapture();
        m_strDragCommand = item->m_strCommand;
    }
    Default();
}

void COutlookBar::OnLButtonUp(UINT, CPoint)
{
    // Without the capture the press was not ours, or the drag was broken off.
    if (GetCapture() == this) {
        ReleaseCapture();
        POINT cursor{};
        GetCursorPos(&cursor);
        if (HWND target = ::WindowFromPoint(cursor)) {
            char buffer[kDropBufferSize] = {};
            size_t length = std::min(m_strDragCommand.size(), kDropBufferSize - 1);
            std::memcpy(buffer, m_strDragCommand.data(), length);
            ::SendMessage(target, WM_APP + 1, 0, reinterpret_cast<LPARAM>(buffer));
            ::SetFocus(target);
        }
        // The hover was left as the press found it; the pointer is now
        // wherever the drop was, mostly outside the bar.
        ScreenToClient(&cursor);
        UpdateHover(cursor);
    }
    Default();
}

void COutlookBar::SwitchFolder(PaletteFolder* pFolder)
{
    m_pCurFolder = pFolder;
    m_pHoverGroup = nullptr;
    m_pHoverItem = nullptr;
    AnimateFolderSwitch(pFolder->m_rcButton.bottom);
    m_ScrollBar.SetScrollPos(0, TRUE);
    RecalcLayout();
    InvalidateRect(nullptr, TRUE);
    m_ScrollBar.InvalidateRect(nullptr, TRUE);
}

// Slides the buttons between the pressed one and the items area over the
// area one line at a time, before the new folder is painted.
void COutlookBar::AnimateFolderSwitch(int nButtonBottom)
{
    CClientDC dc(this);
    const CRect area = m_rcItems;
    const int steps = area.Height();
    const int b = nButtonBottom;
    for (int i = 0; i < steps; ++i) {
        if (b < area.top) {
            dc.BitBlt(area.left, b + i + 1, area.Width(), (area.bottom - b) - i, &dc, area.left, b + i, SRCCOPY);
            dc.FillSolidRect(area.left, b + i, area.Width(), 1, kAreaBackground);
        } else {
            // The current folder's own button leaves nothing to slide.
            int height = (b - area.top - 1) - i;
            if (height <= 0)
                break;
            dc.BitBlt(area.left, area.top, area.Width(), height, &dc, area.left, area.top + 1, SRCCOPY);
            dc.FillSolidRect(area.left, b - 1 - i, area.Width(), 1, kAreaBackground);
        }
    }
}

void COutlookBar::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    int position = m_ScrollBar.GetScrollPos();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    switch (nSBCode) {
    case SB_LINEUP:
        position -= kLineStep;
        break;
    case SB_LINEDOWN:
        position += kLineStep;
        break;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
        m_ScrollBar.GetScrollInfo(&info, SIF_PAGE);
        position += nSBCode == SB_PAGEUP ? -int(info.nPage) : int(info.nPage);
        break;
    case SB_THUMBPOSITION:
        m_ScrollBar.SetScrollPos(int(nPos), TRUE);
        return;
    case SB_THUMBTRACK:
        position = int(nPos);
        break;
    default:
        return;
    }
    m_ScrollBar.SetScrollPos(position, TRUE);
    RecalcLayout();
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}
