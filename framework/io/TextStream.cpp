#include "framework/io/TextStream.hpp"

#include <cstdlib>
#include <cstring>

namespace Vantor::IO
{

CTextStream::CTextStream()
{
    Basics::copyTextToBuffer("Empty string", m_lineBuffer, kLineBufferSize);
}

CTextStream::CTextStream(const Basics::CSystemString& path, long mode) : CTextStream()
{
    open(path, mode);
}

CTextStream::~CTextStream()
{
    close();
}

bool CTextStream::open(const Basics::CSystemString& path, long mode)
{
    close();
    m_mode = static_cast<std::int32_t>(mode);
    m_path = path;
    if (mode == kWrite)
    {
        m_output.clear();
        m_output.open(path.getString(), std::ios::out | std::ios::trunc);
        m_open = m_output.is_open();
        // Numbers keep these flags for the stream's whole life.
        m_output.setf(std::ios::fixed | std::ios::showpoint);
        m_output.precision(20);
    }
    else if (mode == kRead)
    {
        m_input.clear();
        m_input.open(path.getString(), std::ios::in);
        m_open = m_input.is_open();
    }
    return m_open;
}

void CTextStream::close()
{
    if (m_output.is_open())
    {
        m_output.flush();
        m_output.close();
    }
    if (m_input.is_open())
    {
        m_input.close();
    }
    m_open = false;
}

void CTextStream::flush()
{
    if (isOpenForWriting())
    {
        m_output.flush();
    }
}

bool CTextStream::isOpenForWriting() const
{
    return m_open && m_mode == kWrite;
}

bool CTextStream::isOpenForReading() const
{
    return m_open && m_mode == kRead;
}

bool CTextStream::isEndOfFile() const
{
    if (!m_open)
    {
        return true;
    }
    if (m_mode == kRead)
    {
        // A stream that has gone bad can read no further either; callers
        // looping until the end must not spin on it.
        return m_input.eof() || m_input.bad();
    }
    return false;
}

template <typename Value> CTextStream& CTextStream::write(const Value& value)
{
    if (isOpenForWriting())
    {
        m_output.clear();
        m_output << value;
    }
    return *this;
}

CTextStream& CTextStream::operator<<(const char* text)
{
    return text ? write(text) : *this;
}

CTextStream& CTextStream::operator<<(const Basics::CString& text)
{
    return write(text.getString());
}

CTextStream& CTextStream::operator<<(const Basics::CSystemString& text)
{
    return write(text.getString());
}

CTextStream& CTextStream::operator<<(const Basics::ICountedObject& object)
{
    if (!isOpenForWriting())
    {
        return *this;
    }
    char description[256];
    object.getObjectDescription(description, sizeof(description));
    return write(static_cast<const char*>(description));
}

CTextStream& CTextStream::operator<<(bool value)
{
    return write(value ? "true" : "false");
}

CTextStream& CTextStream::operator<<(long value)
{
    return write(value);
}

CTextStream& CTextStream::operator<<(int value)
{
    return write(value);
}

CTextStream& CTextStream::operator<<(double value)
{
    return write(value);
}

CTextStream& CTextStream::operator<<(float value)
{
    return write(value);
}

template <typename Convert> CTextStream& CTextStream::read(Convert convert)
{
    if (readLine())
    {
        convert(static_cast<const char*>(m_lineBuffer));
    }
    return *this;
}

bool CTextStream::readLine()
{
    if (!isOpenForReading())
    {
        return false;
    }
    // A line too long for the buffer leaves the fail state set; clearing it
    // here lets the next read go on with the rest of that line.
    m_input.clear();
    m_input.getline(m_lineBuffer, kLineBufferSize, '\n');
    const std::size_t length = std::strlen(m_lineBuffer);
    if (length > 0 && m_lineBuffer[length - 1] == '\r')
    {
        m_lineBuffer[length - 1] = '\0';
    }
    return true;
}

CTextStream& CTextStream::operator>>(char* text)
{
    return text ? read([text](const char* line) { std::strcpy(text, line); }) : *this;
}

CTextStream& CTextStream::operator>>(Basics::CString& text)
{
    return read([&text](const char* line) { text.setString(line); });
}

CTextStream& CTextStream::operator>>(Basics::CSystemString& text)
{
    return read([&text](const char* line) { text.setString(line); });
}

CTextStream& CTextStream::operator>>(long& value)
{
    return read([&value](const char* line) { value = std::atol(line); });
}

CTextStream& CTextStream::operator>>(int& value)
{
    return read([&value](const char* line) { value = static_cast<int>(std::atol(line)); });
}

CTextStream& CTextStream::operator>>(double& value)
{
    return read([&value](const char* line) { value = std::atof(line); });
}

CTextStream& CTextStream::operator>>(float& value)
{
    return read([&value](const char* line) { value = static_cast<float>(std::atof(line)); });
}

CTextStream& CTextStream::operator>>(bool& value)
{
    return read([&value](const char* line) { value = std::strcmp(line, "true") == 0; });
}

} // namespace Vantor::IO

VANTOR_DEFINE_CLASS(Vantor::IO::CTextStream, "CTextStream", "CCountedObject")
