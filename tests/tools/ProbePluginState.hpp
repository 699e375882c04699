#pragma once
// The state of the probe plug-in (ProbePlugin.cpp), shared with the tests:
// AEffect::object points to it, so a test can see what the plug-in received.

#include "framework/vst/VstAbi.hpp"

namespace ProbePlugin
{

constexpr int kDelay = 4;      // samples of delay, reported as initialDelay
constexpr int kParameters = 3; // "Gain", "Drive", "Mix Level"
constexpr int kPrograms = 3;   // "Init", "Bright", "Dark"
constexpr int kMaxOpcode = 80;
constexpr float kHoldSample = 0.4375f; // PROBE_HOLD waits on calls that begin with it

struct SState
{
    Vantor::Vst::AEffect effect;
    Vantor::Vst::audioMasterCallback host = nullptr;
    float parameters[kParameters] = {0.5f, 0.25f, 1.0f};
    int program = 0;
    float sampleRate = 0.0f;
    Vantor::Vst::VstIntPtr blockSize = 0;
    bool resumed = false;
    int opcodeCounts[kMaxOpcode] = {};
    int midiEvents = 0;
    int lastMidiDelta = -1;
    unsigned char lastMidi[3] = {};
    double lastSamplePosition = -1.0; // read through audioMasterGetTime while processing
    Vantor::Vst::VstIntPtr lastProcessLevel = -1;
    long framesProcessed = 0;
    int maxFramesPerCall = 0;
    float delayLine[2][kDelay] = {};
    int delayPosition = 0;
    // What the last effEditOpen and effSetSpeakerArrangement carried, and the
    // channel counts read through the two arrangement pointers.
    void* editorWindow = nullptr;
    Vantor::Vst::VstIntPtr arrangementValue = 0;
    void* arrangementPtr = nullptr;
    int arrangementChannels[2] = {-1, -1};
};

inline SState& stateOf(Vantor::Vst::AEffect& effect)
{
    return *static_cast<SState*>(effect.object);
}

} // namespace ProbePlugin
