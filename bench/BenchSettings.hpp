#pragma once
// The standard setting of the benchmarks (threshold -20 dB, 4:1, attack 5 ms,
// release 50 ms; see Parameters::kStandardSetting), applied to an effect by its
// host values or to the compressor alone in its own units.

#include "plugin/CompressorSC.hpp"
#include "plugin/Parameters.hpp"

namespace Vantor::Bench
{

// Anything with setParameter(index, hostValue): the effect, or a host's handle on the plug-in.
template <typename Effect> void applyStandardSetting(Effect& effect)
{
    for (const Quellor::Parameters::SUserValue& setting : Quellor::Parameters::kStandardSetting)
    {
        const Quellor::Parameters::SParameter& parameter = Quellor::Parameters::parameter(setting.index);
        effect.setParameter(setting.index, Quellor::Parameters::hostValueOfUser(parameter, setting.user));
    }
}

// The same setting given straight to the compressor (threshold, slope, times).
inline void applyStandardSetting(Quellor::CCompressorSC& compressor)
{
    using namespace Quellor::Parameters;
    const auto real = [](const SUserValue& setting)
    { return static_cast<float>(realValueOfUser(parameter(setting.index), setting.user)); };
    for (const SUserValue& setting : kStandardSetting)
    {
        switch (setting.index)
        {
        case kThreshold:
            compressor.setThreshold(real(setting));
            break;
        case kRatio:
            compressor.setRatio(real(setting));
            break;
        case kAttack:
            compressor.getAttack().setTime(real(setting));
            break;
        case kRelease:
            compressor.getRelease().setTime(real(setting));
            break;
        default:
            break;
        }
    }
}

} // namespace Vantor::Bench
