#include "framework/vst/VstStrings.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace Vantor::Vst
{
namespace
{

std::string floatText(float value, VstInt32 maxLen = 8)
{
    char text[32];
    std::memset(text, '#', sizeof(text));
    text[31] = 0;
    float2string(value, text, maxLen);
    return text;
}

TEST(VstStrings, BoundedCopyAndAppendNeverPassTheLimit)
{
    char text[9];
    std::memset(text, '#', sizeof(text));
    vst_strncpy(text, "Threshold", 8);
    EXPECT_STREQ(text, "Threshol");

    char padded[6] = "#####";
    vst_strncpy(padded, "ab", 4);
    EXPECT_EQ(std::memcmp(padded, "ab\0\0\0", 5), 0);

    char buffer[8] = "abc";
    buffer[5] = '#';
    buffer[6] = '#';
    vst_strncat(buffer, "defgh", 5);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(buffer[6], '#'); // nothing written past dst[n]
    vst_strncat(buffer, "x", 5);
    EXPECT_STREQ(buffer, "abcde");

    EXPECT_EQ(vst_strncpy(nullptr, "a", 3), nullptr);
    char untouched[4] = "abc";
    vst_strncpy(untouched, "z", -1);
    EXPECT_STREQ(untouched, "abc");
}

TEST(VstStrings, FloatTextTruncatesToEightCharacters)
{
    struct Case
    {
        float value;
        const char* full;
        const char* four;
    };
    const Case cases[] = {
        {1.0f, "1.000000", "1.00"},         {4.0f, "4.000000", "4.00"},
        {20.0f, "20.00000", "20.0"},        {1.0f / 0.05f, "20.00000", "20.0"},
        {0.0f, "0.000000", "0.00"},         {0.5f, "0.500000", "0.50"},
        {0.7f, "0.699999", "0.69"},         {3.9999998f, "3.999999", "3.99"},
        {1.0f / 0.35f, "2.857142", "2.85"}, {1.0f / 0.95f, "1.052631", "1.05"},
        {-3.25f, "-3.25000", "-3.2"},       {123.456f, "123.4560", "123."},
        {1234567.0f, "1234567.", "1234"},   {12345678.0f, "2345678.", "2345"},
        {-1234567.0f, "-234567.", "-234"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(floatText(c.value), c.full) << c.value;
        EXPECT_EQ(floatText(c.value, 4), c.four) << c.value;
    }
    EXPECT_EQ(floatText(0.5f, 20), "0.500000");
    EXPECT_EQ(floatText(0.5f, 0), "");
}

TEST(VstStrings, FloatTextOutOfRangeLeavesTheTextAlone)
{
    char text[16] = "before";
    float2string(123456789.0f, text, 8);
    EXPECT_STREQ(text, "before");
    float2string(-12345678.0f, text, 8);
    EXPECT_STREQ(text, "before");
    float2string(std::numeric_limits<float>::quiet_NaN(), text, 8);
    EXPECT_STREQ(text, "before");
    float2string(std::numeric_limits<float>::infinity(), text, 8);
    EXPECT_STREQ(text, "before");
    EXPECT_EQ(floatText(99999992.0f), "9999992."); // largest float in range
    EXPECT_EQ(floatText(-9999999.0f), "-999999.");
}

TEST(VstStrings, IntegerDecibelAndTimeTexts)
{
    char text[32];
    int2string(1234, text, 8);
    EXPECT_STREQ(text, "1234");
    int2string(-56, text, 8);
    EXPECT_STREQ(text, "-56");
    int2string(123456, text, 3);
    EXPECT_STREQ(text, "123");
    int2string(100000000, text, 8);
    EXPECT_STREQ(text, "Huge!");
    int2string(0, text, 8);
    EXPECT_STREQ(text, "");
    int2string(-2147483647 - 1, text, 16);
    EXPECT_STREQ(text, "-2147483648");

    dB2string(0.0f, text, 8);
    EXPECT_STREQ(text, "-oo");
    dB2string(10.0f, text, 8);
    EXPECT_STREQ(text, "20.00000");
    dB2string(1.0f, text, 4);
    EXPECT_STREQ(text, "0.00");

    Hz2string(0.0f, 44100.0f, text, 8);
    EXPECT_STREQ(text, "0.000000");
    Hz2string(441.0f, 44100.0f, text, 8);
    EXPECT_STREQ(text, "100.0000");
    ms2string(441.0f, 44100.0f, text, 8);
    EXPECT_STREQ(text, "10.00000");
}

} // namespace
} // namespace Vantor::Vst
