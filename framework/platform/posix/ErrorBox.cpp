// Error messages on POSIX systems: there is no desktop message box to rely on,
// so caption and text go to the standard error stream as one line.
#include "framework/platform/ErrorBox.hpp"

#include <cstdio>

namespace Vantor::Platform
{

void showErrorBox(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

} // namespace Vantor::Platform
