// The plug-in library's work when the system loads and unloads it, and the
// "main" export that older Linux hosts look for.
#include "editor/EditorModule.hpp"
#include "plugin/Module.hpp"

#include "framework/platform/LibraryHooks.hpp"
#include "plugin/RuntimePool.hpp"

// Load: the application information first (the GUI's window class names use it),
// then the GUI framework's shared objects; no display connection is opened here.
void Vantor::Platform::onLibraryLoad(ModuleInstance module)
{
    Vantor::Quellor::attachModule(module);
    Vantor::Quellor::attachEditorModule();
}

// Unload, in the reverse order: after this nothing of the library touches the display.
void Vantor::Platform::onLibraryUnload(bool processEnding)
{
    Vantor::Quellor::detachEditorModule();
    Vantor::Quellor::detachModule();
    Vantor::Quellor::releaseRuntimePool(processEnding);
}

#if !defined(_WIN32)
// A C++ function cannot be called main with this signature; the assembler name
// gives the symbol that name. (Windows gets the name from PressoraLite.def.)
extern "C" __attribute__((visibility("default"))) Vantor::Vst::AEffect*
vstMainEntry(Vantor::Vst::audioMasterCallback audioMaster) __asm__("main");

extern "C" Vantor::Vst::AEffect* vstMainEntry(Vantor::Vst::audioMasterCallback audioMaster)
{
    return VSTPluginMain(audioMaster);
}
#endif
