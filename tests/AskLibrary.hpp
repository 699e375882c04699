#pragma once
// Asks a test library a question: loads it, calls one of its exported
// functions that write a text into a buffer, and unloads it again.
#include "framework/platform/Module.hpp"

#include <string>

namespace Vantor::Testing
{

// The text the function wrote; "<not loaded>" or "<no function>" when the
// library or the function cannot be found, so that a failure says which.
inline std::string askLibrary(const std::string& path, const char* function)
{
    Platform::LibraryHandle library = Platform::loadLibrary(path);
    if (library == nullptr)
    {
        return "<not loaded>";
    }
    auto probe =
        reinterpret_cast<void (*)(char*, unsigned long)>(Platform::getLibrarySymbol(library, function));
    char text[4096] = "<no function>";
    if (probe != nullptr)
    {
        probe(text, sizeof(text));
    }
    Platform::freeLibrary(library);
    return text;
}

} // namespace Vantor::Testing
