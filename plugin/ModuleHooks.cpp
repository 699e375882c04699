// The plug-in library's work when the system loads and unloads it, and the
// "main" export that older Linux hosts look for.
#include "editor/EditorModule.hpp"
#include "plugin/Module.hpp"

#include "framework/platform/LibraryHooks.hpp"

#if defined(VANTOR_STATIC_CXX_RUNTIME)
// The C++ runtime linked into this module keeps an emergency pool for exceptions
// (about 70 KB) that it never frees by itself; a host that loads and unloads the
// module would lose one pool at every unload. The runtime's own release function
// frees it; it is only called here, where the runtime is this module's alone.
namespace __gnu_cxx
{
// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime's own name, declared to call it.
void __freeres() noexcept;
} // namespace __gnu_cxx
#endif

// Load: the application information first (the GUI's window class names use it),
// then the GUI framework's shared objects; no display connection is opened here.
void Vantor::Platform::onLibraryLoad(ModuleInstance module)
{
    Vantor::Quellor::attachModule(module);
    Vantor::Quellor::attachEditorModule();
}

// Unload, in the reverse order: after this nothing of the library touches the display.
void Vantor::Platform::onLibraryUnload([[maybe_unused]] bool processEnding)
{
    Vantor::Quellor::detachEditorModule();
    Vantor::Quellor::detachModule();
#if defined(VANTOR_STATIC_CXX_RUNTIME)
    // Only when the host frees the library: at process end the memory goes anyway.
    if (!processEnding)
    {
        __gnu_cxx::__freeres();
    }
#endif
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
