#pragma once
// CVstEffect: the framework's base class for effects. It builds on the
// AudioEffectX answers and adds what every effect of the framework shares:
// the host's capabilities read once at construction, a tempo reader, the MIDI
// events of the current block and a lock for effects that need one.
//
// Effects derive from it and override the usual AudioEffectX virtuals
// (setParameter, processReplacing, canDo, ...). An effect that overrides
// processReplacing or processEvents should call the CVstEffect version too:
// processEvents records the host's events, processReplacing forgets them at
// the end of the block (and tells the host the editor's relayed edits).

#include "framework/basics/CountedObject.hpp"
#include "framework/threading/CriticalSection.hpp"
#include "framework/vst/AudioEffectX.hpp"
#include "framework/vst/EditRelay.hpp"
#include "framework/vst/HostCanDo.hpp"
#include "framework/vst/VstMidiEventList.hpp"
#include "framework/vst/VstTempo.hpp"

#include <memory>

namespace Vantor::Vst
{

class CVstEffect : public AudioEffectX, public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CVstEffect);

    // Keeps the AudioEffectX defaults (one input, two outputs, replacing,
    // 'NoEf', version 1, 44100 Hz, 1024 frames), builds the services and asks
    // the host about its capabilities. Note the order of the counts:
    // parameters first, then programs.
    CVstEffect(audioMasterCallback hostCallback, VstInt32 numberOfParameters, VstInt32 numberOfPrograms);
    ~CVstEffect() override;

    // Tells the host the edits relayed since the last call (see setParameterAutomated)
    // and forgets the block's MIDI events; no audio is produced.
    // Threads: audio.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    // Threads: audio.
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    // Records the block's MIDI events (see CVstMidiEventList) and answers 1.
    // Threads: audio.
    VstInt32 processEvents(VstEvents* events) override;

    // Writes "Default" (program names) and "No param" (parameter texts).
    // Threads: editor.
    void getProgramName(char* name) override;
    // Threads: editor.
    void getParameterLabel(VstInt32 index, char* label) override;
    // Threads: editor.
    void getParameterDisplay(VstInt32 index, char* text) override;
    // Threads: editor.
    void getParameterName(VstInt32 index, char* text) override;
    // Threads: editor.
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    // The application name, company name and description of the application
    // information, cut to 23 characters; false for a null buffer.
    // Threads: editor.
    bool getEffectName(char* name) override;
    // Threads: editor.
    bool getVendorString(char* text) override;
    // Threads: editor.
    bool getProductString(char* text) override;

    // The effect listens to the one channel of its MIDI list.
    // Threads: editor.
    VstInt32 getNumMidiInputChannels() override { return 1; }

    // The editor's edits: setParameter, then the host is told (audioMasterAutomate,
    // BeginEdit, EndEdit) at once, or, for a host that cannot take them on the
    // editor's thread (CHostCanDo::takesEditsFromTheEditorThread), by the next
    // processing call on the audio thread (while the host processes nothing, they
    // wait). beginEdit and endEdit answer whether the host said yes (true when relayed).
    // Threads: editor.
    void setParameterAutomated(VstInt32 index, float value) override;
    // Threads: editor.
    bool beginEdit(VstInt32 index) override;
    // Threads: editor.
    bool endEdit(VstInt32 index) override;

    // The MIDI channel (0 to 15) whose events are recorded; 0 by default.
    // Threads: editor.
    virtual void setMidiChannel(VstInt32 channel);

    const CHostCanDo& getHostCanDo() const { return m_hostCanDo; }
    CVstTempo& getTempo() { return m_tempo; }
    // The events recorded since the last processing call.
    CVstMidiEventList& getMidiEvents() { return m_midiEvents; }
    Threading::CCriticalSection& getLock() { return *m_lock; }

    // Name texts given to the host are cut to fit this many bytes with the terminator.
    static constexpr VstInt32 kNameBufferSize = 24;

private:
    void endProcessing();

    CHostCanDo m_hostCanDo;
    CVstTempo m_tempo;
    CVstMidiEventList m_midiEvents;
    Threading::CCriticalSection* m_lock;
    // Only for a host that takes no edits from the editor's thread.
    std::unique_ptr<CEditRelay> m_editRelay;
};

} // namespace Vantor::Vst
