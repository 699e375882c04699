#pragma once

#include <cstdint>

#include "framework/basics/String.hpp"
#include "framework/basics/SystemString.hpp"
#include "framework/host/Time.hpp"
#include "framework/platform/FileSystem.hpp"

namespace Vantor::Host
{

// One entry of a folder listing: its type, times, size, names and where it
// lives.
class CFileInformation : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CFileInformation);

    // Type codes.
    static constexpr std::int32_t kFolder = Platform::kFileTypeFolder;         // 2
    static constexpr std::int32_t kFile = Platform::kFileTypeFile;             // 5
    static constexpr std::int32_t kSystemFile = Platform::kFileTypeSystemFile; // 9
    static constexpr std::int32_t kNotYetKnown = Platform::kFileTypeUnknown;   // 11

    // Type "not yet known", texts " ", times and size 0.
    CFileInformation();
    CFileInformation(const CFileInformation& other);
    // From the file system's own record. The size keeps only the low 32 bits
    // of the recorded size, as listings always have.
    explicit CFileInformation(const Platform::FileRecord& record);
    CFileInformation& operator=(const CFileInformation& other);

    // Stores the folder and makes the full path: folder, separator, name.
    void setFolder(const Basics::CString& folder);

    std::int32_t getFileType() const { return m_fileType; }
    void setFileType(std::int32_t type) { m_fileType = type; }
    bool isFolder() const { return m_fileType == kFolder; }
    const CTime& getCreationTime() const { return m_creationTime; }
    void setCreationTime(const CTime& time) { m_creationTime = time; }
    const CTime& getLastAccessTime() const { return m_lastAccessTime; }
    void setLastAccessTime(const CTime& time) { m_lastAccessTime = time; }
    const CTime& getLastWriteTime() const { return m_lastWriteTime; }
    void setLastWriteTime(const CTime& time) { m_lastWriteTime = time; }
    double getFileSize() const { return m_fileSize; }
    void setFileSize(double size) { m_fileSize = size; }
    const Basics::CString& getFileName() const { return m_fileName; }
    void setFileName(const Basics::CString& name) { m_fileName = name; }
    const Basics::CString& getShortFileName() const { return m_shortFileName; }
    void setShortFileName(const Basics::CString& name) { m_shortFileName = name; }
    const Basics::CString& getFolder() const { return m_folder; }
    const Basics::CSystemString& getFullPath() const { return m_fullPath; }
    void setFullPath(const Basics::CSystemString& path) { m_fullPath = path; }

    // The order of sorted listings, as for qsort: null entries last, folders
    // before everything else, otherwise the full paths in byte order.
    static int compare(const CFileInformation* first, const CFileInformation* second);

private:
    std::int32_t m_fileType;
    CTime m_creationTime;
    CTime m_lastAccessTime;
    CTime m_lastWriteTime;
    double m_fileSize;
    Basics::CString m_fileName;
    Basics::CString m_shortFileName;
    Basics::CString m_folder;
    Basics::CSystemString m_fullPath;
};

} // namespace Vantor::Host
