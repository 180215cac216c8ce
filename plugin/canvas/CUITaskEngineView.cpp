#include "canvas/CUITaskEngineView.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "Corvala.h"
#include "blocks/CTrackObject.h"
#include "blocks/CanvasUtils.h"
#include "canvas/CTEObjectTracker.h"
#include "canvas/CTEViewPage.h"
#include "canvas/TEViewMenu.h"
#include "sync/CTEDocument.h"

IMPLEMENT_DYNCREATE(CUITaskEngineView, CScrollView)

namespace {

// The wait cursor for the length of a slow operation.
class CWaitingCursor {
public:
    CWaitingCursor() : m_hPrevious(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitingCursor() { ::SetCursor(m_hPrevious); }
    CWaitingCursor(const CWaitingCursor&) = delete;
    CWaitingCursor& operator=(const CWaitingCursor&) = delete;

private:
    HCURSOR m_hPrevious;
};

// The first multiple of nStep at or after v (v may be negative).
int FirstMultipleFrom(int v, int nStep)
{
    int r = v % nStep;
    if (r == 0)
        return v;
    return r > 0 ? v - r + nStep : v - r;
}

// v modulo nStep, from 0 to nStep - 1 also for negative v.
int Modulo(int v, int nStep) { return ((v % nStep) + nStep) % nStep; }

// Grid steps up to this wide paint their dots a row at a time through a
// pattern brush; wider ones have so few dots that one call each is cheaper.
constexpr int kMaxPatternStep = 64;

// Right-button tracking, command returned.
constexpr UINT kPopupFlags = TPM_RIGHTBUTTON | TPM_RETURNCMD;

}  // namespace

CUITaskEngineView::~CUITaskEngineView() = default;

CTEObjectTracker* CUITaskEngineView::Tracker() const
{
    return m_pPage != nullptr ? m_pPage->GetObjectTracker() : nullptr;
}

CPoint CUITaskEngineView::ClientToCanvas(CPoint point)
{
    ViewDPtoLP(this, &point);
    return point;
}

CPoint CUITaskEngineView::ScreenToCanvas(CPoint point)
{
    ScreenToClient(&point);
    return ClientToCanvas(point);
}

HOSTINFO* CUITaskEngineView::OpenOwner() const
{
    HOSTINFO* pRecord = m_pPage != nullptr ? m_pPage->GetPageRecord() : nullptr;
    return pRecord != nullptr ? pRecord->m_pParent : nullptr;
}

// ---- Messages ahead of the handlers ----

LRESULT CUITaskEngineView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_APP:
        return m_pPage != nullptr ? m_pPage->OnMessage(static_cast<unsigned>(wParam), static_cast<long>(lParam)) : 0;
    case WM_APP + 1:
        return m_pPage != nullptr ? m_pPage->OnLoad(static_cast<unsigned>(wParam), static_cast<long>(lParam)) : 0;
    case WM_APP + 20:
        return HostRecordUnderCursor();
    case WM_TEVIEW_UPDATE_SCROLL: {
        // lParam may address a point; the sizes come from the blocks alone.
        CWaitingCursor wait;
        UpdateScrollSizes();
        return 0;
    }
    case WM_TEVIEW_REPAINT_CHANGED:
        RepaintChangedBlocks();
        break;
    default:
        break;
    }
    return CScrollView::WindowProc(message, wParam, lParam);
}

LRESULT CUITaskEngineView::HostRecordUnderCursor()
{
    CTEObjectTracker* pTracker = Tracker();
    if (pTracker == nullptr)
        return 0;
    CPoint point;
    ::GetCursorPos(&point);
    point = ScreenToCanvas(point);
    if (!pTracker->HitAnyObject(point.x, point.y))
        return 0;
    return reinterpret_cast<LRESULT>(m_pPage->GetPageRecord());
}

// ---- Scroll area and painting ----

void CUITaskEngineView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(TEVIEW_INITIAL_SIZE, TEVIEW_INITIAL_SIZE));
}

void CUITaskEngineView::UpdateScrollSizes()
{
    CTEObjectTracker* pTracker = Tracker();
    if (pTracker == nullptr)
        return;
    CSize canvas = pTracker->GetCanvasSize();
    int nMin = 0;
    int nMaxX = 0;
    int nMaxY = 0;
    GetScrollRange(SB_HORZ, &nMin, &nMaxX);
    GetScrollRange(SB_VERT, &nMin, &nMaxY);
    SetScrollSizes(MM_TEXT, CSize(std::max<int>(canvas.cx, nMaxX + 1), std::max<int>(canvas.cy, nMaxY + 1)));
}

void CUITaskEngineView::OnDraw(CDC* pDC)
{
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CBrush background;
    background.CreateSolidBrush(TEVIEW_BACKGROUND);
    pDC->FillRect(&rcClip, &background);
    background.DeleteObject();

    if (m_pPage == nullptr)
        return;
    UINT nStep = m_pPage->GetGridStep();
    if (m_pPage->IsGridShown() && nStep >= 2)
        DrawGrid(pDC, rcClip, static_cast<int>(nStep));
    if (CTEObjectTracker* pTracker = Tracker())
        pTracker->Paint(pDC, rcClip);
    DrawSyncNotice(pDC);
}

const char* CUITaskEngineView::SyncNotice() const
{
    CTEDocument* pDocument = m_pPage != nullptr ? m_pPage->GetDocument() : nullptr;
    return pDocument != nullptr ? pDocument->GetSyncNotice().c_str() : "";
}

void CUITaskEngineView::DrawSyncNotice(CDC* pDC)
{
    const char* pszNotice = SyncNotice();
    if (*pszNotice == '\0')
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.bottom = TEVIEW_NOTICE_HEIGHT;
    rc.OffsetRect(GetScrollPosition());
    pDC->FillSolidRect(&rc, TEVIEW_NOTICE_BACKGROUND);
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(a_GetFont("MS Sans Serif,8")));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(TEVIEW_NOTICE_TEXT);
    pDC->TextOut(rc.left + 4, rc.top + 2, pszNotice);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CUITaskEngineView::ShowSyncNotice()
{
    if (m_hWnd == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.bottom = TEVIEW_NOTICE_HEIGHT;
    InvalidateRect(&rc, TRUE);
}

BOOL CUITaskEngineView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CPoint before = GetScrollPosition();
    BOOL bScrolled = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
    if (bScrolled && bDoScroll && *SyncNotice() != '\0') {
        // The old line moved with the canvas, down when scrolling up.
        CRect rc;
        GetClientRect(&rc);
        rc.bottom = TEVIEW_NOTICE_HEIGHT + std::abs(GetScrollPosition().y - before.y);
        InvalidateRect(&rc, TRUE);
    }
    return bScrolled;
}

BOOL CUITaskEngineView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if ((nFlags & (MK_SHIFT | MK_CONTROL)) != MK_SHIFT)
        return CScrollView::OnMouseWheel(nFlags, zDelta, pt);
    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    int nMapMode;
    SIZE total, page, line;
    GetDeviceScrollSizes(nMapMode, total, page, line);
    int nScroll = nLines == WHEEL_PAGESCROLL ? (zDelta > 0 ? -page.cx : page.cx)
                                             : ::MulDiv(-zDelta, (int)nLines, WHEEL_DELTA) * line.cx;
    nScroll = std::clamp(nScroll, -page.cx, page.cx);
    BOOL bScrolled = OnScrollBy(CSize(nScroll, 0), TRUE);
    if (bScrolled)
        UpdateWindow();
    return bScrolled;
}

void CUITaskEngineView::DrawGrid(CDC* pDC, const CRect& rcClip, int nStep)
{
    CBrush rowBrush;
    if (nStep > kMaxPatternStep || !MakeDotRowBrush(&rowBrush, nStep)) {
        DrawGridDots(pDC, rcClip, nStep);
        return;
    }
    // The area was just filled with the background, so filling each grid row
    // with a pattern of one dot and nStep - 1 background pixels paints exactly
    // the dots, at a fraction of the cost of one line call per dot. The
    // pattern is anchored in device pixels; the dots stand on the canvas.
    CPoint canvasOrigin(0, 0);
    pDC->LPtoDP(&canvasOrigin);
    const CPoint oldOrigin = pDC->SetBrushOrg(Modulo(canvasOrigin.x, nStep), 0);
    for (int y = FirstMultipleFrom(rcClip.top, nStep); y < rcClip.bottom; y += nStep) {
        CRect rcRow(rcClip.left, y, rcClip.right, y + 1);
        pDC->FillRect(&rcRow, &rowBrush);
    }
    pDC->SetBrushOrg(oldOrigin);
}

BOOL CUITaskEngineView::MakeDotRowBrush(CBrush* pBrush, int nStep)
{
    auto pixelOf = [](COLORREF cr) -> DWORD {
        return static_cast<DWORD>(GetRValue(cr)) << 16 | static_cast<DWORD>(GetGValue(cr)) << 8 | GetBValue(cr);
    };
    std::vector<DWORD> pixels(static_cast<size_t>(nStep), pixelOf(TEVIEW_BACKGROUND));
    pixels[0] = pixelOf(TEVIEW_GRID_DOT);
    CBitmap pattern;
    if (!pattern.CreateBitmap(nStep, 1, 1, 32, pixels.data()))
        return FALSE;
    return pBrush->CreatePatternBrush(&pattern);
}

void CUITaskEngineView::DrawGridDots(CDC* pDC, const CRect& rcClip, int nStep)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, TEVIEW_GRID_DOT);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int xFirst = FirstMultipleFrom(rcClip.left, nStep);
    for (int y = FirstMultipleFrom(rcClip.top, nStep); y < rcClip.bottom; y += nStep) {
        for (int x = xFirst; x < rcClip.right; x += nStep) {
            pDC->MoveTo(x, y);
            pDC->LineTo(x + 1, y + 1);
        }
    }
    pDC->SelectObject(pOldPen);
}

void CUITaskEngineView::RepaintChangedBlocks()
{
    CTEDocument* pDocument = m_pPage != nullptr ? m_pPage->GetDocument() : nullptr;
    if (pDocument == nullptr || m_hWnd == nullptr)
        return;
    CDC* pDC = GetDC();
    OnPrepareDC(pDC);
    for (INT_PTR i = 0; i < pDocument->m_DisplayList.GetSize(); ++i) {
        CTrackObject* pBlock = pDocument->m_DisplayList[i];
        if (!pBlock->m_bDirty)
            continue;
        pBlock->Draw(pDC);
        pBlock->m_bDirty = FALSE;
    }
    ReleaseDC(pDC);
}

// ---- Mouse ----

void CUITaskEngineView::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The arrow and Delete keys act on what the user just pressed, even when
    // the focus was on the page's button or elsewhere.
    if (::GetFocus() != m_hWnd)
        SetFocus();
    CTEObjectTracker* pTracker = Tracker();
    if (pTracker == nullptr)
        return;
    if (pTracker->OnLButtonDown(ClientToCanvas(point), nFlags, TRUE, TRUE) != 0)
        UpdateScrollSizes();
}

void CUITaskEngineView::OnLButtonUp(UINT, CPoint) { ::ReleaseCapture(); }

void CUITaskEngineView::OnLButtonDblClk(UINT, CPoint point)
{
    SetCapture();
    if (CTEObjectTracker* pTracker = Tracker())
        pTracker->OpenAt(ClientToCanvas(point), 1, 0, OpenOwner());
}

void CUITaskEngineView::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_bRightButton = TRUE;
    CScrollView::OnRButtonDown(nFlags, point);
}

void CUITaskEngineView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (CTEObjectTracker* pTracker = Tracker())
        pTracker->UpdateToolTip(nFlags, point.x, point.y);
}

// ---- Keys ----

void CUITaskEngineView::DeleteSelectedWaiting()
{
    CWaitingCursor wait;
    Tracker()->DeleteSelected();
}

void CUITaskEngineView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CTEObjectTracker* pTracker = Tracker()) {
        switch (nChar) {
        case VK_LEFT: pTracker->MoveSelection(-1, 0); break;
        case VK_UP: pTracker->MoveSelection(0, -1); break;
        case VK_RIGHT: pTracker->MoveSelection(1, 0); break;
        case VK_DOWN: pTracker->MoveSelection(0, 1); break;
        case VK_DELETE: DeleteSelectedWaiting(); break;
        default: break;
        }
    }
    ScrollByKey(nChar);
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}

// Page Up and Page Down scroll a page up or down, sideways with Shift; Home
// and End go to the top and the bottom of the canvas, Ctrl+Home to its
// origin. The arrows stay with the selection.
void CUITaskEngineView::ScrollByKey(UINT nChar)
{
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    BYTE code = 0xff;
    switch (nChar) {
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    default: return;
    }
    if (nChar == VK_HOME && bCtrl)
        OnScroll(MAKEWORD(SB_TOP, SB_TOP), 0);
    else
        OnScroll(bShift ? MAKEWORD(code, 0xff) : MAKEWORD(0xff, code), 0);
}

// Offsets are subtracted from positions: the press moved the selection one
// pixel against the arrow, the release moves it one grid step along it, so a
// tap moves it by the step less one pixel.
void CUITaskEngineView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CTEObjectTracker* pTracker = Tracker()) {
        const int g = static_cast<int>(m_pPage->GetGridStep());
        switch (nChar) {
        case VK_LEFT: pTracker->MoveSelection(g, 0); break;
        case VK_UP: pTracker->MoveSelection(0, g); break;
        case VK_RIGHT: pTracker->MoveSelection(-g, 0); break;
        case VK_DOWN: pTracker->MoveSelection(0, -g); break;
        default: break;
        }
        UpdateScrollSizes();
    }
    CScrollView::OnKeyUp(nChar, nRepCnt, nFlags);
}

// ---- Context menu ----

void CUITaskEngineView::OnContextMenu(CWnd*, CPoint pos)
{
    // Only a right press in the view opens it: not the keyboard's menu key.
    if (!m_bRightButton)
        return;
    m_bRightButton = FALSE;
    if (Tracker() == nullptr)
        return;

    CMenu menu;
    if (!menu.Attach(::LoadMenu(TEViewModule(), MAKEINTRESOURCE(IDR_TEVIEW_MENU))))
        return;
    const CPoint ptCanvas = ScreenToCanvas(pos);
    CTrackObject* pBlock = nullptr;
    CMenu* pPopup = PreparePopup(menu, ptCanvas, &pBlock);
    const UINT nCommand = static_cast<UINT>(pPopup->TrackPopupMenu(kPopupFlags, pos.x, pos.y, this));
    if (pBlock == nullptr || pBlock->OnContextCommand(nCommand) == 0)
        RunCommand(nCommand, ptCanvas, pBlock);
    menu.DestroyMenu();
}

CMenu* CUITaskEngineView::PreparePopup(CMenu& menu, CPoint ptCanvas, CTrackObject** ppBlock)
{
    CTEObjectTracker* pTracker = Tracker();
    auto state = [](BOOL bEnabled) { return MF_BYCOMMAND | (bEnabled ? MF_ENABLED : MF_GRAYED); };

    if (pTracker->HitAnyObject(ptCanvas.x, ptCanvas.y)) {
        CTrackObject* pBlock = pTracker->ObjectAt(ptCanvas.x, ptCanvas.y);
        if (!pTracker->IsSelected(pBlock)) {
            pTracker->DeselectAll();
            pTracker->Select(pBlock);
        }
        CMenu* pPopup = menu.GetSubMenu(TEVIEW_POPUP_OBJECT);
        pPopup->EnableMenuItem(ID_TE_OPEN, state(pBlock->CanShowProperties()));
        for (UINT id : {ID_TE_OBJECT_PROPERTIES, ID_TE_TO_FOREGROUND, ID_TE_TO_BACKGROUND, ID_TE_DELETE})
            pPopup->EnableMenuItem(id, state(TRUE));
        for (UINT id : {ID_TE_COPY, ID_TE_CUT, ID_TE_PASTE})
            pPopup->EnableMenuItem(id, state(FALSE));
        pPopup->EnableMenuItem(ID_TE_SUPERBLOCK, state(pTracker->GetSelectedCount() > 1));
        if (pBlock->HasContextMenu())
            pBlock->AddContextMenuItems(pPopup);
        *ppBlock = pBlock;
        return pPopup;
    }

    pTracker->DeselectAll();
    int nBranch = 0;
    const int nLineHit = pTracker->HitTestLineMenu(ptCanvas.x, ptCanvas.y, &nBranch);
    if (nLineHit != 0) {
        CMenu* pPopup = menu.GetSubMenu(TEVIEW_POPUP_LINE);
        pPopup->EnableMenuItem(ID_TE_CHANGE_COLOR, state(nBranch == 0));
        pPopup->EnableMenuItem(ID_TE_DELETE_NODE, state(nLineHit == 2));
        return pPopup;
    }
    CMenu* pPopup = menu.GetSubMenu(TEVIEW_POPUP_VIEW);
    pPopup->EnableMenuItem(ID_TE_VIEW_PROPERTIES, state(TRUE));
    return pPopup;
}

void CUITaskEngineView::RunCommand(UINT nCommand, CPoint ptCanvas, CTrackObject* pBlock)
{
    CTEObjectTracker* pTracker = Tracker();
    switch (nCommand) {
    case ID_TE_CHANGE_COLOR: pTracker->ChangeColor(); break;
    case ID_TE_OPEN: pTracker->OpenAt(ptCanvas, 1, 0, OpenOwner()); break;
    case ID_TE_DELETE: DeleteSelectedWaiting(); break;
    case ID_TE_DELETE_NODE: pTracker->DeleteNode(ptCanvas.x, ptCanvas.y); break;
    case ID_TE_TO_FOREGROUND:
        if (pBlock != nullptr)
            pTracker->MoveToForeground(pBlock);
        break;
    case ID_TE_TO_BACKGROUND:
        if (pBlock != nullptr)
            pTracker->MoveToBackground(pBlock);
        break;
    default: break;  // the properties commands and "Create Superblock" belong to the blocks
    }
}
