#include "framework/basics/BoxedReal.hpp"

#include <algorithm>
#include <cstdio>

namespace Vantor::Basics
{

void formatReal(double value, long decimals, CString& out)
{
    char format[32];
    std::snprintf(format, sizeof(format), "%%.0%lif", std::max(decimals, 0L));
    // Room for the largest double printed in full with a few decimals; longer
    // texts are cut.
    char text[512];
    std::snprintf(text, sizeof(text), format, value);
    out.setString(text);
}

} // namespace Vantor::Basics
