// The view's input through the real queue: arrow and Delete keys, presses,
// the host messages it passes to the page, and the three context menus shown
// by the real pop-up menu, with their item states and commands.
#include "ViewTestSupport.h"

#include "canvas/TEViewMenu.h"

namespace {

// Chooses an item of the next pop-up menus by clicking it, or closes them
// with Escape when the item is not there (id 0: choose nothing).
struct MenuChoice {
    UINT id = 0;
    int nShown = 0;
    std::vector<PlMenuItemShown> items;

    static void OnShown(const PlMenuShown& menu, void* data)
    {
        auto* self = static_cast<MenuChoice*>(data);
        self->nShown++;
        self->items = menu.items;
        for (const PlMenuItemShown& item : menu.items) {
            if (self->id != 0 && item.id == self->id) {
                PlInputMouseClick(nullptr, (item.rect.left + item.rect.right) / 2,
                                  (item.rect.top + item.rect.bottom) / 2, PL_BUTTON_LEFT, 0);
                return;
            }
        }
        PlInputKey(VK_ESCAPE, TRUE);
        PlInputKey(VK_ESCAPE, FALSE);
    }
    BOOL Grayed(UINT nId) const
    {
        for (const PlMenuItemShown& item : items)
            if (item.id == nId)
                return (item.state & MF_GRAYED) != 0;
        ADD_FAILURE() << "no item " << nId;
        return FALSE;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const PlMenuItemShown& item : items)
            texts.push_back(item.id == 0 ? "-" : item.text);
        return texts;
    }
};

class ViewInputTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_pA = Create("CTEProcIN_1", 40, 40);
        m_pB = Create("CTEProcOUT_1", 300, 140);
        ASSERT_TRUE(m_pA && m_pB);
        m_pLine = Connect(m_pA, 0, m_pB, 0, {CPoint(220, 70), CPoint(220, 160)});
        ASSERT_TRUE(m_pLine);
        PlSetMenuShownHook(&MenuChoice::OnShown, &m_Choice);
        Repaint();
    }

    // A right click at a canvas point (the view is not scrolled), choosing
    // the item `id` of the menu it opens.
    void RightClick(CPoint pt, UINT id)
    {
        m_Choice.id = id;
        PlInputMouseClick(m_pView->m_hWnd, pt.x, pt.y, PL_BUTTON_RIGHT, 0);
        PlPumpMessages();
    }
    void Key(UINT vk, BOOL bDown)
    {
        PlInputKey(vk, bDown);
        PlPumpMessages();
    }
    CPoint TopLeft(CTrackObject* pBlock) const { return pBlock->m_rcPos.TopLeft(); }
    CTrackObject* Listed(INT_PTR i) { return m_Document.m_DisplayList[i]; }

    CTETrackObject* m_pA = nullptr;
    CTETrackObject* m_pB = nullptr;
    CLineItem* m_pLine = nullptr;
    MenuChoice m_Choice;
};

TEST_F(ViewInputTest, ArrowPressMovesOnePixelAndReleaseOneGridStepBack)
{
    m_Page.m_Tracker.Select(m_pA);
    Key(VK_LEFT, TRUE);
    EXPECT_EQ(TopLeft(m_pA), CPoint(41, 40));  // MoveSelection(-1, 0)
    Key(VK_LEFT, FALSE);
    EXPECT_EQ(TopLeft(m_pA), CPoint(36, 40));  // MoveSelection(5, 0)

    m_Page.m_wGrid = 10;
    Key(VK_DOWN, TRUE);
    Key(VK_DOWN, FALSE);
    EXPECT_EQ(TopLeft(m_pA), CPoint(36, 49));  // (0, 1), then (0, -10)
    Key(VK_RIGHT, TRUE);
    Key(VK_RIGHT, FALSE);
    Key(VK_UP, TRUE);
    Key(VK_UP, FALSE);
    EXPECT_EQ(TopLeft(m_pA), CPoint(45, 40));
    EXPECT_EQ(TopLeft(m_pB), CPoint(300, 140));  // not selected
}

TEST_F(ViewInputTest, DeleteKeyDeletesTheSelectionUnderTheWaitCursorAndRestoresIt)
{
    PlCursorShown before{};
    const BOOL bShown = PlGetCursorShown(&before);
    m_Page.m_Tracker.Select(m_pB);
    Key(VK_DELETE, TRUE);
    ASSERT_EQ(m_Document.m_DisplayList.GetSize(), 1);
    EXPECT_EQ(Listed(0), m_pA);
    PlCursorShown after{};
    EXPECT_EQ(PlGetCursorShown(&after), bShown);
    EXPECT_EQ(after.cursor, before.cursor);
}

TEST_F(ViewInputTest, LeftPressSelectsAndDragMovesTheBlock)
{
    PlInputMouseClick(m_pView->m_hWnd, 80, 60, PL_BUTTON_LEFT, 0);
    PlPumpMessages();
    EXPECT_TRUE(m_Page.m_Tracker.IsSelected(m_pA));
    EXPECT_FALSE(m_Page.m_Tracker.IsSelected(m_pB));

    PlHeadlessAdvanceClock(1000);  // not a double click
    PlInputMouseButton(m_pView->m_hWnd, 80, 60, PL_BUTTON_LEFT, TRUE, 0);
    PlInputMouseMove(m_pView->m_hWnd, 120, 80, 0);
    PlInputMouseMove(m_pView->m_hWnd, 160, 100, 0);
    PlInputMouseButton(m_pView->m_hWnd, 160, 100, PL_BUTTON_LEFT, FALSE, 0);
    PlPumpMessages();
    EXPECT_EQ(TopLeft(m_pA), CPoint(120, 80));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ViewInputTest, HostMessagesReachThePage)
{
    EXPECT_EQ(m_pView->SendMessage(WM_APP, 3, 77), 11);
    EXPECT_EQ(m_pView->SendMessage(WM_APP + 1, 0, 1234), 12);
    EXPECT_EQ(m_Page.m_Received, (std::vector<std::string>{"message 3 77", "load 0 1234"}));

    // The host asks which record lies under the cursor.
    PlInputMouseMove(m_pView->m_hWnd, 80, 60, 0);
    PlPumpMessages();
    EXPECT_EQ(m_pView->SendMessage(WM_APP + 20, 0, 0), reinterpret_cast<LRESULT>(&m_Page.m_Record));
    PlInputMouseMove(m_pView->m_hWnd, 500, 300, 0);
    PlPumpMessages();
    EXPECT_EQ(m_pView->SendMessage(WM_APP + 20, 0, 0), 0);
}

TEST_F(ViewInputTest, ContextMenuNeedsARightPressInTheView)
{
    CPoint screen(80, 60);
    m_pView->ClientToScreen(&screen);
    const LPARAM lParam = MAKELPARAM(screen.x, screen.y);
    m_pView->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_pView->m_hWnd), lParam);
    EXPECT_EQ(m_Choice.nShown, 0);

    RightClick(CPoint(80, 60), 0);
    EXPECT_EQ(m_Choice.nShown, 1);
    // The press is used up by the menu it opened.
    m_pView->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_pView->m_hWnd), lParam);
    EXPECT_EQ(m_Choice.nShown, 1);
}

TEST_F(ViewInputTest, BlockMenuSelectsTheBlockAndChangesItsPlaceInTheStack)
{
    m_Page.m_Tracker.Select(m_pB);
    RightClick(CPoint(80, 60), ID_TE_TO_FOREGROUND);
    ASSERT_EQ(m_Choice.nShown, 1);
    EXPECT_EQ(m_Choice.Texts(),
              (std::vector<std::string>{"Open", "Modify Properties", "-", "Copy Component(s)", "Cut Component(s)",
                                        "Paste Component(s)", "Delete Component(s)", "-", "Move To Foreground",
                                        "Move To Background", "-", "Create Superblock"}));
    for (UINT id : {ID_TE_OPEN, ID_TE_OBJECT_PROPERTIES, ID_TE_DELETE, ID_TE_TO_FOREGROUND, ID_TE_TO_BACKGROUND})
        EXPECT_FALSE(m_Choice.Grayed(id)) << id;
    for (UINT id : {ID_TE_COPY, ID_TE_CUT, ID_TE_PASTE, ID_TE_SUPERBLOCK})
        EXPECT_TRUE(m_Choice.Grayed(id)) << id;
    EXPECT_TRUE(m_Page.m_Tracker.IsSelected(m_pA));
    EXPECT_FALSE(m_Page.m_Tracker.IsSelected(m_pB));
    EXPECT_EQ(Listed(0), m_pB);
    EXPECT_EQ(Listed(1), m_pA);

    RightClick(CPoint(80, 60), ID_TE_TO_BACKGROUND);
    EXPECT_EQ(Listed(0), m_pA);
    EXPECT_EQ(Listed(1), m_pB);
}

TEST_F(ViewInputTest, BlockMenuOnASelectionOfTwoOffersASuperblockAndDeletesBoth)
{
    m_Page.m_Tracker.Select(m_pA);
    m_Page.m_Tracker.Select(m_pB);
    RightClick(CPoint(320, 160), ID_TE_DELETE);
    EXPECT_FALSE(m_Choice.Grayed(ID_TE_SUPERBLOCK));
    EXPECT_EQ(m_Document.m_DisplayList.GetSize(), 0);
    EXPECT_EQ(m_Document.m_BlockList.GetSize(), 0);
}

TEST_F(ViewInputTest, LineMenuOnASegmentChangesTheColour)
{
    const COLORREF crBefore = m_pLine->m_color;
    const COLORREF crChosen = RGB(0, 128, 64);
    PlPushDialogAnswer("color", static_cast<long>(crChosen));
    RightClick(CPoint(220, 115), ID_TE_CHANGE_COLOR);
    ASSERT_EQ(m_Choice.Texts(), (std::vector<std::string>{"Change Color", "Delete Node"}));
    EXPECT_FALSE(m_Choice.Grayed(ID_TE_CHANGE_COLOR));
    EXPECT_TRUE(m_Choice.Grayed(ID_TE_DELETE_NODE));
    EXPECT_NE(m_pLine->m_color, crBefore);
    EXPECT_EQ(m_pLine->m_color & 0xFFFFFF, crChosen);
}

TEST_F(ViewInputTest, LineMenuOnABendDeletesTheBend)
{
    m_Page.m_Tracker.Select(m_pA);
    const int nPoints = m_pLine->m_nPoints;
    RightClick(CPoint(220, 70), ID_TE_DELETE_NODE);
    EXPECT_FALSE(m_Choice.Grayed(ID_TE_DELETE_NODE));
    EXPECT_EQ(m_pLine->m_nPoints, nPoints - 1);
    EXPECT_EQ(m_Page.m_Tracker.GetSelectedCount(), 0);
}

TEST_F(ViewInputTest, LineMenuOfABranchLineGraysTheColour)
{
    auto pBranch = std::make_unique<CLineItem>();
    pBranch->AddPoint(220, 160);
    pBranch->AddPoint(220, 250);
    pBranch->m_pParent = m_pLine;
    pBranch->m_nNode = 2;
    m_Document.m_LineList.Add(pBranch.release());
    RightClick(CPoint(220, 220), 0);
    EXPECT_TRUE(m_Choice.Grayed(ID_TE_CHANGE_COLOR));
    // The bend that carries the branch cannot go.
    RightClick(CPoint(220, 160), 0);
    EXPECT_TRUE(m_Choice.Grayed(ID_TE_DELETE_NODE));
}

TEST_F(ViewInputTest, EmptyCanvasMenuClearsTheSelection)
{
    m_Page.m_Tracker.Select(m_pA);
    RightClick(CPoint(500, 330), ID_TE_VIEW_PROPERTIES);
    EXPECT_EQ(m_Choice.Texts(), (std::vector<std::string>{"Modify Properties"}));
    EXPECT_FALSE(m_Choice.Grayed(ID_TE_VIEW_PROPERTIES));
    EXPECT_EQ(m_Page.m_Tracker.GetSelectedCount(), 0);
    EXPECT_EQ(m_Document.m_DisplayList.GetSize(), 2);
}

}  // namespace
