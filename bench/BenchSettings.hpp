#pragma once

#include <cmath>

namespace Vantor::Bench
{

// The comparison setting: threshold -20 dB, 4:1, attack 5 ms, release 50 ms,
// fully wet, master at its middle. Given as the effect's normalised host values.
struct SCompressorSetting
{
    static constexpr float kThresholdDb = -20.0f;
    static constexpr float kSlope = 0.25f; // 4:1
    static constexpr float kAttackMs = 5.0f;
    static constexpr float kReleaseMs = 50.0f;

    static float thresholdValue() { return (kThresholdDb + 50.0f) / 50.0f; }
    // The host value whose slope is 0.25 to single precision (shown as "4.00").
    static float ratioValue() { return 0.7894737f; }
    static float attackValue() { return static_cast<float>(std::log10(kAttackMs) / 3.0); }
    static float releaseValue() { return static_cast<float>(std::log10(kReleaseMs) / 3.0); }
};

} // namespace Vantor::Bench
