#include "framework/host/FileInformation.hpp"

#include "tests/NativePaths.hpp"

#include <gtest/gtest.h>

using Vantor::Host::CFileInformation;
using Vantor::Platform::FileRecord;
using Vantor::Testing::withSeparators;

namespace
{

CFileInformation entry(const char* name, std::int32_t type, const char* folder = "/data")
{
    FileRecord record;
    record.name = name;
    record.type = type;
    CFileInformation information(record);
    information.setFolder(withSeparators(folder).c_str());
    return information;
}

} // namespace

TEST(FileInformationTest, SizeKeepsTheLow32BitsOnly)
{
    FileRecord record;
    record.size = (std::uint64_t{1} << 32) + 5;
    EXPECT_EQ(CFileInformation(record).getFileSize(), 5.0);
    record.size = 0xFFFFFFFFu;
    EXPECT_EQ(CFileInformation(record).getFileSize(), 4294967295.0);
}

TEST(FileInformationTest, FullPathJoinsFolderAndName)
{
    EXPECT_EQ(entry("a.png", 5, "/data").getFullPath().getString(), withSeparators("/data/a.png"));
    EXPECT_EQ(entry("a.png", 5, "/data/").getFullPath().getString(), withSeparators("/data/a.png"));
    EXPECT_EQ(entry("a.png", 5, "/data").getFolder().getString(), withSeparators("/data"));
}

TEST(FileInformationTest, OrderPutsFoldersFirstAndNullLast)
{
    const CFileInformation folderZ = entry("z", 2);
    const CFileInformation folderA = entry("a", 2);
    const CFileInformation fileB = entry("B", 5);
    const CFileInformation fileA = entry("a.txt", 9);
    EXPECT_LT(CFileInformation::compare(&folderZ, &fileB), 0);
    EXPECT_GT(CFileInformation::compare(&fileB, &folderZ), 0);
    EXPECT_LT(CFileInformation::compare(&folderA, &folderZ), 0);
    EXPECT_LT(CFileInformation::compare(&fileB, &fileA), 0); // byte order: 'B' before 'a'
    EXPECT_LT(CFileInformation::compare(&fileA, nullptr), 0);
    EXPECT_GT(CFileInformation::compare(nullptr, &folderA), 0);
    EXPECT_EQ(CFileInformation::compare(nullptr, nullptr), 0);
    EXPECT_EQ(CFileInformation::compare(&fileA, &fileA), 0);
}

TEST(FileInformationTest, CopiesCarryEveryField)
{
    FileRecord record;
    record.name = "x.wav";
    record.shortName = "X~1.WAV";
    record.type = 5;
    record.size = 77;
    record.lastWriteTime.ticks = 128'756'377'890'000'000ULL; // 5 January 2009
    CFileInformation original(record);
    original.setFolder(withSeparators("/music").c_str());
    CFileInformation assigned;
    assigned = original;
    const CFileInformation copied(original);
    for (const CFileInformation* copy : {static_cast<const CFileInformation*>(&assigned), &copied})
    {
        EXPECT_EQ(copy->getFileType(), 5);
        EXPECT_EQ(copy->getFileSize(), 77.0);
        EXPECT_STREQ(copy->getShortFileName().getString(), "X~1.WAV");
        EXPECT_EQ(copy->getFullPath().getString(), withSeparators("/music/x.wav"));
        EXPECT_EQ(copy->getLastWriteTime().getSystemTime().year, 2009);
    }
}
