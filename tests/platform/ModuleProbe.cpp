// A loadable library that reports which module its framework code sits in, and
// what the platform's load and unload hooks did with it.
#include "framework/platform/LibraryHooks.hpp"
#include "framework/platform/Module.hpp"

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#define VANTOR_PROBE_EXPORT __declspec(dllexport)
#else
#define VANTOR_PROBE_EXPORT __attribute__((visibility("default")))
#endif

namespace
{

// Constant-initialised, so that the load hook may set it before any other
// initialisation of this library ran.
Vantor::Platform::ModuleInstance g_loadedAs = nullptr;
int g_loads = 0;
int* g_unloadCounter = nullptr;

void copyText(const std::string& text, char* out, unsigned long size)
{
    std::strncpy(out, text.c_str(), size - 1);
    out[size - 1] = '\0';
}

} // namespace

void Vantor::Platform::onLibraryLoad(ModuleInstance module)
{
    g_loadedAs = module;
    ++g_loads;
}

// Counts only a release by the program: that is no process ending.
void Vantor::Platform::onLibraryUnload(bool processEnding)
{
    if (g_unloadCounter != nullptr && !processEnding)
    {
        ++*g_unloadCounter;
    }
}

extern "C" VANTOR_PROBE_EXPORT void probeModuleFileName(char* out, unsigned long size)
{
    copyText(Vantor::Platform::getModuleFileName(Vantor::Platform::getCurrentModule()), out, size);
}

// The file of the module the load hook was given, and how often it ran. A hook
// that never ran leaves a null module, which names the program instead.
extern "C" VANTOR_PROBE_EXPORT void probeLoadHook(char* out, unsigned long size)
{
    // No std::to_string: its digit table is a unique symbol, which would keep
    // the library from ever being unloaded.
    std::snprintf(out, size, "%d %s", g_loads, Vantor::Platform::getModuleFileName(g_loadedAs).c_str());
}

// The unload hook counts into the caller's counter, which outlives the library.
extern "C" VANTOR_PROBE_EXPORT void probeCountUnloadsIn(int* counter)
{
    g_unloadCounter = counter;
}
