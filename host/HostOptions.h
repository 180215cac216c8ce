// The command line of ovinta-host.
#pragma once

#include <string>

struct HostOptions {
    enum class DisplayChoice { Automatic, Headless, X11 };

    std::string devices = "TE";      // the "connection" text: device names
    std::string programFile;         // preloaded into the first device
    DisplayChoice display = DisplayChoice::Automatic;
    std::string scriptFile;          // headless input script
    std::string snapshotFolder;      // PNG snapshots go here
    long ticks = -1;                 // exit after this many ticks; -1: never
    std::string modulePath;          // Ovinta.so; empty: beside the host
    std::string hostFolder;          // palette files; empty: the library's default
    std::string title = "Task engine";  // the name the plug-in gets
    bool showTrace = false;
    bool printProgram = false;
    bool help = false;
};

// Parses GNU-style options. Empty on success, else what is wrong.
std::string ParseHostOptions(int argc, char** argv, HostOptions& options);
// The --help text.
const char* HostUsage();
