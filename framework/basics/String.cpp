#include "framework/basics/String.hpp"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/basics/Exception.hpp"
#include "framework/basics/PascalString.hpp"

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CString, "CString", "CCountedObject")

using Exceptions::guarded;
using Exceptions::SGuardTexts;

namespace
{

#define VANTOR_STRING_TEXTS(name, function, what, unknownWhat)                                               \
    const SGuardTexts name                                                                                   \
    {                                                                                                        \
        "Vantor::Basics::CString::" function, "Caught exception during " what ", more below\n\n",            \
            "Caught unknown exception " unknownWhat                                                          \
    }

VANTOR_STRING_TEXTS(kConstruct, "CString", "string construction", "during string construction");
VANTOR_STRING_TEXTS(kAssign, "operator =", "string assignment", "during string assignment");
VANTOR_STRING_TEXTS(kAppendOperator, "operator +=", "string append", "during string append");
VANTOR_STRING_TEXTS(kSetString, "setString", "string storing", "during string storing");
VANTOR_STRING_TEXTS(kSetFormat, "setStringWithFormat", "string storing (printf)",
                    "during string storing (printf)");
VANTOR_STRING_TEXTS(kAppend, "appendString", "string append", "during string append");
VANTOR_STRING_TEXTS(kSubString, "getSubString", "sub string get", "during sub string get");
VANTOR_STRING_TEXTS(kTrimBoth, "removeTrailingAndLeadingWhiteSpace", "white space removal",
                    "during white space removal");
VANTOR_STRING_TEXTS(kTrimLeading, "removeLeadingWhiteSpace", "leading white space removal",
                    "during leading white space removal");
VANTOR_STRING_TEXTS(kTrimTrailing, "removeTrailingWhiteSpace", "trailing white space removal",
                    "during trailing white space removal");
VANTOR_STRING_TEXTS(kRemoveLast, "removeLastCharacter", "removal of last character",
                    "during removal of last character");
VANTOR_STRING_TEXTS(kReplaceCharWithChar, "replaceCharWithChar", "character replacement",
                    "during character replacement");
VANTOR_STRING_TEXTS(kReplaceCharWithString, "replaceCharWithString", "character replacement",
                    "during character replacement");
VANTOR_STRING_TEXTS(kReplaceStringWithChar, "replaceStringWithChar", "character replacement",
                    "during character replacement");
VANTOR_STRING_TEXTS(kDescription, "getObjectDescription", "get object description", "get object description");

#undef VANTOR_STRING_TEXTS

long textLength(const char* text)
{
    return static_cast<long>(std::strlen(text));
}

} // namespace

CString::CString(const char* text) : m_text(nullptr), m_size(0)
{
    guarded(kConstruct,
            [&] { storeText(text == nullptr ? " " : text, text == nullptr ? 1 : textLength(text)); });
}

CString::CString(const CString& other) : CCountedObject(), m_text(nullptr), m_size(0)
{
    guarded(kConstruct, [&] { storeText(other.m_text, other.m_size - 1); });
}

CString::~CString()
{
    delete[] m_text;
}

void CString::storeText(const char* text, long length)
{
    char* buffer = new char[static_cast<std::size_t>(length) + 1];
    std::memcpy(buffer, text, static_cast<std::size_t>(length));
    buffer[length] = '\0';
    delete[] m_text;
    m_text = buffer;
    m_size = static_cast<std::int32_t>(length + 1);
}

void CString::getObjectDescription(char* buffer, long size) const
{
    guarded(kDescription, [&] { getString(buffer, size); });
}

CString& CString::operator=(bool value)
{
    guarded(kAssign, [&] { setString(value ? "True" : "False"); });
    return *this;
}

CString& CString::operator=(long value)
{
    guarded(kAssign, [&] { setStringWithFormat("%.3li", value); });
    return *this;
}

CString& CString::operator=(std::int32_t value)
{
    guarded(kAssign, [&] { setStringWithFormat("%.3li", static_cast<long>(value)); });
    return *this;
}

CString& CString::operator=(float value)
{
    guarded(kAssign, [&] { setStringWithFormat("%.3f", static_cast<double>(value)); });
    return *this;
}

CString& CString::operator=(const char* text)
{
    guarded(kAssign, [&] { setString(text); });
    return *this;
}

CString& CString::operator=(const CString& other)
{
    guarded(kAssign,
            [&]
            {
                if (!equals(other))
                {
                    setString(other.m_text);
                }
            });
    return *this;
}

CString& CString::operator+=(const char* text)
{
    guarded(kAppendOperator, [&] { appendString(text); });
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    guarded(kAppendOperator, [&] { appendString(text); });
    return *this;
}

bool CString::operator==(const CString& other) const
{
    return equals(other);
}

bool CString::operator==(const char* text) const
{
    return equals(text);
}

bool CString::operator!=(const CString& other) const
{
    return !equals(other);
}

bool CString::operator!=(const char* text) const
{
    return !equals(text);
}

bool CString::isStorageEmpty() const
{
    return m_size == 0;
}

char CString::operator[](long index) const
{
    return characterAt(index);
}

CPascalString* CString::getPascalString() const
{
    return new CPascalString(m_text, 256);
}

void CString::setString(const CString& other)
{
    guarded(kSetString, [&] { storeText(other.m_text, other.m_size - 1); });
}

void CString::setString(const char* text)
{
    guarded(kSetString,
            [&]
            {
                if (text != nullptr)
                {
                    storeText(text, textLength(text));
                }
            });
}

void CString::setStringWithFormat(const char* format, ...)
{
    if (format == nullptr)
    {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    try
    {
        guarded(kSetFormat,
                [&]
                {
                    va_list counting;
                    va_copy(counting, arguments);
                    const int length = std::vsnprintf(nullptr, 0, format, counting);
                    va_end(counting);
                    if (length < 0)
                    {
                        return;
                    }
                    std::string formatted(static_cast<std::size_t>(length) + 1, '\0');
                    std::vsnprintf(formatted.data(), formatted.size(), format, arguments);
                    setString(formatted.c_str());
                });
    }
    catch (...)
    {
        va_end(arguments);
        throw;
    }
    va_end(arguments);
}

void CString::appendString(const CString& text)
{
    guarded(kAppend, [&] { appendString(text.m_text); });
}

void CString::appendString(const char* text)
{
    guarded(kAppend,
            [&]
            {
                if (text == nullptr)
                {
                    return;
                }
                const std::size_t oldLength = static_cast<std::size_t>(m_size) - 1;
                const std::size_t addedLength = std::strlen(text);
                char* buffer = new char[oldLength + addedLength + 1];
                std::memcpy(buffer, m_text, oldLength);
                std::memcpy(buffer + oldLength, text, addedLength + 1);
                delete[] m_text;
                m_text = buffer;
                m_size = static_cast<std::int32_t>(oldLength + addedLength + 1);
            });
}

void CString::appendString(char character)
{
    const char text[2] = {character, '\0'};
    guarded(kAppend, [&] { appendString(text); });
}

const char* CString::getString() const
{
    return m_text;
}

void CString::getString(char* buffer) const
{
    getString(buffer, 8);
}

void CString::getString(char* buffer, long size) const
{
    copyTextToBuffer(m_text, buffer, size);
}

CString CString::getSubString(long start, long end) const
{
    return guarded(kSubString,
                   [&]
                   {
                       CString result("");
                       if (start < 0 || start > end || end > m_size)
                       {
                           return result;
                       }
                       const long last = end < m_size - 2 ? end : m_size - 2;
                       if (last >= start)
                       {
                           result.storeText(m_text + start, last - start + 1);
                       }
                       return result;
                   });
}

std::int32_t CString::getNumberOfCharacters() const
{
    return m_size;
}

char CString::characterAt(long index) const
{
    if (index < 0 || index >= m_size)
    {
        return ' ';
    }
    return m_text[index];
}

void CString::toUpperCase()
{
    for (std::int32_t i = 0; i < m_size; ++i)
    {
        m_text[i] = toUpperCase(m_text[i]);
    }
}

void CString::toLowerCase()
{
    for (std::int32_t i = 0; i < m_size; ++i)
    {
        m_text[i] = toLowerCase(m_text[i]);
    }
}

void CString::removeTrailingAndLeadingWhiteSpace()
{
    guarded(kTrimBoth,
            [&]
            {
                removeLeadingWhiteSpace();
                removeTrailingWhiteSpace();
            });
}

void CString::removeLeadingWhiteSpace()
{
    guarded(kTrimLeading,
            [&]
            {
                long first = 0;
                while (isWhiteSpace(m_text[first]))
                {
                    ++first;
                }
                storeText(m_text + first, m_size - 1 - first);
            });
}

void CString::removeTrailingWhiteSpace()
{
    guarded(kTrimTrailing,
            [&]
            {
                long last = m_size - 2;
                while (last >= 0 && isWhiteSpace(m_text[last]))
                {
                    --last;
                }
                storeText(m_text, last + 1);
            });
}

void CString::removeLastCharacter()
{
    guarded(kRemoveLast,
            [&]
            {
                if (m_size >= 2)
                {
                    storeText(m_text, m_size - 2);
                }
            });
}

void CString::replaceCharWithChar(char find, char replacement)
{
    guarded(kReplaceCharWithChar,
            [&]
            {
                for (std::int32_t i = 0; i < m_size - 1; ++i)
                {
                    if (m_text[i] == find)
                    {
                        m_text[i] = replacement;
                    }
                }
            });
}

void CString::replaceCharWithString(char find, const CString& replacement)
{
    guarded(kReplaceCharWithString,
            [&]
            {
                std::string result;
                for (std::int32_t i = 0; i < m_size - 1; ++i)
                {
                    if (m_text[i] == find)
                    {
                        result += replacement.m_text;
                    }
                    else
                    {
                        result += m_text[i];
                    }
                }
                storeText(result.data(), static_cast<long>(result.size()));
            });
}

void CString::replaceStringWithChar(char replacement, const CString& find)
{
    guarded(kReplaceStringWithChar,
            [&]
            {
                const long findLength = find.m_size - 1;
                // An empty text, or one character replaced by itself, would be found
                // again forever; in every other case each round shortens the text or
                // removes one occurrence of the searched character.
                if (findLength < 1 || (findLength == 1 && find.m_text[0] == replacement))
                {
                    return;
                }
                for (long p = findSubString(find); p >= 0; p = findSubString(find))
                {
                    std::string result(m_text, static_cast<std::size_t>(p));
                    result += replacement;
                    result += m_text + p + findLength;
                    storeText(result.data(), static_cast<long>(result.size()));
                }
            });
}

bool CString::equals(const CString& other) const
{
    return equals(other.m_text);
}

bool CString::equals(const char* text) const
{
    return text != nullptr && std::strcmp(m_text, text) == 0;
}

bool CString::equalsIgnoringCase(const CString& other) const
{
    return equalsIgnoringCase(other.m_text);
}

bool CString::equalsIgnoringCase(const char* text) const
{
    if (text == nullptr)
    {
        return false;
    }
    for (const char* own = m_text;; ++own, ++text)
    {
        if (toLowerCase(*own) != toLowerCase(*text))
        {
            return false;
        }
        if (*own == '\0')
        {
            return true;
        }
    }
}

long CString::findForward(char c) const
{
    for (long i = 0; i < m_size; ++i)
    {
        if (m_text[i] == c)
        {
            return i;
        }
    }
    return -1;
}

long CString::findBackwards(char c) const
{
    for (long i = m_size - 1; i >= 0; --i)
    {
        if (m_text[i] == c)
        {
            return i;
        }
    }
    return -1;
}

long CString::findSubString(const CString& sub) const
{
    const long subLength = sub.m_size - 1;
    for (long p = 0; p + subLength < m_size; ++p)
    {
        if (m_text[p] == sub.m_text[0] &&
            std::memcmp(m_text + p, sub.m_text, static_cast<std::size_t>(subLength)) == 0)
        {
            return p;
        }
    }
    return -1;
}

CString CString::doubleToString(double value)
{
    CString result;
    result.setStringWithFormat("%.3f", value);
    return result;
}

CString CString::floatToString(float value)
{
    return doubleToString(static_cast<double>(value));
}

CString CString::intToString(int value)
{
    CString result;
    result.setStringWithFormat("%03i", value);
    return result;
}

CString CString::longToString(long value)
{
    CString result;
    result.setStringWithFormat("%03li", value);
    return result;
}

char* CString::floatToNewBuffer(float value)
{
    char* buffer = new char[256];
    std::snprintf(buffer, 256, "%.3f", static_cast<double>(value));
    return buffer;
}

double CString::stringToDouble(const char* text)
{
    return text == nullptr ? 0.0 : std::atof(text);
}

double CString::stringToDouble(const CString& text)
{
    return stringToDouble(text.m_text);
}

float CString::stringToFloat(const char* text)
{
    return static_cast<float>(stringToDouble(text));
}

float CString::stringToFloat(const CString& text)
{
    return stringToFloat(text.m_text);
}

int CString::stringToInt(const char* text)
{
    return static_cast<int>(stringToLong(text));
}

int CString::stringToInt(const CString& text)
{
    return stringToInt(text.m_text);
}

long CString::stringToLong(const char* text)
{
    return text == nullptr ? 0 : std::atol(text);
}

long CString::stringToLong(const CString& text)
{
    return stringToLong(text.m_text);
}

char CString::toUpperCase(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

char CString::toLowerCase(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool CString::isWhiteSpace(char c)
{
    return c == ' ' || (c >= 9 && c <= 13);
}

} // namespace Vantor::Basics
