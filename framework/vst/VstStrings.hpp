#pragma once
// Text helpers for answering a VST host: bounded copies into host buffers and
// the fixed-width number-to-text conversions effects show in parameter
// displays. All of them work on caller-provided buffers, allocate nothing and
// may be used on the audio thread.

#include "framework/vst/VstAbi.hpp"

namespace Vantor::Vst
{

// Copies at most n characters of src (padding with NULs up to n like strncpy)
// and always terminates at dst[n]: dst must hold n + 1 bytes.
// "Threshold" with n = 8 becomes "Threshol". Null pointers or a negative n do nothing.
char* vst_strncpy(char* dst, const char* src, VstInt32 n);

// Appends src to dst, keeping the whole text at most n characters; writes the
// terminator at or before dst[n], so dst must hold n + 1 bytes.
char* vst_strncat(char* dst, const char* src, VstInt32 n);

// Fixed eight-character decimal form of value, truncated (not rounded), cut to
// maxLen characters:
//   1.0 -> "1.000000", 0.7f -> "0.699999", -3.25 -> "-3.25000", 123.456f -> "123.4560",
//   1234567 -> "1234567.", 12345678 -> "2345678." (leading digits that do not fit are lost).
// A negative value below -9 999 999, a value above 99 999 999 or NaN leave text unchanged.
// At most maxLen + 1 bytes are written.
void float2string(float value, char* text, VstInt32 maxLen);

// Decimal digits of value without leading zeros, cut to maxLen characters.
// Values of 100 000 000 and more give "Huge!". Zero gives an empty text
// (long-standing behaviour that existing displays rely on).
void int2string(VstInt32 value, char* text, VstInt32 maxLen);

// Linear gain as decibels through float2string; a gain <= 0 gives "-oo".
void dB2string(float value, char* text, VstInt32 maxLen);

// A period of samples as a frequency (sampleRate / samples) through float2string; 0 samples give "0.000000".
void Hz2string(float samples, float sampleRate, char* text, VstInt32 maxLen);

// A number of samples as milliseconds through float2string.
void ms2string(float samples, float sampleRate, char* text, VstInt32 maxLen);

} // namespace Vantor::Vst
