// The library's load and unload hook on Windows. The "main" export is an alias
// of VSTPluginMain in PressoraLite.def.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "editor/EditorModule.hpp"
#include "plugin/Module.hpp"

// Attach: the application information, then the GUI framework's shared objects;
// detach undoes both in the reverse order.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
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
    }
    return TRUE;
}
