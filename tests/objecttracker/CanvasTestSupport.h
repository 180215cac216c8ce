// A canvas the way the task-engine page builds it: a scrolling view in a
// host window, the task-engine tracker bound to a document whose dialog
// talks to the embedded device "TE1", and a page that invalidates through
// the view and tells the tracker when a reload replaced the program.
//
// Gestures go through the real queue: a test queues the whole gesture
// (press, moves, release or cancel) with the input hooks and then pumps the
// queue; the view hands the press to the tracker as the editor's view does,
// and the tracker's modal loops read the rest.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "afxwin.h"
#include "CorvalaHost.h"
#include "blocks/CTETrackObject.h"
#include "canvas/CLineTracker.h"
#include "canvas/CTEObjectTracker.h"
#include "lines/CLineItem.h"
#include "pldisplay.h"
#include "plsurface.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"
#include "sync/TELineRecord.h"

inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}
inline void PrintTo(const CPoint& pt, std::ostream* os)
{
    *os << "(" << pt.x << "," << pt.y << ")";
}

constexpr COLORREF kCanvasBackground = RGB(0xE6, 0xE6, 0xE6);

// The editor's view as far as the tracker sees it: background, lines and
// blocks painted; presses, moves and keys handed to the tracker.
class CanvasView : public CScrollView {
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rcClip;
        pDC->GetClipBox(&rcClip);
        pDC->FillSolidRect(&rcClip, kCanvasBackground);
        m_pTracker->Paint(pDC, rcClip);
    }
    void OnLButtonDown(UINT nFlags, CPoint point) override
    {
        point += GetScrollPosition();
        m_nPressResult = m_pTracker->OnLButtonDown(point, nFlags, TRUE, TRUE);
    }
    void OnMouseMove(UINT nFlags, CPoint point) override { m_pTracker->UpdateToolTip(nFlags, point.x, point.y); }
    void OnKeyDown(UINT nChar, UINT, UINT) override
    {
        switch (nChar) {
        case VK_LEFT: m_pTracker->MoveSelection(-1, 0); break;
        case VK_UP: m_pTracker->MoveSelection(0, -1); break;
        case VK_RIGHT: m_pTracker->MoveSelection(1, 0); break;
        case VK_DOWN: m_pTracker->MoveSelection(0, 1); break;
        case VK_DELETE: m_pTracker->DeleteSelected(); break;
        default: break;
        }
    }
    void OnKeyUp(UINT nChar, UINT, UINT) override
    {
        int g = m_pTracker->GetGridSize();
        switch (nChar) {
        case VK_LEFT: m_pTracker->MoveSelection(g, 0); break;
        case VK_UP: m_pTracker->MoveSelection(0, g); break;
        case VK_RIGHT: m_pTracker->MoveSelection(-g, 0); break;
        case VK_DOWN: m_pTracker->MoveSelection(0, -g); break;
        default: break;
        }
    }
    void PostNcDestroy() override {}  // a member of the fixture

    CTEObjectTracker* m_pTracker = nullptr;
    long m_nPressResult = -1;
};

class CanvasPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return *m_pGrid; }
    int GetRecordedPageWidth() const override { return 800; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT* rect, BOOL bErase) override
    {
        CPoint scroll = m_pView->GetScrollPosition();
        ::OffsetRect(rect, -scroll.x, -scroll.y);
        m_pView->InvalidateRect(rect, bErase);
        return 1;
    }
    void OnProgramReplaced(BOOL bBlocks, BOOL bLines) override
    {
        ++m_nReplaced;
        m_pTracker->ForgetReplaced(bBlocks, bLines);
    }

    WORD* m_pGrid = nullptr;
    CanvasView* m_pView = nullptr;
    CTEObjectTracker* m_pTracker = nullptr;
    HOSTINFO m_Record;
    int m_nReplaced = 0;
};

// The client pixels of a window, rows top-down, as 0x00RRGGBB.
inline std::vector<uint32_t> ClientPixels(HWND hWnd)
{
    POINT origin;
    HBITMAP surface = PlGetWindowSurface(hWnd, &origin);
    SIZE size;
    uint32_t* bits = PlBitmapBits(surface, &size);
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    POINT pt = {0, 0};
    ::ClientToScreen(hWnd, &pt);
    POINT top = {0, 0};
    ::ClientToScreen(::GetAncestor(hWnd, GA_ROOT), &top);
    int x0 = origin.x + (pt.x - top.x);
    int y0 = origin.y + (pt.y - top.y);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < rc.Height(); ++y)
        for (int x = 0; x < rc.Width(); ++x)
            pixels.push_back(bits[(y0 + y) * size.cx + x0 + x]);
    return pixels;
}

// Helpers are public: timer callbacks in the tests drive the fixture in the
// middle of a gesture.
class CanvasTest : public ::testing::Test {
public:
    void SetUp() override
    {
        corvala::ResetDevices();
        RECT rect = {0, 0, kWidth, kHeight};
        ::AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "Canvas host", WS_POPUP | WS_VISIBLE, 0, 0,
                                   rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                   AfxGetInstanceHandle(), nullptr);
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(m_hHost);
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        std::string line = "connection=TE1";
        m_Dialog.OnLoad(0, reinterpret_cast<long>(line.c_str()));

        m_View.m_pTracker = &m_Tracker;
        ASSERT_TRUE(m_View.Create(nullptr, "canvas", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight),
                                  CWnd::FromHandle(m_hHost), 1));
        m_View.SetScrollSizes(MM_TEXT, CSize(2000, 2000));
        m_Page.m_pGrid = &m_nGrid;
        m_Page.m_pView = &m_View;
        m_Page.m_pTracker = &m_Tracker;
        m_Tracker.SetObjectList(&m_Document.m_DisplayList);
        m_Tracker.SetLineList(&m_Document.m_LineList);
        m_Tracker.SetGridPointer(&m_nGrid);
        m_Tracker.SetView(&m_View);
        m_Tracker.SetDocument(&m_Document);
        m_View.SetFocus();
        Settle();
    }

    void TearDown() override
    {
        m_Document.Clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
        m_View.DestroyWindow();
        PlResetWindowSystem();
        PlAfxIdle(1);
        corvala::ResetDevices();
    }

    static tedevice::TaskEngineDevice& Device() { return corvala::EmbeddedDevice("TE1"); }
    HWND View() { return m_View.GetSafeHwnd(); }

    CTETrackObject* Create(const char* pszTypeKey, int x, int y, const char* pszName)
    {
        char szName[HOSTINFO_NAME_SIZE] = {};
        std::strcpy(szName, pszName);
        int nIndex = m_Document.CreateBlock(pszTypeKey, x, y, 0, 0, szName, -1);
        // The page repaints a dropped block; the document does not.
        m_View.Invalidate(TRUE);
        return nIndex < 0 ? nullptr : static_cast<CTETrackObject*>(m_Document.m_BlockList[nIndex]);
    }
    CTETrackObject* Block(const char* pszName) { return static_cast<CTETrackObject*>(m_Document.FindBlock(pszName)); }

    // A pin centre in client coordinates of the view.
    CPoint PinClient(CTrackObject* pBlock, int side, UINT index)
    {
        POINT pt;
        pBlock->GetPinPoint(side, index, &pt);
        return CPoint(pt) - m_View.GetScrollPosition();
    }

    // ---- Gestures ----
    // Each press comes well after the one before: two presses at one place
    // would make a double click.
    void Press(CPoint pt, UINT keys = 0)
    {
        PlHeadlessAdvanceClock(1000);
        PlInputMouseButton(View(), pt.x, pt.y, PL_BUTTON_LEFT, TRUE, keys);
    }
    void Release(CPoint pt, UINT keys = 0) { PlInputMouseButton(View(), pt.x, pt.y, PL_BUTTON_LEFT, FALSE, keys); }
    void Move(CPoint pt, UINT keys = 0) { PlInputMouseMove(View(), pt.x, pt.y, keys); }
    void Click(CPoint pt, UINT keys = 0)
    {
        PlHeadlessAdvanceClock(1000);
        PlInputMouseClick(View(), pt.x, pt.y, PL_BUTTON_LEFT, keys);
    }
    void RightClick(CPoint pt) { PlInputMouseClick(View(), pt.x, pt.y, PL_BUTTON_RIGHT, 0); }
    void Key(UINT vk)
    {
        PlInputKey(vk, TRUE);
        PlInputKey(vk, FALSE);
    }
    void Drag(CPoint from, std::initializer_list<CPoint> path, UINT keys = 0)
    {
        Press(from, keys);
        CPoint last = from;
        for (CPoint pt : path) {
            Move(pt, keys);
            last = pt;
        }
        Release(last, keys);
    }
    // Runs the queued gesture: the view gets the press and the tracker's
    // loops read the rest; then the queue is pumped dry (paints included).
    void Run()
    {
        m_View.m_nPressResult = -1;
        PlPumpMessages();
    }
    void Settle()
    {
        m_View.UpdateWindow();
        PlPumpMessages();
    }

    // ---- What the device holds ----
    // Blocks as "name x,y", in the device's and the document's order.
    std::vector<std::string> DeviceBlocks()
    {
        std::vector<std::string> positions;
        for (const std::string& record : Device().ProcRecords())
            positions.push_back(record.substr(record.find(' ') + 1));
        return positions;
    }
    std::vector<std::string> CanvasBlocks()
    {
        std::vector<std::string> records;
        for (INT_PTR i = 0; i < m_Document.m_BlockList.GetSize(); ++i) {
            CTrackObject* pBlock = m_Document.m_BlockList[i];
            records.push_back(std::string(pBlock->m_szName) + ' ' +
                              std::to_string(pBlock->m_rcPos.left) + ',' + std::to_string(pBlock->m_rcPos.top));
        }
        return records;
    }
    std::vector<std::string> DeviceLines() { return Device().LineRecords(); }
    std::vector<std::string> CanvasLines()
    {
        std::vector<std::string> records;
        for (INT_PTR i = 0; i < m_Document.m_LineList.GetSize(); ++i)
            records.push_back(TEFormatLineRecord(*m_Document.m_LineList[i]));
        return records;
    }
    // After the next tick the device holds exactly what the canvas shows.
    void ExpectDeviceMatchesCanvas()
    {
        m_Document.Tick();
        EXPECT_EQ(DeviceBlocks(), CanvasBlocks());
        EXPECT_EQ(DeviceLines(), CanvasLines());
    }

    // ---- Pixels ----
    std::vector<uint32_t> Snapshot()
    {
        Settle();
        return ClientPixels(View());
    }
    // The canvas as a fresh paint of the model shows it.
    std::vector<uint32_t> FreshPaint()
    {
        m_View.Invalidate(TRUE);
        return Snapshot();
    }
    // No trace of any gesture feedback: what is on screen is what a repaint
    // of the same model gives.
    void ExpectNoTrace()
    {
        std::vector<uint32_t> shown = Snapshot();
        std::vector<uint32_t> fresh = FreshPaint();
        ASSERT_EQ(shown.size(), fresh.size());
        size_t nDiffer = 0;
        int nFirst = -1;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] != fresh[i]) {
                if (nFirst < 0)
                    nFirst = static_cast<int>(i);
                ++nDiffer;
            }
        }
        CRect rc;
        m_View.GetClientRect(&rc);
        EXPECT_EQ(nDiffer, 0u) << "first at (" << (nFirst % rc.Width()) << "," << (nFirst / rc.Width()) << ")";
    }
    COLORREF PixelAt(const std::vector<uint32_t>& pixels, CPoint pt)
    {
        CRect rc;
        m_View.GetClientRect(&rc);
        uint32_t v = pixels[pt.y * rc.Width() + pt.x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

    static constexpr int kWidth = 600;
    static constexpr int kHeight = 400;

    HOSTINFO m_Root;
    HWND m_hHost = nullptr;
    CMainDlgHost m_Dialog;
    CanvasPage m_Page;
    CTEDocument m_Document;
    CanvasView m_View;
    CTEObjectTracker m_Tracker;
    WORD m_nGrid = 5;
};
