// The plug-in module as the host loads it: the file, and its one entry point.
#pragma once

#include <string>

#include "Corvala.h"

class PluginModule {
public:
    PluginModule() = default;
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // Empty on success, else why the module could not be used.
    std::string Load(const std::string& path);
    void Unload();

    // Command 1: the plug-in's main window below `host`, titled `name`.
    HWND CreateMainWindow(HOSTINFO* host, const char* name) const;
    // Command 13: the module's build text.
    const char* BuildText() const;

private:
    using Callback = INT_PTR (*)(unsigned command, HOSTINFO* host, const char* parameter);

    void* m_pHandle = nullptr;
    Callback m_pfnCallback = nullptr;
};
