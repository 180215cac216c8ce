// The canvas as painted: background and grid dots for each grid setting,
// scrolling that shifts the same picture, the scroll area that follows the
// blocks without shrinking, and the timer's repaint of changed blocks only.
#include "ViewTestSupport.h"

namespace {

const uint32_t kBackground = PixelOf(TEVIEW_BACKGROUND);
const uint32_t kDot = PixelOf(TEVIEW_GRID_DOT);
constexpr COLORREF kCover = RGB(255, 0, 255);

struct GridCase {
    WORD wStep;
    BOOL bShown;
};

class ViewGridTest : public ViewTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(ViewGridTest, DotsStandOnEveryMultipleOfTheStepOnlyWhenShownAndAboveOne)
{
    m_Page.m_wGrid = GetParam().wStep;
    m_Page.m_bShowGrid = GetParam().bShown;
    // Scrolled off a multiple of any step, so that dots must follow the canvas.
    m_pView->ScrollToPosition(CPoint(37, 23));
    Repaint();

    const CPoint scroll = m_pView->GetScrollPosition();
    ASSERT_EQ(scroll, CPoint(37, 23));
    const int g = GetParam().wStep;
    const bool bDots = GetParam().bShown && g >= 2;
    Pixels pixels = Client();
    ASSERT_GT(pixels.width, 0);
    int nWrong = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const int cx = x + scroll.x;
            const int cy = y + scroll.y;
            const bool bDot = bDots && cx % g == 0 && cy % g == 0;
            if (pixels.At(x, y) != (bDot ? kDot : kBackground) && nWrong++ < 5)
                ADD_FAILURE() << "canvas pixel " << cx << "," << cy << " is " << std::hex << pixels.At(x, y);
        }
    }
    EXPECT_EQ(nWrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, ViewGridTest,
                         ::testing::Values(GridCase{1, TRUE}, GridCase{2, TRUE}, GridCase{5, TRUE}, GridCase{20, TRUE},
                                           GridCase{64, TRUE}, GridCase{100, TRUE}, GridCase{5, FALSE}),
                         [](const auto& info) {
                             return "Step" + std::to_string(info.param.wStep) + (info.param.bShown ? "" : "Hidden");
                         });

TEST_F(ViewTest, AScrolledViewShowsTheSameCanvasShifted)
{
    CTETrackObject* pA = Create("CTEProcIN_1", 60, 40);
    CTETrackObject* pB = Create("CTEProcOUT_1", 300, 150);
    ASSERT_TRUE(pA && pB);
    ASSERT_TRUE(Connect(pA, 0, pB, 0, {CPoint(230, 60), CPoint(230, 170)}));
    Repaint();
    Pixels before = Client();

    const CPoint shift(31, 17);
    m_pView->ScrollToPosition(shift);
    Repaint();
    ASSERT_EQ(m_pView->GetScrollPosition(), shift);
    Pixels after = Client();

    int nWrong = 0;
    for (int y = 0; y + shift.y < before.height; ++y)
        for (int x = 0; x + shift.x < before.width; ++x)
            if (after.At(x, y) != before.At(x + shift.x, y + shift.y))
                nWrong++;
    EXPECT_EQ(nWrong, 0);
    // The picture holds blocks and lines, not only background and dots.
    EXPECT_NE(before.At(70, 50), kBackground);
}

// The wheel through the real queue: down and up, and sideways with Shift;
// the picture is the canvas shifted as by the bars.
TEST_F(ViewTest, TheWheelScrollsTheCanvasAndShiftTurnsItSideways)
{
    ASSERT_TRUE(Create("CTEProcIN_1", 60, 40));
    Repaint();
    Pixels before = Client();
    int nMapMode;
    SIZE total, page, line;
    m_pView->GetDeviceScrollSizes(nMapMode, total, page, line);
    ASSERT_GT(line.cy, 0);

    PlInputMouseWheel(m_pView->m_hWnd, 100, 100, -WHEEL_DELTA, 0);
    PlInputMouseWheel(m_pView->m_hWnd, 100, 100, -WHEEL_DELTA, MK_SHIFT);
    PlPumpMessages();
    const CPoint shift(3 * line.cx, 3 * line.cy);
    ASSERT_EQ(m_pView->GetScrollPosition(), shift);
    Pixels after = Client();
    int nWrong = 0;
    for (int y = 0; y + shift.y < before.height - 20; ++y)
        for (int x = 0; x + shift.x < before.width - 20; ++x)
            if (after.At(x, y) != before.At(x + shift.x, y + shift.y))
                nWrong++;
    EXPECT_EQ(nWrong, 0);

    PlInputMouseWheel(m_pView->m_hWnd, 100, 100, 2 * WHEEL_DELTA, MK_SHIFT);
    PlInputMouseWheel(m_pView->m_hWnd, 100, 100, 2 * WHEEL_DELTA, 0);
    PlPumpMessages();
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(0, 0)) << "no further than the origin";
}

// Page keys scroll by a page (sideways with Shift), Home and End go to the
// top and the bottom, Ctrl+Home to the origin; the arrows do not scroll.
TEST_F(ViewTest, PageHomeAndEndKeysScrollTheCanvas)
{
    int nMapMode;
    SIZE total, page, line;
    m_pView->GetDeviceScrollSizes(nMapMode, total, page, line);
    CRect client;
    m_pView->GetClientRect(&client);
    auto press = [](UINT vk) {
        PlInputKey(vk, TRUE);
        PlInputKey(vk, FALSE);
        PlPumpMessages();
    };
    m_pView->SetFocus();
    press(VK_NEXT);
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(0, page.cy));
    PlInputKey(VK_SHIFT, TRUE);
    press(VK_NEXT);
    PlInputKey(VK_SHIFT, FALSE);
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(page.cx, page.cy));
    press(VK_DOWN);
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(page.cx, page.cy));
    press(VK_END);
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(page.cx, total.cy - client.Height()));
    press(VK_HOME);
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(page.cx, 0));
    press(VK_PRIOR);
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(page.cx, 0));
    PlInputKey(VK_CONTROL, TRUE);
    press(VK_HOME);
    PlInputKey(VK_CONTROL, FALSE);
    PlPumpMessages();
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(0, 0));
}

TEST_F(ViewTest, ScrollAreaGrowsWithTheBlocksAndNeverShrinks)
{
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(TEVIEW_INITIAL_SIZE, TEVIEW_INITIAL_SIZE));
    CTETrackObject* pBlock = Create("CTEProcIN_1", 100, 40);
    ASSERT_TRUE(pBlock);
    // Inside the initial area: message 2024 leaves it alone.
    EXPECT_EQ(m_pView->SendMessage(WM_TEVIEW_UPDATE_SCROLL, 0, 0), 0);
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(TEVIEW_INITIAL_SIZE, TEVIEW_INITIAL_SIZE));

    pBlock->SetPosition(CRect(CPoint(1500, 40), pBlock->m_rcPos.Size()));
    m_pView->SendMessage(WM_TEVIEW_UPDATE_SCROLL, 0, 0);
    const CSize canvas = m_Page.m_Tracker.GetCanvasSize();
    EXPECT_GE(canvas.cx, 1500);
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(canvas.cx, TEVIEW_INITIAL_SIZE));

    pBlock->SetPosition(CRect(CPoint(100, 40), pBlock->m_rcPos.Size()));
    m_pView->SendMessage(WM_TEVIEW_UPDATE_SCROLL, 0, 0);
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(canvas.cx, TEVIEW_INITIAL_SIZE));
}

class ViewRepaintTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_pA = Create("CTEProcIN_1", 40, 40);
        m_pB = Create("CTEProcOUT_1", 260, 40);
        m_pC = Create("CTEProcIN_2", 40, 200);
        ASSERT_TRUE(m_pA && m_pB && m_pC);
        ASSERT_TRUE(Connect(m_pA, 0, m_pB, 0));
        // New blocks count as changed: one timer repaint settles them.
        m_pView->SendMessage(WM_TEVIEW_REPAINT_CHANGED, 0, 0);
        Repaint();
        m_Reference = Client();
        Cover(kCover);
    }
    // Posted as the main dialog's timer does, and dispatched.
    void Tick()
    {
        m_pView->PostMessage(WM_TEVIEW_REPAINT_CHANGED, 0, 0);
        PlPumpMessages();
    }
    // Client pixels that are no longer the cover colour, outside `allowed`.
    int ChangedOutside(const Pixels& pixels, const CRect& allowed)
    {
        int n = 0;
        for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < pixels.width; ++x)
                if (pixels.At(x, y) != PixelOf(kCover) && !allowed.PtInRect(CPoint(x, y)))
                    n++;
        return n;
    }

    CTETrackObject* m_pA = nullptr;
    CTETrackObject* m_pB = nullptr;
    CTETrackObject* m_pC = nullptr;
    Pixels m_Reference;
};

TEST_F(ViewRepaintTest, DrawsExactlyTheChangedBlocksAndInvalidatesNothing)
{
    m_pB->m_bDirty = TRUE;
    Tick();

    Pixels pixels = Client();
    CRect body = m_pB->m_rcPos;
    ViewLPtoDP(m_pView, &body);
    CRect withPins = body;
    withPins.InflateRect(8, 0);
    EXPECT_EQ(ChangedOutside(pixels, withPins), 0);
    int nDifferent = 0;
    for (int y = body.top; y < body.bottom; ++y)
        for (int x = body.left; x < body.right; ++x)
            if (pixels.At(x, y) != m_Reference.At(x, y))
                nDifferent++;
    EXPECT_EQ(nDifferent, 0);
    EXPECT_FALSE(m_pB->m_bDirty);
    EXPECT_FALSE(::GetUpdateRect(m_pView->m_hWnd, nullptr, FALSE));
}

TEST_F(ViewRepaintTest, DrawsNothingWhenNoBlockChanged)
{
    Tick();
    EXPECT_EQ(ChangedOutside(Client(), CRect()), 0);
}

TEST_F(ViewRepaintTest, FollowsTheScrollPosition)
{
    m_pView->ScrollToPosition(CPoint(20, 10));
    Repaint();
    Pixels scrolled = Client();
    Cover(kCover);
    m_pC->m_bDirty = TRUE;
    Tick();

    Pixels pixels = Client();
    CRect body = m_pC->m_rcPos;
    ViewLPtoDP(m_pView, &body);
    EXPECT_EQ(body.TopLeft(), CPoint(20, 190));
    for (int y = body.top; y < body.bottom; ++y)
        for (int x = body.left; x < body.right; ++x)
            ASSERT_EQ(pixels.At(x, y), scrolled.At(x, y)) << x << "," << y;
}

}  // namespace

namespace {

const uint32_t kNotice = PixelOf(TEVIEW_NOTICE_BACKGROUND);
const uint32_t kNoticeText = PixelOf(TEVIEW_NOTICE_TEXT);

// Counts notice-coloured pixels in the rows [top, bottom) of the client area.
int NoticePixels(const Pixels& pixels, int top, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom && y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            n += pixels.At(x, y) == kNotice || pixels.At(x, y) == kNoticeText ? 1 : 0;
    return n;
}

}  // namespace

// The notice line: painted across the top when the device stops answering,
// at the top again after a scroll, and gone without a trace when it answers.
TEST_F(ViewTest, DeviceSilenceShowsANoticeLineThatLeavesNoTrace)
{
    CTETrackObject* pA = Create("CTEProcIN_1", 60, 4);
    ASSERT_NE(pA, nullptr);
    m_Document.Tick();
    Repaint();
    Pixels quiet = Client();
    EXPECT_EQ(NoticePixels(quiet, 0, kViewHeight), 0);

    corvala::EmbeddedDevice("TE1").SetDeviceOnline(false);
    m_Document.Tick();
    m_pView->UpdateWindow();
    Pixels silent = Client();
    // The whole width of the line, with its text, over the block under it.
    EXPECT_EQ(silent.At(1, 1), kNotice);
    EXPECT_EQ(silent.At(kViewWidth - 30, TEVIEW_NOTICE_HEIGHT - 1), kNotice);
    EXPECT_GT(NoticePixels(silent, 0, TEVIEW_NOTICE_HEIGHT), 0);
    int nText = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < TEVIEW_NOTICE_HEIGHT; ++y)
            nText += silent.At(x, y) == kNoticeText ? 1 : 0;
    EXPECT_GT(nText, 20);
    EXPECT_EQ(NoticePixels(silent, TEVIEW_NOTICE_HEIGHT, kViewHeight), 0);

    // Scrolled by the bar either way, the line is whole at the top again
    // and nowhere else.
    for (UINT nCode : {SB_LINEDOWN, SB_LINEUP}) {
        m_pView->SendMessage(WM_VSCROLL, nCode, 0);
        m_pView->UpdateWindow();
        Pixels scrolled = Client();
        EXPECT_EQ(m_pView->GetScrollPosition().y, nCode == SB_LINEDOWN ? 10 : 0);
        EXPECT_EQ(NoticePixels(scrolled, TEVIEW_NOTICE_HEIGHT, kViewHeight), 0);
        for (int y : {0, TEVIEW_NOTICE_HEIGHT - 1})
            EXPECT_EQ(scrolled.At(1, y), kNotice) << "row " << y;
    }

    corvala::EmbeddedDevice("TE1").SetDeviceOnline(true);
    m_Document.Tick();
    m_pView->UpdateWindow();
    Pixels back = Client();
    int nWrong = 0;
    for (int y = 0; y < back.height; ++y)
        for (int x = 0; x < back.width; ++x)
            nWrong += back.At(x, y) != quiet.At(x, y) ? 1 : 0;
    EXPECT_EQ(nWrong, 0);
}
