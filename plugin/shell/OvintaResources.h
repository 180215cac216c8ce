// Resource ids of the plug-in's dialogs. The tables themselves are
// registered under the module they are linked into, at load time.
#pragma once

constexpr unsigned IDD_UIMAINDLG = 4000;      // the main dialog
constexpr unsigned IDD_UITASKENGINE = 4002;   // the task-engine page
constexpr int IDC_MAINDLG_TAB = 3000;         // tab control of the main dialog
constexpr int IDC_TASKENGINE_PARAMETER = 4000;  // "Functions and Connections"
