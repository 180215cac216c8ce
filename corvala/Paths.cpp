// a_MakeFullPathName and the host folder it starts from.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "CorvalaHost.h"

namespace {

std::optional<std::string>& ChosenFolder()
{
    static std::optional<std::string> folder;
    return folder;
}

}  // namespace

namespace corvala {

void SetHostFolder(const std::string& folder)
{
    ChosenFolder() = folder;
}

std::string HostFolder()
{
    if (ChosenFolder())
        return *ChosenFolder();
    if (const char* folder = std::getenv("OVINTA_HOST_FOLDER"); folder && *folder)
        return folder;
    std::error_code error;
    std::string current = std::filesystem::current_path(error).string();
    return error ? std::string(".") : current;
}

}  // namespace corvala

std::string a_MakeFullPathName(HMODULE, const char* relative)
{
    std::string path = relative ? relative : "";
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.starts_with('/'))
        return path;
    std::string folder = corvala::HostFolder();
    if (path.empty())
        return folder;
    if (!folder.ends_with('/'))
        folder += '/';
    return folder + path;
}
