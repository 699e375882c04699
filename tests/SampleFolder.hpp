#pragma once
// A scratch folder holding one entry of every kind a listing tells apart, for
// the tests of the file-system functions and of the classes built on them.
#include "tests/ScratchFolder.hpp"

#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace Vantor::Testing
{

// Makes an entry that is neither a folder nor a regular file: a named pipe on
// POSIX systems, a file marked as the system's on Windows.
inline bool makeSystemEntry(const std::filesystem::path& path)
{
#ifdef _WIN32
    std::ofstream(path) << "system";
    return ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_SYSTEM) != 0;
#else
    return ::mkfifo(path.c_str(), 0600) == 0;
#endif
}

// A fresh folder with the sub-folder "zfolder", the files "a.bin" (300 zero
// bytes and "end") and "b.txt" ("bee"), and the system entry "pipe". All
// names are valid 8.3 names, so Windows keeps no short alias for them.
class CSampleFolderTest : public ::testing::Test
{
protected:
    static constexpr std::uintmax_t kBinarySize = 303;

    void SetUp() override
    {
        std::filesystem::create_directory(folder / "zfolder");
        std::ofstream(folder / "a.bin", std::ios::binary) << std::string(300, '\0') << "end";
        std::ofstream(folder / "b.txt", std::ios::binary) << "bee";
        ASSERT_TRUE(makeSystemEntry(folder / "pipe"));
    }

    CScratchFolder scratch{"vantor_files"};
    const std::filesystem::path folder{scratch.root()};
};

} // namespace Vantor::Testing
