// Display queries on Windows (USER32 system metrics).
#include "framework/platform/Display.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Vantor::Platform
{

long getNumberOfMonitors()
{
    return ::GetSystemMetrics(SM_CMONITORS);
}

long getScreenWidth()
{
    return ::GetSystemMetrics(SM_CXSCREEN);
}

long getScreenHeight()
{
    return ::GetSystemMetrics(SM_CYSCREEN);
}

} // namespace Vantor::Platform
