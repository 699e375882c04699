#include <gtest/gtest.h>

#include <memory>
#include <string>

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
            if (c == '\\')
                c = GetParam();
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

TEST_P(SystemStringTest, PartsOfAFullPath)
{
    const CSystemString file = path("C:\\dir\\file.png");
    EXPECT_EQ(".png", str(file.getExtension()));
    EXPECT_EQ("file.png", str(file.getFileName()));
    EXPECT_EQ(p("C:\\dir\\"), str(file.getPath()));
    EXPECT_EQ(p("C:\\"), str(file.getDrive(true)));
    EXPECT_EQ("C", str(file.getDrive(false)));
    EXPECT_EQ(3, file.getNumberOfPathComponents());
    EXPECT_EQ("file.png", str(file.getLastPathComponent()));
    EXPECT_TRUE(file.hasExtension("png"));
    EXPECT_TRUE(file.hasExtension(CString(".png")));
    EXPECT_FALSE(file.hasExtension("PNG"));
    EXPECT_FALSE(file.hasExtension("a longer text than the path itself"));
}

TEST_P(SystemStringTest, PartsThatAreMissing)
{
    const CSystemString bare = path("file");
    EXPECT_EQ("", str(bare.getExtension()));
    EXPECT_EQ("", str(bare.getFileName()));
    EXPECT_EQ("file", str(bare.getPath())); // no extension: taken to be a folder
    EXPECT_EQ("", str(bare.getDrive(true)));
    EXPECT_EQ("f", str(bare.getDrive(false)));
    EXPECT_EQ("", str(path("name.txt").getPath()));
    EXPECT_EQ(" ", str(path("").getLastPathComponent()));
    EXPECT_EQ(0, path("").getNumberOfPathComponents());
}

TEST_P(SystemStringTest, ExtensionDetection)
{
    EXPECT_FALSE(path(".profile").hasAnyExtension());
    EXPECT_TRUE(path(".profile").hasNoExtension());
    EXPECT_TRUE(path("a.b").hasAnyExtension());
    // The dot search does not stop at a separator.
    const CSystemString dottedFolder = path("C:\\my.dir\\file");
    EXPECT_TRUE(dottedFolder.hasAnyExtension());
    EXPECT_EQ(p(".dir\\file"), str(dottedFolder.getExtension()));
}

TEST_P(SystemStringTest, ExtensionChanges)
{
    CSystemString replaced = path("a.png");
    replaced.appendExtension("txt", true);
    EXPECT_EQ("a.txt", str(replaced));
    CSystemString added = path("a");
    added.appendExtension("txt", true);
    EXPECT_EQ("a.txt", str(added));
    CSystemString kept = path("a.txt");
    kept.appendExtension(CString("png"), false);
    EXPECT_EQ("a.txt.png", str(kept));

    CSystemString removed = path("C:\\dir\\file.tar.gz");
    removed.removeExtension();
    EXPECT_EQ(p("C:\\dir\\file.tar"), str(removed));
    CSystemString hidden = path(".profile");
    hidden.removeExtension();
    EXPECT_EQ(".profile", str(hidden));
}

TEST_P(SystemStringTest, AppendingSeparatorsAndParts)
{
    CSystemString joined = path("C:\\dir");
    joined += "file";
    EXPECT_EQ(p("C:\\dir\\file"), str(joined));
    CSystemString doubled = path("C:\\dir\\");
    doubled += CString("file");
    EXPECT_EQ(p("C:\\dir\\\\file"), str(doubled));

    CSystemString appended = path("C:\\dir\\");
    appended.appendPath("file");
    EXPECT_EQ(p("C:\\dir\\file"), str(appended));
    CSystemString appendedToBare = path("C:\\dir");
    appendedToBare.appendPath("file");
    EXPECT_EQ(p("C:\\dir\\file"), str(appendedToBare));

    CSystemString separated = path("dir");
    separated.appendSeparator();
    EXPECT_EQ(p("dir\\"), str(separated));
}

TEST_P(SystemStringTest, RemovingParts)
{
    CSystemString file = path("C:\\a\\b.png");
    file.removeFileName();
    EXPECT_EQ(p("C:\\a\\"), str(file));
    CSystemString noFolder = path("b.png");
    noFolder.removeFileName();
    EXPECT_EQ("b.png", str(noFolder));

    CSystemString last = path("C:\\a\\b");
    last.removeLastPathComponent();
    EXPECT_EQ(p("C:\\a"), str(last));
    last.removeLastPathComponent();
    EXPECT_EQ("C:", str(last));
    // A separator at index 1 or 0 is kept.
    CSystemString shortRoot = path("C\\b");
    shortRoot.removeLastPathComponent();
    EXPECT_EQ(p("C\\b"), str(shortRoot));

    CSystemString drive = path("C:\\a\\b");
    drive.removeDrive();
    EXPECT_EQ(p("\\a\\b"), str(drive));
    CSystemString noDrive = path("file");
    noDrive.removeDrive();
    EXPECT_EQ("", str(noDrive));
}

TEST_P(SystemStringTest, PathComponents)
{
    const CSystemString file = path("C:\\dir\\file.png");
    std::unique_ptr<CString> first(file.getPathComponent(0));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(p("C:\\"), str(*first));
    std::unique_ptr<CString> second(file.getPathComponent(1));
    EXPECT_EQ("dir", str(*second));
    std::unique_ptr<CString> third(file.getPathComponent(2));
    EXPECT_EQ("file.png", str(*third));
    EXPECT_EQ(nullptr, file.getPathComponent(3));
    EXPECT_EQ(nullptr, file.getPathComponent(-1));
    // Doubled separators count once.
    EXPECT_EQ(2, path("a\\\\b\\").getNumberOfPathComponents());
}

TEST_P(SystemStringTest, ConvertsTheOtherSlashes)
{
    const char other = GetParam() == '\\' ? '/' : '\\';
    const std::string mixed = std::string("a") + other + "b" + other + "c";
    CSystemString text(mixed.c_str());
    text.convertSlashes();
    EXPECT_EQ(p("a\\b\\c"), str(text));
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, SystemStringTest, ::testing::Values('\\', '/'),
                         [](const ::testing::TestParamInfo<char>& info)
                         { return info.param == '\\' ? std::string("Backslash") : std::string("Slash"); });

TEST(SystemString, PlatformSeparatorAndRecords)
{
#if defined(_WIN32)
    EXPECT_EQ('\\', CSystemString::getSeparator());
#else
    EXPECT_EQ('/', CSystemString::getSeparator());
#endif
    CSystemString text("x");
    EXPECT_STREQ("CSystemString", text.getClass().getClassName());
    EXPECT_STREQ("CCountedObject", text.getClass().getParentName());
    EXPECT_STREQ("CHtmlString", CHtmlString("y").getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CHtmlString::getStaticClass().getParentName());

    CSystemString copy = text;
    copy = "changed";
    EXPECT_STREQ("x", text.getString());
    text = copy;
    EXPECT_STREQ("changed", text.getString());
}

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
}

TEST(StringTokeniser, LeadingUnderscoreDoesNotCountItsFirstToken)
{
    CStringTokeniser text("_a,b", ',');
    EXPECT_EQ(1, text.getNumberOfTokens());
    std::unique_ptr<char[]> token(text.getNextToken());
    EXPECT_STREQ("_a", token.get());
    EXPECT_FALSE(text.hasMoreTokens());
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

TEST(StringTokeniser, LongTextsAreCut)
{
    const std::string longText(3000, 'z');
    CStringTokeniser text(longText.c_str(), ',');
    std::unique_ptr<char[]> token(text.getNextToken());
    EXPECT_EQ(std::string(2047, 'z'), token.get());
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
    CHtmlString unopened("example.org");
    EXPECT_FALSE(unopened.openAddress());

    CHtmlString::setAddressOpener(recordAddress);
    CHtmlString bare("www.example.org");
    EXPECT_TRUE(bare.openAddress());
    EXPECT_EQ("http://www.example.org", g_opened);
    CHtmlString web("http://a.b");
    web.openAddress();
    EXPECT_EQ("http://a.b", g_opened);
    CHtmlString file("file://c:/x.html");
    file.openAddress();
    EXPECT_EQ("file://c:/x.html", g_opened);
    CHtmlString::setAddressOpener(nullptr);
}
