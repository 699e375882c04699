#pragma once

#include "framework/basics/String.hpp"
#include "framework/basics/SystemString.hpp"
#include "framework/collections/PointerCollection.hpp"
#include "framework/host/FileInformation.hpp"

namespace Vantor::Host
{

// File-system functions of the framework; never instantiated. Paths use the
// platform's separator.
class CFileUtilities : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CFileUtilities);

    // Whether the file can be opened for reading.
    static bool fileExists(const Basics::CString& path);
    static bool folderExists(const Basics::CString& path);
    static bool isFolder(const Basics::CString& path);
    // Makes one folder; a path with an extension is taken for a file name and
    // refused. Answers whether the folder was created.
    static bool createFolder(const Basics::CSystemString& path);
    // Copies the whole file; fails when the source is missing or when the
    // destination exists and may not be overwritten.
    static bool copyFile(const Basics::CSystemString& source, const Basics::CSystemString& destination,
                         bool overwrite);

    // Listings of the entries that match a pattern of a folder and a file
    // name with wildcards (e.g. "<folder>/*.png"); "." and ".." are left out.
    // The entries are new heap objects: the collection's deleter decides who
    // frees them. With `sorted`, the entries come in CFileInformation order.
    // Each answers the number of entries added.
    static long getNumberOfFilesInFolder(const Basics::CString& pattern);
    static long getFolderContents(const Basics::CString& pattern,
                                  Collections::TPointerCollection<CFileInformation>& out, bool sorted);
    static long getFolderContentNames(const Basics::CString& pattern,
                                      Collections::TPointerCollection<Basics::CString>& out);

    // The folder of the running program, with a trailing separator when asked.
    static void getApplicationFolder(Basics::CSystemString& out, bool withSeparator);
    // The operating system's folder.
    static void getWindowsFolder(Basics::CSystemString& out);
    // The folder for temporary files, with a trailing separator.
    static void getTempFolder(Basics::CSystemString& out);

private:
    CFileUtilities() = default;
};

} // namespace Vantor::Host
