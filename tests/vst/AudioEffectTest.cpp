#include "framework/vst/AudioEffectX.hpp"
#include "tests/vst/RecordingHost.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace Vantor::Vst
{
namespace
{

using Testing::HostCall;
using Testing::RecordingHost;

// Shared log so that the order of effect and host calls can be checked.
std::vector<std::string> eventLog;

int effectsDestroyed = 0;
int editorsDestroyed = 0;

class TestEditor : public AEffEditor
{
public:
    using AEffEditor::AEffEditor;
    ~TestEditor() override { ++editorsDestroyed; }
    bool getRect(ERect** r) override
    {
        *r = &rect;
        return true;
    }
    bool onKeyDown(VstKeyCode& key) override
    {
        lastKey = key;
        return key.character == 'a';
    }
    bool setKnobMode(VstInt32 mode) override { return mode == kLinearMode; }

    ERect rect{0, 0, 158, 500};
    VstKeyCode lastKey{};
};

class TestEffect : public AudioEffectX
{
public:
    explicit TestEffect(audioMasterCallback host) : AudioEffectX(host, 3, 2) {}
    ~TestEffect() override { ++effectsDestroyed; }
    void open() override
    {
        if (throwing)
        {
            throw std::runtime_error("open failed");
        }
    }
    void close() override
    {
        eventLog.push_back("close");
        if (throwing)
        {
            throw std::runtime_error("close failed");
        }
    }
    void processReplacing(float**, float**, VstInt32 frames) override { processedFrames += frames; }
    void setParameter(VstInt32 index, float value) override
    {
        eventLog.push_back("setParameter " + std::to_string(index) + " " + std::to_string(value));
    }
    VstInt32 canDo(char* text) override
    {
        if (text == nullptr)
        {
            return 0;
        }
        return std::strcmp(text, "receiveVstMidiEvent") == 0 ? midiAnswer : canDoAnswer;
    }
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr, void*, float) override
    {
        vendorIndex = index;
        return 0xbeef;
    }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f)
    {
        return Testing::dispatch(getAeffect(), opcode, index, value, ptr, opt);
    }

    bool throwing = false;
    VstInt32 processedFrames = 0;
    VstInt32 midiAnswer = 0;
    VstInt32 canDoAnswer = 0;
    VstInt32 vendorIndex = 0;
};

TEST(AudioEffectRecord, ConstructorFillsTheRecordWithoutCallingTheHost)
{
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    AEffect& r = *effect.getAeffect();
    EXPECT_EQ(r.magic, 0x56737450);
    EXPECT_EQ(r.numPrograms, 3);
    EXPECT_EQ(r.numParams, 2);
    EXPECT_EQ(r.flags, effFlagsCanReplacing);
    EXPECT_NE(r.processDoubleReplacing, nullptr);
    EXPECT_TRUE(host.calls.empty());

    r.processReplacing(&r, nullptr, nullptr, 64);
    r.process(&r, nullptr, nullptr, 32); // deprecated entry does nothing
    EXPECT_EQ(effect.processedFrames, 64);
    EXPECT_EQ(r.getParameter(&r, 0), 0.0f);
    EXPECT_EQ(AudioEffect::fromAeffect(&r), &effect);
    AEffect foreign{};
    EXPECT_EQ(AudioEffect::fromAeffect(&foreign), nullptr);
    EXPECT_EQ(AudioEffect::fromAeffect(nullptr), nullptr);
}

TEST(AudioEffectLifecycle, EffCloseDeletesEffectAndEditorEvenWhenCloseThrows)
{
    for (bool throwing : {false, true})
    {
        SCOPED_TRACE(throwing);
        effectsDestroyed = editorsDestroyed = 0;
        eventLog.clear();
        auto* effect = new TestEffect(nullptr);
        effect->throwing = throwing;
        effect->setEditor(new TestEditor(effect));
        EXPECT_EQ(effect->dispatch(effOpen), 0); // exceptions never reach the host
        EXPECT_EQ(effect->dispatch(effClose), 1);
        EXPECT_EQ(effectsDestroyed, 1);
        EXPECT_EQ(editorsDestroyed, 1);
        EXPECT_EQ(eventLog, std::vector<std::string>{"close"});
    }
}

TEST(AudioEffectDispatch, DefaultAnswersOfTheBaseClasses)
{
    TestEffect effect(nullptr);
    // The built plug-in's own answers are checked end to end; these are the base-class ones it does
    // not reach: unknown opcodes and editor requests without an editor.
    const VstIntPtr cases[][3] = {{effGetPlugCategory, 0, kPlugCategUnknown},
                                  {effEditKeyDown, 0, 0},
                                  {effSetEditKnobMode, kLinearMode, 0},
                                  {effGetMidiProgramName, 0, 0},
                                  {effCanDo, 0, 0},
                                  {80, 0, 0},
                                  {-3, 0, 0},
                                  {1000, 0, 0}}; // opcode, value, answer
    for (const auto& [opcode, value, answer] : cases)
    {
        EXPECT_EQ(effect.dispatch(static_cast<VstInt32>(opcode), 0, value), answer) << "opcode " << opcode;
    }
    effect.isSynth();
    EXPECT_EQ(effect.dispatch(effGetPlugCategory), kPlugCategSynth);

    for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName})
    {
        char text[64] = "unchanged";
        EXPECT_EQ(effect.dispatch(opcode, 0, 0, text), 0);
        EXPECT_STREQ(text, "") << "opcode " << opcode;
        EXPECT_EQ(effect.dispatch(opcode, 0, 0, nullptr), 0); // null buffer: no crash
    }
    for (VstInt32 opcode :
         {effGetEffectName, effGetVendorString, effGetProductString, effGetProgramNameIndexed})
    {
        char text[64] = "unchanged";
        EXPECT_EQ(effect.dispatch(opcode, 0, 0, text), 0);
        EXPECT_STREQ(text, "unchanged");
    }
}

// Hosts have been seen sending negative program numbers; the dispatcher itself must refuse them.
TEST(AudioEffectDispatch, ProgramSelectionAcceptsOnlyExistingPrograms)
{
    TestEffect effect(nullptr);
    for (VstIntPtr program : {2, 3, -1})
    {
        effect.dispatch(effSetProgram, 0, program);
    }
    EXPECT_EQ(effect.dispatch(effGetProgram), 2);
}

TEST(AudioEffectDispatch, RateAndResumeAskingForMidi)
{
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    effect.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    effect.dispatch(effMainsChanged, 0, 1);
    EXPECT_TRUE(host.callsWith(audioMasterWantMidi).empty());
    effect.midiAnswer = 1;
    effect.dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(host.callsWith(audioMasterWantMidi).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterWantMidi)[0].value, 1);
    effect.midiAnswer = 0;
    effect.isSynth();
    effect.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(host.callsWith(audioMasterWantMidi).size(), 2u);
    effect.dispatch(effMainsChanged, 0, 0); // suspend asks nothing
    EXPECT_EQ(host.callsWith(audioMasterWantMidi).size(), 2u);
}

TEST(AudioEffectDispatch, EditorOpcodesReachTheRegisteredEditor)
{
    TestEffect effect(nullptr);
    auto* editor = new TestEditor(&effect);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0); // the editor does not register itself
    effect.setEditor(editor);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor | effFlagsCanReplacing);

    // Opening, idling, closing and the size are driven with a real editor window in its own cases.
    EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, nullptr), 0);

    // Character from index, virtual key from value, modifiers converted from the float opt.
    EXPECT_EQ(effect.dispatch(effEditKeyDown, 'a', VKEY_RETURN, nullptr, 9.0f), 1);
    EXPECT_EQ(editor->lastKey.character, 'a');
    EXPECT_EQ(editor->lastKey.virt, VKEY_RETURN);
    EXPECT_EQ(editor->lastKey.modifier, MODIFIER_SHIFT | MODIFIER_CONTROL);
    EXPECT_EQ(effect.dispatch(effEditKeyDown, 'b', 0, nullptr, -1.0f), 0);
    EXPECT_EQ(editor->lastKey.modifier, 0);
    EXPECT_EQ(effect.dispatch(effEditKeyUp, 'a'), 0);
    EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, kLinearMode), 1);
    EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, kCircularMode), 0);

    effect.setEditor(nullptr);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsCanReplacing);
    delete editor;
}

TEST(AudioEffectHost, SetParameterAutomatedSetsFirstThenTellsTheHost)
{
    RecordingHost host;
    eventLog.clear();
    host.answer = [](const HostCall& call)
    {
        if (call.opcode == audioMasterAutomate)
        {
            eventLog.push_back("automate " + std::to_string(call.index) + " " + std::to_string(call.opt));
        }
        return VstIntPtr{0};
    };
    TestEffect effect(RecordingHost::callback);
    effect.setParameterAutomated(1, 0.25f);
    EXPECT_EQ(eventLog, (std::vector<std::string>{"setParameter 1 0.250000", "automate 1 0.250000"}));
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].effect, effect.getAeffect());
}

TEST(AudioEffectHost, WrappersWithoutACallbackAnswerNothing)
{
    eventLog.clear();
    TestEffect effect(nullptr);
    char text[256] = "unchanged";
    effect.setParameterAutomated(0, 1.0f); // still sets the parameter
    EXPECT_EQ(eventLog.size(), 1u);
    EXPECT_FALSE(effect.getMasterVersion() || effect.canHostDo("sizeWindow") ||
                 effect.getHostVendorString(text) || effect.getHostProductString(text) ||
                 effect.getTimeInfo(kVstTempoValid) || effect.sizeWindow(500, 158) ||
                 effect.sendVstEventsToHost(nullptr) || effect.updateDisplay() || effect.ioChanged() ||
                 effect.beginEdit(0) || effect.isInputConnected(0) || effect.getDirectory());
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(effect.updateSampleRate(), 44100.0f);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
    effect.wantEvents();
    effect.masterIdle();
}

TEST(AudioEffectHost, WrappersPassArgumentsAndReadAnswers)
{
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    VstTimeInfo time{};
    host.answer = [&](const HostCall& call) -> VstIntPtr
    {
        switch (call.opcode)
        {
        case audioMasterGetTime:
            return reinterpret_cast<VstIntPtr>(&time);
        case audioMasterProcessEvents:
            return 2;
        case audioMasterSizeWindow:
            return call.index == 500 && call.value == 158;
        case audioMasterGetSampleRate:
            return 48000;
        case audioMasterPinConnected:
            return call.value; // inputs connected, outputs not
        case audioMasterGetVendorString:
            std::memset(call.ptr, 'v', 64);
            return 1;
        default:
            return 0; // including version and block size
        }
    };
    EXPECT_EQ(effect.getMasterVersion(), 1); // a host answering 0 still counts as version 1
    EXPECT_EQ(effect.getTimeInfo(kVstTempoValid | kVstPpqPosValid), &time);
    EXPECT_EQ(host.calls.back().value, kVstTempoValid | kVstPpqPosValid);
    EXPECT_FALSE(effect.sendVstEventsToHost(nullptr)); // only exactly 1 means accepted
    EXPECT_TRUE(effect.sizeWindow(500, 158));
    EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
    EXPECT_EQ(effect.updateBlockSize(), 1024); // a 0 answer keeps the stored size
    EXPECT_TRUE(effect.isInputConnected(0));
    EXPECT_FALSE(effect.isOutputConnected(0));
    char vendor[256] = {};
    EXPECT_TRUE(effect.getHostVendorString(vendor));
    EXPECT_EQ(std::strlen(vendor), 64u);
}

// Places where hosts read raw answers and a careless answer goes wrong.
TEST(AudioEffectTraps, AnswersAndIndexesKeepTheirBitsOn64BitHosts)
{
    TestEffect effect(nullptr);
    char text[] = "someVendorExtension";
    // A vendor's bit pattern arrives without sign extension; -1 ("no") stays -1.
    const VstIntPtr answers[][2] = {
        {static_cast<VstInt32>(0xBEEF0000u), static_cast<VstIntPtr>(0xBEEF0000u)}, {-1, -1}, {1, 1}};
    for (const auto& [answer, expected] : answers)
    {
        effect.canDoAnswer = static_cast<VstInt32>(answer);
        EXPECT_EQ(effect.dispatch(effCanDo, 0, 0, text), expected);
    }
    EXPECT_EQ(effect.dispatch(effVendorSpecific, static_cast<VstInt32>(0xDEADBEF0u), 3), 0xbeef);
    EXPECT_EQ(static_cast<std::uint32_t>(effect.vendorIndex), 0xDEADBEF0u);
}

TEST(AudioEffectTraps, CanHostDoReadsAHostsNoAsNo)
{
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    for (VstIntPtr reply : {-1, 0, 1, 2})
    {
        host.answer = [&](const HostCall&) { return reply; };
        EXPECT_EQ(effect.canHostDo("sizeWindow"), reply > 0) << reply;
    }
    EXPECT_STREQ(static_cast<const char*>(host.calls.back().ptr), "sizeWindow");
}

} // namespace
} // namespace Vantor::Vst
