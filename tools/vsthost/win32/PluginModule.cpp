#include "tools/vsthost/PluginModule.hpp"

#include "tools/vsthost/HostError.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <system_error>

namespace Vantor::VstHost
{

namespace
{

std::string lastErrorText()
{
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = length > 0 && text != nullptr ? std::string(text, length) : "";
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    {
        result.pop_back();
    }
    return result.empty() ? "Windows error " + std::to_string(code) : result;
}

} // namespace

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
    // An absolute path keeps the loader from searching; the altered search
    // path lets the DLL's own dependencies come from its folder, as hosts do.
    // No error boxes: a missing dependency is reported here instead.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    m_handle = LoadLibraryExW(m_path.wstring().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const std::string reason = m_handle == nullptr ? lastErrorText() : "";
    SetErrorMode(previous);
    if (m_handle == nullptr)
    {
        throw CHostError("cannot load plug-in '" + path.string() + "': " + reason);
    }
}

CPluginModule::~CPluginModule()
{
    if (m_handle != nullptr)
    {
        FreeLibrary(static_cast<HMODULE>(m_handle));
    }
}

void* CPluginModule::symbol(const char* name) const
{
    // GetProcAddress looks only at this module's own export table.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name));
}

} // namespace Vantor::VstHost
