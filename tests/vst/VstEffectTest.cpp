#include "framework/vst/VstEffect.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "tests/vst/EventBlock.hpp"
#include "tests/vst/RecordingHost.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace Vantor::Vst
{
namespace
{

using Host::CApplicationInformation;
using Testing::EventBlock;
using Testing::HostCall;
using Testing::RecordingHost;

VstIntPtr dispatch(AudioEffect& effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f)
{
    AEffect* record = effect.getAeffect();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

class CVstEffectTest : public ::testing::Test
{
protected:
    CVstEffectTest()
    {
        host.answer = [](const HostCall& call) -> VstIntPtr
        { return call.opcode == audioMasterCanDo ? 1 : 0; };
    }
    RecordingHost host;
};

TEST_F(CVstEffectTest, ConstructionKeepsTheDefaultsAndAsksTheHostOnce)
{
    CVstEffect effect(RecordingHost::callback, 6, 13);
    const AEffect& r = *effect.getAeffect();
    EXPECT_EQ(r.numParams, 6); // parameters first, programs second
    EXPECT_EQ(r.numPrograms, 13);
    EXPECT_EQ(r.numInputs, 1);
    EXPECT_EQ(r.numOutputs, 2);
    EXPECT_EQ(r.flags, effFlagsCanReplacing);
    EXPECT_EQ(r.uniqueID, fourCharCode("NoEf"));
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);

    EXPECT_EQ(host.callsWith(audioMasterCanDo).size(), 16u);
    EXPECT_EQ(host.callsWith(audioMasterGetProductString).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterGetVendorString).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterGetVendorVersion).size(), 1u);
    EXPECT_TRUE(effect.getHostCanDo().canDo(CHostCanDo::kSizeWindow));
    EXPECT_EQ(effect.getMidiEvents().getChannel(), 0);

    EXPECT_STREQ(effect.getClass().getClassName(), "CVstEffect");
    EXPECT_STREQ(effect.getClass().getParentName(), "CCountedObject");
}

TEST_F(CVstEffectTest, DispatcherAnswersOfTheFrameworkEffect)
{
    CVstEffect effect(RecordingHost::callback, 6, 13);
    char text[64];

    for (VstInt32 opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName})
    {
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(dispatch(effect, opcode, 3, 0, text), 0);
        EXPECT_STREQ(text, "No param");
    }
    EXPECT_EQ(dispatch(effect, effGetProgramName, 0, 0, text), 0);
    EXPECT_STREQ(text, "Default");
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 12, 0, text), 1);
    EXPECT_STREQ(text, "Default");

    void* chunk = nullptr;
    EXPECT_EQ(dispatch(effect, effGetChunk, 0, 0, &chunk), 0);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsProgramChunks, 0);
    EXPECT_EQ(dispatch(effect, effGetNumMidiInputChannels), 1);
    EXPECT_EQ(dispatch(effect, effGetNumMidiOutputChannels), 0);
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2400);
    EXPECT_EQ(dispatch(effect, effIdentify), fourCharCode("NvEf"));
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 0);
    EXPECT_EQ(dispatch(effect, effGetVendorVersion), 0);
    EXPECT_EQ(dispatch(effect, effGetCurrentMidiProgram), -1);
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, text), 0);
    EXPECT_EQ(dispatch(effect, effVendorSpecific, 1, 2, text, 3.0f), 0);
    EXPECT_EQ(dispatch(effect, effCanBeAutomated, 5), 1);
    EXPECT_EQ(dispatch(effect, effOpen), 0);

    dispatch(effect, effSetProgram, 0, 12);
    EXPECT_EQ(dispatch(effect, effGetProgram), 12);
    dispatch(effect, effSetProgram, 0, 13); // no such program
    EXPECT_EQ(dispatch(effect, effGetProgram), 12);
}

TEST_F(CVstEffectTest, NameQueriesGiveTheApplicationTextsCutToTwentyThree)
{
    CApplicationInformation::setApplicationName("PressoraLite");
    CApplicationInformation::setCompanyName("Corvella");
    CApplicationInformation::setDescriptionString("A description longer than twenty-three characters");
    CVstEffect effect(RecordingHost::callback, 6, 13);
    char text[65];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(dispatch(effect, effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "PressoraLite");
    EXPECT_EQ(dispatch(effect, effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Corvella");
    EXPECT_EQ(dispatch(effect, effGetProductString, 0, 0, text), 1);
    EXPECT_EQ(std::string(text), "A description longer th");
    EXPECT_EQ(text[24], '#'); // nothing written past the 24 bytes

    EXPECT_EQ(dispatch(effect, effGetEffectName, 0, 0, nullptr), 0);
    EXPECT_FALSE(effect.getVendorString(nullptr));
    for (auto set : {&CApplicationInformation::setApplicationName, &CApplicationInformation::setCompanyName,
                     &CApplicationInformation::setDescriptionString})
        set(" ");
}

TEST_F(CVstEffectTest, MidiEventsLiveUntilTheEndOfTheNextProcessingCall)
{
    CVstEffect effect(RecordingHost::callback, 6, 13);
    EventBlock block;
    block.addMidi(0xB0, 7, 100);
    block.addMidi(0x91, 60, 1);
    block.addMidi(0xB0, 123, 0);
    EXPECT_EQ(dispatch(effect, effProcessEvents, 0, 0, block.events()), 1);
    ASSERT_EQ(effect.getMidiEvents().getNumberOfEvents(), 2); // channel 2 is not listened to
    EXPECT_EQ(effect.getMidiEvents().getEvent(1)->getStatus(), 123);

    dispatch(effect, effProcessEvents, 0, 0, block.events()); // a second block adds up
    EXPECT_EQ(effect.getMidiEvents().getNumberOfEvents(), 4);

    AEffect* record = effect.getAeffect();
    float left[4] = {};
    float right[4] = {};
    float* channels[2] = {left, right};
    record->processReplacing(record, channels, channels, 4);
    EXPECT_EQ(effect.getMidiEvents().getNumberOfEvents(), 0);

    effect.setMidiChannel(1);
    dispatch(effect, effProcessEvents, 0, 0, block.events());
    ASSERT_EQ(effect.getMidiEvents().getNumberOfEvents(), 1);
    EXPECT_EQ(effect.getMidiEvents().getEvent(0)->getValue(), 60);
}

TEST_F(CVstEffectTest, ResumeAsksForMidiOnlyWhenTheEffectWantsIt)
{
    CVstEffect effect(RecordingHost::callback, 6, 13);
    dispatch(effect, effMainsChanged, 0, 1);
    EXPECT_TRUE(host.callsWith(audioMasterWantMidi).empty()); // canDo answers 0 by default
}

TEST_F(CVstEffectTest, EffCloseDestroysTheEffectWithItsServices)
{
    auto* effect = new CVstEffect(RecordingHost::callback, 6, 13);
    const auto before = CVstEffect::getStaticClass().getInstanceCount();
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(CVstEffect::getStaticClass().getInstanceCount(), before - 1);

    CVstEffect withoutHost(nullptr, 0, 0); // no host at all still builds
    EXPECT_FALSE(withoutHost.getHostCanDo().canDo(CHostCanDo::kSizeWindow));
}

} // namespace
} // namespace Vantor::Vst
