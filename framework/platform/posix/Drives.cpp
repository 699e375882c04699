// Drive queries on POSIX systems, answered from the mounted file systems.
#include "framework/platform/Drives.hpp"

#include <mntent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace Vantor::Platform
{

namespace
{

struct Mount
{
    std::string source;
    std::string folder;
    std::string type;
};

std::vector<Mount> readMounts()
{
    std::vector<Mount> mounts;
    FILE* table = ::setmntent("/proc/mounts", "r");
    if (table == nullptr)
    {
        return mounts;
    }
    mntent entry{};
    char buffer[4096];
    while (::getmntent_r(table, &entry, buffer, sizeof(buffer)) != nullptr)
    {
        mounts.push_back({entry.mnt_fsname, entry.mnt_dir, entry.mnt_type});
    }
    ::endmntent(table);
    return mounts;
}

std::string realPath(const std::string& path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) != nullptr ? std::string(buffer) : std::string();
}

bool contains(const std::string& folder, const std::string& path)
{
    if (folder == "/")
    {
        return true;
    }
    return path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

// The mount that holds the path: the deepest containing mount point, the
// last one mounted when several share it.
const Mount* findMount(const std::vector<Mount>& mounts, const std::string& path)
{
    const Mount* best = nullptr;
    for (const Mount& mount : mounts)
    {
        if (contains(mount.folder, path) && (best == nullptr || mount.folder.size() >= best->folder.size()))
        {
            best = &mount;
        }
    }
    return best;
}

bool isRemovableDevice(const std::string& device)
{
    const std::string resolved = realPath(device);
    if (resolved.compare(0, 5, "/dev/") != 0)
    {
        return false;
    }
    // A partition's flag sits with its parent disk.
    const std::filesystem::path block = "/sys/class/block/" + resolved.substr(5);
    for (const auto& flag : {block / "removable", block / ".." / "removable"})
    {
        std::ifstream in(flag);
        int removable = 0;
        if (in >> removable)
        {
            return removable == 1;
        }
    }
    return false;
}

long classify(const Mount& mount)
{
    static const std::set<std::string> remote = {"nfs",       "nfs4",       "cifs",  "smb3",
                                                 "smbfs",     "9p",         "afs",   "ceph",
                                                 "glusterfs", "fuse.sshfs", "davfs", "fuse.davfs"};
    static const std::set<std::string> optical = {"iso9660", "udf"};
    static const std::set<std::string> memory = {"tmpfs", "ramfs"};
    static const std::set<std::string> localWithoutDevice = {"overlay", "zfs", "aufs"};
    if (remote.count(mount.type) != 0)
    {
        return kDriveRemote;
    }
    if (optical.count(mount.type) != 0)
    {
        return kDriveCdRom;
    }
    if (memory.count(mount.type) != 0)
    {
        return kDriveRamDisk;
    }
    if (mount.source.compare(0, 5, "/dev/") == 0)
    {
        return isRemovableDevice(mount.source) ? kDriveRemovable : kDriveFixed;
    }
    return localWithoutDevice.count(mount.type) != 0 ? kDriveFixed : kDriveUnknown;
}

std::string labelOf(const std::string& device)
{
    const std::string resolved = realPath(device);
    std::error_code error;
    for (const auto& link : std::filesystem::directory_iterator("/dev/disk/by-label", error))
    {
        if (!resolved.empty() && realPath(link.path().string()) == resolved)
        {
            return link.path().filename().string();
        }
    }
    return "";
}

} // namespace

long getDriveType(const std::string& root)
{
    const std::string path = realPath(root);
    if (path.empty())
    {
        return kDriveNoRoot;
    }
    const std::vector<Mount> mounts = readMounts();
    const Mount* mount = findMount(mounts, path);
    return mount == nullptr ? kDriveUnknown : classify(*mount);
}

std::vector<std::string> getDriveRoots()
{
    std::vector<std::string> roots;
    for (const Mount& mount : readMounts())
    {
        const bool seen = std::find(roots.begin(), roots.end(), mount.folder) != roots.end();
        if (!seen && classify(mount) != kDriveUnknown)
        {
            roots.push_back(mount.folder);
        }
    }
    return roots;
}

bool getVolumeInformation(const std::string& root, VolumeInformation& out)
{
    const std::string path = realPath(root);
    struct statvfs data
    {
    };
    if (path.empty() || ::statvfs(path.c_str(), &data) != 0)
    {
        return false;
    }
    const std::vector<Mount> mounts = readMounts();
    const Mount* mount = findMount(mounts, path);
    if (mount == nullptr)
    {
        return false;
    }
    out.fileSystemName = mount->type;
    out.volumeName = labelOf(mount->source);
    out.serialNumber = static_cast<std::uint32_t>(data.f_fsid);
    return true;
}

} // namespace Vantor::Platform
