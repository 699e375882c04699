#include "framework/host/SystemInformation.hpp"

#include "framework/collections/CountedObjectDeleter.hpp"
#include "tests/NativePaths.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace Vantor;
using Basics::CString;
using Host::CSystemInformation;

TEST(SystemInformationTest, DriveRootsAndVolumes)
{
    Collections::TCountedObjectDeleter<CString> deleter;
    Collections::TPointerCollection<CString> roots(&deleter);
    const long count = CSystemInformation::getDriveRoots(roots);
    ASSERT_GT(count, 0);

    CString label("unchanged");
    CString fileSystem("unchanged");
    std::uint32_t serial = 7;
    EXPECT_FALSE(
        CSystemInformation::getVolumeInformation(Vantor::Testing::kMissingRoot, label, fileSystem, serial));
    EXPECT_STREQ(label.getString(), "unchanged");
    EXPECT_STREQ(fileSystem.getString(), "unchanged");
    EXPECT_EQ(serial, 7u);
    EXPECT_TRUE(
        CSystemInformation::getVolumeInformation(*roots.getElementAtIndex(0), label, fileSystem, serial));
    const std::string named = fileSystem.getString();
    EXPECT_TRUE(!named.empty() && named != "unchanged") << named;
}
