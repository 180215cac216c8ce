// The property window of input and output blocks: a host template window,
// configured through WM_APP + 1 lines, that shows and edits the block's link.
#pragma once

#include "windows.h"
#include "Corvala.h"

class CTEDocument;

// The "type=" value of an output block's window.
constexpr int TE_PROPERTY_TYPE_OUTPUT = 16;

// When hWnd is a live window: focus it, show it when hidden, and answer it.
// Otherwise null.
HWND RaisePropertyWindow(HWND hWnd);

// Loads the template window "TEIOUI" for the block named pszBlockName and
// sends it its caption, the type value and the block's address on every
// device of the document, then shows it. Null when the host has no window
// for it.
HWND OpenPropertyWindow(CTEDocument* pDocument, HOSTINFO* pOwner, const char* pszBlockName, int nType);

// Destroys hWnd when it is a live window.
void DestroyPropertyWindow(HWND hWnd);
