#pragma once
// Scratch files for stream tests: a fresh folder per test, removed again when
// the fixture ends.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "tests/ScratchFolder.hpp"

namespace Vantor::Testing
{

class CTempFileTest : public ::testing::Test
{
protected:
    std::string path(const std::string& name) const { return m_folder.file(name); }

    static void writeFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream file(path, std::ios::binary);
        file << bytes;
    }

    static std::string readFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    // A file written by a text stream, read as text: the system's line end
    // (CR LF on Windows) reads as "\n".
    static std::string readTextFile(const std::string& path)
    {
        std::ifstream file(path);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    CScratchFolder m_folder{"vantor_io"};
};

} // namespace Vantor::Testing
