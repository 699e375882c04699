#pragma once
// The LV2 edition's names and ports, described once: the bundle generator writes
// them into the plug-in description, the DSP and UI libraries act on them and
// the tests drive them. Header only and free of the framework and of the LV2
// headers, so that the generator and every test can read it.
//
// Two plug-ins share one port layout: the plain one and "PressoraLite SC",
// which adds a side-chain pair at the end (so that every other port has the
// same index in both, and one editor serves both).

#include <array>
#include <cstdint>

#include "plugin/Parameters.hpp"

namespace Vantor::Quellor::Lv2
{

// Stable identifiers of our own: hosts store sessions and presets under them.
inline constexpr const char* kPluginUri = "urn:corvella:pressoralite";
inline constexpr const char* kSideChainPluginUri = "urn:corvella:pressoralite-sc";
inline constexpr const char* kUiUri = "urn:corvella:pressoralite#ui";
inline constexpr const char* kSideChainUiUri = "urn:corvella:pressoralite-sc#ui";

inline constexpr const char* kPluginName = "PressoraLite";
inline constexpr const char* kSideChainPluginName = "PressoraLite SC";

// The files of the bundle.
inline constexpr const char* kBundleName = "PressoraLite.lv2";
inline constexpr const char* kDspBinary = "PressoraLite_dsp.so";
inline constexpr const char* kUiBinary = "PressoraLite_ui.so";
inline constexpr const char* kDescriptionFile = "PressoraLite.ttl";
inline constexpr const char* kPresetsFile = "presets.ttl";

enum EPort : std::uint32_t
{
    kInputLeft = 0,
    kInputRight,
    kOutputLeft,
    kOutputRight,
    kFirstControl, // the six parameters, in the table's index order
    kEnabled = kFirstControl + Parameters::kCount,
    kLatency,
    kLevel,
    kGainReduction,
    kPlainPortCount,
    kSideChainLeft = kPlainPortCount,
    kSideChainRight,
    kSideChainPortCount
};

constexpr std::uint32_t controlPort(int parameterIndex)
{
    return kFirstControl + static_cast<std::uint32_t>(parameterIndex);
}

// The parameter a port carries, or -1.
constexpr int parameterOfPort(std::uint32_t port)
{
    return port >= kFirstControl && port < kEnabled ? static_cast<int>(port - kFirstControl) : -1;
}

// The symbols of the parameters' ports (hosts and lv2apply address them so).
inline constexpr std::array<const char*, Parameters::kCount> kControlSymbols{"master", "threshold", "ratio",
                                                                             "attack", "release",   "mix"};

constexpr bool isLowerCaseOf(const char* symbol, const char* name)
{
    for (; *name != '\0'; ++symbol, ++name)
    {
        const char lower = (*name >= 'A' && *name <= 'Z') ? static_cast<char>(*name - 'A' + 'a') : *name;
        if (*symbol != lower)
        {
            return false;
        }
    }
    return *symbol == '\0';
}
// Each symbol is its parameter's name in lower case.
static_assert(
    []
    {
        for (const Parameters::SParameter& entry : Parameters::kTable)
        {
            if (!isLowerCaseOf(kControlSymbols[static_cast<std::size_t>(entry.index)], entry.name))
            {
                return false;
            }
        }
        return true;
    }());

// The latency the latency port reports: the effect's block.
inline constexpr float kLatencyFrames = 16.0f;
// Samples over which a switch of the bypass crossfades.
inline constexpr int kBypassFadeFrames = 64;

} // namespace Vantor::Quellor::Lv2
