#pragma once

#include "framework/vst/VstAbi.hpp"

#include <filesystem>
#include <string>

namespace Vantor::VstHost
{

// A plug-in's library, loaded the way hosts load one: from its absolute path,
// its symbols kept private and every unresolved one failing now, its own
// dependencies looked for next to it on Windows; released when the module is
// destroyed.
class CPluginModule
{
public:
    // Throws CHostError: file missing, or the loader's own message.
    explicit CPluginModule(const std::filesystem::path& path);
    ~CPluginModule();
    CPluginModule(const CPluginModule&) = delete;
    CPluginModule& operator=(const CPluginModule&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // The address of a symbol this module itself exports (not one of its
    // dependencies'), or null.
    void* symbol(const char* name) const;

    // The VST entry point: "VSTPluginMain", else the older "main".
    // Throws CHostError when the module exports neither.
    Vst::VstPluginMainProc entryPoint() const;
    // The name of the symbol entryPoint() returns.
    const std::string& entryPointName() const;

private:
    std::filesystem::path m_path;
    void* m_handle = nullptr;
    mutable std::string m_entryName;
};

} // namespace Vantor::VstHost
