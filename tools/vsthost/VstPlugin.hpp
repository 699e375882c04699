#pragma once

#include "framework/vst/VstAbi.hpp"
#include "tools/vsthost/HostContext.hpp"
#include "tools/vsthost/HostError.hpp"
#include "tools/vsthost/PluginModule.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Vantor::VstHost
{

// One MIDI message of up to three bytes, delivered deltaFrames into the next block.
struct SMidiMessage
{
    std::int32_t deltaFrames = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

// One loaded VST 2.4 plug-in instance, driven the way a host drives it.
// Link the static library `vsthost` (CMake target) to use it; a test can hand
// it a module built in the same tree with $<TARGET_FILE:...>.
//
// Typical use:
//     auto plugin = CVstPlugin::load("PressoraLite.so");  // dlopen, entry point, magic check, effOpen
//     plugin->setSampleRate(48000.0f);                     // effSetSampleRate
//     plugin->setBlockSize(256);                           // effSetBlockSize
//     plugin->setParameter(*plugin->findParameter("Ratio"), 0.5f);
//     plugin->resume();                                    // effMainsChanged 1, effStartProcess
//     plugin->processStereo(inL, inR, outL, outR, frames); // processReplacing in blocks
//     plugin.reset();                                      // suspend, effClose, dlclose
//
// Every plug-in call is guarded: an exception a plug-in throws becomes a
// CHostError; nothing the host does throws into the plug-in. The host's
// answers and the log of the plug-in's calls are in host().
// An instance is used from one thread (the plug-in may call back from others).
class CVstPlugin
{
public:
    // Loads the module, calls its entry point (VSTPluginMain, else main) with
    // the host callback, checks the record's magic and sends effOpen.
    // Throws CHostError with a one-line reason when any of that fails.
    static std::unique_ptr<CVstPlugin> load(const std::filesystem::path& path, SHostSettings settings = {});
    ~CVstPlugin(); // close()
    CVstPlugin(const CVstPlugin&) = delete;
    CVstPlugin& operator=(const CVstPlugin&) = delete;

    // The plug-in's record; only while isOpen().
    Vst::AEffect& effect() { return *m_effect; }
    const Vst::AEffect& effect() const { return *m_effect; }
    CHostContext& host() { return *m_host; }
    const CHostContext& host() const { return *m_host; }
    const std::filesystem::path& path() const { return m_path; }
    // "VSTPluginMain" or "main": the entry point the module was started through.
    const std::string& entryPointName() const { return m_entryPointName; }
    bool isOpen() const { return m_effect != nullptr; }

    // Raw dispatcher call.
    Vst::VstIntPtr dispatch(Vst::VstInt32 opcode, Vst::VstInt32 index = 0, Vst::VstIntPtr value = 0,
                            void* ptr = nullptr, float opt = 0.0f);

    // ---- set-up and processing ----
    void setSampleRate(float rate);          // effSetSampleRate, also what the host reports
    void setBlockSize(Vst::VstInt32 frames); // effSetBlockSize; suspends and resumes around it if needed
    float sampleRate() const { return m_host->settings().sampleRate; }
    Vst::VstInt32 blockSize() const { return m_host->settings().blockSize; }
    // effMainsChanged 1 then effStartProcess; makes the processing buffers.
    void resume();
    // effStopProcess then effMainsChanged 0.
    void suspend();
    // Sets the transport back to the start, as for a new piece of audio.
    void rewind() { m_samplePosition = 0.0; }
    bool isResumed() const { return m_resumed; }

    // Raw processReplacing: numInputs / numOutputs channels of frames samples
    // (frames must not exceed the block size). Advances the host's transport.
    void processReplacing(float** inputs, float** outputs, Vst::VstInt32 frames);
    // Stereo in, stereo out, any length: cut into calls of at most the block
    // size. Input 0 gets left, input 1 right, further inputs silence; output 0
    // goes to left, output 1 to right (a mono output goes to both).
    // In and out may be the same arrays. Allocates nothing; resumes first if needed.
    void processStereo(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                       std::size_t frames);

    // effProcessEvents with these MIDI messages; they stay valid until the next call.
    void sendMidi(std::span<const SMidiMessage> messages);

    // ---- parameters ----
    int parameterCount() const { return m_effect->numParams; }
    float parameter(int index);
    void setParameter(int index, float value);
    std::string parameterName(int index);    // effGetParamName
    std::string parameterLabel(int index);   // effGetParamLabel (unit)
    std::string parameterDisplay(int index); // effGetParamDisplay (value text)
    // The parameter whose name matches, ignoring case and surrounding blanks.
    std::optional<int> findParameter(std::string_view name);

    // ---- programs ----
    int programCount() const { return m_effect->numPrograms; }
    int program();              // effGetProgram
    void setProgram(int index); // effSetProgram
    std::string programName();  // effGetProgramName of the current program
    // effGetProgramNameIndexed; when the plug-in does not answer it, the name
    // is read by switching to the program and back.
    std::string programNameAt(int index);
    std::optional<int> findProgram(std::string_view name);

    // ---- identity and capabilities ----
    std::string effectName();       // effGetEffectName
    std::string vendorString();     // effGetVendorString
    std::string productString();    // effGetProductString
    Vst::VstIntPtr vendorVersion(); // effGetVendorVersion
    Vst::VstIntPtr vstVersion();    // effGetVstVersion
    Vst::VstIntPtr category();      // effGetPlugCategory
    // effCanDo: 1 yes, -1 no, 0 don't know. Judged on the low 32 bits, since
    // some plug-ins return an int32 that the dispatcher widens.
    int canDo(const std::string& capability);
    // effGetInputProperties / effGetOutputProperties; empty when the plug-in does not answer.
    std::optional<Vst::VstPinProperties> inputProperties(int pin);
    std::optional<Vst::VstPinProperties> outputProperties(int pin);

    // Suspends if needed, sends effClose (the instance is gone afterwards) and
    // unloads the module. Safe to call twice.
    void close();

    // Largest channel counts accepted from a record.
    static constexpr int kMaxChannels = 64;

private:
    CVstPlugin() = default;
    std::string readString(Vst::VstInt32 opcode, Vst::VstInt32 index = 0);
    std::optional<Vst::VstPinProperties> pinProperties(Vst::VstInt32 opcode, int pin);
    void makeBuffers();
    void checkChannelCounts() const;
    void requireParameter(int index) const;
    [[noreturn]] void failCall(const char* what) const;

    std::unique_ptr<CHostContext> m_host;
    std::unique_ptr<CPluginModule> m_module;
    std::filesystem::path m_path;
    std::string m_entryPointName;
    Vst::AEffect* m_effect = nullptr;
    bool m_resumed = false;
    double m_samplePosition = 0.0;

    // Processing buffers, made by resume(): one block per plug-in channel.
    // Remade when the plug-in changes its channel counts (audioMasterIOChanged).
    int m_bufferedInputs = 0;
    int m_bufferedOutputs = 0;
    std::vector<float> m_inputStore;
    std::vector<float> m_outputStore;
    std::vector<float*> m_inputs;
    std::vector<float*> m_outputs;

    // Storage of the last sendMidi block.
    std::vector<Vst::VstMidiEvent> m_midiEvents;
    std::vector<unsigned char> m_eventBlock;
};

// A four-character code as text ("Tam2"); bytes outside printable ASCII show as '.'.
std::string fourCharText(Vst::VstInt32 code);

} // namespace Vantor::VstHost
