// The palette control: folder buttons stacked at the top and bottom, the
// current folder's groups and items between them, and items that are dragged
// out to deliver their command text to the window they are dropped on.
#pragma once

#include <string>

#include "afxwin.h"
#include "palette/PaletteData.h"

// Control id of the palette inside its bar, and of its scroll bar.
constexpr UINT OUTLOOKBAR_ID = 12333;
constexpr UINT OUTLOOKBAR_SCROLLBAR_ID = 1000;
// The module's drag cursor resource.
constexpr int IDC_PALETTE_DRAG = 105;

class COutlookBar : public CWnd {
public:
    COutlookBar() = default;
    ~COutlookBar() override;

    // Adds the folders of the palette file (never clears what is there) and
    // makes the last folder current. Refusals go to the trace window.
    void LoadPalette(const char* pszPath, const char* pszRoot, const char* pszMode);
    // Makes folder nIndex current (none for an index out of range) and lays out.
    void SetCurrentFolder(int nIndex);
    // Where EDITTRACE lines of the palette go (null: the host's default sink).
    void SetTraceWindow(HWND hTraceWnd) { m_hTraceWnd = hTraceWnd; }

    void RecalcLayout();
    // Places the current folder's groups and items in `area`, moved up by
    // nOffset; answers the content end (y of the last group's bottom + 8).
    int LayoutGroups(CRect area, int nOffset);

    PaletteFolder* FolderFromPoint(CPoint point) const;
    PaletteGroup* GroupFromPoint(CPoint point) const;
    PaletteGroup* GroupHeaderFromPoint(CPoint point) const;
    static PaletteItem* ItemFromPoint(const PaletteGroup* pGroup, CPoint point);

    const PaletteFolderList& GetFolders() const { return m_Folders; }
    PaletteFolder* GetCurrentFolder() const { return m_pCurFolder; }
    const CRect& GetItemsArea() const { return m_rcItems; }
    CScrollBar& GetScrollBar() { return m_ScrollBar; }
    // The command text the next drop sends (the item last pressed).
    const std::string& GetDragCommand() const { return m_strDragCommand; }

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnWindowPosChanged(WINDOWPOS* lpwndpos) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;

    // Painting pieces, shared by the full paint and the hover feedback.
    void DrawFolderButton(CDC& dc, const PaletteFolder& folder, bool bHovered, bool bFillFace) const;
    void DrawGroupHeader(CDC& dc, const PaletteGroup& group, bool bHovered) const;
    static void DrawItemText(CDC& dc, const PaletteItem& item, bool bHovered);
    void PaintItems(CDC& dc);

private:
    void LayoutScrollBar(int nContentEnd);
    void SwitchFolder(PaletteFolder* pFolder);
    void AnimateFolderSwitch(int nButtonBottom);
    void UpdateHover(CPoint point);
    void CopyToWindow(CDC& dc, CDC& memDC, const CRect& client);

    PaletteFolderList m_Folders;
    PaletteFolder* m_pCurFolder = nullptr;
    PaletteFolder* m_pHoverFolder = nullptr;
    PaletteGroup* m_pHoverGroup = nullptr;
    PaletteItem* m_pHoverItem = nullptr;
    std::string m_strDragCommand;
    CRect m_rcItems;
    CScrollBar m_ScrollBar;
    HWND m_hTraceWnd = nullptr;
};
