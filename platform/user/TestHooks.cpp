// The window system's side of pldisplay.h: surfaces and a clean desktop for tests.
#include <vector>

#include "Internal.h"
#include "Queue.h"
#include "pldisplay.h"

using namespace pl;

HBITMAP PlGetWindowSurface(HWND wnd, POINT* origin)
{
    Window* w = findWindow(wnd);
    if (!w || w == desktopWindow())
        return nullptr;
    Window* top = topLevelOf(w);
    if (!top->surface)
        createSurface(top);
    if (origin)
        *origin = surfaceOrigin(w);
    return top->surface;
}

void PlResetWindowSystem(void)
{
    for (int round = 0; round < 8 && !topLevelWindows().empty(); ++round) {
        for (Window* top : std::vector<Window*>(topLevelWindows()))
            if (!top->destroyed && !top->destroying)
                DestroyWindow(top->handle);
    }
    if (captureWindow())
        ReleaseCapture();
    SetFocus(nullptr);
    resetQueue();
    resetTimers();
    resetInput();
}
