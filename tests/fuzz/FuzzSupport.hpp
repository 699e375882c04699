#pragma once
// Shared by the fuzz targets. The readers under test take a path, so each input
// becomes a scratch file of this process first.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace Vantor::Fuzzing
{

// Writes the bytes to a scratch file in $TMPDIR (or /tmp) named after the process
// and ending in `extension`, and answers its path.
inline std::string writeScratchFile(const std::uint8_t* data, std::size_t size, const char* extension)
{
    static const std::string folder = []
    {
        const char* temp = std::getenv("TMPDIR");
        return std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp");
    }();
    std::string path = folder + "/vantor_fuzz_" + std::to_string(getpid()) + extension;
    if (FILE* file = std::fopen(path.c_str(), "wb"))
    {
        if (size > 0)
        {
            std::fwrite(data, 1, size, file);
        }
        std::fclose(file);
    }
    return path;
}

} // namespace Vantor::Fuzzing
