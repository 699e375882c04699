// A tiny VST 2.4 plug-in written on the binary interface alone, for testing the
// host library: stereo delay of kDelay samples, three parameters, three
// programs, MIDI counting. Compile definitions make the faulty variants:
//   PROBE_MAIN_ONLY      export only "main" and do not answer indexed program names
//   PROBE_BAD_MAGIC      hand out a record with a wrong magic
//   PROBE_REFUSE         return no effect
//   PROBE_THROW          throw from the entry point
//   PROBE_NO_ENTRY       export no entry point at all
//   PROBE_HOLD           wait in processReplacing, while the file named by the
//                        environment variable VSTHOST_PROBE_HOLD exists, whenever
//                        a call's first left sample is kHoldSample

#include "tests/tools/ProbePluginState.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

using namespace Vantor::Vst;
using ProbePlugin::SState;

namespace
{

const char* const kParameterNames[ProbePlugin::kParameters] = {"Gain", "Drive", "Mix Level"};
const char* const kParameterLabels[ProbePlugin::kParameters] = {"dB", "", "%"};
const char* const kProgramNames[ProbePlugin::kPrograms] = {"Init", "Bright", "Dark"};

// Writes at most limit characters and the NUL, as the interface promises.
void copyText(void* ptr, const char* text, std::size_t limit)
{
    auto* out = static_cast<char*>(ptr);
    const std::size_t length = std::min(std::strlen(text), limit);
    std::memcpy(out, text, length);
    out[length] = '\0';
}

VstIntPtr VANTOR_VSTCALL dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                    void* ptr, float opt)
{
    SState& state = ProbePlugin::stateOf(*effect);
    if (opcode >= 0 && opcode < ProbePlugin::kMaxOpcode)
    {
        ++state.opcodeCounts[opcode];
    }
    const bool validParameter = index >= 0 && index < ProbePlugin::kParameters;
    switch (opcode)
    {
    case effClose:
        delete &state;
        return 1;
    case effSetProgram:
        if (value >= 0 && value < ProbePlugin::kPrograms)
        {
            state.program = static_cast<int>(value);
        }
        return 0;
    case effGetProgram:
        return state.program;
    case effGetProgramName:
        copyText(ptr, kProgramNames[state.program], kVstMaxProgNameLen);
        return 0;
    case effGetParamName:
        copyText(ptr, validParameter ? kParameterNames[index] : "", kVstMaxParamStrLen);
        return 0;
    case effGetParamLabel:
        copyText(ptr, validParameter ? kParameterLabels[index] : "", kVstMaxParamStrLen);
        return 0;
    case effGetParamDisplay:
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", validParameter ? state.parameters[index] : 0.0f);
        copyText(ptr, text, kVstMaxParamStrLen);
        return 0;
    }
    case effSetSampleRate:
        state.sampleRate = opt;
        return 0;
    case effSetBlockSize:
        state.blockSize = value;
        return 0;
    case effMainsChanged:
        state.resumed = value != 0;
        if (state.resumed)
        {
            // A resumed effect starts afresh, as a host expects of a new piece.
            std::memset(state.delayLine, 0, sizeof state.delayLine);
            state.delayPosition = 0;
        }
        return 0;
    case effProcessEvents:
    {
        const auto* events = static_cast<const VstEvents*>(ptr);
        for (VstInt32 i = 0; i < events->numEvents; ++i)
        {
            const VstEvent* event = events->events[i];
            if (event->type != kVstMidiType)
            {
                continue;
            }
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
            ++state.midiEvents;
            state.lastMidiDelta = midi->deltaFrames;
            std::memcpy(state.lastMidi, midi->midiData, sizeof state.lastMidi);
        }
        return 1;
    }
#ifndef PROBE_MAIN_ONLY
    case effGetProgramNameIndexed:
        if (index < 0 || index >= ProbePlugin::kPrograms)
        {
            return 0;
        }
        copyText(ptr, kProgramNames[index], kVstMaxProgNameLen);
        return 1;
#endif
    case effGetOutputProperties:
    {
        if (index < 0 || index > 1)
        {
            return 0;
        }
        auto* pin = static_cast<VstPinProperties*>(ptr);
        copyText(pin->label, index == 0 ? "Probe Left" : "Probe Right", kVstMaxLabelLen);
        copyText(pin->shortLabel, index == 0 ? "PrL" : "PrR", kVstMaxShortLabelLen - 1);
        pin->flags = kVstPinIsActive | (index == 0 ? kVstPinIsStereo : 0);
        return 1;
    }
    case effEditOpen:
        state.editorWindow = ptr; // a handle: never read through
        return 1;
    case effSetSpeakerArrangement:
    {
        // The input arrangement comes through value, the output one through ptr.
        state.arrangementValue = value;
        state.arrangementPtr = ptr;
        state.arrangementChannels[0] = reinterpret_cast<const VstSpeakerArrangement*>(value)->numChannels;
        state.arrangementChannels[1] = static_cast<const VstSpeakerArrangement*>(ptr)->numChannels;
        return 1;
    }
    case effGetPlugCategory:
        return kPlugCategEffect;
    case effGetEffectName:
        copyText(ptr, "Probe Delay", kVstMaxEffectNameLen);
        return 1;
    case effGetVendorString:
        copyText(ptr, "Vantor Tests", kVstMaxVendorStrLen);
        return 1;
    case effCanDo:
    {
        const std::string text = static_cast<const char*>(ptr);
        // An int32 -1 that reached the host zero-extended instead of sign-extended.
        if (text == "quirkyNo")
        {
            return static_cast<VstIntPtr>(0xFFFFFFFFu);
        }
        return text == "receiveVstMidiEvent" ? 1 : text == "bypass" ? -1 : 0;
    }
    case effGetVstVersion:
        return kVstVersion;
    case effVendorSpecific:
        throw std::runtime_error("vendor call refused"); // a misbehaving plug-in
    default:
        return 0;
    }
}

void VANTOR_VSTCALL processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames)
{
    SState& state = ProbePlugin::stateOf(*effect);
#ifdef PROBE_HOLD
    const char* hold = std::getenv("VSTHOST_PROBE_HOLD");
    if (hold != nullptr && frames > 0 && inputs[0][0] == ProbePlugin::kHoldSample)
    {
        while (std::filesystem::exists(hold))
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
#endif
    if (const auto* time =
            reinterpret_cast<const VstTimeInfo*>(state.host(effect, audioMasterGetTime, 0, 0, nullptr, 0.0f)))
    {
        state.lastSamplePosition = time->samplePos;
    }
    state.lastProcessLevel = state.host(effect, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f);
    int position = state.delayPosition;
    // The channel counts are read from the record each call: a test may change them.
    const int channels = effect->numOutputs < 2 ? effect->numOutputs : 2;
    for (int c = 0; c < channels; ++c)
    {
        position = state.delayPosition;
        for (VstInt32 i = 0; i < frames; ++i)
        {
            const float in = c < effect->numInputs ? inputs[c][i] : 0.0f;
            outputs[c][i] = state.delayLine[c][position];
            state.delayLine[c][position] = in;
            position = (position + 1) % ProbePlugin::kDelay;
        }
    }
    state.delayPosition = position;
    state.framesProcessed += frames;
    state.maxFramesPerCall = frames > state.maxFramesPerCall ? frames : state.maxFramesPerCall;
}

void VANTOR_VSTCALL setParameter(AEffect* effect, VstInt32 index, float value)
{
    if (index >= 0 && index < ProbePlugin::kParameters)
    {
        ProbePlugin::stateOf(*effect).parameters[index] = value;
    }
}

float VANTOR_VSTCALL getParameter(AEffect* effect, VstInt32 index)
{
    return index >= 0 && index < ProbePlugin::kParameters ? ProbePlugin::stateOf(*effect).parameters[index]
                                                          : 0.0f;
}

AEffect* createEffect(audioMasterCallback host)
{
#ifdef PROBE_THROW
    throw std::runtime_error("probe refuses to start");
#endif
    if (host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
    {
        return nullptr;
    }
#ifdef PROBE_REFUSE
    return nullptr;
#endif
#ifdef PROBE_BAD_MAGIC
    // The host cannot close a record it rejects, so this one is not on the heap.
    static SState rejected;
    SState* state = &rejected;
#else
    auto* state = new SState();
#endif
    AEffect& effect = state->effect;
    std::memset(&effect, 0, sizeof effect);
    effect.magic = kEffectMagic;
#ifdef PROBE_BAD_MAGIC
    effect.magic = fourCharCode("Nope");
#endif
    effect.dispatcher = dispatcher;
    effect.setParameter = setParameter;
    effect.getParameter = getParameter;
    effect.processReplacing = processReplacing;
    effect.numPrograms = ProbePlugin::kPrograms;
    effect.numParams = ProbePlugin::kParameters;
    effect.numInputs = 2;
    effect.numOutputs = 2;
    effect.flags = effFlagsCanReplacing;
    effect.initialDelay = ProbePlugin::kDelay;
    effect.ioRatio = 1.0f;
    effect.object = state;
    effect.uniqueID = fourCharCode("Prb1");
    effect.version = 1001;
    state->host = host;
    // Asked before the host has seen the record, as many plug-ins do.
    char capability[] = "sendVstTimeInfo";
    host(&effect, audioMasterCanDo, 0, 0, capability, 0.0f);
    return &effect;
}

} // namespace

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

#if !defined(PROBE_NO_ENTRY)
#if !defined(PROBE_MAIN_ONLY)
PROBE_EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
    return createEffect(host);
}
#endif
// The historic entry name; a C++ function cannot be called main, so it gets the symbol name instead.
PROBE_EXPORT AEffect* probeLegacyMain(audioMasterCallback host) __asm__("main");
PROBE_EXPORT AEffect* probeLegacyMain(audioMasterCallback host)
{
    return createEffect(host);
}
#else
// An exported function under a name no host looks for.
PROBE_EXPORT AEffect* createProbe(audioMasterCallback host)
{
    return createEffect(host);
}
#endif
