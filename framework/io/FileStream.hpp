#pragma once
// A binary file with typed reads and writes of 1-, 2-, 4- and 8-byte values.
// Multi-byte values are byte-swapped on their way to or from the file when
// the file's declared byte order differs from the machine's, unless swapping
// is switched off. Failures never throw: they set the failed flag.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <type_traits>

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/SystemString.hpp"

namespace Vantor::IO
{

// The values a file stream reads and writes: numbers of at most 8 bytes.
template <typename Value>
concept FileStreamValue = std::is_arithmetic_v<Value> && sizeof(Value) <= 8;

class CFileStream : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CFileStream);

    CFileStream();
    // open(path, forWriting, fileIsLittleEndian, false)
    CFileStream(const Basics::CSystemString& path, bool forWriting, bool fileIsLittleEndian);
    ~CFileStream() override;

    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    // Closes any open file and opens the path for binary writing (created or
    // truncated) or reading. Answers whether the file opened.
    bool open(const Basics::CSystemString& path, bool forWriting, bool fileIsLittleEndian, bool neverSwap);
    void close();

    bool isOpenForWriting() const;
    bool isOpenForReading() const;
    bool hasFailed() const { return m_failed; }
    bool isEndOfFile() const;
    void setFileIsLittleEndian(bool fileIsLittleEndian) { m_fileIsLittleEndian = fileIsLittleEndian; }

    // Whether the machine stores multi-byte values big-endian.
    static bool isMachineBigEndian() { return std::endian::native == std::endian::big; }

    long getPosition() const;
    // From the start of the file.
    bool moveTo(long position);
    // From the current position.
    bool moveBy(long offset);
    void rewind();

    // The file's size in bytes; −1 unless open for reading or when the size
    // cannot be found.
    long getStreamSize();

    // One transfer of `count` bytes; false unless all were transferred. A
    // wrong mode, a closed file or a short transfer also sets the failed flag.
    bool writeBytes(const void* data, long count);
    bool readBytes(void* buffer, long count);

    // Typed writes: char and bool take one byte (a bool is 1 or 0); other
    // values take their size. File formats use the fixed-width types:
    // long is 4 bytes on Windows but 8 on 64-bit Linux.
    template <FileStreamValue Value> CFileStream& operator<<(Value value)
    {
        if constexpr (std::is_same_v<Value, bool>)
        {
            const std::uint8_t byte = value ? 1 : 0;
            writeBytes(&byte, 1);
        }
        else
        {
            writeSwapped(&value, sizeof(Value));
        }
        return *this;
    }

    // Typed reads of the same forms; a bool is true when its byte is 1. A
    // short read leaves the value unchanged.
    template <FileStreamValue Value> CFileStream& operator>>(Value& value)
    {
        if constexpr (std::is_same_v<Value, bool>)
        {
            std::uint8_t byte = 0;
            if (readBytes(&byte, 1))
            {
                value = byte == 1;
            }
        }
        else
        {
            Value stored{};
            if (readBytes(&stored, sizeof(Value)))
            {
                swapIfNeeded(&stored, sizeof(Value));
                value = stored;
            }
        }
        return *this;
    }

    // Reads `count` values in one transfer and swaps each when needed.
    template <FileStreamValue Value>
        requires(!std::is_same_v<Value, bool>)
    bool readArray(Value* values, long count)
    {
        if (!readBytes(values, count * static_cast<long>(sizeof(Value))))
        {
            return false;
        }
        for (long i = 0; i < count; i++)
        {
            swapIfNeeded(&values[i], sizeof(Value));
        }
        return true;
    }

private:
    // Whether a transfer of `count` bytes may start; sets the failed flag
    // when not.
    bool mayTransfer(bool writing, const void* data, long count);
    void writeSwapped(const void* value, std::size_t size);
    void swapIfNeeded(void* value, std::size_t size) const;
    bool needsSwap() const;

    std::FILE* m_file = nullptr;
    std::int32_t m_mode = 0;
    bool m_open = false;
    bool m_failed = false;
    bool m_fileIsLittleEndian = true;
    bool m_neverSwap = false;
};

} // namespace Vantor::IO
