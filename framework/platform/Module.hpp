#pragma once
// Modules and dynamic libraries: which file the running code was loaded
// from, and loading other libraries at run time.
#include <string>

namespace Vantor::Platform
{

// Identifies a loaded module (shared library, DLL or executable).
// On Windows it is the module's instance handle; on POSIX systems any
// address inside the module will do (its load address is what
// getCurrentModule() hands out). Null stands for the executable.
using ModuleInstance = void*;

// Handle of a library opened with loadLibrary(); null when nothing is loaded.
using LibraryHandle = void*;

// The module that contains this code: the plug-in library when the
// framework is linked into one, the program otherwise.
ModuleInstance getCurrentModule();

// Absolute file name of the given module, or of the executable for a null
// instance. "" when the system cannot tell.
std::string getModuleFileName(ModuleInstance module);

// Loads a dynamic library, resolving all its symbols now and keeping them to
// itself; null when it cannot be loaded, and then, when reason is given, the
// system's own explanation in it. An absolute path is taken as it is (no
// search); on Windows the library's own dependencies are then looked for in
// its folder first, as hosts load plug-ins, and a missing one is reported
// through the reason, never in a box.
LibraryHandle loadLibrary(const std::string& path, std::string* reason = nullptr);

// Address of a symbol the library itself exports, null when the library or
// symbol is missing. Symbols of the libraries it depends on do not count.
void* getLibrarySymbol(LibraryHandle library, const std::string& name);

// Releases a library from loadLibrary(); a null handle is ignored.
void freeLibrary(LibraryHandle library);

} // namespace Vantor::Platform
