#include "CMainDlgHost.h"

#include <cctype>
#include <cstring>

namespace {

// The first blank-delimited word of a text, as "%s" reads it, cut to fit.
void FirstWord(const char* text, char* word)
{
    while (*text && std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    size_t length = 0;
    while (text[length] && !std::isspace(static_cast<unsigned char>(text[length])) &&
           length < REQUEST_TEXT_SIZE - 1)
        ++length;
    std::memcpy(word, text, length);
    word[length] = '\0';
}

}  // namespace

CMainDlgHost::~CMainDlgHost()
{
    EmptyChannels();
}

BOOL CMainDlgHost::RegisterHostinfo(HWND hWnd)
{
    a_InitializeHostinfo(hWnd, this, m_pParent);
    BOOL added = a_AddHostinfo(m_pParent, this);
    m_nInterval = 100;
    return added;
}

void CMainDlgHost::UnregisterHostinfo()
{
    a_CleanHostinfo(this);
    a_RemoveHostinfo(m_pParent, this);
}

void CMainDlgHost::EmptyChannels()
{
    for (CRequestChannel& channel : m_Channels)
        channel.Empty();
}

CRequestChannel* CMainDlgHost::ChannelFor(const char* keyword)
{
    int id = FindTEChannel(keyword);
    return id < 0 ? nullptr : &m_Channels[id];
}

long CMainDlgHost::OnLoad(unsigned, long parameter)
{
    const char* line = reinterpret_cast<const char*>(parameter);
    if (!line)
        return 0;
    char keyword[REQUEST_TEXT_SIZE];
    char value[REQUEST_TEXT_SIZE];
    a_GetKeyword(line, keyword);
    int valueLength = a_GetParameter(line, value);

    int id = FindMainDlgKeyword(keyword);
    KeywordHandler handler = MainDlgKeywordHandler(id);
    if (!handler) {
        EDITTRACE(m_hTraceWnd, "Not implemented %s", line);
        return 0;
    }
    // A value cut to fit its buffer would be read wrongly: fail it as unread.
    KeywordMessage message = {KEYWORD_SET, id, DATATYPE_TEXT, 0, value, 0, 0};
    if (valueLength < REQUEST_TEXT_SIZE && handler(&message, this))
        return 1;
    EDITTRACE(m_hTraceWnd, "Error reading line %s", line);
    return 0;
}

long CMainDlgHost::OnMessage(unsigned, long parameter)
{
    auto* message = reinterpret_cast<KeywordMessage*>(parameter);
    if (!message)
        return 0;
    switch (message->m_nMode) {
    case KEYWORD_GET:
    case KEYWORD_SET:
        // The host learns the outcome by reading the value back.
        if (KeywordHandler handler = MainDlgKeywordHandler(message->m_nId))
            handler(message, this);
        return 0;
    case KEYWORD_QUERY:
        return QueryKeyword(message);
    default:
        return 0;
    }
}

long CMainDlgHost::QueryKeyword(KeywordMessage* message)
{
    if (!message->m_pData)
        return 0;
    char word[REQUEST_TEXT_SIZE];
    FirstWord(message->m_pData, word);
    int id = FindMainDlgKeyword(word);
    if (id == KEYWORD_NONE)
        return 0;
    message->m_nId = id;
    return 1;
}
