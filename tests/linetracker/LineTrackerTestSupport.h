// A canvas for line-tracker tests: a scroll view that paints through an
// object tracker, a document with real blocks and the embedded device "TE1"
// behind the tracker, and the press handling of the canvas for lines (select,
// track, and a branch started from a node).
//
// Gestures go through the real queue: a test queues the whole gesture with
// the display's input calls, then takes the press from the queue the way the
// view would and hands it to the tracker.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CorvalaHost.h"
#include "GfxTestSupport.h"
#include "afxview.h"
#include "afxwin.h"
#include "blocks/CTETrackObject.h"
#include "canvas/CLineTracker.h"
#include "canvas/CTEObjectTracker.h"
#include "lines/CLineItem.h"
#include "pldisplay.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"
#include "sync/TELineRecord.h"

inline void PrintTo(const CPoint& pt, std::ostream* os) { *os << "(" << pt.x << "," << pt.y << ")"; }

// White background, then the tracker's paint: lines, then blocks.
class CanvasView : public CScrollView {
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        pDC->GetClipBox(&rc);
        pDC->FillSolidRect(&rc, RGB(255, 255, 255));
        m_pTracker->Paint(pDC, rc);
    }
    CObjectTracker* m_pTracker = nullptr;
};

class CanvasPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return m_wGrid; }
    int GetRecordedPageWidth() const override { return 800; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT* rc, BOOL bErase) override
    {
        CRect area(*rc);
        area.OffsetRect(-m_pView->GetScrollPosition());
        m_pView->InvalidateRect(&area, bErase);
        return 1;
    }
    WORD m_wGrid = 10;
    HOSTINFO m_Record;
    CScrollView* m_pView = nullptr;
};

// A window that runs a test's step the moment it is painted, which is once
// the queued input has been read: the step may take the capture, paint
// something else, and queue what follows.
class PaintHook {
public:
    explicit PaintHook(std::function<void()> step)
    {
        static const bool bRegistered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = &PaintHook::WndProc;
            wc.lpszClassName = "PaintHook";
            return ::RegisterClassA(&wc) != 0;
        }();
        EXPECT_TRUE(bRegistered);
        Step() = std::move(step);
        m_hWnd = ::CreateWindowExA(0, "PaintHook", "Hook", WS_POPUP | WS_VISIBLE, 650, 0, 20, 20, nullptr,
                                   nullptr, nullptr, nullptr);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }

    HWND m_hWnd = nullptr;

private:
    static std::function<void()>& Step()
    {
        static std::function<void()> step;
        return step;
    }
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_PAINT)
            return ::DefWindowProcA(hWnd, message, wParam, lParam);
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        if (Step())
            std::exchange(Step(), nullptr)();
        return 0;
    }
};

class LineTrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        corvala::ResetDevices();
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr,
                                   nullptr, AfxGetInstanceHandle(), nullptr);
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(m_hHost);
        m_Page.m_Record.m_pParent = &m_Dialog;
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        m_Dialog.OnLoad(0, reinterpret_cast<long>("connection=TE1"));

        m_pView = new CanvasView;
        m_pView->m_pTracker = &m_Tracker;
        ASSERT_TRUE(m_pView->Create(nullptr, "Canvas", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400),
                                    CWnd::FromHandle(m_hHost), 1));
        m_pView->SetScrollSizes(MM_TEXT, CSize(1200, 900));
        m_Page.m_pView = m_pView;
        m_Tracker.SetDocument(&m_Document);
        m_Tracker.SetView(m_pView);
        m_Tracker.SetGridPointer(&m_Page.m_wGrid);
        m_Tracker.SetObjectList(&m_Document.m_DisplayList);
        m_Tracker.SetLineList(&m_Document.m_LineList);
    }

    void TearDown() override
    {
        if (::IsWindow(m_pView->m_hWnd))
            m_pView->DestroyWindow();  // the view deletes itself
        m_Document.Clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
        PlResetWindowSystem();
        PlAfxIdle(1);
        corvala::ResetDevices();
    }

    CLineTracker& Lines() { return *m_Tracker.m_pLineTracker; }
    HWND View() const { return m_pView->m_hWnd; }

    CTETrackObject* Create(const char* pszTypeKey, int x, int y)
    {
        int nIndex = m_Document.CreateBlock(pszTypeKey, x, y, 0, 0, nullptr, -1);
        return nIndex < 0 ? nullptr : static_cast<CTETrackObject*>(m_Document.m_BlockList[nIndex]);
    }
    CPoint Pin(CTrackObject* pBlock, int side, UINT index)
    {
        POINT pt{};
        pBlock->GetPinPoint(side, index, &pt);
        return pt;
    }
    // A line over the points, connected by the document (pA, pB null for a
    // branch of pParent at nNode).
    CLineItem* AddLine(std::initializer_list<CPoint> points, CTrackObject* pA, CTrackObject* pB,
                       CLineItem* pParent = nullptr, int nNode = -1)
    {
        auto pLine = std::make_unique<CLineItem>();
        pLine->m_pParent = pParent;
        pLine->m_nNode = nNode;
        for (CPoint pt : points)
            pLine->AddPoint(pt.x, pt.y);
        pLine->SetColor(0);
        EXPECT_EQ(m_Document.ConnectLineTo(pA, pB, pLine.get()), 1);
        m_Document.m_LineList.Add(pLine.get());
        return pLine.release();
    }

    // ---- Gestures ----
    // Queued input at client points of the view.
    void Down(CPoint pt, UINT keys = 0) { PlInputMouseButton(View(), pt.x, pt.y, PL_BUTTON_LEFT, TRUE, keys); }
    void Up(CPoint pt) { PlInputMouseButton(View(), pt.x, pt.y, PL_BUTTON_LEFT, FALSE, 0); }
    void Move(CPoint pt, UINT keys = 0) { PlInputMouseMove(View(), pt.x, pt.y, keys); }
    void Click(CPoint pt) { PlInputMouseClick(View(), pt.x, pt.y, PL_BUTTON_LEFT, 0); }
    void RightDown(CPoint pt) { PlInputMouseButton(View(), pt.x, pt.y, PL_BUTTON_RIGHT, TRUE, 0); }
    void Escape() { PlInputKey(VK_ESCAPE, TRUE); }

    // The queued press as the canvas handles it on a line: select, then
    // track; a press and release on a selected bend starts a branch there.
    // The result of the tracking, or -1 when no line was hit.
    int Press()
    {
        MSG msg{};
        ::GetMessageA(&msg, nullptr, 0, 0);
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONDOWN));
        CPoint pt = CPoint(msg.lParam) + m_pView->GetScrollPosition();
        const UINT keys = static_cast<UINT>(msg.wParam) & (MK_SHIFT | MK_CONTROL);
        if (Lines().SelectLineAt(m_pView, keys, pt.x, pt.y, &m_Document.m_LineList) == 0 || !Lines().m_pHitLine)
            return -1;
        const int r = Lines().HitTestAndTrack(m_pView, pt.x, pt.y, nullptr);
        if (r == 1)
            m_pDrawn = Lines().DrawNewLine(m_pView, pt, nullptr, 0, Lines().m_pHitLine, Lines().m_nHitPart);
        return r;
    }
    // The queued press on a pin starts a new line from it.
    CLineItem* PressPin()
    {
        MSG msg{};
        ::GetMessageA(&msg, nullptr, 0, 0);
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONDOWN));
        CPoint pt = CPoint(msg.lParam) + m_pView->GetScrollPosition();
        for (INT_PTR i = m_Document.m_DisplayList.GetSize() - 1; i >= 0; --i) {
            CTrackObject* pBlock = m_Document.m_DisplayList[i];
            if (int nPin = pBlock->HitTestPin(&pt))
                return Lines().DrawNewLine(m_pView, pt, pBlock, nPin, nullptr, 0);
        }
        ADD_FAILURE() << "no pin under the press";
        return nullptr;
    }

    // ---- Checks ----
    gfxtest::Pixels Client() { return gfxtest::ClientPixels(View()); }
    void Repaint()
    {
        m_pView->Invalidate(TRUE);
        m_pView->UpdateWindow();
    }
    // After the gesture and the paints it caused, the canvas shows exactly
    // what a fresh paint of the model shows.
    void ExpectNoTrace()
    {
        PlPumpMessages();
        gfxtest::Pixels after = Client();
        Repaint();
        gfxtest::Pixels fresh = Client();
        int nDiffer = 0;
        CPoint first(-1, -1);
        for (int y = 0; y < fresh.height; ++y)
            for (int x = 0; x < fresh.width; ++x)
                if (after.At(x, y) != fresh.At(x, y) && nDiffer++ == 0)
                    first = CPoint(x, y);
        EXPECT_EQ(nDiffer, 0) << "first at " << first.x << "," << first.y;
    }
    // The device's record of the line after a tick equals the line's own.
    void ExpectOnDevice(const CLineItem* pLine)
    {
        m_Document.Tick();
        const std::string mine = TEFormatLineRecord(*pLine);
        std::vector<std::string> records = corvala::EmbeddedDevice("TE1").LineRecords();
        EXPECT_NE(std::find(records.begin(), records.end(), mine), records.end()) << mine;
    }
    static std::string PointsOf(const CLineItem* pLine)
    {
        std::string text;
        for (int i = 0; i < pLine->m_nPoints; ++i)
            text += (i ? " " : "") + std::to_string(pLine->m_points[i].x) + "," + std::to_string(pLine->m_points[i].y);
        return text;
    }
    static uint32_t Rgb(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }

    HOSTINFO m_Root;
    CMainDlgHost m_Dialog;
    CanvasPage m_Page;
    CTEDocument m_Document;
    CTEObjectTracker m_Tracker;
    HWND m_hHost = nullptr;
    CanvasView* m_pView = nullptr;
    CLineItem* m_pDrawn = nullptr;
};
