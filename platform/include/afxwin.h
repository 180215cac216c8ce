// The framework's window classes: drawing objects and device contexts,
// CWnd with its handlers, dialogs, standard controls, menus, views, frame
// windows, the application object and the module state.
#pragma once

#include "afx.h"
#include "afxstat_.h"
#include "atltypes.h"
#include "wingdi.h"
#include "winuser.h"

#include "afxdc.h"
#include "afxwnd.h"

#include "afxapp.h"
#include "afxctrls.h"
#include "afxdlg.h"
#include "afxframe.h"
#include "afxmenu.h"
#include "afxview.h"
