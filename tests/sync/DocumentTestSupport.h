// Editors the way the main dialog builds them: a dialog's host side
// registered below a host root record and connected to the embedded device
// "TE1", a document linked to it and to a stand-in page. The device logs
// the requests it receives, so that tests can count what an editor sent.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "blocks/CTETrackObject.h"
#include "lines/CLineItem.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"
#include "sync/TELineRecord.h"

// The page as the document sees it, recording what it invalidates.
class RecordingPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return 5; }
    int GetRecordedPageWidth() const override { return m_nWidth; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT* rc, BOOL) override
    {
        m_Invalidated.emplace_back(*rc);
        return 1;
    }

    void OnProgramReplaced(BOOL, BOOL bLines) override { m_nLineReloads += bLines ? 1 : 0; }

    int m_nWidth = 800;
    HOSTINFO m_Record;
    std::vector<CRect> m_Invalidated;
    int m_nLineReloads = 0;
};

inline CPoint PinPoint(CTrackObject* pBlock, int side, UINT index)
{
    POINT pt;
    EXPECT_EQ(pBlock->GetPinPoint(side, index, &pt), 1);
    return CPoint(pt);
}

inline std::unique_ptr<CLineItem> Polyline(std::initializer_list<CPoint> points)
{
    auto pLine = std::make_unique<CLineItem>();
    for (CPoint pt : points)
        pLine->AddPoint(pt.x, pt.y);
    return pLine;
}

// A line as tests compare it: "Src:1024>Sum:0 d2 79,50 140,50 200,50
// #000000ff", then "^<parent>:<node>" for a branch and "!" when invalid.
inline std::string Describe(const CLineItem& line)
{
    auto end = [](const CTrackObject* pBlock, int nPin) {
        return (pBlock ? std::string(pBlock->m_szName) : std::string("-")) + ':' + std::to_string(nPin);
    };
    std::string text = end(line.m_pSource, line.m_nSourcePin) + '>' + end(line.m_pTarget, line.m_nTargetPin) + " d" +
                       std::to_string(line.m_nDirection);
    for (int i = 0; i < line.m_nPoints; ++i)
        text += ' ' + std::to_string(line.m_points[i].x) + ',' + std::to_string(line.m_points[i].y);
    char colour[16];
    std::snprintf(colour, sizeof colour, " #%08x", static_cast<unsigned>(line.m_color));
    text += colour;
    if (line.m_pParent != nullptr)
        text += " ^" + std::string(line.m_pParent->m_szName) + ':' + std::to_string(line.m_nNode);
    return line.m_bValid ? text : text + " !";
}

// One editor: what a main dialog holds for the task engine.
struct Editor {
    explicit Editor(HOSTINFO& root, const std::string& connection = "TE1")
    {
        m_Dialog.m_pParent = &root;
        m_Dialog.RegisterHostinfo(nullptr);
        m_Document.SetPage(&m_Page);
        m_Document.SetDialog(&m_Dialog);
        std::string line = "connection=" + connection;
        m_Dialog.OnLoad(0, reinterpret_cast<long>(line.c_str()));
    }
    ~Editor()
    {
        m_Document.Clear();
        m_Dialog.UnregisterHostinfo();
    }

    void Tick() { m_Document.Tick(); }
    CTETrackObject* Block(const char* pszName)
    {
        return static_cast<CTETrackObject*>(m_Document.FindBlock(pszName));
    }
    CTETrackObject* Create(const char* pszTypeKey, int x, int y, const char* pszWanted = nullptr)
    {
        char szName[HOSTINFO_NAME_SIZE] = {};
        std::strcpy(szName, pszWanted ? pszWanted : "");
        int nIndex = m_Document.CreateBlock(pszTypeKey, x, y, 0, 0, pszWanted ? szName : nullptr, -1);
        return nIndex < 0 ? nullptr : static_cast<CTETrackObject*>(m_Document.m_BlockList[nIndex]);
    }
    // Hands a drawn line to the document as the line tracker does: it is
    // listed only when connected. Null when refused.
    CLineItem* Hand(std::unique_ptr<CLineItem> pLine, CTrackObject* pA, CTrackObject* pB)
    {
        if (m_Document.ConnectLineTo(pA, pB, pLine.get()) != 1)
            return nullptr;
        m_Document.m_LineList.Add(pLine.get());
        return pLine.release();
    }
    // A line drawn from output `out` of A over the bends to input `in` of B.
    CLineItem* Draw(CTrackObject* pA, UINT out, CTrackObject* pB, UINT in, std::initializer_list<CPoint> bends = {})
    {
        auto pLine = Polyline({PinPoint(pA, PIN_SIDE_OUTPUT, out)});
        for (CPoint pt : bends)
            pLine->AddPoint(pt.x, pt.y);
        CPoint to = PinPoint(pB, PIN_SIDE_INPUT, in);
        pLine->AddPoint(to.x, to.y);
        return Hand(std::move(pLine), pA, pB);
    }
    CLineItem* Line(const char* pszName)
    {
        for (INT_PTR i = 0; i < m_Document.m_LineList.GetSize(); ++i)
            if (std::strcmp(m_Document.m_LineList[i]->m_szName, pszName) == 0)
                return m_Document.m_LineList[i];
        return nullptr;
    }
    // The blocks as "name x,y", in list order.
    std::vector<std::string> Positions()
    {
        std::vector<std::string> positions;
        for (INT_PTR i = 0; i < m_Document.m_BlockList.GetSize(); ++i) {
            const CRect& rc = m_Document.m_BlockList[i]->m_rcPos;
            positions.push_back(std::string(m_Document.m_BlockList[i]->m_szName) + ' ' + std::to_string(rc.left) +
                                ',' + std::to_string(rc.top));
        }
        return positions;
    }
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        for (INT_PTR i = 0; i < m_Document.m_LineList.GetSize(); ++i)
            lines.push_back(Describe(*m_Document.m_LineList[i]));
        return lines;
    }
    // The lines as this editor would send them.
    std::vector<std::string> LineRecords()
    {
        std::vector<std::string> records;
        for (INT_PTR i = 0; i < m_Document.m_LineList.GetSize(); ++i)
            records.push_back(TEFormatLineRecord(*m_Document.m_LineList[i]));
        return records;
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
        m_Editors.push_back(std::make_unique<Editor>(m_Root));
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
    // The device's blocks as "name x,y".
    static std::vector<std::string> DevicePositions()
    {
        std::vector<std::string> positions;
        for (const std::string& record : Device().ProcRecords())
            positions.push_back(record.substr(record.find(' ') + 1));
        return positions;
    }

    // How often the device received the keywords since its log was cleared.
    static size_t Received(std::initializer_list<const char*> keywords)
    {
        const auto& log = Device().RequestLog();
        return std::count_if(log.begin(), log.end(), [&](const auto& request) {
            return std::find(keywords.begin(), keywords.end(), request.keyword) != keywords.end();
        });
    }
    // Requests that change the program: a rebuild sends none of them.
    static size_t Announcements()
    {
        return Received({"TESetProc", "TESetLine", "DelTEProc", "DelTELine", "TEUpdateProc", "TEUpdateLine"});
    }
    static std::string LastText(const char* pszKeyword)
    {
        const auto& log = Device().RequestLog();
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->keyword == pszKeyword)
                return it->text;
        return "<none>";
    }

    HOSTINFO m_Root;
    std::vector<std::unique_ptr<Editor>> m_Editors;
};
