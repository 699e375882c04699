#pragma once
// File names in the spelling of the system the tests run on. The build hands
// over paths with "/" separators; the framework answers with the system's own:
// resolved POSIX paths, or drive letters and "\" on Windows.
#include <filesystem>
#include <string>

namespace Vantor::Testing
{

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
// A drive root that nothing is mounted at (a Windows machine has C: and few more).
inline constexpr const char* kMissingRoot = "Q:\\";
#else
inline constexpr char kSeparator = '/';
inline constexpr const char* kMissingRoot = "/no/such/root";
#endif

// A path written with "/" spelled with the system's separator instead.
inline std::string withSeparators(std::string path)
{
    for (char& c : path)
    {
        c = c == '/' ? kSeparator : c;
    }
    return path;
}

// Absolute and resolved, with the system's separators.
inline std::string nativePath(const std::filesystem::path& path)
{
    return std::filesystem::weakly_canonical(path).make_preferred().string();
}

// The running test program's own file.
inline std::string testProgram()
{
    return nativePath(VANTOR_TEST_PROGRAM);
}

} // namespace Vantor::Testing
