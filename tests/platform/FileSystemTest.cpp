#include "framework/platform/FileSystem.hpp"

#include <gtest/gtest.h>

#include "tests/ScratchFolder.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

using namespace Vantor::Platform;
namespace fs = std::filesystem;

namespace
{

// The entry that is neither a folder nor a regular file: a named pipe on
// POSIX systems, a file marked as the system's on Windows.
bool makeSystemEntry(const fs::path& path)
{
#ifdef _WIN32
    std::ofstream(path) << "system";
    return ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_SYSTEM) != 0;
#else
    return ::mkfifo(path.c_str(), 0600) == 0;
#endif
}

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

// A fresh folder holding a sub-folder, two regular files and a system entry.
class FileSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(folder / "sub");
        std::ofstream(folder / "data.bin", std::ios::binary) << std::string(1234, 'x');
        std::ofstream(folder / "notes.txt") << "hello";
        ASSERT_TRUE(makeSystemEntry(folder / "pipe"));
    }

    const FileRecord* find(const std::vector<FileRecord>& records, const std::string& name)
    {
        auto it =
            std::find_if(records.begin(), records.end(), [&](const FileRecord& r) { return r.name == name; });
        return it == records.end() ? nullptr : &*it;
    }

    Vantor::Testing::CScratchFolder scratch{"vantor_fs"};
    const fs::path folder{scratch.root()};
};

} // namespace

TEST_F(FileSystemTest, RecordsTellFoldersRegularFilesAndOtherEntriesApart)
{
    std::vector<FileRecord> records;
    ASSERT_TRUE(findFiles((folder / "*").string(), records));
    ASSERT_EQ(records.size(), 4u); // no "." or ".."

    const FileRecord* sub = find(records, "sub");
    const FileRecord* data = find(records, "data.bin");
    const FileRecord* pipe = find(records, "pipe");
    ASSERT_TRUE(sub && data && pipe);
    EXPECT_EQ(sub->type, kFileTypeFolder);
    EXPECT_EQ(data->type, kFileTypeFile);
    EXPECT_EQ(pipe->type, kFileTypeSystemFile);
    EXPECT_EQ(data->size, 1234u);
    EXPECT_EQ(data->shortName, "");
}

TEST_F(FileSystemTest, RecordTimesAreTheFilesOwnStamps)
{
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(folder / "notes.txt", stamp);
    std::vector<FileRecord> records;
    ASSERT_TRUE(findFiles((folder / "notes.txt").string(), records));
    ASSERT_EQ(records.size(), 1u);

    EXPECT_EQ(records[0].lastWriteTime.ticks, lastWriteTicks(folder / "notes.txt"));
    EXPECT_NE(records[0].creationTime.ticks, 0u);
    EXPECT_NE(records[0].lastAccessTime.ticks, 0u);
}

TEST_F(FileSystemTest, PatternsSelectEntriesAndMissingFoldersFail)
{
    std::vector<FileRecord> records;
    ASSERT_TRUE(findFiles((folder / "*.txt").string(), records));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "notes.txt");

    records.clear();
    ASSERT_TRUE(findFiles((folder / "d?ta.*").string(), records));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "data.bin");

    records.clear();
    EXPECT_TRUE(findFiles((folder / "*.png").string(), records));
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(findFiles((folder / "missing" / "*").string(), records));
}

TEST_F(FileSystemTest, FolderTestsAndCreation)
{
    EXPECT_TRUE(isFolder(folder.string()));
    EXPECT_TRUE(isFolder((folder / "sub").string()));
    EXPECT_FALSE(isFolder((folder / "data.bin").string()));
    EXPECT_FALSE(isFolder((folder / "missing").string()));

    EXPECT_TRUE(createFolder((folder / "made").string()));
    EXPECT_TRUE(isFolder((folder / "made").string()));
    EXPECT_FALSE(createFolder((folder / "made").string()));               // exists already
    EXPECT_FALSE(createFolder((folder / "missing" / "deeper").string())); // parent missing
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
