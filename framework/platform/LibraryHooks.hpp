#pragma once
// The load and unload hooks of a dynamic library built with the framework.
// A library that needs them links the vantor_library_hooks object library and
// defines both functions below; the backend calls them from the system's own
// hook (DllMain on Windows, constructor and destructor functions elsewhere).
// Both run while the system's loader holds its lock, so they do as little as
// they can: no display, no threads.
#include "framework/platform/Module.hpp"

namespace Vantor::Platform
{

// Runs once when the system loads the library, before any export can be
// called, with the library's own module. Must not throw.
void onLibraryLoad(ModuleInstance module);

// Runs once when the system unloads the library. processEnding: the system said
// that the whole process is ending, so everything it holds goes anyway; only
// Windows tells, elsewhere it is always false. Must not throw.
void onLibraryUnload(bool processEnding);

} // namespace Vantor::Platform
