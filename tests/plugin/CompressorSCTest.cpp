#include "plugin/CompressorSC.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>

using Vantor::Quellor::CCompressorSC;
using Vantor::Quellor::CSmoothingCoefficient;

namespace
{

using Block = std::array<float, CCompressorSC::kBlockSize>;

Block filled(float value)
{
    Block block;
    block.fill(value);
    return block;
}

// Runs `blocks` blocks of a constant detector pair and answers the gain of the
// last sample (measured on an audio block of ones).
float settle(CCompressorSC& compressor, float detectorLeft, float detectorRight, int blocks)
{
    const Block left = filled(detectorLeft);
    const Block right = filled(detectorRight);
    Block audioLeft{}, audioRight{};
    for (int i = 0; i < blocks; ++i)
    {
        audioLeft.fill(1.0f);
        audioRight.fill(1.0f);
        compressor.processBlock(audioLeft.data(), audioRight.data(), left.data(), right.data());
    }
    return audioLeft.back();
}

// A compressor in the state the effect leaves it after construction.
CCompressorSC* makeWarmedUp(float rate = 44100.0f)
{
    auto* compressor = new CCompressorSC;
    compressor->setSampleRate(rate);
    compressor->setEnvelope(CCompressorSC::kTiny);
    Block primer = filled(0.5f);
    for (int i = 0; i < 16; ++i)
        compressor->processBlock(primer.data(), primer.data(), primer.data(), primer.data());
    return compressor;
}

struct CompressorFixture : ::testing::Test
{
    CCompressorSC* compressor = makeWarmedUp();
    ~CompressorFixture() override { delete compressor; }
};

} // namespace

TEST(CompressorSCTest, CoefficientsFollowTheTimeConstantFormulaPerRecord)
{
    CSmoothingCoefficient record(44100.0f, 5.0f);
    EXPECT_FLOAT_EQ(record.getCoefficient(), static_cast<float>(std::exp(-1000.0 / (5.0 * 44100.0))));

    // A step is covered to 1 - 1/e after `time` milliseconds.
    float state = 0.0f;
    for (int i = 0; i < 5 * 441 / 10; ++i) // 5 ms at 44.1 kHz = 220.5 samples
        state = 1.0f + (state - 1.0f) * record.getCoefficient();
    EXPECT_NEAR(state, 1.0 - std::exp(-1.0), 0.005);

    CCompressorSC compressor;
    // The attack time uses the rate stored in the attack record only.
    compressor.getAttack().setTime(20.0f);
    const float releaseBefore = compressor.getRelease().getCoefficient();
    EXPECT_FLOAT_EQ(compressor.getAttack().getCoefficient(),
                    CSmoothingCoefficient::computeCoefficient(44100.0f, 20.0f));
    EXPECT_EQ(compressor.getRelease().getCoefficient(), releaseBefore);

    // A new rate reaches all three records, each with its own time.
    compressor.setSampleRate(48000.0f);
    EXPECT_EQ(compressor.getAttack().getCoefficient(),
              CSmoothingCoefficient::computeCoefficient(48000.0f, 20.0f));
    EXPECT_EQ(compressor.getRelease().getCoefficient(),
              CSmoothingCoefficient::computeCoefficient(48000.0f, 1.0f));
    EXPECT_EQ(compressor.getAverager().getCoefficient(),
              CSmoothingCoefficient::computeCoefficient(48000.0f, 5.0f));
}

TEST_F(CompressorFixture, RatioOneReturnsEveryBlockUnchanged)
{
    compressor->setThreshold(-50.0f);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> sample(-4.0f, 4.0f);
    for (int round = 0; round < 200; ++round)
    {
        Block left, right;
        for (auto& s : left)
            s = sample(random);
        for (auto& s : right)
            s = sample(random);
        const Block originalLeft = left, originalRight = right;
        compressor->processBlock(left.data(), right.data(), originalLeft.data(), originalRight.data());
        ASSERT_EQ(left, originalLeft);
        ASSERT_EQ(right, originalRight);
    }
    // The detector still ran: the envelope follows the level above -50 dB.
    EXPECT_GT(compressor->getEnvelope(), 40.0f);
}

TEST_F(CompressorFixture, DetectorSumsTheChannelEnergies)
{
    compressor->setThreshold(0.0f);
    compressor->setRatio(0.5f);
    const float gain = settle(*compressor, 1.0f, 1.0f, 2000);
    // (1, 1) measures 2.0, that is +3.01 dB, not the 0 dB of an average.
    // (Single-precision smoothing stops a few units in the last place short.)
    EXPECT_NEAR(compressor->getMeanSquare(), 2.0f, 1e-4f);
    EXPECT_NEAR(compressor->getEnvelope(), 3.0103f, 1e-3f);
    EXPECT_NEAR(gain, std::pow(10.0, -0.5 * 3.0103 / 20.0), 1e-4);
}

TEST_F(CompressorFixture, SettlesOnTheHardKneeGainLaw)
{
    compressor->setThreshold(-20.0f);
    compressor->setRatio(0.25f); // 4:1
    compressor->getAttack().setTime(5.0f);
    compressor->getRelease().setTime(50.0f);
    // A steady 0 dB: 20 dB over the threshold, the output rises 5 dB: gain -15 dB.
    const float gain = settle(*compressor, 1.0f, 0.0f, 3000);
    EXPECT_NEAR(compressor->getEnvelope(), 20.0f, 1e-3f);
    EXPECT_NEAR(gain, std::pow(10.0, -15.0 / 20.0), 3e-5);

    // -10 dB: 10 dB over, gain -7.5 dB.
    const float quieter = settle(*compressor, std::pow(10.0f, -0.5f), 0.0f, 3000);
    EXPECT_NEAR(quieter, std::pow(10.0, -7.5 / 20.0), 5e-5);

    // Below the threshold the gain returns to exactly 1.
    EXPECT_EQ(settle(*compressor, 0.01f, 0.0f, 3000), 1.0f);
}

TEST_F(CompressorFixture, AttackGovernsRisesAndReleaseGovernsFalls)
{
    compressor->setThreshold(-40.0f);
    compressor->setRatio(0.5f);
    compressor->getAttack().setTime(1.0f);
    compressor->getRelease().setTime(1000.0f);
    // 10 ms of a loud signal: with 1 ms attack the envelope is almost there.
    settle(*compressor, 1.0f, 0.0f, 28);
    EXPECT_GT(compressor->getEnvelope(), 38.0f);
    // 10 ms of silence: with 1 s release the envelope has barely moved.
    settle(*compressor, 0.0f, 0.0f, 28);
    EXPECT_GT(compressor->getEnvelope(), 38.0f);

    // Swapped times: slow to rise, quick to fall.
    compressor->getAttack().setTime(1000.0f);
    compressor->getRelease().setTime(1.0f);
    settle(*compressor, 0.0f, 0.0f, 100);
    EXPECT_LT(compressor->getEnvelope(), 1.0f);
    settle(*compressor, 1.0f, 0.0f, 28);
    EXPECT_LT(compressor->getEnvelope(), 2.0f);
}

namespace
{

bool sameFloat(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The block algorithm written out step by step with the plain extended-precision
// formulas, as the oracle for the optimised processBlock.
struct ReferenceCompressor
{
    float threshold = 0.0f, slope = 1.0f, envelope = CCompressorSC::kTiny, meanSquare = 0.0f;
    float averager = 0.0f, attack = 0.0f, release = 0.0f;

    void processBlock(float* left, float* right, const float* detectorLeft, const float* detectorRight)
    {
        for (int i = 0; i < CCompressorSC::kBlockSize; ++i)
        {
            const float x = detectorLeft[i] * detectorLeft[i] + detectorRight[i] * detectorRight[i] +
                            CCompressorSC::kTiny;
            meanSquare = x + (meanSquare - x) * averager;
            float over = CCompressorSC::levelOf(meanSquare) - threshold;
            if (over < 0.0f)
                over = 0.0f;
            const float target = over + CCompressorSC::kTiny;
            envelope = target + (envelope - target) * (target > envelope ? attack : release);
            const float gain = CCompressorSC::gainOf(slope, envelope);
            left[i] *= gain;
            right[i] *= gain;
        }
    }
};

} // namespace

TEST(CompressorSCExactness, FastLevelAndGainMatchTheExtendedPrecisionFormulasBitForBit)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> exponent(-45.0, 12.0), envelopeExponent(-21.0, 2.6);
    std::uniform_int_distribution<int> ulps(-64, 64);
    std::uniform_real_distribution<float> slope(0.05f, 1.0f);
    for (int i = 0; i < 1000000; ++i)
    {
        float ms = static_cast<float>(std::pow(10.0, exponent(random)));
        if (i % 4 == 0) // around 0 dB, where the level is tiny
            ms = std::nextafter(1.0f, 2.0f) + static_cast<float>(ulps(random)) * 1.2e-7f;
        ASSERT_TRUE(sameFloat(CCompressorSC::fastLevelOf(ms), CCompressorSC::levelOf(ms))) << ms;
        const float s = i % 8 == 0 ? 0.25f : slope(random);
        const float envelope = static_cast<float>(std::pow(10.0, envelopeExponent(random)));
        ASSERT_TRUE(sameFloat(CCompressorSC::fastGainOf(s, envelope), CCompressorSC::gainOf(s, envelope)))
            << s << " " << envelope;
    }
    for (float ms : {0.0f, 1e-20f, 1.0f, std::nextafter(1.0f, 0.0f), std::nextafter(1.0f, 2.0f), 1e-45f,
                     3.4e38f, INFINITY, NAN})
        EXPECT_TRUE(sameFloat(CCompressorSC::fastLevelOf(ms), CCompressorSC::levelOf(ms))) << ms;
    for (float envelope :
         {1e-20f, std::nextafter(1e-20f, 1.0f), 0.0f, 1e-7f, 1e3f, 1e5f, 3e38f, INFINITY, NAN})
        for (float s : {0.05f, 0.5f, 1.0f})
            EXPECT_TRUE(sameFloat(CCompressorSC::fastGainOf(s, envelope), CCompressorSC::gainOf(s, envelope)))
                << s << " " << envelope;
}

TEST(CompressorSCExactness, BlocksMatchTheStepByStepAlgorithmBitForBit)
{
    std::unique_ptr<CCompressorSC> compressor(makeWarmedUp());
    ReferenceCompressor reference;
    reference.meanSquare = compressor->getMeanSquare();
    reference.envelope = compressor->getEnvelope();

    std::mt19937 random(13);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    float level = 0.5f;
    for (int block = 0; block < 40000; ++block)
    {
        if (block % 500 == 0)
        { // new settings now and then, as the effect would make them
            compressor->setThreshold(-50.0f * unit(random));
            compressor->setRatio(0.05f + 0.95f * unit(random));
            compressor->getAttack().setTime(std::pow(1000.0f, unit(random)));
            compressor->getRelease().setTime(std::pow(1000.0f, unit(random)));
            reference.threshold = compressor->getThreshold();
            reference.slope = compressor->getRatio();
            reference.attack = compressor->getAttack().getCoefficient();
            reference.release = compressor->getRelease().getCoefficient();
            reference.averager = compressor->getAverager().getCoefficient();
        }
        if (block % 37 == 0) // bursts, fades and silences
            level = unit(random) < 0.2f ? 0.0f : std::pow(10.0f, -3.0f * unit(random));
        Block left, right;
        for (int i = 0; i < CCompressorSC::kBlockSize; ++i)
        {
            left[i] = level * (2.0f * unit(random) - 1.0f);
            right[i] = level * (2.0f * unit(random) - 1.0f);
        }
        Block expectedLeft = left, expectedRight = right;
        const Block detectorLeft = left, detectorRight = right;
        compressor->processBlock(left.data(), right.data(), detectorLeft.data(), detectorRight.data());
        reference.processBlock(expectedLeft.data(), expectedRight.data(), detectorLeft.data(),
                               detectorRight.data());
        ASSERT_EQ(left, expectedLeft) << "block " << block;
        ASSERT_EQ(right, expectedRight) << "block " << block;
        ASSERT_EQ(compressor->getEnvelope(), reference.envelope);
        ASSERT_EQ(compressor->getMeanSquare(), reference.meanSquare);
    }
}

TEST_F(CompressorFixture, StateStaysFiniteWhateverTheDetectorReads)
{
    compressor->setThreshold(-30.0f);
    compressor->setRatio(0.05f);
    for (float bad : {NAN, INFINITY, -INFINITY, 1e30f, 3.4e38f})
    {
        Block detector = filled(0.25f);
        detector[5] = bad;
        Block left = filled(1.0f), right = filled(1.0f);
        compressor->processBlock(left.data(), right.data(), detector.data(), detector.data());
        EXPECT_TRUE(std::isfinite(compressor->getMeanSquare())) << bad;
        EXPECT_TRUE(std::isfinite(compressor->getEnvelope())) << bad;
        for (float gain : left)
            ASSERT_TRUE(std::isfinite(gain)) << bad;
        // The detector recovers: a quiet signal brings the gain back to 1.
        EXPECT_EQ(settle(*compressor, 0.001f, 0.0f, 3000), 1.0f) << bad;
    }
}
