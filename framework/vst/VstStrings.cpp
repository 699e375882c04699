#include "framework/vst/VstStrings.hpp"

#include <cmath>
#include <cstring>

namespace Vantor::Vst
{

char* vst_strncpy(char* dst, const char* src, VstInt32 n)
{
    if (dst == nullptr || n < 0)
    {
        return dst;
    }
    std::strncpy(dst, src != nullptr ? src : "", static_cast<std::size_t>(n));
    dst[n] = 0;
    return dst;
}

char* vst_strncat(char* dst, const char* src, VstInt32 n)
{
    if (dst == nullptr || n < 0)
    {
        return dst;
    }
    // Append in place without ever writing past dst[n].
    std::size_t length = std::strlen(dst);
    if (src != nullptr)
    {
        for (; length < static_cast<std::size_t>(n) && *src != 0; ++length, ++src)
        {
            dst[length] = *src;
        }
    }
    dst[length < static_cast<std::size_t>(n) ? length : static_cast<std::size_t>(n)] = 0;
    return dst;
}

namespace
{

constexpr int kFloatTextWidth = 8;

// Copies the first maxLen characters of a finished text plus a terminator.
void copyOut(const char* source, char* text, VstInt32 maxLen)
{
    if (text == nullptr || maxLen < 0)
    {
        return;
    }
    vst_strncpy(text, source, maxLen);
}

} // namespace

void float2string(float value, char* text, VstInt32 maxLen)
{
    double magnitude = value;
    const bool negative = magnitude < 0.0;
    if (negative)
    {
        magnitude = -magnitude;
    }
    if (std::isnan(magnitude) || magnitude > (negative ? 9999999.0 : 99999999.0))
    {
        return; // out of range: the caller's text stays as it was
    }

    char out[kFloatTextWidth + 1] = {};
    int pos = 0;
    if (negative)
    {
        out[pos++] = '-';
    }

    // Integer digits, least significant first; only those that fit beside
    // the sign and the point are kept, surplus leading digits are dropped.
    const double integerPart = std::floor(magnitude);
    auto whole = static_cast<long long>(integerPart);
    char digits[kFloatTextWidth];
    int digitCount = 0;
    const int maxDigits = kFloatTextWidth - 1 - (negative ? 1 : 0);
    do
    {
        digits[digitCount++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole > 0 && digitCount < maxDigits);
    while (digitCount > 0)
    {
        out[pos++] = digits[--digitCount];
    }
    out[pos++] = '.';

    // Fraction digits by truncation, peeled from the right of the scaled fraction.
    const int places = kFloatTextWidth - pos;
    double scaled = (magnitude - integerPart) * std::pow(10.0, places);
    for (int i = kFloatTextWidth - 1; i >= pos; --i)
    {
        out[i] = scaled <= 0.0 ? '0' : static_cast<char>('0' + static_cast<int>(std::fmod(scaled, 10.0)));
        scaled /= 10.0;
    }
    copyOut(out, text, maxLen);
}

void int2string(VstInt32 value, char* text, VstInt32 maxLen)
{
    if (text == nullptr || maxLen < 0)
    {
        return;
    }
    if (value >= 100000000)
    {
        vst_strncpy(text, "Huge!", maxLen);
        return;
    }
    long long magnitude = value;
    vst_strncpy(text, magnitude < 0 ? "-" : "", maxLen);
    if (magnitude < 0)
    {
        magnitude = -magnitude;
    }
    // Digits from the most significant one; zero itself produces no digit.
    long long divisor = 1000000000LL;
    bool started = false;
    for (; divisor > 0; divisor /= 10)
    {
        const int digit = static_cast<int>(magnitude / divisor % 10);
        started = started || digit != 0;
        if (started)
        {
            const char piece[2] = {static_cast<char>('0' + digit), 0};
            vst_strncat(text, piece, maxLen);
        }
    }
}

void dB2string(float value, char* text, VstInt32 maxLen)
{
    if (value <= 0.0f)
    {
        vst_strncpy(text, "-oo", maxLen);
        return;
    }
    float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text, maxLen);
}

void Hz2string(float samples, float sampleRate, char* text, VstInt32 maxLen)
{
    float2string(samples == 0.0f ? 0.0f : sampleRate / samples, text, maxLen);
}

void ms2string(float samples, float sampleRate, char* text, VstInt32 maxLen)
{
    float2string(static_cast<float>(static_cast<double>(samples) * 1000.0 / static_cast<double>(sampleRate)),
                 text, maxLen);
}

} // namespace Vantor::Vst
