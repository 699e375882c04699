#include "tests/tools/ErrorText.hpp"
#include "tests/tools/ProbePluginState.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

using namespace Vantor::Vst;
using Vantor::VstHost::CHostError;
using Vantor::VstHost::CVstPlugin;
using Vantor::VstHost::SHostCall;
using Vantor::VstHost::SHostSettings;
using Vantor::VstHost::SMidiMessage;

namespace
{

ProbePlugin::SState& probe(CVstPlugin& plugin)
{
    return ProbePlugin::stateOf(plugin.effect());
}

// The text of the CHostError that loading path raises ("" when it loads).
std::string loadError(const std::filesystem::path& path)
{
    return ToolsTest::errorText<CHostError>([&] { CVstPlugin::load(path); });
}

} // namespace

TEST(VstPluginLoading, ReadsTheRecordAndOpensTheEffect)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    EXPECT_EQ(plugin->entryPointName(), "VSTPluginMain");
    EXPECT_EQ(plugin->effect().uniqueID, fourCharCode("Prb1"));
    EXPECT_EQ(Vantor::VstHost::fourCharText(plugin->effect().uniqueID), "Prb1");
    EXPECT_EQ(plugin->effect().initialDelay, ProbePlugin::kDelay);
    EXPECT_EQ(probe(*plugin).opcodeCounts[effOpen], 1);
    EXPECT_EQ(plugin->effectName(), "Probe Delay");
    EXPECT_EQ(plugin->vendorString(), "Vantor Tests");
    EXPECT_EQ(plugin->productString(), "Delay Probe");
    EXPECT_EQ(plugin->vendorVersion(), 1234);
    EXPECT_EQ(plugin->vstVersion(), kVstVersion);
    EXPECT_EQ(plugin->category(), kPlugCategEffect);
}

TEST(VstPluginLoading, FallsBackToTheMainEntryPoint)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_MAIN_ONLY_PATH);
    EXPECT_EQ(plugin->entryPointName(), "main");
    EXPECT_EQ(plugin->effect().magic, kEffectMagic);
}

TEST(VstPluginLoading, FailuresGiveAClearReason)
{
    const auto folder = std::filesystem::temp_directory_path();
    const auto textFile = folder / "vsthost_not_a_library.so";
    std::ofstream(textFile) << "not a shared object\n";

    EXPECT_NE(loadError(folder / "vsthost_missing.so").find("no such file"), std::string::npos);
    EXPECT_NE(loadError(textFile).find("cannot load plug-in"), std::string::npos);
    EXPECT_NE(loadError(VSTHOST_PROBE_NO_ENTRY_PATH).find("exports neither VSTPluginMain nor main"), std::string::npos);
    EXPECT_NE(loadError(VSTHOST_PROBE_REFUSE_PATH).find("returned no effect"), std::string::npos);
    const std::string magic = loadError(VSTHOST_PROBE_BAD_MAGIC_PATH);
    EXPECT_NE(magic.find("0x4E6F7065"), std::string::npos) << magic;
    EXPECT_NE(magic.find("'VstP'"), std::string::npos) << magic;
    const std::string thrown = loadError(VSTHOST_PROBE_THROW_PATH);
    EXPECT_NE(thrown.find("threw"), std::string::npos) << thrown;
    EXPECT_NE(thrown.find("probe refuses to start"), std::string::npos) << thrown;
    std::filesystem::remove(textFile);
}

TEST(VstPluginLoading, ExceptionsFromThePluginBecomeHostErrors)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    const std::string text = ToolsTest::errorText<CHostError>([&] { plugin->dispatch(effVendorSpecific); });
    EXPECT_NE(text.find("dispatcher opcode 50: vendor call refused"), std::string::npos) << text;
    EXPECT_EQ(plugin->effectName(), "Probe Delay"); // still usable
}

TEST(VstPluginLoading, CloseIsFinalAndRepeatable)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    plugin->resume();
    plugin->close();
    EXPECT_FALSE(plugin->isOpen());
    EXPECT_NO_THROW(plugin->close());
    EXPECT_THROW(plugin->dispatch(effGetProgram), CHostError);
    EXPECT_THROW(plugin->parameter(0), CHostError);
}

TEST(HostCallbacks, EntryPointCallsAreLoggedAndAttributed)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    const std::vector<SHostCall> calls = plugin->host().calls();
    ASSERT_GE(calls.size(), 2u);
    // The version query comes before any record exists.
    EXPECT_EQ(calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(calls[0].effect, nullptr);
    EXPECT_EQ(calls[0].answer, kVstVersion);
    // The capability query carries a record the host had not seen yet.
    EXPECT_EQ(calls[1].opcode, audioMasterCanDo);
    EXPECT_EQ(calls[1].effect, &plugin->effect());
    EXPECT_EQ(calls[1].text, "sendVstTimeInfo");
    EXPECT_EQ(calls[1].answer, 1);
}

TEST(HostCallbacks, InstancesAreRoutedToTheirOwnHost)
{
    SHostSettings slow;
    slow.sampleRate = 22050.0f;
    slow.blockSize = 100;
    auto first = CVstPlugin::load(VSTHOST_PROBE_PATH, slow);
    auto second = CVstPlugin::load(VSTHOST_PROBE_PATH);
    ASSERT_NE(&first->effect(), &second->effect());

    std::vector<float> in(250, 0.0f);
    std::vector<float> out(250);
    first->processStereo(in.data(), in.data(), out.data(), out.data(), in.size());
    first->host().clearCalls();
    second->host().clearCalls();

    // Each instance hears its own host's answers and only its own calls are logged there.
    auto answer = [](CVstPlugin& plugin, VstInt32 opcode) {
        return probe(plugin).host(&plugin.effect(), opcode, 0, 0, nullptr, 0.0f);
    };
    EXPECT_EQ(answer(*first, audioMasterGetSampleRate), 22050);
    EXPECT_EQ(answer(*second, audioMasterGetSampleRate), 44100);
    EXPECT_EQ(answer(*first, audioMasterGetBlockSize), 100);
    EXPECT_EQ(first->host().countCalls(audioMasterGetSampleRate), 1u);
    EXPECT_EQ(second->host().countCalls(audioMasterGetSampleRate), 1u);
    EXPECT_EQ(second->host().countCalls(audioMasterGetTime), 0u);
    EXPECT_EQ(probe(*first).lastSamplePosition, 200.0);
    EXPECT_EQ(probe(*second).lastSamplePosition, -1.0);
}

TEST(HostCallbacks, TransportAndProcessLevelFollowProcessing)
{
    std::vector<float> in(1000, 0.0f);
    std::vector<float> out(1000);
    {
        SHostSettings settings;
        settings.blockSize = 256;
        auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH, settings);
        plugin->processStereo(in.data(), in.data(), out.data(), out.data(), in.size());
        EXPECT_EQ(probe(*plugin).lastSamplePosition, 768.0); // start of the last call
        EXPECT_EQ(probe(*plugin).lastProcessLevel, kVstProcessLevelRealtime);
        EXPECT_EQ(plugin->host().answer(nullptr, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f),
                  kVstProcessLevelUser);
    }
    {
        SHostSettings settings;
        settings.provideTimeInfo = false;
        settings.offline = true;
        auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH, settings);
        plugin->processStereo(in.data(), in.data(), out.data(), out.data(), in.size());
        EXPECT_EQ(probe(*plugin).lastSamplePosition, -1.0); // no time info given
        EXPECT_EQ(probe(*plugin).lastProcessLevel, kVstProcessLevelOffline);
    }
}

TEST(VstPluginProcessing, SetUpReachesThePluginInHostOrder)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    plugin->setSampleRate(48000.0f);
    plugin->setBlockSize(128);
    EXPECT_EQ(probe(*plugin).sampleRate, 48000.0f);
    EXPECT_EQ(probe(*plugin).blockSize, 128);
    EXPECT_FALSE(probe(*plugin).resumed);

    plugin->resume();
    EXPECT_TRUE(probe(*plugin).resumed);
    EXPECT_EQ(probe(*plugin).opcodeCounts[effStartProcess], 1);
    plugin->resume(); // already on: nothing sent
    EXPECT_EQ(probe(*plugin).opcodeCounts[effMainsChanged], 1);

    // A new block size while running goes through suspend and resume.
    plugin->setBlockSize(64);
    EXPECT_EQ(probe(*plugin).blockSize, 64);
    EXPECT_TRUE(probe(*plugin).resumed);
    EXPECT_EQ(probe(*plugin).opcodeCounts[effMainsChanged], 3);
    EXPECT_EQ(probe(*plugin).opcodeCounts[effStopProcess], 1);

    plugin->suspend();
    EXPECT_FALSE(probe(*plugin).resumed);
    EXPECT_THROW(plugin->setBlockSize(0), CHostError);
}

TEST(VstPluginProcessing, StereoPassesThroughInBlocks)
{
    SHostSettings settings;
    settings.blockSize = 64;
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH, settings);
    constexpr std::size_t kFrames = 1000;
    std::vector<float> left(kFrames);
    std::vector<float> right(kFrames);
    std::iota(left.begin(), left.end(), 1.0f);
    std::iota(right.begin(), right.end(), -5000.0f);
    std::vector<float> outLeft(kFrames);
    std::vector<float> outRight(kFrames);
    plugin->processStereo(left.data(), right.data(), outLeft.data(), outRight.data(), kFrames);

    EXPECT_EQ(probe(*plugin).framesProcessed, static_cast<long>(kFrames));
    EXPECT_EQ(probe(*plugin).maxFramesPerCall, 64);
    for (std::size_t i = 0; i < kFrames; ++i)
    {
        const bool delayed = i >= ProbePlugin::kDelay;
        ASSERT_EQ(outLeft[i], delayed ? left[i - ProbePlugin::kDelay] : 0.0f) << i;
        ASSERT_EQ(outRight[i], delayed ? right[i - ProbePlugin::kDelay] : 0.0f) << i;
    }

    // In place: the output may overwrite the input it came from.
    std::vector<float> inPlaceLeft(left);
    std::vector<float> inPlaceRight(right);
    plugin->processStereo(inPlaceLeft.data(), inPlaceRight.data(), inPlaceLeft.data(), inPlaceRight.data(), kFrames);
    EXPECT_EQ(inPlaceLeft[0], left[kFrames - ProbePlugin::kDelay]); // still in the delay line from before
    EXPECT_EQ(inPlaceLeft[100], left[100 - ProbePlugin::kDelay]);
    EXPECT_EQ(inPlaceRight[999], right[999 - ProbePlugin::kDelay]);
}

TEST(VstPluginProcessing, FollowsChangedChannelCounts)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    std::vector<float> left(100, 0.5f);
    std::vector<float> right(100, -0.5f);
    std::vector<float> outLeft(100);
    std::vector<float> outRight(100);
    plugin->processStereo(left.data(), right.data(), outLeft.data(), outRight.data(), 100);

    // As after audioMasterIOChanged: one input, one output; the output feeds both sides.
    plugin->effect().numInputs = 1;
    plugin->effect().numOutputs = 1;
    plugin->processStereo(left.data(), right.data(), outLeft.data(), outRight.data(), 100);
    EXPECT_EQ(outLeft[50], 0.5f);
    EXPECT_EQ(outRight[50], 0.5f);

    plugin->effect().numOutputs = 0;
    plugin->processStereo(left.data(), right.data(), outLeft.data(), outRight.data(), 100);
    EXPECT_EQ(outLeft[50], 0.0f);
    EXPECT_EQ(outRight[50], 0.0f);

    plugin->effect().numOutputs = Vantor::VstHost::CVstPlugin::kMaxChannels + 1;
    EXPECT_THROW(plugin->processStereo(left.data(), right.data(), outLeft.data(), outRight.data(), 100), CHostError);
    plugin->effect().numOutputs = 2;
    plugin->effect().numInputs = 2;
}

TEST(VstPluginProcessing, RawCallsRespectTheBlockSize)
{
    SHostSettings settings;
    settings.blockSize = 16;
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH, settings);
    std::vector<float> buffer(4 * 32, 0.0f);
    float* inputs[] = {buffer.data(), buffer.data() + 32};
    float* outputs[] = {buffer.data() + 64, buffer.data() + 96};
    EXPECT_NO_THROW(plugin->processReplacing(inputs, outputs, 16));
    EXPECT_THROW(plugin->processReplacing(inputs, outputs, 17), CHostError);
}

TEST(VstPluginProcessing, MidiMessagesReachThePlugin)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    const std::vector<SMidiMessage> messages = {{0, 0x90, 60, 100}, {17, 0xB0, 7, 127}};
    plugin->sendMidi(messages);
    EXPECT_EQ(probe(*plugin).midiEvents, 2);
    EXPECT_EQ(probe(*plugin).lastMidiDelta, 17);
    EXPECT_EQ(probe(*plugin).lastMidi[0], 0xB0);
    EXPECT_EQ(probe(*plugin).lastMidi[1], 7);
    EXPECT_EQ(probe(*plugin).lastMidi[2], 127);

    // A single message still gets a well-formed block.
    plugin->sendMidi(std::vector<SMidiMessage>{{3, 0x80, 60, 0}});
    EXPECT_EQ(probe(*plugin).midiEvents, 3);
    EXPECT_EQ(probe(*plugin).lastMidiDelta, 3);
}

TEST(VstPluginParameters, NamesValuesAndTexts)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    ASSERT_EQ(plugin->parameterCount(), 3);
    EXPECT_EQ(plugin->parameterName(2), "Mix Leve"); // the plug-in keeps to 8 characters
    EXPECT_EQ(plugin->parameterLabel(0), "dB");
    plugin->setParameter(1, 0.75f);
    EXPECT_EQ(plugin->parameter(1), 0.75f);
    EXPECT_EQ(plugin->parameterDisplay(1), "0.750");

    EXPECT_EQ(plugin->findParameter("drive"), 1);
    EXPECT_EQ(plugin->findParameter("  GAIN "), 0);
    EXPECT_EQ(plugin->findParameter("mix leve"), 2);
    EXPECT_EQ(plugin->findParameter("Gai"), std::nullopt);

    EXPECT_THROW(plugin->parameter(3), CHostError);
    EXPECT_THROW(plugin->setParameter(-1, 0.0f), CHostError);
    EXPECT_THROW(plugin->parameterName(3), CHostError);
}

TEST(VstPluginPrograms, NamesComeIndexedOrBySwitching)
{
    auto indexed = CVstPlugin::load(VSTHOST_PROBE_PATH);
    EXPECT_EQ(indexed->programNameAt(1), "Bright");
    EXPECT_EQ(probe(*indexed).opcodeCounts[effSetProgram], 0); // no switching needed

    auto switching = CVstPlugin::load(VSTHOST_PROBE_MAIN_ONLY_PATH);
    switching->setProgram(1);
    EXPECT_EQ(switching->programNameAt(2), "Dark");
    EXPECT_EQ(switching->programNameAt(1), "Bright");
    EXPECT_EQ(switching->program(), 1); // the current program is restored
    EXPECT_EQ(switching->programNameAt(3), "");
    EXPECT_EQ(switching->findProgram(" dark"), 2);
    EXPECT_EQ(switching->findProgram("Darker"), std::nullopt);
    EXPECT_EQ(switching->program(), 1);

    EXPECT_THROW(switching->setProgram(3), CHostError);
    EXPECT_THROW(switching->setProgram(-1), CHostError);
}

TEST(VstPluginCapabilities, PinPropertiesAndCanDoAnswers)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    const auto left = plugin->outputProperties(0);
    ASSERT_TRUE(left.has_value());
    EXPECT_STREQ(left->label, "Probe Left");
    EXPECT_EQ(left->flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_FALSE(plugin->outputProperties(2).has_value());
    EXPECT_FALSE(plugin->inputProperties(0).has_value());

    EXPECT_EQ(plugin->canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(plugin->canDo("bypass"), -1);
    EXPECT_EQ(plugin->canDo("quirkyNo"), -1); // judged on the low 32 bits
    EXPECT_EQ(plugin->canDo("somethingElse"), 0);
}
