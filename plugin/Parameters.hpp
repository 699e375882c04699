#pragma once
// The six parameters of the effect, described once. Every face of the product
// reads this table: the effect's parameter objects and the texts it answers a
// host, the vendor-specific range query, the MIDI controllers, the factory
// programs, the editor's captions and read-outs, the artwork, the benchmarks'
// settings and the LV2 description. Header only and free of the framework, so
// that build-time generators can read it too.
//
// Three kinds of value meet here:
//   - the host value: the normalised 0..1 number a host stores and automates;
//   - the object value and the real value: what the parameter object holds and
//     maps onto its range (the Ratio object holds the complement of the host
//     value and maps it onto the compressor's slope);
//   - the user value: the number in the user's own units (dB, x:1, ms, 0..1),
//     which is the real value except for Ratio, whose user value is 1 / slope.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace Vantor::Quellor::Parameters
{

enum EIndex : int
{
    kMaster = 0,
    kThreshold,
    kRatio,
    kAttack,
    kRelease,
    kMix,
    kCount
};

// How an object value v becomes the real value.
enum class EMapping
{
    kLinear,      // minimum + (maximum - minimum) * v, in single precision
    kExponential, // minimum * (maximum / minimum)^v, kept inside the range
};

// What the host reads as a value's text.
enum class EDisplay
{
    kObject,     // the parameter object's own text: fewer decimals as the value grows
    kReciprocal, // 1 / real value in four characters ("1.00" to "20.0")
};

// The user's unit of a value.
enum class EUnit
{
    kDecibels,
    kRatio, // x:1, the reciprocal of the real value (a slope)
    kMilliseconds,
    kFactor, // 0..1
};

inline constexpr int kNoController = -1;

struct SRange
{
    double minimum;
    double maximum;
};

struct SParameter
{
    EIndex index;
    const char* name;  // the name a host reads
    const char* label; // the unit label a host reads
    EMapping mapping;
    float minimum; // range of the real value
    float maximum;
    bool inverted;             // the object holds 1 - host value
    SRange queryRange;         // what the vendor-specific range query answers
    float initialValue;        // the object value a new parameter object starts from
    float defaultValue;        // the host value of the "Default" program
    int controller;            // the MIDI control change that sets it, or kNoController
    EDisplay display;          // the text a host reads
    EUnit unit;                // the user's unit
    const char* readOutSuffix; // what the editor's read-out writes after the number
    const char* caption;       // the editor's caption where it differs from the name
};

// Master carries 2 dB on top of its shown value (see CQuellor::setParameter);
// Threshold at exactly its top switches the compressor off.
inline constexpr std::array<SParameter, kCount> kTable{{
    {kMaster,
     "Master",
     "dB",
     EMapping::kLinear,
     -20.0f,
     20.0f,
     false,
     {-20.0, 20.0},
     0.5f,
     0.5f,
     74,
     EDisplay::kObject,
     EUnit::kDecibels,
     " dB",
     nullptr},
    {kThreshold,
     "Threshold",
     "dB",
     EMapping::kLinear,
     -50.0f,
     0.0f,
     false,
     {-50.0, 0.0},
     1.0f,
     1.0f,
     71,
     EDisplay::kObject,
     EUnit::kDecibels,
     " dB",
     nullptr},
    // Host value 0 is 1:1 (slope 1), 1 is 20:1 (slope 0.05).
    {kRatio,
     "Ratio",
     " :1",
     EMapping::kLinear,
     0.05f,
     1.0f,
     true,
     {0.0, 1.0},
     1.0f,
     0.0f,
     70,
     EDisplay::kReciprocal,
     EUnit::kRatio,
     " :1",
     nullptr},
    {kAttack,
     "Attack",
     "ms",
     EMapping::kExponential,
     1.0f,
     1000.0f,
     false,
     {1.0, 1000.0},
     0.0f,
     0.25f,
     72,
     EDisplay::kObject,
     EUnit::kMilliseconds,
     " ms",
     nullptr},
    {kRelease,
     "Release",
     "ms",
     EMapping::kExponential,
     1.0f,
     1000.0f,
     false,
     {1.0, 1000.0},
     0.0f,
     0.5f,
     73,
     EDisplay::kObject,
     EUnit::kMilliseconds,
     " ms",
     nullptr},
    {kMix,
     "Mix",
     "mix",
     EMapping::kLinear,
     0.0f,
     1.0f,
     false,
     {0.0, 1.0},
     1.0f,
     1.0f,
     kNoController,
     EDisplay::kObject,
     EUnit::kFactor,
     "",
     "Dry/Wet"},
}};

constexpr bool isIndex(long index)
{
    return index >= 0 && index < kCount;
}

constexpr const SParameter& parameter(int index)
{
    return kTable[static_cast<std::size_t>(index)];
}

constexpr const char* captionOf(const SParameter& parameter)
{
    return parameter.caption != nullptr ? parameter.caption : parameter.name;
}

// The host values of the "Default" program, in index order.
constexpr std::array<float, kCount> defaultValues()
{
    std::array<float, kCount> values{};
    for (const SParameter& entry : kTable)
    {
        values[static_cast<std::size_t>(entry.index)] = entry.defaultValue;
    }
    return values;
}

// The parameter a MIDI control change sets, or -1.
constexpr int indexOfController(int controller)
{
    for (const SParameter& entry : kTable)
    {
        if (entry.controller != kNoController && entry.controller == controller)
        {
            return entry.index;
        }
    }
    return -1;
}

// The parameter of this name (as the host reads it), or -1.
inline int indexOfName(const char* name)
{
    for (const SParameter& entry : kTable)
    {
        if (name != nullptr && std::strcmp(entry.name, name) == 0)
        {
            return entry.index;
        }
    }
    return -1;
}

// Host value to object value and back (the same complement both ways).
constexpr float objectValue(const SParameter& parameter, float hostValue)
{
    return parameter.inverted ? 1.0f - hostValue : hostValue;
}
constexpr float hostValue(const SParameter& parameter, float objectValue)
{
    return parameter.inverted ? 1.0f - objectValue : objectValue;
}

// The mappings from an object value to the real value, as the parameter objects compute them.
inline float linearReal(float minimum, float maximum, float value)
{
    return minimum + (maximum - minimum) * value;
}
// Evaluated in extended precision, stored in single precision and kept inside the range.
inline float exponentialReal(float minimum, float maximum, float value)
{
    const long double low = std::log(static_cast<long double>(minimum));
    const long double high = std::log(static_cast<long double>(maximum));
    const auto real = static_cast<float>(std::exp(low + (high - low) * value));
    return std::clamp(real, minimum, maximum);
}

inline float realValue(const SParameter& parameter, float objectValue)
{
    return parameter.mapping == EMapping::kLinear
               ? linearReal(parameter.minimum, parameter.maximum, objectValue)
               : exponentialReal(parameter.minimum, parameter.maximum, objectValue);
}

// The inverse mapping: the object value whose real value is `real`, unclamped.
inline double objectValueOfReal(const SParameter& parameter, double real)
{
    const double low = parameter.minimum;
    const double high = parameter.maximum;
    return parameter.mapping == EMapping::kLinear ? (real - low) / (high - low)
                                                  : std::log(real / low) / std::log(high / low);
}

// The real value in the user's unit, and back.
constexpr double userValueOfReal(const SParameter& parameter, double real)
{
    return parameter.unit == EUnit::kRatio ? 1.0 / real : real;
}
constexpr double realValueOfUser(const SParameter& parameter, double user)
{
    return parameter.unit == EUnit::kRatio ? 1.0 / user : user;
}

// What a host value means in the user's unit: -20..20 dB, -50..0 dB, 1..20 (x:1), 1..1000 ms, 0..1.
inline double userValue(const SParameter& parameter, float hostValue)
{
    return userValueOfReal(parameter, realValue(parameter, objectValue(parameter, hostValue)));
}

// The host value for a value in the user's unit, kept within 0..1 (a value that
// is not a number gives the default).
inline float hostValueOfUser(const SParameter& parameter, double user)
{
    const double object = objectValueOfReal(parameter, realValueOfUser(parameter, user));
    const double host = parameter.inverted ? 1.0 - object : object;
    if (std::isnan(host))
    {
        return parameter.defaultValue;
    }
    return static_cast<float>(std::clamp(host, 0.0, 1.0));
}

// The user's range: the user values of host values 0 and 1, lower first.
inline SRange userRange(const SParameter& parameter)
{
    const double atZero = userValue(parameter, 0.0f);
    const double atOne = userValue(parameter, 1.0f);
    return {std::min(atZero, atOne), std::max(atZero, atOne)};
}

// The standard setting that benchmarks and comparisons run: threshold -20 dB,
// 4:1, attack 5 ms, release 50 ms, in the user's units; the other parameters
// keep the values of the "Default" program.
struct SUserValue
{
    EIndex index;
    double user;
};
inline constexpr std::array<SUserValue, 4> kStandardSetting{{
    {kThreshold, -20.0},
    {kRatio, 4.0},
    {kAttack, 5.0},
    {kRelease, 50.0},
}};

} // namespace Vantor::Quellor::Parameters
