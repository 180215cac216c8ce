#include "CTabDialog.h"

#include <cstdlib>
#include <cstring>

CTabDialog::CTabDialog()
{
    std::strcpy(m_szTabName, "unknown");
}

void CTabDialog::InitializeTab(HOSTINFO*, char*) {}

void CTabDialog::SetDeviceName(char* text)
{
    a_EmptyStringList(&m_StringList2);
    if (!text)
        return;
    size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::calloc(length + 1, 1));
    std::memcpy(copy, text, length);
    m_StringList2.push_back(copy);
}

void CTabDialog::GetTabName(char* out) const
{
    std::strcpy(out, m_szTabName);
}
