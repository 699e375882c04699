#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/basics/Exception.hpp"
#include "framework/basics/PascalString.hpp"
#include "framework/basics/String.hpp"
#include "tests/basics/FailingAllocation.hpp"

using namespace Vantor::Basics;
using Vantor::Exceptions::CException;

TEST(StringConstruction, DefaultAndNullAreOneSpaceAndSizeCountsTheTerminator)
{
    CString text;
    EXPECT_STREQ(" ", text.getString());
    EXPECT_EQ(2, text.getNumberOfCharacters());
    EXPECT_STREQ(" ", CString(nullptr).getString());
    EXPECT_EQ(4, CString("abc").getNumberOfCharacters());
    EXPECT_EQ(1, CString("").getNumberOfCharacters());
    EXPECT_FALSE(CString("").isStorageEmpty());

    CString copy(text);
    text.setString("changed");
    EXPECT_STREQ(" ", copy.getString());
    EXPECT_STREQ("CString", copy.getClass().getClassName());
}

TEST(StringAssignment, NumbersAndBooleansUseTheirFixedFormats)
{
    CString text;
    text = 5L;
    EXPECT_STREQ("005", text.getString());
    text = -5L;
    EXPECT_STREQ("-005", text.getString());
    text = 1234L;
    EXPECT_STREQ("1234", text.getString());
    text = std::int32_t{7};
    EXPECT_STREQ("007", text.getString());
    text = 0.5f;
    EXPECT_STREQ("0.500", text.getString());
    text = -12.34567f;
    EXPECT_STREQ("-12.346", text.getString());
    text = true;
    EXPECT_STREQ("True", text.getString());
    text = false;
    EXPECT_STREQ("False", text.getString());
}

TEST(StringAssignment, TextsNullAndSelf)
{
    CString text("keep");
    text = static_cast<const char*>(nullptr);
    EXPECT_STREQ("keep", text.getString());
    text.setString(static_cast<const char*>(nullptr));
    EXPECT_STREQ("keep", text.getString());

    const CString& alias = text;
    text = alias;
    EXPECT_STREQ("keep", text.getString());

    text = CString("other");
    EXPECT_STREQ("other", text.getString());
    EXPECT_EQ(6, text.getNumberOfCharacters());
}

TEST(StringAssignment, FormattedTextHasNoLengthLimit)
{
    CString text;
    const std::string longWord(5000, 'w');
    text.setStringWithFormat("%s-%d", longWord.c_str(), 42);
    EXPECT_EQ(longWord + "-42", text.getString());
    EXPECT_EQ(5004, text.getNumberOfCharacters());
}

TEST(StringAppend, AllFormsIncludingSelf)
{
    CString text("ab");
    text += "cd";
    text += CString("ef");
    text.appendString('g');
    text.appendString(static_cast<const char*>(nullptr));
    EXPECT_STREQ("abcdefg", text.getString());
    EXPECT_EQ(8, text.getNumberOfCharacters());

    text.appendString(text);
    EXPECT_STREQ("abcdefgabcdefg", text.getString());
    text.appendString(text.getString());
    EXPECT_EQ(29, text.getNumberOfCharacters());
}

TEST(StringReading, SubStringBoundaries)
{
    const CString text("Hello");
    EXPECT_STREQ("ell", text.getSubString(1, 3).getString());
    EXPECT_STREQ("l", text.getSubString(2, 2).getString());
    EXPECT_STREQ("", text.getSubString(3, 1).getString());
    EXPECT_STREQ("", text.getSubString(-1, 2).getString());
    EXPECT_STREQ("llo", text.getSubString(2, text.getNumberOfCharacters()).getString());
    EXPECT_STREQ("Hello", text.getSubString(0, 4).getString());
    EXPECT_STREQ("", text.getSubString(5, 5).getString());
    EXPECT_STREQ("", text.getSubString(0, 7).getString());
}

TEST(StringReading, CharacterAtAndIndexing)
{
    const CString text("abc");
    EXPECT_EQ('a', text.characterAt(0));
    EXPECT_EQ('c', text[2]);
    EXPECT_EQ('\0', text.characterAt(3));
    EXPECT_EQ(' ', text.characterAt(-1));
    EXPECT_EQ(' ', text.characterAt(4));
    EXPECT_EQ(' ', text[100]);
}

TEST(StringReading, CopiesIntoCallerBuffersCutAndTerminated)
{
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    CString("abcdef").getString(buffer, 4);
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('\0', buffer[3]);

    char parameterText[8];
    CString("Threshold").getString(parameterText);
    EXPECT_STREQ("Thresho", parameterText);
    CString("Mix").getString(parameterText);
    EXPECT_STREQ("Mix", parameterText);

    std::memset(buffer, 'x', sizeof buffer);
    CString("abc").getString(buffer, 4);
    EXPECT_STREQ("abc", buffer);
    CString("abc").getString(nullptr, 4);

    char description[4];
    CString("abcdef").getObjectDescription(description, sizeof description);
    EXPECT_STREQ("abc", description);
}

TEST(StringSearch, FindsCharactersAndSubStrings)
{
    const CString path("a.b.c");
    EXPECT_EQ(3, path.findBackwards('.'));
    EXPECT_EQ(1, path.findForward('.'));
    EXPECT_EQ(-1, path.findForward('x'));
    EXPECT_EQ(-1, path.findBackwards('x'));
    // The terminator lies in the searched range.
    EXPECT_EQ(5, path.findForward('\0'));

    EXPECT_EQ(1, CString("aab").findSubString("ab"));
    EXPECT_EQ(0, CString("abab").findSubString("ab"));
    EXPECT_EQ(2, CString("abcd").findSubString("cd"));
    EXPECT_EQ(-1, CString("ab").findSubString("abc"));
    EXPECT_EQ(-1, CString("abc").findSubString("bd"));

    EXPECT_TRUE(CString("Hello").equalsIgnoringCase("hELLO"));
    EXPECT_FALSE(CString("Hello").equalsIgnoringCase("Hello!"));
}

TEST(StringChange, WhiteSpaceRemoval)
{
    auto trimmed = [](const char* input)
    {
        CString text(input);
        text.removeTrailingAndLeadingWhiteSpace();
        return std::string(text.getString());
    };
    EXPECT_EQ("a b", trimmed("  a b  "));
    EXPECT_EQ("", trimmed("   "));
    EXPECT_EQ("a", trimmed("a  "));
    EXPECT_EQ("a", trimmed("\t\n\v\f\ra\r\n"));
    EXPECT_EQ("", trimmed(""));
    EXPECT_EQ("x", trimmed("x"));

    CString leading(" \t lead ");
    leading.removeLeadingWhiteSpace();
    EXPECT_STREQ("lead ", leading.getString());
    EXPECT_EQ(6, leading.getNumberOfCharacters());

    CString trailing(" trail \n");
    trailing.removeTrailingWhiteSpace();
    EXPECT_STREQ(" trail", trailing.getString());

    EXPECT_TRUE(CString::isWhiteSpace(' '));
    EXPECT_TRUE(CString::isWhiteSpace('\r'));
    EXPECT_FALSE(CString::isWhiteSpace('\0'));
    EXPECT_FALSE(CString::isWhiteSpace(14));
    EXPECT_FALSE(CString::isWhiteSpace(8));
}

TEST(StringChange, RemoveLastCharacter)
{
    CString text("ab");
    text.removeLastCharacter();
    EXPECT_STREQ("a", text.getString());
    text.removeLastCharacter();
    EXPECT_STREQ("", text.getString());
    text.removeLastCharacter();
    EXPECT_STREQ("", text.getString());
    EXPECT_EQ(1, text.getNumberOfCharacters());
}

TEST(StringChange, Replacements)
{
    CString text("aXbXc");
    text.replaceCharWithString('X', "--");
    EXPECT_STREQ("a--b--c", text.getString());
    text.replaceCharWithChar('-', '+');
    EXPECT_STREQ("a++b++c", text.getString());

    CString tail("abc");
    tail.replaceStringWithChar('X', "bc");
    EXPECT_STREQ("aX", tail.getString());

    // Each replacement is searched again, so new occurrences are replaced too.
    CString cascade("aabb");
    cascade.replaceStringWithChar('b', "ab");
    EXPECT_STREQ("bb", cascade.getString());

    // Replacements that would find themselves forever leave the text alone.
    CString same("banana");
    same.replaceStringWithChar('a', "a");
    EXPECT_STREQ("banana", same.getString());
    same.replaceStringWithChar('z', "");
    EXPECT_STREQ("banana", same.getString());
}

TEST(StringConversion, StaticFormatsPadDifferentlyFromAssignment)
{
    EXPECT_STREQ("0.500", CString::floatToString(0.5f).getString());
    EXPECT_STREQ("2.250", CString::doubleToString(2.25).getString());
    EXPECT_STREQ("005", CString::intToString(5).getString());
    EXPECT_STREQ("-05", CString::intToString(-5).getString());
    EXPECT_STREQ("-05", CString::longToString(-5L).getString());
    EXPECT_STREQ("12345", CString::longToString(12345L).getString());

    std::unique_ptr<char[]> readOut(CString::floatToNewBuffer(-3.0f));
    EXPECT_STREQ("-3.000", readOut.get());

    EXPECT_FLOAT_EQ(-0.25f, CString::stringToFloat(CString("-0.25dB")));
    EXPECT_EQ(0, CString::stringToInt(static_cast<const char*>(nullptr)));
}

TEST(PascalString, LengthPrefixAndCut)
{
    std::unique_ptr<CPascalString> shortText(CString("Vst").getPascalString());
    EXPECT_EQ(3, shortText->getPascalString()[0]);
    EXPECT_STREQ("Vst", shortText->getText());

    const std::string longText(300, 'p');
    std::unique_ptr<CPascalString> cut(CString(longText.c_str()).getPascalString());
    EXPECT_EQ(254, cut->getLength());
    EXPECT_EQ(std::string(254, 'p'), cut->getText());

    CPascalString tiny("abcdef", 4);
    EXPECT_EQ(2, tiny.getLength());
    EXPECT_STREQ("ab", tiny.getText());
    EXPECT_STREQ("CPascalString", tiny.getClass().getClassName());
}

TEST(StringFailure, AllocationFailureSurfacesAsWrappedException)
{
    CString text("before");
    try
    {
        Vantor::Testing::failNextAllocation();
        text.setString("after");
        FAIL() << "no exception";
    }
    catch (const CException& e)
    {
        EXPECT_STREQ("Caught unknown exception during string storing", e.getErrorReason().getString());
        EXPECT_STREQ("Vantor::Basics::CString::setString", e.getFunctionName().getString());
    }
    EXPECT_STREQ("before", text.getString());

    try
    {
        Vantor::Testing::failNextAllocation();
        text = "after";
        FAIL() << "no exception";
    }
    catch (const CException& e)
    {
        EXPECT_STREQ("Caught exception during string assignment, more below\n\n"
                     "Caught unknown exception during string storing\n\n"
                     "Vantor::Basics::CString::setString",
                     e.getErrorReason().getString());
        EXPECT_STREQ("Vantor::Basics::CString::operator =", e.getFunctionName().getString());
    }

    try
    {
        Vantor::Testing::failNextAllocation();
        CString failed("x");
        FAIL() << "no exception";
    }
    catch (const CException& e)
    {
        EXPECT_STREQ("Caught unknown exception during string construction", e.getErrorReason().getString());
        EXPECT_STREQ("Vantor::Basics::CString::CString", e.getFunctionName().getString());
    }
}

const CString kDoubleB("bb");

TEST(StringFailure, EachOperationReportsItsOwnTexts)
{
    struct SCase
    {
        const char* function;
        const char* reason;
        void (*operation)(CString&);
    };
    const SCase cases[] = {
        {"operator +=",
         "Caught exception during string append, more below\n\n"
         "Caught unknown exception during string append",
         [](CString& s) { s += "more"; }},
        {"setStringWithFormat", "Caught exception during string storing (printf), more below\n\n",
         [](CString& s) { s.setStringWithFormat("%s", "x"); }},
        {"removeTrailingAndLeadingWhiteSpace",
         "Caught exception during white space removal, more below\n\n"
         "Caught unknown exception during leading white space removal",
         [](CString& s) { s.removeTrailingAndLeadingWhiteSpace(); }},
        {"removeLastCharacter", "Caught unknown exception during removal of last character",
         [](CString& s) { s.removeLastCharacter(); }},
        {"replaceCharWithString", "Caught unknown exception during character replacement",
         [](CString& s) { s.replaceCharWithString('a', kDoubleB); }},
        {"getSubString",
         "Caught exception during sub string get, more below\n\n"
         "Caught unknown exception during string construction",
         [](CString& s) { s.getSubString(0, 2); }},
    };
    for (const SCase& c : cases)
    {
        CString text("a text");
        try
        {
            Vantor::Testing::failNextAllocation();
            c.operation(text);
            ADD_FAILURE() << c.function << ": no exception";
        }
        catch (const CException& e)
        {
            EXPECT_EQ(std::string("Vantor::Basics::CString::") + c.function, e.getFunctionName().getString());
            EXPECT_EQ(0u, std::string(e.getErrorReason().getString()).rfind(c.reason, 0))
                << c.function << ": " << e.getErrorReason().getString();
        }
    }
}
