// The host driving the real plug-in module in-process, headless: the
// dialog gets its devices and ticks, embedded devices run their programs,
// the plug-in's requests for a parameter window are answered, and session
// scripts run with their own lines and clear errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "CorvalaHost.h"
#include "HostApp.h"
#include "HostScript.h"
#include "afxapp.h"
#include "pldisplay.h"

namespace {

const std::string kBinaryDir = OVINTA_TEST_BINARY_DIR;
const std::string kSample = std::string(OVINTA_TEST_SOURCE_DIR) + "/data/host/Programs/Sample.teprog";

class HostSessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_Folder = std::filesystem::path(kBinaryDir) / "host-session-test" /
                   testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_Folder);
        std::filesystem::create_directories(m_Folder);
        m_Options.modulePath = kBinaryDir + "/lib/Ovinta.so";
        m_Options.programFile = kSample;
        m_Options.snapshotFolder = (m_Folder / "shots").string();
    }
    void TearDown() override
    {
        m_pHost.reset();
        PlResetWindowSystem();
        PlAfxIdle(1);
        corvala::ResetDevices();
    }

    std::string Start()
    {
        m_pHost = std::make_unique<HostApp>(m_Options);
        return m_pHost->Start();
    }
    std::string RunScript(const std::string& text)
    {
        std::string path = (m_Folder / "session.script").string();
        std::ofstream(path) << text;
        std::string error = RunHostScript(*m_pHost, path);
        // Errors name the file; the tests look at what follows it.
        return error.starts_with(path) ? error.substr(path.size()) : error;
    }
    const tedevice::TEBlock* Block(const char* name) { return corvala::EmbeddedDevice("TE").FindBlock(name); }

    std::filesystem::path m_Folder;
    HostOptions m_Options;
    std::unique_ptr<HostApp> m_pHost;
};

TEST_F(HostSessionTest, TicksRunTheEmbeddedProgramAndTheEditorShowsIt)
{
    ASSERT_EQ(Start(), "");
    EXPECT_EQ(m_pHost->Interval(), 100);
    EXPECT_TRUE(IsWindowVisible(m_pHost->PluginWindow()));
    // The dialog registered below the host's root record and took the list.
    auto* record = reinterpret_cast<HOSTINFO*>(SendMessageA(m_pHost->PluginWindow(), WM_APP + 20, 0, 0));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->m_pParent->m_hWnd, m_pHost->MainWindow());
    ASSERT_EQ(record->m_StringList2.size(), 1u);
    EXPECT_STREQ(record->m_StringList2[0], "TE");

    // Count is an INC fed back through itself: one up per period, and the
    // output follows the sum of clock, temperature and count.
    ASSERT_EQ(RunScript("tick 4\nsnapshot shown\n"), "");
    EXPECT_EQ(m_pHost->TickCount(), 4);
    EXPECT_EQ(Block("Count")->value, 4.0);
    EXPECT_EQ(Block("Level")->value, Block("Clock")->value + 35.0 + 4.0);
    EXPECT_TRUE(std::filesystem::file_size(m_Folder / "shots/shown.png") > 10000);

    // The virtual clock of a headless run moves one period per tick.
    double second = Block("Clock")->value;
    ASSERT_EQ(RunScript("tick 10\n"), "");
    EXPECT_EQ(Block("Clock")->value, std::fmod(second + 1.0, 60.0));
}

TEST_F(HostSessionTest, TheParameterButtonOpensTheHostsParameterWindow)
{
    ASSERT_EQ(Start(), "");
    EXPECT_EQ(m_pHost->ParameterWindow(), nullptr);
    // "Functions and Connections" sits at (128,542) in the editor's window.
    ASSERT_EQ(RunScript("tick 2\nclick left \"Task engine\" 128 542\nwait-idle\n"), "");
    HWND window = m_pHost->ParameterWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Parameters - Task engine - TaskEngine");

    // Its rows list each block with its link and value, then the device's
    // parameters, and follow the device on every tick.
    auto HasRow = [&](const std::string& row) {
        const std::vector<std::string>& rows = m_pHost->ParameterRowsShown();
        return std::find(rows.begin(), rows.end(), row) != rows.end();
    };
    EXPECT_TRUE(HasRow("Device TE"));
    EXPECT_TRUE(HasRow("  Temp  Amp.Temperature  = 35"));
    EXPECT_TRUE(HasRow("  Clock  Second  = " + std::to_string(static_cast<int>(Block("Clock")->value))));
    EXPECT_TRUE(HasRow("  Count  = 2"));
    EXPECT_TRUE(HasRow("  Amp.Temperature = 35  (0 to 120)"));
    ASSERT_EQ(RunScript("tick 3\n"), "");
    EXPECT_TRUE(HasRow("  Count  = 5"));

    // Closing it and asking again (P in the host's window) shows it again.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_pHost->ParameterWindow(), nullptr);
    SendMessageA(m_pHost->MainWindow(), WM_KEYDOWN, 'P', 0);
    ASSERT_NE(m_pHost->ParameterWindow(), nullptr);
    EXPECT_TRUE(HasRow("  Count  = 5"));
}

TEST_F(HostSessionTest, TheTraceWindowShowsOnRequestAndCarriesThePluginsLines)
{
    m_Options.showTrace = true;
    ASSERT_EQ(Start(), "");
    HWND trace = m_pHost->TraceWindow();
    ASSERT_NE(trace, nullptr);
    EXPECT_TRUE(IsWindowVisible(trace));
    SendMessageA(m_pHost->MainWindow(), WM_KEYDOWN, 'T', 0);
    EXPECT_FALSE(IsWindowVisible(trace));
    // A stored line the dialog does not know is reported on the host's trace.
    SendMessageA(m_pHost->PluginWindow(), WM_APP + 1, 0, reinterpret_cast<LPARAM>("colour=3"));
    std::vector<std::string> lines = corvala::TraceWindowLines(trace);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Not implemented colour=3"), lines.end());
}

TEST_F(HostSessionTest, StartRefusesWhatCannotWork)
{
    struct Case {
        std::string devices, program, module, error;
    };
    const std::string module = m_Options.modulePath;
    const Case cases[] = {
        {",,", kSample, module, "the device list is empty"},
        {"TE", kSample, "/nowhere/Ovinta.so", "cannot load the plug-in: /nowhere/Ovinta.so: cannot open shared object file"},
        {"TE", "/nowhere/x.teprog", module, "no program file /nowhere/x.teprog"},
        {"Amp@127.0.0.1:9", kSample, module, "--program needs an embedded first device; Amp@127.0.0.1:9 is a network device"},
        {"TE", module, module, "cannot load the program: " + module + ": entry 1 is cut or damaged"},
    };
    for (const Case& c : cases) {
        m_Options.devices = c.devices;
        m_Options.programFile = c.program;
        m_Options.modulePath = c.module;
        std::string error = Start();
        EXPECT_TRUE(error.starts_with(c.error)) << error;
        EXPECT_FALSE(m_pHost->IsPluginOpen());
        m_pHost.reset();
    }
}

TEST_F(HostSessionTest, ScriptErrorsNameTheLineAndStopTheScript)
{
    ASSERT_EQ(Start(), "");
    EXPECT_EQ(RunScript("tick\n\n# fine so far\ntick 0\ntick\n"), " line 4: tick needs a count from 1 to 100000, not '0'");
    EXPECT_EQ(m_pHost->TickCount(), 1);
    EXPECT_EQ(RunScript("tick 2 3\n"), " line 1: tick takes one count, not '3'");
    EXPECT_EQ(RunScript("snapshot\n"), " line 1: snapshot needs a name");
    EXPECT_EQ(RunScript("tick\nsnapshot ../up\n"), " line 2: snapshot name \"../up\" is not a plain file name");
    EXPECT_EQ(RunScript("move \"No such window\" 1 2\n").substr(0, 9), " line 1: ");
    EXPECT_EQ(RunScript("jump 1 2\n").substr(0, 9), " line 1: ");
    EXPECT_EQ(RunHostScript(*m_pHost, "/nowhere.script"), "cannot read script /nowhere.script");
    EXPECT_FALSE(std::filesystem::exists(m_Folder / "up.png"));
}

TEST_F(HostSessionTest, TheSessionEndsWithTheTickLimitOrTheEditorsWindow)
{
    m_Options.ticks = 3;
    ASSERT_EQ(Start(), "");
    ASSERT_EQ(RunScript("tick 10\nsnapshot after-limit\n"), "");
    EXPECT_EQ(m_pHost->TickCount(), 3);
    EXPECT_FALSE(m_pHost->IsRunning());
    EXPECT_TRUE(m_pHost->IsPluginOpen());  // still there for the last picture
    m_pHost.reset();

    m_Options.ticks = -1;
    ASSERT_EQ(Start(), "");
    // The editor's window closed as its close box closes it: the rest of
    // the script does not run, and the host's timer stops.
    ASSERT_EQ(RunScript("tick\n"), "");
    SendMessageA(m_pHost->PluginWindow(), WM_CLOSE, 0, 0);
    PlPumpMessages();  // the close arrives as a posted cancel command
    EXPECT_FALSE(m_pHost->IsPluginOpen());
    ASSERT_EQ(RunScript("tick 5\nwait 1000\nwait-idle\n"), "");
    EXPECT_EQ(m_pHost->TickCount(), 1);
}

}  // namespace
