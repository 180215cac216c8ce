// Conversions and invalidation through a scrolled view.
#include <gtest/gtest.h>

#include "BlockTestSupport.h"
#include "blocks/CanvasUtils.h"
#include "blocks/CTEProcIN.h"

namespace {

class BlankView : public CScrollView {
public:
    void OnDraw(CDC*) override {}
};

class CanvasUtilsTest : public BlockTest {
protected:
    void SetUp() override
    {
        BlockTest::SetUp();
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                   nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        m_pView = new BlankView;  // deletes itself with its window
        ASSERT_TRUE(m_pView->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100),
                                    CWnd::FromHandle(m_hHost), 1));
        m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
        m_pView->ScrollToPosition(CPoint(30, 40));
    }

    HWND m_hHost = nullptr;
    BlankView* m_pView = nullptr;
};

TEST_F(CanvasUtilsTest, ConversionsFollowTheScrollPosition)
{
    POINT pt = {0, 0};
    ViewDPtoLP(m_pView, &pt);
    EXPECT_EQ(CPoint(pt), CPoint(30, 40));
    ViewLPtoDP(m_pView, &pt);
    EXPECT_EQ(CPoint(pt), CPoint(0, 0));
    CRect rc(30, 40, 50, 60);
    ViewLPtoDP(m_pView, &rc);
    EXPECT_EQ(rc, CRect(0, 0, 20, 20));
    ViewDPtoLP(m_pView, &rc);
    EXPECT_EQ(rc, CRect(30, 40, 50, 60));
}

TEST_F(CanvasUtilsTest, InvalidateObjectCoversFrameAndPins)
{
    auto* pIn = Make<CTEProcIN>(60, 50, &m_Document, 0, nullptr);
    m_pView->ValidateRect(nullptr);
    InvalidateObject(m_pView, pIn);
    CRect update;
    ASSERT_TRUE(::GetUpdateRect(m_pView->m_hWnd, &update, FALSE));
    EXPECT_EQ(update, CRect(24, 4, 96, 41));
}

}  // namespace
