// What the file-system functions do beyond what the host's file utilities show
// of them: the exact time stamps of a record and the answer for a folder that
// is not there. Listing, kinds, sizes, patterns and folder creation are tested
// through the file utilities.
#include "framework/platform/FileSystem.hpp"

#include <gtest/gtest.h>

#include "tests/SampleFolder.hpp"

#include <chrono>
#include <filesystem>

using namespace Vantor::Platform;
namespace fs = std::filesystem;

namespace
{

// Last write time of a file in 100 ns ticks since 1601, read without the framework.
std::uint64_t lastWriteTicks(const fs::path& path)
{
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_NE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data), 0);
    return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
#else
    struct stat data
    {
    };
    EXPECT_EQ(::stat(path.c_str(), &data), 0);
    return (static_cast<std::uint64_t>(data.st_mtim.tv_sec) + 11'644'473'600ULL) * 10'000'000ULL +
           static_cast<std::uint64_t>(data.st_mtim.tv_nsec) / 100;
#endif
}

using FileSystemTest = Vantor::Testing::CSampleFolderTest;

} // namespace

TEST_F(FileSystemTest, RecordTimesAreTheFilesOwnStamps)
{
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(folder / "b.txt", stamp);
    std::vector<FileRecord> records;
    ASSERT_TRUE(findFiles((folder / "b.txt").string(), records));
    ASSERT_EQ(records.size(), 1u);

    EXPECT_EQ(records[0].lastWriteTime.ticks, lastWriteTicks(folder / "b.txt"));
    EXPECT_NE(records[0].creationTime.ticks, 0u);
    EXPECT_NE(records[0].lastAccessTime.ticks, 0u);
}

TEST_F(FileSystemTest, AnEmptyMatchSucceedsAndAMissingFolderFails)
{
    std::vector<FileRecord> records;
    EXPECT_TRUE(findFiles((folder / "*.png").string(), records));
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(findFiles((folder / "missing" / "*").string(), records));
    EXPECT_TRUE(records.empty());
}

TEST(FileSystemAttributes, WindowsAttributesGiveTheRecordType)
{
    constexpr std::uint32_t kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kDirectory = 0x10,
                            kArchive = 0x20, kNormal = 0x80;
    EXPECT_EQ(fileTypeFromAttributes(kDirectory), kFileTypeFolder);
    EXPECT_EQ(fileTypeFromAttributes(kDirectory | kSystem | kHidden), kFileTypeFolder);
    EXPECT_EQ(fileTypeFromAttributes(kSystem), kFileTypeSystemFile);
    EXPECT_EQ(fileTypeFromAttributes(kSystem | kNormal), kFileTypeFile); // "normal" wins
    EXPECT_EQ(fileTypeFromAttributes(kArchive | kReadOnly), kFileTypeFile);
    EXPECT_EQ(fileTypeFromAttributes(0), kFileTypeFile);
}
