// Module file names and library loading on Windows (KERNEL32).
#include "framework/platform/Module.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <shlwapi.h>

namespace Vantor::Platform
{

namespace
{

// The system's text for the calling thread's last error, without its line end.
std::string lastErrorText()
{
    const DWORD code = ::GetLastError();
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = length > 0 && text != nullptr ? std::string(text, length) : "";
    ::LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    {
        result.pop_back();
    }
    return result.empty() ? "Windows error " + std::to_string(code) : result;
}

} // namespace

ModuleInstance getCurrentModule()
{
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!::GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&getCurrentModule), &module))
    {
        return nullptr;
    }
    return module;
}

std::string getModuleFileName(ModuleInstance module)
{
    char buffer[1024];
    const DWORD length = ::GetModuleFileNameA(static_cast<HMODULE>(module), buffer, sizeof(buffer));
    if (length == 0 || length >= sizeof(buffer))
    {
        return "";
    }
    return std::string(buffer, length);
}

LibraryHandle loadLibrary(const std::string& path, std::string* reason)
{
    // The altered search path is only defined for an absolute path. No error
    // boxes while loading: the caller hears of a missing dependency instead.
    const DWORD flags = ::PathIsRelativeA(path.c_str()) ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH;
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = ::LoadLibraryExA(path.c_str(), nullptr, flags);
    if (library == nullptr && reason != nullptr)
    {
        *reason = lastErrorText();
    }
    ::SetErrorMode(previous);
    return library;
}

void* getLibrarySymbol(LibraryHandle library, const std::string& name)
{
    if (library == nullptr)
    {
        return nullptr;
    }
    // GetProcAddress looks only at the library's own export table.
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
}

void freeLibrary(LibraryHandle library)
{
    if (library != nullptr)
    {
        ::FreeLibrary(static_cast<HMODULE>(library));
    }
}

} // namespace Vantor::Platform
