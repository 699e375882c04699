#include "framework/vst/AudioEffectX.hpp"
#include "framework/vst/HostCanDo.hpp"
#include "framework/vst/VstTempo.hpp"
#include "tests/gui/TestSupport.hpp"
#include "tests/vst/RecordingHost.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace Vantor::Vst
{
namespace
{

using Testing::HostCall;
using Testing::RecordingHost;

class PlainEffect : public AudioEffectX
{
public:
    explicit PlainEffect(audioMasterCallback host) : AudioEffectX(host, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

using Tests::expectException;

TEST(HostCanDo, AsksTheSixteenCapabilitiesInOrderAndReadsTheHostTexts)
{
    RecordingHost host;
    host.answer = [](const HostCall& call) -> VstIntPtr
    {
        switch (call.opcode)
        {
        case audioMasterCanDo:
        {
            const std::string text = static_cast<const char*>(call.ptr);
            if (text == "sizeWindow" || text == "sendVstTimeInfo")
            {
                return 1;
            }
            return text == "offline" ? -1 : 0;
        }
        case audioMasterGetProductString:
            std::strcpy(static_cast<char*>(call.ptr), "Test Host");
            return 1;
        case audioMasterGetVendorString:
            std::memset(call.ptr, 'v', 100); // longer than promised: must not hurt
            return 1;
        case audioMasterGetVendorVersion:
            return 4711;
        default:
            return 0;
        }
    };
    PlainEffect effect(RecordingHost::callback);
    CHostCanDo canDo(&effect);

    const auto asked = host.callsWith(audioMasterCanDo);
    ASSERT_EQ(asked.size(), 16u);
    for (int i = 0; i < CHostCanDo::kNumberOfCapabilities; ++i)
    {
        EXPECT_STREQ(static_cast<const char*>(asked[i].ptr),
                     CHostCanDo::getCapabilityText(static_cast<CHostCanDo::ECapability>(i)));
    }
    EXPECT_STREQ(CHostCanDo::getCapabilityText(CHostCanDo::kStartStopProcess), "startStopProcess");
    EXPECT_TRUE(canDo.canDo(CHostCanDo::kSizeWindow) && canDo.canDo(CHostCanDo::kSendVstTimeInfo));
    EXPECT_FALSE(canDo.canDo(CHostCanDo::kOffline)); // the host's "no"
    EXPECT_FALSE(canDo.canDo(CHostCanDo::kSendVstEvents));
    EXPECT_FALSE(canDo.canDo(CHostCanDo::kNumberOfCapabilities));
    EXPECT_STREQ(canDo.getHostProduct().getString(), "Test Host");
    EXPECT_EQ(std::strlen(canDo.getHostVendor().getString()), 100u);
    EXPECT_EQ(canDo.getHostVendorVersion(), 4711);
}

TEST(HostCanDo, SilentOrMissingHostLeavesEverythingEmpty)
{
    RecordingHost host;
    PlainEffect silent(RecordingHost::callback);
    CHostCanDo canDo(&silent);
    for (int i = 0; i < CHostCanDo::kNumberOfCapabilities; ++i)
    {
        EXPECT_FALSE(canDo.canDo(static_cast<CHostCanDo::ECapability>(i)));
    }
    EXPECT_STREQ(canDo.getHostProduct().getString(), " ");
    EXPECT_STREQ(canDo.getHostVendor().getString(), " ");

    expectException([] { CHostCanDo unbound(nullptr); }, "Effect is NULL",
                    "CHostCanDo::setFromAudioEffectX(AudioEffectX *)");
}

TEST(VstTempo, ReadsTempoSignaturePositionAndDistanceToTheNextBar)
{
    RecordingHost host;
    VstTimeInfo info{};
    info.sampleRate = 48000.0;
    info.samplePos = 123456.0;
    info.tempo = 120.0;
    info.ppqPos = 5.0;
    info.barStartPos = 4.0;
    info.timeSigNumerator = 4;
    info.timeSigDenominator = 4;
    info.flags = kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid | kVstTransportPlaying;
    bool answer = true;
    host.answer = [&](const HostCall& call) -> VstIntPtr
    { return answer && call.opcode == audioMasterGetTime ? reinterpret_cast<VstIntPtr>(&info) : 0; };
    PlainEffect effect(RecordingHost::callback);
    CVstTempo tempo;
    tempo.setEffect(&effect);
    const auto& r = tempo.getTempoRecord();

    ASSERT_TRUE(tempo.getTempoInformation(kVstTempoValid));
    EXPECT_EQ(host.calls.back().value, kVstTempoValid);
    EXPECT_TRUE(r.tempoValid && r.samplesPerBeatValid && r.barOffsetValid && r.playing);
    EXPECT_FALSE(r.transportChanged);
    EXPECT_EQ(r.samplesPerBeat, 24000);
    EXPECT_EQ(r.samplePosition, 123456.0);
    // Bar from 4 to 8 quarter notes, now at 5: three beats of 24000 samples left.
    EXPECT_EQ(r.samplesToNextBar, 72000);
    info.barStartPos = 5.0; // exactly on the bar line
    tempo.getTempoInformation();
    EXPECT_EQ(r.samplesToNextBar, 0);
    info.timeSigNumerator = 3;
    info.barStartPos = 0.0;
    info.ppqPos = 10.5; // stale bar start, far behind: 1.5 beats to the next bar of 3
    tempo.getTempoInformation();
    EXPECT_EQ(r.timeSignature.getNumerator(), 3);
    EXPECT_EQ(r.samplesToNextBar, 36000);

    // A zero tempo claimed valid must not divide by zero.
    info.tempo = 0.0;
    ASSERT_TRUE(tempo.getTempoInformation());
    EXPECT_EQ(r.samplesPerBeat, 0);
    EXPECT_EQ(r.samplesToNextBar, 0);

    // Fields the host does not mark valid are not taken.
    info.tempo = 90.0;
    info.timeSigNumerator = 7;
    info.barStartPos = 3.0;
    info.flags = kVstPpqPosValid | kVstTransportChanged;
    ASSERT_TRUE(tempo.getTempoInformation());
    EXPECT_FALSE(r.tempoValid || r.timeSignatureValid || r.barsValid || r.barOffsetValid);
    EXPECT_TRUE(r.positionValid && r.transportChanged);
    EXPECT_EQ(r.tempo, 0.0);
    EXPECT_EQ(r.position, 10.5);
    EXPECT_EQ(r.barStart, 0.0);
    EXPECT_EQ(r.timeSignature.getNumerator(), 4);

    answer = false; // no answer: the record stays as it was
    EXPECT_FALSE(tempo.getTempoInformation());
    EXPECT_FALSE(tempo.isValid());
    EXPECT_EQ(r.position, 10.5);
}

TEST(VstTempo, UnboundReaderThrows)
{
    CVstTempo tempo;
    expectException([&] { tempo.getTempoInformation(); }, "m_theEffect is NULL",
                    "CVstTempo::getTempoInformation(const long *)");
    expectException([&] { tempo.setEffect(nullptr); }, "Effect is NULL",
                    "CVstTempo::CVstTempo(AudioEffectX *)");
}

} // namespace
} // namespace Vantor::Vst
