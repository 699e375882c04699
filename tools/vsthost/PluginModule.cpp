// The part of a loaded plug-in library that is the same on every system: finding
// its entry point among its exports.
#include "tools/vsthost/PluginModule.hpp"

#include "tools/vsthost/HostError.hpp"

namespace Vantor::VstHost
{

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
