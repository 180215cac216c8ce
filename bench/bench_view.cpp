// Painting the task-engine view: a full repaint of a 1200 x 900 view over
// programs of 100, 1,000 and 5,000 blocks with as many lines, once with the
// program spread over a large canvas (the view shows a corner of it) and once
// with every block and line inside the view; and the memory one block costs.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <memory>
#include <string>

#include "CorvalaHost.h"
#include "afxwin.h"
#include "blocks/CTETrackObject.h"
#include "blocks/CTrackObject.h"
#include "blocks/CanvasUtils.h"
#include "canvas/CTEObjectTracker.h"
#include "canvas/CTEViewPage.h"
#include "canvas/CUITaskEngineView.h"
#include "lines/CLineItem.h"
#include "pldisplay.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"

namespace {

constexpr int kViewWidth = 1200;
constexpr int kViewHeight = 900;

class BenchPage : public CTEViewPage, public CTEPageLink {
public:
    CTEObjectTracker* GetObjectTracker() override { return &m_Tracker; }
    UINT GetGridStep() const override { return m_wGrid; }
    BOOL IsGridShown() const override { return TRUE; }
    CTEDocument* GetDocument() override { return m_pDocument; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long OnMessage(unsigned, long) override { return 0; }
    long OnLoad(unsigned, long) override { return 0; }
    int GetRecordedPageWidth() const override { return kViewWidth; }
    long InvalidateCanvasRect(RECT*, BOOL) override { return 1; }

    WORD m_wGrid = 5;
    CTEDocument* m_pDocument = nullptr;
    HOSTINFO m_Record;
    CTEObjectTracker m_Tracker;
};

// An editor on the embedded device with a view, without blocks yet.
struct Editor {
    Editor()
    {
        corvala::ResetDevices();
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP | WS_VISIBLE, 0, 0, kViewWidth + 40,
                                   kViewHeight + 40, nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(m_hHost);
        m_Page.m_Record.m_pParent = &m_Dialog;
        m_Page.m_pDocument = &m_Document;
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        m_Dialog.OnLoad(0, reinterpret_cast<long>("connection=BENCH"));
        m_pView = new CUITaskEngineView;
        m_pView->SetPage(&m_Page);
        m_pView->Create(nullptr, "Y", WS_CHILD | WS_VISIBLE, CRect(0, 0, kViewWidth, kViewHeight),
                        CWnd::FromHandle(m_hHost), 4002);
        m_pView->OnInitialUpdate();
        m_Page.m_Tracker.SetDocument(&m_Document);
        m_Page.m_Tracker.SetView(m_pView);
        m_Page.m_Tracker.SetGridPointer(&m_Page.m_wGrid);
        m_Page.m_Tracker.SetObjectList(&m_Document.m_DisplayList);
        m_Page.m_Tracker.SetLineList(&m_Document.m_LineList);
    }
    ~Editor()
    {
        m_pView->DestroyWindow();
        m_Document.Clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
        PlResetWindowSystem();
        PlAfxIdle(1);
        corvala::ResetDevices();
    }

    // n blocks, alternately inputs and outputs; each input feeds the output
    // after it through two lines with two bends each, so there are as many
    // lines as blocks. Positions step through `width` x `height` pixels.
    void Build(int n, int width, int height)
    {
        const int nColumns = std::max(1, width / 130);
        CTrackObject* pPrevious = nullptr;
        for (int i = 0; i < n; ++i) {
            const int x = (i % nColumns) * 130 % std::max(width - 120, 1);
            const int y = (i / nColumns) * 70 % std::max(height - 60, 1);
            const char* pszKey = i % 2 == 0 ? "CTEProcIN_1" : "CTEProcOUT_1";
            int nIndex = m_Document.CreateBlock(pszKey, x + (i / nColumns) % 7, y, 0, 0, nullptr, -1);
            if (nIndex < 0)
                continue;
            CTrackObject* pBlock = m_Document.m_BlockList[nIndex];
            if (i % 2 == 1 && pPrevious != nullptr) {
                Wire(pPrevious, pBlock);
                Wire(pPrevious, pBlock);  // a second, parallel connection
            }
            pPrevious = pBlock;
        }
        m_pView->SendMessage(WM_TEVIEW_REPAINT_CHANGED, 0, 0);
    }
    void Wire(CTrackObject* pA, CTrackObject* pB)
    {
        auto pLine = std::make_unique<CLineItem>();
        POINT from;
        POINT to;
        pA->GetPinPoint(PIN_SIDE_OUTPUT, 0, &from);
        pB->GetPinPoint(PIN_SIDE_INPUT, 0, &to);
        const int xMiddle = (from.x + to.x) / 2;
        pLine->AddPoint(from.x, from.y);
        pLine->AddPoint(xMiddle, from.y + 3);
        pLine->AddPoint(xMiddle, to.y);
        pLine->AddPoint(to.x, to.y);
        if (m_Document.ConnectLineTo(pA, pB, pLine.get()) == 1)
            m_Document.m_LineList.Add(pLine.release());
    }
    void Repaint()
    {
        m_pView->Invalidate(TRUE);
        m_pView->UpdateWindow();
    }

    HOSTINFO m_Root;
    CMainDlgHost m_Dialog;
    BenchPage m_Page;
    CTEDocument m_Document;
    HWND m_hHost = nullptr;
    CUITaskEngineView* m_pView = nullptr;
};

void RunRepaint(benchmark::State& state, int width, int height)
{
    Editor editor;
    editor.Build(static_cast<int>(state.range(0)), width, height);
    for (auto _ : state)
        editor.Repaint();
    state.counters["blocks"] = static_cast<double>(editor.m_Document.m_BlockList.GetSize());
    state.counters["lines"] = static_cast<double>(editor.m_Document.m_LineList.GetSize());
}

// The program spread as it would be drawn: 130 x 70 pixels a block.
void FullRepaintSpread(benchmark::State& state) { RunRepaint(state, 130 * 40, 1 << 20); }
// Every block and line inside the view, overlapping.
void FullRepaintAllVisible(benchmark::State& state) { RunRepaint(state, kViewWidth, kViewHeight); }

// Heap bytes per block with its channels, at 5,000 blocks.
void BlockMemory(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Editor editor;
        const size_t before = mallinfo2().uordblks;
        for (int i = 0; i < n; ++i)
            editor.m_Document.CreateBlock(i % 2 == 0 ? "CTEProcIN_1" : "CTEProcOUT_1", (i % 50) * 130,
                                          (i / 50) * 70, 0, 0, nullptr, -1);
        const size_t after = mallinfo2().uordblks;
        state.counters["bytes_per_block"] = static_cast<double>(after - before) / n;
    }
    state.counters["sizeof_block_base"] = sizeof(CTETrackObject);
}

void Sizes(benchmark::internal::Benchmark* bench)
{
    bench->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(FullRepaintSpread)->Apply(Sizes);
BENCHMARK(FullRepaintAllVisible)->Apply(Sizes);
BENCHMARK(BlockMemory)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);
