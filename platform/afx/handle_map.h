// Maps from native handles to the framework objects that wrap them. A
// permanent entry belongs to an object that attached the handle; temporary
// entries are wrappers made on demand by FromHandle and deleted, with their
// handles left alone, when the temporary maps are unlocked at idle time.
#pragma once

#include <array>
#include <cstdint>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "afx.h"

class CHandleMap {
public:
    // Clears the handle field of a temporary wrapper before it is deleted,
    // so that its destructor does not release the handle.
    using ClearHandleFn = void (*)(CObject*);
    explicit CHandleMap(ClearHandleFn clearHandle) : m_clearHandle(clearHandle) {}

    CObject* LookupPermanent(const void* handle) const;
    CObject* LookupTemporary(const void* handle) const;
    void SetPermanent(const void* handle, CObject* object);
    // Removes the permanent entry of the handle if it belongs to the object.
    void RemovePermanent(const void* handle, const CObject* object);
    // A wrapper of another class may already be there: it stays alive until
    // the next cleanup, since callers may still hold it.
    void SetTemporary(const void* handle, CObject* object);
    void DeleteTemps();
    int TemporaryCount() const { return (int)(m_temporary.size() + m_retired.size()); }

    template <class Fn>
    void ForEachPermanent(Fn fn) const
    {
        for (const auto& entry : m_permanent)
            fn(entry.first);
    }

private:
    // The answers of the last lookups, by handle: a paint asks for the same
    // few pens, brushes and fonts thousands of times, and each map lookup
    // hashes and divides. A slot is dropped whenever its handle's entries
    // change, and all of them when the temporaries go.
    struct Recent {
        const void* handle = nullptr;
        CObject* permanent = nullptr;
        CObject* temporary = nullptr;
    };
    static constexpr size_t kRecentSize = 64;
    static size_t SlotOf(const void* handle) { return (reinterpret_cast<uintptr_t>(handle) >> 4) % kRecentSize; }
    const Recent& Remember(const void* handle) const;
    void Forget(const void* handle) { m_recent[SlotOf(handle)] = Recent{}; }

    mutable std::array<Recent, kRecentSize> m_recent{};
    ClearHandleFn m_clearHandle;
    std::unordered_map<const void*, CObject*> m_permanent;
    std::unordered_map<const void*, CObject*> m_temporary;
    std::vector<CObject*> m_retired;
};

CHandleMap& AfxMapHWND();
CHandleMap& AfxMapHDC();
CHandleMap& AfxMapHGDIOBJ();
CHandleMap& AfxMapHMENU();

// The object as a T, or null. Most wrappers are of exactly the class asked
// for, which one type comparison settles without walking the hierarchy.
template <class T>
T* AfxExactlyOrDerived(CObject* object)
{
    if (object == nullptr)
        return nullptr;
    if (typeid(*object) == typeid(T))
        return static_cast<T*>(object);
    return dynamic_cast<T*>(object);
}

// The wrapper of `handle` as a T: the permanent one if it is a T, else a
// temporary T (made with `make`, which creates it and stores the handle).
template <class T, class Make>
T* AfxFromHandleAs(CHandleMap& map, const void* handle, Make make)
{
    if (handle == nullptr)
        return nullptr;
    if (T* permanent = AfxExactlyOrDerived<T>(map.LookupPermanent(handle)))
        return permanent;
    if (T* temporary = AfxExactlyOrDerived<T>(map.LookupTemporary(handle)))
        return temporary;
    T* wrapper = make();
    map.SetTemporary(handle, wrapper);
    return wrapper;
}
