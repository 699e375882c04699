#pragma once

#include "framework/vst/VstAbi.hpp"

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace Vantor::VstHost
{

// What the host tells a plug-in about itself.
struct SHostSettings
{
    float sampleRate = 44100.0f;
    Vst::VstInt32 blockSize = 512;
    std::string vendor = "Vantor";       // audioMasterGetVendorString
    std::string product = "pressora";    // audioMasterGetProductString
    Vst::VstInt32 vendorVersion = 1000;  // audioMasterGetVendorVersion
    bool provideTimeInfo = true;         // false: audioMasterGetTime answers null
    double tempo = 120.0;                // BPM reported in the time info
    bool offline = false;                // process level "offline" instead of "realtime" while processing
    bool logCalls = true;                // record host calls (see CHostContext::calls)
    std::size_t maxLoggedCalls = 100000; // later calls are only counted
};

// One call a plug-in made to the host.
struct SHostCall
{
    const Vst::AEffect* effect = nullptr; // null when the plug-in passed none (e.g. from its entry point)
    Vst::VstInt32 opcode = 0;
    Vst::VstInt32 index = 0;
    Vst::VstIntPtr value = 0;
    float opt = 0.0f;
    std::string text;          // audioMasterCanDo: the capability asked about
    Vst::VstIntPtr answer = 0; // what the host returned
};

// The host's side of one plug-in instance: answers the plug-in's audioMaster
// calls like a sensible host and logs each of them.
//
// The plug-in reaches it through callback(), which every instance is handed
// as its audioMasterCallback. Calls are routed by the effect pointer; calls
// made while the entry point runs (effect null, or a record not yet returned)
// go to the context that is loading on that thread (see CLoadingScope).
// Calls from any thread are safe.
class CHostContext
{
public:
    explicit CHostContext(SHostSettings settings = {});
    ~CHostContext();
    CHostContext(const CHostContext&) = delete;
    CHostContext& operator=(const CHostContext&) = delete;

    const SHostSettings& settings() const { return m_settings; }
    void setSampleRate(float rate);
    void setBlockSize(Vst::VstInt32 frames);
    // The folder answered to audioMasterGetDirectory (the plug-in's own folder).
    void setDirectory(std::string directory);
    // Resizes the editor's frame for audioMasterSizeWindow (width, height in pixels); true
    // when it did. Without one the host refuses (0).
    void setWindowSizer(std::function<bool(int width, int height)> sizer);

    // The answer to one audioMaster call, logged. Never throws.
    Vst::VstIntPtr answer(Vst::AEffect* effect, Vst::VstInt32 opcode, Vst::VstInt32 index,
                          Vst::VstIntPtr value, void* ptr, float opt);

    // A copy of the log, oldest first; calls beyond maxLoggedCalls are only counted.
    std::vector<SHostCall> calls() const;
    std::size_t droppedCalls() const;
    void clearCalls();
    // How many logged calls had this opcode.
    std::size_t countCalls(Vst::VstInt32 opcode) const;
    // The values the plug-in sent with audioMasterAutomate for one parameter, oldest first.
    std::vector<float> automatedValues(Vst::VstInt32 index) const;

    // Transport seen through audioMasterGetTime; the owner advances it while processing.
    void setSamplePosition(double samplePosition);
    // Inside this scope the current thread counts as the audio thread
    // (audioMasterGetCurrentProcessLevel answers realtime or offline).
    class CProcessScope
    {
    public:
        CProcessScope();
        ~CProcessScope();
        CProcessScope(const CProcessScope&) = delete;
        CProcessScope& operator=(const CProcessScope&) = delete;
    };

    // Routes calls of effect to this context from now on.
    void attach(Vst::AEffect* effect);
    // Stops routing; later calls of the effect get generic answers, unlogged.
    void detach();
    // While alive, calls on this thread whose effect is unknown go to context.
    class CLoadingScope
    {
    public:
        explicit CLoadingScope(CHostContext& context);
        ~CLoadingScope();
        CLoadingScope(const CLoadingScope&) = delete;
        CLoadingScope& operator=(const CLoadingScope&) = delete;

    private:
        CHostContext* m_previous;
    };

    // The audioMasterCallback handed to every plug-in.
    static Vst::VstIntPtr VANTOR_VSTCALL callback(Vst::AEffect* effect, Vst::VstInt32 opcode,
                                                  Vst::VstInt32 index, Vst::VstIntPtr value, void* ptr,
                                                  float opt);
    // The host's answer to audioMasterCanDo: 1 yes, -1 no, 0 unknown capability.
    static Vst::VstIntPtr canHostDo(const char* capability);

private:
    Vst::VstIntPtr respond(Vst::VstInt32 opcode, Vst::VstInt32 index, Vst::VstIntPtr value, void* ptr,
                           float opt);
    void log(Vst::AEffect* effect, Vst::VstInt32 opcode, Vst::VstInt32 index, Vst::VstIntPtr value, void* ptr,
             float opt, Vst::VstIntPtr answer);
    static CHostContext* route(Vst::AEffect* effect);

    SHostSettings m_settings;
    Vst::AEffect* m_effect = nullptr;
    Vst::VstTimeInfo m_time{};
    std::string m_directory;
    std::function<bool(int, int)> m_windowSizer;
    mutable std::mutex m_logMutex;
    std::vector<SHostCall> m_calls;
    std::size_t m_dropped = 0;
};

} // namespace Vantor::VstHost
