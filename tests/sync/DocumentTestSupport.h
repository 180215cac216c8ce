// Editors the way the main dialog builds them: a dialog's host side
// registered below a host root record and connected to an embedded device,
// a document linked to it and to a stand-in page. The device keeps a log of
// the requests it receives, so that tests can count what an editor sent.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "blocks/CTETrackObject.h"
#include "lines/CLineItem.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"
#include "sync/TELineRecord.h"

inline void PrintTo(const CPoint& pt, std::ostream* os)
{
    *os << "(" << pt.x << "," << pt.y << ")";
}
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

// The page as the document sees it: grid 5, 800 pixels wide, and a record of
// every canvas rectangle invalidated.
class RecordingPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return m_nGrid; }
    int GetRecordedPageWidth() const override { return m_nWidth; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT* rc, BOOL) override
    {
        m_Invalidated.emplace_back(*rc);
        return 1;
    }

    UINT m_nGrid = 5;
    int m_nWidth = 800;
    HOSTINFO m_Record;
    std::vector<CRect> m_Invalidated;
};

// One editor: what a main dialog holds for the task engine.
struct Editor {
    Editor(HOSTINFO& root, const char* pszDevices)
    {
        m_Dialog.m_pParent = &root;
        m_Dialog.RegisterHostinfo(nullptr);
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        std::string line = std::string("connection=") + pszDevices;
        m_Dialog.OnLoad(0, reinterpret_cast<long>(line.c_str()));
    }
    ~Editor()
    {
        m_Document.Clear();
        m_Dialog.EmptyChannels();
        m_Dialog.UnregisterHostinfo();
    }

    CTETrackObject* Block(const char* pszName)
    {
        return static_cast<CTETrackObject*>(m_Document.FindBlock(pszName));
    }
    CTETrackObject* Create(const char* pszTypeKey, int x, int y, const char* pszWanted = nullptr)
    {
        char szName[HOSTINFO_NAME_SIZE] = {};
        if (pszWanted != nullptr)
            std::strcpy(szName, pszWanted);
        int nIndex = m_Document.CreateBlock(pszTypeKey, x, y, 0, 0, pszWanted ? szName : nullptr, -1);
        return nIndex < 0 ? nullptr : static_cast<CTETrackObject*>(m_Document.m_BlockList[nIndex]);
    }
    // A line drawn by the user from output pin `out` of A, over the bends,
    // to input pin `in` of B, handed to the document as the line tracker
    // does: listed only when connected. Null when refused.
    CLineItem* Draw(CTrackObject* pA, UINT out, CTrackObject* pB, UINT in, std::initializer_list<CPoint> bends = {})
    {
        auto pLine = std::make_unique<CLineItem>();
        CPoint from = PinPoint(pA, PIN_SIDE_OUTPUT, out);
        pLine->AddPoint(from.x, from.y);
        for (CPoint pt : bends)
            pLine->AddPoint(pt.x, pt.y);
        CPoint to = PinPoint(pB, PIN_SIDE_INPUT, in);
        pLine->AddPoint(to.x, to.y);
        return Hand(std::move(pLine), pA, pB);
    }
    CLineItem* Hand(std::unique_ptr<CLineItem> pLine, CTrackObject* pA, CTrackObject* pB)
    {
        if (m_Document.ConnectLineTo(pA, pB, pLine.get()) != 1)
            return nullptr;
        m_Document.m_LineList.Add(pLine.get());
        return pLine.release();
    }
    CLineItem* Line(const char* pszName)
    {
        for (INT_PTR i = 0; i < m_Document.m_LineList.GetSize(); ++i)
            if (std::strcmp(m_Document.m_LineList[i]->m_szName, pszName) == 0)
                return m_Document.m_LineList[i];
        return nullptr;
    }
    // Where this editor's blocks are: "name x,y" in list order.
    std::vector<std::string> Positions()
    {
        std::vector<std::string> positions;
        for (INT_PTR i = 0; i < m_Document.m_BlockList.GetSize(); ++i) {
            CTrackObject* pBlock = m_Document.m_BlockList[i];
            positions.push_back(std::string(pBlock->m_szName) + ' ' + std::to_string(pBlock->m_rcPos.left) + ',' +
                                std::to_string(pBlock->m_rcPos.top));
        }
        return positions;
    }
    // The lines as this editor would write them.
    std::vector<std::string> LineRecords()
    {
        std::vector<std::string> records;
        for (INT_PTR i = 0; i < m_Document.m_LineList.GetSize(); ++i)
            records.push_back(TEFormatLineRecord(*m_Document.m_LineList[i]));
        return records;
    }

    static CPoint PinPoint(CTrackObject* pBlock, int side, UINT index)
    {
        POINT pt;
        EXPECT_EQ(pBlock->GetPinPoint(side, index, &pt), 1);
        return CPoint(pt);
    }

    CMainDlgHost m_Dialog;
    RecordingPage m_Page;
    CTEDocument m_Document;
};

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        corvala::ResetDevices();
        Device().SetRequestLogging(true);
    }
    void TearDown() override
    {
        m_Editors.clear();
        corvala::ResetDevices();
    }

    Editor& NewEditor()
    {
        m_Editors.push_back(std::make_unique<Editor>(m_Root, "TE1"));
        return *m_Editors.back();
    }

    static tedevice::TaskEngineDevice& Device() { return corvala::EmbeddedDevice("TE1"); }

    // A write straight to the device, as another program would send it.
    static bool Write(const char* pszKeyword, const std::string& text)
    {
        tedevice::TEValue value;
        value.text = text;
        return Device().Request(pszKeyword, tedevice::TE_WRITE, tedevice::TE_TEXT, value) == tedevice::TE_OK;
    }

    // How often the device received the keyword since the log was cleared.
    static size_t Received(const char* pszKeyword)
    {
        const auto& log = Device().RequestLog();
        return std::count_if(log.begin(), log.end(), [&](const auto& r) { return r.keyword == pszKeyword; });
    }
    // Requests that change the program: none may come from a rebuild.
    static size_t Announcements()
    {
        size_t n = 0;
        for (const char* keyword : {"TESetProc", "TESetLine", "DelTEProc", "DelTELine", "TEUpdateProc", "TEUpdateLine"})
            n += Received(keyword);
        return n;
    }
    static std::string LastText(const char* pszKeyword)
    {
        const auto& log = Device().RequestLog();
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->keyword == pszKeyword)
                return it->text;
        return "<none>";
    }

    static std::vector<CPoint> Points(const CLineItem& line)
    {
        return std::vector<CPoint>(line.m_points, line.m_points + line.m_nPoints);
    }

    HOSTINFO m_Root;
    std::vector<std::unique_ptr<Editor>> m_Editors;
};
