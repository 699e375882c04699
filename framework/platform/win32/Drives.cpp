// Drive queries on Windows (KERNEL32).
#include "framework/platform/Drives.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

namespace Vantor::Platform
{

long getDriveType(const std::string& root)
{
    return static_cast<long>(::GetDriveTypeA(root.c_str()));
}

std::vector<std::string> getDriveRoots()
{
    std::vector<std::string> roots;
    char buffer[2048];
    const DWORD length = ::GetLogicalDriveStringsA(sizeof(buffer) - 1, buffer);
    if (length == 0 || length >= sizeof(buffer))
    {
        return roots;
    }
    buffer[length] = '\0';
    // The answer is a list of texts, each ending with its own terminator.
    for (const char* root = buffer; *root != '\0'; root += std::strlen(root) + 1)
    {
        roots.emplace_back(root);
    }
    return roots;
}

bool getVolumeInformation(const std::string& root, VolumeInformation& out)
{
    char volumeName[MAX_PATH + 1];
    char fileSystemName[MAX_PATH + 1];
    DWORD serialNumber = 0;
    DWORD maximumNameLength = 0;
    DWORD flags = 0;
    if (!::GetVolumeInformationA(root.c_str(), volumeName, sizeof(volumeName), &serialNumber,
                                 &maximumNameLength, &flags, fileSystemName, sizeof(fileSystemName)))
    {
        return false;
    }
    out.volumeName = volumeName;
    out.fileSystemName = fileSystemName;
    out.serialNumber = serialNumber;
    return true;
}

} // namespace Vantor::Platform
