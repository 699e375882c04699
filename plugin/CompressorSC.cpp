#include "plugin/CompressorSC.hpp"

#include <cmath>

namespace Vantor::Quellor {

VANTOR_DEFINE_CLASS(Vantor::Quellor::CCompressorSC, "CCompressorSC", "CCountedObject")

namespace {
constexpr float kDefaultRate = 44100.0f;
constexpr float kAveragerTime = 5.0f;
constexpr float kInitialSmoothingTime = 1.0f;
// 20 / ln 10 and ln 10 / 20, double constants applied in extended precision.
constexpr double kNepersToDb = 8.685889638065037;
constexpr double kDbToNepers = 0.11512925464970228;
} // namespace

CCompressorSC::CCompressorSC()
    : m_averager(kDefaultRate, kAveragerTime),
      m_attack(kDefaultRate, kInitialSmoothingTime),
      m_release(kDefaultRate, kInitialSmoothingTime)
{
}

CCompressorSC::~CCompressorSC() = default;

void CCompressorSC::setThreshold(float thresholdDb) { m_threshold = thresholdDb; }
float CCompressorSC::getThreshold() const { return m_threshold; }
void CCompressorSC::setRatio(float slope) { m_ratio = slope; }
float CCompressorSC::getRatio() const { return m_ratio; }

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

void CCompressorSC::processBlock(float *left, float *right, const float *detectorLeft,
                                 const float *detectorRight)
{
    // Settings are taken once per block: a change made meanwhile applies to the next.
    const float threshold = m_threshold;
    const float slope = m_ratio;
    const float averager = m_averager.getCoefficient();
    const float attack = m_attack.getCoefficient();
    const float release = m_release.getCoefficient();
    float meanSquare = m_meanSquare;
    float envelope = m_envelope;

    for (int i = 0; i < kBlockSize; ++i) {
        // Both detector channels feed one detector: their energies add up.
        const float dl = detectorLeft[i];
        const float dr = detectorRight[i];
        const float energy = dl * dl + dr * dr + kTiny;
        meanSquare = energy + (meanSquare - energy) * averager;

        float over = levelOf(meanSquare) - threshold;
        if (over < 0.0f)
            over = 0.0f;
        const float target = over + kTiny;
        const float coefficient = target > envelope ? attack : release;
        envelope = target + (envelope - target) * coefficient;

        const float gain = gainOf(slope, envelope);
        left[i] *= gain;
        right[i] *= gain;
    }

    m_meanSquare = meanSquare;
    m_envelope = envelope;
}

} // namespace Vantor::Quellor
