#pragma once
// A line-oriented text file, opened either for reading or for writing.
// Written values carry no separators (a caller that wants lines writes "\n"
// itself); every read takes one whole line and converts it.
#include <cstdint>
#include <fstream>

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/basics/SystemString.hpp"

namespace Vantor::IO
{

class CTextStream : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CTextStream);

    // The modes of open().
    static constexpr long kRead = 0;
    static constexpr long kWrite = 1;

    // The longest line a read takes, with its terminator.
    static constexpr long kLineBufferSize = 1024;

    CTextStream();
    CTextStream(const Basics::CSystemString& path, long mode);
    ~CTextStream() override;

    CTextStream(const CTextStream&) = delete;
    CTextStream& operator=(const CTextStream&) = delete;

    // Closes any open file, then opens the path for writing (truncating) or
    // reading; any other mode leaves the stream closed. Answers whether the
    // file is open.
    bool open(const Basics::CSystemString& path, long mode);
    void close();
    void flush();

    bool isOpenForWriting() const;
    bool isOpenForReading() const;
    // True when closed; false while writing; while reading, whether the
    // input has reached its end (or can read no further).
    bool isEndOfFile() const;

    // The last line read ("Empty string" before the first read).
    const char* getLineBuffer() const { return m_lineBuffer; }

    // Writing: each does nothing unless open for writing.
    CTextStream& operator<<(const char* text);
    CTextStream& operator<<(const Basics::CString& text);
    CTextStream& operator<<(const Basics::CSystemString& text);
    // The object's description.
    CTextStream& operator<<(const Basics::ICountedObject& object);
    // "true" or "false".
    CTextStream& operator<<(bool value);
    CTextStream& operator<<(long value);
    CTextStream& operator<<(int value);
    // Fixed notation with 20 decimals.
    CTextStream& operator<<(double value);
    CTextStream& operator<<(float value);

    // Reading: each does nothing unless open for reading; each reads one line.
    // Copies the line into a buffer that the caller sizes for 1024 bytes.
    CTextStream& operator>>(char* text);
    CTextStream& operator>>(Basics::CString& text);
    CTextStream& operator>>(Basics::CSystemString& text);
    CTextStream& operator>>(long& value);
    CTextStream& operator>>(int& value);
    CTextStream& operator>>(double& value);
    CTextStream& operator>>(float& value);
    // True exactly when the line is "true".
    CTextStream& operator>>(bool& value);

private:
    template <typename Value> CTextStream& write(const Value& value);
    // Reads a line and hands it to `convert`; nothing happens unless reading.
    template <typename Convert> CTextStream& read(Convert convert);
    // Reads the next line into the line buffer; false when not reading.
    bool readLine();

    bool m_open = false;
    std::int32_t m_mode = kRead;
    Basics::CSystemString m_path;
    std::ofstream m_output;
    std::ifstream m_input;
    char m_lineBuffer[kLineBufferSize];
};

} // namespace Vantor::IO
