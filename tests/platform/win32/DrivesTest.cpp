#include "framework/platform/Drives.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Vantor::Platform;

namespace
{

// A drive letter nothing is mounted at, "" when every letter is taken.
std::string unusedRoot(const std::vector<std::string>& roots)
{
    for (char letter = 'Z'; letter >= 'D'; --letter)
    {
        const std::string root = std::string(1, letter) + ":\\";
        if (std::find(roots.begin(), roots.end(), root) == roots.end())
        {
            return root;
        }
    }
    return "";
}

} // namespace

TEST(DrivesTest, RootsAreLettersWithSeparatorAndKnownTypes)
{
    const std::vector<std::string> roots = getDriveRoots();
    ASSERT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
    for (const std::string& root : roots)
    {
        ASSERT_EQ(root.size(), 3u) << root;
        EXPECT_TRUE(root[0] >= 'A' && root[0] <= 'Z' && root[1] == ':' && root[2] == '\\') << root;
        EXPECT_NE(getDriveType(root), kDriveNoRoot) << root;
        EXPECT_EQ(std::count(roots.begin(), roots.end(), root), 1) << root;
    }
    EXPECT_EQ(getDriveType("C:\\"), kDriveFixed);
    const std::string unused = unusedRoot(roots);
    ASSERT_FALSE(unused.empty());
    EXPECT_EQ(getDriveType(unused), kDriveNoRoot);
}
