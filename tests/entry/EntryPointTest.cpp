// fnCallback's commands, the names the host gives an editor, and the host
// record the dialog answers with WM_APP + 20.
#include "ModuleTestSupport.h"

#include <cstring>

namespace entrytest {
namespace {

class EntryPointTest : public ModuleTest {
protected:
    static std::string WindowText(HWND wnd)
    {
        char text[512] = {};
        ::GetWindowText(wnd, text, sizeof text);
        return text;
    }
    // The page's name, as its parameter button sends it to the host.
    std::string ParameterRequest(const EditorWindows& w)
    {
        m_Host.m_Loaded.clear();
        CSize button = ClientSize(w.button);
        Click(w.button, CPoint(button.cx / 2, button.cy / 2));
        return m_Host.m_Loaded.size() == 1 ? m_Host.m_Loaded[0] : "(" + std::to_string(m_Host.m_Loaded.size()) + " texts)";
    }
};

TEST_F(EntryPointTest, OnlyCommandOneCreatesAnything)
{
    const int nWindows = TopLevelWindowCount();
    for (unsigned command : {0u, 2u, 12u, 14u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Call(command, "Editor"), 0);
    }
    EXPECT_EQ(TopLevelWindowCount(), nWindows);
    EXPECT_TRUE(m_Root.m_Children.empty());

    // The build text: one text kept by the module, the same each time.
    const char* text = reinterpret_cast<const char*>(Call(13, nullptr));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(reinterpret_cast<const char*>(Call(13, "ignored")), text);
    EXPECT_STREQ(text, "May 18 2022  15:45:19\tBuild: 10026");
    EXPECT_EQ(std::strlen(text), 34u);
    EXPECT_EQ(TopLevelWindowCount(), nWindows);
}

TEST_F(EntryPointTest, TheNameBecomesTitleRecordNameAndPageName)
{
    EditorWindows w = Open("Editor");
    EXPECT_EQ(WindowText(w.dialog), "Editor");
    EXPECT_EQ(ParameterRequest(w), "*parameterdlg=Editor - TaskEngine");

    // 127 characters fit the record's name whole; the page's title is cut
    // to its own name field.
    const std::string name127(127, 'n');
    EditorWindows w127 = Open(name127.c_str());
    EXPECT_EQ(WindowText(w127.dialog), name127);
    ASSERT_NE(RecordOf(w127.dialog), nullptr);
    EXPECT_EQ(std::string(RecordOf(w127.dialog)->m_szName), name127);
    EXPECT_EQ(ParameterRequest(w127), "*parameterdlg=" + name127);

    // A longer name is cut to the 127 that fit.
    const std::string name300 = std::string(200, 'a') + std::string(100, 'b');
    EditorWindows w300 = Open(name300.c_str());
    EXPECT_EQ(WindowText(w300.dialog), name300.substr(0, 127));
    EXPECT_EQ(std::string(RecordOf(w300.dialog)->m_szName), name300.substr(0, 127));

    // No name at all: an empty title.
    EditorWindows wNull = Open(nullptr);
    EXPECT_EQ(WindowText(wNull.dialog), "");
    EXPECT_EQ(ParameterRequest(wNull), "*parameterdlg= - TaskEngine");
}

// The host learns the dialog's record with WM_APP + 20 and then calls its
// handlers directly, as it does with every record in its tree.
TEST_F(EntryPointTest, TheDialogAnswersItsRecordWhichTheHostThenAddresses)
{
    EditorWindows w = Open("Editor", nullptr);
    HOSTINFO* record = RecordOf(w.dialog);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->m_hWnd, w.dialog);
    EXPECT_EQ(record->m_pParent, &m_Root);
    EXPECT_EQ(m_Root.m_Children, std::vector<HOSTINFO*>{record});
    EXPECT_EQ(::SendMessage(w.dialog, WM_APP + 51, 0, 0), 0);

    char data[REQUEST_TEXT_SIZE] = "interval and more";
    KeywordMessage query = {KEYWORD_QUERY, 0, DATATYPE_TEXT, 0, data, 0, 0};
    EXPECT_EQ(record->OnMessage(0, reinterpret_cast<long>(&query)), 1);
    EXPECT_EQ(query.m_nId, 2);
    KeywordMessage get = {KEYWORD_GET, query.m_nId, DATATYPE_TEXT, 0, data, 0, 0};
    record->OnMessage(0, reinterpret_cast<long>(&get));
    EXPECT_STREQ(data, "100");
    EXPECT_EQ(record->OnLoad(0, reinterpret_cast<long>("menu=250")), 1);
    record->OnMessage(0, reinterpret_cast<long>(&get));
    EXPECT_STREQ(data, "250");

    // The same through the window, and a stored line the dialog does not know.
    EXPECT_EQ(SendText(w.dialog, "connection=TE1"), 1);
    EXPECT_EQ(SendText(w.dialog, "colour=red"), 0);
    EXPECT_EQ(m_Trace, std::vector<std::string>{"Not implemented colour=red"});
    EXPECT_EQ(::SendMessage(w.dialog, WM_APP + 2, 0, 0), 0);
    EXPECT_EQ(::SendMessage(w.dialog, WM_APP + 3, 0, 0), 0);
}

// A host that gives no record still gets a working editor, registered
// nowhere, that closes cleanly.
TEST_F(EntryPointTest, AnEditorWithoutAHostRecordWorksAndCloses)
{
    HWND dialog = reinterpret_cast<HWND>(Callback()(1, nullptr, "Alone"));
    ASSERT_NE(dialog, nullptr);
    m_Opened.push_back(dialog);
    EXPECT_EQ(::GetParent(dialog), nullptr);
    ASSERT_NE(RecordOf(dialog), nullptr);
    EXPECT_EQ(RecordOf(dialog)->m_pParent, nullptr);
    EXPECT_TRUE(SetKeyword(dialog, "connection", "TE1"));
    EditorWindows w = EditorWindows::Find(dialog);
    ::ShowWindow(dialog, SW_SHOW);
    DropFromPalette(w, CPoint(60, 62), CPoint(40, 40));
    Tick(dialog);
    EXPECT_EQ(Device().ProcRecords(), std::vector<std::string>{"CTEProcIN_0 II_1 40,40"});
    // The parameter button finds no host to ask.
    CSize button = ClientSize(w.button);
    Click(w.button, CPoint(button.cx / 2, button.cy / 2));
    EXPECT_TRUE(m_Host.m_Loaded.empty());
    ::SendMessage(dialog, WM_CLOSE, 0, 0);
    PlPumpMessages();
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_TRUE(m_Root.m_Children.empty());
}

}  // namespace
}  // namespace entrytest
