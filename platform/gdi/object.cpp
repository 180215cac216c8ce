// Registry of live objects, stock objects and the generic object calls.
#include "object.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "bitmap.h"
#include "brush.h"
#include "dc.h"
#include "font.h"
#include "gdi_internal.h"
#include "pen.h"

namespace gdi {

namespace {

// Objects still alive at exit are destroyed with the registry; their
// destructors must not look handles up in a map that is being torn down.
struct ObjectTable {
    ~ObjectTable()
    {
        dying = true;
        objects.clear();
    }
    std::unordered_map<const void*, std::unique_ptr<GdiObject>> objects;
    bool dying = false;
};

// The objects looked up last, by handle: a paint looks the same few DCs,
// pens and brushes up again and again, and a hit here saves hashing the
// handle and walking a bucket. Handles are never reused, so an entry can
// only go stale by its object's destruction, which clears it.
struct RecentLookups {
    static constexpr size_t kSize = 256;
    struct Entry {
        const void* handle = nullptr;
        GdiObject* object = nullptr;
    };
    Entry entries[kSize];

    static size_t SlotOf(const void* handle) { return (reinterpret_cast<uintptr_t>(handle) >> 4) & (kSize - 1); }
    GdiObject* find(const void* handle) const
    {
        const Entry& e = entries[SlotOf(handle)];
        return e.handle == handle ? e.object : nullptr;
    }
    void remember(const void* handle, GdiObject* object) { entries[SlotOf(handle)] = Entry{handle, object}; }
    void forget(const void* handle)
    {
        Entry& e = entries[SlotOf(handle)];
        if (e.handle == handle)
            e = Entry{};
    }
};

RecentLookups& Recent()
{
    static RecentLookups recent;
    return recent;
}

ObjectTable& Table()
{
    static ObjectTable table;
    return table;
}

std::unordered_map<const void*, std::unique_ptr<GdiObject>>& Registry()
{
    return Table().objects;
}

HGDIOBJ MakeStockPen(int style, COLORREF color)
{
    auto pen = std::make_unique<Pen>();
    pen->m_style = style;
    pen->m_color = color;
    pen->m_stock = true;
    return RegisterObject(std::move(pen));
}

HGDIOBJ MakeStockBrush(int style, COLORREF color)
{
    auto brush = std::make_unique<Brush>();
    brush->m_style = style;
    brush->m_color = color;
    brush->m_stock = true;
    return RegisterObject(std::move(brush));
}

HGDIOBJ MakeStockFont(const char* face, int height, int weight)
{
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWeight = weight;
    log.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return NewFont(log, true);
}

HGDIOBJ CreateStockObject(int index)
{
    switch (index) {
    case WHITE_BRUSH: return MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return MakeStockBrush(BS_NULL, 0);
    case WHITE_PEN: return MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return MakeStockPen(PS_NULL, 0);
    // The system font is a bold sans of a 16-pixel cell; the GUI font an
    // 8-point (11-pixel) sans, as on a 96-dpi desktop.
    case SYSTEM_FONT: return MakeStockFont("System", 16, FW_BOLD);
    case DEFAULT_GUI_FONT: return MakeStockFont("MS Shell Dlg", -11, FW_NORMAL);
    default: return nullptr;
    }
}

}  // namespace

void* RegisterObject(std::unique_ptr<GdiObject> object)
{
    // Above the small integers that stand for system colour brushes, and
    // never reused.
    static uintptr_t next = 0x10000;
    next += 0x10;
    void* handle = reinterpret_cast<void*>(next);
    object->m_handle = handle;
    Recent().remember(handle, object.get());
    Registry().emplace(handle, std::move(object));
    return handle;
}

GdiObject* LookupObject(const void* handle)
{
    if (!handle || Table().dying)
        return nullptr;
    if (GdiObject* recent = Recent().find(handle))
        return recent;
    auto& registry = Registry();
    auto it = registry.find(handle);
    if (it == registry.end())
        return nullptr;
    Recent().remember(handle, it->second.get());
    return it->second.get();
}

void DestroyObject(GdiObject* object)
{
    Recent().forget(object->m_handle);
    Registry().erase(object->m_handle);
}

}  // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int index)
{
    static HGDIOBJ stock[DEFAULT_GUI_FONT + 1] = {};
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    if (!stock[index])
        stock[index] = CreateStockObject(index);
    return stock[index];
}

BOOL DeleteObject(HGDIOBJ handle)
{
    GdiObject* object = LookupObject(handle);
    if (!object || object->m_stock || object->m_references > 0)
        return FALSE;
    if (object->m_type == OBJ_DC || object->m_type == OBJ_MEMDC)
        return FALSE;  // device contexts go with DeleteDC
    DestroyObject(object);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ handle)
{
    GdiObject* object = LookupObject(handle);
    return object ? object->m_type : 0;
}

int GetObjectA(HGDIOBJ handle, int size, LPVOID out)
{
    GdiObject* object = LookupObject(handle);
    if (!object)
        return 0;
    auto copyOut = [&](const void* data, int bytes) {
        if (!out)
            return bytes;
        int n = size < bytes ? size : bytes;
        if (n <= 0)
            return 0;
        std::memcpy(out, data, size_t(n));
        return n;
    };
    switch (object->m_type) {
    case OBJ_BITMAP: {
        auto* bitmap = static_cast<Bitmap*>(object);
        BITMAP info{};
        info.bmWidth = bitmap->m_pixels->width;
        info.bmHeight = bitmap->m_pixels->height;
        info.bmPlanes = 1;
        info.bmBitsPixel = WORD(bitmap->bitsPerPixel());
        info.bmWidthBytes = bitmap->m_pixels->mono ? (info.bmWidth + 15) / 16 * 2 : info.bmWidth * 4;
        return copyOut(&info, sizeof info);
    }
    case OBJ_FONT:
        return copyOut(&static_cast<Font*>(object)->m_log, sizeof(LOGFONTA));
    case OBJ_BRUSH: {
        auto* brush = static_cast<Brush*>(object);
        LOGBRUSH info{UINT(brush->m_style), brush->m_color, 0};
        return copyOut(&info, sizeof info);
    }
    default:
        return 0;
    }
}

BOOL UnrealizeObject(HGDIOBJ handle)
{
    // Brush origins are applied at every use, so there is nothing to reset.
    return LookupObject(handle) ? TRUE : FALSE;
}

size_t PlGdiLiveObjectCount()
{
    size_t n = 0;
    for (auto& [handle, object] : Registry()) {
        (void)handle;
        if (!object->m_stock && object->m_type != OBJ_DC && object->m_type != OBJ_MEMDC)
            ++n;
    }
    return n;
}

size_t PlGdiLiveDcCount()
{
    size_t n = 0;
    for (auto& [handle, object] : Registry()) {
        (void)handle;
        if (object->m_type == OBJ_DC || object->m_type == OBJ_MEMDC)
            ++n;
    }
    return n;
}
