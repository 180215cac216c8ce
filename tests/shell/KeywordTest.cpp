// The main dialog's keywords as the host uses them: queries, gets and sets,
// and stored lines replayed through OnLoad.
#include "MainDlgHostFixture.h"

using KeywordTest = MainDlgHostTest;

TEST_F(KeywordTest, QueriesFindExactKeywordsByTheirFirstWord)
{
    EXPECT_EQ(Message(KEYWORD_QUERY, 0, "interval and more words"), 1);
    EXPECT_EQ(m_Message.m_nId, KEYWORD_INTERVAL);
    EXPECT_EQ(Message(KEYWORD_QUERY, 0, "  connection"), 1);
    EXPECT_EQ(m_Message.m_nId, KEYWORD_CONNECTION);
    EXPECT_EQ(Message(KEYWORD_QUERY, 0, "menu"), 1);
    EXPECT_EQ(m_Message.m_nId, KEYWORD_MENU);

    m_Message.m_nId = 0;
    for (const std::string& miss : {std::string("Interval"), std::string(""), std::string(" "),
                                    std::string("intervals"), std::string(5000, 'i')}) {
        EXPECT_EQ(Message(KEYWORD_QUERY, 0, miss), 0) << miss.substr(0, 20);
        EXPECT_EQ(m_Message.m_nId, 0);
    }
    KeywordMessage noData = {KEYWORD_QUERY, 0, DATATYPE_TEXT, 0, nullptr, 0, 0};
    EXPECT_EQ(m_Dialog.OnMessage(0, reinterpret_cast<long>(&noData)), 0);
    EXPECT_EQ(m_Dialog.OnMessage(0, 0), 0);
    EXPECT_EQ(Message(3, KEYWORD_INTERVAL, "interval"), 0);
}

TEST_F(KeywordTest, IntervalAndMenuShareOneValue)
{
    EXPECT_EQ(Get(KEYWORD_INTERVAL), "100");
    EXPECT_EQ(Get(KEYWORD_MENU), "100");
    EXPECT_EQ(Message(KEYWORD_SET, KEYWORD_MENU, "250"), 0) << "OnMessage answers 0 regardless";
    EXPECT_EQ(Get(KEYWORD_INTERVAL), "250");
    Message(KEYWORD_SET, KEYWORD_INTERVAL, " -40 ms");
    EXPECT_EQ(m_Dialog.m_nInterval, -40);

    for (const char* bad : {"abc", "", "99999999999", "-99999999999"})
        Message(KEYWORD_SET, KEYWORD_INTERVAL, bad);
    EXPECT_EQ(m_Dialog.m_nInterval, -40);

    // Other types, other modes, ids without a handler: nothing happens.
    KeywordMessage asInt = {KEYWORD_SET, KEYWORD_INTERVAL, DATATYPE_INT, 0, m_szData, 0, 0};
    std::strcpy(m_szData, "7");
    m_Dialog.OnMessage(0, reinterpret_cast<long>(&asInt));
    EXPECT_EQ(m_Dialog.m_nInterval, -40);
    EXPECT_EQ(Get(KEYWORD_NONE), "");
    EXPECT_EQ(Get(17), "");
    EXPECT_EQ(Get(-1), "");
}

TEST_F(KeywordTest, StoredLinesSetKeywordsOrAreReported)
{
    EXPECT_EQ(Load("interval=300"), 1);
    EXPECT_EQ(m_Dialog.m_nInterval, 300);
    EXPECT_EQ(Load("menu = 120\r\n"), 1);
    EXPECT_EQ(m_Dialog.m_nInterval, 120);
    EXPECT_TRUE(m_Trace.empty());

    EXPECT_EQ(Load("interval=fast"), 0);
    EXPECT_EQ(Load("colour=red"), 0);
    EXPECT_EQ(Load("Interval=5"), 0);
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(m_Trace, (std::vector<std::string>{"Error reading line interval=fast",
                                                 "Not implemented colour=red",
                                                 "Not implemented Interval=5",
                                                 "Not implemented "}));
    EXPECT_EQ(m_TraceWindows[0], kTraceWindow) << "the dialog traces on its host's window";
    EXPECT_EQ(m_Dialog.m_nInterval, 120);
}

TEST_F(KeywordTest, OverlongStoredLinesAreReportedWhole)
{
    std::string line = std::string(5000, 'k') + "=1";
    EXPECT_EQ(Load(line), 0);
    ASSERT_EQ(m_Trace.size(), 1u);
    EXPECT_EQ(m_Trace[0], "Not implemented " + line);

    std::string devices = "connection=" + std::string(5000, 'd');
    EXPECT_EQ(Load(devices), 0);
    EXPECT_EQ(m_Trace.back(), "Error reading line " + devices);
    EXPECT_EQ(m_Dialog.OnLoad(0, 0), 0);
}

TEST_F(KeywordTest, RegistrationPlacesTheDialogBelowTheHostRoot)
{
    EXPECT_EQ(m_Root.m_Children, std::vector<HOSTINFO*>{&m_Dialog});
    EXPECT_EQ(m_Dialog.m_hWnd, kDialogWindow);
    EXPECT_EQ(a_FindRootHostinfo(&m_Dialog), &m_Root);
    m_Dialog.UnregisterHostinfo();
    EXPECT_TRUE(m_Root.m_Children.empty());
}
