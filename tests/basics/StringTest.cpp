#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "framework/basics/Exception.hpp"
#include "framework/basics/PascalString.hpp"
#include "framework/basics/String.hpp"
#include "tests/AllocationHooks.hpp"

using namespace Vantor::Basics;
using Vantor::Exceptions::CException;

namespace
{

template <class Value> std::string assigned(Value value)
{
    CString text;
    text = value;
    return text.getString();
}

} // namespace

TEST(StringConstruction, DefaultAndNullAreOneSpaceSizeCountsTheTerminatorNullAndSelfAreIgnored)
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

    text = static_cast<const char*>(nullptr);
    text.setString(static_cast<const char*>(nullptr));
    const CString& alias = text;
    text = alias;
    EXPECT_STREQ("changed", text.getString());
}

TEST(StringConversion, AssignmentAndStaticFormatsPadDifferently)
{
    EXPECT_EQ("005", assigned(5L));
    EXPECT_EQ("-005", assigned(-5L));
    EXPECT_EQ("1234", assigned(1234L));
    EXPECT_EQ("007", assigned(std::int32_t{7}));
    EXPECT_EQ("0.500", assigned(0.5f));
    EXPECT_EQ("-12.346", assigned(-12.34567f));
    EXPECT_EQ("True", assigned(true));
    EXPECT_EQ("False", assigned(false));

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

TEST(StringStoring, FormatHasNoLengthLimitAndAppendTakesItself)
{
    CString text;
    const std::string longWord(5000, 'w');
    text.setStringWithFormat("%s-%d", longWord.c_str(), 42);
    EXPECT_EQ(longWord + "-42", text.getString());
    EXPECT_EQ(5004, text.getNumberOfCharacters());

    CString joined("ab");
    joined += "cd";
    joined += CString("ef");
    joined.appendString('g');
    joined.appendString(static_cast<const char*>(nullptr));
    EXPECT_STREQ("abcdefg", joined.getString());
    EXPECT_EQ(8, joined.getNumberOfCharacters());
    joined.appendString(joined);
    EXPECT_STREQ("abcdefgabcdefg", joined.getString());
    joined.appendString(joined.getString());
    EXPECT_EQ(29, joined.getNumberOfCharacters());
}

TEST(StringReading, SubStringAndCharacterBoundaries)
{
    const CString text("Hello");
    const struct
    {
        int from, to;
        const char* expected;
    } rows[] = {{1, 3, "ell"}, {2, 2, "l"},     {3, 1, ""}, {-1, 2, ""},
                {2, 6, "llo"}, {0, 4, "Hello"}, {5, 5, ""}, {0, 7, ""}};
    for (const auto& row : rows)
    {
        EXPECT_STREQ(row.expected, text.getSubString(row.from, row.to).getString())
            << row.from << ".." << row.to;
    }

    const CString abc("abc");
    EXPECT_EQ('a', abc.characterAt(0));
    EXPECT_EQ('c', abc[2]);
    EXPECT_EQ('\0', abc.characterAt(3));
    EXPECT_EQ(' ', abc.characterAt(-1));
    EXPECT_EQ(' ', abc.characterAt(4));
    EXPECT_EQ(' ', abc[100]);
}

TEST(StringReading, CopiesIntoCallerBuffersCutAndTerminated)
{
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    CString("abcdef").getString(buffer, 4);
    EXPECT_STREQ("abc", buffer);

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

TEST(StringChange, WhiteSpaceAndLastCharacterRemoval)
{
    const struct
    {
        const char* input;
        const char* expected;
    } rows[] = {{"  a b  ", "a b"},       {"   ", ""}, {"a  ", "a"},
                {"\t\n\v\f\ra\r\n", "a"}, {"", ""},    {"x", "x"}};
    for (const auto& row : rows)
    {
        CString text(row.input);
        text.removeTrailingAndLeadingWhiteSpace();
        EXPECT_STREQ(row.expected, text.getString()) << '"' << row.input << '"';
    }

    CString leading(" \t lead ");
    leading.removeLeadingWhiteSpace();
    EXPECT_STREQ("lead ", leading.getString());
    EXPECT_EQ(6, leading.getNumberOfCharacters());
    CString trailing(" trail \n");
    trailing.removeTrailingWhiteSpace();
    EXPECT_STREQ(" trail", trailing.getString());

    EXPECT_TRUE(CString::isWhiteSpace('\r'));
    EXPECT_FALSE(CString::isWhiteSpace('\0'));
    EXPECT_FALSE(CString::isWhiteSpace(14));
    EXPECT_FALSE(CString::isWhiteSpace(8));

    CString shrinking("ab");
    shrinking.removeLastCharacter();
    EXPECT_STREQ("a", shrinking.getString());
    shrinking.removeLastCharacter();
    shrinking.removeLastCharacter();
    EXPECT_STREQ("", shrinking.getString());
    EXPECT_EQ(1, shrinking.getNumberOfCharacters());
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
    same.replaceStringWithChar('z', "");
    EXPECT_STREQ("banana", same.getString());
}

TEST(PascalString, LengthPrefixAndCut)
{
    std::unique_ptr<CPascalString> shortText(CString("Vst").getPascalString());
    EXPECT_EQ(3, shortText->getPascalString()[0]);
    EXPECT_STREQ("Vst", shortText->getText());

    std::unique_ptr<CPascalString> cut(CString(std::string(300, 'p').c_str()).getPascalString());
    EXPECT_EQ(254, cut->getLength());
    EXPECT_EQ(std::string(254, 'p'), cut->getText());

    CPascalString tiny("abcdef", 4);
    EXPECT_EQ(2, tiny.getLength());
    EXPECT_STREQ("ab", tiny.getText());
}

const CString kDoubleB("bb");

// Each operation wraps an allocation failure in its own texts; `whole` rows
// give the entire reason, the others its start.
TEST(StringFailure, EachOperationReportsItsOwnTexts)
{
    const struct
    {
        const char* function;
        const char* reason;
        bool whole;
        void (*operation)(CString&);
    } cases[] = {
        {"CString", "Caught unknown exception during string construction", true,
         [](CString&) { CString failed("x"); }},
        {"setString", "Caught unknown exception during string storing", true,
         [](CString& s) { s.setString("after"); }},
        {"operator =",
         "Caught exception during string assignment, more below\n\n"
         "Caught unknown exception during string storing\n\n"
         "Vantor::Basics::CString::setString",
         true, [](CString& s) { s = "after"; }},
        {"operator +=",
         "Caught exception during string append, more below\n\n"
         "Caught unknown exception during string append",
         false, [](CString& s) { s += "more"; }},
        {"setStringWithFormat", "Caught exception during string storing (printf), more below\n\n", false,
         [](CString& s) { s.setStringWithFormat("%s", "x"); }},
        {"removeTrailingAndLeadingWhiteSpace",
         "Caught exception during white space removal, more below\n\n"
         "Caught unknown exception during leading white space removal",
         false, [](CString& s) { s.removeTrailingAndLeadingWhiteSpace(); }},
        {"removeLastCharacter", "Caught unknown exception during removal of last character", false,
         [](CString& s) { s.removeLastCharacter(); }},
        {"replaceCharWithString", "Caught unknown exception during character replacement", false,
         [](CString& s) { s.replaceCharWithString('a', kDoubleB); }},
        {"getSubString",
         "Caught exception during sub string get, more below\n\n"
         "Caught unknown exception during string construction",
         false, [](CString& s) { s.getSubString(0, 2); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.function);
        CString text("a text");
        try
        {
            Vantor::Testing::failNextAllocation();
            c.operation(text);
            ADD_FAILURE() << "no exception";
        }
        catch (const CException& e)
        {
            const std::string reason = e.getErrorReason().getString();
            EXPECT_EQ(std::string("Vantor::Basics::CString::") + c.function, e.getFunctionName().getString());
            EXPECT_EQ(c.reason, c.whole ? reason : reason.substr(0, std::strlen(c.reason))) << reason;
        }
        if (std::strcmp(c.function, "setString") == 0)
        {
            EXPECT_STREQ("a text", text.getString()); // a failed store keeps the old text
        }
    }
}

// When allocation keeps failing, the guards cannot build their own exception
// either: the allocation failure comes through instead of a recursion without end.
TEST(StringGuard, AllocationThatKeepsFailingEndsInOneException)
{
    CString text("a text");
    const std::pair<const char*, void (*)(CString&)> cases[] = {
        {"construction", [](CString&) { CString failed("x"); }},
        {"assignment", [](CString& s) { s = "after"; }},
        {"append", [](CString& s) { s += "more"; }},
        {"format", [](CString& s) { s.setStringWithFormat("%s", "x"); }},
    };
    for (const auto& [what, operation] : cases)
    {
        bool allocationFailed = false;
        Vantor::Testing::failAllAllocations(true);
        try
        {
            operation(text);
        }
        catch (const std::bad_alloc&)
        {
            allocationFailed = true;
        }
        catch (...)
        {
        }
        Vantor::Testing::failAllAllocations(false);
        EXPECT_TRUE(allocationFailed) << what;
        EXPECT_STREQ("a text", text.getString()) << what;
    }
}
