// Geometry readers shared by the bar tests.
#pragma once

#include "afx/AfxTestSupport.h"

// Rectangle of a child in its parent's client coordinates.
inline CRect ChildRect(HWND hChild)
{
    CRect rect;
    ::GetWindowRect(hChild, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hChild), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

// Client rectangle of a window in its own window coordinates.
inline CRect ClientInWindow(HWND hWnd)
{
    CRect rcWindow, rcClient;
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hWnd, &rcClient);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<LPPOINT>(&rcClient), 2);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    return rcClient;
}
