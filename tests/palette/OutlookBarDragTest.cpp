// Dragging a palette item out: the command text reaches the window under
// the release point exactly once, and a drag that lost the capture delivers
// nothing.
#include "palette/PaletteTestSupport.h"

using namespace palettetest;

namespace {

class OutlookBarDragTest : public OutlookBarTest {
protected:
    void SetUp() override
    {
        CreateBar(190, 300);
        // One folder: header 32-52, "in" 52-72, "out" 72-92.
        Load(PaletteXml(Folder("Blocks", Group("G", Control("in", "TEProc=CTEProcIN_0") +
                                                         Control("out", "TEProc=CTEProcOUT_0")))));
    }

    // Queues a press on "in" and dispatches up to the press, so that the
    // drag is under way and the queue is not yet dry.
    void PressOnFirstItem(int y = 60)
    {
        PlInputMouseMove(*m_Bar, 50, y, 0);
        PlInputMouseButton(*m_Bar, 50, y, PL_BUTTON_LEFT, TRUE, 0);
        MSG msg;
        while (::GetMessage(&msg, nullptr, 0, 0)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            if (msg.message == WM_LBUTTONDOWN)
                break;
        }
    }

    void ReleaseOverTarget()
    {
        PlInputMouseMove(*m_Target, 20, 20, 0);
        PlInputMouseMove(*m_Target, 40, 30, 0);
        PlInputMouseButton(*m_Target, 40, 30, PL_BUTTON_LEFT, FALSE, 0);
        PlPumpMessages();
    }
};

TEST_F(OutlookBarDragTest, ReleaseOverAnotherWindowDeliversTheCommandOnce)
{
    PressOnFirstItem();
    const CRect rcItem(9, 52, 181, 72);
    EXPECT_TRUE(Shows(rcItem, RGB(255, 0, 0))) << "the item under the pointer is lit";
    EXPECT_EQ(CWnd::GetCapture(), m_Bar.get());
    PlCursorShown cursor{};
    ASSERT_TRUE(PlGetCursorShown(&cursor));
    EXPECT_EQ(cursor.id, IDC_PALETTE_DRAG);
    EXPECT_NE(cursor.module, nullptr);
    EXPECT_EQ(cursor.hotSpot.x, 7);
    EXPECT_EQ(cursor.hotSpot.y, 2);

    ReleaseOverTarget();
    EXPECT_EQ(m_Target->m_Received, std::vector<std::string>{"TEProc=CTEProcIN_0"});
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), m_Target.get());
    EXPECT_FALSE(Shows(rcItem, RGB(255, 0, 0))) << "the dragged item stays lit with the pointer gone";

    // The next release, with no press on an item before it, sends nothing.
    PlInputMouseClick(*m_Target, 40, 30, PL_BUTTON_LEFT, 0);
    PlPumpMessages();
    EXPECT_EQ(m_Target->m_Received.size(), 1u);
}

TEST_F(OutlookBarDragTest, ACaptureLostBeforeTheReleaseDeliversNothing)
{
    PressOnFirstItem();
    m_Target->SetCapture();  // another window takes the mouse
    ::ReleaseCapture();
    ReleaseOverTarget();
    EXPECT_TRUE(m_Target->m_Received.empty());

    // A gesture the queue ran dry on ends like a lost capture.
    PlInputMouseMove(*m_Bar, 50, 80, 0);
    PlInputMouseButton(*m_Bar, 50, 80, PL_BUTTON_LEFT, TRUE, 0);
    PlPumpMessages();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    ReleaseOverTarget();
    EXPECT_TRUE(m_Target->m_Received.empty());
}

TEST_F(OutlookBarDragTest, ReleaseOnThePaletteOrOutsideEveryWindowSendsNothingElsewhere)
{
    PressOnFirstItem();
    PlInputMouseButton(*m_Bar, 50, 60, PL_BUTTON_LEFT, FALSE, 0);
    PlPumpMessages();
    EXPECT_TRUE(m_Target->m_Received.empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    PressOnFirstItem();
    PlInputMouseMove(nullptr, 3000, 3000, 0);
    PlInputMouseButton(nullptr, 3000, 3000, PL_BUTTON_LEFT, FALSE, 0);
    PlPumpMessages();
    EXPECT_TRUE(m_Target->m_Received.empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(OutlookBarDragTest, TheLongestCommandArrivesWhole)
{
    std::string command = "function=" + std::string(4095 - 9, 'f');
    // A second folder: its first item lies below the two buttons and its header.
    Load(PaletteXml(Folder("Long", Group("G", Control("long", command)))), 1);
    PressOnFirstItem(80);
    ReleaseOverTarget();
    ASSERT_EQ(m_Target->m_Received.size(), 1u);
    EXPECT_EQ(m_Target->m_Received[0], command);
}

}  // namespace
