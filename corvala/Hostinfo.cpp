// HOSTINFO: the library's default handlers, copying and the registration tree.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Corvala.h"

namespace {

char* CopyText(const char* text)
{
    size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

void CopyList(STRINGLIST& target, const STRINGLIST& source)
{
    a_EmptyStringList(&target);
    for (const char* text : source)
        if (char* copy = text ? CopyText(text) : nullptr)
            target.push_back(copy);
}

void Unlink(HOSTINFO* parent, HOSTINFO* record)
{
    auto& children = parent->m_Children;
    children.erase(std::remove(children.begin(), children.end(), record), children.end());
    record->m_pRegisteredParent = nullptr;
}

}  // namespace

void HOSTINFO::CopyDataFrom(const HOSTINFO& other)
{
    m_hWnd = other.m_hWnd;
    std::memcpy(m_szName, other.m_szName, sizeof m_szName);
    m_szName[sizeof m_szName - 1] = '\0';
    m_pParent = other.m_pParent;
    m_bModified = other.m_bModified;
    m_bReserved1 = other.m_bReserved1;
    m_bReserved2 = other.m_bReserved2;
    m_bReserved3 = other.m_bReserved3;
    m_bReserved4 = other.m_bReserved4;
    m_hTraceWnd = other.m_hTraceWnd;
    CopyList(m_StringList, other.m_StringList);
    CopyList(m_StringList2, other.m_StringList2);
}

HOSTINFO::~HOSTINFO()
{
    // A record that dies registered must not stay behind in the tree.
    if (m_pRegisteredParent)
        Unlink(m_pRegisteredParent, this);
    a_CleanHostinfo(this);
    a_EmptyStringList(&m_StringList);
    a_EmptyStringList(&m_StringList2);
}

long HOSTINFO::OnLoad(unsigned, long) { return 0; }
long HOSTINFO::OnSave(unsigned, long) { return 0; }
long HOSTINFO::OnSaveToListCtrl(unsigned, long) { return 0; }
long HOSTINFO::OnTimer(unsigned, long) { return 0; }
long HOSTINFO::OnMessage(unsigned, long) { return 0; }
long HOSTINFO::OnSystem(unsigned, long) { return 0; }
long HOSTINFO::OnInitialize(unsigned, long) { return 0; }
long HOSTINFO::OnDelete(unsigned, long) { return 0; }
long HOSTINFO::OnGet(const char*, int*) { return 0; }
long HOSTINFO::OnGet(const char*, double*) { return 0; }
long HOSTINFO::OnGet(const char*, char*) { return 0; }
long HOSTINFO::OnGet(const char*, STRINGLIST*) { return 0; }
long HOSTINFO::OnSet(const char*, int) { return 0; }
long HOSTINFO::OnSet(const char*, double) { return 0; }
long HOSTINFO::OnSet(const char*, const char*) { return 0; }
long HOSTINFO::OnSet(const char*, STRINGLIST*) { return 0; }
long HOSTINFO::OnSet(const char*, const void*, int) { return 0; }
long HOSTINFO::OnUpdate(unsigned, long) { return 0; }
long HOSTINFO::OnConnectSource(HOSTINFO*, const char*) { return 0; }
long HOSTINFO::OnConnectSource(HOSTINFO*, int) { return 0; }
long HOSTINFO::OnConnectTarget(HOSTINFO*, const char*) { return 0; }
long HOSTINFO::OnChangeAddress(const char*) { return 0; }
long HOSTINFO::OnChangeAddress(HOSTINFO*, const char*) { return 0; }
long HOSTINFO::OnDisconnectSource(HOSTINFO*, const char*) { return 0; }
long HOSTINFO::OnDisconnectSource(HOSTINFO*, int) { return 0; }
long HOSTINFO::OnGetHostinfo(const char*) { return 0; }
long HOSTINFO::OnGetTooltip(char*) { return 0; }
long HOSTINFO::OnGetActiveLayer(unsigned, long) { return 0; }
long HOSTINFO::OnData(unsigned, long) { return 0; }
long HOSTINFO::OnIsAlive(unsigned, long) { return 0; }
long HOSTINFO::OnInterfaceworking(unsigned, long) { return 0; }
long HOSTINFO::OnGetKeywords(STRINGLIST*) { return 0; }
long HOSTINFO::OnGetKeywords2(STRINGLIST*) { return 0; }
long HOSTINFO::OnGetDatatype(const char*) { return 0; }
long HOSTINFO::OnGetUserfriendlyName(const char*, char*) { return 0; }
long HOSTINFO::OnGetPropertydlg(unsigned, long) { return 0; }
long HOSTINFO::OnGetContextMenu(unsigned, long) { return 0; }
long HOSTINFO::OnSetContextMenu(unsigned, long) { return 0; }
long HOSTINFO::OnCaller(unsigned, long) { return 0; }
long HOSTINFO::OnGetKeywords_XRV(STRINGLIST*) { return 0; }
long HOSTINFO::OnGetKeywords_YTM(STRINGLIST*) { return 0; }
long HOSTINFO::OnRequestList(unsigned, long) { return 0; }
long HOSTINFO::OnDataInBuffer(unsigned, long) { return 0; }
long HOSTINFO::OnIPAddressChanged(const char*) { return 0; }

BOOL a_InitializeHostinfo(HWND hWnd, HOSTINFO* record, HOSTINFO* parent)
{
    if (!record)
        return FALSE;
    record->m_hWnd = hWnd;
    record->m_pParent = parent;
    if (parent)
        record->m_hTraceWnd = parent->m_hTraceWnd;
    return TRUE;
}

BOOL a_AddHostinfo(HOSTINFO* parent, HOSTINFO* record)
{
    if (!parent || !record)
        return FALSE;
    // Adding a record below itself would make the tree a loop.
    for (HOSTINFO* up = parent; up; up = up->m_pRegisteredParent)
        if (up == record)
            return FALSE;
    if (record->m_pRegisteredParent == parent)
        return TRUE;
    if (record->m_pRegisteredParent)
        Unlink(record->m_pRegisteredParent, record);
    parent->m_Children.push_back(record);
    record->m_pRegisteredParent = parent;
    return TRUE;
}

BOOL a_CleanHostinfo(HOSTINFO* record)
{
    if (!record)
        return FALSE;
    for (HOSTINFO* child : record->m_Children)
        child->m_pRegisteredParent = nullptr;
    record->m_Children.clear();
    return TRUE;
}

BOOL a_RemoveHostinfo(HOSTINFO* parent, HOSTINFO* record)
{
    if (!parent || !record || record->m_pRegisteredParent != parent)
        return FALSE;
    Unlink(parent, record);
    return TRUE;
}

HOSTINFO* a_FindRootHostinfo(HOSTINFO* record)
{
    // Parent links are set by plug-ins; a loop among them must not hang the host.
    constexpr int kMaxDepth = 1 << 16;
    for (int depth = 0; record && depth < kMaxDepth; ++depth) {
        if (!record->m_pParent)
            return record;
        record = record->m_pParent;
    }
    return nullptr;
}
