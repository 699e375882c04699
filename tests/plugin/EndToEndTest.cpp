// The built PressoraLite module, loaded and driven the way a host does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/plugin/QuellorTestSupport.hpp"
#include "tools/vsthost/VstPlugin.hpp"

using namespace Vantor::Vst;
using QuellorTest::process;
using QuellorTest::SStereo;
using Vantor::VstHost::CPluginModule;
using Vantor::VstHost::CVstPlugin;

namespace
{

// The shipped library, or in the 32-bit build the test library without an editor.
constexpr const char* kModulePath = PRESSORALITE_PATH;
#if defined(PRESSORALITE_HAS_EDITOR)
constexpr bool kHasEditor = true;
#else
constexpr bool kHasEditor = false;
#endif

std::unique_ptr<CVstPlugin> loadPlugin(VstInt32 blockSize = 512)
{
    Vantor::VstHost::SHostSettings settings;
    settings.blockSize = blockSize;
    auto plugin = CVstPlugin::load(kModulePath, settings);
    plugin->setSampleRate(44100.0f);
    plugin->setBlockSize(blockSize);
    return plugin;
}

std::string textOf(CVstPlugin& plugin, VstInt32 opcode, VstInt32 index = 0)
{
    char text[256] = {};
    plugin.dispatch(opcode, index, 0, text);
    return text;
}

// The output gain at Master 0 dB: 10^(2/20), as the effect computes it.
double defaultGain()
{
    return static_cast<double>(std::exp(2.0L * static_cast<long double>(0.11512925464970228)));
}

// The sockets the process holds: a connection to an X display is one.
int openSockets()
{
#ifdef _WIN32
    return 0; // Windows programs reach the window system without a connection of their own.
#else
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    {
        std::error_code error;
        const auto target = std::filesystem::read_symlink(entry.path(), error);
        count += !error && target.string().rfind("socket:", 0) == 0 ? 1 : 0;
    }
    return count;
#endif
}

std::size_t firstNonZero(const std::vector<float>& samples)
{
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        if (samples[i] != 0.0f)
        {
            return i;
        }
    }
    return samples.size();
}

} // namespace

TEST(EndToEnd, ExportsBothEntryPointsAndRefusesAHostThatDoesNotAnswer)
{
    CPluginModule module(kModulePath);
    ASSERT_NE(module.symbol("VSTPluginMain"), nullptr);
    ASSERT_NE(module.symbol("main"), nullptr);

    auto silentHost = [](AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) -> VstIntPtr { return 0; };
    for (const char* name : {"VSTPluginMain", "main"})
    {
        auto entry = reinterpret_cast<VstPluginMainProc>(module.symbol(name));
        EXPECT_EQ(entry(silentHost), nullptr) << name;
        EXPECT_EQ(entry(nullptr), nullptr) << name;
    }
}

TEST(EndToEnd, RecordAndDispatcherAnswerAsAnnounced)
{
    auto plugin = loadPlugin();
    const AEffect& record = plugin->effect();
    EXPECT_EQ(record.numPrograms, 13);
    EXPECT_EQ(record.numParams, 6);
    EXPECT_EQ(record.numInputs, 2);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.initialDelay, 16);
    EXPECT_EQ(record.uniqueID, fourCharCode("Tam2"));
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.flags, effFlagsCanReplacing | (kHasEditor ? effFlagsHasEditor : 0)); // no chunks

    const struct
    {
        VstInt32 opcode, index;
        VstIntPtr value, answer;
    } answers[] = {
        {effGetVstVersion, 0, 0, 2400},
        {effIdentify, 0, 0, fourCharCode("NvEf")},
        {effGetPlugCategory, 0, 0, 0},
        {effGetVendorVersion, 0, 0, 0},
        {effGetCurrentMidiProgram, 0, 0, -1},
        {effCanBeAutomated, 3, 0, 1},
        {effGetTailSize, 0, 0, 0},
        {effGetNumMidiInputChannels, 0, 0, 1},
        {effGetNumMidiOutputChannels, 0, 0, 0},
        {effSetTotalSampleToProcess, 0, 4321, 4321},
        {effSetBypass, 0, 1, 0},
        {effEditOpen, 0, 0, 0},
    };
    for (const auto& row : answers)
    {
        EXPECT_EQ(plugin->dispatch(row.opcode, row.index, row.value), row.answer) << row.opcode;
    }
    void* chunk = nullptr;
    EXPECT_EQ(plugin->dispatch(effGetChunk, 0, 0, &chunk), 0);
    ERect* rect = nullptr;
    EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), kHasEditor ? 1 : 0);
    if (kHasEditor)
    {
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->right - rect->left, 500);
        EXPECT_EQ(rect->bottom - rect->top, 158);
    }
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement *in = &dummy, *out = &dummy;
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(out, nullptr);

    EXPECT_EQ(plugin->effectName(), "PressoraLite");
    EXPECT_EQ(plugin->vendorString(), "Corvella");
    EXPECT_EQ(plugin->productString(), "Vst Compressor");
    EXPECT_EQ(plugin->canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(plugin->canDo("offline"), -1);
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, nullptr), -1); // no text is a "no" as well
    EXPECT_EQ(static_cast<std::uint32_t>(
                  plugin->dispatch(effCanDo, 0, 0, const_cast<char*>("hasCockosExtensions"))),
              0xbeef0000u);
    // The host-side extension: a parameter's text and its real range; the vendor
    // code of the range has the top bit set and arrives as a negative index.
    char display[64] = "";
    EXPECT_EQ(plugin->dispatch(effVendorSpecific, 7, 2, display, 0.5f), 0xbeef);
    EXPECT_STREQ(display, "0.500000");
    double range[2] = {};
    EXPECT_EQ(plugin->dispatch(effVendorSpecific, static_cast<VstInt32>(0xdeadbef0u), 3, range), 0xbeef);
    EXPECT_EQ(range[0], 1.0);
    EXPECT_EQ(range[1], 1000.0);
}

// Scanning, loading and rendering need no display: nothing connects to one and
// nothing is printed until a host opens the editor.
TEST(EndToEnd, LoadingRenderingAndAskingAboutTheEditorOpenNoDisplay)
{
    const int before = openSockets();
    ::testing::internal::CaptureStderr();
    {
        auto plugin = loadPlugin();
        const SStereo input = QuellorTest::programme(4096);
        process(*plugin, input, 512);
        ERect* rect = nullptr;
        plugin->dispatch(effEditGetRect, 0, 0, &rect);
        EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, nullptr), 0);
        plugin->dispatch(effEditIdle);
        plugin->dispatch(effEditClose);
        EXPECT_EQ(openSockets(), before);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(openSockets(), before);
}

TEST(EndToEnd, DefaultProgramIsTheInputLateBySixteenAndTwoDecibelsLouder)
{
    auto plugin = loadPlugin();
    plugin->resume();
    const SStereo input = QuellorTest::programme(8192, 4);
    const SStereo output = process(*plugin, input, 512);
    for (std::size_t i = 0; i < 16; ++i)
    {
        ASSERT_EQ(output.left[i], 0.0f);
    }
    for (std::size_t i = 16; i < input.size(); ++i)
    {
        ASSERT_EQ(output.left[i],
                  static_cast<float>(input.left[i - 16] * static_cast<long double>(defaultGain())));
        ASSERT_EQ(output.right[i],
                  static_cast<float>(input.right[i - 16] * static_cast<long double>(defaultGain())));
    }
    EXPECT_NEAR(defaultGain(), std::pow(10.0, 2.0 / 20.0), 1e-15);
}

TEST(EndToEnd, MixZeroIsTheDryInputWhileCompressingHard)
{
    const SStereo input = QuellorTest::programme(8192, 8);
    auto dry = loadPlugin();
    dry->setProgram(5);          // Hard
    dry->setParameter(0, 0.45f); // -2 dB: unity gain after the +2 dB offset
    dry->setParameter(5, 0.0f);
    dry->resume();
    process(*dry, QuellorTest::programme(512, 1), 512); // lets the mix ramp to 0
    const SStereo output = process(*dry, input, 512);
    for (std::size_t i = 16; i < input.size(); ++i)
    {
        ASSERT_FLOAT_EQ(output.left[i], input.left[i - 16]) << i;
    }
}

// A host restores a saved bank program by program: select, name, set every value.
TEST(EndToEnd, AHostCanRestoreEveryProgramIntoANewInstance)
{
    std::mt19937 random(77);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    float bank[13][6];
    auto restored = loadPlugin();
    for (int p = 0; p < 13; ++p)
    {
        restored->setProgram(p);
        std::string name = "Saved " + std::to_string(p);
        restored->dispatch(effSetProgramName, 0, 0, name.data());
        for (int i = 0; i < 6; ++i)
        {
            restored->setParameter(i, bank[p][i] = unit(random));
        }
    }
    restored->setProgram(0);
    for (int p = 12; p >= 0; --p)
    {
        restored->setProgram(p);
        EXPECT_EQ(restored->programName(), "Saved " + std::to_string(p));
        EXPECT_EQ(restored->programNameAt(p), "Saved " + std::to_string(p));
        for (int i = 0; i < 6; ++i) // Ratio passes through its complement: within rounding
        {
            EXPECT_NEAR(restored->parameter(i), bank[p][i], 1e-7f) << p << "/" << i;
        }
    }
}

TEST(EndToEnd, BadInputGetsAPlainAnswerAndNeverACrash)
{
    auto plugin = loadPlugin();
    for (VstInt32 opcode : {effGetParamName,
                            effGetParamLabel,
                            effGetParamDisplay,
                            effGetProgramName,
                            effSetProgramName,
                            effGetEffectName,
                            effGetVendorString,
                            effGetProductString,
                            effGetProgramNameIndexed,
                            effCanDo,
                            effGetInputProperties,
                            effGetOutputProperties,
                            effVendorSpecific,
                            effEditGetRect,
                            effGetChunk,
                            effSetChunk,
                            effString2Parameter,
                            effGetParameterProperties,
                            effGetMidiProgramName,
                            effGetMidiKeyName})
    {
        EXPECT_LE(plugin->dispatch(opcode, 0, 0, nullptr), 0) << opcode;
    }
    EXPECT_LE(plugin->dispatch(effProcessEvents, 0, 0, nullptr), 1);
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);

    // Indices out of range.
    EXPECT_EQ(textOf(*plugin, effGetParamName, 99), "");
    EXPECT_EQ(textOf(*plugin, effGetParamDisplay, -4), "");
    EXPECT_EQ(plugin->effect().getParameter(&plugin->effect(), 6), 0.0f);
    plugin->effect().setParameter(&plugin->effect(), -1, 0.5f);
    char text[64] = "untouched";
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, 13, 0, text), 0);
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, -1, 0, text), 0);
    EXPECT_STREQ(text, "untouched");
    plugin->setProgram(3);
    plugin->dispatch(effSetProgram, 0, 13);
    plugin->dispatch(effSetProgram, 0, -2);
    EXPECT_EQ(plugin->program(), 3);
    VstPinProperties pin{};
    EXPECT_EQ(plugin->dispatch(effGetOutputProperties, 2, 0, &pin), 0);
    for (VstInt32 opcode : {80, 1000, -1, 9, 16, 46})
    {
        EXPECT_EQ(plugin->dispatch(opcode, 0, 0, text), 0) << opcode;
    }

    // Processing with nothing to process, and before any resume.
    float left[4] = {1, 1, 1, 1}, right[4] = {1, 1, 1, 1};
    float* channels[2] = {left, right};
    plugin->effect().processReplacing(&plugin->effect(), channels, channels, 0);
    plugin->effect().processReplacing(&plugin->effect(), nullptr, nullptr, 4);
    EXPECT_EQ(left[0], 1.0f);
    plugin->effect().processReplacing(&plugin->effect(), channels, channels, 4);
    EXPECT_EQ(left[0], 0.0f);

    // The effect still works afterwards.
    plugin->resume();
    const SStereo output = process(*plugin, QuellorTest::impulse(64, 0, 0.5f), 64);
    EXPECT_EQ(firstNonZero(output.left), 16u);
}
