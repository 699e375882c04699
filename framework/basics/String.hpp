#pragma once

#include <cstdint>

#include "framework/basics/CountedObject.hpp"

namespace Vantor::Basics
{

class CPascalString;

// The framework's text: 8-bit, NUL-terminated, held in a heap buffer of exactly
// the bytes in use. The size counts the terminator ("abc" has size 4). The
// default text is one space. Every change allocates a fresh buffer.
// Failures inside an operation reach the caller as one CException naming each
// function passed; invalid indices never fail but answer neutral values.
class CString : public CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CString);

    CString(const char* text = " ");
    CString(const CString& other);
    ~CString() override;

    // The string's own text, cut to `size` bytes.
    void getObjectDescription(char* buffer, long size) const override;

    // "True" / "False".
    virtual CString& operator=(bool value);
    // At least three digits, zero-padded ("%.3li"): 5 -> "005", -5 -> "-005".
    virtual CString& operator=(long value);
    virtual CString& operator=(std::int32_t value);
    // Three decimals ("%.3f"): 0.5 -> "0.500".
    virtual CString& operator=(float value);
    virtual CString& operator=(const char* text);
    // Copies unless the texts are already equal (so also self-assignment is safe).
    virtual CString& operator=(const CString& other);

    virtual CString& operator+=(const char* text);
    virtual CString& operator+=(const CString& text);

    virtual bool operator==(const CString& other) const;
    virtual bool operator==(const char* text) const;
    virtual bool operator!=(const CString& other) const;
    virtual bool operator!=(const char* text) const;

    // True only for size 0, which no constructed string has.
    virtual bool isStorageEmpty() const;

    virtual char operator[](long index) const;

    // A new length-prefixed copy (buffer of 256 bytes); the caller owns it.
    virtual CPascalString* getPascalString() const;

    virtual void setString(const CString& other);
    // A null pointer leaves the string unchanged.
    virtual void setString(const char* text);
    virtual void setStringWithFormat(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    virtual void appendString(const CString& text);
    virtual void appendString(const char* text);
    virtual void appendString(char character);

    virtual const char* getString() const;
    // Copies into an 8-byte buffer: at most 7 characters and the terminator.
    virtual void getString(char* buffer) const;
    // Zero-fills `size` bytes, then copies at most size - 1 characters. Null does nothing.
    virtual void getString(char* buffer, long size) const;
    // Characters start ... end, both included; "" for an invalid range.
    virtual CString getSubString(long start, long end) const;
    // The size: characters plus one.
    virtual std::int32_t getNumberOfCharacters() const;
    // ' ' outside 0 ... size - 1; the terminator at index length.
    virtual char characterAt(long index) const;

    virtual void toUpperCase();
    virtual void toLowerCase();
    virtual void removeTrailingAndLeadingWhiteSpace();
    virtual void removeLeadingWhiteSpace();
    virtual void removeTrailingWhiteSpace();
    virtual void removeLastCharacter();
    virtual void replaceCharWithChar(char find, char replacement);
    virtual void replaceCharWithString(char find, const CString& replacement);
    // Replaces every occurrence of `find` by `replacement`, rescanning after each
    // replacement; stops if a replacement recreates an occurrence at the same place.
    virtual void replaceStringWithChar(char replacement, const CString& find);

    virtual bool equals(const CString& other) const;
    virtual bool equals(const char* text) const;
    virtual bool equalsIgnoringCase(const CString& other) const;
    virtual bool equalsIgnoringCase(const char* text) const;

    // First / last index 0 ... size - 1 holding `c`, else -1 (so '\0' finds the length).
    virtual long findForward(char c) const;
    virtual long findBackwards(char c) const;

    // The first index where `sub` occurs, else -1.
    long findSubString(const CString& sub) const;

    // Conversions to text.
    static CString doubleToString(double value); // "%.3f"
    static CString floatToString(float value);   // "%.3f"
    static CString intToString(int value);       // "%03i"
    static CString longToString(long value);     // "%03li"
    // A new 256-byte buffer holding "%.3f"; the caller frees it with delete[].
    static char* floatToNewBuffer(float value);

    // Conversions from text (atof / atol, base 10; null gives 0).
    static double stringToDouble(const char* text);
    static double stringToDouble(const CString& text);
    static float stringToFloat(const char* text);
    static float stringToFloat(const CString& text);
    static int stringToInt(const char* text);
    static int stringToInt(const CString& text);
    static long stringToLong(const char* text);
    static long stringToLong(const CString& text);

    static char toUpperCase(char c);
    static char toLowerCase(char c);
    // Space and the control characters 9 to 13.
    static bool isWhiteSpace(char c);

protected:
    // Replaces the buffer by a copy of the first `length` bytes of `text`.
    void storeText(const char* text, long length);

    char* m_text;
    std::int32_t m_size;
};

} // namespace Vantor::Basics
