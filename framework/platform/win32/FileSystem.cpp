// Folder listings and folder functions on Windows (KERNEL32, SHLWAPI).
#include "framework/platform/FileSystem.hpp"

#define WIN32_LEAN_AND_MEAN
#include <shlwapi.h>
#include <windows.h>

#include <cstdlib>

namespace Vantor::Platform
{

namespace
{

FileTime toFileTime(const FILETIME& stamp)
{
    FileTime result;
    result.ticks = (static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime;
    return result;
}

static_assert(fileTypeFromAttributes(FILE_ATTRIBUTE_DIRECTORY) == kFileTypeFolder &&
                  fileTypeFromAttributes(FILE_ATTRIBUTE_SYSTEM) == kFileTypeSystemFile &&
                  fileTypeFromAttributes(FILE_ATTRIBUTE_NORMAL) == kFileTypeFile,
              "the attribute values are Windows' own");

FileRecord toRecord(const WIN32_FIND_DATAA& data)
{
    FileRecord record;
    record.type = fileTypeFromAttributes(data.dwFileAttributes);
    record.creationTime = toFileTime(data.ftCreationTime);
    record.lastAccessTime = toFileTime(data.ftLastAccessTime);
    record.lastWriteTime = toFileTime(data.ftLastWriteTime);
    record.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    record.name = data.cFileName;
    record.shortName = data.cAlternateFileName;
    return record;
}

// Both folder queries fill a 2048-byte buffer and answer the text length.
std::string fromBuffer(const char* buffer, UINT length, UINT size)
{
    return length == 0 || length >= size ? std::string() : std::string(buffer, length);
}

} // namespace

char getPathSeparator()
{
    return '\\';
}

bool findFiles(const std::string& pattern, std::vector<FileRecord>& out)
{
    WIN32_FIND_DATAA data;
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
    {
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do
    {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
        {
            out.push_back(toRecord(data));
        }
    } while (::FindNextFileA(search, &data));
    ::FindClose(search);
    return true;
}

bool isFolder(const std::string& path)
{
    return ::PathIsDirectoryA(path.c_str()) != FALSE;
}

bool createFolder(const std::string& path)
{
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

std::string getTempFolder()
{
    char buffer[2048];
    return fromBuffer(buffer, ::GetTempPathA(sizeof(buffer), buffer), sizeof(buffer));
}

std::string getSystemFolder()
{
    char buffer[2048];
    return fromBuffer(buffer, ::GetWindowsDirectoryA(buffer, sizeof(buffer)), sizeof(buffer));
}

std::string getUserSettingsFolder()
{
    const char* appData = std::getenv("APPDATA");
    return appData != nullptr ? appData : "";
}

} // namespace Vantor::Platform
