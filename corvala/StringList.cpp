// Text lists and their stamps.
#include <atomic>
#include <cstdlib>
#include <utility>

#include "Corvala.h"

namespace {

// Stamps start at 1, so 0 can stand for "no list read yet".
unsigned long long NewStamp()
{
    static std::atomic<unsigned long long> s_nLastStamp{0};
    return ++s_nLastStamp;
}

}  // namespace

STRINGLIST::STRINGLIST() : m_nStamp(NewStamp()) {}

STRINGLIST::STRINGLIST(std::initializer_list<char*> texts) : m_Entries(texts), m_nStamp(NewStamp()) {}

STRINGLIST::STRINGLIST(const STRINGLIST& other) : m_Entries(other.m_Entries), m_nStamp(NewStamp()) {}

STRINGLIST::STRINGLIST(STRINGLIST&& other) noexcept : m_Entries(std::move(other.m_Entries)), m_nStamp(NewStamp())
{
    other.m_Entries.clear();
    other.m_nStamp = NewStamp();
}

STRINGLIST& STRINGLIST::operator=(const STRINGLIST& other)
{
    if (this != &other)
        Changing() = other.m_Entries;
    return *this;
}

STRINGLIST& STRINGLIST::operator=(STRINGLIST&& other) noexcept
{
    if (this != &other) {
        Changing() = std::move(other.m_Entries);
        other.Changing().clear();
    }
    return *this;
}

STRINGLIST& STRINGLIST::operator=(std::initializer_list<char*> texts)
{
    Changing() = texts;
    return *this;
}

void STRINGLIST::swap(STRINGLIST& other) noexcept
{
    Changing().swap(other.Changing());
}

STRINGLIST::Entries& STRINGLIST::Changing()
{
    m_nStamp = NewStamp();
    return m_Entries;
}

void a_EmptyStringList(STRINGLIST* list)
{
    if (!list)
        return;
    for (char* text : std::as_const(*list))
        std::free(text);
    list->clear();
}
