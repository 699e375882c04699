#pragma once

#include <cstdint>

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"

namespace Vantor::Basics
{

// Splits a text at one delimiter character.
// Counting skips empty fields ("a,,b" has 2 tokens, ",a" has 1) but reading does
// not: on "a,,b" the reads give "a" and "" and then no more tokens. A text that
// begins with '_' does not count its first token ("_a,b" counts 1, reads "_a").
class CStringTokeniser : public CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CStringTokeniser);

    static constexpr int kTextSize = 2048;

    // Delimiter ','; nothing is counted yet (call countTokens() before reading).
    explicit CStringTokeniser(const char* text);
    explicit CStringTokeniser(const CString& text);
    // Counts the tokens at once.
    CStringTokeniser(const char* text, char delimiter);
    CStringTokeniser(const CString& text, char delimiter);

    // Counts, stores and returns the number of tokens.
    virtual std::int32_t countTokens();
    virtual bool hasMoreTokens() const;
    // These two restart reading from the beginning without recounting.
    virtual void setDelimiter(char delimiter);
    // Texts longer than 2047 characters are cut.
    virtual void setString(const char* text);
    // The next token as a new C string that the caller frees with delete[];
    // null when there are no more tokens.
    virtual char* getNextToken();
    // The next token into `token`; false when there are no more tokens.
    bool getNextToken(CString& token);

    std::int32_t getNumberOfTokens() const { return m_numberOfTokens; }

private:
    std::int32_t m_numberOfTokens = 0;
    std::int32_t m_tokensRead = 0;
    std::int32_t m_readPosition = 0;
    char m_text[kTextSize];
    char m_delimiter = ',';
};

} // namespace Vantor::Basics
