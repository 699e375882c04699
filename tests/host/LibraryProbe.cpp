// A loadable library built with the framework, standing in for a plug-in:
// its framework code belongs to this library, not to the test program.
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/Module.hpp"

#include <cstring>

using Vantor::Host::CApplicationInformation;

namespace
{

void copyOut(const char* text, char* out, unsigned long size)
{
    std::strncpy(out, text, size - 1);
    out[size - 1] = '\0';
}

} // namespace

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

PROBE_EXPORT int probeAnswer()
{
    return 42;
}

// Fills the application information as a module entry does and reports the
// application path.
PROBE_EXPORT void probeApplicationPath(char* out, unsigned long size)
{
    CApplicationInformation::initialise("Company", "Product", "Description", "1.0", "Software\\Company",
                                        "Notice", Vantor::Platform::getCurrentModule());
    copyOut(CApplicationInformation::getApplicationPath().getString(), out, size);
}

// Sets the company name, releases the information as a module exit does
// and reports the company name read afterwards.
PROBE_EXPORT void probeCompanyAfterRelease(char* out, unsigned long size)
{
    CApplicationInformation::setCompanyName("Company");
    CApplicationInformation::release();
    copyOut(CApplicationInformation::getCompanyName().getString(), out, size);
}

// As a plug-in does, the library releases the framework's process-wide data
// when it is unloaded.
__attribute__((destructor)) static void probeUnloaded()
{
    CApplicationInformation::release();
}
