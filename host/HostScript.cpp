#include "HostScript.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "HostApp.h"
#include "pldisplay.h"

namespace {

constexpr long kMostTicksPerLine = 100000;

std::string RunTickLine(HostApp& host, std::istringstream& fields)
{
    long count = 1;
    std::string word;
    if (fields >> word) {
        char* end = nullptr;
        errno = 0;
        count = std::strtol(word.c_str(), &end, 10);
        if (errno != 0 || *end != '\0' || count < 1 || count > kMostTicksPerLine)
            return "tick needs a count from 1 to " + std::to_string(kMostTicksPerLine) + ", not '" + word + "'";
    }
    if (fields >> word)
        return "tick takes one count, not '" + word + "'";
    for (long i = 0; i < count && host.IsRunning(); ++i) {
        host.Tick();
        PlPumpMessages();
    }
    return {};
}

std::string RunSnapshotLine(HostApp& host, std::istringstream& fields)
{
    std::string name, extra;
    if (!(fields >> name))
        return "snapshot needs a name";
    if (fields >> extra)
        return "snapshot takes one name, not '" + extra + "'";
    return host.Snapshot(name);
}

std::string RunDisplayLine(const std::string& line)
{
    char error[512] = {};
    if (PlHeadlessRunScript(line.c_str(), error, sizeof error))
        return {};
    // The display numbers the lines of what it was given: one line here.
    std::string what = error;
    if (what.starts_with("line 1: "))
        what.erase(0, 8);
    return what.empty() ? "not a script line" : what;
}

std::string RunLine(HostApp& host, const std::string& line)
{
    std::istringstream fields(line);
    std::string command;
    fields >> command;
    if (command == "tick")
        return RunTickLine(host, fields);
    if (command == "snapshot")
        return RunSnapshotLine(host, fields);
    return RunDisplayLine(line);
}

}  // namespace

std::string RunHostScript(HostApp& host, const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        return "cannot read script " + path;
    std::string line;
    for (int number = 1; std::getline(file, line) && host.IsRunning(); ++number) {
        if (std::string error = RunLine(host, line); !error.empty())
            return path + " line " + std::to_string(number) + ": " + error;
    }
    return {};
}
