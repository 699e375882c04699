#include "framework/vst/VstStrings.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace Vantor::Vst
{
namespace
{

// Runs a text function on a buffer pre-filled with '#' and returns what it left there.
template <class Write> std::string written(Write write)
{
    char text[32];
    std::memset(text, '#', sizeof(text));
    text[31] = 0;
    write(text);
    return text;
}

std::string floatText(float value, VstInt32 maxLen = 8)
{
    return written([&](char* text) { float2string(value, text, maxLen); });
}

TEST(VstStrings, BoundedCopyAndAppendNeverPassTheLimit)
{
    EXPECT_EQ(written([](char* t) { vst_strncpy(t, "Threshold", 8); }), "Threshol");
    char padded[6] = "#####";
    vst_strncpy(padded, "ab", 4);
    EXPECT_EQ(std::memcmp(padded, "ab\0\0\0", 5), 0);

    char buffer[8] = "abc";
    buffer[5] = buffer[6] = '#';
    vst_strncat(buffer, "defgh", 5);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(buffer[6], '#'); // nothing written past dst[n]
    vst_strncat(buffer, "x", 5);
    EXPECT_STREQ(buffer, "abcde");

    EXPECT_EQ(vst_strncpy(nullptr, "a", 3), nullptr);
    vst_strncpy(buffer, "z", -1);
    EXPECT_STREQ(buffer, "abcde");
}

TEST(VstStrings, FloatTextTruncatesToEightCharacters)
{
    const struct
    {
        float value;
        const char *full, *four;
    } cases[] = {
        {1.0f, "1.000000", "1.00"},         {4.0f, "4.000000", "4.00"},
        {20.0f, "20.00000", "20.0"},        {1.0f / 0.05f, "20.00000", "20.0"},
        {0.0f, "0.000000", "0.00"},         {0.5f, "0.500000", "0.50"},
        {0.7f, "0.699999", "0.69"},         {3.9999998f, "3.999999", "3.99"},
        {1.0f / 0.35f, "2.857142", "2.85"}, {1.0f / 0.95f, "1.052631", "1.05"},
        {-3.25f, "-3.25000", "-3.2"},       {123.456f, "123.4560", "123."},
        {1234567.0f, "1234567.", "1234"},   {12345678.0f, "2345678.", "2345"},
        {-1234567.0f, "-234567.", "-234"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(floatText(c.value), c.full) << c.value;
        EXPECT_EQ(floatText(c.value, 4), c.four) << c.value;
    }
    EXPECT_EQ(floatText(0.5f, 20), "0.500000");
    EXPECT_EQ(floatText(0.5f, 0), "");
    EXPECT_EQ(floatText(99999992.0f), "9999992."); // largest float in range
    EXPECT_EQ(floatText(-9999999.0f), "-999999.");
    // Out of range: the text is left alone.
    for (float value : {123456789.0f, -12345678.0f, std::numeric_limits<float>::quiet_NaN(),
                        std::numeric_limits<float>::infinity()})
    {
        EXPECT_EQ(floatText(value), std::string(31, '#')) << value;
    }
}

TEST(VstStrings, IntegerDecibelAndTimeTexts)
{
    const struct
    {
        int value, maxLen;
        const char* text;
    } integers[] = {{1234, 8, "1234"},       {-56, 8, "-56"}, {123456, 3, "123"},
                    {100000000, 8, "Huge!"}, {0, 8, ""},      {-2147483647 - 1, 16, "-2147483648"}};
    for (const auto& c : integers)
    {
        EXPECT_EQ(written([&](char* t) { int2string(c.value, t, c.maxLen); }), c.text) << c.value;
    }

    EXPECT_EQ(written([](char* t) { dB2string(0.0f, t, 8); }), "-oo");
    EXPECT_EQ(written([](char* t) { dB2string(10.0f, t, 8); }), "20.00000");
    EXPECT_EQ(written([](char* t) { dB2string(1.0f, t, 4); }), "0.00");
    EXPECT_EQ(written([](char* t) { Hz2string(0.0f, 44100.0f, t, 8); }), "0.000000");
    EXPECT_EQ(written([](char* t) { Hz2string(441.0f, 44100.0f, t, 8); }), "100.0000");
    EXPECT_EQ(written([](char* t) { ms2string(441.0f, 44100.0f, t, 8); }), "10.00000");
}

} // namespace
} // namespace Vantor::Vst
