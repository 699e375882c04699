#include "framework/platform/x11/UriList.hpp"

#include <gtest/gtest.h>

using Vantor::Platform::UriList::parseFilePaths;
using TPaths = std::vector<std::string>;

TEST(UriList, FileUrisWithAndWithoutHostBecomeDecodedPaths)
{
    EXPECT_EQ(parseFilePaths("file:///home/user/a.png\r\n"), TPaths{"/home/user/a.png"});
    EXPECT_EQ(parseFilePaths("file://localhost/tmp/b.jpg"), TPaths{"/tmp/b.jpg"});
    EXPECT_EQ(parseFilePaths("file://somehost/tmp/c"), TPaths{"/tmp/c"});
    EXPECT_EQ(parseFilePaths("file:/tmp/short"), TPaths{"/tmp/short"});
    EXPECT_EQ(parseFilePaths("file:///tmp/with%20space%2Fand%25"), TPaths{"/tmp/with space/and%"});
    EXPECT_EQ(parseFilePaths("file:///tmp/caf%C3%A9"), TPaths{"/tmp/caf\xC3\xA9"});
    EXPECT_EQ(parseFilePaths("file:///tmp/bad%zzescape%4"), TPaths{"/tmp/bad%zzescape%4"})
        << "broken escapes stay as they are";
}

TEST(UriList, ListsKeepOrderAndSkipCommentsOtherSchemesAndBlankLines)
{
    const std::string list = "# dragged from a file manager\r\n"
                             "file:///one\r\n"
                             "\r\n"
                             "http://example.invalid/two\r\n"
                             "file:///three\n"
                             "file://hostonly\r\n"
                             "file:///four";
    EXPECT_EQ(parseFilePaths(list), (TPaths{"/one", "/three", "/four"}));
    EXPECT_TRUE(parseFilePaths("").empty());
    EXPECT_EQ(parseFilePaths(std::string("file:///nul\0", 11)), TPaths{"/nul"})
        << "a trailing NUL is ignored";
}
