#pragma once

#include <atomic>

#include "framework/collections/AutomaticPointer.hpp"
#include "framework/vst/VstEffect.hpp"
#include "plugin/CompressorSC.hpp"
#include "plugin/ParameterView.hpp"
#include "plugin/Parameters.hpp"
#include "plugin/Program.hpp"
#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{

// The compressor effect. Audio passes through 16-sample blocks: each full block
// is compressed in place while the next one fills, so every output sample is the
// input of 16 samples before, mixed dry/wet and scaled by the master gain.
//
// The six parameters are those of the parameter table (plugin/Parameters.hpp):
// Master sets the output gain, 10^((dB + 2) / 20); Threshold at exactly its top
// switches the compressor off; Ratio, Attack and Release set the compressor; Mix
// is ramped across each processing call. Every change is also written into the
// current one of the 13 programs.
class CQuellor : public Vst::CVstEffect
{
public:
    VANTOR_DECLARE_CLASS(CQuellor);

    // Parameter indices, as the host numbers them.
    static constexpr int kMaster = Parameters::kMaster;
    static constexpr int kThreshold = Parameters::kThreshold;
    static constexpr int kRatio = Parameters::kRatio;
    static constexpr int kAttack = Parameters::kAttack;
    static constexpr int kRelease = Parameters::kRelease;
    static constexpr int kMix = Parameters::kMix;
    static constexpr int kNumParameters = Parameters::kCount;
    static constexpr int kNumPrograms = kNumFactoryPrograms;
    static constexpr int kBlockSize = CCompressorSC::kBlockSize;
    static constexpr Vst::VstInt32 kUniqueId = Vst::fourCharCode("Tam2");
    // Input samples beyond this magnitude (some 740 dB above full scale), infinite
    // ones and those that are not a number count as silence: even the largest
    // master gain keeps what remains below the largest float.
    static constexpr float kLoudestInput = 0x1p123f;

    explicit CQuellor(Vst::audioMasterCallback hostCallback);
    // Deletes the editor first, while the effect it talks to is whole.
    ~CQuellor() override;

    // ---- parameters ---------------------------------------------------------
    // Threads: automation, audio, editor.
    void setParameter(Vst::VstInt32 index, float value) override;
    // Threads: any.
    float getParameter(Vst::VstInt32 index) override;
    // Threads: editor.
    void getParameterName(Vst::VstInt32 index, char* text) override;
    // Threads: editor.
    void getParameterLabel(Vst::VstInt32 index, char* text) override;
    // Threads: editor.
    void getParameterDisplay(Vst::VstInt32 index, char* text) override;

    // ---- programs -----------------------------------------------------------
    // Threads: editor.
    void setProgram(Vst::VstInt32 program) override;
    // Threads: editor.
    void setProgramName(char* name) override;
    // Threads: editor.
    void getProgramName(char* name) override;
    // Threads: editor.
    bool getProgramNameIndexed(Vst::VstInt32 category, Vst::VstInt32 index, char* text) override;

    // ---- processing ---------------------------------------------------------
    // Threads: editor.
    void resume() override;
    // Threads: audio.
    void processReplacing(float** inputs, float** outputs, Vst::VstInt32 sampleFrames) override;
    // The audio path alone: overwrites both outputs with the delayed, compressed,
    // mixed and scaled input and reports the meter level to the view.
    // Threads: audio.
    virtual void processAudio(float** inputs, float** outputs, Vst::VstInt32 sampleFrames);
    // The same with the compressor's detector fed from a second pair: the main
    // pair stays the dry signal of the mix and the signal that is compressed.
    // With the side chain carrying the main signal the output is that of
    // processAudio, bit for bit. Any buffer may be shared with any other.
    // Threads: audio.
    void processAudioWithSideChain(float** inputs, float** sideChain, float** outputs,
                                   Vst::VstInt32 sampleFrames);
    // Records the events, then acts on every control change recorded since the
    // last processing call: controllers 0-12 select a program, the parameters'
    // own controllers (70-74) set them.
    // Threads: audio.
    Vst::VstInt32 processEvents(Vst::VstEvents* events) override;

    // ---- queries ------------------------------------------------------------
    // Threads: editor.
    Vst::VstInt32 canDo(char* text) override;
    // Threads: editor.
    bool getInputProperties(Vst::VstInt32 index, Vst::VstPinProperties* properties) override;
    // Threads: editor.
    bool getOutputProperties(Vst::VstInt32 index, Vst::VstPinProperties* properties) override;
    // Threads: editor.
    Vst::VstIntPtr vendorSpecific(Vst::VstInt32 index, Vst::VstIntPtr value, void* ptr, float opt) override;

    // The view told about parameter changes and the meter (not owned; may be null).
    void setParameterView(IParameterView* view) { m_view = view; }
    IParameterView* getParameterView() const { return m_view; }

    // For inspection by the editor and tests.
    const CVstParam& getParameterObject(int index) const { return *m_parameters[index]; }
    const CCompressorSC& getCompressor() const { return *m_compressor; }
    const CProgram& getProgramRecord(int number) const { return m_programs[number]; }
    double getMasterGain() const { return m_masterGain.load(std::memory_order_relaxed); }
    float getCurrentMix() const { return m_currentMix.load(std::memory_order_relaxed); }
    float getWorkingSampleRate() const { return m_workingSampleRate; }
    // The largest gain reduction, in dB (0 or more), of the compressor blocks
    // completed in the last processing call; 0 if none completed or the
    // compressor was off. Written by the audio path once per call.
    // Threads: any.
    float getGainReduction() const { return m_gainReduction.load(std::memory_order_relaxed); }

private:
    static bool isParameter(Vst::VstInt32 index) { return Parameters::isIndex(index); }
    static bool isProgram(Vst::VstInt32 number) { return number >= 0 && number < kNumPrograms; }

    void createParameters();
    void warmUpCompressor();
    void clearBlocks();
    void loadFactoryPrograms();
    void applyProgram(Vst::VstInt32 number);
    void notifyView(long index, double value);
    // Writes the named text of a parameter, or nothing but a terminator for another index.
    void copyParameterText(Vst::VstInt32 index, char* text, void (CVstParam::*getter)(char*) const);
    void handleControlChange(int controller, int value);
    // The audio path; the detector reads the side-chain pair when there is one
    // (kSideChain), the dry blocks otherwise.
    template <bool kSideChain>
    void processFrames(float** inputs, float** sideChain, float** outputs, Vst::VstInt32 sampleFrames);
    static bool fillPinProperties(Vst::VstInt32 index, Vst::VstPinProperties* properties,
                                  const char* const labels[2], const char* const shortLabels[2]);

    Collections::TAutomaticPointer<CVstParam> m_parameters[kNumParameters];
    CProgram m_programs[kNumPrograms];
    Collections::TAutomaticPointer<CCompressorSC> m_compressor;

    float m_compressedLeft[kBlockSize];
    float m_compressedRight[kBlockSize];
    float m_dryLeft[kBlockSize];
    float m_dryRight[kBlockSize];
    // The side chain's block, the detector's input where there is one.
    float m_detectorLeft[kBlockSize];
    float m_detectorRight[kBlockSize];
    int m_blockPosition = 0;
    // The block now leaving was not compressed (its two halves are equal), or
    // its gains were moderate (see CCompressorSC::hadModerateGains()).
    bool m_leavingPlain = true;
    bool m_leavingModerate = false;
    // Written by the audio path once per call, readable from any thread.
    std::atomic<float> m_currentMix{1.0f};
    std::atomic<float> m_gainReduction{0.0f};
    // Set by whichever thread changes Master, read by the audio path without a lock.
    std::atomic<double> m_masterGain{1.0};
    float m_workingSampleRate = 44100.0f;

    IParameterView* m_view = nullptr;
};

} // namespace Vantor::Quellor
