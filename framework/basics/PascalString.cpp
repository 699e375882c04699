#include "framework/basics/PascalString.hpp"

#include <cstring>

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CPascalString, "CPascalString", "CCountedObject")

CPascalString::CPascalString(const char* text, long bufferSize)
    : m_bufferSize(bufferSize < 2 ? 2 : bufferSize)
{
    m_buffer = new unsigned char[static_cast<std::size_t>(m_bufferSize)]();
    std::size_t length = text == nullptr ? 0 : std::strlen(text);
    const std::size_t room = static_cast<std::size_t>(m_bufferSize) - 2;
    if (length > room)
    {
        length = room;
    }
    if (length > 255)
    {
        length = 255;
    }
    m_buffer[0] = static_cast<unsigned char>(length);
    if (length > 0)
    {
        std::memcpy(m_buffer + 1, text, length);
    }
}

CPascalString::CPascalString(const CPascalString& other)
    : CCountedObject(), m_buffer(new unsigned char[static_cast<std::size_t>(other.m_bufferSize)]),
      m_bufferSize(other.m_bufferSize)
{
    std::memcpy(m_buffer, other.m_buffer, static_cast<std::size_t>(m_bufferSize));
}

CPascalString::~CPascalString()
{
    delete[] m_buffer;
}

} // namespace Vantor::Basics
