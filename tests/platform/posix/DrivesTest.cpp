#include "framework/platform/Drives.hpp"

#include <gtest/gtest.h>

#include <mntent.h>

#include <algorithm>

using namespace Vantor::Platform;

namespace
{

// The file-system type mounted exactly at a folder, "" when none is.
std::string mountedType(const std::string& folder)
{
    std::string type;
    FILE* table = ::setmntent("/proc/mounts", "r");
    while (const mntent* entry = table ? ::getmntent(table) : nullptr)
    {
        if (folder == entry->mnt_dir)
        {
            type = entry->mnt_type;
        }
    }
    if (table)
    {
        ::endmntent(table);
    }
    return type;
}

} // namespace

TEST(DrivesTest, TypesFollowTheMountedFileSystems)
{
    EXPECT_EQ(getDriveType("/nonexistent/drive"), kDriveNoRoot);
    if (mountedType("/proc") == "proc")
    {
        EXPECT_EQ(getDriveType("/proc"), kDriveUnknown); // not storage
    }
    if (mountedType("/dev/shm") == "tmpfs")
    {
        EXPECT_EQ(getDriveType("/dev/shm"), kDriveRamDisk);
    }
    const long root = getDriveType("/");
    EXPECT_TRUE(root == kDriveFixed || root == kDriveRemovable || root == kDriveRemote) << root;
}

TEST(DrivesTest, RootsAreStorageMountPoints)
{
    const std::vector<std::string> roots = getDriveRoots();
    EXPECT_NE(std::find(roots.begin(), roots.end(), "/"), roots.end());
    EXPECT_EQ(std::find(roots.begin(), roots.end(), "/proc"), roots.end());
    for (const std::string& root : roots)
    {
        EXPECT_NE(getDriveType(root), kDriveUnknown) << root;
        EXPECT_EQ(std::count(roots.begin(), roots.end(), root), 1) << root;
    }
}

// A root with no volume is tested through the system information.
TEST(DrivesTest, VolumeInformationNamesTheMountedFileSystem)
{
    VolumeInformation volume;
    ASSERT_TRUE(getVolumeInformation("/", volume));
    EXPECT_EQ(volume.fileSystemName, mountedType("/"));
}
