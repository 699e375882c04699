// Module file names and library loading on Windows (KERNEL32).
#include "framework/platform/Module.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

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

LibraryHandle loadLibrary(const std::string& path)
{
    return ::LoadLibraryA(path.c_str());
}

void* getLibrarySymbol(LibraryHandle library, const std::string& name)
{
    if (library == nullptr)
    {
        return nullptr;
    }
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
