// A loadable library that reports which module its framework code sits in.
#include "framework/platform/Module.hpp"

#include <cstring>

extern "C" __attribute__((visibility("default"))) void probeModuleFileName(char* out, unsigned long size)
{
    const std::string name = Vantor::Platform::getModuleFileName(Vantor::Platform::getCurrentModule());
    std::strncpy(out, name.c_str(), size - 1);
    out[size - 1] = '\0';
}
