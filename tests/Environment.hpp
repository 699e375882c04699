#pragma once
// Sets a variable of the process's environment; no value, or an empty one, removes it.
#include <cstdlib>

namespace Vantor::Testing
{

inline void setVariable(const char* name, const char* value)
{
#if defined(_WIN32)
    _putenv_s(name, value == nullptr ? "" : value);
#else
    if (value == nullptr || *value == '\0')
    {
        unsetenv(name);
    }
    else
    {
        setenv(name, value, 1);
    }
#endif
}

} // namespace Vantor::Testing
