// A loadable library that reports which module its framework code sits in.
#include "framework/platform/Module.hpp"

#include <cstring>

#ifdef _WIN32
#define VANTOR_PROBE_EXPORT __declspec(dllexport)
#else
#define VANTOR_PROBE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" VANTOR_PROBE_EXPORT void probeModuleFileName(char* out, unsigned long size)
{
    const std::string name = Vantor::Platform::getModuleFileName(Vantor::Platform::getCurrentModule());
    std::strncpy(out, name.c_str(), size - 1);
    out[size - 1] = '\0';
}
