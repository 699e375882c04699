// The library's load and unload hooks on POSIX systems and the "main" export
// that older Linux hosts look for.
#include "plugin/Module.hpp"

#include "framework/platform/Module.hpp"

namespace
{

__attribute__((constructor)) void onLibraryLoad()
{
    Vantor::Quellor::attachModule(Vantor::Platform::getCurrentModule());
}

__attribute__((destructor)) void onLibraryUnload()
{
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
