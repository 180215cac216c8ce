// Handle maps and the temporary-map lock.
#include "handle_map.h"

#include "afxwin.h"

const CHandleMap::Recent& CHandleMap::Remember(const void* handle) const
{
    Recent& recent = m_recent[SlotOf(handle)];
    if (recent.handle == handle)
        return recent;
    auto permanent = m_permanent.find(handle);
    auto temporary = m_temporary.find(handle);
    recent.handle = handle;
    recent.permanent = permanent == m_permanent.end() ? nullptr : permanent->second;
    recent.temporary = temporary == m_temporary.end() ? nullptr : temporary->second;
    return recent;
}

CObject* CHandleMap::LookupPermanent(const void* handle) const { return Remember(handle).permanent; }

CObject* CHandleMap::LookupTemporary(const void* handle) const { return Remember(handle).temporary; }

void CHandleMap::SetPermanent(const void* handle, CObject* object)
{
    Forget(handle);
    m_permanent[handle] = object;
}

void CHandleMap::RemovePermanent(const void* handle, const CObject* object)
{
    auto it = m_permanent.find(handle);
    if (it != m_permanent.end() && it->second == object) {
        Forget(handle);
        m_permanent.erase(it);
    }
}

void CHandleMap::SetTemporary(const void* handle, CObject* object)
{
    Forget(handle);
    CObject*& slot = m_temporary[handle];
    if (slot != nullptr)
        m_retired.push_back(slot);
    slot = object;
}

void CHandleMap::DeleteTemps()
{
    std::vector<CObject*> doomed = std::move(m_retired);
    m_retired.clear();
    for (auto& entry : m_temporary)
        doomed.push_back(entry.second);
    m_temporary.clear();
    m_recent.fill(Recent{});
    for (CObject* object : doomed) {
        m_clearHandle(object);
        delete object;
    }
}

namespace {

// The maps live until the process ends; their objects are never destroyed
// by static destructors, which may run while other modules still use them.
template <class T>
CHandleMap& MapFor(void (*clear)(CObject*))
{
    static auto* map = new CHandleMap(clear);
    return *map;
}

void ClearWnd(CObject* o) { static_cast<CWnd*>(o)->m_hWnd = nullptr; }
void ClearDC(CObject* o) { static_cast<CDC*>(o)->m_hDC = nullptr; }
void ClearGdi(CObject* o) { static_cast<CGdiObject*>(o)->m_hObject = nullptr; }
void ClearMenu(CObject* o) { static_cast<CMenu*>(o)->m_hMenu = nullptr; }

int g_nTempMapLock = 0;

}  // namespace

CHandleMap& AfxMapHWND() { return MapFor<CWnd>(ClearWnd); }
CHandleMap& AfxMapHDC() { return MapFor<CDC>(ClearDC); }
CHandleMap& AfxMapHGDIOBJ() { return MapFor<CGdiObject>(ClearGdi); }
CHandleMap& AfxMapHMENU() { return MapFor<CMenu>(ClearMenu); }

void AfxLockTempMaps() { ++g_nTempMapLock; }

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    if (g_nTempMapLock != 0 && --g_nTempMapLock == 0 && bDeleteTemps) {
        AfxMapHWND().DeleteTemps();
        AfxMapHDC().DeleteTemps();
        AfxMapHGDIOBJ().DeleteTemps();
        AfxMapHMENU().DeleteTemps();
    }
    return g_nTempMapLock != 0;
}

int PlAfxTemporaryCount()
{
    return AfxMapHWND().TemporaryCount() + AfxMapHDC().TemporaryCount() + AfxMapHGDIOBJ().TemporaryCount() +
           AfxMapHMENU().TemporaryCount();
}
