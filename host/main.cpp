// ovinta-host: a small host application for the task-engine editor plug-in.
// It loads Ovinta.so, gives it a window and its devices, drives its timer
// and answers its requests; with no person in front of it, it runs a script
// headless and writes what the editor showed as PNG files.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "CorvalaHost.h"
#include "HostApp.h"
#include "HostOptions.h"
#include "HostScript.h"
#include "pldisplay.h"

namespace {

std::filesystem::path ProgramFolder()
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path(".") : self.parent_path();
}

// What is not given on the command line is found beside the program, laid
// out as the build tree and an installation lay it out.
void FillDefaults(HostOptions& options)
{
    if (options.modulePath.empty())
        options.modulePath = (ProgramFolder() / "../lib/Ovinta.so").lexically_normal().string();
    if (options.hostFolder.empty()) {
        const char* folder = std::getenv("OVINTA_HOST_FOLDER");
        options.hostFolder = folder && *folder ? folder : (ProgramFolder() / "../share/ovinta").lexically_normal().string();
    }
}

// Empty on success, else why the display could not be had.
std::string ChooseDisplay(HostOptions::DisplayChoice choice)
{
    const char* display = std::getenv("DISPLAY");
    bool wantX11 = choice == HostOptions::DisplayChoice::X11 ||
                   (choice == HostOptions::DisplayChoice::Automatic && display && *display);
    const char* name = wantX11 ? "x11" : "headless";
    if (PlSelectDisplay(name))
        return {};
    return wantX11 ? std::string("cannot open the X display ") + (display ? display : "(DISPLAY is not set)")
                   : std::string("cannot select the headless display");
}

void OnStopSignal(int)
{
    HostApp::RequestStop();
}

int Fail(const std::string& what)
{
    std::fprintf(stderr, "ovinta-host: %s\n", what.c_str());
    return 1;
}

int RunHost(const HostOptions& options)
{
    HostApp host(options);
    if (std::string error = host.Start(); !error.empty())
        return Fail(error);
    std::string error;
    bool headless = std::string(PlDisplayName()) == "headless";
    if (!options.scriptFile.empty() && headless)
        error = RunHostScript(host, options.scriptFile);
    if (error.empty()) {
        if (headless) {
            while (host.IsRunning() && options.ticks > host.TickCount()) {
                host.Tick();
                PlPumpMessages();
            }
        } else {
            std::signal(SIGINT, OnStopSignal);
            std::signal(SIGTERM, OnStopSignal);
            host.RunMessageLoop();
        }
    }
    // The last picture is taken while the editor is still there.
    if (host.IsPluginOpen() && !options.snapshotFolder.empty())
        if (std::string snapshotError = host.Snapshot("final"); !snapshotError.empty() && error.empty())
            error = snapshotError;
    host.ClosePlugin();
    if (options.printProgram)
        host.PrintPrograms(stdout);
    return error.empty() ? 0 : Fail(error);
}

}  // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    HostOptions options;
    if (std::string error = ParseHostOptions(argc, argv, options); !error.empty()) {
        std::fprintf(stderr, "ovinta-host: %s\nTry 'ovinta-host --help' for more information.\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(HostUsage(), stdout);
        return 0;
    }
    if (!options.scriptFile.empty() && options.display == HostOptions::DisplayChoice::X11)
        return Fail("--script runs headless only; leave out --x11");
    FillDefaults(options);
    corvala::SetHostFolder(options.hostFolder);
    if (!options.scriptFile.empty() && options.display == HostOptions::DisplayChoice::Automatic)
        options.display = HostOptions::DisplayChoice::Headless;
    if (std::string error = ChooseDisplay(options.display); !error.empty())
        return Fail(error);
    return RunHost(options);
}
