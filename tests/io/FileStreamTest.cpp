#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/io/FileStream.hpp"
#include "tests/io/TempFiles.hpp"

using namespace Vantor::IO;
using Vantor::Basics::CSystemString;

namespace
{

class FileStream : public Vantor::Testing::CTempFileTest
{
protected:
    CSystemString file() const { return CSystemString(path("data.bin").c_str()); }
};

std::string bytes(std::initializer_list<unsigned char> values)
{
    return std::string(values.begin(), values.end());
}

} // namespace

TEST_F(FileStream, WritesInTheDeclaredByteOrder)
{
    {
        CFileStream stream(file(), true, false);
        ASSERT_TRUE(stream.isOpenForWriting());
        stream << std::int16_t(0x0102) << std::uint32_t(0x01020304u) << std::int64_t(0x0102030405060708LL);
        stream << 'A' << static_cast<unsigned char>(0xFE) << true << false;
        EXPECT_FALSE(stream.hasFailed());
    }
    EXPECT_EQ(readFile(path("data.bin")), bytes({1, 2, 1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 7, 8, 'A', 0xFE, 1, 0}));
    {
        CFileStream stream(file(), true, true);
        stream << std::int16_t(0x0102) << std::int32_t(-2);
    }
    EXPECT_EQ(readFile(path("data.bin")), bytes({2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));

    CFileStream stream;
    ASSERT_TRUE(stream.open(file(), true, false, true)); // never swap, whatever the declared order
    stream << std::uint16_t(0x0102);
    stream.close();
    EXPECT_EQ(readFile(path("data.bin")), bytes({2, 1}));
}

TEST_F(FileStream, ReadsBigEndianValuesAndArraysOfShorts)
{
    writeFile(path("data.bin"),
              bytes({0, 0, 1, 2, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0, 2, 1, 0, 1, 0xFF, 0xFE, 1, 0}));
    CFileStream stream(file(), false, false);
    ASSERT_TRUE(stream.isOpenForReading());
    std::int32_t number = 0;
    double real = 0;
    bool flag = true;
    stream >> number >> real >> flag;
    EXPECT_EQ(number, 258);
    EXPECT_DOUBLE_EQ(real, 1.0);
    EXPECT_FALSE(flag) << "a bool is true only for the byte 1";
    stream >> flag;
    EXPECT_TRUE(flag);
    std::int16_t values[3] = {};
    ASSERT_TRUE(stream.readArray(values, 3));
    EXPECT_EQ(std::vector<std::int16_t>(values, values + 3), (std::vector<std::int16_t>{1, -2, 256}));
    EXPECT_FALSE(stream.hasFailed());
    EXPECT_FALSE(stream.readArray(values, 1)) << "nothing left";
    EXPECT_TRUE(stream.hasFailed());
}

TEST_F(FileStream, RealNumbersRoundTripInBothOrders)
{
    for (bool littleEndian : {true, false})
    {
        {
            CFileStream writer(file(), true, littleEndian);
            writer << 0.1f << -2.5e300 << std::uint64_t(0x8000000000000001ULL);
        }
        CFileStream reader(file(), false, littleEndian);
        float single = 0;
        double twice = 0;
        std::uint64_t wide = 0;
        reader >> single >> twice >> wide;
        EXPECT_EQ(single, 0.1f);
        EXPECT_EQ(twice, -2.5e300);
        EXPECT_EQ(wide, 0x8000000000000001ULL);
        EXPECT_FALSE(reader.hasFailed());
    }
}

TEST_F(FileStream, FailuresAreRecordedNotThrown)
{
    writeFile(path("data.bin"), bytes({1, 2, 3}));
    CFileStream stream(file(), false, true);
    std::int32_t value = 77;
    stream >> value;
    EXPECT_TRUE(stream.hasFailed()) << "short read";
    EXPECT_EQ(value, 77) << "a short read leaves the target";
    EXPECT_TRUE(stream.isEndOfFile());

    ASSERT_TRUE(stream.open(file(), false, true, false));
    EXPECT_FALSE(stream.hasFailed()) << "open clears the flag";
    stream << std::int32_t(5);
    EXPECT_TRUE(stream.hasFailed()) << "writing to a stream open for reading";
    EXPECT_FALSE(stream.writeBytes("x", 1));
    stream.close();
    EXPECT_FALSE(stream.hasFailed()) << "close clears the flag";

    stream >> value;
    EXPECT_TRUE(stream.hasFailed()) << "reading a closed stream";
    EXPECT_FALSE(stream.open(CSystemString(path("missing.bin").c_str()), false, true, false));
    EXPECT_EQ(stream.getStreamSize(), -1);
}

TEST_F(FileStream, SizeAndPositioning)
{
    writeFile(path("data.bin"), bytes({10, 11, 12, 13, 14, 15}));
    CFileStream stream(file(), false, true);
    unsigned char byte = 0;
    stream >> byte;
    EXPECT_EQ(stream.getStreamSize(), 6);
    EXPECT_EQ(stream.getPosition(), 1) << "the size query keeps the position";

    EXPECT_TRUE(stream.moveTo(4));
    stream >> byte;
    EXPECT_EQ(byte, 14);
    EXPECT_TRUE(stream.moveBy(-3));
    stream >> byte;
    EXPECT_EQ(byte, 12);
    stream.rewind();
    EXPECT_FALSE(stream.moveTo(-1));

    char raw[6] = {};
    EXPECT_TRUE(stream.readBytes(raw, 6));
    EXPECT_EQ(raw[5], 15);

    CFileStream writer(CSystemString(path("other.bin").c_str()), true, true);
    EXPECT_EQ(writer.getStreamSize(), -1) << "only a stream open for reading has a size";
    EXPECT_TRUE(writer.writeBytes("abc", 3));
    EXPECT_EQ(writer.getPosition(), 3);
}
