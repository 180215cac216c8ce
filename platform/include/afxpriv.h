// Private messages of the framework, sent between its own windows.
#pragma once

#include "windef.h"

#define WM_SIZEPARENT 0x0361       // a frame asks a child bar for its place (AFX_SIZEPARENTPARAMS*)
#define WM_IDLEUPDATECMDUI 0x0363  // idle: wParam TRUE to disable commands without a handler
#define WM_RECALCPARENT 0x0368

// The layout a frame hands to its bars with WM_SIZEPARENT: each bar takes its
// place from `rect` and shrinks it.
struct AFX_SIZEPARENTPARAMS {
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
    BOOL bApply;  // FALSE: only measure, do not move the bars
};
