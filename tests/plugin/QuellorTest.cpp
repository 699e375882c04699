#include "plugin/Quellor.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "tests/plugin/QuellorTestSupport.hpp"
#include "tests/plugin/ReferenceModel.hpp"

using namespace Vantor::Quellor;
using namespace QuellorTest;
using Vantor::Vst::VstInt32;
using Vantor::Vst::VstIntPtr;

namespace
{

struct QuellorFixture : ::testing::Test
{
    std::unique_ptr<CQuellor> effect = std::make_unique<CQuellor>(nullptr);

    std::string display(int index)
    {
        char text[64] = "unchanged";
        effect->getParameterDisplay(index, text);
        return text;
    }
    std::string programName()
    {
        char text[64] = "unchanged";
        effect->getProgramName(text);
        return text;
    }
    SStereo run(const SStereo& input, std::size_t callSize) { return process(*effect, input, callSize); }
};

} // namespace

// ---- parameters ---------------------------------------------------------------

TEST_F(QuellorFixture, ParametersHaveTheirNamesLabelsAndDefaultProgramValues)
{
    const char* names[] = {"Master", "Threshold", "Ratio", "Attack", "Release", "Mix"};
    const char* labels[] = {"dB", "dB", " :1", "ms", "ms", "mix"};
    const char* displays[] = {"0.000", "0.000", "1.00", "5.623", "31.62", "1.000"};
    const float values[] = {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f};
    for (int i = 0; i < CQuellor::kNumParameters; ++i)
    {
        char text[64];
        effect->getParameterName(i, text);
        EXPECT_STREQ(text, names[i]);
        effect->getParameterLabel(i, text);
        EXPECT_STREQ(text, labels[i]);
        EXPECT_EQ(display(i), displays[i]) << names[i];
        EXPECT_EQ(effect->getParameter(i), values[i]) << names[i];
    }
}

TEST_F(QuellorFixture, ParameterChangesReachTheCompressorAndTheOutputGain)
{
    // Master at its middle shows 0 dB but applies +2 dB.
    EXPECT_DOUBLE_EQ(effect->getMasterGain(), std::pow(10.0, 2.0 / 20.0));
    effect->setParameter(CQuellor::kMaster, 0.0f);
    EXPECT_NEAR(effect->getMasterGain(), std::pow(10.0, -18.0 / 20.0), 1e-12);
    EXPECT_EQ(display(CQuellor::kMaster), "-20.00");

    effect->setParameter(CQuellor::kThreshold, 0.5f);
    EXPECT_EQ(effect->getCompressor().getThreshold(), -25.0f);
    EXPECT_EQ(display(CQuellor::kThreshold), "-25.00");

    effect->setParameter(CQuellor::kAttack, 1.0f);
    EXPECT_EQ(effect->getCompressor().getAttack().getTime(), 1000.0f);
    effect->setParameter(CQuellor::kRelease, 0.0f);
    EXPECT_EQ(effect->getCompressor().getRelease().getTime(), 1.0f);

    effect->setParameter(CQuellor::kMix, 0.25f);
    EXPECT_EQ(effect->getParameterObject(CQuellor::kMix).getRealValue(), 0.25f);
}

TEST_F(QuellorFixture, RatioRunsFromOneToTwentyAndKeepsItsHostValue)
{
    effect->setParameter(CQuellor::kRatio, 0.0f);
    EXPECT_EQ(effect->getCompressor().getRatio(), 1.0f);
    EXPECT_EQ(display(CQuellor::kRatio), "1.00");

    effect->setParameter(CQuellor::kRatio, 1.0f);
    EXPECT_EQ(effect->getCompressor().getRatio(), 0.05f);
    EXPECT_EQ(display(CQuellor::kRatio), "20.0");

    // 4:1 is a slope of 0.25 (to single precision).
    effect->setParameter(CQuellor::kRatio, 0.7894737f);
    EXPECT_NEAR(effect->getCompressor().getRatio(), 0.25f, 1e-7f);
    EXPECT_EQ(display(CQuellor::kRatio), "4.00");

    // The host reads back what it wrote; the object holds the complement.
    effect->setParameter(CQuellor::kRatio, 0.3f);
    EXPECT_NEAR(effect->getParameter(CQuellor::kRatio), 0.3f, 1e-7f);
    EXPECT_NEAR(effect->getParameterObject(CQuellor::kRatio).getValue(), 0.7f, 1e-7f);
    EXPECT_EQ(effect->getProgramRecord(0).getValue(CQuellor::kRatio), 0.3f);
}

// ---- programs -----------------------------------------------------------------

TEST_F(QuellorFixture, FactoryProgramsAreInPlaceWithTheDefaultCurrent)
{
    const char* names[] = {"Default", "Mix",    "Bass Guitar", "Vocals",  "Acoustic Guitar",
                           "Hard",    "Drums",  "FSU",         "-------", "Pressora",
                           "From",    "Halden", "Rookmere"};
    EXPECT_EQ(effect->getProgram(), 0);
    EXPECT_EQ(programName(), "Default");
    for (int n = 0; n < CQuellor::kNumPrograms; ++n)
    {
        char text[64] = "unchanged";
        ASSERT_TRUE(effect->getProgramNameIndexed(-1, n, text));
        EXPECT_STREQ(text, names[n]);
        for (int i = 0; i < CQuellor::kNumParameters; ++i)
        {
            EXPECT_EQ(effect->getProgramRecord(n).getValue(i), kFactoryPrograms[n].values[i])
                << n << "/" << i;
        }
    }
}

TEST_F(QuellorFixture, LongProgramNamesAreCutToTheHostsTwentyFourByteBuffer)
{
    // Nothing may land past the 24 bytes the host gives, whichever query reads the name.
    char name[] = "A program name far longer than twenty-four characters";
    effect->setProgramName(name);
    for (bool indexed : {false, true})
    {
        SCOPED_TRACE(indexed ? "indexed" : "current");
        std::array<char, Vantor::Vst::kVstMaxProgNameLen + 8> text;
        text.fill('#');
        if (indexed)
        {
            ASSERT_TRUE(effect->getProgramNameIndexed(-1, 0, text.data()));
        }
        else
        {
            effect->getProgramName(text.data());
        }
        EXPECT_EQ(std::string(text.data()), std::string(name, Vantor::Vst::kVstMaxProgNameLen - 1));
        for (std::size_t i = Vantor::Vst::kVstMaxProgNameLen; i < text.size(); ++i)
        {
            EXPECT_EQ(text[i], '#') << "byte " << i << " past the host's buffer was written";
        }
    }
}

TEST_F(QuellorFixture, EditsAndNamesStayWithTheProgramTheyWereMadeIn)
{
    effect->setProgram(3);
    effect->setParameter(CQuellor::kThreshold, 0.123f);
    char rename[] = "My vocals";
    effect->setProgramName(rename);
    effect->setProgram(4);
    EXPECT_EQ(effect->getParameter(CQuellor::kThreshold), 0.6f);
    EXPECT_EQ(programName(), "Acoustic Guitar");
    effect->setProgram(3);
    EXPECT_EQ(effect->getParameter(CQuellor::kThreshold), 0.123f);
    EXPECT_EQ(programName(), "My vocals");

    // A long name is kept whole; the host gets it cut to its 24 bytes.
    char longName[] = "A name far longer than twenty-four characters";
    effect->setProgramName(longName);
    EXPECT_STREQ(effect->getProgramRecord(3).getName(), longName);
    effect->setProgramName(nullptr);
    effect->getProgramName(nullptr);
    EXPECT_STREQ(effect->getProgramRecord(3).getName(), longName);
}

// ---- MIDI ---------------------------------------------------------------------

TEST_F(QuellorFixture, ControlChangesSelectProgramsAndSetParameters)
{
    CMidiBlock select;
    select.addMidi(0xB0, 7, 99); // any value selects program 7
    effect->processEvents(select.events());
    EXPECT_EQ(effect->getProgram(), 7);
    EXPECT_EQ(programName(), "FSU");
    effect->processReplacing(nullptr, nullptr, 0); // forgets the block's events

    CMidiBlock controls;
    controls.addMidi(0xB0, 70, 127); // Ratio
    controls.addMidi(0xB0, 71, 0);   // Threshold
    controls.addMidi(0xB0, 72, 64);  // Attack
    controls.addMidi(0xB0, 73, 32);  // Release
    controls.addMidi(0xB0, 74, 100); // Master
    controls.addMidi(0xB0, 75, 5);   // no controller for Mix
    controls.addMidi(0xB1, 71, 127); // another MIDI channel
    controls.addMidi(0x90, 71, 127); // a note
    EXPECT_EQ(effect->processEvents(controls.events()), 1);
    const float scale = 1.0f / 127.0f;
    EXPECT_EQ(effect->getParameter(CQuellor::kRatio), 127 * scale);
    EXPECT_EQ(effect->getParameter(CQuellor::kThreshold), 0.0f);
    EXPECT_EQ(effect->getParameter(CQuellor::kAttack), 64 * scale);
    EXPECT_EQ(effect->getParameter(CQuellor::kRelease), 32 * scale);
    EXPECT_EQ(effect->getParameter(CQuellor::kMaster), 100 * scale);
    EXPECT_EQ(effect->getParameter(CQuellor::kMix), 1.0f);
    EXPECT_EQ(effect->getProgramRecord(7).getValue(CQuellor::kMaster), 100 * scale);
}

TEST_F(QuellorFixture, EventsActAgainUntilTheNextProcessingCall)
{
    CMidiBlock threshold;
    threshold.addMidi(0xB0, 71, 127);
    effect->processEvents(threshold.events());
    effect->setParameter(CQuellor::kThreshold, 0.2f);

    CMidiBlock empty;
    effect->processEvents(empty.events());
    EXPECT_EQ(effect->getParameter(CQuellor::kThreshold), 1.0f); // examined again

    effect->setParameter(CQuellor::kThreshold, 0.2f);
    float left[4] = {}, right[4] = {};
    float* channels[2] = {left, right};
    effect->processReplacing(channels, channels, 4);
    effect->processEvents(empty.events());
    EXPECT_EQ(effect->getParameter(CQuellor::kThreshold), 0.2f);
    EXPECT_EQ(effect->processEvents(nullptr), 1);
}

// ---- the view -------------------------------------------------------------------

TEST_F(QuellorFixture, TheViewHearsOfChangesButNotOfItsOwn)
{
    CRecordingView view;
    effect->setParameterView(&view);
    effect->setParameter(CQuellor::kRatio, 0.25f);
    ASSERT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(view.calls[0].index, CQuellor::kRatio);
    EXPECT_EQ(view.calls[0].value, 0.25);

    view.settingParameter = true;
    effect->setParameter(CQuellor::kMix, 0.5f);
    effect->processReplacing(nullptr, nullptr, 0);
    EXPECT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(effect->getParameter(CQuellor::kMix), 0.5f);

    view.settingParameter = false;
    effect->setProgram(1);
    ASSERT_EQ(view.calls.size(), 7u); // six parameters in index order
    for (int i = 0; i < CQuellor::kNumParameters; ++i)
    {
        EXPECT_EQ(view.calls[1 + i].index, i);
        EXPECT_EQ(view.calls[1 + i].value, static_cast<double>(kFactoryPrograms[1].values[i]));
    }
    effect->setParameterView(nullptr);
}

TEST_F(QuellorFixture, TheMeterReportsThePeakOfTheCompressedSignalPerCall)
{
    CRecordingView view;
    effect->setParameterView(&view);
    effect->setParameter(CQuellor::kMix, 0.0f); // the meter looks at the wet side anyway

    // A call that completes no block reports 0.
    effect->resume();
    const SStereo pulse = impulse(64, 3, 0.75f);
    float outLeft[64], outRight[64];
    float* inputs[2] = {const_cast<float*>(pulse.left.data()), const_cast<float*>(pulse.right.data())};
    float* outputs[2] = {outLeft, outRight};
    effect->processReplacing(inputs, outputs, 5);
    ASSERT_EQ(view.calls.back().index, IParameterView::kMeterIndex);
    EXPECT_EQ(view.calls.back().value, 0.0);

    // The meter samples position 15 of each finished block: the impulse at
    // frame 3 is never seen; a sample at position 15 of a later block is.
    effect->resume();
    SStereo late = impulse(64, 16 + 15, -0.6f);
    inputs[0] = late.left.data();
    inputs[1] = late.right.data();
    effect->processReplacing(inputs, outputs, 32); // sample enters the blocks
    EXPECT_EQ(view.calls.back().value, 0.0);
    inputs[0] += 32;
    inputs[1] += 32;
    effect->processReplacing(inputs, outputs, 32); // and leaves them at position 15
    EXPECT_FLOAT_EQ(static_cast<float>(view.calls.back().value), 0.6f);
    effect->setParameterView(nullptr);
}

TEST_F(QuellorFixture, GainReductionIsTheLargestOfTheCallsBlocksAndSettlesAtTheStaticCurve)
{
    effect->setProgram(5); // Hard: -8 dB, 20:1, 1 ms attack, 7.9 ms release
    effect->setSampleRate(48000.0f);
    effect->resume();
    // A full-scale pair of opposite signs measures +3.01 dB (the detector adds both
    // channels' energies): 11.01 dB over the threshold, of which 20:1 keeps 1/20.
    const SStereo loud{std::vector<float>(48000, 1.0f), std::vector<float>(48000, -1.0f)};
    run(loud, 512);
    const double expected = (1.0 - 0.05) * (10.0 * std::log10(2.0) + 8.0);
    EXPECT_NEAR(effect->getGainReduction(), expected, 0.01);

    // A call that completes no block, and the compressor switched off, show none.
    float out[2][8];
    float* outputs[2] = {out[0], out[1]};
    float* inputs[2] = {const_cast<float*>(loud.left.data()), const_cast<float*>(loud.right.data())};
    effect->processReplacing(inputs, outputs, 8);
    EXPECT_EQ(effect->getGainReduction(), 0.0f);
    effect->setParameter(CQuellor::kThreshold, 1.0f);
    run(loud, 512);
    EXPECT_EQ(effect->getGainReduction(), 0.0f);
}

// ---- audio path -----------------------------------------------------------------

TEST_F(QuellorFixture, OneStepBelowTheTopThresholdTheCompressorRuns)
{
    effect->setProgram(7); // FSU: 20:1, 1 ms, +8 dB
    effect->setParameter(CQuellor::kThreshold, std::nextafter(1.0f, 0.0f));
    effect->resume();
    // A full-scale pair measures +3 dB, above the 0 dB threshold.
    const SStereo loud{std::vector<float>(4096, 1.0f), std::vector<float>(4096, -1.0f)};
    // Uncompressed, each sample would come out as the master gain itself.
    EXPECT_LT(run(loud, 512).left.back(), 0.9f * static_cast<float>(effect->getMasterGain()));
}

TEST_F(QuellorFixture, ProcessingInPlaceGivesTheSameOutput)
{
    effect->setProgram(2);
    const SStereo input = programme(3000, 2);
    effect->resume();
    const SStereo reference = run(input, 300);
    effect = std::make_unique<CQuellor>(nullptr);
    effect->setProgram(2);
    effect->resume();
    SStereo buffer = input;
    for (std::size_t done = 0; done < buffer.size(); done += 300)
    {
        float* channels[2] = {buffer.left.data() + done, buffer.right.data() + done};
        effect->processReplacing(channels, channels, 300);
    }
    EXPECT_EQ(buffer.left, reference.left);
    EXPECT_EQ(buffer.right, reference.right);
}

TEST_F(QuellorFixture, ResumeClearsTheBlocksAndTakesTheNewSampleRate)
{
    run(programme(1000), 100);
    effect->setSampleRate(48000.0f);
    effect->resume();
    EXPECT_EQ(effect->getWorkingSampleRate(), 48000.0f);
    EXPECT_EQ(effect->getCompressor().getAverager().getSampleRate(), 48000.0f);
    EXPECT_EQ(effect->getCompressor().getEnvelope(), 1e-20f);
    // The first 16 output samples after a resume are silent.
    const SStereo output = run(programme(40), 5);
    for (std::size_t i = 0; i < 16; ++i)
    {
        ASSERT_EQ(output.left[i], 0.0f) << i;
    }
    EXPECT_NE(output.left[16], 0.0f);

    // A new rate waits for the next resume.
    effect->setSampleRate(96000.0f);
    EXPECT_EQ(effect->getWorkingSampleRate(), 48000.0f);
}

TEST_F(QuellorFixture, EmptyOrMissingBuffersProduceNothingAndNeverCrash)
{
    CRecordingView view;
    effect->setParameterView(&view);
    float left[8] = {1, 1, 1, 1, 1, 1, 1, 1}, right[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    float* channels[2] = {left, right};
    float* missing[2] = {left, nullptr};
    const struct
    {
        float **in, **out;
        VstInt32 frames;
    } calls[] = {{channels, channels, 0}, {channels, channels, -5}, {nullptr, channels, 8},
                 {channels, nullptr, 8},  {missing, channels, 8},   {channels, missing, 8}};
    for (const auto& call : calls)
    {
        effect->processReplacing(call.in, call.out, call.frames);
    }
    for (float sample : left)
    {
        EXPECT_EQ(sample, 1.0f);
    }
    ASSERT_EQ(view.calls.size(), 6u);
    for (const auto& call : view.calls)
    {
        EXPECT_EQ(call.index, IParameterView::kMeterIndex);
        EXPECT_EQ(call.value, 0.0);
    }
    EXPECT_EQ(effect->getCurrentMix(), 1.0f);
    effect->setParameterView(nullptr);
}

TEST(QuellorExactness, OutputMatchesTheStepByStepAudioPathBitForBit)
{
    // Every program, then changes of mix, threshold (off at its top and on
    // again) and master while the audio runs, in calls of random sizes.
    std::mt19937 random(23);
    std::uniform_int_distribution<int> callSize(1, 700);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int program = 0; program < CQuellor::kNumPrograms; ++program)
    {
        CQuellor effect(nullptr);
        effect.setProgram(program);
        effect.resume();
        QuellorTest::ReferenceEffect reference;
        reference.compressor.meanSquare = effect.getCompressor().getMeanSquare();
        reference.compressor.envelope = effect.getCompressor().getEnvelope();

        SStereo input = programme(60000, 30 + static_cast<std::uint32_t>(program));
        for (std::size_t i = 20000; i < 30000; ++i) // louder than full scale
        {
            input.left[i] *= 8.0f;
            input.right[i] *= 8.0f;
        }
        SStereo output = input, expected = input;
        for (std::size_t done = 0, calls = 0; done < input.size(); ++calls)
        {
            if (calls % 9 == 8)
            {
                const int index = std::array{CQuellor::kMix, CQuellor::kMix, CQuellor::kThreshold,
                                             CQuellor::kMaster}[random() % 4];
                const float value = unit(random) < 0.3f ? 1.0f : unit(random);
                effect.setParameter(index, value);
            }
            reference.compressor.takeSettings(effect.getCompressor());
            reference.masterGain = effect.getMasterGain();
            reference.compressorOn = effect.getParameter(CQuellor::kThreshold) != 1.0f;
            const auto frames =
                static_cast<VstInt32>(std::min<std::size_t>(callSize(random), input.size() - done));
            float* in[2] = {input.left.data() + done, input.right.data() + done};
            float* out[2] = {output.left.data() + done, output.right.data() + done};
            effect.processReplacing(in, out, frames);
            reference.process(in[0], in[1], expected.left.data() + done, expected.right.data() + done, frames,
                              effect.getParameterObject(CQuellor::kMix).getRealValue());
            done += static_cast<std::size_t>(frames);
        }
        ASSERT_EQ(output.left, expected.left) << program;
        ASSERT_EQ(output.right, expected.right) << program;
    }
}

// ---- bad input and values ---------------------------------------------------------

TEST_F(QuellorFixture, UnusableInputSamplesCountAsSilenceOnEveryPath)
{
    const SStereo clean = programme(6000, 3);
    for (float bad : {NAN, INFINITY, -INFINITY, 1e38f})
    {
        SStereo spoiled = clean, silenced = clean;
        for (std::size_t frame : {100u, 1603u, 1604u, 4000u})
        {
            spoiled.left[frame] = silenced.left[frame] = 0.0f;
            spoiled.right[frame] = silenced.right[frame] = 0.0f;
        }
        spoiled.left[100] = spoiled.right[1603] = bad;
        spoiled.left[1604] = spoiled.right[1604] = spoiled.left[4000] = bad;
        // Compression, dry mix and a ramp all at work, across a resume.
        SStereo outputs[2];
        for (int i = 0; i < 2; ++i)
        {
            effect = std::make_unique<CQuellor>(nullptr);
            effect->setProgram(6);
            effect->setParameter(CQuellor::kMix, 0.6f);
            effect->resume();
            const SStereo& input = i == 0 ? spoiled : silenced;
            outputs[i] = run(input, 500);
            effect->resume();
            const SStereo again = run(input, 64);
            outputs[i].left.insert(outputs[i].left.end(), again.left.begin(), again.left.end());
            outputs[i].right.insert(outputs[i].right.end(), again.right.begin(), again.right.end());
        }
        EXPECT_EQ(outputs[0].left, outputs[1].left) << bad;
        EXPECT_EQ(outputs[0].right, outputs[1].right) << bad;
    }
}

TEST_F(QuellorFixture, HugeInputGivesFiniteOutputAtTheLoudestSetting)
{
    effect->setParameter(CQuellor::kMaster, 1.0f);    // +22 dB
    effect->setParameter(CQuellor::kThreshold, 0.0f); // -50 dB
    effect->setParameter(CQuellor::kRatio, 0.0f);     // 1:1, the gain stays 1
    effect->resume();
    SStereo input = programme(4096, 5);
    for (std::size_t i = 1000; i < 1200; ++i)
    {
        input.left[i] = input.right[i] = (i % 2 ? 1.0f : -1.0f) * 1e37f;
    }
    const SStereo output = run(input, 256);
    for (std::size_t i = 0; i < output.size(); ++i)
    {
        ASSERT_TRUE(std::isfinite(output.left[i])) << i;
        ASSERT_TRUE(std::isfinite(output.right[i])) << i;
    }
    EXPECT_TRUE(std::isfinite(effect->getCompressor().getMeanSquare()));
    EXPECT_TRUE(std::isfinite(effect->getCompressor().getEnvelope()));
}

TEST_F(QuellorFixture, UnusableParameterValuesAreRefusedAndOthersClamped)
{
    const SStereo input = programme(3000, 4);
    effect->setProgram(3);
    effect->setParameter(CQuellor::kMix, 0.4f);
    effect->resume();
    const SStereo expected = run(input, 256);

    for (int index = 0; index < CQuellor::kNumParameters; ++index)
    {
        effect = std::make_unique<CQuellor>(nullptr);
        effect->setProgram(3);
        effect->setParameter(CQuellor::kMix, 0.4f);
        const float before = effect->getParameter(index);
        for (float bad : {NAN, INFINITY, -INFINITY})
        {
            effect->setParameter(index, bad);
            EXPECT_EQ(effect->getParameter(index), before) << index << " " << bad;
            EXPECT_EQ(effect->getProgramRecord(3).getValue(index), before) << index << " " << bad;
        }
        effect->resume();
        const SStereo output = run(input, 256);
        EXPECT_EQ(output.left, expected.left) << index;
        EXPECT_EQ(output.right, expected.right) << index;

        const struct
        {
            float given, taken;
        } clamps[] = {{1.5f, 1.0f}, {-0.25f, 0.0f}, {3e38f, 1.0f}, {-1e-30f, 0.0f}};
        for (const auto& clamp : clamps)
        {
            effect->setParameter(index, clamp.given);
            EXPECT_EQ(effect->getParameter(index), clamp.taken) << index << " " << clamp.given;
        }
    }
}

// ---- queries --------------------------------------------------------------------

TEST_F(QuellorFixture, AnswersCapabilityPinAndVendorQueries)
{
    for (const char* yes : {"plugAsChannelInsert", "plugAsSend", "2in2out"})
    {
        std::string text = yes;
        EXPECT_EQ(effect->canDo(text.data()), 1) << yes;
    }
    EXPECT_EQ(effect->canDo(nullptr), -1);

    Vantor::Vst::VstPinProperties pin{};
    ASSERT_TRUE(effect->getInputProperties(1, &pin));
    EXPECT_STREQ(pin.label, "Right input");
    EXPECT_STREQ(pin.shortLabel, "R in");
    EXPECT_EQ(pin.flags, 3);
    ASSERT_TRUE(effect->getOutputProperties(0, &pin));
    EXPECT_STREQ(pin.label, "Left output");
    EXPECT_STREQ(pin.shortLabel, "L out");
    Vantor::Vst::VstPinProperties untouched{};
    std::strcpy(untouched.label, "mine");
    EXPECT_FALSE(effect->getOutputProperties(2, &untouched));
    EXPECT_FALSE(effect->getInputProperties(-1, &untouched));
    EXPECT_STREQ(untouched.label, "mine");
    EXPECT_FALSE(effect->getInputProperties(0, nullptr));

    char text[64] = "";
    EXPECT_EQ(effect->vendorSpecific(7, 2, text, 0.5f), 0xbeef);
    EXPECT_STREQ(text, "0.500000");
    EXPECT_EQ(effect->vendorSpecific(7, 6, text, 0.5f), 0);
    EXPECT_EQ(effect->vendorSpecific(7, 0, nullptr, 0.5f), 0);

    // Ranges of the real values; an unknown index leaves the last answer alone.
    const auto rangeCode = static_cast<VstInt32>(0xdeadbef0u);
    const struct
    {
        VstInt32 index;
        VstIntPtr answer;
        double low, high;
    } ranges[] = {{3, 0xbeef, 1.0, 1000.0}, {1, 0xbeef, -50.0, 0.0}, {9, 0, -50.0, 0.0}};
    double range[2] = {-7.0, -7.0};
    for (const auto& r : ranges)
    {
        EXPECT_EQ(effect->vendorSpecific(rangeCode, r.index, range, 0.0f), r.answer) << r.index;
        EXPECT_EQ(range[0], r.low) << r.index;
        EXPECT_EQ(range[1], r.high) << r.index;
    }
    EXPECT_EQ(effect->vendorSpecific(12345, 1, range, 0.0f), 0);
}
