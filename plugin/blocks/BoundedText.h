// A text field that holds at most N - 1 characters, as the fixed char[N]
// fields it stands for, but costs only what it holds: a block carries five
// such texts (name, caption, connection, function and the joined link),
// mostly empty or short, which as fixed arrays made a block cost some 18 KB.
// It reads as a terminated C string wherever one is expected; writes go
// through Assign (whole or refused) and AssignCut (cut to fit, as the
// snprintf or strncpy into the fixed field did).
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <size_t N>
class CBoundedText {
public:
    static_assert(N > 0, "room for the terminator");
    // The longest text the field holds, as a char[N] field.
    static constexpr size_t kMaxLength = N - 1;

    CBoundedText() = default;
    explicit CBoundedText(const char* text) { AssignCut(text); }

    operator const char*() const { return m_text.c_str(); }
    const char* c_str() const { return m_text.c_str(); }
    size_t length() const { return m_text.size(); }
    bool empty() const { return m_text.empty(); }

    // Takes the text when it fits whole; otherwise (or for null) leaves the
    // field as it was and answers false.
    bool Assign(const char* text)
    {
        if (text == nullptr)
            return false;
        const size_t length = ::strnlen(text, N);
        if (length > kMaxLength)
            return false;
        m_text.assign(text, length);
        ShrinkIfLoose();
        return true;
    }
    // Takes at most kMaxLength characters of the text; null empties it.
    void AssignCut(const char* text)
    {
        if (text == nullptr) {
            Clear();
            return;
        }
        m_text.assign(text, ::strnlen(text, kMaxLength));
        ShrinkIfLoose();
    }
    void Clear() { std::string().swap(m_text); }

    // Texts compare by content, never as pointers.
    friend bool operator==(const CBoundedText& a, const char* b) { return b != nullptr && a.m_text == b; }
    friend bool operator==(const CBoundedText& a, std::string_view b) { return std::string_view(a.m_text) == b; }

private:
    // A long text replaced by a short one gives its memory back.
    void ShrinkIfLoose()
    {
        if (m_text.capacity() > 2 * m_text.size() + 32)
            m_text.shrink_to_fit();
    }

    std::string m_text;
};
