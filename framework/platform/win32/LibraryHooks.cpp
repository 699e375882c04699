// A library's load and unload hooks on Windows: the DLL entry point that the C
// runtime's own start-up calls once the runtime is ready. Defining DllMain here
// replaces the runtime's empty default, which is why this object must be linked
// into the DLL itself (see vantor_library_hooks).
#include "framework/platform/LibraryHooks.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        Vantor::Platform::onLibraryLoad(instance);
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        // A non-null reserved pointer: the process is ending, not FreeLibrary.
        Vantor::Platform::onLibraryUnload(reserved != nullptr);
    }
    return TRUE;
}
