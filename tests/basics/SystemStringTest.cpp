#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/basics/HtmlString.hpp"
#include "framework/basics/StringTokeniser.hpp"
#include "framework/basics/SystemString.hpp"

using namespace Vantor::Basics;

namespace
{

// Runs every path case with both separators: texts are written with '\\' and
// turned into the separator under test.
class SystemStringTest : public ::testing::TestWithParam<char>
{
protected:
    void SetUp() override
    {
        m_saved = CSystemString::getSeparator();
        CSystemString::setSeparator(GetParam());
    }
    void TearDown() override { CSystemString::setSeparator(m_saved); }

    std::string p(std::string text) const
    {
        for (char& c : text)
        {
            c = c == '\\' ? GetParam() : c;
        }
        return text;
    }
    CSystemString path(const char* text) const { return CSystemString(p(text).c_str()); }

private:
    char m_saved = '\\';
};

std::string str(const CString& text)
{
    return text.getString();
}

} // namespace

TEST_P(SystemStringTest, ReadingParts)
{
    const CSystemString file = path("C:\\dir\\file.png");
    EXPECT_EQ(".png", str(file.getExtension()));
    EXPECT_EQ("file.png", str(file.getFileName()));
    EXPECT_EQ(p("C:\\dir\\"), str(file.getPath()));
    EXPECT_EQ(p("C:\\"), str(file.getDrive(true)));
    EXPECT_EQ("C", str(file.getDrive(false)));
    EXPECT_TRUE(file.hasExtension("png"));
    EXPECT_TRUE(file.hasExtension(CString(".png")));
    EXPECT_FALSE(file.hasExtension("PNG"));
    EXPECT_FALSE(file.hasExtension("a longer text than the path itself"));

    const CSystemString bare = path("file");
    EXPECT_EQ("", str(bare.getExtension()));
    EXPECT_EQ("", str(bare.getFileName()));
    EXPECT_EQ("file", str(bare.getPath())); // no extension: taken to be a folder
    EXPECT_EQ("", str(bare.getDrive(true)));
    EXPECT_EQ("f", str(bare.getDrive(false)));
    EXPECT_EQ("", str(path("name.txt").getPath()));
    EXPECT_EQ(" ", str(path("").getLastPathComponent()));
    EXPECT_EQ(0, path("").getNumberOfPathComponents());

    EXPECT_FALSE(path(".profile").hasAnyExtension());
    EXPECT_TRUE(path(".profile").hasNoExtension());
    // The dot search does not stop at a separator.
    EXPECT_TRUE(path("C:\\my.dir\\file").hasAnyExtension());
    EXPECT_EQ(p(".dir\\file"), str(path("C:\\my.dir\\file").getExtension()));

    EXPECT_EQ(nullptr, file.getPathComponent(3));
    EXPECT_EQ(nullptr, file.getPathComponent(-1));
}

// Every component that is counted can be read, for paths with a drive, a POSIX
// root or a UNC share, and with doubled or trailing separators.
TEST_P(SystemStringTest, EveryCountedComponentCanBeRead)
{
    const struct
    {
        const char* path;
        std::vector<const char*> components;
    } cases[] = {
        {"C:\\dir\\file.png", {"C:\\", "dir", "file.png"}},
        {"\\a\\b\\file.png", {"\\", "a", "b", "file.png"}},
        {"\\\\server\\share\\x", {"\\\\", "server", "share", "x"}},
        {"a\\\\b\\", {"a\\", "b"}},
        {"\\", {"\\"}},
        {"dir\\file", {"dir\\", "file"}},
    };
    for (const auto& [text, expected] : cases)
    {
        const CSystemString subject = path(text);
        ASSERT_EQ(static_cast<int>(expected.size()), subject.getNumberOfPathComponents()) << text;
        for (std::size_t i = 0; i < expected.size(); ++i)
        {
            std::unique_ptr<CString> component(subject.getPathComponent(static_cast<long>(i)));
            ASSERT_NE(nullptr, component) << text;
            EXPECT_EQ(p(expected[i]), str(*component)) << text << " component " << i;
        }
        const std::string last = expected.size() == 1 ? p(expected[0]) : expected.back();
        EXPECT_EQ(last, str(subject.getLastPathComponent())) << text;
    }
}

TEST_P(SystemStringTest, ChangingParts)
{
    auto change = [this](const char* input, auto operation)
    {
        CSystemString text = path(input);
        operation(text);
        return str(text);
    };
    EXPECT_EQ("a.txt", change("a.png", [](auto& t) { t.appendExtension("txt", true); }));
    EXPECT_EQ("a.txt", change("a", [](auto& t) { t.appendExtension("txt", true); }));
    EXPECT_EQ("a.txt.png", change("a.txt", [](auto& t) { t.appendExtension(CString("png"), false); }));
    EXPECT_EQ(p("C:\\dir\\file.tar"), change("C:\\dir\\file.tar.gz", [](auto& t) { t.removeExtension(); }));
    EXPECT_EQ(".profile", change(".profile", [](auto& t) { t.removeExtension(); }));

    EXPECT_EQ(p("C:\\dir\\file"), change("C:\\dir", [](auto& t) { t += "file"; }));
    EXPECT_EQ(p("C:\\dir\\\\file"), change("C:\\dir\\", [](auto& t) { t += CString("file"); }));
    EXPECT_EQ(p("C:\\dir\\file"), change("C:\\dir\\", [](auto& t) { t.appendPath("file"); }));
    EXPECT_EQ(p("C:\\dir\\file"), change("C:\\dir", [](auto& t) { t.appendPath("file"); }));
    EXPECT_EQ(p("dir\\"), change("dir", [](auto& t) { t.appendSeparator(); }));

    EXPECT_EQ(p("C:\\a\\"), change("C:\\a\\b.png", [](auto& t) { t.removeFileName(); }));
    EXPECT_EQ("b.png", change("b.png", [](auto& t) { t.removeFileName(); }));
    EXPECT_EQ(p("C:\\a"), change("C:\\a\\b", [](auto& t) { t.removeLastPathComponent(); }));
    EXPECT_EQ("C:", change("C:\\a", [](auto& t) { t.removeLastPathComponent(); }));
    // A separator at index 1 or 0 is kept.
    EXPECT_EQ(p("C\\b"), change("C\\b", [](auto& t) { t.removeLastPathComponent(); }));
    EXPECT_EQ(p("\\a\\b"), change("C:\\a\\b", [](auto& t) { t.removeDrive(); }));
    EXPECT_EQ("", change("file", [](auto& t) { t.removeDrive(); }));

    const char other = GetParam() == '\\' ? '/' : '\\';
    CSystemString mixed((std::string("a") + other + "b" + other + "c").c_str());
    mixed.convertSlashes();
    EXPECT_EQ(p("a\\b\\c"), str(mixed));
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, SystemStringTest, ::testing::Values('\\', '/'),
                         [](const ::testing::TestParamInfo<char>& paramInfo) {
                             return paramInfo.param == '\\' ? std::string("Backslash") : std::string("Slash");
                         });

TEST(StringTokeniser, CountingSkipsEmptyFieldsReadingDoesNot)
{
    EXPECT_EQ(3, CStringTokeniser("a,b,c", ',').getNumberOfTokens());
    EXPECT_EQ(1, CStringTokeniser(",a", ',').getNumberOfTokens());
    EXPECT_EQ(0, CStringTokeniser("", ',').getNumberOfTokens());
    EXPECT_EQ(0, CStringTokeniser(",,,", ',').getNumberOfTokens());

    CStringTokeniser gaps("a,,b", ',');
    EXPECT_EQ(2, gaps.getNumberOfTokens());
    CString token;
    ASSERT_TRUE(gaps.getNextToken(token));
    EXPECT_STREQ("a", token.getString());
    ASSERT_TRUE(gaps.getNextToken(token));
    EXPECT_STREQ("", token.getString());
    EXPECT_FALSE(gaps.hasMoreTokens());
    EXPECT_FALSE(gaps.getNextToken(token));
    EXPECT_EQ(nullptr, gaps.getNextToken());

    // A leading underscore does not count its first token.
    CStringTokeniser underscored("_a,b", ',');
    EXPECT_EQ(1, underscored.getNumberOfTokens());
    std::unique_ptr<char[]> first(underscored.getNextToken());
    EXPECT_STREQ("_a", first.get());
    EXPECT_FALSE(underscored.hasMoreTokens());

    std::unique_ptr<char[]> cut(CStringTokeniser(std::string(3000, 'z').c_str(), ',').getNextToken());
    EXPECT_EQ(std::string(2047, 'z'), cut.get());
}

TEST(StringTokeniser, DefaultDelimiterNeedsCountingAndResetsRestart)
{
    CStringTokeniser list(CString("x,y"));
    EXPECT_FALSE(list.hasMoreTokens()); // nothing counted yet
    EXPECT_EQ(2, list.countTokens());
    std::unique_ptr<char[]> first(list.getNextToken());
    EXPECT_STREQ("x", first.get());

    list.setString("p;q;r");
    list.setDelimiter(';');
    EXPECT_EQ(3, list.countTokens());
    CString token;
    list.getNextToken(token);
    EXPECT_STREQ("p", token.getString());
    list.getNextToken(token);
    list.getNextToken(token);
    EXPECT_STREQ("r", token.getString());
    EXPECT_FALSE(list.hasMoreTokens());
}

namespace
{

std::string g_opened;

bool recordAddress(const char* address)
{
    g_opened = address;
    return true;
}

} // namespace

TEST(HtmlString, PrefixesAndOpening)
{
    EXPECT_TRUE(CHtmlString("http://example.org").isWebAddress());
    EXPECT_FALSE(CHtmlString("https://example.org").isWebAddress());
    EXPECT_TRUE(CHtmlString(CString("file://c:/a.html")).isFileAddress());

    CHtmlString local(CSystemString("c:/a.html"));
    local.addAddressPrefix(false);
    EXPECT_STREQ("file://c:/a.html", local.getString());

    CHtmlString::setAddressOpener(nullptr);
    EXPECT_FALSE(CHtmlString("example.org").openAddress());

    CHtmlString::setAddressOpener(recordAddress);
    const char* opened[][2] = {{"www.example.org", "http://www.example.org"},
                               {"http://a.b", "http://a.b"},
                               {"file://c:/x.html", "file://c:/x.html"}};
    for (const auto& row : opened)
    {
        EXPECT_TRUE(CHtmlString(row[0]).openAddress());
        EXPECT_EQ(row[1], g_opened);
    }
    CHtmlString::setAddressOpener(nullptr);
}
