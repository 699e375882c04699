#pragma once

#include <atomic>
#include <limits>

#include "framework/basics/CountedObject.hpp"
#include "plugin/SmoothingCoefficient.hpp"

namespace Vantor::Quellor
{

// A stereo-linked, feed-forward, hard-knee compressor with an RMS detector and
// attack/release smoothing in decibels. It works in place on blocks of 16 samples:
// the detector (side-chain) pair sets one gain per sample, by which the audio pair
// is multiplied. No make-up gain, knee, look-ahead or mix of its own.
//
// Arithmetic: the detector and envelope state and the audio are single precision;
// each logarithm and exponential, with the terms inside them, is evaluated in
// extended precision (long double) and its result kept in single precision. The
// offsets of 1e-20 keep the logarithm finite and the state away from zero for
// silence, so no flush-to-zero mode is needed.
class CCompressorSC : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CCompressorSC);

    static constexpr int kBlockSize = 16;
    // Single-precision guard added to the detector energy and to the target.
    static constexpr float kTiny = 1e-20f;

    CCompressorSC();
    ~CCompressorSC() override;

    // Level above which gain reduction starts, in dB.
    virtual void setThreshold(float thresholdDb);
    virtual float getThreshold() const;
    // Output slope above the threshold: the reciprocal of the ratio shown to the
    // user (1 = no compression, 0.05 = 20:1).
    virtual void setRatio(float slope);
    virtual float getRatio() const;

    // Gives the rate to the attack, release and averager records, in that order.
    void setSampleRate(float sampleRate);

    CSmoothingCoefficient& getAttack() { return m_attack; }
    CSmoothingCoefficient& getRelease() { return m_release; }
    const CSmoothingCoefficient& getAttack() const { return m_attack; }
    const CSmoothingCoefficient& getRelease() const { return m_release; }
    const CSmoothingCoefficient& getAverager() const { return m_averager; }

    // Smoothed amount, in dB, by which the detected level exceeds the threshold.
    float getEnvelope() const { return m_envelope; }
    void setEnvelope(float envelopeDb) { m_envelope = envelopeDb; }
    float getMeanSquare() const { return m_meanSquare; }
    // Whether every gain of the last block lay between 2^-38 and 2^38 (false
    // when unknown): then each compressed sample lies within 2^39 of the one it
    // came from, and their difference is exact in extended precision.
    bool hadModerateGains() const { return m_moderateGains; }
    // The smallest gain applied since the last call (1 if the audio was left as
    // it was): the largest gain reduction, as a factor. Starts over at 1.
    float takeSmallestGain();

    // Compresses `left` and `right` (16 samples each) in place by the gain that
    // `detectorLeft` and `detectorRight` call for. Any of the four may be the same
    // buffer: each position's detector samples are read before it is written.
    void processBlock(float* left, float* right, const float* detectorLeft, const float* detectorRight);

    // Detected level in dB of a mean square: 20 log10(sqrt(ms) + 1e-20), with the
    // logarithm in extended precision, rounded to single precision.
    static float levelOf(float meanSquare);
    // Linear gain for an envelope in dB and a slope: 10^((slope - 1)(env - 1e-20)/20),
    // with the exponential in extended precision, rounded to single precision.
    static float gainOf(float slope, float envelopeDb);

    // The same results as levelOf() and gainOf(), bit for bit, mostly without the
    // slow extended-precision functions: a double-precision value whose error
    // bound keeps it clear of every single-precision rounding boundary rounds the
    // same way as the extended one. Only values that land too close to a
    // boundary, or are not finite, take the extended-precision path.
    static float fastLevelOf(float meanSquare);
    static float fastGainOf(float slope, float envelopeDb);

private:
    // What one block works with: the settings and coefficients, each read once
    // at its start, so a change made meanwhile applies from the next block.
    struct SBlockSettings
    {
        float threshold;
        float slope;
        float averager;
        float attack;
        float release;
    };

    // The same computation one sample at a time, for settings outside the
    // ordinary ranges.
    void processStepByStep(float* left, float* right, const float* detectorLeft, const float* detectorRight,
                           const SBlockSettings& settings);

    // Set on whichever thread automates, read by the audio thread, without a
    // lock. The detector and envelope state below belong to the audio thread.
    std::atomic<float> m_threshold{0.0f};
    std::atomic<float> m_ratio{1.0f};
    float m_envelope = kTiny;
    // Starts at zero: the effect's warm-up builds the detector state from here.
    float m_meanSquare = 0.0f;
    CSmoothingCoefficient m_averager;
    CSmoothingCoefficient m_attack;
    CSmoothingCoefficient m_release;
    // Mean squares below this lie more than 0.01 dB under the threshold it was
    // made for: their level need not be computed, the target is the floor.
    float m_quietThreshold = std::numeric_limits<float>::quiet_NaN();
    float m_quietBound = 0.0f;
    bool m_moderateGains = true;
    // Running minimums of the gains applied, four lanes (see takeSmallestGain()).
    alignas(16) float m_smallestGains[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace Vantor::Quellor
