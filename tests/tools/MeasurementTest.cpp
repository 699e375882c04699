// What the report and the bench measure, against signals whose answers are known.

#include "tools/pressora/LevelAnalysis.hpp"
#include "tools/pressora/Loudness.hpp"
#include "tools/pressora/OwnPlugin.hpp"
#include "tools/pressora/StaticCurve.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace Vantor::Pressora;

namespace
{

constexpr int kRate = 48000;

std::vector<float> sine(double dbfs, double seconds, double frequency = 1000.0)
{
    std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
    const double amplitude = std::pow(10.0, dbfs / 20.0);
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        samples[i] = static_cast<float>(
            amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / kRate));
    }
    return samples;
}

std::vector<float> scaled(std::vector<float> samples, double db, std::size_t from = 0)
{
    const double gain = std::pow(10.0, db / 20.0);
    for (std::size_t i = from; i < samples.size(); ++i)
    {
        samples[i] = static_cast<float>(samples[i] * gain);
    }
    return samples;
}

SStereoView stereo(const std::vector<float>& samples)
{
    return {samples, samples};
}

} // namespace

TEST(LevelAnalysis, LevelsOfKnownSignals)
{
    const std::vector<float> tone = sine(-12.0, 0.5);
    const SLevelTrack track = SLevelTrack::measure(stereo(tone), kRate);
    ASSERT_EQ(track.size(), 50u) << "10 ms windows";
    EXPECT_EQ(track.windowFrames, 480u);
    for (std::size_t w = 0; w < track.size(); ++w)
    {
        EXPECT_NEAR(track.rms[w], -12.0, 0.01) << w << ": a sine in both channels reads its amplitude";
        EXPECT_NEAR(track.peak[w], -12.0, 0.01) << w;
    }
    const std::vector<float> left = tone;
    const std::vector<float> silence(tone.size(), 0.0f);
    const SLevelTrack oneSide = SLevelTrack::measure({left, silence}, kRate);
    EXPECT_NEAR(oneSide.rms[3], -15.01, 0.01) << "one channel carries half the power";
    EXPECT_NEAR(oneSide.peak[3], -12.0, 0.01);
    const SLevelTrack quiet = SLevelTrack::measure(stereo(silence), kRate);
    EXPECT_EQ(quiet.rms[0], kLevelFloorDb);
    EXPECT_EQ(quiet.peak[0], kLevelFloorDb);
}

TEST(LevelAnalysis, GainReductionAndWhetherItCompresses)
{
    // Loud and quiet halves, 30 dB apart, for the verdict to be possible.
    std::vector<float> input = sine(-40.0, 2.0);
    input = scaled(std::move(input), 30.0, input.size() / 2);
    const auto measure = [&](const std::vector<float>& output)
    { return SProcessedLevels::measure(stereo(input), stereo(output), kRate).reduction; };

    const SGainReduction makeUp = measure(scaled(input, 4.0));
    EXPECT_NEAR(makeUp.average, -4.0, 0.01) << "make-up gain counts as it is";
    EXPECT_NEAR(makeUp.largest, -4.0, 0.01);
    EXPECT_EQ(makeUp.compressing, false) << "the same gain, loud or quiet";

    const SGainReduction squeezed = measure(scaled(input, -6.0, input.size() / 2));
    EXPECT_NEAR(squeezed.largest, 6.0, 0.01);
    EXPECT_NEAR(squeezed.average, 3.0, 0.01);
    EXPECT_NEAR(squeezed.loudGain, -6.0, 0.01);
    EXPECT_NEAR(squeezed.quietGain, 0.0, 0.01);
    EXPECT_EQ(squeezed.compressing, true);

    EXPECT_EQ(measure(scaled(input, -0.08, input.size() / 2)).compressing, false) << "within 0.1 dB";
    EXPECT_EQ(measure(scaled(input, -0.12, input.size() / 2)).compressing, true);

    const std::vector<float> steady = sine(-20.0, 1.0);
    EXPECT_FALSE(SProcessedLevels::measure(stereo(steady), stereo(steady), kRate).reduction.compressing)
        << "a programme without loud and quiet parts gives no verdict";

    const std::vector<float> silence(input.size(), 0.0f);
    const SGainReduction none = measure(silence);
    EXPECT_EQ(none.measuredWindows, input.size() / 480) << "silent output: input level minus the floor";
    const SGainReduction nothingIn =
        SProcessedLevels::measure(stereo(silence), stereo(input), kRate).reduction;
    EXPECT_EQ(nothingIn.measuredWindows, 0u) << "silent input carries no reduction";
    EXPECT_EQ(nothingIn.average, 0.0);
}

TEST(LevelAnalysis, TheOutputIsAlignedByTheReportedDelay)
{
    constexpr std::size_t kDelay = 333;
    std::vector<float> input = sine(-30.0, 1.0, 50.0);
    input = scaled(std::move(input), 25.0, input.size() / 3);
    std::vector<float> delayed(input.size(), 0.0f);
    std::copy(input.begin(), input.end() - kDelay, delayed.begin() + kDelay);

    const SAlignedPair aligned = alignOutput(stereo(input), stereo(delayed), kDelay);
    ASSERT_EQ(aligned.output.frames(), input.size() - kDelay);
    const SGainReduction reduction =
        SProcessedLevels::measure(aligned.input, aligned.output, kRate).reduction;
    EXPECT_NEAR(reduction.largest, 0.0, 1e-4) << "a pure delay changes no level";
    EXPECT_EQ(reduction.compressing, false);
    const SGainReduction unaligned =
        SProcessedLevels::measure(stereo(input), stereo(delayed), kRate).reduction;
    EXPECT_GT(unaligned.largest, 1.0) << "the test signal would show a misalignment";

    EXPECT_EQ(alignOutput(stereo(input), stereo(input), input.size() + 5).output.frames(), 0u);
}

TEST(Loudness, KnownSignals)
{
    const std::vector<float> tone = sine(-23.0, 5.0);
    const SLoudness reference = SLoudness::measure(stereo(tone), kRate);
    ASSERT_TRUE(reference.integrated);
    EXPECT_NEAR(*reference.integrated, -23.0, 0.1) << "a stereo 1 kHz sine at -23 dBFS";
    EXPECT_EQ(loudnessText(reference.integrated), "-23.0 LUFS");
    EXPECT_NEAR(reference.truePeakDb, -23.0, 0.1);
    EXPECT_NEAR(reference.range, 0.0, 0.1) << "a steady tone has no loudness range";

    const std::vector<float> silence(tone.size(), 0.0f);
    const SLoudness quiet = SLoudness::measure(stereo(silence), kRate);
    EXPECT_FALSE(quiet.integrated);
    EXPECT_EQ(loudnessText(quiet.integrated), "silent");
    EXPECT_EQ(truePeakText(quiet.truePeakDb), "-inf dBTP");

    // Loud and quiet halves 20 dB apart: the range sees both, the gate keeps both.
    std::vector<float> steps = sine(-30.0, 20.0);
    steps = scaled(std::move(steps), 20.0, steps.size() / 2);
    const SLoudness stepped = SLoudness::measure(stereo(steps), kRate);
    EXPECT_NEAR(stepped.range, 20.0, 0.5);
    EXPECT_THROW(SLoudness::measure(stereo(tone), 0), std::runtime_error);
}

// A delay changes no level: the curve is the identity. PressoraLite at the
// standard setting (+2 dB of its Master on top): 1:1 under -20 dB, 4:1 above.
TEST(StaticCurve, IdentityAndCompression)
{
    const auto load = [](const char* path)
    {
        auto plugin = Vantor::VstHost::CVstPlugin::load(path);
        plugin->setSampleRate(kRate);
        plugin->setBlockSize(512);
        return plugin;
    };
    auto probe = load(VSTHOST_PROBE_PATH);
    probe->resume();
    const SStaticCurve identity = SStaticCurve::measure(*probe, kRate);
    ASSERT_EQ(identity.points.size(), 61u);
    for (const SCurvePoint& point : identity.points)
    {
        EXPECT_NEAR(point.outputDb, point.inputDb, 0.01) << point.inputDb;
    }

    auto compressor = load(PRESSORALITE_PATH);
    ASSERT_TRUE(OwnPlugin::isPressoraLite(*compressor));
    EXPECT_FALSE(OwnPlugin::isPressoraLite(*probe));
    OwnPlugin::applyStandardSetting(*compressor);
    EXPECT_NEAR(OwnPlugin::thresholdDb(*compressor).value_or(0.0), -20.0, 1e-4);
    EXPECT_FALSE(OwnPlugin::thresholdDb(*probe));
    compressor->resume();
    const SStaticCurve curve = SStaticCurve::measure(*compressor, kRate);
    ASSERT_EQ(curve.points.size(), 61u);
    for (const SCurvePoint& point : curve.points)
    {
        const double expected =
            2.0 + (point.inputDb <= -20.0 ? point.inputDb : -20.0 + (point.inputDb + 20.0) / 4.0);
        EXPECT_NEAR(point.outputDb, expected, 0.1) << point.inputDb;
    }
}
