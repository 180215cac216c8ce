// Device contexts: a drawing state over a pixel buffer. Memory DCs draw on
// the bitmap selected into them; surface DCs (PlCreateSurfaceDC) draw on part
// of a window surface, with their own origin and clip in surface pixels.
#pragma once

#include <optional>
#include <vector>

#include "object.h"
#include "pixels.h"
#include "region.h"

namespace gdi {

struct DcState {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;  // memory DCs only
    int rop2 = R2_COPYPEN;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT brushOrg{0, 0};
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    int mapMode = MM_TEXT;
    std::optional<Region> clip;  // device coordinates; none: the whole area
    POINT position{0, 0};
};

struct DeviceContext : GdiObject {
    explicit DeviceContext(bool memory);
    ~DeviceContext() override;

    bool isMemory() const { return m_type == OBJ_MEMDC; }

    // Logical to device (the DC's own pixels) and to surface pixels.
    POINT toDevice(int x, int y) const;
    POINT toLogical(int x, int y) const;
    POINT toSurface(int x, int y) const;
    POINT deviceToSurface() const { return m_surfaceOrigin; }

    // The whole area of the DC in device coordinates.
    RECT deviceArea() const;

    // The rectangles that may be touched, in surface pixels, disjoint.
    // Recomputed after a change of clip, origin or bitmap.
    const std::vector<RECT>& visibleRects();
    const RECT& visibleBounds();
    void invalidateClip() { m_clipValid = false; }

    // Swaps in a state (SelectObject, RestoreDC) keeping references counted.
    void referenceState(const DcState& s);
    void releaseState(const DcState& s);

    PixelBufferPtr m_target;
    POINT m_surfaceOrigin{0, 0};
    RECT m_surfaceClip{0, 0, 0, 0};  // surface DCs: what the DC may touch
    // Surface DCs of a paint: only the update region, in surface pixels. The
    // clip can narrow it but never reach beyond it.
    std::optional<Region> m_systemRegion;
    DcState m_state;
    std::vector<DcState> m_saved;
    int m_dashPhase = 0;  // progress along the current pen's dash pattern

private:
    void recomputeClip();
    bool recomputeClipOfRects();
    bool m_clipValid = false;
    std::vector<RECT> m_visible;
    RECT m_visibleBounds{0, 0, 0, 0};
};

DeviceContext* LookupDC(HDC dc);

}  // namespace gdi
