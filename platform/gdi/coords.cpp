// Coordinate spaces: logical = device - viewport origin + window origin.
#include "dc.h"

using namespace gdi;

namespace {

// Sets one of the two origins, handing the old one back when asked.
BOOL SetOrigin(HDC handle, POINT DcState::*origin, POINT value, LPPOINT previous)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->m_state.*origin;
    dc->m_state.*origin = value;
    return TRUE;
}

BOOL GetOrigin(HDC handle, POINT DcState::*origin, LPPOINT out)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !out)
        return FALSE;
    *out = dc->m_state.*origin;
    return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC handle, int x, int y, LPPOINT previous)
{
    return SetOrigin(handle, &DcState::viewportOrg, POINT{x, y}, previous);
}

BOOL GetViewportOrgEx(HDC handle, LPPOINT origin)
{
    return GetOrigin(handle, &DcState::viewportOrg, origin);
}

BOOL OffsetViewportOrgEx(HDC handle, int dx, int dy, LPPOINT previous)
{
    POINT origin;
    if (!GetOrigin(handle, &DcState::viewportOrg, &origin))
        return FALSE;
    return SetOrigin(handle, &DcState::viewportOrg, POINT{origin.x + dx, origin.y + dy}, previous);
}

BOOL SetWindowOrgEx(HDC handle, int x, int y, LPPOINT previous)
{
    return SetOrigin(handle, &DcState::windowOrg, POINT{x, y}, previous);
}

BOOL GetWindowOrgEx(HDC handle, LPPOINT origin)
{
    return GetOrigin(handle, &DcState::windowOrg, origin);
}

BOOL DPtoLP(HDC handle, LPPOINT points, int count)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || (count > 0 && !points))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->toLogical(points[i].x, points[i].y);
    return TRUE;
}

BOOL LPtoDP(HDC handle, LPPOINT points, int count)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || (count > 0 && !points))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->toDevice(points[i].x, points[i].y);
    return TRUE;
}
