#pragma once
// Drives and mounted volumes.
#include <cstdint>
#include <string>
#include <vector>

namespace Vantor::Platform
{

// Drive type codes (the numbering of Windows' GetDriveType).
enum DriveType : long
{
    kDriveUnknown = 0,
    kDriveNoRoot = 1, // nothing is mounted at that path
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

// Type of the drive that holds the given path.
long getDriveType(const std::string& root);

// Roots of the storage drives: "C:\" and so on on Windows, the mount points
// of storage file systems on POSIX systems.
std::vector<std::string> getDriveRoots();

struct VolumeInformation
{
    std::string volumeName;     // the volume label, "" when it has none
    std::string fileSystemName; // e.g. "NTFS", "ext4"
    std::uint32_t serialNumber = 0;
};

// Describes the volume at a drive root; false when there is none.
bool getVolumeInformation(const std::string& root, VolumeInformation& out);

} // namespace Vantor::Platform
