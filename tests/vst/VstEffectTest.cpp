#include "framework/vst/VstEffect.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "tests/vst/RecordingHost.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace Vantor::Vst
{
namespace
{

using Host::CApplicationInformation;
using Testing::dispatch;
using Testing::HostCall;
using Testing::RecordingHost;

// A host that can do everything; it must answer before the effect below is built.
struct CapableHost : RecordingHost
{
    CapableHost()
    {
        answer = [](const HostCall& call) -> VstIntPtr { return call.opcode == audioMasterCanDo ? 1 : 0; };
    }
};

class CVstEffectTest : public ::testing::Test
{
protected:
    CapableHost host;
    CVstEffect effect{RecordingHost::callback, 6, 13};
    AEffect* record = effect.getAeffect();
};

TEST_F(CVstEffectTest, ConstructionAsksTheHostOnceAndDispatcherAnswers)
{
    EXPECT_EQ(record->numParams, 6); // parameters first, programs second
    EXPECT_EQ(record->numPrograms, 13);
    EXPECT_EQ(host.callsWith(audioMasterCanDo).size(), 16u);
    for (VstInt32 opcode :
         {audioMasterGetProductString, audioMasterGetVendorString, audioMasterGetVendorVersion})
    {
        EXPECT_EQ(host.callsWith(opcode).size(), 1u) << opcode;
    }
    EXPECT_TRUE(effect.getHostCanDo().canDo(CHostCanDo::kSizeWindow));

    char text[64];
    for (VstInt32 opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName})
    {
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(dispatch(record, opcode, 3, 0, text), 0);
        EXPECT_STREQ(text, "No param");
    }
    EXPECT_EQ(dispatch(record, effGetProgramName, 0, 0, text), 0);
    EXPECT_STREQ(text, "Default");
    EXPECT_EQ(dispatch(record, effGetProgramNameIndexed, 12, 0, text), 1);
    EXPECT_STREQ(text, "Default");
    dispatch(record, effMainsChanged, 0, 1);
    EXPECT_TRUE(host.callsWith(audioMasterWantMidi).empty()); // canDo answers 0 by default
}

// The editor's edits reach the host at once, except Ardour on Linux, which crashes
// on a value automated during a touch from its editor thread: there the next
// processing call tells them, even when it names itself but answers 0.
TEST(CVstEffect, EditsReachTheHostAtOnceOrForArdourOnLinuxFromTheProcessingCall)
{
    for (const char* product : {"pressora", "Ardour", "Ardour7"})
    {
        for (const VstIntPtr productAnswer : {0, 1})
        {
            RecordingHost host;
            host.answer = [&](const HostCall& call) -> VstIntPtr
            {
                if (call.opcode == audioMasterGetProductString)
                {
                    std::strcpy(static_cast<char*>(call.ptr), product);
                    return productAnswer;
                }
                return call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit ? 1 : 0;
            };
            CVstEffect effect(RecordingHost::callback, 6, 13);
            EXPECT_STREQ(effect.getHostCanDo().getHostProduct().getString(), product);
#if defined(_WIN32)
            const bool relayed = false;
#else
            const bool relayed = std::strncmp(product, "Ardour", 6) == 0;
#endif
            const auto edits = [&]
            {
                std::vector<std::pair<VstInt32, float>> told;
                for (const HostCall& call : host.calls)
                {
                    if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
                        call.opcode == audioMasterEndEdit)
                    {
                        EXPECT_EQ(call.index, 2);
                        told.emplace_back(call.opcode, call.opcode == audioMasterAutomate ? call.opt : 0.0f);
                    }
                }
                return told;
            };
            const std::vector<std::pair<VstInt32, float>> gesture{
                {audioMasterBeginEdit, 0.0f}, {audioMasterAutomate, 0.25f}, {audioMasterEndEdit, 0.0f}};

            EXPECT_TRUE(effect.beginEdit(2)) << product;
            effect.setParameterAutomated(2, 0.25f);
            EXPECT_TRUE(effect.endEdit(2)) << product;
            EXPECT_EQ(edits().empty(), relayed) << product;
            effect.processReplacing(nullptr, nullptr, 0);
            EXPECT_EQ(edits(), gesture) << product;
            effect.processDoubleReplacing(nullptr, nullptr, 0);
            EXPECT_EQ(edits(), gesture) << product; // told once
        }
    }
}

TEST_F(CVstEffectTest, NameQueriesGiveTheApplicationTextsCutToTwentyThree)
{
    CApplicationInformation::setApplicationName("PressoraLite");
    CApplicationInformation::setCompanyName("Corvella");
    CApplicationInformation::setDescriptionString("A description longer than twenty-three characters");
    char text[65];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(dispatch(record, effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "PressoraLite");
    EXPECT_EQ(dispatch(record, effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Corvella");
    EXPECT_EQ(dispatch(record, effGetProductString, 0, 0, text), 1);
    EXPECT_EQ(std::string(text), "A description longer th");
    EXPECT_EQ(text[24], '#'); // nothing written past the 24 bytes
    EXPECT_EQ(dispatch(record, effGetEffectName, 0, 0, nullptr), 0);
    EXPECT_FALSE(effect.getVendorString(nullptr));
    for (auto set : {&CApplicationInformation::setApplicationName, &CApplicationInformation::setCompanyName,
                     &CApplicationInformation::setDescriptionString})
    {
        set(" ");
    }
}

TEST(CVstEffect, EffCloseDestroysTheEffectWithItsServices)
{
    auto* effect = new CVstEffect(RecordingHost::callback, 6, 13);
    const auto before = CVstEffect::getStaticClass().getInstanceCount();
    EXPECT_EQ(dispatch(effect->getAeffect(), effClose), 1);
    EXPECT_EQ(CVstEffect::getStaticClass().getInstanceCount(), before - 1);

    CVstEffect withoutHost(nullptr, 0, 0); // no host at all still builds
    EXPECT_FALSE(withoutHost.getHostCanDo().canDo(CHostCanDo::kSizeWindow));
}

} // namespace
} // namespace Vantor::Vst
