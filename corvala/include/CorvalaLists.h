// The two list types of the host library: lists of texts, and the request
// lists built from them.
//
// A STRINGLIST is used as a std::vector<char*>. It also carries a stamp of its
// history: appending keeps the stamp, while any other change, and any access
// through which an entry could be replaced, gives the list a new stamp that
// no other list has had. A request list remembers the stamps of the lists it
// was built from, so that building it again reads only the entries appended
// since: a "connection" of n devices builds every channel n times, and
// reading the whole lists each time made that grow with the square of n.
// The texts themselves are read when their entry is first built from; a text
// edited in place afterwards is not read again.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

class STRINGLIST {
    using Entries = std::vector<char*>;

public:
    using value_type = char*;
    using size_type = std::size_t;
    using reference = char*&;
    using const_reference = char* const&;
    using iterator = Entries::iterator;
    using const_iterator = Entries::const_iterator;

    STRINGLIST();
    STRINGLIST(std::initializer_list<char*> texts);
    STRINGLIST(const STRINGLIST& other);
    STRINGLIST(STRINGLIST&& other) noexcept;
    STRINGLIST& operator=(const STRINGLIST& other);
    STRINGLIST& operator=(STRINGLIST&& other) noexcept;
    STRINGLIST& operator=(std::initializer_list<char*> texts);
    ~STRINGLIST() = default;

    // Reading leaves the stamp.
    size_type size() const { return m_Entries.size(); }
    bool empty() const { return m_Entries.empty(); }
    const_iterator begin() const { return m_Entries.begin(); }
    const_iterator end() const { return m_Entries.end(); }
    const_iterator cbegin() const { return m_Entries.cbegin(); }
    const_iterator cend() const { return m_Entries.cend(); }
    const_reference operator[](size_type index) const { return m_Entries[index]; }
    const_reference at(size_type index) const { return m_Entries.at(index); }
    const_reference front() const { return m_Entries.front(); }
    const_reference back() const { return m_Entries.back(); }

    // Appending leaves it too.
    void push_back(char* text) { m_Entries.push_back(text); }
    const_reference emplace_back(char* text) { return m_Entries.emplace_back(text); }
    void reserve(size_type capacity) { m_Entries.reserve(capacity); }

    // Everything else may change entries that were there: a new stamp.
    iterator begin() { return Changing().begin(); }
    iterator end() { return Changing().end(); }
    reference operator[](size_type index) { return Changing()[index]; }
    reference at(size_type index) { return Changing().at(index); }
    reference front() { return Changing().front(); }
    reference back() { return Changing().back(); }
    void clear() { Changing().clear(); }
    void pop_back() { Changing().pop_back(); }
    void resize(size_type size) { Changing().resize(size); }
    iterator erase(const_iterator position) { return Changing().erase(position); }
    iterator erase(const_iterator first, const_iterator last) { return Changing().erase(first, last); }
    iterator insert(const_iterator position, char* text) { return Changing().insert(position, text); }
    void swap(STRINGLIST& other) noexcept;

    // Equal stamps: the same list, changed since only by appending.
    unsigned long long Stamp() const { return m_nStamp; }

private:
    Entries& Changing();

    Entries m_Entries;
    unsigned long long m_nStamp;
};

// One request: a keyword addressed to one device. Opaque to the plug-in.
struct REQUESTITEM;
// What the library remembers of the builds of a request list.
struct REQUESTINDEX;

// The items of a request list, read as a vector of item pointers. Only the
// library adds items (a_BuildRequestList) and removes them
// (a_EmptyRequestList); a list destroyed with items frees them.
class REQUESTLIST {
    using Items = std::vector<REQUESTITEM*>;

public:
    using value_type = REQUESTITEM*;
    using size_type = std::size_t;
    using const_reference = REQUESTITEM* const&;
    using const_iterator = Items::const_iterator;

    REQUESTLIST();
    ~REQUESTLIST();
    REQUESTLIST(const REQUESTLIST&) = delete;
    REQUESTLIST& operator=(const REQUESTLIST&) = delete;

    size_type size() const { return m_Items.size(); }
    bool empty() const { return m_Items.empty(); }
    const_iterator begin() const { return m_Items.begin(); }
    const_iterator end() const { return m_Items.end(); }
    const_reference operator[](size_type index) const { return m_Items[index]; }
    const_reference front() const { return m_Items.front(); }
    const_reference back() const { return m_Items.back(); }

private:
    friend struct REQUESTINDEX;

    Items m_Items;
    std::unique_ptr<REQUESTINDEX> m_pIndex;
};
