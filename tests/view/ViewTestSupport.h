// A task-engine view the way the page sets it up: a host window holding the
// view, a stand-in page that owns the object tracker and the grid settings,
// and a document connected to the embedded device "TE1". Pixels are read
// from the window surface.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "GfxTestSupport.h"
#include "afxwin.h"
#include "blocks/CTETrackObject.h"
#include "blocks/CanvasUtils.h"
#include "canvas/CTEObjectTracker.h"
#include "canvas/CTEViewPage.h"
#include "canvas/CUITaskEngineView.h"
#include "lines/CLineItem.h"
#include "pldisplay.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"

using gfxtest::ClientPixels;
using gfxtest::Pixels;

// The page as the view and the document see it. The host handlers record
// what reaches them and answer fixed values.
class ViewPage : public CTEViewPage, public CTEPageLink {
public:
    CTEObjectTracker* GetObjectTracker() override { return &m_Tracker; }
    UINT GetGridStep() const override { return m_wGrid; }
    BOOL IsGridShown() const override { return m_bShowGrid; }
    CTEDocument* GetDocument() override { return m_pDocument; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long OnMessage(unsigned message, long parameter) override
    {
        m_Received.push_back("message " + std::to_string(message) + " " + std::to_string(parameter));
        return 11;
    }
    long OnLoad(unsigned message, long parameter) override
    {
        m_Received.push_back("load " + std::to_string(message) + " " + std::to_string(parameter));
        return 12;
    }

    int GetRecordedPageWidth() const override { return 800; }
    long InvalidateCanvasRect(RECT* rc, BOOL bErase) override
    {
        if (m_pView == nullptr)
            return 0;
        ViewLPtoDP(m_pView, rc);
        m_pView->InvalidateRect(rc, bErase);
        return 1;
    }
    void OnProgramReplaced(BOOL bBlocks, BOOL bLines) override { m_Tracker.ForgetReplaced(bBlocks, bLines); }
    void OnSyncNoticeChanged() override
    {
        if (m_pView != nullptr)
            m_pView->ShowSyncNotice();
    }

    WORD m_wGrid = 5;
    BOOL m_bShowGrid = TRUE;
    CTEDocument* m_pDocument = nullptr;
    CUITaskEngineView* m_pView = nullptr;
    HOSTINFO m_Record;
    CTEObjectTracker m_Tracker;
    std::vector<std::string> m_Received;
};

class ViewTest : public ::testing::Test {
protected:
    static constexpr int kViewWidth = 600;
    static constexpr int kViewHeight = 400;

    void SetUp() override
    {
        corvala::ResetDevices();
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                   nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(m_hHost);
        m_Page.m_Record.m_pParent = &m_Dialog;
        m_Page.m_pDocument = &m_Document;
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        m_Dialog.OnLoad(0, reinterpret_cast<long>("connection=TE1"));

        m_pView = new CUITaskEngineView;
        m_pView->SetPage(&m_Page);
        ASSERT_TRUE(m_pView->Create(nullptr, "Y", WS_CHILD | WS_VISIBLE, CRect(0, 0, kViewWidth, kViewHeight),
                                    CWnd::FromHandle(m_hHost), 4002));
        m_pView->OnInitialUpdate();
        m_pView->SetFocus();
        m_Page.m_pView = m_pView;
        CTEObjectTracker& tracker = m_Page.m_Tracker;
        tracker.SetDocument(&m_Document);
        tracker.SetView(m_pView);
        tracker.SetGridPointer(&m_Page.m_wGrid);
        tracker.SetObjectList(&m_Document.m_DisplayList);
        tracker.SetLineList(&m_Document.m_LineList);
        Repaint();
    }

    void TearDown() override
    {
        PlSetMenuShownHook(nullptr, nullptr);
        if (m_pView != nullptr && ::IsWindow(m_pView->m_hWnd))
            m_pView->DestroyWindow();  // the view deletes itself
        m_Page.m_pView = nullptr;
        m_Document.Clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
        PlResetWindowSystem();
        PlAfxIdle(1);
        corvala::ResetDevices();
    }

    CTETrackObject* Create(const char* pszTypeKey, int x, int y)
    {
        int nIndex = m_Document.CreateBlock(pszTypeKey, x, y, 0, 0, nullptr, -1);
        return nIndex < 0 ? nullptr : static_cast<CTETrackObject*>(m_Document.m_BlockList[nIndex]);
    }
    // A line from output `out` of A over the bends to input `in` of B,
    // connected by the document and listed; null when refused.
    CLineItem* Connect(CTrackObject* pA, UINT out, CTrackObject* pB, UINT in, std::vector<CPoint> bends = {})
    {
        auto pLine = std::make_unique<CLineItem>();
        POINT pt;
        pA->GetPinPoint(PIN_SIDE_OUTPUT, out, &pt);
        pLine->AddPoint(pt.x, pt.y);
        for (CPoint bend : bends)
            pLine->AddPoint(bend.x, bend.y);
        pB->GetPinPoint(PIN_SIDE_INPUT, in, &pt);
        pLine->AddPoint(pt.x, pt.y);
        if (m_Document.ConnectLineTo(pA, pB, pLine.get()) != 1)
            return nullptr;
        m_Document.m_LineList.Add(pLine.get());
        return pLine.release();
    }

    // The whole client area painted afresh.
    void Repaint()
    {
        m_pView->Invalidate(TRUE);
        m_pView->UpdateWindow();
    }
    Pixels Client() { return ClientPixels(m_pView->m_hWnd); }
    // Paints the client area over with one colour, without invalidating.
    void Cover(COLORREF cr)
    {
        CDC* pDC = m_pView->GetDC();
        CRect rc;
        m_pView->GetClientRect(&rc);
        pDC->FillSolidRect(&rc, cr);
        m_pView->ReleaseDC(pDC);
    }
    CPoint CanvasToClient(CPoint pt)
    {
        ViewLPtoDP(m_pView, &pt);
        return pt;
    }

    HOSTINFO m_Root;
    CMainDlgHost m_Dialog;
    ViewPage m_Page;
    CTEDocument m_Document;
    HWND m_hHost = nullptr;
    CUITaskEngineView* m_pView = nullptr;
};

inline uint32_t PixelOf(COLORREF cr)
{
    return (static_cast<uint32_t>(GetRValue(cr)) << 16) | (static_cast<uint32_t>(GetGValue(cr)) << 8) | GetBValue(cr);
}
