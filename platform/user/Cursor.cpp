// Cursor handles: the system cursors and the cursors modules register. One
// shared handle per cursor, as LoadCursor gives natively.
#include <map>
#include <memory>
#include <utility>

#include "CursorDescription.h"
#include "DisplayDriver.h"
#include "Internal.h"
#include "Resources.h"
#include "pldisplay.h"

namespace pl {

namespace {

struct Cursor {
    CursorDescription shape;
    PlCursorTemplate bits{};
};

struct CursorState {
    std::map<std::pair<HINSTANCE, int>, std::unique_ptr<Cursor>> cursors;
    HCURSOR current = nullptr;
    int showCount = 0;
};

CursorState& cursorState()
{
    static CursorState s;
    return s;
}

bool isSystemCursorId(int id)
{
    switch (id) {
    case 32512: case 32513: case 32514: case 32515: case 32516:
    case 32640: case 32641: case 32642: case 32643: case 32644:
    case 32645: case 32646: case 32648: case 32649: case 32650: case 32651:
        return true;
    default:
        return false;
    }
}

Cursor* fromHandle(HCURSOR handle)
{
    for (auto& [key, cursor] : cursorState().cursors)
        if (reinterpret_cast<HCURSOR>(cursor.get()) == handle)
            return cursor.get();
    return nullptr;
}

HCURSOR cursorFor(HINSTANCE module, int id)
{
    auto& cursors = cursorState().cursors;
    auto key = std::make_pair(module, id);
    auto it = cursors.find(key);
    if (it != cursors.end())
        return reinterpret_cast<HCURSOR>(it->second.get());
    auto cursor = std::make_unique<Cursor>();
    cursor->shape.id = id;
    cursor->shape.module = module;
    if (!module) {
        if (!isSystemCursorId(id))
            return nullptr;
        cursor->shape.system = true;
    } else {
        const PlCursorTemplate* t = findCursorResource(module, id);
        if (!t)
            return nullptr;
        cursor->bits = *t;
        cursor->shape.hotSpot = t->hotSpot;
        cursor->shape.andMask = cursor->bits.andMask;
        cursor->shape.xorMask = cursor->bits.xorMask;
    }
    HCURSOR handle = reinterpret_cast<HCURSOR>(cursor.get());
    cursors[key] = std::move(cursor);
    return handle;
}

}  // namespace

HCURSOR systemCursor(int id)
{
    return cursorFor(nullptr, id);
}

bool describeCursor(HCURSOR handle, CursorDescription* shape)
{
    Cursor* c = fromHandle(handle);
    if (!c)
        return false;
    if (shape)
        *shape = c->shape;
    return true;
}

}  // namespace pl

using namespace pl;

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    if (!name || !IS_INTRESOURCE(name))
        return nullptr;
    return cursorFor(instance, static_cast<int>(reinterpret_cast<uintptr_t>(name)));
}

HCURSOR SetCursor(HCURSOR cursor)
{
    CursorState& s = cursorState();
    HCURSOR old = s.current;
    if (cursor && !fromHandle(cursor))
        return old;
    if (cursor != old) {
        s.current = cursor;
        display().cursorChanged(s.showCount >= 0 ? cursor : nullptr);
    }
    return old;
}

HCURSOR GetCursor(void)
{
    return cursorState().current;
}

int ShowCursor(BOOL show)
{
    CursorState& s = cursorState();
    s.showCount += show ? 1 : -1;
    display().cursorChanged(s.showCount >= 0 ? s.current : nullptr);
    return s.showCount;
}

BOOL PlGetCursorShown(PlCursorShown* shown)
{
    CursorState& s = cursorState();
    Cursor* c = fromHandle(s.current);
    if (!shown || !c || s.showCount < 0)
        return FALSE;
    shown->cursor = s.current;
    shown->module = c->shape.module;
    shown->id = c->shape.id;
    shown->hotSpot = c->shape.hotSpot;
    return TRUE;
}
