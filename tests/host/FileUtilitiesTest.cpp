#include "framework/host/FileUtilities.hpp"

#include "framework/collections/CountedObjectDeleter.hpp"

#include <gtest/gtest.h>

#include "tests/NativePaths.hpp"
#include "tests/SampleFolder.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace Vantor;
using Basics::CString;
using Basics::CSystemString;
using Host::CFileInformation;
using Host::CFileUtilities;
namespace fs = std::filesystem;

namespace
{

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

class FileUtilitiesTest : public Testing::CSampleFolderTest
{
protected:
    CString pattern(const char* name) const { return CString((folder / name).string().c_str()); }
    CSystemString path(const char* name) const { return CSystemString((folder / name).string().c_str()); }
};

struct SOwnedList
{
    Collections::TCountedObjectDeleter<CFileInformation> deleter;
    Collections::TPointerCollection<CFileInformation> list{&deleter};
};

} // namespace

TEST_F(FileUtilitiesTest, ListingsDescribeEachEntryByItsKind)
{
    SOwnedList files;
    ASSERT_EQ(CFileUtilities::getFolderContents(pattern("*"), files.list, true), 4);
    // Folders first, then the full paths in byte order.
    const char* expected[] = {"zfolder", "a.bin", "b.txt", "pipe"};
    const std::int32_t types[] = {2, 5, 5, 9};
    for (long i = 0; i < 4; i++)
    {
        const CFileInformation* entry = files.list.getElementAtIndex(i);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->getFileName().getString(), expected[i]);
        EXPECT_EQ(entry->getFileType(), types[i]) << expected[i];
        EXPECT_STREQ(entry->getFullPath().getString(), (folder / expected[i]).string().c_str());
        EXPECT_STREQ(entry->getShortFileName().getString(), "") << expected[i];
    }
    EXPECT_EQ(files.list.getElementAtIndex(1)->getFileSize(), static_cast<double>(kBinarySize));
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(pattern("*")), 3); // all but the folder
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(pattern("*.txt")), 1);
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(pattern("missing/*")), 0);
}

TEST_F(FileUtilitiesTest, NameListings)
{
    Collections::TCountedObjectDeleter<CString> deleter;
    Collections::TPointerCollection<CString> names(&deleter);
    EXPECT_EQ(CFileUtilities::getFolderContentNames(pattern("?.*"), names), 2);
    const std::string first = names.getElementAtIndex(0)->getString();
    const std::string second = names.getElementAtIndex(1)->getString();
    EXPECT_TRUE((first == "a.bin" && second == "b.txt") || (first == "b.txt" && second == "a.bin"));
}

TEST_F(FileUtilitiesTest, ExistenceAndFolders)
{
    EXPECT_TRUE(CFileUtilities::fileExists(path("b.txt")));
    EXPECT_FALSE(CFileUtilities::fileExists(path("c.txt")));
    EXPECT_TRUE(CFileUtilities::folderExists(CSystemString(folder.string().c_str())));
    EXPECT_TRUE(CFileUtilities::folderExists(path("zfolder")));
    EXPECT_FALSE(CFileUtilities::folderExists(path("b.txt")));
    EXPECT_FALSE(CFileUtilities::folderExists(path("missing")));

    EXPECT_TRUE(CFileUtilities::createFolder(path("made")));
    EXPECT_TRUE(CFileUtilities::folderExists(path("made")));
    EXPECT_FALSE(CFileUtilities::createFolder(path("made")));           // exists already
    EXPECT_FALSE(CFileUtilities::createFolder(path("missing/deeper"))); // parent missing
    // A name with an extension is taken for a file and refused.
    EXPECT_FALSE(CFileUtilities::createFolder(path("folder.new")));
    EXPECT_FALSE(fs::exists(folder / "folder.new"));
}

TEST_F(FileUtilitiesTest, CopyingRespectsTheOverwriteFlag)
{
    EXPECT_FALSE(CFileUtilities::copyFile(path("missing"), path("copy.bin"), true));
    EXPECT_FALSE(CFileUtilities::copyFile(path("zfolder"), path("copy.bin"), true));
    EXPECT_FALSE(fs::exists(folder / "copy.bin"));

    ASSERT_TRUE(CFileUtilities::copyFile(path("a.bin"), path("copy.bin"), false));
    EXPECT_EQ(contentOf(folder / "copy.bin"), contentOf(folder / "a.bin"));

    EXPECT_FALSE(CFileUtilities::copyFile(path("b.txt"), path("copy.bin"), false));
    EXPECT_EQ(contentOf(folder / "copy.bin"), contentOf(folder / "a.bin"));
    ASSERT_TRUE(CFileUtilities::copyFile(path("b.txt"), path("copy.bin"), true));
    EXPECT_EQ(contentOf(folder / "copy.bin"), "bee");

    std::ofstream(folder / "empty");
    ASSERT_TRUE(CFileUtilities::copyFile(path("empty"), path("empty.copy"), false));
    EXPECT_TRUE(fs::exists(folder / "empty.copy"));
    EXPECT_EQ(fs::file_size(folder / "empty.copy"), 0u);
}

TEST(FileUtilitiesFolders, ProgramTempAndSystemFolders)
{
    const fs::path program = fs::path(Testing::testProgram()).parent_path();
    CSystemString folder;
    CFileUtilities::getApplicationFolder(folder, false);
    EXPECT_EQ(folder.getString(), program.string());
    CFileUtilities::getApplicationFolder(folder, true);
    EXPECT_EQ(std::string(folder.getString()), program.string() + Testing::kSeparator);

    CFileUtilities::getTempFolder(folder);
    EXPECT_EQ(folder[folder.getNumberOfCharacters() - 2], Testing::kSeparator);
    EXPECT_TRUE(CFileUtilities::isFolder(folder));
    CFileUtilities::getWindowsFolder(folder);
    EXPECT_TRUE(CFileUtilities::isFolder(folder));
}
