// The task-engine page: the tab page of the main dialog on which the block
// program is edited. The palette stands on its left in a fixed frame, the
// canvas view fills the rest. The page owns the view and the object tracker
// and is the host object through which palette drops arrive: a dropped
// item's command text reaches OnLoad and becomes a block, or a function or
// connection of the block under the cursor.
#pragma once

#include "afxwin.h"
#include "canvas/CTEObjectTracker.h"
#include "canvas/CTEViewPage.h"
#include "canvas/CTabDialog.h"
#include "palette/CObjectBar.h"
#include "sync/CTEPageLink.h"

class CTEDocument;
class CUITaskEngineView;

// The canvas grid as the tracker and the view read it.
struct GridSettings {
    WORD m_nGridStep = 5;
    BYTE m_bShowGrid = 1;
    BYTE m_bSpare = 0;
};

class CUITaskEngine : public CDialog, public CTabDialog, public CTEPageLink, public CTEViewPage {
public:
    explicit CUITaskEngine(CWnd* pParent = nullptr);
    ~CUITaskEngine() override;

    // Set before the window is created; the page does not own it.
    void SetDocument(CTEDocument* pDocument) { m_pDocument = pDocument; }

    // ---- Window side ----
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;

    // Places the view right of the palette, filling the page.
    void LayoutView();
    // Asks the host for its parameter window of this page's object.
    void OnParameterButton();
    // Lets the view redraw the blocks whose values changed; nothing without a view.
    void RepaintChangedBlocks();

    // ---- Host side ----
    // A tab page is a host object below `parent` under the title `name`.
    void InitializeTab(HOSTINFO* parent, char* name) override;
    // A command text "keyword=parameter": "TEProc" creates a block at the
    // cursor, "function" and "connection" bind to the block under it.
    long OnLoad(unsigned message, long parameter) override;
    // Claims the keyword "function" (any case).
    long OnMessage(unsigned message, long parameter) override;

    // ---- For the document and the view ----
    UINT GetGridStep() const override { return m_Grid.m_nGridStep; }
    BOOL IsGridShown() const override { return m_Grid.m_bShowGrid; }
    int GetRecordedPageWidth() const override { return m_rcNormal.right - m_rcNormal.left; }
    HOSTINFO* GetPageRecord() override { return this; }
    CTEDocument* GetDocument() override { return m_pDocument; }
    CTEObjectTracker* GetObjectTracker() override { return &m_ObjectTracker; }
    long InvalidateCanvasRect(RECT* rect, BOOL bErase) override;
    void OnProgramReplaced(BOOL bBlocks, BOOL bLines) override;
    void OnSyncNoticeChanged() override;

    CUITaskEngineView* GetView() const { return m_pView; }
    CObjectBar& GetObjectBar() { return m_wndObjectBar; }
    CFrameWnd* GetPaletteFrame() const { return m_pFrame; }
    GridSettings& GetGridSettings() { return m_Grid; }
    const RECT& GetNormalRect() const { return m_rcNormal; }

private:
    void CreatePalette();
    void CreateView();
    void BindTracker();
    // The cursor position in canvas coordinates; FALSE without a view.
    BOOL CursorOnCanvas(CPoint* pPoint) const;
    long DropBlock(const char* pszTypeKey);
    // Binds a function or connection text to the block under the cursor.
    long BindToBlock(const char* pszText, bool bFunction);

    CButton m_btnParameter;
    RECT m_rcNormal = {0, 0, 0, 0};
    GridSettings m_Grid;
    CTEDocument* m_pDocument = nullptr;
    char m_szPaletteFile[4096];
    CTEObjectTracker m_ObjectTracker;
    CFrameWnd* m_pFrame = nullptr;  // frees itself with its window
    CObjectBar m_wndObjectBar;
    CUITaskEngineView* m_pView = nullptr;  // owned; deleted on WM_DESTROY
};
