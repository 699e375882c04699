#pragma once

#include "framework/basics/CountedObject.hpp"

namespace Vantor::Basics
{

// A length-prefixed copy of a text for interfaces that want a Pascal string:
// byte 0 holds the length, the characters and a terminator follow.
class CPascalString : public CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CPascalString);

    // Texts longer than bufferSize - 2 characters (and 255) are cut.
    CPascalString(const char* text, long bufferSize);
    CPascalString(const CPascalString& other);
    CPascalString& operator=(const CPascalString&) = delete;
    ~CPascalString() override;

    const unsigned char* getPascalString() const { return m_buffer; }
    int getLength() const { return m_buffer[0]; }
    // The characters as a C string.
    const char* getText() const { return reinterpret_cast<const char*>(m_buffer + 1); }

private:
    unsigned char* m_buffer;
    long m_bufferSize;
};

} // namespace Vantor::Basics
