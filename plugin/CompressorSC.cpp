#include "plugin/CompressorSC.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

#include "plugin/BlockMath.hpp"
#include "plugin/BlockMathConstants.hpp"

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CCompressorSC, "CCompressorSC", "CCountedObject")

namespace
{
constexpr float kDefaultRate = 44100.0f;
constexpr float kAveragerTime = 5.0f;
constexpr float kInitialSmoothingTime = 1.0f;

// Error allowances of the double-precision paths, far above their real errors
// (a few units of 2^-52 of the value, plus 2^-49 dB absolute for the level).
constexpr double kRelativeAllowance = 0x1p-46;
constexpr double kAbsoluteAllowance = 0x1p-46;
// An exponent this small gives exactly 1 in single precision.
constexpr double kNegligibleExponent = 0x1p-27;
// Margin that keeps the quiet bound safely below the threshold.
constexpr double kQuietMarginDb = 0.01;

// Far below -300 dB the 1e-20 offset itself lifts the level: no shortcut there.
constexpr double kLowestQuietThreshold = -300.0;

using BlockMath::kLargestEnergy;

// Gains within these bounds leave each compressed sample within 2^39 of its dry
// one, so the effect's mix can take the compressed sample exactly.
constexpr float kModerateGainLow = 0x1p-38f;
constexpr float kModerateGainHigh = 0x1p38f;

// Settings for which every value of the block stays in the range of the
// vector arithmetic: levels of any finite mean square, exponents within a few
// hundred nepers. Anything else (only reachable through the setters directly)
// takes the step-by-step path.
inline bool isFraction(float value)
{
    return value >= 0.0f && value <= 1.0f;
}
inline bool hasOrdinarySettings(float threshold, float slope, float envelope, float meanSquare,
                                const float (&coefficients)[3])
{
    return std::fabs(threshold) <= 1000.0f && isFraction(slope) && std::fabs(envelope) <= 2000.0f &&
           meanSquare >= 0.0f && meanSquare <= std::numeric_limits<float>::max() &&
           isFraction(coefficients[0]) && isFraction(coefficients[1]) && isFraction(coefficients[2]);
}

// The energy of a detector pair. Beyond the largest float (or not a number) it
// is taken as the largest float, so the detector and envelope state stay finite.
inline float energyOf(float left, float right)
{
    const float sum = left * left + right * right + CCompressorSC::kTiny;
    return sum < kLargestEnergy ? sum : kLargestEnergy;
}

float quietBoundFor(float threshold)
{
    if (!(threshold >= kLowestQuietThreshold))
    {
        return 0.0f;
    }
    return static_cast<float>(std::pow(10.0, (threshold - kQuietMarginDb) / 10.0));
}

// The single-precision value of `value` when every number within `allowance`
// of it rounds to that same float; otherwise false.
inline bool roundsSafely(double value, double allowance, float& result)
{
    const float rounded = static_cast<float>(value);
    if (static_cast<float>(value - allowance) != rounded || static_cast<float>(value + allowance) != rounded)
    {
        return false;
    }
    result = rounded;
    return true;
}
} // namespace

CCompressorSC::CCompressorSC()
    : m_averager(kDefaultRate, kAveragerTime), m_attack(kDefaultRate, kInitialSmoothingTime),
      m_release(kDefaultRate, kInitialSmoothingTime)
{
}

CCompressorSC::~CCompressorSC() = default;

void CCompressorSC::setThreshold(float thresholdDb)
{
    m_threshold.store(thresholdDb, std::memory_order_relaxed);
}
float CCompressorSC::getThreshold() const
{
    return m_threshold.load(std::memory_order_relaxed);
}
void CCompressorSC::setRatio(float slope)
{
    m_ratio.store(slope, std::memory_order_relaxed);
}
float CCompressorSC::getRatio() const
{
    return m_ratio.load(std::memory_order_relaxed);
}

void CCompressorSC::setSampleRate(float sampleRate)
{
    m_attack.setSampleRate(sampleRate);
    m_release.setSampleRate(sampleRate);
    m_averager.setSampleRate(sampleRate);
}

float CCompressorSC::levelOf(float meanSquare)
{
    const long double root = std::fabs(std::sqrt(static_cast<long double>(meanSquare))) + kTiny;
    return static_cast<float>(std::log(root) * kNepersToDb);
}

float CCompressorSC::gainOf(float slope, float envelopeDb)
{
    const long double exponent = (static_cast<long double>(slope) - 1.0L) *
                                 (static_cast<long double>(envelopeDb) - kTiny) * kDbToNepers;
    return static_cast<float>(std::exp(exponent));
}

float CCompressorSC::fastLevelOf(float meanSquare)
{
    const double root = std::sqrt(static_cast<double>(meanSquare)) + static_cast<double>(kTiny);
    const double level = std::log(root) * kNepersToDb;
    float result;
    if (std::isfinite(level) &&
        roundsSafely(level, std::fabs(level) * kRelativeAllowance + kAbsoluteAllowance, result))
    {
        return result;
    }
    return levelOf(meanSquare);
}

float CCompressorSC::fastGainOf(float slope, float envelopeDb)
{
    const double exponent = (static_cast<double>(slope) - 1.0) *
                            (static_cast<double>(envelopeDb) - static_cast<double>(kTiny)) * kDbToNepers;
    if (std::fabs(exponent) < kNegligibleExponent)
    {
        return 1.0f;
    }
    const double gain = std::exp(exponent);
    float result;
    if (std::isfinite(gain) && gain > 0.0 &&
        roundsSafely(gain, gain * (std::fabs(exponent) + 1.0) * kRelativeAllowance, result))
    {
        return result;
    }
    return gainOf(slope, envelopeDb);
}

void CCompressorSC::processBlock(float* left, float* right, const float* detectorLeft,
                                 const float* detectorRight)
{
    // Settings are taken once per block: a change made meanwhile applies to the next.
    const float threshold = m_threshold.load(std::memory_order_relaxed);
    const float slope = m_ratio.load(std::memory_order_relaxed);
    if (!(threshold == m_quietThreshold))
    {
        m_quietThreshold = threshold;
        m_quietBound = quietBoundFor(threshold);
    }
    const float averager = m_averager.getCoefficient();
    const float attack = m_attack.getCoefficient();
    const float release = m_release.getCoefficient();
    if (!hasOrdinarySettings(threshold, slope, m_envelope, m_meanSquare, {averager, attack, release}))
    {
        processStepByStep(left, right, detectorLeft, detectorRight,
                          {threshold, slope, averager, attack, release});
        return;
    }
    const float quietBound = m_quietBound;

    // The detector: both channels' energies add up; the mean square follows them.
    alignas(16) float meanSquares[kBlockSize];
    BlockMath::energiesOf(detectorLeft, detectorRight, meanSquares);
    float meanSquare = m_meanSquare;
#pragma GCC unroll 16
    for (float& value : meanSquares)
    {
        meanSquare = value + (meanSquare - value) * averager;
        value = meanSquare;
    }
    m_meanSquare = meanSquare;

    // The levels, only where some mean square may reach the threshold.
    alignas(16) float levels[kBlockSize];
    alignas(16) float targets[kBlockSize];
    if (BlockMath::allBelow(meanSquares, quietBound))
    {
        std::fill(std::begin(targets), std::end(targets), kTiny);
    }
    else
    {
        for (std::uint32_t unsafe = BlockMath::levelsOf(meanSquares, levels); unsafe != 0;
             unsafe &= unsafe - 1)
        {
            const int i = std::countr_zero(unsafe);
            levels[i] = levelOf(meanSquares[i]);
        }
        BlockMath::targetsOf(meanSquares, levels, threshold, quietBound, targets);
    }

    // The envelope follows the target: attack while below it, release otherwise.
    float envelope = m_envelope;
#pragma GCC unroll 16
    for (float& value : targets)
    {
        const float target = value;
        const float coefficient = target > envelope ? attack : release;
        envelope = target + (envelope - target) * coefficient;
        value = envelope;
    }
    m_envelope = envelope;
    const float* envelopes = targets;

    // At rest (every envelope at 1e-20, its floor), or at 1:1, every gain is
    // exactly 1: the audio stays as it is.
    m_moderateGains = true;
    if (slope == 1.0f || BlockMath::allEqual(envelopes, kTiny))
    {
        return;
    }
    alignas(16) float gains[kBlockSize];
    for (std::uint32_t unsafe = BlockMath::gainsOf(slope, envelopes, gains); unsafe != 0;
         unsafe &= unsafe - 1)
    {
        const int i = std::countr_zero(unsafe);
        gains[i] = gainOf(slope, envelopes[i]);
    }
    m_moderateGains =
        BlockMath::applyGains(left, right, gains, kModerateGainLow, kModerateGainHigh, m_smallestGains);
}

float CCompressorSC::takeSmallestGain()
{
    const float smallest = std::min(std::min(m_smallestGains[0], m_smallestGains[1]),
                                    std::min(m_smallestGains[2], m_smallestGains[3]));
    std::fill(std::begin(m_smallestGains), std::end(m_smallestGains), 1.0f);
    return smallest;
}

void CCompressorSC::processStepByStep(float* left, float* right, const float* detectorLeft,
                                      const float* detectorRight, const SBlockSettings& settings)
{
    const float threshold = settings.threshold;
    const float slope = settings.slope;
    const float averager = settings.averager;
    const float attack = settings.attack;
    const float release = settings.release;
    const float quietBound = m_quietBound;
    float meanSquare = m_meanSquare;
    float envelope = m_envelope;
    float smallest = m_smallestGains[0];
    for (int i = 0; i < kBlockSize; ++i)
    {
        const float energy = energyOf(detectorLeft[i], detectorRight[i]);
        meanSquare = energy + (meanSquare - energy) * averager;
        float over = 0.0f;
        if (!(meanSquare < quietBound))
        {
            over = fastLevelOf(meanSquare) - threshold;
            if (over < 0.0f)
            {
                over = 0.0f;
            }
        }
        const float target = over + kTiny;
        const float coefficient = target > envelope ? attack : release;
        envelope = target + (envelope - target) * coefficient;

        const float gain = fastGainOf(slope, envelope);
        left[i] *= gain;
        right[i] *= gain;
        smallest = gain < smallest ? gain : smallest;
    }
    m_meanSquare = meanSquare;
    m_envelope = envelope;
    m_smallestGains[0] = smallest;
    m_moderateGains = false;
}

} // namespace Vantor::Quellor
