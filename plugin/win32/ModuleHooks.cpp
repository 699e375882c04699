// The library's load and unload hook on Windows. The "main" export is an alias
// of VSTPluginMain in PressoraLite.def.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "plugin/Module.hpp"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH)
        Vantor::Quellor::attachModule(instance);
    else if (reason == DLL_PROCESS_DETACH)
        Vantor::Quellor::detachModule();
    return TRUE;
}
