#pragma once

#include "framework/vst/VstAbi.hpp"

#include <filesystem>
#include <string>

namespace Vantor::VstHost
{

// A plug-in's library, loaded the way hosts load one: on Linux dlopen with
// RTLD_LOCAL | RTLD_NOW (its symbols stay private, unresolved ones fail now),
// on Windows LoadLibraryEx; released when the module is destroyed.
class CPluginModule
{
public:
    // Throws CHostError: file missing, or the loader's own message.
    explicit CPluginModule(const std::filesystem::path& path);
    ~CPluginModule();
    CPluginModule(const CPluginModule&) = delete;
    CPluginModule& operator=(const CPluginModule&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // The address of an exported symbol of this module, or null.
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
