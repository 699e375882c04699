#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "plugin/Module.hpp"

namespace Vantor::Quellor
{

// A modal box without owner, with the error icon.
void showErrorBox(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

} // namespace Vantor::Quellor
