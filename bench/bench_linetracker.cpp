// The line tracker under mouse moves, on canvases of 100, 1,000 and 5,000
// lines: one move of a bend drag (the whole drag of many moves through the
// real queue, divided by its moves), and the hit test of every line that a
// press on the canvas runs.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "afxview.h"
#include "afxwin.h"
#include "canvas/CLineTracker.h"
#include "canvas/CObjectTracker.h"
#include "lines/CLineItem.h"
#include "pldisplay.h"

namespace {

class BenchView : public CScrollView {
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

// n lines of four points, in rows across a large canvas, on a headless
// display, with the view painted once.
class Canvas {
public:
    explicit Canvas(int n)
    {
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 800,
                                   nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        m_pView = new BenchView;
        m_pView->m_pTracker = &m_Tracker;
        m_pView->Create(nullptr, "Canvas", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 800), CWnd::FromHandle(m_hHost),
                        1);
        m_pView->SetScrollSizes(MM_TEXT, CSize(20000, 20000));
        for (int i = 0; i < n; ++i) {
            const int x = (i % 50) * 200;
            const int y = (i / 50) * 40;
            auto pLine = std::make_unique<CLineItem>();
            pLine->AddPoint(x, y + 10);
            pLine->AddPoint(x + 60, y + 10);
            pLine->AddPoint(x + 60, y + 30);
            pLine->AddPoint(x + 150, y + 30);
            m_Lines.Add(pLine.get());
            m_Owned.push_back(std::move(pLine));
        }
        m_Tracker.SetObjectList(&m_Blocks);
        m_Tracker.SetLineList(&m_Lines);
        m_Tracker.SetView(m_pView);
        m_pView->UpdateWindow();
    }
    ~Canvas()
    {
        m_pView->DestroyWindow();
        PlResetWindowSystem();
        PlAfxIdle(1);
    }

    CObjectTracker m_Tracker;
    BenchView* m_pView = nullptr;
    HWND m_hHost = nullptr;
    CArray<CTrackObject*, CTrackObject*> m_Blocks;
    CArray<CLineItem*, CLineItem*> m_Lines;
    std::vector<std::unique_ptr<CLineItem>> m_Owned;
};

constexpr int kMovesPerDrag = 200;

void BM_BendDragMove(benchmark::State& state)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    CLineTracker& lines = *canvas.m_Tracker.m_pLineTracker;
    CLineItem* pLine = canvas.m_Lines[0];
    const HWND hView = canvas.m_pView->m_hWnd;
    for (auto _ : state) {
        state.PauseTiming();
        // A bend of the first line recorded and selected, as a press on it
        // leaves it, then the whole drag queued: off-grid moves, a release.
        lines.m_pHitLine = pLine;
        lines.m_nHitPart = 1;
        PlInputMouseButton(hView, 60, 10, PL_BUTTON_LEFT, TRUE, 0);
        MSG press;
        ::GetMessageA(&press, nullptr, 0, 0);
        for (int i = 0; i < kMovesPerDrag; ++i)
            PlInputMouseMove(hView, 63 + (i % 40) * 7, 13 + (i % 30) * 11, MK_LBUTTON);
        PlInputMouseButton(hView, 70, 20, PL_BUTTON_LEFT, FALSE, 0);
        state.ResumeTiming();

        benchmark::DoNotOptimize(lines.TrackPoint(LINE_PRESS_RECORDED_POINT, canvas.m_pView, 60, 10, nullptr));

        state.PauseTiming();
        // The repaint after the drag is not part of a move.
        canvas.m_pView->ValidateRect(nullptr);
        pLine->m_points[1] = CPoint(60, 10);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMovesPerDrag);
    // Seconds per move.
    state.counters["per_move"] =
        benchmark::Counter(kMovesPerDrag, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A press that hits no line: every line is tested.
void BM_HitTestAllLines(benchmark::State& state)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    CLineTracker& lines = *canvas.m_Tracker.m_pLineTracker;
    for (auto _ : state)
        benchmark::DoNotOptimize(lines.SelectLineAt(canvas.m_pView, MK_SHIFT, 19999, 19999, &canvas.m_Lines));
}

}  // namespace

BENCHMARK(BM_BendDragMove)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestAllLines)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);
