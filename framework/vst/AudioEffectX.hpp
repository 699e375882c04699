#pragma once
// AudioEffectX: the 2.x extension of AudioEffect. Answers dispatcher opcodes
// 25 to 79 through the virtuals below (passing everything else on to
// AudioEffect) and wraps the 2.x host callbacks.
//
// Deliberate choices where hosts read the raw answers:
// - effCanDo: canDo() answers a 32-bit value. 1, 0 and -1 reach the host
//   with their sign; any other value is widened without sign extension, so
//   a vendor answer such as 0xBEEF0000 reads as 0xBEEF0000 on 64-bit hosts too.
// - canHostDo() is true only when the host answers yes (a positive
//   number): a host's -1 ("no") stays no.
// - index arrives as a signed 32-bit number; a large vendor code such as
//   0xDEADBEF0 shows up negative. Compare it as std::uint32_t.
// - effGetSpeakerArrangement tolerates null addresses.

#include "framework/vst/AudioEffect.hpp"

namespace Vantor::Vst
{

class AudioEffectX : public AudioEffect
{
public:
    AudioEffectX(audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 paramCount)
        : AudioEffect(hostCallback, programCount, paramCount)
    {
    }

    // Threads: any.
    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    // Asks the host for MIDI (wantEvents) when the effect is a synth or
    // answers canDo("receiveVstMidiEvent") with 1.
    // Threads: editor.
    void resume() override;

    // ---- host -> effect -----------------------------------------------------
    // The answer of effProcessEvents; events are valid only during the call.
    // Threads: audio.
    virtual VstInt32 processEvents(VstEvents* /*events*/) { return 0; }

    // Threads: editor.
    virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
    // text null asks whether conversion is supported at all.
    // Threads: editor.
    virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
    // Threads: editor.
    virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*p*/) { return false; }

    // Threads: editor.
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/)
    {
        return false;
    }
    // Threads: editor.
    virtual bool beginSetProgram() { return false; }
    // Threads: editor.
    virtual bool endSetProgram() { return false; }
    // Threads: editor.
    virtual VstInt32 beginLoadBank(VstPatchChunkInfo* /*ptr*/) { return 0; }
    // Threads: editor.
    virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* /*ptr*/) { return 0; }

    // Threads: editor.
    virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    // Threads: editor.
    virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    // Threads: editor.
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* /*pluginInput*/,
                                       VstSpeakerArrangement* /*pluginOutput*/)
    {
        return false;
    }
    // Writes null through both (non-null) addresses and answers false.
    // Threads: editor.
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                       VstSpeakerArrangement** pluginOutput);

    // kPlugCategSynth for a synth, else kPlugCategUnknown.
    // Threads: editor.
    virtual VstPlugCategory getPlugCategory();
    // Threads: any.
    virtual bool setBypass(bool /*onOff*/) { return false; }
    // Threads: editor.
    virtual bool setProcessPrecision(VstInt32 /*precision*/) { return false; }
    // Threads: audio.
    virtual bool processVariableIo(VstVariableIo* /*varIo*/) { return false; }
    // Threads: editor.
    virtual bool setPanLaw(VstInt32 /*type*/, float /*value*/) { return false; }

    // Threads: any.
    virtual bool offlineNotify(VstAudioFile* /*ptr*/, VstInt32 /*numAudioFiles*/, bool /*start*/)
    {
        return false;
    }
    // Threads: any.
    virtual bool offlinePrepare(VstOfflineTask* /*offline*/, VstInt32 /*count*/) { return false; }
    // Threads: any.
    virtual bool offlineRun(VstOfflineTask* /*offline*/, VstInt32 /*count*/) { return false; }

    // Name buffers: kVstMaxEffectNameLen, kVstMaxVendorStrLen, kVstMaxProductStrLen characters.
    // Threads: editor.
    virtual bool getEffectName(char* /*name*/) { return false; }
    // Threads: editor.
    virtual bool getVendorString(char* /*text*/) { return false; }
    // Threads: editor.
    virtual bool getProductString(char* /*text*/) { return false; }
    // Threads: editor.
    virtual VstInt32 getVendorVersion() { return 0; }
    // Threads: editor.
    virtual VstIntPtr vendorSpecific(VstInt32 /*index*/, VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/)
    {
        return 0;
    }
    // 1 yes, -1 no, 0 don't know (or a vendor-defined value, see above). The
    // text is null when a host asks without one.
    // Threads: editor.
    virtual VstInt32 canDo(char* /*text*/) { return 0; }
    // Samples of sound after the input falls silent: 0 default, 1 none.
    // Threads: any.
    virtual VstInt32 getGetTailSize() { return 0; }
    // Threads: any.
    virtual VstInt32 getVstVersion() { return kVstVersion; }

    // Threads: editor.
    virtual VstInt32 getMidiProgramName(VstInt32 /*channel*/, MidiProgramName* /*name*/) { return 0; }
    // Threads: editor.
    virtual VstInt32 getCurrentMidiProgram(VstInt32 /*channel*/, MidiProgramName* /*current*/) { return -1; }
    // Threads: editor.
    virtual VstInt32 getMidiProgramCategory(VstInt32 /*channel*/, MidiProgramCategory* /*category*/)
    {
        return 0;
    }
    // Threads: editor.
    virtual bool hasMidiProgramsChanged(VstInt32 /*channel*/) { return false; }
    // Threads: editor.
    virtual bool getMidiKeyName(VstInt32 /*channel*/, MidiKeyName* /*keyName*/) { return false; }
    // 1 to 16 channels; 0 means "not implemented".
    // Threads: editor.
    virtual VstInt32 getNumMidiInputChannels() { return 0; }
    // Threads: editor.
    virtual VstInt32 getNumMidiOutputChannels() { return 0; }

    // Threads: editor.
    virtual VstInt32 getNextShellPlugin(char* /*name*/) { return 0; }
    // Threads: any.
    virtual VstInt32 startProcess() { return 0; }
    // Threads: any.
    virtual VstInt32 stopProcess() { return 0; }
    // Threads: any.
    virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }

    // ---- record setters -----------------------------------------------------
    virtual void isSynth(bool state = true) { setFlag(effFlagsIsSynth, state); }
    // Silent output for silent input (effFlagsNoSoundInStop).
    virtual void noTail(bool state = true) { setFlag(effFlagsNoSoundInStop, state); }

    // ---- effect -> host -----------------------------------------------------
    // Deprecated request for MIDI; hosts still expect it.
    // Threads: any.
    virtual void wantEvents(VstInt32 filter = 1);
    // The host's transport for the kVst...Valid flags in filter; null if none.
    // Owned by the host and valid until the next call.
    // Threads: audio.
    virtual VstTimeInfo* getTimeInfo(VstInt32 filter);
    // True only when the host answers exactly 1.
    // Threads: audio.
    virtual bool sendVstEventsToHost(VstEvents* events);
    // Tells the host numInputs, numOutputs or initialDelay changed.
    // Threads: editor.
    virtual bool ioChanged();
    // Threads: editor.
    virtual bool sizeWindow(VstInt32 width, VstInt32 height);
    // Ask the host and store a positive answer; return the stored value. Like
    // setSampleRate and setBlockSize, only while no processing call runs.
    // Threads: editor.
    virtual float updateSampleRate();
    // Threads: editor.
    virtual VstInt32 updateBlockSize();
    // Threads: any.
    virtual VstInt32 getInputLatency();
    // Threads: any.
    virtual VstInt32 getOutputLatency();
    // Threads: any.
    virtual VstInt32 getCurrentProcessLevel();
    // Threads: any.
    virtual VstInt32 getAutomationState();
    // Threads: any.
    virtual VstInt32 getHostLanguage();
    // text must hold kVstMaxVendorStrLen / kVstMaxProductStrLen + 1 bytes
    // (use a zeroed buffer of 256: some hosts write more). True if written.
    // Threads: any.
    virtual bool getHostVendorString(char* text);
    // Threads: any.
    virtual bool getHostProductString(char* text);
    // Threads: any.
    virtual VstInt32 getHostVendorVersion();
    // Threads: any.
    virtual VstIntPtr hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
    // Threads: any.
    virtual bool canHostDo(const char* text);
    // The host re-reads names and values.
    // Threads: editor.
    virtual bool updateDisplay();
    // Threads: any.
    virtual void* getDirectory();
    // Threads: editor.
    virtual bool openFileSelector(VstFileSelect* ptr);
    // Threads: editor.
    virtual bool closeFileSelector(VstFileSelect* ptr);
    // Deprecated: true when the host says the pin is connected.
    // Threads: any.
    virtual bool isInputConnected(VstInt32 input);
    // Threads: any.
    virtual bool isOutputConnected(VstInt32 output);

    // Widens a canDo answer for the host: -1 keeps its sign, everything else
    // is taken as an unsigned 32-bit value.
    static VstIntPtr canDoAnswer(VstInt32 answer);
};

} // namespace Vantor::Vst
