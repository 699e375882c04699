#include "tools/vsthost/VstPlugin.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace Vantor::VstHost
{

using namespace Vantor::Vst;

namespace
{

// Room for any text a plug-in writes, however far it exceeds the promised limits.
constexpr std::size_t kTextBuffer = 512;

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
    {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back()))
    {
        text.remove_suffix(1);
    }
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    a = trimmed(a);
    b = trimmed(b);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) {
                                                  return std::tolower(static_cast<unsigned char>(x)) ==
                                                         std::tolower(static_cast<unsigned char>(y));
                                              });
}

// Runs one call into the plug-in; whatever it throws becomes a CHostError.
// what names the call; opcode, when not negative, is added to it.
template <typename TCall>
auto guarded(const std::filesystem::path& path, const char* what, TCall&& call, VstInt32 opcode = -1)
    -> decltype(call())
{
    const auto failure = [&](const char* reason)
    {
        std::string text = "plug-in '" + path.filename().string() + "' threw during " + what;
        if (opcode >= 0)
        {
            text += " " + std::to_string(opcode);
        }
        if (reason != nullptr)
        {
            text += std::string(": ") + reason;
        }
        return CHostError(text);
    };
    try
    {
        return call();
    }
    catch (const std::exception& error)
    {
        throw failure(error.what());
    }
    catch (...)
    {
        throw failure(nullptr);
    }
}

} // namespace

std::string fourCharText(VstInt32 code)
{
    std::string text(4, '.');
    const auto bits = static_cast<std::uint32_t>(code);
    for (int i = 0; i < 4; ++i)
    {
        const auto c = static_cast<unsigned char>(bits >> (24 - 8 * i));
        if (c >= 0x20 && c < 0x7F)
        {
            text[static_cast<std::size_t>(i)] = static_cast<char>(c);
        }
    }
    return text;
}

std::unique_ptr<CVstPlugin> CVstPlugin::load(const std::filesystem::path& path, SHostSettings settings)
{
    std::unique_ptr<CVstPlugin> plugin(new CVstPlugin());
    plugin->m_host = std::make_unique<CHostContext>(std::move(settings));
    const std::string name = path.string();
    AEffect* effect = nullptr;
    {
        // Static constructors and the entry point may already call the host.
        CHostContext::CLoadingScope loading(*plugin->m_host);
        plugin->m_module = std::make_unique<CPluginModule>(path);
        plugin->m_path = plugin->m_module->path();
        plugin->m_host->setDirectory(plugin->m_path.parent_path().string());
        const VstPluginMainProc entry = plugin->m_module->entryPoint();
        plugin->m_entryPointName = plugin->m_module->entryPointName();
        effect =
            guarded(path, plugin->m_entryPointName.c_str(), [&] { return entry(&CHostContext::callback); });
    }
    if (effect == nullptr)
    {
        throw CHostError("plug-in '" + name + "' returned no effect from " + plugin->m_entryPointName +
                         " (it refused to start)");
    }
    if (effect->magic != kEffectMagic)
    {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(effect->magic));
        throw CHostError("plug-in '" + name + "' returned a record with magic " + hex +
                         " instead of 'VstP': not a VST 2.x effect");
    }
    if (effect->dispatcher == nullptr)
    {
        throw CHostError("plug-in '" + name + "' returned a record without a dispatcher");
    }
    plugin->m_effect = effect;
    plugin->checkChannelCounts();
    plugin->m_host->attach(effect);
    plugin->dispatch(effOpen);
    return plugin;
}

CVstPlugin::~CVstPlugin()
{
    try
    {
        close();
    }
    catch (...)
    {
        // A destructor cannot report; the module is unloaded regardless.
    }
}

void CVstPlugin::failCall(const char* what) const
{
    throw CHostError(std::string(what) + ": the plug-in is closed");
}

VstIntPtr CVstPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (m_effect == nullptr)
    {
        failCall("dispatcher");
    }
    return guarded(
        path(), "dispatcher opcode",
        [&] { return m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt); }, opcode);
}

void CVstPlugin::setSampleRate(float rate)
{
    m_host->setSampleRate(rate);
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}

void CVstPlugin::setBlockSize(VstInt32 frames)
{
    if (frames < 1)
    {
        throw CHostError("block size must be at least 1 frame, not " + std::to_string(frames));
    }
    const bool wasResumed = m_resumed;
    if (wasResumed)
    {
        suspend();
    }
    m_host->setBlockSize(frames);
    dispatch(effSetBlockSize, 0, frames);
    if (wasResumed)
    {
        resume();
    }
}

void CVstPlugin::checkChannelCounts() const
{
    if (m_effect->numInputs < 0 || m_effect->numInputs > kMaxChannels || m_effect->numOutputs < 0 ||
        m_effect->numOutputs > kMaxChannels)
    {
        throw CHostError("plug-in '" + m_path.string() + "' declares " + std::to_string(m_effect->numInputs) +
                         " inputs and " + std::to_string(m_effect->numOutputs) +
                         " outputs: not a usable effect");
    }
}

void CVstPlugin::makeBuffers()
{
    checkChannelCounts();
    m_bufferedInputs = m_effect->numInputs;
    m_bufferedOutputs = m_effect->numOutputs;
    const auto block = static_cast<std::size_t>(blockSize());
    const auto inputs = static_cast<std::size_t>(m_effect->numInputs);
    const auto outputs = static_cast<std::size_t>(m_effect->numOutputs);
    m_inputStore.assign(block * std::max<std::size_t>(inputs, 1), 0.0f);
    m_outputStore.assign(block * std::max<std::size_t>(outputs, 1), 0.0f);
    m_inputs.resize(std::max<std::size_t>(inputs, 1));
    m_outputs.resize(std::max<std::size_t>(outputs, 1));
    for (std::size_t c = 0; c < m_inputs.size(); ++c)
    {
        m_inputs[c] = m_inputStore.data() + c * block;
    }
    for (std::size_t c = 0; c < m_outputs.size(); ++c)
    {
        m_outputs[c] = m_outputStore.data() + c * block;
    }
}

void CVstPlugin::resume()
{
    if (m_resumed)
    {
        return;
    }
    makeBuffers();
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    m_resumed = true;
}

void CVstPlugin::suspend()
{
    if (!m_resumed)
    {
        return;
    }
    m_resumed = false;
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
}

void CVstPlugin::processReplacing(float** inputs, float** outputs, VstInt32 frames)
{
    if (m_effect == nullptr)
    {
        failCall("processReplacing");
    }
    if (m_effect->processReplacing == nullptr)
    {
        throw CHostError("plug-in '" + path().filename().string() + "' has no processReplacing");
    }
    if (frames < 0 || frames > blockSize())
    {
        throw CHostError("processReplacing with " + std::to_string(frames) +
                         " frames, above the block size " + std::to_string(blockSize()));
    }
    m_host->setSamplePosition(m_samplePosition);
    {
        CHostContext::CProcessScope processing;
        guarded(path(), "processReplacing",
                [&] { m_effect->processReplacing(m_effect, inputs, outputs, frames); });
    }
    m_samplePosition += frames;
}

void CVstPlugin::processStereo(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                               std::size_t frames)
{
    if (m_effect == nullptr)
    {
        failCall("processStereo");
    }
    resume();
    if (m_effect->numInputs != m_bufferedInputs || m_effect->numOutputs != m_bufferedOutputs)
    {
        makeBuffers();
    }
    const auto block = static_cast<std::size_t>(blockSize());
    const auto inputs = static_cast<std::size_t>(m_bufferedInputs);
    const auto outputs = static_cast<std::size_t>(m_bufferedOutputs);
    for (std::size_t start = 0; start < frames; start += block)
    {
        const std::size_t count = std::min(block, frames - start);
        // Copy in first: the plug-in gets buffers of its own, so callers may process in place.
        for (std::size_t c = 0; c < inputs; ++c)
        {
            const float* source = c == 0 ? inLeft : c == 1 ? inRight : nullptr;
            if (source != nullptr)
            {
                std::memcpy(m_inputs[c], source + start, count * sizeof(float));
            }
            else
            {
                std::fill_n(m_inputs[c], count, 0.0f);
            }
        }
        processReplacing(m_inputs.data(), m_outputs.data(), static_cast<VstInt32>(count));
        if (outputs >= 1)
        {
            std::memcpy(outLeft + start, m_outputs[0], count * sizeof(float));
            std::memcpy(outRight + start, m_outputs[outputs >= 2 ? 1 : 0], count * sizeof(float));
        }
        else
        {
            std::fill_n(outLeft + start, count, 0.0f);
            std::fill_n(outRight + start, count, 0.0f);
        }
    }
}

void CVstPlugin::sendMidi(std::span<const SMidiMessage> messages)
{
    m_midiEvents.assign(messages.size(), VstMidiEvent{});
    // VstEvents is declared with two event pointers but carries numEvents of them.
    const std::size_t pointers = std::max<std::size_t>(messages.size(), 2);
    // NOLINTNEXTLINE(bugprone-sizeof-expression): the block's tail holds event pointers.
    m_eventBlock.assign(sizeof(VstEvents) + (pointers - 2) * sizeof(VstEvent*), 0);
    auto* block = reinterpret_cast<VstEvents*>(m_eventBlock.data());
    block->numEvents = static_cast<VstInt32>(messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i)
    {
        VstMidiEvent& event = m_midiEvents[i];
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = messages[i].deltaFrames;
        event.midiData[0] = static_cast<char>(messages[i].status);
        event.midiData[1] = static_cast<char>(messages[i].data1);
        event.midiData[2] = static_cast<char>(messages[i].data2);
        block->events[i] = reinterpret_cast<VstEvent*>(&event);
    }
    dispatch(effProcessEvents, 0, 0, block);
}

void CVstPlugin::requireParameter(int index) const
{
    if (m_effect == nullptr)
    {
        failCall("parameter access");
    }
    if (index < 0 || index >= m_effect->numParams)
    {
        throw CHostError("parameter index " + std::to_string(index) + " out of range (the plug-in has " +
                         std::to_string(m_effect->numParams) + ")");
    }
}

float CVstPlugin::parameter(int index)
{
    requireParameter(index);
    if (m_effect->getParameter == nullptr)
    {
        return 0.0f;
    }
    return guarded(path(), "getParameter", [&] { return m_effect->getParameter(m_effect, index); });
}

void CVstPlugin::setParameter(int index, float value)
{
    requireParameter(index);
    if (m_effect->setParameter != nullptr)
    {
        guarded(path(), "setParameter", [&] { m_effect->setParameter(m_effect, index, value); });
    }
}

std::string CVstPlugin::readString(VstInt32 opcode, VstInt32 index)
{
    char buffer[kTextBuffer] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextBuffer - 1] = '\0';
    return buffer;
}

std::string CVstPlugin::parameterName(int index)
{
    requireParameter(index);
    return readString(effGetParamName, index);
}

std::string CVstPlugin::parameterLabel(int index)
{
    requireParameter(index);
    return readString(effGetParamLabel, index);
}

std::string CVstPlugin::parameterDisplay(int index)
{
    requireParameter(index);
    return readString(effGetParamDisplay, index);
}

std::optional<int> CVstPlugin::findParameter(std::string_view name)
{
    for (int i = 0; i < parameterCount(); ++i)
    {
        if (sameName(parameterName(i), name))
        {
            return i;
        }
    }
    return std::nullopt;
}

int CVstPlugin::program()
{
    return static_cast<int>(dispatch(effGetProgram));
}

void CVstPlugin::setProgram(int index)
{
    if (index < 0 || index >= programCount())
    {
        throw CHostError("program " + std::to_string(index) + " out of range (the plug-in has " +
                         std::to_string(programCount()) + ")");
    }
    dispatch(effSetProgram, 0, index);
}

std::string CVstPlugin::programName()
{
    return readString(effGetProgramName);
}

std::string CVstPlugin::programNameAt(int index)
{
    if (index < 0 || index >= programCount())
    {
        return {};
    }
    char buffer[kTextBuffer] = {};
    if (dispatch(effGetProgramNameIndexed, index, -1, buffer) != 0)
    {
        buffer[kTextBuffer - 1] = '\0';
        return buffer;
    }
    const int current = program();
    if (current == index)
    {
        return programName();
    }
    dispatch(effSetProgram, 0, index);
    std::string name = programName();
    dispatch(effSetProgram, 0, current);
    return name;
}

std::optional<int> CVstPlugin::findProgram(std::string_view name)
{
    for (int i = 0; i < programCount(); ++i)
    {
        if (sameName(programNameAt(i), name))
        {
            return i;
        }
    }
    return std::nullopt;
}

std::string CVstPlugin::effectName()
{
    return readString(effGetEffectName);
}

std::string CVstPlugin::vendorString()
{
    return readString(effGetVendorString);
}

std::string CVstPlugin::productString()
{
    return readString(effGetProductString);
}

VstIntPtr CVstPlugin::vendorVersion()
{
    return dispatch(effGetVendorVersion);
}

VstIntPtr CVstPlugin::vstVersion()
{
    return dispatch(effGetVstVersion);
}

VstIntPtr CVstPlugin::category()
{
    return dispatch(effGetPlugCategory);
}

int CVstPlugin::canDo(const std::string& capability)
{
    std::string text = capability; // the dispatcher takes a non-const pointer
    const auto answer = static_cast<std::int32_t>(dispatch(effCanDo, 0, 0, text.data()));
    return answer > 0 ? 1 : answer < 0 ? -1 : 0;
}

std::optional<VstPinProperties> CVstPlugin::pinProperties(VstInt32 opcode, int pin)
{
    VstPinProperties properties{};
    if (dispatch(opcode, pin, 0, &properties) == 0)
    {
        return std::nullopt;
    }
    // Texts the plug-in left unterminated end at their field.
    properties.label[kVstMaxLabelLen - 1] = '\0';
    properties.shortLabel[kVstMaxShortLabelLen - 1] = '\0';
    return properties;
}

std::optional<VstPinProperties> CVstPlugin::inputProperties(int pin)
{
    return pinProperties(effGetInputProperties, pin);
}

std::optional<VstPinProperties> CVstPlugin::outputProperties(int pin)
{
    return pinProperties(effGetOutputProperties, pin);
}

void CVstPlugin::close()
{
    if (m_effect != nullptr)
    {
        AEffect* effect = m_effect;
        try
        {
            suspend();
        }
        catch (...)
        {
            // Close anyway.
        }
        m_effect = nullptr;
        m_resumed = false;
        try
        {
            guarded(path(), "effClose",
                    [&] { return effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f); });
        }
        catch (...)
        {
            m_host->detach();
            m_module.reset();
            throw;
        }
        m_host->detach();
    }
    m_module.reset();
}

} // namespace Vantor::VstHost
