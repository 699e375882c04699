// The built LV2 bundle through a lilv host: its description against the
// parameter table, the same samples as the VST plug-in (settings, presets,
// sample rates, call sizes), the side chain, the bypass, the meters and
// unusable input.
#include <gtest/gtest.h>

#include <lv2/port-props/port-props.h>
#include <lv2/units/units.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "plugin/Program.hpp"
#include "plugin/Quellor.hpp"
#include "tests/lv2/Lv2TestHost.hpp"
#include "tests/plugin/QuellorTestSupport.hpp"
#include "tools/vsthost/VstPlugin.hpp"

using namespace Lv2Test;
using QuellorTest::SStereo;
using Vantor::VstHost::CVstPlugin;
namespace Parameters = Vantor::Quellor::Parameters;
namespace Lv2 = Vantor::Quellor::Lv2;

namespace
{
constexpr const char* kLv2Core = "http://lv2plug.in/ns/lv2core#";

std::string lv2(const char* name)
{
    return std::string(kLv2Core) + name;
}

// Equal to the bit, or the first frame where the two differ.
::testing::AssertionResult sameOutput(const SStereo& a, const SStereo& b)
{
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
    {
        if (i >= a.size() || i >= b.size() || std::memcmp(&a.left[i], &b.left[i], sizeof(float)) != 0 ||
            std::memcmp(&a.right[i], &b.right[i], sizeof(float)) != 0)
        {
            return ::testing::AssertionFailure() << "frame " << i << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

SStereo renderVst(CVstPlugin& plugin, const SStereo& input)
{
    SStereo output{std::vector<float>(input.size()), std::vector<float>(input.size())};
    plugin.processStereo(input.left.data(), input.right.data(), output.left.data(), output.right.data(),
                         input.size());
    return output;
}

std::unique_ptr<CVstPlugin> vstPlugin(float sampleRate)
{
    Vantor::VstHost::SHostSettings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = 512;
    settings.logCalls = false;
    auto plugin = CVstPlugin::load(PRESSORALITE_PATH, settings);
    plugin->setSampleRate(sampleRate);
    return plugin;
}

// The standard setting with Mix at `mix`, in the user's units.
void setStandard(CInstance& instance, float mix = 0.5f)
{
    for (const Parameters::SUserValue& value : Parameters::kStandardSetting)
    {
        instance.setParameter(value.index, static_cast<float>(value.user));
    }
    instance.setParameter(Parameters::kMix, mix);
}
// The same in the host's 0..1, for the VST plug-in and the effect.
template <typename TEffect> void setStandard(TEffect& effect)
{
    for (const Parameters::SUserValue& value : Parameters::kStandardSetting)
    {
        effect.setParameter(value.index,
                            Parameters::hostValueOfUser(Parameters::parameter(value.index), value.user));
    }
    effect.setParameter(Parameters::kMix, 0.5f);
}

SStereo delayedInput(const SStereo& input)
{
    SStereo delayed{std::vector<float>(input.size(), 0.0f), std::vector<float>(input.size(), 0.0f)};
    for (auto i = static_cast<std::size_t>(Lv2::kLatencyFrames); i < input.size(); ++i)
    {
        delayed.left[i] = input.left[i - 16];
        delayed.right[i] = input.right[i - 16];
    }
    return delayed;
}
} // namespace

// ---- the description ----------------------------------------------------------

TEST(Lv2Description, BothPluginsCarryTheTablesPortsInTheUsersUnits)
{
    CWorld world;
    for (const char* uri : {Lv2::kPluginUri, Lv2::kSideChainPluginUri})
    {
        SCOPED_TRACE(uri);
        const LilvPlugin* plugin = world.plugin(uri);
        ASSERT_NE(plugin, nullptr);
        const bool sideChain = std::strcmp(uri, Lv2::kSideChainPluginUri) == 0;
        ASSERT_EQ(lilv_plugin_get_num_ports(plugin),
                  sideChain ? Lv2::kSideChainPortCount : Lv2::kPlainPortCount);
        EXPECT_EQ(lilv_plugin_get_num_ports_of_class(plugin, world.uri(lv2("AudioPort").c_str()),
                                                     world.uri(lv2("InputPort").c_str()), nullptr),
                  sideChain ? 4u : 2u);
        EXPECT_TRUE(lilv_plugin_has_feature(plugin, world.uri(lv2("hardRTCapable").c_str())));
        LilvNodes* required = lilv_plugin_get_required_features(plugin);
        EXPECT_EQ(lilv_nodes_size(required), 0u) << "runs in hosts that offer no feature";
        lilv_nodes_free(required);
        EXPECT_TRUE(lilv_plugin_has_latency(plugin));
        EXPECT_EQ(lilv_plugin_get_latency_port_index(plugin), Lv2::kLatency);

        std::vector<float> minimum(lilv_plugin_get_num_ports(plugin)), maximum(minimum.size()),
            defaults(minimum.size());
        lilv_plugin_get_port_ranges_float(plugin, minimum.data(), maximum.data(), defaults.data());
        for (const Parameters::SParameter& parameter : Parameters::kTable)
        {
            SCOPED_TRACE(parameter.name);
            const uint32_t index = Lv2::controlPort(parameter.index);
            const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
            EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)),
                         Lv2::kControlSymbols[static_cast<std::size_t>(parameter.index)]);
            LilvNode* name = lilv_port_get_name(plugin, port);
            EXPECT_STREQ(lilv_node_as_string(name), parameter.name);
            lilv_node_free(name);
            const Parameters::SRange range = Parameters::userRange(parameter);
            EXPECT_EQ(minimum[index], static_cast<float>(range.minimum));
            EXPECT_EQ(maximum[index], static_cast<float>(range.maximum));
            EXPECT_EQ(Parameters::hostValueOfUser(parameter, defaults[index]), parameter.defaultValue);
            EXPECT_EQ(lilv_port_has_property(plugin, port, world.uri(LV2_PORT_PROPS__logarithmic)),
                      parameter.mapping == Parameters::EMapping::kExponential);
            LilvNodes* units = lilv_port_get_value(plugin, port, world.uri(LV2_UNITS__unit));
            ASSERT_EQ(lilv_nodes_size(units), 1u);
            const LilvNode* unit = lilv_nodes_get_first(units);
            // Ratio has a unit of our own, "x:1", a blank node.
            using Parameters::EUnit;
            const char* expectedUnit = parameter.unit == EUnit::kDecibels       ? LV2_UNITS__db
                                       : parameter.unit == EUnit::kMilliseconds ? LV2_UNITS__ms
                                       : parameter.unit == EUnit::kFactor       ? LV2_UNITS__coef
                                                                                : nullptr;
            EXPECT_TRUE(expectedUnit == nullptr ? lilv_node_is_blank(unit)
                                                : std::strcmp(lilv_node_as_uri(unit), expectedUnit) == 0)
                << lilv_node_as_string(unit);
            lilv_nodes_free(units);
        }
        const LilvPort* enabled = lilv_plugin_get_port_by_designation(
            plugin, world.uri(lv2("InputPort").c_str()), world.uri(lv2("enabled").c_str()));
        ASSERT_NE(enabled, nullptr);
        EXPECT_EQ(lilv_port_get_index(plugin, enabled), Lv2::kEnabled);
        EXPECT_EQ(defaults[Lv2::kEnabled], 1.0f);
        if (sideChain)
        {
            for (uint32_t index : {Lv2::kSideChainLeft, Lv2::kSideChainRight})
            {
                EXPECT_TRUE(lilv_port_has_property(plugin, lilv_plugin_get_port_by_index(plugin, index),
                                                   world.uri(lv2("isSideChain").c_str())));
            }
        }
    }
}

// ---- the same sound -----------------------------------------------------------

// At every rate a host may run, both plug-ins report a latency of 16 and sound as
// the VST plug-in at the same setting (Mix ramping in the first call, as in VST):
// the standard setting, and at 44.1 and 48 kHz each factory program as a preset.
TEST(Lv2Plugin, RendersAsTheVstPluginInEveryPresetAtEveryRateAndReportsItsLatency)
{
    using Vantor::Quellor::kFactoryPrograms;
    using Vantor::Quellor::kNumFactoryPrograms;
    CWorld world;
    const SStereo input = QuellorTest::programme(22050);
    for (const char* uri : {Lv2::kPluginUri, Lv2::kSideChainPluginUri})
    {
        const auto presets = world.presets(uri);
        ASSERT_EQ(presets.size(), static_cast<std::size_t>(kNumFactoryPrograms)) << uri;
        for (const float rate : {22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f})
        {
            // Program -1 stands for the standard setting.
            const int last = rate == 44100.0f || rate == 48000.0f ? kNumFactoryPrograms - 1 : -1;
            for (int program = -1; program <= last; ++program)
            {
                const char* name = program < 0 ? "the standard setting" : kFactoryPrograms[program].name;
                SCOPED_TRACE(std::string(uri) + ": " + name + " at " + std::to_string(rate));
                CInstance instance(world, uri, rate);
                auto vst = vstPlugin(rate);
                if (program < 0)
                {
                    setStandard(instance);
                    setStandard(*vst);
                }
                else
                {
                    const auto preset = presets.find(name);
                    ASSERT_NE(preset, presets.end());
                    ASSERT_EQ(preset->second.size(), static_cast<std::size_t>(Parameters::kCount));
                    for (int index = 0; index < Parameters::kCount; ++index)
                    {
                        instance.setParameter(index, preset->second.at(Lv2::kControlSymbols[index]));
                    }
                    vst->setProgram(program);
                }
                EXPECT_TRUE(sameOutput(instance.render(input, {512}), renderVst(*vst, input)));
                EXPECT_EQ(instance.control(Lv2::kLatency), 16.0f);
            }
        }
    }
}

TEST(Lv2Plugin, CallsOfAnySizeGiveTheOutputOfOneLongCallOnceMixHasSettled)
{
    CWorld world;
    const SStereo input = QuellorTest::programme(30000);
    CInstance pieces(world, Lv2::kPluginUri, 44100.0), whole(world, Lv2::kPluginUri, 44100.0);
    setStandard(pieces);
    setStandard(whole);
    // A call of one frame brings Mix exactly to its value (a longer ramp ends a rounding away).
    const float settle[2] = {0.25f, -0.25f};
    float scratch[2] = {};
    for (CInstance* instance : {&pieces, &whole})
    {
        instance->run(&settle[0], &settle[1], &scratch[0], &scratch[1], 1);
    }
    EXPECT_TRUE(sameOutput(pieces.render(input, {0, 1, 17, 512, 4096}),
                           whole.render(input, {static_cast<uint32_t>(input.size())})));
}

// The level port is what the VST editor's meter is told, the gain-reduction port
// the effect's largest reduction of the call; both per call.
TEST(Lv2Plugin, MeterPortsReportWhatTheEffectReportsEachCall)
{
    CWorld world;
    CInstance instance(world, Lv2::kPluginUri, 44100.0);
    setStandard(instance);
    Vantor::Quellor::CQuellor effect(nullptr);
    QuellorTest::CRecordingView view;
    effect.setParameterView(&view);
    setStandard(effect);
    effect.resume();
    const SStereo input = QuellorTest::programme(20000);
    std::vector<float> left(512), right(512);
    int reducing = 0;
    for (std::size_t done = 0; done + 512 <= input.size(); done += 512)
    {
        instance.run(input.left.data() + done, input.right.data() + done, left.data(), right.data(), 512);
        float* inputs[2] = {const_cast<float*>(input.left.data() + done),
                            const_cast<float*>(input.right.data() + done)};
        float* outputs[2] = {left.data(), right.data()};
        view.calls.clear();
        effect.processAudio(inputs, outputs, 512);
        ASSERT_FALSE(view.calls.empty());
        EXPECT_EQ(view.calls.back().index, Vantor::Quellor::IParameterView::kMeterIndex);
        EXPECT_EQ(instance.control(Lv2::kLevel), static_cast<float>(view.calls.back().value)) << done;
        EXPECT_EQ(instance.control(Lv2::kGainReduction), effect.getGainReduction()) << done;
        reducing += effect.getGainReduction() > 1.0f ? 1 : 0;
    }
    EXPECT_GT(reducing, 3) << "the programme is compressed now and then";
}

// ---- the side chain -----------------------------------------------------------

TEST(Lv2SideChain, CarryingTheMainSignalItRendersAsThePlainPluginAndUnconnectedAlike)
{
    CWorld world;
    const SStereo input = QuellorTest::programme(20000);
    CInstance plain(world, Lv2::kPluginUri, 48000.0);
    setStandard(plain);
    const SStereo expected = plain.render(input, {333});
    for (const bool connected : {true, false})
    {
        SCOPED_TRACE(connected ? "side chain = main" : "side chain not connected");
        CInstance sideChain(world, Lv2::kSideChainPluginUri, 48000.0);
        setStandard(sideChain);
        EXPECT_TRUE(sameOutput(sideChain.render(input, {333}, connected ? &input : nullptr), expected));
    }
}

TEST(Lv2SideChain, ALoudSideChainPullsAQuietMainSignalDown)
{
    CWorld world;
    constexpr std::size_t kFrames = 44100;
    SStereo quiet{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    SStereo loud = quiet;
    for (std::size_t i = 0; i < kFrames; ++i)
    {
        quiet.left[i] = quiet.right[i] = 0.01f * static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
        loud.left[i] = loud.right[i] = 0.9f * static_cast<float>(std::sin(0.03 * static_cast<double>(i)));
    }
    const auto rmsOfSecondHalf = [](const std::vector<float>& signal)
    {
        double sum = 0.0;
        for (std::size_t i = signal.size() / 2; i < signal.size(); ++i)
        {
            sum += static_cast<double>(signal[i]) * signal[i];
        }
        return std::sqrt(sum / static_cast<double>(signal.size() / 2));
    };
    CInstance plain(world, Lv2::kPluginUri, 44100.0), sideChain(world, Lv2::kSideChainPluginUri, 44100.0);
    setStandard(plain, 1.0f);
    setStandard(sideChain, 1.0f);
    const SStereo alone = plain.render(quiet, {512});
    const SStereo pulled = sideChain.render(quiet, {kFrames}, &loud);
    // -20 dB threshold, 4:1, a side chain near 0 dB: some 14 dB of reduction.
    EXPECT_LT(rmsOfSecondHalf(pulled.left), 0.25 * rmsOfSecondHalf(alone.left));
    EXPECT_GT(sideChain.control(Lv2::kGainReduction), 10.0f);
}

// ---- bypass -------------------------------------------------------------------

// Each switch crossfades linearly over 64 samples between the effect's output
// and the input delayed by 16; after it the output is exactly the one side.
TEST(Lv2Bypass, SwitchingCrossfadesToTheDelayedInputAndBackWithoutAStep)
{
    CWorld world;
    const SStereo input = QuellorTest::programme(6000);
    const SStereo delayed = delayedInput(input);
    CInstance reference(world, Lv2::kPluginUri, 44100.0), switched(world, Lv2::kPluginUri, 44100.0);
    setStandard(reference, 1.0f);
    setStandard(switched, 1.0f);
    const SStereo wet = reference.render(input, {500});

    constexpr std::size_t kOff = 1000, kOn = 3000;
    const SStereo output = switched.render(input, {500}, nullptr,
                                           [&](std::size_t done)
                                           {
                                               if (done == kOff || done == kOn)
                                               {
                                                   switched.setEnabled(done == kOn);
                                               }
                                           });

    const auto expectFade = [&](std::size_t from, const SStereo& leaving, const SStereo& coming)
    {
        for (std::size_t i = 0; i < 64; ++i)
        {
            const std::size_t frame = from + i;
            const float comingShare = static_cast<float>(i + 1) / 64.0f;
            const SStereo& wetSide = &coming == &wet ? coming : leaving;
            const SStereo& drySide = &coming == &wet ? leaving : coming;
            const float wetShare = &coming == &wet ? comingShare : 1.0f - comingShare;
            const float expected = wetSide.left[frame] * wetShare + drySide.left[frame] * (1.0f - wetShare);
            ASSERT_NEAR(output.left[frame], expected, 1e-6f) << "frame " << frame;
        }
    };
    for (std::size_t i = 0; i < kOff; ++i)
    {
        ASSERT_EQ(output.left[i], wet.left[i]) << i;
    }
    expectFade(kOff, wet, delayed);
    for (std::size_t i = kOff + 64; i < kOn; ++i)
    {
        ASSERT_EQ(output.left[i], delayed.left[i]) << i;
        ASSERT_EQ(output.right[i], delayed.right[i]) << i;
    }
    expectFade(kOn, delayed, wet);
    for (std::size_t i = kOn + 64; i < input.size(); ++i)
    {
        ASSERT_EQ(output.left[i], wet.left[i]) << i;
        ASSERT_EQ(output.right[i], wet.right[i]) << i;
    }
}

TEST(Lv2Bypass, AnInstanceActivatedWhileBypassedPassesTheDelayedInputFromTheStart)
{
    CWorld world;
    const SStereo input = QuellorTest::programme(2000);
    CInstance instance(world, Lv2::kPluginUri, 44100.0);
    setStandard(instance);
    instance.setEnabled(false);
    EXPECT_TRUE(sameOutput(instance.render(input, {17}), delayedInput(input)));
}

// ---- what a host may hand over ------------------------------------------------

TEST(Lv2Plugin, InputThatIsNotAFiniteNumberGivesSilenceProcessedOrBypassed)
{
    CWorld world;
    for (const bool enabled : {true, false})
    {
        CInstance instance(world, Lv2::kPluginUri, 44100.0);
        setStandard(instance);
        instance.setEnabled(enabled);
        SStereo input{std::vector<float>(4096, 0.0f), std::vector<float>(4096, 0.0f)};
        for (std::size_t i = 0; i < input.size(); i += 3)
        {
            input.left[i] = std::nanf("");
            input.right[i] = i % 2 == 0 ? INFINITY : -INFINITY;
        }
        const SStereo silence{std::vector<float>(input.size(), 0.0f), std::vector<float>(input.size(), 0.0f)};
        EXPECT_TRUE(sameOutput(instance.render(input, {100}), silence)) << enabled;
    }
}

TEST(Lv2Plugin, ControlValuesOutsideTheRangeOrNotANumberAreHeldToTheRangeOrTheDefault)
{
    CWorld world;
    const SStereo input = QuellorTest::programme(4000);
    CInstance odd(world, Lv2::kPluginUri, 44100.0), plain(world, Lv2::kPluginUri, 44100.0);
    odd.setParameter(Parameters::kThreshold, -500.0f); // -50 dB
    plain.setParameter(Parameters::kThreshold, -50.0f);
    odd.setParameter(Parameters::kRatio, 1000.0f); // 20:1
    plain.setParameter(Parameters::kRatio, 20.0f);
    odd.setParameter(Parameters::kMaster, std::nanf("")); // the default
    EXPECT_TRUE(sameOutput(odd.render(input, {256}), plain.render(input, {256})));
}

TEST(Lv2Plugin, InstantiatesRunsAndCleansUpAHundredTimes)
{
    CWorld world;
    std::vector<float> left(64, 0.25f), right(64, -0.25f), out(64);
    for (int round = 0; round < 100; ++round)
    {
        CInstance instance(world, round % 2 == 0 ? Lv2::kPluginUri : Lv2::kSideChainPluginUri, 48000.0);
        ASSERT_TRUE(instance.valid()) << round;
        instance.run(left.data(), right.data(), out.data(), out.data(), 64, left.data(), right.data());
    }
}
