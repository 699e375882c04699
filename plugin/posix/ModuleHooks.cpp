// The library's load and unload hooks on POSIX systems and the "main" export
// that older Linux hosts look for.
#include "editor/EditorModule.hpp"
#include "plugin/Module.hpp"

namespace
{

// Load: the application information first (the GUI's window class names use it),
// then the GUI framework's shared objects; no display connection is opened here.
__attribute__((constructor)) void onLibraryLoad()
{
    Vantor::Quellor::attachModule(Vantor::Platform::getCurrentModule());
    Vantor::Quellor::attachEditorModule();
}

// Unload, in the reverse order: after this nothing of the library touches the display.
__attribute__((destructor)) void onLibraryUnload()
{
    Vantor::Quellor::detachEditorModule();
    Vantor::Quellor::detachModule();
}

} // namespace

// A C++ function cannot be called main with this signature; the assembler name
// gives the symbol that name.
extern "C" __attribute__((visibility("default"))) Vantor::Vst::AEffect*
vstMainEntry(Vantor::Vst::audioMasterCallback audioMaster) __asm__("main");

extern "C" Vantor::Vst::AEffect* vstMainEntry(Vantor::Vst::audioMasterCallback audioMaster)
{
    return VSTPluginMain(audioMaster);
}
