// The host application around the plug-in: the root host record and its
// main window, the plug-in's main dialog made through fnCallback, the device
// list, the timer tick, the trace window and the parameter window.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "Corvala.h"
#include "HostOptions.h"
#include "PluginModule.h"
#include "RowsWindow.h"

class HostApp {
public:
    explicit HostApp(const HostOptions& options);
    ~HostApp();
    HostApp(const HostApp&) = delete;
    HostApp& operator=(const HostApp&) = delete;

    // Loads the module and the program, makes the windows, creates the
    // plug-in's dialog and hands it the device list. Empty on success, else
    // what stopped the start.
    std::string Start();

    // The message loop of a display with a person in front of it: returns
    // when the plug-in's window is gone, --ticks is reached, or a SIGINT or
    // SIGTERM asked the host to stop.
    void RunMessageLoop();

    // One period: the embedded devices run their programs, then the
    // plug-in gets its WM_TIMER. Nothing once the host stops running.
    void Tick();
    // The plug-in's window is open and --ticks is not reached yet.
    bool IsRunning() const;

    // Closes the plug-in's window if it is still open and lets it finish.
    void ClosePlugin();
    bool IsPluginOpen() const;

    // Writes <snapshot folder>/<name>.png of the plug-in's whole window.
    // Empty on success, else what went wrong.
    std::string Snapshot(const std::string& name);
    // Prints the program of every device in the list.
    void PrintPrograms(std::FILE* out);

    HWND PluginWindow() const { return m_hPlugin; }
    HWND MainWindow() const { return m_MainWindow.Handle(); }
    HWND ParameterWindow() const { return m_ParameterWindow.Handle(); }
    const std::vector<std::string>& ParameterRowsShown() const { return m_ParameterWindow.Rows(); }
    HWND TraceWindow() const { return m_Root.m_hTraceWnd; }
    long TickCount() const { return m_nTicks; }
    int Interval() const { return m_nInterval; }
    const std::vector<std::string>& Devices() const { return m_Devices; }

    // Asks a running loop to close the plug-in at the next message; safe to
    // call from a signal handler.
    static void RequestStop();

private:
    std::string LoadProgram();
    std::string CreateHostWindows();
    std::string CreatePlugin();
    // Sends a KeywordMessage to the dialog as the host does: a query for the
    // keyword's id, then the get or set.
    bool SendKeyword(const char* keyword, int mode, char* text);
    std::vector<std::string> PluginDeviceNames() const;
    int ReadInterval();
    void StartTimer();
    void RunEmbeddedPrograms();
    std::time_t DeviceClock() const;

    void ShowParameters(const std::string& objectName);
    void RefreshParameters();
    void RefreshStatus();
    void ToggleTrace();

    static BOOL HandleMainMessage(void* context, HWND wnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT* result);

    HostOptions m_Options;
    std::vector<std::string> m_Devices;
    PluginModule m_Module;
    HOSTINFO m_Root;
    RowsWindow m_MainWindow;
    RowsWindow m_ParameterWindow;
    std::string m_ParameterObject;
    HWND m_hPlugin = nullptr;
    int m_nInterval = 100;
    long m_nTicks = 0;
    std::time_t m_StartTime = 0;
    bool m_bRealClock = false;
};
