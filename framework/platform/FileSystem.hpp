#pragma once
// Folder listings, folder tests and creation, and the system's well-known
// folders.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/platform/Time.hpp"

namespace Vantor::Platform
{

// Type codes of a file record.
enum FileType : std::int32_t
{
    kFileTypeFolder = 2,
    kFileTypeFile = 5,
    kFileTypeSystemFile = 9, // anything that is neither a folder nor a regular file
    kFileTypeUnknown = 11,
};

// One entry of a folder listing, as the file system describes it.
struct FileRecord
{
    std::int32_t type = kFileTypeUnknown;
    FileTime creationTime;
    FileTime lastAccessTime;
    FileTime lastWriteTime;
    std::uint64_t size = 0;
    std::string name;      // the entry's name without its folder
    std::string shortName; // the 8.3 alias where the system keeps one, else ""
};

// The type of an entry from its Windows file attributes: a folder is a
// folder; an entry marked "system" and not "normal" is a system file;
// everything else is a plain file.
constexpr std::int32_t fileTypeFromAttributes(std::uint32_t attributes)
{
    constexpr std::uint32_t kSystem = 0x04;    // FILE_ATTRIBUTE_SYSTEM
    constexpr std::uint32_t kDirectory = 0x10; // FILE_ATTRIBUTE_DIRECTORY
    constexpr std::uint32_t kNormal = 0x80;    // FILE_ATTRIBUTE_NORMAL
    if ((attributes & kDirectory) != 0)
    {
        return kFileTypeFolder;
    }
    if ((attributes & kNormal) == 0 && (attributes & kSystem) != 0)
    {
        return kFileTypeSystemFile;
    }
    return kFileTypeFile;
}

// The path separator of this system.
char getPathSeparator();

// Lists the entries matching a pattern made of a folder and a file name
// with the wildcards '*' and '?' (for example "/tmp/x/*.png"); the "." and
// ".." entries are left out. Answers false when the folder cannot be read.
bool findFiles(const std::string& pattern, std::vector<FileRecord>& out);

// Whether the path names an existing folder.
bool isFolder(const std::string& path);

// Creates one folder; false when it exists already or cannot be made.
bool createFolder(const std::string& path);

// The folder for temporary files, ending with the separator.
std::string getTempFolder();

// The operating system's own folder ("C:\Windows" on Windows, the root
// folder on POSIX systems).
std::string getSystemFolder();

// The folder where a user's settings for programs go, without a separator at
// the end: $XDG_CONFIG_HOME, else ~/.config on POSIX systems; %APPDATA% on
// Windows. Empty when the environment names none.
std::string getUserSettingsFolder();

} // namespace Vantor::Platform
