// Device contexts: creation, selected objects, saved states and attributes.
#include "dc.h"

#include "bitmap.h"
#include "brush.h"
#include "font.h"
#include "pen.h"

namespace gdi {

DeviceContext::DeviceContext(bool memory) : GdiObject(memory ? OBJ_MEMDC : OBJ_DC)
{
    m_state.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    m_state.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    m_state.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    if (memory) {
        m_state.bitmap = DefaultBitmap();
        m_target = LookupAs<Bitmap>(m_state.bitmap, OBJ_BITMAP)->m_pixels;
    }
    referenceState(m_state);
}

DeviceContext::~DeviceContext()
{
    releaseState(m_state);
    for (const DcState& s : m_saved)
        releaseState(s);
}

void DeviceContext::referenceState(const DcState& s)
{
    AddReference(s.pen);
    AddReference(s.brush);
    AddReference(s.font);
    AddReference(s.bitmap);
}

void DeviceContext::releaseState(const DcState& s)
{
    ReleaseReference(s.pen);
    ReleaseReference(s.brush);
    ReleaseReference(s.font);
    ReleaseReference(s.bitmap);
}

POINT DeviceContext::toDevice(int x, int y) const
{
    return POINT{x - m_state.windowOrg.x + m_state.viewportOrg.x, y - m_state.windowOrg.y + m_state.viewportOrg.y};
}

POINT DeviceContext::toLogical(int x, int y) const
{
    return POINT{x - m_state.viewportOrg.x + m_state.windowOrg.x, y - m_state.viewportOrg.y + m_state.windowOrg.y};
}

POINT DeviceContext::toSurface(int x, int y) const
{
    POINT d = toDevice(x, y);
    return POINT{d.x + m_surfaceOrigin.x, d.y + m_surfaceOrigin.y};
}

RECT DeviceContext::deviceArea() const
{
    if (isMemory())
        return m_target->bounds();
    return RECT{m_surfaceClip.left - m_surfaceOrigin.x, m_surfaceClip.top - m_surfaceOrigin.y,
                m_surfaceClip.right - m_surfaceOrigin.x, m_surfaceClip.bottom - m_surfaceOrigin.y};
}

const std::vector<RECT>& DeviceContext::visibleRects()
{
    if (!m_clipValid)
        recomputeClip();
    return m_visible;
}

const RECT& DeviceContext::visibleBounds()
{
    if (!m_clipValid)
        recomputeClip();
    return m_visibleBounds;
}

// A region of one rectangle, or none: the whole of `whole`.
static bool SingleRect(const std::optional<Region>& region, const RECT& whole, RECT& rect)
{
    if (!region) {
        rect = whole;
        return true;
    }
    if (region->rects().size() > 1)
        return false;
    rect = region->empty() ? RECT{0, 0, 0, 0} : region->rects().front();
    return true;
}

// Painting clips a DC to one rectangle after another (a block, a pin row)
// inside an update region that is mostly one rectangle too: that case is
// worked out on rectangles alone, without building regions.
bool DeviceContext::recomputeClipOfRects()
{
    RECT clip;
    RECT system;
    const RECT area = deviceArea();
    if (!SingleRect(m_state.clip, area, clip) || !SingleRect(m_systemRegion, m_target->bounds(), system))
        return false;
    RECT visible = RectIntersection(clip, area);
    visible = RectIntersection(RECT{visible.left + m_surfaceOrigin.x, visible.top + m_surfaceOrigin.y,
                                    visible.right + m_surfaceOrigin.x, visible.bottom + m_surfaceOrigin.y},
                               m_target->bounds());
    visible = RectIntersection(visible, system);
    m_visible.clear();
    if (!RectEmpty(visible))
        m_visible.push_back(visible);
    m_visibleBounds = RectEmpty(visible) ? RECT{0, 0, 0, 0} : visible;
    m_clipValid = true;
    return true;
}

void DeviceContext::recomputeClip()
{
    if (recomputeClipOfRects())
        return;
    Region visible(deviceArea());
    if (m_state.clip) {
        Region clipped = *m_state.clip;
        clipped.intersect(deviceArea());
        visible = clipped;
    }
    visible.offset(m_surfaceOrigin.x, m_surfaceOrigin.y);
    visible.intersect(m_target->bounds());
    if (m_systemRegion)
        visible.intersect(*m_systemRegion);
    m_visible = visible.rects();
    m_visibleBounds = visible.bounds();
    m_clipValid = true;
}

DeviceContext* LookupDC(HDC dc)
{
    GdiObject* object = LookupObject(dc);
    if (!object || (object->m_type != OBJ_DC && object->m_type != OBJ_MEMDC))
        return nullptr;
    return static_cast<DeviceContext*>(object);
}

}  // namespace gdi

using namespace gdi;

namespace {

HGDIOBJ SelectBitmap(DeviceContext& dc, HGDIOBJ handle, Bitmap& bitmap)
{
    if (!dc.isMemory())
        return nullptr;  // only memory DCs hold bitmaps
    HGDIOBJ previous = dc.m_state.bitmap;
    if (handle == previous)
        return previous;
    // A bitmap lives in one DC at a time; this DC's own saved states may
    // hold it too.
    int ownReferences = 0;
    for (const DcState& saved : dc.m_saved)
        ownReferences += saved.bitmap == handle;
    if (bitmap.m_references > ownReferences && !bitmap.m_stock)
        return nullptr;
    ReleaseReference(previous);
    AddReference(handle);
    dc.m_state.bitmap = static_cast<HBITMAP>(handle);
    dc.m_target = bitmap.m_pixels;
    dc.invalidateClip();
    return previous;
}

template <class H>
HGDIOBJ Swap(H& slot, HGDIOBJ handle)
{
    HGDIOBJ previous = slot;
    if (handle != previous) {
        AddReference(handle);
        ReleaseReference(previous);
        slot = static_cast<H>(handle);
    }
    return previous;
}

}  // namespace

HDC CreateCompatibleDC(HDC reference)
{
    if (reference && !LookupDC(reference))
        return nullptr;
    return static_cast<HDC>(RegisterObject(std::make_unique<DeviceContext>(true)));
}

BOOL DeleteDC(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    DestroyObject(dc);
    return TRUE;
}

int SaveDC(HDC handle)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return 0;
    dc->m_saved.push_back(dc->m_state);
    dc->referenceState(dc->m_state);
    return int(dc->m_saved.size());
}

BOOL RestoreDC(HDC handle, int saved)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    int depth = int(dc->m_saved.size());
    int level = saved < 0 ? depth + saved + 1 : saved;
    if (level < 1 || level > depth)
        return FALSE;
    while (int(dc->m_saved.size()) > level) {
        dc->releaseState(dc->m_saved.back());
        dc->m_saved.pop_back();
    }
    dc->releaseState(dc->m_state);
    dc->m_state = std::move(dc->m_saved.back());
    dc->m_saved.pop_back();
    if (dc->isMemory()) {
        Bitmap* bitmap = LookupAs<Bitmap>(dc->m_state.bitmap, OBJ_BITMAP);
        dc->m_target = bitmap ? bitmap->m_pixels : LookupAs<Bitmap>(DefaultBitmap(), OBJ_BITMAP)->m_pixels;
    }
    dc->invalidateClip();
    return TRUE;
}

int GetDeviceCaps(HDC handle, int index)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return 0;
    bool screen = dc->isMemory() && dc->m_state.bitmap == DefaultBitmap();
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return screen ? 1280 : dc->m_target->width;
    case VERTRES: return screen ? 1024 : dc->m_target->height;
    case BITSPIXEL: return dc->m_target->mono && !screen ? 1 : 32;
    case PLANES: return 1;
    default: return 0;
    }
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object)
{
    DeviceContext* dc = LookupDC(handle);
    GdiObject* target = LookupObject(object);
    if (!dc || !target)
        return nullptr;
    switch (target->m_type) {
    case OBJ_PEN: return Swap(dc->m_state.pen, object);
    case OBJ_BRUSH: return Swap(dc->m_state.brush, object);
    case OBJ_FONT: return Swap(dc->m_state.font, object);
    case OBJ_BITMAP: return SelectBitmap(*dc, object, *static_cast<Bitmap*>(target));
    case OBJ_REGION:
        // Selecting a region sets the clip; the answer is its complexity.
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(handle, static_cast<HRGN>(object))));
    default: return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->m_state.pen;
    case OBJ_BRUSH: return dc->m_state.brush;
    case OBJ_FONT: return dc->m_state.font;
    case OBJ_BITMAP: return dc->m_state.bitmap;
    default: return nullptr;
    }
}

// ---- Attributes ------------------------------------------------------------
// Every attribute call looks the DC up, answers `failure` for a bad handle or
// refused value, and otherwise swaps the value and answers the previous one.

namespace {

template <typename T>
T SwapState(HDC handle, T DcState::*field, T value, T failure, bool accepted = true)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !accepted)
        return failure;
    T previous = dc->m_state.*field;
    dc->m_state.*field = value;
    return previous;
}

template <typename T>
T ReadState(HDC handle, T DcState::*field, T failure)
{
    DeviceContext* dc = LookupDC(handle);
    return dc ? dc->m_state.*field : failure;
}

constexpr UINT kGdiError = 0xFFFFFFFFu;

}  // namespace

int SetROP2(HDC handle, int rop2)
{
    return SwapState(handle, &DcState::rop2, rop2, 0, rop2 >= R2_BLACK && rop2 <= R2_WHITE);
}

int GetROP2(HDC handle)
{
    return ReadState(handle, &DcState::rop2, 0);
}

int SetBkMode(HDC handle, int mode)
{
    return SwapState(handle, &DcState::bkMode, mode, 0, mode == TRANSPARENT || mode == OPAQUE);
}

int GetBkMode(HDC handle)
{
    return ReadState(handle, &DcState::bkMode, 0);
}

COLORREF SetBkColor(HDC handle, COLORREF color)
{
    return SwapState(handle, &DcState::bkColor, COLORREF(color & 0x00FFFFFFu), COLORREF(CLR_INVALID));
}

COLORREF GetBkColor(HDC handle)
{
    return ReadState(handle, &DcState::bkColor, COLORREF(CLR_INVALID));
}

COLORREF SetTextColor(HDC handle, COLORREF color)
{
    return SwapState(handle, &DcState::textColor, COLORREF(color & 0x00FFFFFFu), COLORREF(CLR_INVALID));
}

COLORREF GetTextColor(HDC handle)
{
    return ReadState(handle, &DcState::textColor, COLORREF(CLR_INVALID));
}

UINT SetTextAlign(HDC handle, UINT align)
{
    return SwapState(handle, &DcState::textAlign, align, kGdiError);
}

UINT GetTextAlign(HDC handle)
{
    return ReadState(handle, &DcState::textAlign, kGdiError);
}

BOOL SetBrushOrgEx(HDC handle, int x, int y, LPPOINT previous)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->m_state.brushOrg;
    dc->m_state.brushOrg = POINT{x, y};
    return TRUE;
}

int SetMapMode(HDC handle, int mode)
{
    // Only the pixel mapping exists; other modes are refused.
    return SwapState(handle, &DcState::mapMode, mode, 0, mode == MM_TEXT);
}

int GetMapMode(HDC handle)
{
    return ReadState(handle, &DcState::mapMode, 0);
}
