#include "tools/vsthost/VstPlugin.hpp"
#include "tests/tools/ProbePluginState.hpp"

#include "tests/ScratchFolder.hpp"
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

using namespace Vantor::Vst;
using Vantor::VstHost::CHostError;
using Vantor::VstHost::CVstPlugin;
using Vantor::VstHost::SHostSettings;
using Vantor::VstHost::SMidiMessage;

namespace
{

constexpr int kDelay = ProbePlugin::kDelay;

ProbePlugin::SState& probe(CVstPlugin& plugin)
{
    return ProbePlugin::stateOf(plugin.effect());
}

std::unique_ptr<CVstPlugin> loadProbe(int blockSize = 512, bool provideTimeInfo = true, bool offline = false)
{
    SHostSettings settings;
    settings.blockSize = blockSize;
    settings.provideTimeInfo = provideTimeInfo;
    settings.offline = offline;
    return CVstPlugin::load(VSTHOST_PROBE_PATH, settings);
}

// Stereo input and output buffers of one length.
struct SBuffers
{
    explicit SBuffers(std::size_t frames, float left = 0.0f, float right = 0.0f)
        : inL(frames, left), inR(frames, right), outL(frames), outR(frames)
    {
    }
    void process(CVstPlugin& plugin)
    {
        plugin.processStereo(inL.data(), inR.data(), outL.data(), outR.data(), inL.size());
    }
    std::vector<float> inL, inR, outL, outR;
};

} // namespace

TEST(VstPluginLoading, ReadsTheRecordThroughEitherEntryPoint)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    EXPECT_EQ(plugin->entryPointName(), "VSTPluginMain");
    EXPECT_EQ(probe(*plugin).opcodeCounts[effOpen], 1);
    EXPECT_EQ(plugin->vendorString(), "Vantor Tests");
    EXPECT_EQ(plugin->vstVersion(), kVstVersion);
    EXPECT_EQ(plugin->category(), kPlugCategEffect);

    auto legacy = CVstPlugin::load(VSTHOST_PROBE_MAIN_ONLY_PATH);
    EXPECT_EQ(legacy->entryPointName(), "main");
}

TEST(VstPluginLoading, FailuresGiveAClearReason)
{
    const Vantor::Testing::CScratchFolder folder("vsthost");
    const auto textFile = folder / "not_a_library.so";
    std::ofstream(textFile) << "not a shared object\n";
    using ::testing::HasSubstr;
    const std::pair<std::filesystem::path, ::testing::Matcher<std::string>> cases[] = {
        {folder / "vsthost_missing.so", HasSubstr("no such file")},
        {textFile, HasSubstr("cannot load plug-in")},
        {VSTHOST_PROBE_NO_ENTRY_PATH, HasSubstr("exports neither VSTPluginMain nor main")},
        {VSTHOST_PROBE_REFUSE_PATH, HasSubstr("returned no effect")},
        {VSTHOST_PROBE_BAD_MAGIC_PATH, ::testing::AllOf(HasSubstr("0x4E6F7065"), HasSubstr("'VstP'"))},
        {VSTHOST_PROBE_THROW_PATH, ::testing::AllOf(HasSubstr("threw"), HasSubstr("probe refuses to start"))},
    };
    for (const auto& [path, expected] : cases)
    {
        EXPECT_THAT([&] { CVstPlugin::load(path); }, ::testing::ThrowsMessage<CHostError>(expected)) << path;
    }
    std::filesystem::remove(textFile);
}

TEST(VstPluginLoading, PluginExceptionsBecomeHostErrorsAndCloseIsFinal)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    EXPECT_THAT([&] { plugin->dispatch(effVendorSpecific); },
                ::testing::ThrowsMessage<CHostError>(
                    ::testing::HasSubstr("dispatcher opcode 50: vendor call refused")));
    EXPECT_EQ(plugin->effectName(), "Probe Delay"); // still usable

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
    const auto calls = plugin->host().calls();
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
    SBuffers(250).process(*first);
    first->host().clearCalls();
    second->host().clearCalls();

    // Each instance hears its own host's answers and only its own calls are logged there.
    auto answer = [](CVstPlugin& plugin, VstInt32 opcode)
    { return probe(plugin).host(&plugin.effect(), opcode, 0, 0, nullptr, 0.0f); };
    EXPECT_EQ(answer(*first, audioMasterGetSampleRate), 22050);
    EXPECT_EQ(answer(*second, audioMasterGetSampleRate), 44100);
    EXPECT_EQ(answer(*first, audioMasterGetBlockSize), 100);
    EXPECT_EQ(first->host().countCalls(audioMasterGetSampleRate), 1u);
    EXPECT_EQ(second->host().countCalls(audioMasterGetSampleRate), 1u);
    EXPECT_EQ(second->host().countCalls(audioMasterGetTime), 0u);
    EXPECT_EQ(probe(*first).lastSamplePosition, 200.0); // start of the last call
    EXPECT_EQ(probe(*second).lastSamplePosition, -1.0);
    EXPECT_EQ(probe(*first).lastProcessLevel, kVstProcessLevelRealtime);
    EXPECT_EQ(first->host().answer(nullptr, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f),
              kVstProcessLevelUser);
}

TEST(HostCallbacks, OfflineHostWithoutTimeInfo)
{
    auto offline = loadProbe(512, false, true);
    SBuffers(1000).process(*offline);
    EXPECT_EQ(probe(*offline).lastSamplePosition, -1.0); // no time info given
    EXPECT_EQ(probe(*offline).lastProcessLevel, kVstProcessLevelOffline);
}

TEST(VstPluginProcessing, SetUpReachesThePluginInHostOrder)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    const ProbePlugin::SState& state = probe(*plugin);
    plugin->setSampleRate(48000.0f);
    plugin->setBlockSize(128);
    EXPECT_EQ(state.sampleRate, 48000.0f);
    EXPECT_EQ(state.blockSize, 128);
    EXPECT_FALSE(state.resumed);

    plugin->resume();
    EXPECT_TRUE(state.resumed);
    EXPECT_EQ(state.opcodeCounts[effStartProcess], 1);
    plugin->resume(); // already on: nothing sent
    EXPECT_EQ(state.opcodeCounts[effMainsChanged], 1);

    // A new block size while running goes through suspend and resume.
    plugin->setBlockSize(64);
    EXPECT_EQ(state.blockSize, 64);
    EXPECT_TRUE(state.resumed);
    EXPECT_EQ(state.opcodeCounts[effMainsChanged], 3);
    EXPECT_EQ(state.opcodeCounts[effStopProcess], 1);

    plugin->suspend();
    EXPECT_FALSE(state.resumed);
    EXPECT_THROW(plugin->setBlockSize(0), CHostError);
}

TEST(VstPluginProcessing, StereoPassesThroughInBlocks)
{
    auto plugin = loadProbe(64);
    constexpr std::size_t kFrames = 1000;
    SBuffers buffers(kFrames);
    std::iota(buffers.inL.begin(), buffers.inL.end(), 1.0f);
    std::iota(buffers.inR.begin(), buffers.inR.end(), -5000.0f);
    buffers.process(*plugin);
    EXPECT_EQ(probe(*plugin).framesProcessed, static_cast<long>(kFrames));
    EXPECT_EQ(probe(*plugin).maxFramesPerCall, 64);
    for (std::size_t i = 0; i < kFrames; ++i)
    {
        ASSERT_EQ(buffers.outL[i], i >= kDelay ? buffers.inL[i - kDelay] : 0.0f) << i;
        ASSERT_EQ(buffers.outR[i], i >= kDelay ? buffers.inR[i - kDelay] : 0.0f) << i;
    }

    // In place: the output may overwrite the input it came from.
    std::vector<float> left(buffers.inL);
    std::vector<float> right(buffers.inR);
    plugin->processStereo(left.data(), right.data(), left.data(), right.data(), kFrames);
    EXPECT_EQ(left[0], buffers.inL[kFrames - kDelay]); // still in the delay line from before
    EXPECT_EQ(left[100], buffers.inL[100 - kDelay]);
    EXPECT_EQ(right[999], buffers.inR[999 - kDelay]);

    // Raw calls may not exceed the block size.
    float* inputs[] = {buffers.inL.data(), buffers.inR.data()};
    float* outputs[] = {buffers.outL.data(), buffers.outR.data()};
    EXPECT_NO_THROW(plugin->processReplacing(inputs, outputs, 64));
    EXPECT_THROW(plugin->processReplacing(inputs, outputs, 65), CHostError);
}

TEST(VstPluginProcessing, FollowsChangedChannelCounts)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    SBuffers buffers(100, 0.5f, -0.5f);
    buffers.process(*plugin);

    // As after audioMasterIOChanged: one input, one output; the output feeds both sides.
    plugin->effect().numInputs = 1;
    plugin->effect().numOutputs = 1;
    buffers.process(*plugin);
    EXPECT_EQ(buffers.outL[50], 0.5f);
    EXPECT_EQ(buffers.outR[50], 0.5f);

    plugin->effect().numOutputs = 0;
    buffers.process(*plugin);
    EXPECT_EQ(buffers.outL[50], 0.0f);
    EXPECT_EQ(buffers.outR[50], 0.0f);

    plugin->effect().numOutputs = CVstPlugin::kMaxChannels + 1;
    EXPECT_THROW(buffers.process(*plugin), CHostError);
    plugin->effect().numOutputs = 2;
    plugin->effect().numInputs = 2;
}

TEST(VstPluginProcessing, MidiMessagesReachThePlugin)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    const ProbePlugin::SState& state = probe(*plugin);
    plugin->sendMidi(std::vector<SMidiMessage>{{0, 0x90, 60, 100}, {17, 0xB0, 7, 127}});
    EXPECT_EQ(state.midiEvents, 2);
    EXPECT_EQ(state.lastMidiDelta, 17);
    EXPECT_EQ(state.lastMidi[0], 0xB0);
    EXPECT_EQ(state.lastMidi[1], 7);
    EXPECT_EQ(state.lastMidi[2], 127);

    // A single message still gets a well-formed block.
    plugin->sendMidi(std::vector<SMidiMessage>{{3, 0x80, 60, 0}});
    EXPECT_EQ(state.midiEvents, 3);
    EXPECT_EQ(state.lastMidiDelta, 3);
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

TEST(VstPluginCapabilities, MissingPinsAndUnusualCanDoAnswers)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    // Labels, flags and plain answers are read back by the pressora info case.
    EXPECT_FALSE(plugin->outputProperties(2).has_value());
    EXPECT_EQ(plugin->canDo("quirkyNo"), -1); // judged on the low 32 bits
    EXPECT_EQ(plugin->canDo("somethingElse"), 0);
}

// A parent window's handle through ptr and an arrangement's address through value
// reach the plug-in unchanged and usable: nothing on the way may treat them as
// signed numbers (one handle has the top bit of 32 set) or cut them to 32 bits.
TEST(VstPluginInterface, HandlesAndPointersArriveUnchanged)
{
    auto plugin = CVstPlugin::load(VSTHOST_PROBE_PATH);
    const ProbePlugin::SState& state = probe(*plugin);
    for (std::uintptr_t handle : {std::uintptr_t{0x04a00007u}, std::uintptr_t{0xfedc0123u}})
    {
        void* window = reinterpret_cast<void*>(handle);
        EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, window), 1);
        EXPECT_EQ(state.editorWindow, window);
    }
    VstSpeakerArrangement input{}, output{};
    input.numChannels = 2;
    output.numChannels = 1;
    EXPECT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 1);
    EXPECT_EQ(state.arrangementValue, reinterpret_cast<VstIntPtr>(&input));
    EXPECT_EQ(state.arrangementPtr, &output);
    EXPECT_EQ(state.arrangementChannels[0], 2);
    EXPECT_EQ(state.arrangementChannels[1], 1);
}
