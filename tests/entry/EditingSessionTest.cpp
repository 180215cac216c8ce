// A whole editing session through the module, as a person does it with the
// installed palette: each block kind dragged from the palette onto the
// canvas, a function and a connection dropped on a block, a line with bends
// drawn and branched, blocks dragged and nudged, a line recoloured through
// its menu, a block deleted. After each step and one tick the device holds
// the program and the canvas shows it: a second editor opened on the same
// device paints, after its first tick, exactly what the first one shows.
// Closing the editors frees everything they made, twice over in one process.
#include "ModuleTestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <algorithm>

namespace entrytest {
namespace {

// Where the items of the installed palette are, in the outlook bar's client
// area (190 x 428): folder buttons of 23 pixels, groups 8 apart, headers and
// items 20 high.
namespace blocks_folder {
const CPoint kInput(60, 62);
const CPoint kCalibratedInput(60, 102);
const CPoint kOutput(60, 150);
const CPoint kFunction2(60, 198);
const CPoint kClock(60, 266);
const CPoint kDeviceButton(95, 415);  // the last of the buttons at the bottom
}  // namespace blocks_folder
namespace device_folder {
const CPoint kChannel1(60, 131);
const CPoint kGain(60, 259);
}  // namespace device_folder

// A point of the canvas where nothing is: a click there clears the selection.
const CPoint kEmptyCanvas(700, 600);

// The menu shown next: click the item with this text, or close it.
struct MenuChoice {
    std::string text;
    int nShown = 0;

    static void OnShown(const PlMenuShown& menu, void* data)
    {
        auto* self = static_cast<MenuChoice*>(data);
        ++self->nShown;
        for (const PlMenuItemShown& item : menu.items) {
            if (item.text == self->text) {
                PlInputMouseClick(nullptr, (item.rect.left + item.rect.right) / 2,
                                  (item.rect.top + item.rect.bottom) / 2, PL_BUTTON_LEFT, 0);
                return;
            }
        }
        PlInputKey(VK_ESCAPE, TRUE);
        PlInputKey(VK_ESCAPE, FALSE);
    }
};

class EditingSessionTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        PlSetMenuShownHook(&MenuChoice::OnShown, &m_Menu);
    }
    void TearDown() override
    {
        PlSetMenuShownHook(nullptr, nullptr);
        ModuleTest::TearDown();
    }

    // The device's blocks as "type name x,y", in its order.
    static std::vector<std::string> DeviceProcs() { return Device().ProcRecords(); }
    static std::string DeviceRecordOf(const std::string& name)
    {
        for (const std::string& record : DeviceProcs())
            if (record.find(' ' + name + ' ') != std::string::npos)
                return record;
        return "";
    }

    // A tick, then the canvas compared with a fresh editor's view of the
    // device after its first tick. The selection is cleared first: a fresh
    // editor has none.
    void Checkpoint(const EditorWindows& w, const char* pszStep)
    {
        SCOPED_TRACE(pszStep);
        Tick(w.dialog);
        Click(w.view, kEmptyCanvas);
        EXPECT_EQ(::GetCapture(), nullptr);
        ExpectSecondEditorShowsTheSame(w);
    }

    void ExpectSecondEditorShowsTheSame(const EditorWindows& w)
    {
        gfxtest::Pixels shown = gfxtest::ClientPixels(w.view);
        EditorWindows second = Open("Second");
        ASSERT_NE(second.view, nullptr);
        Tick(second.dialog);
        gfxtest::Pixels fresh = gfxtest::ClientPixels(second.view);
        ::DestroyWindow(second.dialog);
        PlPumpMessages();
        ASSERT_EQ(shown.width, fresh.width);
        ASSERT_EQ(shown.height, fresh.height);
        size_t nDiffer = 0;
        size_t nFirst = 0;
        for (size_t i = 0; i < shown.values.size(); ++i) {
            if (shown.values[i] != fresh.values[i] && nDiffer++ == 0)
                nFirst = i;
        }
        EXPECT_EQ(nDiffer, 0u) << "first at (" << nFirst % size_t(shown.width) << ","
                               << nFirst / size_t(shown.width) << ")";
    }

    // The session; every step checked on the device and against a fresh
    // editor. Leaves the editor open.
    EditorWindows RunSession()
    {
        EditorWindows w = Open("Editor");
        EXPECT_NE(w.palette, nullptr);
        EXPECT_NE(w.view, nullptr);
        if (!w.palette || !w.view)
            return w;

        DropBlocks(w);
        BindByDrops(w);
        DrawAndBranchLine(w);
        MoveAndNudge(w);
        RecolourLine(w);
        DeleteBlock(w);
        return w;
    }

    void DropBlocks(const EditorWindows& w)
    {
        using namespace blocks_folder;
        DropFromPalette(w, kInput, CPoint(42, 41));
        EXPECT_EQ(DeviceProcs(), std::vector<std::string>{"CTEProcIN_0 II_1 40,40"});
        {
            // A dropped block is on the canvas at once, not only after a tick.
            SCOPED_TRACE("one block dropped");
            ExpectSecondEditorShowsTheSame(w);
        }
        DropFromPalette(w, kCalibratedInput, CPoint(40, 120));
        DropFromPalette(w, kClock, CPoint(40, 200));
        DropFromPalette(w, kFunction2, CPoint(300, 40));
        DropFromPalette(w, kOutput, CPoint(301, 222));
        EXPECT_EQ(DeviceProcs(), (std::vector<std::string>{
                                     "CTEProcIN_0 II_1 40,40", "CTEProcCalIN_0 CI_1 40,120",
                                     "CTEProcRTC_0xClock RTC_1 40,200", "CTEProcFUNC_2xPLUS FUNC_1 300,40",
                                     "CTEProcOUT_0 IO_1 300,220"}));
        Checkpoint(w, "every block kind dropped");
    }

    void BindByDrops(const EditorWindows& w)
    {
        Click(w.palette, blocks_folder::kDeviceButton);
        DropFromPalette(w, device_folder::kGain, CPoint(70, 52));
        DropFromPalette(w, device_folder::kChannel1, CPoint(60, 45));
        const tedevice::TEBlock* block = Device().FindBlock("II_1");
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block->function, "Gain");
        EXPECT_EQ(block->connection, "Ch1");
        {
            // The block shows its value from now on, without waiting for a tick.
            SCOPED_TRACE("bound, before a tick");
            ExpectSecondEditorShowsTheSame(w);
        }
        Checkpoint(w, "function and connection bound");
    }

    // II_1's output pin is at (99, 50), FUNC_1's first input at (300, 50),
    // IO_1's input at (300, 230).
    void DrawAndBranchLine(const EditorWindows& w)
    {
        const CPoint out(99, 50), bend1(160, 50), bend2(160, 90), in(301, 51);
        for (CPoint pt : {out, bend1, bend2, in}) {
            Press(w.view, pt);
            Release(w.view, pt);
        }
        PlPumpMessages();
        std::vector<std::string> lines = Device().LineRecords();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], "Line_1 II_1.Out0 160,50 160,90 FUNC_1.In0 0x00000000 ");
        Checkpoint(w, "line with two bends");

        // A branch from the second bend, over a bend of its own, to IO_1.
        for (CPoint pt : {bend2, CPoint(160, 230), CPoint(300, 230)}) {
            Press(w.view, pt);
            Release(w.view, pt);
        }
        PlPumpMessages();
        lines = Device().LineRecords();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1], "Line_2 Line_1.Node2 160,230 IO_1.In0 0x00000000 ");
        Checkpoint(w, "branch from a bend");
    }

    void MoveAndNudge(const EditorWindows& w)
    {
        // The clock dragged 10 right and 60 down.
        const CPoint from(70, 212);
        Press(w.view, from);
        PlInputMouseMove(w.view, from.x + 5, from.y + 30, 0);
        Release(w.view, from + CPoint(10, 60));
        PlPumpMessages();
        Tick(w.dialog);
        EXPECT_EQ(DeviceRecordOf("RTC_1"), "CTEProcRTC_0xClock RTC_1 50,260");
        Checkpoint(w, "block dragged");

        // The calibrated input selected and nudged right and down: each key
        // press moves it a pixel back, each release a grid step on.
        Click(w.view, CPoint(70, 132));
        Key(VK_RIGHT);
        Key(VK_DOWN);
        Tick(w.dialog);
        EXPECT_EQ(DeviceRecordOf("CI_1"), "CTEProcCalIN_0 CI_1 44,124");
        Checkpoint(w, "block nudged");
    }

    void RecolourLine(const EditorWindows& w)
    {
        m_Menu = {"Change Color", 0};
        PlPushDialogAnswer("color", RGB(200, 0, 0));
        PlInputMouseClick(w.view, 160, 70, PL_BUTTON_RIGHT, 0);
        PlPumpMessages();
        EXPECT_EQ(m_Menu.nShown, 1);
        Tick(w.dialog);
        std::vector<std::string> lines = Device().LineRecords();
        ASSERT_EQ(lines.size(), 2u);
        for (const std::string& line : lines)
            EXPECT_NE(line.find(" 0x000000c8 "), std::string::npos) << line;
        Checkpoint(w, "line recoloured");
    }

    void DeleteBlock(const EditorWindows& w)
    {
        Click(w.view, CPoint(330, 232));
        Key(VK_DELETE);
        EXPECT_EQ(DeviceRecordOf("IO_1"), "");
        EXPECT_EQ(Device().LineRecords().size(), 1u);
        Checkpoint(w, "block deleted");
    }

    MenuChoice m_Menu;
};

TEST_F(EditingSessionTest, EveryStepReachesTheDeviceAndASecondEditorShowsIt)
{
    EditorWindows w = RunSession();
    ASSERT_NE(w.dialog, nullptr);
    EXPECT_EQ(DeviceProcs().size(), 4u);
    EXPECT_TRUE(m_Trace.empty()) << m_Trace.front();
}

// The host's record tree before the session is what it is after the editor
// closes; nothing the two sessions made is left unfreed.
TEST_F(EditingSessionTest, ClosingTheEditorFreesEverythingItMade)
{
    const std::vector<HOSTINFO*> children = m_Root.m_Children;
    const int nWindows = TopLevelWindowCount();
    for (int nRun = 0; nRun < 2; ++nRun) {
        SCOPED_TRACE(nRun == 0 ? "first session" : "second session");
        corvala::ResetDevices();
        EditorWindows w = RunSession();
        ASSERT_NE(w.dialog, nullptr);
        EXPECT_EQ(m_Root.m_Children.size(), children.size() + 1);
        EXPECT_GT(TopLevelWindowCount(), nWindows);
        // A property window of a block is open when the editor closes.
        const int nBefore = TopLevelWindowCount();
        PlHeadlessAdvanceClock(1000);
        PlInputMouseDoubleClick(w.view, 70, 52, PL_BUTTON_LEFT, 0);
        PlPumpMessages();
        EXPECT_EQ(TopLevelWindowCount(), nBefore + 1);
        // The user closes the window.
        ::SendMessage(w.dialog, WM_CLOSE, 0, 0);
        PlPumpMessages();
        PlAfxIdle(1);
        EXPECT_FALSE(::IsWindow(w.dialog));
        EXPECT_EQ(m_Root.m_Children, children);
        EXPECT_EQ(TopLevelWindowCount(), nWindows);
    }
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "the leak report is above";
#endif
}

}  // namespace
}  // namespace entrytest
