#include "plugin/CompressorSC.hpp"

#include "plugin/BlockMath.hpp"
#include "plugin/BlockMathWide.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "tests/plugin/ReferenceModel.hpp"

using Vantor::Quellor::CCompressorSC;
namespace BlockMath = Vantor::Quellor::BlockMath;
using QuellorTest::ReferenceCompressor;
using QuellorTest::sameFloat;
using Vantor::Quellor::CSmoothingCoefficient;

namespace
{

using Block = std::array<float, CCompressorSC::kBlockSize>;

// The bit pattern of a sample, so that signed zeros and rounding count.
std::uint32_t bits(float sample)
{
    return std::bit_cast<std::uint32_t>(sample);
}

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
    {
        compressor->processBlock(primer.data(), primer.data(), primer.data(), primer.data());
    }
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
    {
        state = 1.0f + (state - 1.0f) * record.getCoefficient();
    }
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
        {
            s = sample(random);
        }
        for (auto& s : right)
        {
            s = sample(random);
        }
        const Block originalLeft = left, originalRight = right;
        compressor->processBlock(left.data(), right.data(), originalLeft.data(), originalRight.data());
        ASSERT_EQ(left, originalLeft);
        ASSERT_EQ(right, originalRight);
    }
    // The detector still ran: the envelope follows the level above -50 dB.
    EXPECT_GT(compressor->getEnvelope(), 40.0f);
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

namespace
{

// Each form of the block functions this machine can run: SSE2, and AVX2 where
// the build has it and the processor runs it.
struct SForms
{
    const char* name;
    std::uint32_t (*levels)(const float*, float*);
    std::uint32_t (*gains)(float, const float*, float*);
    bool (*scaledBy)(const float*, const float*, float*, float*, int, double);
    void (*enter)(const float*, const float*, float*, float*, float*, float*, int, float);
};
std::vector<SForms> runnableForms()
{
    std::vector<SForms> forms{{"SSE2", BlockMath::levelsOfSse2, BlockMath::gainsOfSse2,
                               BlockMath::scaledBySse2, BlockMath::enterSse2}};
#if VANTOR_BLOCKMATH_AVX2
    if (BlockMath::hasAvx2())
    {
        forms.push_back({"AVX2", BlockMath::levelsOfAvx2, BlockMath::gainsOfAvx2, BlockMath::scaledByAvx2,
                         BlockMath::enterAvx2});
    }
#endif
    return forms;
}

// Every vector form as the compressor uses it (the extended formula at each
// position it marks) against the extended formulas, on a block of mean squares
// and a block of envelopes under one slope.
void expectVectorFormsExact(const Block& meanSquares, float slope, const Block& envelopes)
{
    for (const SForms& form : runnableForms())
    {
        Block levels, gains;
        const std::uint32_t unsafeLevels = form.levels(meanSquares.data(), levels.data());
        const std::uint32_t unsafeGains = form.gains(slope, envelopes.data(), gains.data());
        for (int j = 0; j < CCompressorSC::kBlockSize; ++j)
        {
            const float level = CCompressorSC::levelOf(meanSquares[j]);
            const float gain = CCompressorSC::gainOf(slope, envelopes[j]);
            ASSERT_EQ((unsafeLevels & (1u << j)) ? level : levels[j], level)
                << form.name << " " << meanSquares[j];
            ASSERT_EQ((unsafeGains & (1u << j)) ? gain : gains[j], gain)
                << form.name << " " << slope << " " << envelopes[j];
        }
    }
}

} // namespace

TEST(CompressorSCExactness, FastLevelAndGainMatchTheExtendedPrecisionFormulasBitForBit)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> exponent(-45.0, 12.0), envelopeExponent(-21.0, 2.6);
    std::uniform_int_distribution<int> ulps(-64, 64);
    std::uniform_real_distribution<float> slope(0.05f, 1.0f);
    Block meanSquares, envelopes;
    for (int i = 0; i < 1000000; ++i)
    {
        float ms = static_cast<float>(std::pow(10.0, exponent(random)));
        if (i % 4 == 0) // around 0 dB, where the level is tiny
        {
            ms = std::nextafter(1.0f, 2.0f) + static_cast<float>(ulps(random)) * 1.2e-7f;
        }
        ASSERT_TRUE(sameFloat(CCompressorSC::fastLevelOf(ms), CCompressorSC::levelOf(ms))) << ms;
        const float s = i % 8 == 0 ? 0.25f : slope(random);
        const float envelope = static_cast<float>(std::pow(10.0, envelopeExponent(random)));
        ASSERT_TRUE(sameFloat(CCompressorSC::fastGainOf(s, envelope), CCompressorSC::gainOf(s, envelope)))
            << s << " " << envelope;

        // Sixteen at a time through the vector forms, one slope per block.
        const int lane = i % CCompressorSC::kBlockSize;
        meanSquares[lane] = ms;
        envelopes[lane] = envelope;
        if (lane == CCompressorSC::kBlockSize - 1)
        {
            expectVectorFormsExact(meanSquares, s, envelopes);
            ASSERT_FALSE(HasFatalFailure());
        }
    }
    // Edges: zero, the floor, around 0 dB, subnormals, the largest values; the
    // scalar forms also beyond what the vector forms are given.
    const float belowOne = std::nextafter(1.0f, 0.0f), aboveOne = std::nextafter(1.0f, 2.0f);
    const float aboveFloor = std::nextafter(1e-20f, 1.0f);
    meanSquares = {0.0f, 1e-20f, 1.0f,   belowOne, aboveOne, 1e-45f, 3.4e38f, 0.5f,
                   2.0f, 1e-40f, 1e-30f, 1e30f,    100.0f,   0.001f, 7.0f,    1.2e-38f};
    envelopes = {1e-20f, aboveFloor, 0.0f,   1e-7f,  1e3f,  435.0f, 2.4e-7f, 1.0f,
                 20.0f,  3e-8f,      100.0f, 1e-19f, 60.0f, 5e-6f,  0.5f,    1999.0f};
    for (float s : {0.0f, 0.05f, 0.25f, 0.5f, 1.0f})
    {
        expectVectorFormsExact(meanSquares, s, envelopes);
    }
    for (float ms : meanSquares)
    {
        EXPECT_TRUE(sameFloat(CCompressorSC::fastLevelOf(ms), CCompressorSC::levelOf(ms))) << ms;
    }
    for (float ms : {INFINITY, NAN})
    {
        EXPECT_TRUE(sameFloat(CCompressorSC::fastLevelOf(ms), CCompressorSC::levelOf(ms))) << ms;
    }
    for (float envelope : {1e-20f, aboveFloor, 0.0f, 1e-7f, 1e3f, 1e5f, 3e38f, INFINITY, NAN})
    {
        for (float s : {0.05f, 0.5f, 1.0f})
        {
            EXPECT_TRUE(sameFloat(CCompressorSC::fastGainOf(s, envelope), CCompressorSC::gainOf(s, envelope)))
                << s << " " << envelope;
        }
    }
}

TEST(CompressorSCExactness, ScaledSamplesMatchTheExtendedProductBitForBit)
{
    // What the effect's mix gives when it reduces to the compressed sample.
    auto extended = [](float x, double gain)
    { return static_cast<float>((static_cast<long double>(x) + 0.0L) * static_cast<long double>(gain)); };
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> gainExponent(-1.0, 1.1), sampleExponent(-30.0, 37.0);
    std::uniform_int_distribution<int> sign(0, 1), quarters(1, CCompressorSC::kBlockSize / 4);
    auto randomSample = [&]
    { return static_cast<float>((sign(random) ? -1.0 : 1.0) * std::pow(10.0, sampleExponent(random))); };
    const std::vector<SForms> forms = runnableForms();
    int refused = 0;
    for (int round = 0; round < 60000; ++round)
    {
        const auto scaledBy = forms[static_cast<std::size_t>(round / 4) % forms.size()].scaledBy;
        Block left, right, outLeft, outRight;
        std::generate(left.begin(), left.end(), randomSample);
        std::generate(right.begin(), right.end(), randomSample);
        double gain = std::pow(10.0, gainExponent(random));
        const float planted = std::fabs(left[round % CCompressorSC::kBlockSize]);
        if (round % 2 == 0 && planted != 0.0f)
        {
            // A gain that puts one product within a unit of double precision of
            // a rounding boundary of single precision: a midpoint between two
            // floats, normal or subnormal.
            const float below = round % 4 == 0 ? static_cast<float>(planted * gain)
                                               : 0x1p-149f * static_cast<float>(round % 1000);
            const double midpoint =
                (static_cast<double>(below) + static_cast<double>(std::nextafter(below, INFINITY))) / 2.0;
            gain = midpoint / planted;
        }
        right[3] = round % 7 == 0 ? -0.0f : right[3];
        right[7] = round % 11 == 0 ? 1e-45f : right[7];
        const int n = round % 3 == 0 ? 4 * quarters(random) : CCompressorSC::kBlockSize;
        if (!scaledBy(left.data(), right.data(), outLeft.data(), outRight.data(), n, gain))
        {
            ++refused;
            continue;
        }
        for (int i = 0; i < n; ++i)
        {
            ASSERT_EQ(bits(outLeft[i]), bits(extended(left[i], gain))) << left[i] << " * " << gain;
            ASSERT_EQ(bits(outRight[i]), bits(extended(right[i], gain))) << right[i] << " * " << gain;
        }
    }
    // Mostly the planted near-boundary products and the subnormal results are refused.
    EXPECT_LT(refused, 60000 * 65 / 100);
    EXPECT_GT(refused, 60000 / 10);
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
        { // new settings now and then, as the effect would make them; every fourth set has a
          // threshold far outside the effect's range, which the compressor takes step by step
            const bool unusual = block % 2000 == 0;
            compressor->setThreshold(unusual ? -1000.0f - 500.0f * unit(random) : -50.0f * unit(random));
            compressor->setRatio(0.05f + 0.95f * unit(random));
            compressor->getAttack().setTime(std::pow(1000.0f, unit(random)));
            compressor->getRelease().setTime(std::pow(1000.0f, unit(random)));
            reference.takeSettings(*compressor);
        }
        if (block % 37 == 0) // bursts, fades and silences
        {
            level = unit(random) < 0.2f ? 0.0f : std::pow(10.0f, -3.0f * unit(random));
        }
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
        {
            ASSERT_TRUE(std::isfinite(gain)) << bad;
        }
        // The detector recovers: a quiet signal brings the gain back to 1.
        EXPECT_EQ(settle(*compressor, 0.001f, 0.0f, 3000), 1.0f) << bad;
    }
}

TEST(BlockMath, EnteringSamplesAreKeptOrSilenced)
{
    const float limit = 0x1p123f;
    const struct
    {
        float given, kept;
    } samples[] = {{0.5f, 0.5f},     {-0.0f, -0.0f},   {NAN, 0.0f},      {-INFINITY, 0.0f},
                   {INFINITY, 0.0f}, {limit, limit},   {-limit, -limit}, {3e38f, 0.0f},
                   {-1e38f, 0.0f},   {1e-45f, 1e-45f}, {-0.25f, -0.25f}, {1e30f, 1e30f},
                   {-NAN, 0.0f},     {2.0f, 2.0f},     {7e37f, 0.0f},    {-1e-40f, -1e-40f}};
    for (const SForms& form : runnableForms())
    {
        for (int count : {16, 13, 3})
        {
            Block left, right, dryLeft{}, dryRight{}, wetLeft{}, wetRight{};
            for (int i = 0; i < CCompressorSC::kBlockSize; ++i)
            {
                left[i] = samples[i].given;
                right[i] = samples[CCompressorSC::kBlockSize - 1 - i].given;
            }
            form.enter(left.data(), right.data(), dryLeft.data(), dryRight.data(), wetLeft.data(),
                       wetRight.data(), count, limit);
            for (int i = 0; i < count; ++i)
            {
                const float keptLeft = samples[i].kept,
                            keptRight = samples[CCompressorSC::kBlockSize - 1 - i].kept;
                ASSERT_EQ(bits(dryLeft[i]), bits(keptLeft)) << i;
                ASSERT_EQ(bits(wetLeft[i]), bits(keptLeft)) << i;
                ASSERT_EQ(bits(dryRight[i]), bits(keptRight)) << i;
                ASSERT_EQ(bits(wetRight[i]), bits(keptRight)) << i;
            }
            EXPECT_EQ(dryLeft[count % CCompressorSC::kBlockSize],
                      count == 16 ? 0.5f : 0.0f); // nothing beyond
        }
    }
}
