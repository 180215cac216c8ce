#include "PluginModule.h"

#include <dlfcn.h>

PluginModule::~PluginModule()
{
    Unload();
}

std::string PluginModule::Load(const std::string& path)
{
    Unload();
    m_pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_pHandle)
        return dlerror();
    m_pfnCallback = reinterpret_cast<Callback>(dlsym(m_pHandle, "fnCallback"));
    if (!m_pfnCallback) {
        std::string error = path + " has no fnCallback";
        Unload();
        return error;
    }
    return {};
}

void PluginModule::Unload()
{
    if (m_pHandle)
        dlclose(m_pHandle);
    m_pHandle = nullptr;
    m_pfnCallback = nullptr;
}

HWND PluginModule::CreateMainWindow(HOSTINFO* host, const char* name) const
{
    return m_pfnCallback ? reinterpret_cast<HWND>(m_pfnCallback(1, host, name)) : nullptr;
}

const char* PluginModule::BuildText() const
{
    return m_pfnCallback ? reinterpret_cast<const char*>(m_pfnCallback(13, nullptr, "")) : nullptr;
}
