#include "HostApp.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "CorvalaHost.h"
#include "DeviceProgram.h"
#include "TEProgramFile.h"
#include "TEProgramRun.h"
#include "afxapp.h"
#include "pldisplay.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr int kShortestInterval = 10;  // ms; an interval below it would starve the window system
constexpr const char* kParameterRequest = "*parameterdlg=";

volatile std::sig_atomic_t g_bStopRequested = 0;

bool IsNetworkDeviceName(const std::string& name)
{
    return name.find('@') != std::string::npos;
}

RECT MakeRect(int x, int y, int width, int height)
{
    return RECT{x, y, x + width, y + height};
}

}  // namespace

HostApp::HostApp(const HostOptions& options) : m_Options(options), m_Devices(SplitDeviceList(options.devices))
{
    std::strncpy(m_Root.m_szName, "Host", HOSTINFO_NAME_SIZE - 1);
}

HostApp::~HostApp()
{
    ClosePlugin();
    m_ParameterWindow.Destroy();
    if (m_Root.m_hTraceWnd && IsWindow(m_Root.m_hTraceWnd))
        DestroyWindow(m_Root.m_hTraceWnd);
    m_Root.m_hTraceWnd = nullptr;
    m_MainWindow.Destroy();
    PlPumpMessages();
}

void HostApp::RequestStop()
{
    g_bStopRequested = 1;
}

std::string HostApp::Start()
{
    if (m_Devices.empty())
        return "the device list is empty";
    if (std::string error = m_Module.Load(m_Options.modulePath); !error.empty())
        return "cannot load the plug-in: " + error;
    if (std::string error = LoadProgram(); !error.empty())
        return error;
    if (std::string error = CreateHostWindows(); !error.empty())
        return error;
    if (std::string error = CreatePlugin(); !error.empty())
        return error;
    m_bRealClock = std::strcmp(PlDisplayName(), "headless") != 0;
    m_StartTime = std::time(nullptr);
    StartTimer();
    RefreshStatus();
    return {};
}

std::string HostApp::LoadProgram()
{
    if (m_Options.programFile.empty())
        return {};
    const std::string& device = m_Devices.front();
    if (IsNetworkDeviceName(device))
        return "--program needs an embedded first device; " + device +
               " is a network device (give the file to its tedeviced instead)";
    if (!std::filesystem::is_regular_file(m_Options.programFile))
        return "no program file " + m_Options.programFile;
    std::string error = tedevice::LoadProgram(m_Options.programFile, corvala::EmbeddedDevice(device));
    return error.empty() ? error : "cannot load the program: " + error;
}

std::string HostApp::CreateHostWindows()
{
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if (!m_MainWindow.Create("Ovinta host", style, MakeRect(0, 800, 420, 110), nullptr))
        return "cannot create the host's main window";
    m_MainWindow.SetHandler(&HostApp::HandleMainMessage, this);
    m_Root.m_hWnd = m_MainWindow.Handle();
    // Every record below the root inherits its trace window.
    m_Root.m_hTraceWnd = corvala::CreateTraceWindow(m_MainWindow.Handle());
    ShowWindow(m_MainWindow.Handle(), SW_SHOW);
    if (m_Options.showTrace)
        ToggleTrace();
    return {};
}

std::string HostApp::CreatePlugin()
{
    m_hPlugin = m_Module.CreateMainWindow(&m_Root, m_Options.title.c_str());
    if (!m_hPlugin || !IsWindow(m_hPlugin))
        return "the plug-in did not create its window";
    std::string devices = m_Options.devices;
    if (devices.size() >= REQUEST_TEXT_SIZE)
        return "the device list is longer than " + std::to_string(REQUEST_TEXT_SIZE - 1) + " characters";
    char text[REQUEST_TEXT_SIZE] = {};
    std::strcpy(text, devices.c_str());
    if (!SendKeyword("connection", KEYWORD_SET, text) || PluginDeviceNames() != m_Devices)
        return "the plug-in refused the device list \"" + devices + "\"";
    m_nInterval = ReadInterval();
    // The editor takes the top left of the screen; the host's status window
    // sits below it, the parameter window over its canvas when asked for.
    SetWindowPos(m_hPlugin, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(m_hPlugin, SW_SHOW);
    SetForegroundWindow(m_hPlugin);
    return {};
}

bool HostApp::SendKeyword(const char* keyword, int mode, char* text)
{
    char name[REQUEST_TEXT_SIZE] = {};
    std::strncpy(name, keyword, sizeof name - 1);
    KeywordMessage query = {KEYWORD_QUERY, 0, DATATYPE_TEXT, 0, name, 0, 0};
    if (SendMessageA(m_hPlugin, WM_APP, 0, reinterpret_cast<LPARAM>(&query)) != 1)
        return false;
    // The dialog answers gets and sets with 0: the host learns the outcome by
    // reading the value back.
    KeywordMessage message = {mode, query.m_nId, DATATYPE_TEXT, 0, text, 0, 0};
    SendMessageA(m_hPlugin, WM_APP, 0, reinterpret_cast<LPARAM>(&message));
    return true;
}

std::vector<std::string> HostApp::PluginDeviceNames() const
{
    // The dialog keeps the device names in its record's second text list;
    // the record is what WM_APP + 20 answers.
    auto* record = reinterpret_cast<HOSTINFO*>(SendMessageA(m_hPlugin, WM_APP + 20, 0, 0));
    if (!record)
        return {};
    return std::vector<std::string>(record->m_StringList2.begin(), record->m_StringList2.end());
}

int HostApp::ReadInterval()
{
    char text[REQUEST_TEXT_SIZE] = {};
    if (!SendKeyword("interval", KEYWORD_GET, text))
        return m_nInterval;
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text)
        return m_nInterval;
    return static_cast<int>(std::clamp<long>(value, kShortestInterval, 60 * 60 * 1000));
}

void HostApp::StartTimer()
{
    SetTimer(m_MainWindow.Handle(), kTickTimer, static_cast<UINT>(m_nInterval), nullptr);
}

void HostApp::RunMessageLoop()
{
    MSG msg;
    while (IsRunning() && !g_bStopRequested) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            PlAfxIdle(0);
        if (!GetMessageA(&msg, nullptr, 0, 0))
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void HostApp::Tick()
{
    if (!IsRunning())
        return;
    RunEmbeddedPrograms();
    SendMessageA(m_hPlugin, WM_TIMER, kTickTimer, 0);
    ++m_nTicks;
    // The plug-in may be told a new period at any time.
    if (int interval = ReadInterval(); interval != m_nInterval) {
        m_nInterval = interval;
        StartTimer();
    }
    RefreshParameters();
    RefreshStatus();
}

bool HostApp::IsRunning() const
{
    return IsPluginOpen() && !(m_Options.ticks >= 0 && m_nTicks >= m_Options.ticks);
}

void HostApp::RunEmbeddedPrograms()
{
    // An embedded device lives in this process and runs only when its owner
    // runs it; a network device runs its program itself.
    std::time_t now = DeviceClock();
    for (const std::string& name : m_Devices)
        if (!IsNetworkDeviceName(name))
            tedevice::RunProgramCycle(corvala::EmbeddedDevice(name), now);
}

std::time_t HostApp::DeviceClock() const
{
    if (m_bRealClock)
        return std::time(nullptr);
    // Headless time is virtual: it moves one period per tick.
    return m_StartTime + static_cast<std::time_t>(m_nTicks) * m_nInterval / 1000;
}

bool HostApp::IsPluginOpen() const
{
    return m_hPlugin && IsWindow(m_hPlugin);
}

void HostApp::ClosePlugin()
{
    if (IsPluginOpen())
        DestroyWindow(m_hPlugin);
    m_hPlugin = nullptr;
    if (m_MainWindow.Handle())
        KillTimer(m_MainWindow.Handle(), kTickTimer);
}

std::string HostApp::Snapshot(const std::string& name)
{
    if (m_Options.snapshotFolder.empty())
        return {};
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return "snapshot name \"" + name + "\" is not a plain file name";
    if (!IsPluginOpen())
        return "no plug-in window to take snapshot \"" + name + "\" of";
    std::error_code error;
    std::filesystem::create_directories(m_Options.snapshotFolder, error);
    if (error)
        return "cannot create " + m_Options.snapshotFolder + ": " + error.message();
    // The picture shows what every message so far has asked to be painted.
    PlPumpMessages();
    std::string path = m_Options.snapshotFolder + "/" + name;
    if (!path.ends_with(".png"))
        path += ".png";
    if (!PlSnapshotWindow(m_hPlugin, path.c_str()))
        return "cannot write " + path;
    return {};
}

void HostApp::PrintPrograms(std::FILE* out)
{
    for (const std::string& device : m_Devices)
        PrintDeviceProgram(out, &m_Root, device);
}

void HostApp::ShowParameters(const std::string& objectName)
{
    m_ParameterObject = objectName;
    if (!m_ParameterWindow.Handle()) {
        // Resizable: a program of many blocks has more rows than fit.
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        m_ParameterWindow.Create("Parameters", style, MakeRect(600, 120, 440, 480), m_MainWindow.Handle());
    }
    SetWindowTextA(m_ParameterWindow.Handle(), ("Parameters - " + objectName).c_str());
    ShowWindow(m_ParameterWindow.Handle(), SW_SHOW);
    RefreshParameters();
}

void HostApp::RefreshParameters()
{
    if (!m_ParameterWindow.Handle() || !IsWindowVisible(m_ParameterWindow.Handle()))
        return;
    std::vector<std::string> rows;
    for (const std::string& device : m_Devices) {
        std::vector<std::string> deviceRows = ParameterRows(&m_Root, device);
        rows.insert(rows.end(), deviceRows.begin(), deviceRows.end());
    }
    m_ParameterWindow.SetRows(std::move(rows));
}

void HostApp::RefreshStatus()
{
    std::string devices;
    for (const std::string& name : m_Devices)
        devices += (devices.empty() ? "" : ", ") + name;
    const char* build = m_Module.BuildText();
    std::string buildText = build ? build : "";
    std::replace(buildText.begin(), buildText.end(), '\t', ' ');
    m_MainWindow.SetRows({
        "Plug-in: " + buildText,
        "Devices: " + devices,
        "Tick " + std::to_string(m_nTicks) + " every " + std::to_string(m_nInterval) + " ms",
        "T: trace window   P: parameters",
    });
}

void HostApp::ToggleTrace()
{
    HWND trace = m_Root.m_hTraceWnd;
    if (trace)
        ShowWindow(trace, IsWindowVisible(trace) ? SW_HIDE : SW_SHOW);
}

BOOL HostApp::HandleMainMessage(void* context, HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* self = static_cast<HostApp*>(context);
    switch (message) {
    case WM_TIMER:
        if (wParam != kTickTimer)
            return FALSE;
        self->Tick();
        *result = 0;
        return TRUE;
    case WM_APP + 1: {
        // Objects of the plug-in ask the root window for host services.
        const char* text = reinterpret_cast<const char*>(lParam);
        *result = 0;
        if (text && std::strncmp(text, kParameterRequest, std::strlen(kParameterRequest)) == 0) {
            self->ShowParameters(text + std::strlen(kParameterRequest));
            *result = 1;
        }
        return TRUE;
    }
    case WM_KEYDOWN:
        if (wParam == 'T')
            self->ToggleTrace();
        else if (wParam == 'P')
            self->ShowParameters(self->m_ParameterObject.empty() ? self->m_Options.title : self->m_ParameterObject);
        else
            return FALSE;
        *result = 0;
        return TRUE;
    case WM_CLOSE:
        // Closing the host closes the editor with it.
        self->ClosePlugin();
        *result = 0;
        return TRUE;
    default:
        return FALSE;
    }
}
