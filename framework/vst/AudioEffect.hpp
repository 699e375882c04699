#pragma once
// AudioEffect: the C++ side of one effect instance. It embeds the AEffect
// record handed to the host, fills it with trampolines that turn host calls
// into virtual calls on this object, answers the basic dispatcher opcodes
// (0 to 24) and wraps the basic host callbacks.
//
// Host-facing guarantees:
// - The record entries never let an exception reach the host: a throwing
//   operation answers 0 (or, for effClose, still destroys the instance).
// - effClose calls close() and then deletes the instance; the record is gone
//   afterwards.
// - Host-call wrappers do nothing and answer 0 / false when there is no
//   callback, so an effect can be built and driven without a host.
// - Buffer opcodes with a null pointer answer 0 and write nothing.
//
// Each virtual says which of the host's threads may call it:
// - audio: the processing thread (processReplacing, processEvents): no
//   allocation, no lock, no I/O, no GUI object;
// - automation: wherever the host plays back or records parameter changes;
// - editor: the host's user-interface thread, where it opens the editor and
//   makes its other dispatcher calls, and where the editor's controls run;
// - any: more than one of these, possibly at the same time.

#include <atomic>

#include "framework/vst/AEffEditor.hpp"
#include "framework/vst/VstAbi.hpp"

namespace Vantor::Vst
{

class AudioEffect
{
public:
    // Fills the record: magic, trampolines, the two counts, one input, two
    // outputs, effFlagsCanReplacing, ioRatio 1, uniqueID 'NoEf', version 1,
    // everything else 0. Sample rate 44100, block size 1024, program 0.
    // Makes no host call.
    AudioEffect(audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 paramCount);
    // Deletes the editor if one is set.
    virtual ~AudioEffect();

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    // The instance behind a record built by this class, or null for anything else.
    static AudioEffect* fromAeffect(AEffect* effect);

    // ---- host -> effect -----------------------------------------------------
    // Handles opcodes 0 to 24 and answers 0 to every other opcode.
    // Threads: any.
    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // Threads: editor.
    virtual void open() {}
    // Threads: editor.
    virtual void close() {}
    // Switching processing off and on (effMainsChanged), the rate and the block size
    // (effSetSampleRate, effSetBlockSize) arrive while no processing call runs.
    // Threads: editor.
    virtual void suspend() {}
    // Threads: editor.
    virtual void resume() {}

    // Threads: editor.
    virtual void setSampleRate(float newRate) { sampleRate = newRate; }
    // Threads: editor.
    virtual void setBlockSize(VstInt32 newSize) { blockSize = newSize; }

    // Threads: audio.
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    // Threads: audio.
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/)
    {
    }
    // Deprecated accumulating process; never used by this framework.
    // Threads: audio.
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}

    // value is normalised to 0...1. The host's automation, the audio thread (MIDI)
    // and the editor (a knob turn, through setParameterAutomated) may call it at once.
    // Threads: automation, audio, editor.
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    // Threads: any.
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    // For changes made by the effect or its editor: setParameter, then tells
    // the host (audioMasterAutomate) so it can record the automation.
    // Threads: editor.
    virtual void setParameterAutomated(VstInt32 index, float value);
    // A gesture on a parameter begins or ends (audioMasterBeginEdit / EndEdit): the
    // editor wraps every drag, reset and wheel step in one pair, so that hosts record
    // touch automation and undo the gesture as one step. True when the host said yes.
    // Threads: editor.
    virtual bool beginEdit(VstInt32 index);
    // Threads: editor.
    virtual bool endEdit(VstInt32 index);

    // Threads: any.
    virtual VstInt32 getProgram() { return curProgram.load(std::memory_order_relaxed); }
    // Threads: editor.
    virtual void setProgram(VstInt32 program) { curProgram.store(program, std::memory_order_relaxed); }
    // Program names hold up to kVstMaxProgNameLen characters.
    // Threads: editor.
    virtual void setProgramName(char* /*name*/) {}
    // Threads: editor.
    virtual void getProgramName(char* name) { *name = 0; }
    // Parameter texts hold up to kVstMaxParamStrLen characters.
    // Threads: editor.
    virtual void getParameterLabel(VstInt32 /*index*/, char* label) { *label = 0; }
    // Threads: editor.
    virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { *text = 0; }
    // Threads: editor.
    virtual void getParameterName(VstInt32 /*index*/, char* text) { *text = 0; }

    // Opaque state; answers its byte size (0: not supported).
    // Threads: editor.
    virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/ = false) { return 0; }
    // Threads: editor.
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/ = false) { return 0; }

    // ---- record setters -----------------------------------------------------
    virtual void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
    virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }

    // Stores the editor (owned from now on) and sets effFlagsHasEditor for a
    // non-null editor, clearing it for null. A previous editor is not deleted.
    void setEditor(AEffEditor* newEditor);
    AEffEditor* getEditor() const { return editor; }

    AEffect* getAeffect() { return &cEffect; }
    float getSampleRate() const { return sampleRate; }
    VstInt32 getBlockSize() const { return blockSize; }

    // ---- effect -> host -----------------------------------------------------
    // The host's interface version; 1 when the host answers 0, 0 without a callback.
    // Threads: any.
    virtual VstInt32 getMasterVersion();
    // Unique ID of the shell sub-plug-in being created.
    // Threads: any.
    virtual VstInt32 getCurrentUniqueId();
    // Threads: editor.
    virtual void masterIdle();

    // ---- number texts (see VstStrings.hpp), using this effect's sample rate -
    // Threads: any.
    virtual void dB2string(float value, char* text, VstInt32 maxLen);
    // Threads: any.
    virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
    // Threads: any.
    virtual void ms2string(float samples, char* text, VstInt32 maxLen);
    // Threads: any.
    virtual void float2string(float value, char* text, VstInt32 maxLen);
    // Threads: any.
    virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);

protected:
    // One host call with the embedded record as effect; 0 without a callback.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    bool hasHost() const { return audioMaster != nullptr; }
    void setFlag(VstInt32 flag, bool state);
    bool hasFlag(VstInt32 flag) const { return (cEffect.flags & flag) != 0; }

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    // The host's program list and a MIDI program change on the audio thread both
    // select the program, without a lock.
    std::atomic<VstInt32> curProgram{0};
    AEffect cEffect;

private:
    static VstIntPtr VANTOR_VSTCALL dispatchEffClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                                     VstIntPtr value, void* ptr, float opt);
    static void VANTOR_VSTCALL processClass(AEffect* e, float** inputs, float** outputs,
                                            VstInt32 sampleFrames);
    static void VANTOR_VSTCALL processReplacingClass(AEffect* e, float** inputs, float** outputs,
                                                     VstInt32 sampleFrames);
    static void VANTOR_VSTCALL processDoubleReplacingClass(AEffect* e, double** inputs, double** outputs,
                                                           VstInt32 sampleFrames);
    static void VANTOR_VSTCALL setParameterClass(AEffect* e, VstInt32 index, float value);
    static float VANTOR_VSTCALL getParameterClass(AEffect* e, VstInt32 index);
};

} // namespace Vantor::Vst
