// Handles of the drawing layer: every handle is a number handed out once and
// looked up in the registry of live objects before use, so a stale or
// foreign handle fails cleanly instead of crashing, and a deleted handle
// never comes back as a different object.
#pragma once

#include <memory>

#include "wingdi.h"

namespace gdi {

struct GdiObject {
    explicit GdiObject(DWORD type) : m_type(type) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    DWORD m_type;
    const void* m_handle = nullptr;
    bool m_stock = false;   // stock and shared objects: never deleted
    int m_references = 0;   // selections into DC states (current and saved)
};

// Takes ownership and returns the handle.
void* RegisterObject(std::unique_ptr<GdiObject> object);

// The live object behind a handle, or null.
GdiObject* LookupObject(const void* handle);

// The live object of the given type behind a handle, or null.
template <class T>
T* LookupAs(const void* handle, DWORD type)
{
    GdiObject* object = LookupObject(handle);
    return object && object->m_type == type ? static_cast<T*>(object) : nullptr;
}

// Destroys a registered object (no checks).
void DestroyObject(GdiObject* object);

inline void AddReference(const void* handle)
{
    if (GdiObject* o = LookupObject(handle))
        ++o->m_references;
}

inline void ReleaseReference(const void* handle)
{
    if (GdiObject* o = LookupObject(handle); o && o->m_references > 0)
        --o->m_references;
}

}  // namespace gdi
