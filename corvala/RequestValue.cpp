#include "RequestValue.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

void CopyText(char* target, const char* source)
{
    size_t length = strnlen(source, REQUEST_TEXT_SIZE - 1);
    std::memcpy(target, source, length);
    target[length] = '\0';
}

}  // namespace

bool RequestValue::IsCarried(int type, const void* value)
{
    if (!value)
        return false;
    return type == DATATYPE_INT || type == DATATYPE_DOUBLE || type == DATATYPE_TEXT ||
           type == DATATYPE_STRINGLIST;
}

RequestValue::RequestValue(int mode, int type, void* callerValue)
    : m_nMode(mode), m_nType(type), m_pCaller(callerValue)
{
    if (m_nType == DATATYPE_TEXT)
        CopyText(m_szSent, static_cast<const char*>(m_pCaller));
}

RequestValue::~RequestValue()
{
    a_EmptyStringList(&m_List);
}

void RequestValue::Reset()
{
    switch (m_nType) {
    case DATATYPE_INT:
        m_nInt = *static_cast<int*>(m_pCaller);
        break;
    case DATATYPE_DOUBLE:
        m_dReal = *static_cast<double*>(m_pCaller);
        break;
    case DATATYPE_TEXT:
        CopyText(m_szText, m_szSent);
        break;
    case DATATYPE_STRINGLIST:
        // A read collects only the answer; a write sends the caller's list.
        a_EmptyStringList(&m_List);
        if (m_nMode == REQUEST_READ)
            break;
        for (const char* text : *static_cast<STRINGLIST*>(m_pCaller))
            if (char* copy = text ? strdup(text) : nullptr)
                m_List.push_back(copy);
        break;
    }
}

void* RequestValue::Scratch()
{
    switch (m_nType) {
    case DATATYPE_INT:
        return &m_nInt;
    case DATATYPE_DOUBLE:
        return &m_dReal;
    case DATATYPE_TEXT:
        return m_szText;
    default:
        return &m_List;
    }
}

void RequestValue::Deliver()
{
    switch (m_nType) {
    case DATATYPE_INT:
        *static_cast<int*>(m_pCaller) = m_nInt;
        break;
    case DATATYPE_DOUBLE:
        *static_cast<double*>(m_pCaller) = m_dReal;
        break;
    case DATATYPE_TEXT:
        // The caller's text is written only when the answer differs: a write
        // may come from a short constant text that has no room for more.
        m_szText[REQUEST_TEXT_SIZE - 1] = '\0';
        if (std::strcmp(m_szText, m_szSent) != 0)
            std::strcpy(static_cast<char*>(m_pCaller), m_szText);
        break;
    case DATATYPE_STRINGLIST:
        if (m_nMode == REQUEST_READ) {
            auto* list = static_cast<STRINGLIST*>(m_pCaller);
            for (char* text : std::as_const(m_List))
                list->push_back(text);
            m_List.clear();
        }
        break;
    }
}
