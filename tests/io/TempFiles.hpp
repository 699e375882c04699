#pragma once
// Scratch files for stream tests: one folder per test program, one file name
// per test, removed again when the fixture ends.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace Vantor::Testing
{

class CTempFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() /
                   (std::string("vantor_io_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::create_directories(m_folder);
    }

    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

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
    std::filesystem::path m_folder;
};

} // namespace Vantor::Testing
