#include <gtest/gtest.h>

#include <string>

#include "framework/io/TextStream.hpp"
#include "tests/io/TempFiles.hpp"

using namespace Vantor::IO;
using Vantor::Basics::CCountedObject;
using Vantor::Basics::CString;
using Vantor::Basics::CSystemString;

using TextStream = Vantor::Testing::CTempFileTest;

TEST_F(TextStream, WritesValuesWithoutSeparators)
{
    const std::string file = path("out.txt");
    CCountedObject object;
    object.referenced();
    object.referenced();
    {
        CTextStream stream(CSystemString(file.c_str()), CTextStream::kWrite);
        ASSERT_TRUE(stream.isOpenForWriting());
        EXPECT_FALSE(stream.isOpenForReading());
        stream << "a" << 5L << true;
        stream << static_cast<const char*>(nullptr); // ignored
        stream << "|" << -12 << false << CString("x y") << CSystemString("p") << "\n";
        // Real numbers get twenty decimals; the fixed notation leaves integers alone.
        stream << 0.5 << "\n" << 2.0f << "\n" << 1.0 / 3.0 << "\n" << 7L << "\n";
        stream << static_cast<const Vantor::Basics::ICountedObject&>(object);
    }
    EXPECT_EQ(readTextFile(file), "a5true|-12falsex yp\n"
                                  "0.50000000000000000000\n"
                                  "2.00000000000000000000\n"
                                  "0.33333333333333331483\n"
                                  "7\n"
                                  "[CCounted Object Base Reference Count = 2");
}

TEST_F(TextStream, ReadsOneValuePerLine)
{
    const std::string file = path("in.txt");
    writeFile(file, "12\r\n3.5\ntrue\nTrue\n-7 apples\n  spaced words \n\nC:\\dir\\file.png\r\nlast\n" +
                        std::string(1500, 'x') + "\nnext");
    CTextStream stream(CSystemString(file.c_str()), CTextStream::kRead);
    ASSERT_TRUE(stream.isOpenForReading());
    EXPECT_STREQ(stream.getLineBuffer(), "Empty string");

    long number = 0;
    double real = 0;
    bool first = false, second = true;
    int integer = 0;
    stream >> number >> real >> first >> second >> integer;
    EXPECT_EQ(number, 12) << "the carriage return is dropped";
    EXPECT_DOUBLE_EQ(real, 3.5);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second) << "only the exact text \"true\" is true";
    EXPECT_EQ(integer, -7);

    // Text is read a whole line at a time.
    char buffer[CTextStream::kLineBufferSize];
    CString empty("not yet"), text;
    CSystemString pathText;
    stream >> buffer >> empty >> pathText;
    EXPECT_STREQ(buffer, "  spaced words ");
    EXPECT_STREQ(empty.getString(), "");
    EXPECT_STREQ(pathText.getString(), "C:\\dir\\file.png");

    // A line longer than the buffer is read in pieces.
    CString piece, rest, next;
    stream >> text >> piece >> rest;
    EXPECT_STREQ(text.getString(), "last");
    EXPECT_EQ(piece.getNumberOfCharacters() - 1, 1023);
    EXPECT_EQ(rest.getNumberOfCharacters() - 1, 1500 - 1023);
    EXPECT_FALSE(stream.isEndOfFile());
    stream >> next;
    EXPECT_STREQ(next.getString(), "next");
    EXPECT_TRUE(stream.isEndOfFile());
}

TEST_F(TextStream, WrongModeOrClosedStreamLeavesTargetsAlone)
{
    CTextStream stream;
    EXPECT_TRUE(stream.isEndOfFile());
    CString text("unchanged");
    long number = 42;
    stream >> text >> number;
    EXPECT_STREQ(text.getString(), "unchanged");
    EXPECT_EQ(number, 42);
    EXPECT_FALSE(stream.open(CSystemString(path("missing.txt").c_str()), CTextStream::kRead));
    EXPECT_FALSE(stream.open(CSystemString(path("other.txt").c_str()), 2)) << "unknown mode";
    EXPECT_FALSE(stream.open(CSystemString(path("no/such/folder.txt").c_str()), CTextStream::kWrite));

    const std::string file = path("modes.txt");
    writeFile(file, "content\n");
    ASSERT_TRUE(stream.open(CSystemString(file.c_str()), CTextStream::kRead));
    stream << "ignored";
    stream.close();
    EXPECT_EQ(readFile(file), "content\n");
    stream >> text;
    EXPECT_STREQ(text.getString(), "unchanged");

    ASSERT_TRUE(stream.open(CSystemString(file.c_str()), CTextStream::kWrite));
    EXPECT_EQ(readFile(file), "") << "opening for writing truncates";
    stream >> text;
    EXPECT_STREQ(text.getString(), "unchanged");
    stream << "first";
    ASSERT_TRUE(stream.open(CSystemString(file.c_str()), CTextStream::kRead)) << "reopening closes first";
    stream >> text;
    EXPECT_STREQ(text.getString(), "first");
}
