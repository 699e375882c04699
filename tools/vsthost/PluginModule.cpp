// A plug-in's library as hosts load one, and finding its entry point among its
// exports. The loading itself is the platform's.
#include "tools/vsthost/PluginModule.hpp"

#include "framework/platform/Module.hpp"
#include "tools/vsthost/HostError.hpp"

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
    // An absolute path keeps the loader from searching the library path instead.
    std::string reason;
    m_handle = Platform::loadLibrary(m_path.string(), &reason);
    if (m_handle == nullptr)
    {
        throw CHostError("cannot load plug-in '" + path.string() + "': " + reason);
    }
}

CPluginModule::~CPluginModule()
{
    Platform::freeLibrary(m_handle);
}

void* CPluginModule::symbol(const char* name) const
{
    return Platform::getLibrarySymbol(m_handle, name);
}

Vst::VstPluginMainProc CPluginModule::entryPoint() const
{
    for (const char* name : {"VSTPluginMain", "main"})
    {
        if (void* address = symbol(name))
        {
            m_entryName = name;
            return reinterpret_cast<Vst::VstPluginMainProc>(address);
        }
    }
    throw CHostError("'" + m_path.string() +
                     "' is not a VST plug-in: it exports neither VSTPluginMain nor main");
}

const std::string& CPluginModule::entryPointName() const
{
    return m_entryName;
}

} // namespace Vantor::VstHost
