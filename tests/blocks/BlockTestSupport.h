// Blocks the way the editor makes them: a main dialog's host side with a
// window, registered below a host root record, a document linked to it and to
// a stand-in page, fresh embedded devices, and pixel access to a bitmap that
// blocks draw into.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "afxwin.h"
#include "pldisplay.h"
#include "CorvalaHost.h"
#include "blocks/CTETrackObject.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"

// Readable rectangles and points in failure messages.
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}
inline void PrintTo(const CPoint& pt, std::ostream* os)
{
    *os << "(" << pt.x << "," << pt.y << ")";
}

class TestPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return 5; }
    int GetRecordedPageWidth() const override { return 800; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT*, BOOL) override { return 0; }

    HOSTINFO m_Record;
};

class BlockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        corvala::ResetDevices();
        m_hDialogWnd = ::CreateWindowEx(0, AfxRegisterWndClass(0), "Main", WS_POPUP, 0, 0, 300, 200, nullptr,
                                        nullptr, AfxGetInstanceHandle(), nullptr);
        m_Dialog.m_pParent = &m_Root;
        m_Dialog.RegisterHostinfo(m_hDialogWnd);
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
    }

    void TearDown() override
    {
        m_Document.m_BlockList.RemoveAll();
        m_Blocks.clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
        PlResetWindowSystem();
        PlAfxIdle(1);
        corvala::ResetDevices();
    }

    // Sets "connection" as the host does.
    void Connect(const std::string& devices)
    {
        std::string line = "connection=" + devices;
        m_Dialog.OnLoad(0, reinterpret_cast<long>(line.c_str()));
    }

    // A block of kind T made with the document, listed in it, with its four
    // channels built, as the document creates blocks.
    template <class T, class... Args>
    T* Make(Args&&... args)
    {
        auto block = std::make_unique<T>(std::forward<Args>(args)...);
        T* pBlock = block.get();
        m_Document.m_BlockList.Add(pBlock);
        m_Document.BuildBlockChannels(pBlock);
        m_Blocks.push_back(std::move(block));
        return pBlock;
    }

    // Stores the block's proc record on the devices, so that its keywords
    // are answered.
    BOOL Announce(CTETrackObject* pBlock, const std::string& typeKey)
    {
        std::string record = typeKey + " " + pBlock->CTrackObject::m_szName.c_str() + " " +
                             std::to_string(pBlock->m_rcPos.left) + "," + std::to_string(pBlock->m_rcPos.top);
        char szRecord[REQUEST_TEXT_SIZE] = {};
        record.copy(szRecord, sizeof szRecord - 1);
        int status = 0;
        a_SendRequest(&m_Dialog.Channel(TE_SETPROC).m_Requests, REQUEST_WRITE, DATATYPE_TEXT, szRecord, &status);
        return status == REQUEST_OK;
    }

    void Delete(CTETrackObject* pBlock)
    {
        for (INT_PTR i = 0; i < m_Document.m_BlockList.GetSize(); ++i) {
            if (m_Document.m_BlockList[i] == pBlock)
                m_Document.m_BlockList.RemoveAt(i);
        }
        std::erase_if(m_Blocks, [&](const auto& block) { return block.get() == pBlock; });
    }

    HWND m_hDialogWnd = nullptr;
    HOSTINFO m_Root;
    CMainDlgHost m_Dialog;
    TestPage m_Page;
    CTEDocument m_Document;
    std::vector<std::unique_ptr<CTETrackObject>> m_Blocks;
};

// A white 32-bit bitmap selected into a memory DC.
class Canvas {
public:
    Canvas(int cx, int cy)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.Attach(::CreateBitmap(cx, cy, 1, 32, nullptr));
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    }
    ~Canvas() { m_dc.SelectObject(m_pOldBitmap); }

    CDC* DC() { return &m_dc; }
    COLORREF Pixel(int x, int y) const { return m_dc.GetPixel(x, y); }
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(m_bitmap.m_hObject); }

    // Pixels of a rectangle, row by row.
    std::vector<COLORREF> Pixels(const RECT& rc) const
    {
        std::vector<COLORREF> pixels;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};
