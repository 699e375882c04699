// Module file names and library loading on POSIX systems (dlfcn).
#include "framework/platform/Module.hpp"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace Vantor::Platform
{

namespace
{

std::string executableFileName()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0)
    {
        return "";
    }
    buffer[length] = '\0';
    return buffer;
}

// Libraries keep the name they were opened with, which may be relative.
std::string absoluteFileName(const char* name)
{
    char buffer[PATH_MAX];
    return ::realpath(name, buffer) != nullptr ? std::string(buffer) : std::string(name);
}

} // namespace

ModuleInstance getCurrentModule()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&getCurrentModule), &info) == 0)
    {
        return nullptr;
    }
    return info.dli_fbase;
}

std::string getModuleFileName(ModuleInstance module)
{
    if (module == nullptr)
    {
        return executableFileName();
    }
    Dl_info info{};
    link_map* map = nullptr;
    if (::dladdr1(module, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 || map == nullptr)
    {
        return "";
    }
    // The program itself has an empty name in the link map; dladdr would
    // answer with argv[0], which need not be a usable path.
    if (map->l_name == nullptr || map->l_name[0] == '\0')
    {
        return executableFileName();
    }
    return absoluteFileName(map->l_name);
}

LibraryHandle loadLibrary(const std::string& path, std::string* reason)
{
    LibraryHandle library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr && reason != nullptr)
    {
        const char* text = ::dlerror();
        *reason = text != nullptr ? text : "unknown loader error";
    }
    return library;
}

void* getLibrarySymbol(LibraryHandle library, const std::string& name)
{
    if (library == nullptr)
    {
        return nullptr;
    }
    void* address = ::dlsym(library, name.c_str());
    if (address == nullptr)
    {
        return nullptr;
    }
    // dlsym also searches the library's dependencies; only its own exports count.
    link_map* own = nullptr;
    link_map* owner = nullptr;
    Dl_info info{};
    if (::dlinfo(library, RTLD_DI_LINKMAP, &own) != 0 ||
        ::dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0 || owner != own)
    {
        return nullptr;
    }
    return address;
}

void freeLibrary(LibraryHandle library)
{
    if (library != nullptr)
    {
        ::dlclose(library);
    }
}

} // namespace Vantor::Platform
