#include "framework/host/FileInformation.hpp"

#include <cstring>

namespace Vantor::Host
{

VANTOR_DEFINE_CLASS(Vantor::Host::CFileInformation, "CFileInformation", "CCountedObject")

CFileInformation::CFileInformation() : m_fileType(kNotYetKnown), m_fileSize(0.0) {}

CFileInformation::CFileInformation(const CFileInformation& other)
    : CCountedObject(other), m_fileType(other.m_fileType), m_creationTime(other.m_creationTime),
      m_lastAccessTime(other.m_lastAccessTime), m_lastWriteTime(other.m_lastWriteTime),
      m_fileSize(other.m_fileSize), m_fileName(other.m_fileName), m_shortFileName(other.m_shortFileName),
      m_folder(other.m_folder), m_fullPath(other.m_fullPath)
{
}

CFileInformation::CFileInformation(const Platform::FileRecord& record)
    : m_fileType(record.type), m_creationTime(record.creationTime), m_lastAccessTime(record.lastAccessTime),
      m_lastWriteTime(record.lastWriteTime),
      m_fileSize(static_cast<double>(static_cast<std::uint32_t>(record.size))),
      m_fileName(record.name.c_str()), m_shortFileName(record.shortName.c_str())
{
}

CFileInformation& CFileInformation::operator=(const CFileInformation& other)
{
    m_fileType = other.m_fileType;
    m_creationTime = other.m_creationTime;
    m_lastAccessTime = other.m_lastAccessTime;
    m_lastWriteTime = other.m_lastWriteTime;
    m_fileSize = other.m_fileSize;
    m_fileName = other.m_fileName;
    m_shortFileName = other.m_shortFileName;
    m_folder = other.m_folder;
    m_fullPath = other.m_fullPath;
    return *this;
}

void CFileInformation::setFolder(const Basics::CString& folder)
{
    m_folder = folder;
    m_fullPath = folder;
    m_fullPath.appendPath(m_fileName);
}

int CFileInformation::compare(const CFileInformation* first, const CFileInformation* second)
{
    if (first == nullptr || second == nullptr)
    {
        return (first == nullptr) - (second == nullptr);
    }
    if (first->isFolder() != second->isFolder())
    {
        return first->isFolder() ? -1 : 1;
    }
    return std::strcmp(first->m_fullPath.getString(), second->m_fullPath.getString());
}

} // namespace Vantor::Host
