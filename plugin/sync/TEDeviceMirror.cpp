#include "sync/TEDeviceMirror.h"

#include <cstring>

#include "sync/TERecordTokens.h"

namespace {

// The n-th blank-separated field of a record (0 first), or empty.
std::string_view Field(std::string_view text, size_t n)
{
    std::vector<std::string_view> fields = TESplitRecord(text);
    return n < fields.size() ? fields[n] : std::string_view();
}

}  // namespace

void CTEDeviceMirror::Clear()
{
    m_Procs.clear();
    m_Lines.clear();
}

void CTEDeviceMirror::Assign(std::vector<std::string>& texts, const STRINGLIST* pRecords)
{
    texts.clear();
    if (pRecords == nullptr)
        return;
    texts.reserve(pRecords->size());
    for (const char* pszRecord : *pRecords)
        texts.emplace_back(pszRecord != nullptr ? pszRecord : "");
}

bool CTEDeviceMirror::Same(const std::vector<std::string>& texts, const STRINGLIST& records)
{
    if (texts.size() != records.size())
        return false;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (records[i] == nullptr || texts[i] != records[i])
            return false;
    }
    return true;
}

long CTEDeviceMirror::FindProc(std::string_view name) const
{
    for (size_t i = 0; i < m_Procs.size(); ++i) {
        if (Field(m_Procs[i], 1) == name)
            return static_cast<long>(i);
    }
    return -1;
}

long CTEDeviceMirror::FindLine(std::string_view name) const
{
    for (size_t i = 0; i < m_Lines.size(); ++i) {
        if (Field(m_Lines[i], 0) == name)
            return static_cast<long>(i);
    }
    return -1;
}

bool CTEDeviceMirror::SameRecord(TEChannel channel, std::string_view name, const STRINGLIST& records) const
{
    bool bProc = channel == TE_DELPROC;
    long n = bProc ? FindProc(name) : FindLine(name);
    if (n < 0)
        return false;
    const std::string& known = bProc ? m_Procs[static_cast<size_t>(n)] : m_Lines[static_cast<size_t>(n)];
    size_t nNameField = bProc ? 1 : 0;
    for (const char* pszRecord : records) {
        if (pszRecord != nullptr && Field(pszRecord, nNameField) == name)
            return known == pszRecord;
    }
    return false;
}

bool CTEDeviceMirror::LinesAnchorOn(std::string_view blockName) const
{
    std::string anchor = ' ' + std::string(blockName) + '.';
    for (const std::string& record : m_Lines) {
        if (record.find(anchor) != std::string::npos)
            return true;
    }
    return false;
}

void CTEDeviceMirror::MoveProc(std::string_view update)
{
    long n = FindProc(Field(update, 0));
    if (n < 0)
        return;
    std::string& record = m_Procs[static_cast<size_t>(n)];
    record.erase(record.rfind(' ') + 1);
    record += Field(update, 1);
}

void CTEDeviceMirror::ReplaceLine(const std::string& record)
{
    long n = FindLine(Field(record, 0));
    if (n >= 0)
        m_Lines[static_cast<size_t>(n)] = record;
}

void CTEDeviceMirror::Apply(TEChannel channel, const std::string& text, const std::string& answer)
{
    switch (channel) {
    case TE_SETPROC:
        m_Procs.push_back(text);
        break;
    case TE_UPDATEPROC:
        MoveProc(text);
        break;
    case TE_DELPROC:
        if (long n = FindProc(text); n >= 0)
            m_Procs.erase(m_Procs.begin() + n);
        break;
    case TE_SETLINE: {
        // The device keeps the record under the name it answered.
        std::string_view name = Field(text, 0);
        m_Lines.push_back(answer + text.substr(name.size()));
        break;
    }
    case TE_UPDATELINE:
        ReplaceLine(text);
        break;
    case TE_DELLINE:
        if (long n = FindLine(text); n >= 0)
            m_Lines.erase(m_Lines.begin() + n);
        break;
    default:
        break;
    }
}
