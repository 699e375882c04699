#include "tools/vsthost/HostContext.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string_view>

namespace Vantor::VstHost
{

using namespace Vantor::Vst;

namespace
{

// Which context each known effect belongs to. Plug-ins may call from their own
// threads, so the map is guarded.
std::mutex g_routesMutex;
std::map<const AEffect*, CHostContext*>& routes()
{
    static std::map<const AEffect*, CHostContext*> table;
    return table;
}

thread_local CHostContext* t_loading = nullptr;
thread_local int t_processDepth = 0;

// Host text buffers: hosts are only promised 64 characters plus the NUL.
void copyHostString(void* ptr, const std::string& text)
{
    if (ptr == nullptr)
    {
        return;
    }
    auto* buffer = static_cast<char*>(ptr);
    const std::size_t length = std::min<std::size_t>(text.size(), kVstMaxVendorStrLen);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

// Answers for calls that reach no context (an unknown effect outside loading).
SHostSettings& fallbackSettings()
{
    static SHostSettings settings;
    return settings;
}

} // namespace

CHostContext::CHostContext(SHostSettings settings) : m_settings(std::move(settings))
{
    m_time.sampleRate = m_settings.sampleRate;
    m_time.tempo = m_settings.tempo;
    m_time.timeSigNumerator = 4;
    m_time.timeSigDenominator = 4;
    m_time.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
}

CHostContext::~CHostContext()
{
    detach();
}

void CHostContext::setSampleRate(float rate)
{
    m_settings.sampleRate = rate;
    m_time.sampleRate = rate;
    setSamplePosition(m_time.samplePos);
}

void CHostContext::setBlockSize(VstInt32 frames)
{
    m_settings.blockSize = frames;
}

void CHostContext::setWindowSizer(std::function<bool(int width, int height)> sizer)
{
    m_windowSizer = std::move(sizer);
}

void CHostContext::setDirectory(std::string directory)
{
    m_directory = std::move(directory);
}

void CHostContext::setSamplePosition(double samplePosition)
{
    m_time.samplePos = samplePosition;
    const double quarterNotes = samplePosition / m_time.sampleRate * m_time.tempo / 60.0;
    m_time.ppqPos = quarterNotes;
    // Bars of four quarter notes.
    m_time.barStartPos = std::floor(quarterNotes / 4.0) * 4.0;
}

CHostContext::CProcessScope::CProcessScope()
{
    ++t_processDepth;
}

CHostContext::CProcessScope::~CProcessScope()
{
    --t_processDepth;
}

void CHostContext::attach(AEffect* effect)
{
    std::lock_guard lock(g_routesMutex);
    if (m_effect != nullptr)
    {
        routes().erase(m_effect);
    }
    m_effect = effect;
    if (effect != nullptr)
    {
        routes()[effect] = this;
    }
}

void CHostContext::detach()
{
    attach(nullptr);
}

CHostContext::CLoadingScope::CLoadingScope(CHostContext& context) : m_previous(t_loading)
{
    t_loading = &context;
}

CHostContext::CLoadingScope::~CLoadingScope()
{
    t_loading = m_previous;
}

CHostContext* CHostContext::route(AEffect* effect)
{
    if (effect != nullptr)
    {
        std::lock_guard lock(g_routesMutex);
        const auto found = routes().find(effect);
        if (found != routes().end())
        {
            return found->second;
        }
    }
    return t_loading;
}

VstIntPtr VANTOR_VSTCALL CHostContext::callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                VstIntPtr value, void* ptr, float opt)
{
    try
    {
        if (CHostContext* context = route(effect))
        {
            return context->answer(effect, opcode, index, value, ptr, opt);
        }
        // Nobody owns this effect: answer generically, the way a host does for a
        // record it has not seen yet, without touching any instance's state.
        switch (opcode)
        {
        case audioMasterVersion:
            return kVstVersion;
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(fallbackSettings().sampleRate);
        case audioMasterGetBlockSize:
            return fallbackSettings().blockSize;
        case audioMasterCanDo:
            return canHostDo(static_cast<const char*>(ptr));
        case audioMasterGetVendorString:
            copyHostString(ptr, fallbackSettings().vendor);
            return 1;
        case audioMasterGetProductString:
            copyHostString(ptr, fallbackSettings().product);
            return 1;
        case audioMasterGetVendorVersion:
            return fallbackSettings().vendorVersion;
        case audioMasterGetLanguage:
            return kVstLangEnglish;
        default:
            return 0;
        }
    }
    catch (...)
    {
        // Nothing may unwind into the plug-in.
        return 0;
    }
}

VstIntPtr CHostContext::canHostDo(const char* capability)
{
    if (capability == nullptr)
    {
        return 0;
    }
    static constexpr std::string_view yes[] = {
        "sendVstEvents",       "sendVstMidiEvent", "sendVstTimeInfo",  "receiveVstEvents",
        "receiveVstMidiEvent", "acceptIOChanges",  "startStopProcess", "sendVstMidiEventFlagIsRealtime",
    };
    static constexpr std::string_view no[] = {
        "reportConnectionChanges", "sizeWindow", "offline",      "openFileSelector", "closeFileSelector",
        "shellCategory",           "supplyIdle", "supportShell", "editFile",         "asyncProcessing",
    };
    const std::string_view text(capability);
    if (std::find(std::begin(yes), std::end(yes), text) != std::end(yes))
    {
        return 1;
    }
    if (std::find(std::begin(no), std::end(no), text) != std::end(no))
    {
        return -1;
    }
    return 0;
}

VstIntPtr CHostContext::answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt)
{
    VstIntPtr result = 0;
    try
    {
        result = respond(opcode, index, value, ptr, opt);
        if (m_settings.logCalls)
        {
            log(effect, opcode, index, value, ptr, opt, result);
        }
    }
    catch (...)
    {
        // Logging may run out of memory; the plug-in still gets its answer.
    }
    return result;
}

VstIntPtr CHostContext::respond(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    (void)opt;
    switch (opcode)
    {
    case audioMasterAutomate:
        return 1;
    case audioMasterVersion:
        return kVstVersion;
    case audioMasterCurrentId:
        return 0;
    case audioMasterIdle:
        return 0;
    case audioMasterPinConnected:
    {
        // 0 means connected: every pin the record declares is.
        if (m_effect == nullptr)
        {
            return 0;
        }
        const VstInt32 pins = value == 0 ? m_effect->numInputs : m_effect->numOutputs;
        return index >= 0 && index < pins ? 0 : 1;
    }
    case audioMasterWantMidi:
        return 1;
    case audioMasterGetTime:
        return m_settings.provideTimeInfo ? reinterpret_cast<VstIntPtr>(&m_time) : 0;
    case audioMasterProcessEvents:
        return 1;
    case audioMasterTempoAt:
        return static_cast<VstIntPtr>(m_settings.tempo * 10000.0);
    case audioMasterIOChanged:
        return 1; // the record's counts and delay are re-read on every use
    case audioMasterSizeWindow:
        return m_windowSizer && m_windowSizer(static_cast<int>(index), static_cast<int>(value)) ? 1 : 0;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(m_settings.sampleRate);
    case audioMasterGetBlockSize:
        return m_settings.blockSize;
    case audioMasterGetInputLatency:
    case audioMasterGetOutputLatency:
        return 0;
    case audioMasterWillReplaceOrAccumulate:
        return 1; // replace
    case audioMasterGetCurrentProcessLevel:
        if (t_processDepth > 0)
        {
            return m_settings.offline ? kVstProcessLevelOffline : kVstProcessLevelRealtime;
        }
        return kVstProcessLevelUser;
    case audioMasterGetAutomationState:
        return kVstAutomationOff;
    case audioMasterGetVendorString:
        copyHostString(ptr, m_settings.vendor);
        return ptr != nullptr ? 1 : 0;
    case audioMasterGetProductString:
        copyHostString(ptr, m_settings.product);
        return ptr != nullptr ? 1 : 0;
    case audioMasterGetVendorVersion:
        return m_settings.vendorVersion;
    case audioMasterCanDo:
        return canHostDo(static_cast<const char*>(ptr));
    case audioMasterGetLanguage:
        return kVstLangEnglish;
    case audioMasterGetDirectory:
        return m_directory.empty() ? 0 : reinterpret_cast<VstIntPtr>(m_directory.c_str());
    case audioMasterUpdateDisplay:
        return 1;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        return 1;
    default:
        return 0; // editors, file selectors, offline and vendor calls: not supported
    }
}

void CHostContext::log(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt, VstIntPtr answer)
{
    std::lock_guard lock(m_logMutex);
    if (m_calls.size() >= m_settings.maxLoggedCalls)
    {
        ++m_dropped;
        return;
    }
    SHostCall call;
    call.effect = effect;
    call.opcode = opcode;
    call.index = index;
    call.value = value;
    call.opt = opt;
    call.answer = answer;
    if (opcode == audioMasterCanDo && ptr != nullptr)
    {
        call.text = static_cast<const char*>(ptr);
    }
    m_calls.push_back(std::move(call));
}

std::vector<SHostCall> CHostContext::calls() const
{
    std::lock_guard lock(m_logMutex);
    return m_calls;
}

std::size_t CHostContext::droppedCalls() const
{
    std::lock_guard lock(m_logMutex);
    return m_dropped;
}

void CHostContext::clearCalls()
{
    std::lock_guard lock(m_logMutex);
    m_calls.clear();
    m_dropped = 0;
}

std::size_t CHostContext::countCalls(VstInt32 opcode) const
{
    std::lock_guard lock(m_logMutex);
    return static_cast<std::size_t>(std::count_if(
        m_calls.begin(), m_calls.end(), [opcode](const SHostCall& call) { return call.opcode == opcode; }));
}

std::vector<float> CHostContext::automatedValues(VstInt32 index) const
{
    std::lock_guard lock(m_logMutex);
    std::vector<float> values;
    for (const SHostCall& call : m_calls)
    {
        if (call.opcode == audioMasterAutomate && call.index == index)
        {
            values.push_back(call.opt);
        }
    }
    return values;
}

} // namespace Vantor::VstHost
