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

// Loads a dynamic library; null when it cannot be loaded.
LibraryHandle loadLibrary(const std::string& path);

// Address of an exported symbol, null when the library or symbol is missing.
void* getLibrarySymbol(LibraryHandle library, const std::string& name);

// Releases a library from loadLibrary(); a null handle is ignored.
void freeLibrary(LibraryHandle library);

} // namespace Vantor::Platform
