#include "tools/vsthost/PluginModule.hpp"

#include "tools/vsthost/HostError.hpp"

#include <dlfcn.h>

#include <cstring>
#include <system_error>

namespace Vantor::VstHost
{

CPluginModule::CPluginModule(const std::filesystem::path& path)
{
    std::error_code error;
    m_path = std::filesystem::absolute(path, error);
    if (error)
    {
        m_path = path;
    }
    if (!std::filesystem::is_regular_file(m_path, error))
    {
        throw CHostError("cannot load plug-in '" + path.string() + "': no such file");
    }
    // An absolute path keeps dlopen from searching the library path instead.
    m_handle = dlopen(m_path.c_str(), RTLD_LOCAL | RTLD_NOW);
    if (m_handle == nullptr)
    {
        const char* reason = dlerror();
        throw CHostError("cannot load plug-in '" + path.string() +
                         "': " + (reason != nullptr ? reason : "unknown loader error"));
    }
}

CPluginModule::~CPluginModule()
{
    if (m_handle != nullptr)
    {
        dlclose(m_handle);
    }
}

void* CPluginModule::symbol(const char* name) const
{
    void* address = dlsym(m_handle, name);
    if (address == nullptr)
    {
        return nullptr;
    }
    // dlsym also searches the module's dependencies; an entry point must be the module's own.
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr)
    {
        return nullptr;
    }
    std::error_code error;
    if (!std::filesystem::equivalent(info.dli_fname, m_path, error))
    {
        return nullptr;
    }
    return address;
}

} // namespace Vantor::VstHost
