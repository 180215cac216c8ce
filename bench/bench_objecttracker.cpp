// The canvas under the mouse: what one mouse move costs while a block is
// dragged, while a rubber band is open, and for the tooltip's hit test, for
// programs of 100, 1,000 and 5,000 blocks with as many lines. Gestures run
// through the real queue of the headless display, painting included.
#include <benchmark/benchmark.h>

#include <string>

#include "afxwin.h"
#include "blocks/CTrackObject.h"
#include "canvas/CLineTracker.h"
#include "canvas/CTEObjectTracker.h"
#include "lines/CLineItem.h"
#include "pldisplay.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"

namespace {

constexpr int kMovesPerGesture = 50;

class BenchView : public CScrollView {
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        pDC->GetClipBox(&rc);
        pDC->FillSolidRect(&rc, RGB(0xE6, 0xE6, 0xE6));
        m_pTracker->Paint(pDC, rc);
    }
    void OnLButtonDown(UINT nFlags, CPoint point) override
    {
        m_pTracker->OnLButtonDown(point + GetScrollPosition(), nFlags, TRUE, TRUE);
    }
    void PostNcDestroy() override {}
    CTEObjectTracker* m_pTracker = nullptr;
};

class BenchPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return 5; }
    int GetRecordedPageWidth() const override { return 1200; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT* rect, BOOL bErase) override
    {
        CPoint scroll = m_pView->GetScrollPosition();
        ::OffsetRect(rect, -scroll.x, -scroll.y);
        m_pView->InvalidateRect(rect, bErase);
        return 1;
    }
    HOSTINFO m_Record;
    BenchView* m_pView = nullptr;
};

// n blocks in rows of input, sum and output with a line per block, on a
// canvas far larger than the view; no device behind the document.
class Canvas {
public:
    explicit Canvas(int n)
    {
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                   nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        m_Page.m_pView = &m_View;
        m_Document.SetPage(&m_Page);
        m_View.m_pTracker = &m_Tracker;
        m_View.Create(nullptr, "canvas", WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), CWnd::FromHandle(m_hHost), 1);
        m_View.SetScrollSizes(MM_TEXT, CSize(7000, 20000));
        m_Tracker.SetObjectList(&m_Document.m_DisplayList);
        m_Tracker.SetLineList(&m_Document.m_LineList);
        m_Tracker.SetGridPointer(&m_nGrid);
        m_Tracker.SetView(&m_View);
        m_Tracker.SetDocument(&m_Document);
        Build(n);
        m_View.UpdateWindow();
        PlPumpMessages();
    }
    ~Canvas()
    {
        m_Document.Clear();
        m_View.DestroyWindow();
        PlResetWindowSystem();
    }

    void Build(int n)
    {
        CTrackObject* pPrevious = nullptr;
        for (int i = 0; i < n; ++i) {
            int x = 20 + (i % 20) * 300;
            int y = 20 + (i / 20) * 90;
            const char* pszKey = i % 3 == 0 ? "CTEProcIN_0" : (i % 3 == 1 ? "CTEProcFUNC_2xPLUS" : "CTEProcOUT_0");
            char szName[HOSTINFO_NAME_SIZE];
            std::snprintf(szName, sizeof szName, "B%d", i);
            int nIndex = m_Document.CreateBlock(pszKey, x, y, 0, 0, szName, -1);
            CTrackObject* pBlock = m_Document.m_BlockList[nIndex];
            if (pPrevious != nullptr && pPrevious->m_nOutputs > 0 && pBlock->m_nInputs > 0)
                Connect(pPrevious, pBlock);
            pPrevious = pBlock;
        }
        // As many lines as blocks: the rest go back along the rows.
        for (INT_PTR i = 0; m_Document.m_LineList.GetSize() < n && i + 4 < m_Document.m_BlockList.GetSize(); i += 3)
            Connect(m_Document.m_BlockList[i], m_Document.m_BlockList[i + 4]);
    }
    void Connect(CTrackObject* pA, CTrackObject* pB)
    {
        auto* pLine = new CLineItem;
        POINT a;
        POINT b;
        pA->GetPinPoint(PIN_SIDE_OUTPUT, 0, &a);
        pB->GetPinPoint(PIN_SIDE_INPUT, 0, &b);
        pLine->AddPoint(a.x, a.y);
        pLine->AddPoint((a.x + b.x) / 2, a.y);
        pLine->AddPoint((a.x + b.x) / 2, b.y);
        pLine->AddPoint(b.x, b.y);
        if (m_Document.ConnectLineTo(pA, pB, pLine) == 1)
            m_Document.m_LineList.Add(pLine);
        else
            delete pLine;
    }

    // A gesture from `from` out and back along a zigzag, released `end`
    // pixels right of where it started.
    void Gesture(CPoint from, int end)
    {
        HWND hView = m_View.GetSafeHwnd();
        PlInputMouseButton(hView, from.x, from.y, PL_BUTTON_LEFT, TRUE, 0);
        for (int i = 1; i <= kMovesPerGesture; ++i) {
            int k = i <= kMovesPerGesture / 2 ? i : kMovesPerGesture - i;
            PlInputMouseMove(hView, from.x + 4 * k, from.y + 3 * k, 0);
        }
        PlInputMouseButton(hView, from.x + end, from.y, PL_BUTTON_LEFT, FALSE, 0);
        PlPumpMessages();
    }

    HWND m_hHost = nullptr;
    BenchPage m_Page;
    CTEDocument m_Document;
    BenchView m_View;
    CTEObjectTracker m_Tracker;
    WORD m_nGrid = 5;
};

void SetPerMove(benchmark::State& state)
{
    state.counters["per_move"] = benchmark::Counter(static_cast<double>(state.iterations()) * kMovesPerGesture,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The first block dragged to and fro; the drop moves it and its line ends.
void BM_BlockDrag(benchmark::State& state)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    CTrackObject* pBlock = canvas.m_Document.m_BlockList[0];
    int nDirection = 1;
    for (auto _ : state) {
        canvas.Gesture(pBlock->m_rcPos.CenterPoint(), 10 * nDirection);
        nDirection = -nDirection;
    }
    SetPerMove(state);
}
BENCHMARK(BM_BlockDrag)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// A band opened on empty canvas over a few blocks; the release selects
// what it met.
void BM_RubberBand(benchmark::State& state)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        canvas.Gesture(CPoint(5, 5), 0);
        canvas.m_Tracker.DeselectAll();
    }
    SetPerMove(state);
}
BENCHMARK(BM_RubberBand)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The tooltip's hit test on a mouse move over empty canvas: every block is
// looked at.
void BM_TooltipHitTest(benchmark::State& state)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        canvas.m_Tracker.UpdateToolTip(0, 5 + (i & 1), 5);
        ++i;
    }
}
BENCHMARK(BM_TooltipHitTest)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
