#include "plugin/CompressorSC.hpp"

#include <cmath>
#include <limits>

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CCompressorSC, "CCompressorSC", "CCountedObject")

namespace
{
constexpr float kDefaultRate = 44100.0f;
constexpr float kAveragerTime = 5.0f;
constexpr float kInitialSmoothingTime = 1.0f;
// 20 / ln 10 and ln 10 / 20, double constants applied in extended precision.
constexpr double kNepersToDb = 8.685889638065037;
constexpr double kDbToNepers = 0.11512925464970228;

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

constexpr float kLargestEnergy = std::numeric_limits<float>::max();

float quietBoundFor(float threshold)
{
    if (!(threshold >= kLowestQuietThreshold))
        return 0.0f;
    return static_cast<float>(std::pow(10.0, (threshold - kQuietMarginDb) / 10.0));
}

// The single-precision value of `value` when every number within `allowance`
// of it rounds to that same float; otherwise false.
inline bool roundsSafely(double value, double allowance, float& result)
{
    const float rounded = static_cast<float>(value);
    if (static_cast<float>(value - allowance) != rounded || static_cast<float>(value + allowance) != rounded)
        return false;
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
    m_threshold = thresholdDb;
}
float CCompressorSC::getThreshold() const
{
    return m_threshold;
}
void CCompressorSC::setRatio(float slope)
{
    m_ratio = slope;
}
float CCompressorSC::getRatio() const
{
    return m_ratio;
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
        return result;
    return levelOf(meanSquare);
}

float CCompressorSC::fastGainOf(float slope, float envelopeDb)
{
    const double exponent = (static_cast<double>(slope) - 1.0) *
                            (static_cast<double>(envelopeDb) - static_cast<double>(kTiny)) * kDbToNepers;
    if (std::fabs(exponent) < kNegligibleExponent)
        return 1.0f;
    const double gain = std::exp(exponent);
    float result;
    if (std::isfinite(gain) && gain > 0.0 &&
        roundsSafely(gain, gain * (std::fabs(exponent) + 1.0) * kRelativeAllowance, result))
        return result;
    return gainOf(slope, envelopeDb);
}

void CCompressorSC::processBlock(float* left, float* right, const float* detectorLeft,
                                 const float* detectorRight)
{
    // Settings are taken once per block: a change made meanwhile applies to the next.
    const float threshold = m_threshold;
    const float slope = m_ratio;
    const float averager = m_averager.getCoefficient();
    const float attack = m_attack.getCoefficient();
    const float release = m_release.getCoefficient();
    float meanSquare = m_meanSquare;
    float envelope = m_envelope;
    if (!(threshold == m_quietThreshold))
    {
        m_quietThreshold = threshold;
        m_quietBound = quietBoundFor(threshold);
    }
    const float quietBound = m_quietBound;

    for (int i = 0; i < kBlockSize; ++i)
    {
        // Both detector channels feed one detector: their energies add up.
        const float dl = detectorLeft[i];
        const float dr = detectorRight[i];
        // An energy beyond the largest float (or not a number) is taken as the
        // largest float, so the detector and envelope state stay finite.
        const float sum = dl * dl + dr * dr + kTiny;
        const float energy = sum < kLargestEnergy ? sum : kLargestEnergy;
        meanSquare = energy + (meanSquare - energy) * averager;

        float over = 0.0f;
        if (!(meanSquare < quietBound))
        {
            over = fastLevelOf(meanSquare) - threshold;
            if (over < 0.0f)
                over = 0.0f;
        }
        const float target = over + kTiny;
        const float coefficient = target > envelope ? attack : release;
        envelope = target + (envelope - target) * coefficient;

        const float gain = fastGainOf(slope, envelope);
        left[i] *= gain;
        right[i] *= gain;
    }

    m_meanSquare = meanSquare;
    m_envelope = envelope;
}

} // namespace Vantor::Quellor
