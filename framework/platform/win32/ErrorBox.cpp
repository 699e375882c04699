// Error messages on Windows (USER32).
#include "framework/platform/ErrorBox.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Vantor::Platform
{

// A modal box without owner, with the error icon.
void showErrorBox(const char* text, const char* caption)
{
    ::MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

} // namespace Vantor::Platform
