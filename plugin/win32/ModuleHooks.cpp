// The library's load and unload hook on Windows. The "main" export is an alias
// of VSTPluginMain in PressoraLite.def.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "editor/EditorModule.hpp"
#include "plugin/Module.hpp"

#if defined(VANTOR_STATIC_CXX_RUNTIME)
// The C++ runtime linked into this DLL keeps an emergency pool for exceptions
// (about 73 KB) that it never frees by itself; a host that loads and unloads the
// DLL would lose one pool at every unload. The runtime's own release function
// frees it; it is only called here, where the runtime is this DLL's alone.
namespace __gnu_cxx
{
// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime's own name, declared to call it.
void __freeres() noexcept;
} // namespace __gnu_cxx
#endif

// Attach: the application information, then the GUI framework's shared objects;
// detach undoes both in the reverse order.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        Vantor::Quellor::attachModule(instance);
        Vantor::Quellor::attachEditorModule();
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        Vantor::Quellor::detachEditorModule();
        Vantor::Quellor::detachModule();
#if defined(VANTOR_STATIC_CXX_RUNTIME)
        // Only when the host frees the DLL: at process exit the memory goes anyway.
        if (reserved == nullptr)
        {
            __gnu_cxx::__freeres();
        }
#else
        static_cast<void>(reserved);
#endif
    }
    return TRUE;
}
