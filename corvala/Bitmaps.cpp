// Host bitmaps: image files shared by name with a reference count.
#include <map>
#include <memory>
#include <string>

#include "Corvala.h"
#include "plsurface.h"
#include "wingdi.h"

namespace {

struct BitmapEntry {
    std::unique_ptr<KIVOBitmap> bitmap;
    int references = 0;
};

class BitmapRegistry {
public:
    BitmapRegistry()
    {
        // As for fonts: the drawing layer's object table must outlive us.
        GetStockObject(NULL_BRUSH);
    }
    BitmapRegistry(const BitmapRegistry&) = delete;
    BitmapRegistry& operator=(const BitmapRegistry&) = delete;
    ~BitmapRegistry()
    {
        for (auto& [path, entry] : m_entries)
            DeleteObject(entry.bitmap->GetHandle());
    }

    KIVOBitmap* Get(const std::string& path)
    {
        if (auto found = m_entries.find(path); found != m_entries.end()) {
            ++found->second.references;
            return found->second.bitmap.get();
        }
        HBITMAP image = PlReadImageFile(path.c_str());
        SIZE size{};
        if (!image || !PlBitmapBits(image, &size)) {
            if (image)
                DeleteObject(image);
            return nullptr;
        }
        BitmapEntry& entry = m_entries[path];
        entry.bitmap = std::make_unique<KIVOBitmap>(image, size.cx, size.cy);
        entry.references = 1;
        return entry.bitmap.get();
    }

    bool Release(const std::string& path)
    {
        auto found = m_entries.find(path);
        if (found == m_entries.end())
            return false;
        if (--found->second.references == 0) {
            DeleteObject(found->second.bitmap->GetHandle());
            m_entries.erase(found);
        }
        return true;
    }

private:
    std::map<std::string, BitmapEntry> m_entries;
};

BitmapRegistry& Bitmaps()
{
    static BitmapRegistry registry;
    return registry;
}

// Names are keyed by their full path, so that "Controls\a.ico" and
// "Controls/a.ico" share one bitmap.
std::string KeyOf(const char* name)
{
    return a_MakeFullPathName(nullptr, name);
}

}  // namespace

BOOL KIVOBitmap::Draw(HDC dc, int x, int y) const
{
    if (!m_hBitmap)
        return FALSE;
    return PlDrawBitmapTransparent(dc, x, y, m_hBitmap);
}

KIVOBitmap* a_GetBitmap3(const char* name)
{
    if (!name || !*name)
        return nullptr;
    return Bitmaps().Get(KeyOf(name));
}

BOOL a_UnregisterBitmap3(const char* name)
{
    if (!name || !*name)
        return FALSE;
    return Bitmaps().Release(KeyOf(name)) ? TRUE : FALSE;
}
