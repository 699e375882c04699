#pragma once

#include <string>

namespace ToolsTest
{

// The text of the TError that call throws, or "" when it throws nothing.
template <typename TError, typename TCall>
std::string errorText(TCall&& call)
{
    try
    {
        call();
    }
    catch (const TError& error)
    {
        return error.what();
    }
    return "";
}

} // namespace ToolsTest
