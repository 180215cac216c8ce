// Coordinate spaces: logical = device - viewport origin + window origin.
#include "dc.h"

using namespace gdi;

BOOL SetViewportOrgEx(HDC handle, int x, int y, LPPOINT previous)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->m_state.viewportOrg;
    dc->m_state.viewportOrg = POINT{x, y};
    return TRUE;
}

BOOL GetViewportOrgEx(HDC handle, LPPOINT origin)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !origin)
        return FALSE;
    *origin = dc->m_state.viewportOrg;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC handle, int dx, int dy, LPPOINT previous)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->m_state.viewportOrg;
    dc->m_state.viewportOrg.x += dx;
    dc->m_state.viewportOrg.y += dy;
    return TRUE;
}

BOOL SetWindowOrgEx(HDC handle, int x, int y, LPPOINT previous)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->m_state.windowOrg;
    dc->m_state.windowOrg = POINT{x, y};
    return TRUE;
}

BOOL GetWindowOrgEx(HDC handle, LPPOINT origin)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !origin)
        return FALSE;
    *origin = dc->m_state.windowOrg;
    return TRUE;
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
