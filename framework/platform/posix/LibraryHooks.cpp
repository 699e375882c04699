// A library's load and unload hooks on POSIX systems: functions the dynamic
// loader runs when it maps and unmaps the object they are linked into.
#include "framework/platform/LibraryHooks.hpp"

namespace
{

__attribute__((constructor)) void onLoad()
{
    Vantor::Platform::onLibraryLoad(Vantor::Platform::getCurrentModule());
}

__attribute__((destructor)) void onUnload()
{
    // The loader runs this for dlclose and at exit alike and does not say which.
    Vantor::Platform::onLibraryUnload(false);
}

} // namespace
