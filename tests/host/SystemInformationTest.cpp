#include "framework/host/SystemInformation.hpp"

#include "framework/collections/CountedObjectDeleter.hpp"
#include "tests/NativePaths.hpp"

#include <gtest/gtest.h>

using namespace Vantor;
using Basics::CString;
using Host::CSystemInformation;

TEST(SystemInformationTest, DriveTypeNames)
{
    const char* names[] = {"Unknown Drive Type", "Unmounted Drive", "Removable Drive", "Fixed Drive",
                           "Network Drive",      "CD ROM Drive",    "RAM Drive"};
    CString name;
    for (long type = -1; type <= 7; type++)
    {
        CSystemInformation::getDriveTypeName(type, name);
        EXPECT_STREQ(name.getString(), type >= 0 && type < 7 ? names[type] : names[0]) << type;
    }
}

TEST(SystemInformationTest, DriveQueriesAgree)
{
    Collections::TCountedObjectDeleter<CString> deleter;
    Collections::TPointerCollection<CString> roots(&deleter);
    const long count = CSystemInformation::getDriveRoots(roots);
    ASSERT_GT(count, 0);
    for (long i = 0; i < count; i++)
    {
        const CString& root = *roots.getElementAtIndex(i);
        const long type = CSystemInformation::getDriveType(root);
        EXPECT_EQ(CSystemInformation::isFixedDrive(root), type == 3) << root.getString();
        EXPECT_EQ(CSystemInformation::isNetworkDrive(root), type == 4) << root.getString();
        EXPECT_EQ(CSystemInformation::isCdRomDrive(root), type == 5) << root.getString();
    }
    EXPECT_EQ(CSystemInformation::getDriveType(Vantor::Testing::kMissingRoot), 1);

    CString label("unchanged");
    CString fileSystem("unchanged");
    std::uint32_t serial = 7;
    EXPECT_FALSE(
        CSystemInformation::getVolumeInformation(Vantor::Testing::kMissingRoot, label, fileSystem, serial));
    EXPECT_STREQ(fileSystem.getString(), "unchanged");
    EXPECT_EQ(serial, 7u);
    EXPECT_TRUE(
        CSystemInformation::getVolumeInformation(*roots.getElementAtIndex(0), label, fileSystem, serial));
    EXPECT_STRNE(fileSystem.getString(), "unchanged");
}
