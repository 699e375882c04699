#pragma once
// The system's own words for a Windows error code.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace Vantor::Platform
{

// The message text of an error code (GetLastError()), without its line end;
// "Windows error N" when the system has no text for it.
std::string systemErrorText(DWORD code);

} // namespace Vantor::Platform
