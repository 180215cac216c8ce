// Per-thread state of the window framework. Everything runs on the host's
// user-interface thread, so one instance serves.
#pragma once

#include "afxwin.h"

struct AfxThreadState {
    MSG m_lastSentMsg = {};          // the message being handled, for CWnd::Default
    CWnd* m_pWndInit = nullptr;      // the object the next created window attaches to
    HHOOK m_hHookOldCbtFilter = nullptr;
};

AfxThreadState& AfxGetThreadState();

// Arms the creation hook: the next window created attaches to pWnd and gets
// AfxWndProc before its first message. Unhooking returns FALSE when no window
// was attached (the creation failed before the window existed).
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

// Class names of the framework's default window classes, registered for the
// current instance on first use.
LPCSTR AfxDefaultWndClass();         // CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, no background
LPCSTR AfxDefaultFrameOrViewClass();  // the same with the window colour as background
LPCSTR AfxDefaultControlBarClass();   // no class style, button-face background
