// Folder listings and folder functions on POSIX systems.
#include "framework/platform/FileSystem.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace Vantor::Platform
{

namespace
{

FileTime toFileTime(const statx_timestamp& stamp)
{
    constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
    FileTime result;
    const std::int64_t seconds = stamp.tv_sec + kSecondsFrom1601To1970;
    result.ticks =
        seconds < 0 ? 0 : static_cast<std::uint64_t>(seconds) * 10'000'000ULL + stamp.tv_nsec / 100;
    return result;
}

std::int32_t typeOf(std::uint16_t mode)
{
    if (S_ISDIR(mode))
    {
        return kFileTypeFolder;
    }
    return S_ISREG(mode) ? kFileTypeFile : kFileTypeSystemFile;
}

// Describes one entry of an open folder; a link is described by what it
// points to, a dangling one by the link itself.
bool describe(int folder, const char* name, FileRecord& record)
{
    constexpr unsigned kWanted = STATX_TYPE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;
    struct statx data
    {
    };
    if (::statx(folder, name, 0, kWanted, &data) != 0 &&
        ::statx(folder, name, AT_SYMLINK_NOFOLLOW, kWanted, &data) != 0)
    {
        return false;
    }
    record.type = typeOf(data.stx_mode);
    record.size = data.stx_size;
    record.lastAccessTime = toFileTime(data.stx_atime);
    record.lastWriteTime = toFileTime(data.stx_mtime);
    // Not every file system keeps a birth time; the last change is the
    // closest it knows.
    record.creationTime = toFileTime((data.stx_mask & STATX_BTIME) != 0 ? data.stx_btime : data.stx_mtime);
    record.name = name;
    record.shortName.clear();
    return true;
}

} // namespace

char getPathSeparator()
{
    return '/';
}

bool findFiles(const std::string& pattern, std::vector<FileRecord>& out)
{
    const std::size_t slash = pattern.rfind('/');
    // "name" lies in the current folder, "/name" in the root.
    const std::string folderPath = slash == std::string::npos ? "."
                                   : slash == 0               ? "/"
                                                              : pattern.substr(0, slash);
    const std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);

    DIR* folder = ::opendir(folderPath.c_str());
    if (folder == nullptr)
    {
        return false;
    }
    const int folderDescriptor = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder))
    {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || ::fnmatch(namePattern.c_str(), entry->d_name, 0) != 0)
        {
            continue;
        }
        FileRecord record;
        if (describe(folderDescriptor, entry->d_name, record))
        {
            out.push_back(record);
        }
    }
    ::closedir(folder);
    return true;
}

bool isFolder(const std::string& path)
{
    struct stat data
    {
    };
    return ::stat(path.c_str(), &data) == 0 && S_ISDIR(data.st_mode);
}

bool createFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0;
}

std::string getTempFolder()
{
    const char* fromEnvironment = std::getenv("TMPDIR");
    std::string folder = fromEnvironment != nullptr && fromEnvironment[0] != '\0' ? fromEnvironment : "/tmp";
    if (folder.back() != '/')
    {
        folder += '/';
    }
    return folder;
}

std::string getSystemFolder()
{
    return "/";
}

std::string getUserSettingsFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] != '\0')
    {
        return config;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
    {
        return std::string(home) + "/.config";
    }
    return "";
}

} // namespace Vantor::Platform
