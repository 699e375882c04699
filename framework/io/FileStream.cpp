#include "framework/io/FileStream.hpp"

#include <algorithm>
#include <cstring>

namespace Vantor::IO
{

namespace
{
constexpr std::int32_t kReading = 0;
constexpr std::int32_t kWriting = 1;
} // namespace

CFileStream::CFileStream() = default;

CFileStream::CFileStream(const Basics::CSystemString& path, bool forWriting, bool fileIsLittleEndian)
{
    open(path, forWriting, fileIsLittleEndian, false);
}

CFileStream::~CFileStream()
{
    close();
}

bool CFileStream::open(const Basics::CSystemString& path, bool forWriting, bool fileIsLittleEndian,
                       bool neverSwap)
{
    close();
    m_failed = false;
    m_file = std::fopen(path.getString(), forWriting ? "w+b" : "rb");
    m_mode = forWriting ? kWriting : kReading;
    m_fileIsLittleEndian = fileIsLittleEndian;
    m_neverSwap = neverSwap;
    m_open = m_file != nullptr;
    return m_open;
}

void CFileStream::close()
{
    if (m_file)
    {
        std::fclose(m_file);
    }
    m_file = nullptr;
    m_open = false;
    m_failed = false;
}

bool CFileStream::isOpenForWriting() const
{
    return m_open && m_mode == kWriting;
}

bool CFileStream::isOpenForReading() const
{
    return m_open && m_mode == kReading;
}

bool CFileStream::isEndOfFile() const
{
    return m_file == nullptr || std::feof(m_file) != 0;
}

long CFileStream::getPosition() const
{
    return m_file ? std::ftell(m_file) : -1;
}

bool CFileStream::moveTo(long position)
{
    return m_file && std::fseek(m_file, position, SEEK_SET) == 0;
}

bool CFileStream::moveBy(long offset)
{
    return m_file && std::fseek(m_file, offset, SEEK_CUR) == 0;
}

void CFileStream::rewind()
{
    if (m_file)
    {
        std::rewind(m_file);
    }
}

long CFileStream::getStreamSize()
{
    if (!isOpenForReading())
    {
        return -1;
    }
    const long position = std::ftell(m_file);
    if (position < 0 || std::fseek(m_file, 0, SEEK_END) != 0)
    {
        m_failed = true;
        return -1;
    }
    const long size = std::ftell(m_file);
    if (size < 0 || std::fseek(m_file, position, SEEK_SET) != 0)
    {
        m_failed = true;
        return -1;
    }
    return size;
}

bool CFileStream::mayTransfer(bool writing, const void* data, long count)
{
    const bool modeMatches = writing ? isOpenForWriting() : isOpenForReading();
    if (!modeMatches || count < 0 || (data == nullptr && count > 0))
    {
        m_failed = true;
        return false;
    }
    return true;
}

bool CFileStream::writeBytes(const void* data, long count)
{
    if (!mayTransfer(true, data, count))
    {
        return false;
    }
    const std::size_t wanted = static_cast<std::size_t>(count);
    if (std::fwrite(data, 1, wanted, m_file) != wanted)
    {
        m_failed = true;
        return false;
    }
    return true;
}

bool CFileStream::readBytes(void* buffer, long count)
{
    if (!mayTransfer(false, buffer, count))
    {
        return false;
    }
    const std::size_t wanted = static_cast<std::size_t>(count);
    if (std::fread(buffer, 1, wanted, m_file) != wanted)
    {
        m_failed = true;
        return false;
    }
    return true;
}

bool CFileStream::needsSwap() const
{
    return !m_neverSwap && isMachineBigEndian() == m_fileIsLittleEndian;
}

void CFileStream::swapIfNeeded(void* value, std::size_t size) const
{
    if (size > 1 && needsSwap())
    {
        auto* bytes = static_cast<unsigned char*>(value);
        std::reverse(bytes, bytes + size);
    }
}

void CFileStream::writeSwapped(const void* value, std::size_t size)
{
    unsigned char bytes[8];
    std::memcpy(bytes, value, size);
    swapIfNeeded(bytes, size);
    writeBytes(bytes, static_cast<long>(size));
}

} // namespace Vantor::IO

VANTOR_DEFINE_CLASS(Vantor::IO::CFileStream, "CFileStream", "CCountedObject")
