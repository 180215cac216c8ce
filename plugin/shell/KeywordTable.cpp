#include "KeywordTable.h"

#include <cstring>

#include "KeywordHandlers.h"

const KEYWORDENTRY g_MainDlgKeywords[KEYWORD_COUNT + 1] = {
    {" ", nullptr, 0},
    {"connection", ConnectionHandler, 0},
    {"interval", IntervalHandler, 0},
    {"menu", IntervalHandler, 0},
    {nullptr, nullptr, 0},
};

int FindMainDlgKeyword(const char* name)
{
    if (!name)
        return KEYWORD_NONE;
    for (int id = 0; g_MainDlgKeywords[id].m_pszName; ++id)
        if (std::strcmp(g_MainDlgKeywords[id].m_pszName, name) == 0)
            return id;
    return KEYWORD_NONE;
}

KeywordHandler MainDlgKeywordHandler(int id)
{
    if (id < 0 || id >= KEYWORD_COUNT)
        return nullptr;
    return g_MainDlgKeywords[id].m_pfnHandler;
}
