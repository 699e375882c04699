#include "framework/host/FileUtilities.hpp"

#include "framework/io/FileStream.hpp"
#include "framework/platform/Module.hpp"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace Vantor::Host
{

VANTOR_DEFINE_CLASS(Vantor::Host::CFileUtilities, "CFileUtilities", "CCountedObject")

namespace
{

// The entries of a listing with the folder they were found in.
struct SListing
{
    std::vector<Platform::FileRecord> records;
    Basics::CString folder{""};
};

SListing list(const Basics::CString& pattern)
{
    SListing listing;
    Platform::findFiles(pattern.getString(), listing.records);
    const long separator = pattern.findBackwards(Basics::CSystemString::getSeparator());
    if (separator >= 0)
    {
        listing.folder = pattern.getSubString(0, separator);
    }
    return listing;
}

} // namespace

bool CFileUtilities::fileExists(const Basics::CString& path)
{
    std::FILE* file = std::fopen(path.getString(), "rb");
    if (file == nullptr)
    {
        return false;
    }
    std::fclose(file);
    return true;
}

bool CFileUtilities::folderExists(const Basics::CString& path)
{
    return Platform::isFolder(path.getString());
}

bool CFileUtilities::isFolder(const Basics::CString& path)
{
    return Platform::isFolder(path.getString());
}

bool CFileUtilities::createFolder(const Basics::CSystemString& path)
{
    return path.hasNoExtension() && Platform::createFolder(path.getString());
}

bool CFileUtilities::copyFile(const Basics::CSystemString& source, const Basics::CSystemString& destination,
                              bool overwrite)
{
    // A folder can be opened for reading on some systems but never copied.
    if (!fileExists(source) || isFolder(source) || (!overwrite && fileExists(destination)))
    {
        return false;
    }
    IO::CFileStream input(source, false, true);
    const long size = input.getStreamSize();
    if (!input.isOpenForReading() || size < 0)
    {
        return false;
    }
    std::vector<char> content(static_cast<std::size_t>(size));
    const bool read = size == 0 || input.readBytes(content.data(), size);
    IO::CFileStream output(destination, true, true);
    const bool written = output.isOpenForWriting() && (size == 0 || output.writeBytes(content.data(), size));
    return read && written;
}

long CFileUtilities::getNumberOfFilesInFolder(const Basics::CString& pattern)
{
    const SListing listing = list(pattern);
    return static_cast<long>(std::count_if(listing.records.begin(), listing.records.end(),
                                           [](const Platform::FileRecord& record)
                                           { return record.type != Platform::kFileTypeFolder; }));
}

long CFileUtilities::getFolderContents(const Basics::CString& pattern,
                                       Collections::TPointerCollection<CFileInformation>& out, bool sorted)
{
    const SListing listing = list(pattern);
    std::vector<CFileInformation*> entries;
    for (const Platform::FileRecord& record : listing.records)
    {
        auto* entry = new CFileInformation(record);
        entry->setFolder(listing.folder);
        entries.push_back(entry);
    }
    if (sorted)
    {
        std::sort(entries.begin(), entries.end(),
                  [](const CFileInformation* a, const CFileInformation* b)
                  { return CFileInformation::compare(a, b) < 0; });
    }
    for (CFileInformation* entry : entries)
    {
        out.addElement(entry);
    }
    return static_cast<long>(entries.size());
}

long CFileUtilities::getFolderContentNames(const Basics::CString& pattern,
                                           Collections::TPointerCollection<Basics::CString>& out)
{
    const SListing listing = list(pattern);
    for (const Platform::FileRecord& record : listing.records)
    {
        out.addElement(new Basics::CString(record.name.c_str()));
    }
    return static_cast<long>(listing.records.size());
}

void CFileUtilities::getApplicationFolder(Basics::CSystemString& out, bool withSeparator)
{
    out.setString(Platform::getModuleFileName(nullptr).c_str());
    out.removeLastPathComponent();
    if (withSeparator)
    {
        out.appendSeparator();
    }
}

void CFileUtilities::getWindowsFolder(Basics::CSystemString& out)
{
    out.setString(Platform::getSystemFolder().c_str());
}

void CFileUtilities::getTempFolder(Basics::CSystemString& out)
{
    out.setString(Platform::getTempFolder().c_str());
}

} // namespace Vantor::Host
