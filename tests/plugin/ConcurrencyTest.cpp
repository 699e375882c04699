// The threads a host runs at once on one effect: automation (parameters and
// program changes from the host's user-interface thread) and audio (processing
// and MIDI). Built on its own so that the thread-sanitizer stage builds only
// this; run there, a data race between the threads is a failure. Each thread is
// one role in the table below: a host's further threads (the editor's idle)
// join as one more role.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

#include "plugin/Module.hpp"

using namespace Vantor::Vst;

namespace
{

VstIntPtr VANTOR_VSTCALL concurrentHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

constexpr int kRounds = 400;

struct SRole
{
    const char* name;
    std::function<void(AEffect*)> run;
};

// Sets every parameter to a new value and selects each program in turn, as a
// host's automation lanes and program list do.
void automate(AEffect* effect)
{
    char text[kVstMaxProgNameLen];
    for (int round = 0; round < kRounds; ++round)
    {
        for (VstInt32 index = 0; index < effect->numParams; ++index)
        {
            effect->setParameter(effect, index, static_cast<float>((round * 7 + index * 3) % 11) / 10.0f);
            effect->getParameter(effect, index);
            effect->dispatcher(effect, effGetParamDisplay, index, 0, text, 0.0f);
        }
        if (round % 10 == 0)
        {
            effect->dispatcher(effect, effSetProgram, 0, (round / 10) % effect->numPrograms, nullptr, 0.0f);
        }
    }
}

VstMidiEvent controlChange(char controller, char value)
{
    return {kVstMidiType, sizeof(VstMidiEvent), 0, 0, 0, 0, {char(0xB0), controller, value, 0}, 0, 0, 0, 0};
}

// Processes blocks of a steady tone with a controller message now and then:
// the ones that write what automation writes too (a threshold, an attack time,
// the current program and its record).
void processAudio(AEffect* effect, std::atomic<bool>& finite)
{
    constexpr int kFrames = 64;
    std::vector<float> buffers(4 * kFrames);
    float* inputs[2] = {buffers.data(), buffers.data() + kFrames};
    float* outputs[2] = {buffers.data() + 2 * kFrames, buffers.data() + 3 * kFrames};
    VstMidiEvent controllers[] = {controlChange(71, 30), controlChange(72, 90), controlChange(3, 0)};
    VstEvents events[std::size(controllers)];
    for (std::size_t i = 0; i < std::size(controllers); ++i)
    {
        events[i] = {1, 0, {reinterpret_cast<VstEvent*>(&controllers[i]), nullptr}};
    }
    for (int round = 0; round < kRounds; ++round)
    {
        for (int i = 0; i < kFrames; ++i)
        {
            inputs[0][i] = inputs[1][i] = 0.5f * std::sin(0.05f * static_cast<float>(round * kFrames + i));
        }
        if (round % 25 == 0)
        {
            effect->dispatcher(effect, effProcessEvents, 0, 0, &events[(round / 25) % std::size(events)],
                               0.0f);
        }
        effect->processReplacing(effect, inputs, outputs, kFrames);
        for (int i = 0; i < kFrames; ++i)
        {
            if (!std::isfinite(outputs[0][i]) || !std::isfinite(outputs[1][i]))
            {
                finite = false;
            }
        }
    }
}

} // namespace

TEST(Concurrency, AutomationAndProgramChangesWhileAudioRuns)
{
    AEffect* effect = Vantor::Quellor::createEffect(concurrentHost);
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    std::atomic<bool> finite{true};
    const SRole roles[] = {
        {"automation", automate},
        {"audio", [&finite](AEffect* e) { processAudio(e, finite); }},
    };
    std::vector<std::thread> threads;
    for (const SRole& role : roles)
    {
        threads.emplace_back(role.run, effect);
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }

    EXPECT_TRUE(finite);
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}
