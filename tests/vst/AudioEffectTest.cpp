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
std::vector<std::string>& eventLog()
{
    static std::vector<std::string> log;
    return log;
}

class TestEditor : public AEffEditor
{
public:
    TestEditor(AudioEffect* effect, int* destroyed) : AEffEditor(effect), destroyed(destroyed) {}
    ~TestEditor() override { ++*destroyed; }
    bool getRect(ERect** r) override
    {
        *r = &rect;
        return true;
    }
    bool open(void* parent) override
    {
        AEffEditor::open(parent);
        return true;
    }
    void idle() override { ++idles; }
    bool onKeyDown(VstKeyCode& key) override
    {
        lastKey = key;
        return key.character == 'a';
    }
    bool setKnobMode(VstInt32 mode) override { return mode == kLinearMode; }

    ERect rect{0, 0, 158, 500};
    VstKeyCode lastKey{};
    int idles = 0;
    int* destroyed;
};

class TestEffect : public AudioEffectX
{
public:
    explicit TestEffect(audioMasterCallback host, int* destroyed = nullptr)
        : AudioEffectX(host, 3, 2), destroyed(destroyed)
    {
    }
    ~TestEffect() override
    {
        if (destroyed != nullptr)
        {
            ++*destroyed;
        }
    }
    void open() override
    {
        if (throwOnOpen)
        {
            throw std::runtime_error("open failed");
        }
    }
    void close() override
    {
        eventLog().push_back("close");
        if (throwOnClose)
        {
            throw std::runtime_error("close failed");
        }
    }
    void processReplacing(float**, float**, VstInt32 frames) override { processedFrames += frames; }
    void setParameter(VstInt32 index, float value) override
    {
        eventLog().push_back("setParameter " + std::to_string(index) + " " + std::to_string(value));
    }
    VstInt32 canDo(char* text) override
    {
        return std::strcmp(text, "receiveVstMidiEvent") == 0 ? midiAnswer : canDoAnswer;
    }
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr, void*, float) override
    {
        vendorIndex = index;
        return 0xbeef;
    }

    using AudioEffect::curProgram;
    int* destroyed;
    bool throwOnOpen = false;
    bool throwOnClose = false;
    VstInt32 processedFrames = 0;
    VstInt32 midiAnswer = 0;
    VstInt32 canDoAnswer = 0;
    VstInt32 vendorIndex = 0;
};

VstIntPtr dispatch(AudioEffect& effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f)
{
    AEffect* record = effect.getAeffect();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

// ---------------------------------------------------------------------------

TEST(AudioEffectRecord, ConstructorFillsTheRecordWithoutCallingTheHost)
{
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    const AEffect& r = *effect.getAeffect();

    EXPECT_EQ(r.magic, 0x56737450);
    EXPECT_EQ(r.numPrograms, 3);
    EXPECT_EQ(r.numParams, 2);
    EXPECT_EQ(r.numInputs, 1);
    EXPECT_EQ(r.numOutputs, 2);
    EXPECT_EQ(r.flags, effFlagsCanReplacing);
    EXPECT_EQ(r.ioRatio, 1.0f);
    EXPECT_EQ(r.object, &effect);
    EXPECT_EQ(r.uniqueID, fourCharCode("NoEf"));
    EXPECT_EQ(r.version, 1);
    EXPECT_EQ(r.initialDelay, 0);
    EXPECT_EQ(r.resvd1, 0);
    EXPECT_EQ(r.resvd2, 0);
    EXPECT_EQ(r.user, nullptr);
    for (char c : r.future)
    {
        EXPECT_EQ(c, 0);
    }
    EXPECT_NE(r.dispatcher, nullptr);
    EXPECT_NE(r.process, nullptr);
    EXPECT_NE(r.processReplacing, nullptr);
    EXPECT_NE(r.processDoubleReplacing, nullptr);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(AudioEffect::fromAeffect(effect.getAeffect()), &effect);
}

TEST(AudioEffectRecord, SettersWriteFieldsAndToggleFlags)
{
    TestEffect effect(nullptr);
    const AEffect& r = *effect.getAeffect();
    effect.setUniqueID(fourCharCode("Tam2"));
    effect.setNumInputs(2);
    effect.setInitialDelay(16);
    EXPECT_EQ(r.uniqueID, 0x54616D32);
    EXPECT_EQ(r.numInputs, 2);
    EXPECT_EQ(r.initialDelay, 16);

    effect.isSynth();
    effect.programsAreChunks();
    effect.canDoubleReplacing();
    effect.noTail();
    EXPECT_EQ(r.flags, effFlagsCanReplacing | effFlagsIsSynth | effFlagsProgramChunks |
                           effFlagsCanDoubleReplacing | effFlagsNoSoundInStop);
    effect.isSynth(false);
    effect.programsAreChunks(false);
    effect.canDoubleReplacing(false);
    effect.noTail(false);
    EXPECT_EQ(r.flags, effFlagsCanReplacing);
}

TEST(AudioEffectRecord, RecordEntriesReachTheInstance)
{
    TestEffect effect(nullptr);
    AEffect* r = effect.getAeffect();
    r->processReplacing(r, nullptr, nullptr, 64);
    r->process(r, nullptr, nullptr, 32); // deprecated entry does nothing
    EXPECT_EQ(effect.processedFrames, 64);
    EXPECT_EQ(r->getParameter(r, 0), 0.0f);

    AEffect foreign{};
    EXPECT_EQ(AudioEffect::fromAeffect(&foreign), nullptr);
    EXPECT_EQ(AudioEffect::fromAeffect(nullptr), nullptr);
}

// ---------------------------------------------------------------------------

TEST(AudioEffectLifecycle, EffCloseCallsCloseDeletesEffectAndEditorAndAnswersOne)
{
    int effectsDestroyed = 0;
    int editorsDestroyed = 0;
    eventLog().clear();
    auto* effect = new TestEffect(nullptr, &effectsDestroyed);
    effect->setEditor(new TestEditor(effect, &editorsDestroyed));
    AEffect* record = effect->getAeffect();

    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effectsDestroyed, 1);
    EXPECT_EQ(editorsDestroyed, 1);
    EXPECT_EQ(eventLog(), std::vector<std::string>{"close"});
}

TEST(AudioEffectLifecycle, ExceptionsNeverReachTheHost)
{
    int destroyed = 0;
    auto* effect = new TestEffect(nullptr, &destroyed);
    effect->throwOnOpen = true;
    effect->throwOnClose = true;
    AEffect* record = effect->getAeffect();

    EXPECT_EQ(record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f), 0);
    // A failing close still frees the instance.
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(destroyed, 1);
}

// ---------------------------------------------------------------------------

TEST(AudioEffectDispatch, DefaultAnswersOfTheBaseClasses)
{
    TestEffect effect(nullptr);
    struct Case
    {
        VstInt32 opcode;
        VstIntPtr value;
        VstIntPtr expected;
    };
    const Case cases[] = {
        {effOpen, 0, 0},
        {effGetProgram, 0, 0},
        {effGetVu, 0, 0},
        {effIdentify, 0, 0x4E764566},
        {effSetChunk, 0, 0},
        {effCanBeAutomated, 0, 1},
        {effString2Parameter, 0, 0},
        {effGetPlugCategory, 0, kPlugCategUnknown},
        {effSetBypass, 1, 0},
        {effGetVendorVersion, 0, 0},
        {effCanDo, 0, 0}, // null text
        {effGetTailSize, 0, 0},
        {effGetVstVersion, 0, 2400},
        {effGetCurrentMidiProgram, 0, -1},
        {effGetMidiProgramName, 0, 0},
        {effHasMidiProgramsChanged, 0, 0},
        {effBeginSetProgram, 0, 0},
        {effStartProcess, 0, 0},
        {effSetTotalSampleToProcess, 12345, 12345},
        {effSetPanLaw, kEqualPowerPanLaw, 0},
        {effSetProcessPrecision, kVstProcessPrecision64, 0},
        {effGetNumMidiInputChannels, 0, 0},
        {effGetNumMidiOutputChannels, 0, 0},
        {effEditGetRect, 0, 0},
        {effEditOpen, 0, 0},
        {effEditKeyDown, 0, 0},
        {effSetEditKnobMode, kLinearMode, 0},
        {80, 0, 0},
        {-3, 0, 0},
        {1000, 0, 0},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(dispatch(effect, c.opcode, 0, c.value), c.expected) << "opcode " << c.opcode;
    }

    effect.isSynth();
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategSynth);
}

TEST(AudioEffectDispatch, TextQueriesWriteEmptyTextsOrAnswerFalse)
{
    TestEffect effect(nullptr);
    for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName})
    {
        char text[64] = "unchanged";
        EXPECT_EQ(dispatch(effect, opcode, 0, 0, text), 0);
        EXPECT_STREQ(text, "") << "opcode " << opcode;
        EXPECT_EQ(dispatch(effect, opcode, 0, 0, nullptr), 0); // null buffer: no crash
    }
    for (VstInt32 opcode :
         {effGetEffectName, effGetVendorString, effGetProductString, effGetProgramNameIndexed})
    {
        char text[64] = "unchanged";
        EXPECT_EQ(dispatch(effect, opcode, 0, 0, text), 0);
        EXPECT_STREQ(text, "unchanged");
    }
}

TEST(AudioEffectDispatch, ProgramSelectionAcceptsOnlyExistingPrograms)
{
    TestEffect effect(nullptr);
    dispatch(effect, effSetProgram, 0, 2);
    EXPECT_EQ(dispatch(effect, effGetProgram), 2);
    dispatch(effect, effSetProgram, 0, 3);
    EXPECT_EQ(effect.curProgram, 2);
    // Some hosts send negative program numbers; they must not select anything.
    dispatch(effect, effSetProgram, 0, -1);
    EXPECT_EQ(effect.curProgram, 2);
}

TEST(AudioEffectDispatch, RateBlockSizeAndResumeAskingForMidi)
{
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 0, 256);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);

    dispatch(effect, effMainsChanged, 0, 1);
    EXPECT_TRUE(host.callsWith(audioMasterWantMidi).empty());

    effect.midiAnswer = 1;
    dispatch(effect, effMainsChanged, 0, 1);
    ASSERT_EQ(host.callsWith(audioMasterWantMidi).size(), 1u);
    EXPECT_EQ(host.callsWith(audioMasterWantMidi)[0].value, 1);

    effect.midiAnswer = 0;
    effect.isSynth();
    dispatch(effect, effMainsChanged, 0, 1);
    EXPECT_EQ(host.callsWith(audioMasterWantMidi).size(), 2u);
    dispatch(effect, effMainsChanged, 0, 0); // suspend asks nothing
    EXPECT_EQ(host.callsWith(audioMasterWantMidi).size(), 2u);
}

TEST(AudioEffectDispatch, EditorOpcodesReachTheRegisteredEditor)
{
    int destroyed = 0;
    TestEffect effect(nullptr);
    auto* editor = new TestEditor(&effect, &destroyed);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0); // the editor does not register itself
    effect.setEditor(editor);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor | effFlagsCanReplacing);

    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect, &editor->rect);
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, nullptr), 0);

    int parent = 0;
    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, &parent), 1);
    EXPECT_TRUE(editor->isOpen());
    dispatch(effect, effEditIdle);
    EXPECT_EQ(editor->idles, 1);
    dispatch(effect, effEditClose);
    EXPECT_FALSE(editor->isOpen());

    // Character from index, virtual key from value, modifiers converted from the float opt.
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 'a', VKEY_RETURN, nullptr, 9.0f), 1);
    EXPECT_EQ(editor->lastKey.character, 'a');
    EXPECT_EQ(editor->lastKey.virt, VKEY_RETURN);
    EXPECT_EQ(editor->lastKey.modifier, MODIFIER_SHIFT | MODIFIER_CONTROL);
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 'b', 0, nullptr, -1.0f), 0);
    EXPECT_EQ(editor->lastKey.modifier, 0);
    EXPECT_EQ(dispatch(effect, effEditKeyUp, 'a'), 0);
    EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, kLinearMode), 1);
    EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, kCircularMode), 0);

    effect.setEditor(nullptr);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsCanReplacing);
    delete editor;
}

// ---------------------------------------------------------------------------

TEST(AudioEffectHost, SetParameterAutomatedSetsFirstThenTellsTheHost)
{
    RecordingHost host;
    eventLog().clear();
    host.answer = [](const HostCall& call)
    {
        if (call.opcode == audioMasterAutomate)
        {
            eventLog().push_back("automate " + std::to_string(call.index) + " " + std::to_string(call.opt));
        }
        return VstIntPtr{0};
    };
    TestEffect effect(RecordingHost::callback);
    effect.setParameterAutomated(1, 0.25f);
    EXPECT_EQ(eventLog(), (std::vector<std::string>{"setParameter 1 0.250000", "automate 1 0.250000"}));
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].effect, effect.getAeffect());
}

TEST(AudioEffectHost, WrappersWithoutACallbackAnswerNothing)
{
    eventLog().clear();
    TestEffect effect(nullptr);
    char text[256] = "unchanged";
    effect.setParameterAutomated(0, 1.0f); // still sets the parameter
    EXPECT_EQ(eventLog().size(), 1u);
    EXPECT_EQ(effect.getMasterVersion(), 0);
    EXPECT_EQ(effect.getCurrentUniqueId(), 0);
    EXPECT_FALSE(effect.canHostDo("sizeWindow"));
    EXPECT_FALSE(effect.getHostVendorString(text));
    EXPECT_FALSE(effect.getHostProductString(text));
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(effect.getHostVendorVersion(), 0);
    EXPECT_EQ(effect.getTimeInfo(kVstTempoValid), nullptr);
    EXPECT_FALSE(effect.sizeWindow(500, 158));
    EXPECT_FALSE(effect.sendVstEventsToHost(nullptr));
    EXPECT_FALSE(effect.ioChanged());
    EXPECT_FALSE(effect.updateDisplay());
    EXPECT_FALSE(effect.beginEdit(0));
    EXPECT_FALSE(effect.isInputConnected(0));
    EXPECT_EQ(effect.getDirectory(), nullptr);
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
        case audioMasterVersion:
            return 0;
        case audioMasterGetTime:
            return reinterpret_cast<VstIntPtr>(&time);
        case audioMasterProcessEvents:
            return 2;
        case audioMasterSizeWindow:
            return call.index == 500 && call.value == 158;
        case audioMasterGetSampleRate:
            return 48000;
        case audioMasterGetBlockSize:
            return 0;
        case audioMasterPinConnected:
            return call.value; // inputs connected, outputs not
        case audioMasterGetVendorString:
            std::memset(call.ptr, 'v', 64);
            return 1;
        default:
            return 0;
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

// ---------------------------------------------------------------------------
// Places where hosts read raw answers and a careless answer goes wrong.

TEST(AudioEffectTraps, CanDoAnswersKeepTheirMeaningOn64BitHosts)
{
    TestEffect effect(nullptr);
    char text[] = "someVendorExtension";
    effect.canDoAnswer = static_cast<VstInt32>(0xBEEF0000u);
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, text), static_cast<VstIntPtr>(0xBEEF0000u));
    effect.canDoAnswer = -1;
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, text), -1);
    effect.canDoAnswer = 1;
    EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, text), 1);
}

TEST(AudioEffectTraps, LargeVendorIndexArrivesWithItsUnsignedBits)
{
    TestEffect effect(nullptr);
    const auto index = static_cast<VstInt32>(0xDEADBEF0u);
    EXPECT_EQ(dispatch(effect, effVendorSpecific, index, 3), 0xbeef);
    EXPECT_EQ(static_cast<std::uint32_t>(effect.vendorIndex), 0xDEADBEF0u);
}

TEST(AudioEffectTraps, CanHostDoReadsAHostsNoAsNo)
{
    RecordingHost host;
    TestEffect effect(RecordingHost::callback);
    VstIntPtr reply = 0;
    host.answer = [&](const HostCall&) { return reply; };
    reply = -1;
    EXPECT_FALSE(effect.canHostDo("sizeWindow"));
    reply = 0;
    EXPECT_FALSE(effect.canHostDo("sizeWindow"));
    reply = 1;
    EXPECT_TRUE(effect.canHostDo("sizeWindow"));
    reply = 2;
    EXPECT_TRUE(effect.canHostDo("sizeWindow"));
    EXPECT_STREQ(static_cast<const char*>(host.calls.back().ptr), "sizeWindow");
}

TEST(AudioEffectTraps, SpeakerArrangementQueryToleratesNullAddresses)
{
    TestEffect effect(nullptr);
    VstSpeakerArrangement arrangement{};
    VstSpeakerArrangement* input = &arrangement;
    VstSpeakerArrangement* output = &arrangement;
    EXPECT_EQ(dispatch(effect, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_EQ(dispatch(effect, effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

} // namespace
} // namespace Vantor::Vst
