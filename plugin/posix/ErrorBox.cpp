#include <cstdio>

#include "plugin/Module.hpp"

namespace Vantor::Quellor
{

// Without a desktop message box, caption and text go to the standard error
// stream as one line.
void showErrorBox(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

} // namespace Vantor::Quellor
