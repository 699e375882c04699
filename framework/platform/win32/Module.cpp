// Module file names and library loading on Windows (KERNEL32).
#include "framework/platform/Module.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <shlwapi.h>

#include "framework/platform/win32/SystemError.hpp"

namespace Vantor::Platform
{

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
        *reason = systemErrorText(::GetLastError());
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
