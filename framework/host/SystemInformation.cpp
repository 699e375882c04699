#include "framework/host/SystemInformation.hpp"

#include "framework/platform/Display.hpp"
#include "framework/platform/Drives.hpp"

#include <iterator>

namespace Vantor::Host
{

VANTOR_DEFINE_CLASS(Vantor::Host::CSystemInformation, "CSystemInformation", "CCountedObject")

long CSystemInformation::getDriveType(const Basics::CString& root)
{
    return Platform::getDriveType(root.getString());
}

bool CSystemInformation::isFixedDrive(const Basics::CString& root)
{
    return getDriveType(root) == Platform::kDriveFixed;
}

bool CSystemInformation::isNetworkDrive(const Basics::CString& root)
{
    return getDriveType(root) == Platform::kDriveRemote;
}

bool CSystemInformation::isCdRomDrive(const Basics::CString& root)
{
    return getDriveType(root) == Platform::kDriveCdRom;
}

void CSystemInformation::getDriveTypeName(long type, Basics::CString& out)
{
    static const char* const kNames[] = {"Unknown Drive Type", "Unmounted Drive", "Removable Drive",
                                         "Fixed Drive",        "Network Drive",   "CD ROM Drive",
                                         "RAM Drive"};
    const bool known = type >= 0 && type < static_cast<long>(std::size(kNames));
    out.setString(kNames[known ? type : 0]);
}

long CSystemInformation::getDriveRoots(Collections::TPointerCollection<Basics::CString>& out)
{
    const std::vector<std::string> roots = Platform::getDriveRoots();
    for (const std::string& root : roots)
    {
        out.addElement(new Basics::CString(root.c_str()));
    }
    return static_cast<long>(roots.size());
}

bool CSystemInformation::getVolumeInformation(const Basics::CString& root, Basics::CString& volumeName,
                                              Basics::CString& fileSystemName, std::uint32_t& serialNumber)
{
    Platform::VolumeInformation volume;
    if (!Platform::getVolumeInformation(root.getString(), volume))
    {
        return false;
    }
    volumeName.setString(volume.volumeName.c_str());
    fileSystemName.setString(volume.fileSystemName.c_str());
    serialNumber = volume.serialNumber;
    return true;
}

long CSystemInformation::getNumberOfMonitors()
{
    return Platform::getNumberOfMonitors();
}

long CSystemInformation::getScreenWidth()
{
    return Platform::getScreenWidth();
}

long CSystemInformation::getScreenHeight()
{
    return Platform::getScreenHeight();
}

} // namespace Vantor::Host
