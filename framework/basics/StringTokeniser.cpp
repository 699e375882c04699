#include "framework/basics/StringTokeniser.hpp"

#include <cstring>
#include <memory>

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CStringTokeniser, "CStringTokeniser", "CCountedObject")

CStringTokeniser::CStringTokeniser(const char* text)
{
    setString(text);
}

CStringTokeniser::CStringTokeniser(const CString& text) : CStringTokeniser(text.getString()) {}

CStringTokeniser::CStringTokeniser(const char* text, char delimiter) : m_delimiter(delimiter)
{
    setString(text);
    countTokens();
}

CStringTokeniser::CStringTokeniser(const CString& text, char delimiter)
    : CStringTokeniser(text.getString(), delimiter)
{
}

std::int32_t CStringTokeniser::countTokens()
{
    std::int32_t count = 0;
    bool afterDelimiter = m_text[0] != '_';
    for (const char* c = m_text; *c != '\0'; ++c)
    {
        if (*c == m_delimiter)
        {
            afterDelimiter = true;
        }
        else if (afterDelimiter)
        {
            ++count;
            afterDelimiter = false;
        }
    }
    m_numberOfTokens = count;
    return count;
}

bool CStringTokeniser::hasMoreTokens() const
{
    return m_tokensRead != m_numberOfTokens;
}

void CStringTokeniser::setDelimiter(char delimiter)
{
    m_delimiter = delimiter;
    m_tokensRead = 0;
    m_readPosition = 0;
}

void CStringTokeniser::setString(const char* text)
{
    copyTextToBuffer(text == nullptr ? "" : text, m_text, kTextSize);
    m_tokensRead = 0;
    m_readPosition = 0;
}

char* CStringTokeniser::getNextToken()
{
    if (!hasMoreTokens())
    {
        return nullptr;
    }
    const char* start = m_text + m_readPosition;
    const char* end = std::strchr(start, m_delimiter);
    const std::size_t length = end == nullptr ? std::strlen(start) : static_cast<std::size_t>(end - start);
    char* token = new char[length + 1];
    std::memcpy(token, start, length);
    token[length] = '\0';
    m_readPosition += static_cast<std::int32_t>(end == nullptr ? length : length + 1);
    ++m_tokensRead;
    return token;
}

bool CStringTokeniser::getNextToken(CString& token)
{
    const std::unique_ptr<char[]> text(getNextToken());
    if (!text)
    {
        return false;
    }
    token.setString(text.get());
    return true;
}

} // namespace Vantor::Basics
