// The main dialog's host keywords: a fixed table ended by a null name, whose
// index is the keyword id the host uses.
#pragma once

#include "Corvala.h"

class CMainDlgHost;

// Handles a get or set of one keyword; nonzero on success.
typedef int (*KeywordHandler)(KeywordMessage* message, CMainDlgHost* dialog);

struct KEYWORDENTRY {
    const char* m_pszName;
    KeywordHandler m_pfnHandler;
    int m_nReserved;
};

enum MainDlgKeyword {
    KEYWORD_NONE = 0,
    KEYWORD_CONNECTION = 1,
    KEYWORD_INTERVAL = 2,
    KEYWORD_MENU = 3,
    KEYWORD_COUNT = 4
};

extern const KEYWORDENTRY g_MainDlgKeywords[KEYWORD_COUNT + 1];

// The first id whose name equals `name` exactly (case-sensitive), or 0.
int FindMainDlgKeyword(const char* name);
// The handler of an id, or null for an id without one or out of range.
KeywordHandler MainDlgKeywordHandler(int id);
