#include "tools/vsthost/HostContext.hpp"

#include <gtest/gtest.h>

#include <cstring>

using namespace Vantor::Vst;
using Vantor::VstHost::CHostContext;
using Vantor::VstHost::SHostSettings;

namespace
{

VstIntPtr ask(CHostContext& host, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
              void* ptr = nullptr, float opt = 0.0f)
{
    return host.answer(nullptr, opcode, index, value, ptr, opt);
}

} // namespace

TEST(HostContext, AnswersTheQueriesOfASensibleHost)
{
    // Rate, block size and process level come from the settings, checked per instance by the plug-in cases.
    SHostSettings settings;
    settings.vendor = std::string(100, 'v'); // longer than a host may write
    CHostContext host(settings);

    EXPECT_EQ(ask(host, audioMasterVersion), 2400);
    EXPECT_NE(ask(host, audioMasterAutomate, 3, 0, nullptr, 0.5f), 0);
    EXPECT_EQ(ask(host, audioMasterSizeWindow, 100, 100), 0); // no editor frame to resize
    EXPECT_EQ(ask(host, 9999), 0);

    char vendor[200];
    std::memset(vendor, 'x', sizeof vendor);
    EXPECT_EQ(ask(host, audioMasterGetVendorString, 0, 0, vendor), 1);
    EXPECT_EQ(std::strlen(vendor), static_cast<std::size_t>(kVstMaxVendorStrLen));
}

TEST(HostContext, CapabilityAnswers)
{
    EXPECT_EQ(CHostContext::canHostDo("sendVstTimeInfo"), 1);
    EXPECT_EQ(CHostContext::canHostDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(CHostContext::canHostDo("sizeWindow"), -1);
    EXPECT_EQ(CHostContext::canHostDo("somethingNew"), 0);
    EXPECT_EQ(CHostContext::canHostDo(nullptr), 0);
}

TEST(HostContext, TimeInfoDescribesThePosition)
{
    SHostSettings settings;
    settings.sampleRate = 48000.0f;
    settings.tempo = 120.0;
    CHostContext host(settings);
    host.setSamplePosition(48000.0 * 2.5); // 2.5 s at 120 BPM = 5 quarter notes
    const auto* time = reinterpret_cast<const VstTimeInfo*>(ask(host, audioMasterGetTime, kVstTempoValid));
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->samplePos, 120000.0);
    EXPECT_DOUBLE_EQ(time->ppqPos, 5.0);
    EXPECT_DOUBLE_EQ(time->barStartPos, 4.0);
    EXPECT_NE(time->flags & kVstPpqPosValid, 0);
    EXPECT_NE(time->flags & kVstTransportPlaying, 0);

    settings.provideTimeInfo = false;
    CHostContext silent(settings);
    EXPECT_EQ(ask(silent, audioMasterGetTime), 0);
}

TEST(HostContext, LogKeepsCallsInOrderUpToItsLimit)
{
    SHostSettings settings;
    settings.maxLoggedCalls = 3;
    CHostContext host(settings);
    char capability[] = "sendVstEvents";
    ask(host, audioMasterAutomate, 2, 0, nullptr, 0.25f);
    ask(host, audioMasterCanDo, 0, 0, capability);
    ask(host, audioMasterIdle);
    ask(host, audioMasterIdle);
    ask(host, audioMasterIdle);

    const auto calls = host.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[0].index, 2);
    EXPECT_EQ(calls[0].opt, 0.25f);
    EXPECT_EQ(calls[1].text, "sendVstEvents");
    EXPECT_EQ(calls[1].answer, 1);
    EXPECT_EQ(host.droppedCalls(), 2u);
    EXPECT_EQ(host.countCalls(audioMasterIdle), 1u);
    EXPECT_EQ(host.automatedValues(2), std::vector<float>{0.25f});
    EXPECT_TRUE(host.automatedValues(0).empty());

    host.clearCalls();
    EXPECT_TRUE(host.calls().empty());
    EXPECT_EQ(host.droppedCalls(), 0u);

    settings.logCalls = false;
    CHostContext quiet(settings);
    EXPECT_EQ(ask(quiet, audioMasterVersion), 2400);
    EXPECT_TRUE(quiet.calls().empty());
}

TEST(HostContext, UnknownEffectsGetGenericAnswers)
{
    // A record nobody attached, outside any loading: answered, but by no instance.
    AEffect stranger{};
    EXPECT_EQ(CHostContext::callback(&stranger, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(CHostContext::callback(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 44100);
    EXPECT_EQ(CHostContext::callback(&stranger, audioMasterGetTime, 0, 0, nullptr, 0.0f), 0);

    CHostContext host;
    {
        CHostContext::CLoadingScope loading(host);
        CHostContext::callback(&stranger, audioMasterIdle, 0, 0, nullptr, 0.0f);
    }
    host.attach(&stranger);
    CHostContext::callback(&stranger, audioMasterIdle, 0, 0, nullptr, 0.0f);
    host.detach();
    CHostContext::callback(&stranger, audioMasterIdle, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(host.countCalls(audioMasterIdle), 2u);
}
