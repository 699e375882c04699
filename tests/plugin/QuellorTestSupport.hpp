#pragma once
// Helpers shared by the effect's tests: stereo signals, driving an effect in
// calls of chosen sizes, MIDI blocks, and a view that records what it is told.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

#include "framework/vst/VstAbi.hpp"
#include "plugin/ParameterView.hpp"
#include "tests/vst/EventBlock.hpp"

namespace QuellorTest
{

struct SStereo
{
    std::vector<float> left, right;
    std::size_t size() const { return left.size(); }
};

// Bursts of noise over a tone, with silences: every path of the compressor works.
inline SStereo programme(std::size_t frames, std::uint32_t seed = 1)
{
    SStereo signal{std::vector<float>(frames), std::vector<float>(frames)};
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / 44100.0;
        const float envelope =
            (i / 2205) % 4 == 3 ? 0.0f : static_cast<float>(0.05 + 0.9 * std::fabs(std::sin(3.0 * t)));
        signal.left[i] = envelope * (0.7f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 220.0 * t)) +
                                     0.3f * noise(random));
        signal.right[i] =
            envelope *
            (0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 330.0 * t)) + 0.5f * noise(random));
    }
    return signal;
}

inline SStereo impulse(std::size_t frames, std::size_t at = 0, float height = 0.5f)
{
    SStereo signal{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
    signal.left[at] = height;
    signal.right[at] = -height;
    return signal;
}

// Processes `input` through `process` in calls whose sizes `nextSize` picks.
using ProcessFunction = std::function<void(float**, float**, Vantor::Vst::VstInt32)>;
inline SStereo runInCalls(const SStereo& input, const ProcessFunction& process,
                          const std::function<std::size_t()>& nextSize)
{
    SStereo output{std::vector<float>(input.size()), std::vector<float>(input.size())};
    for (std::size_t done = 0; done < input.size();)
    {
        const std::size_t size = std::min(nextSize(), input.size() - done);
        float* inputs[2] = {const_cast<float*>(input.left.data() + done),
                            const_cast<float*>(input.right.data() + done)};
        float* outputs[2] = {output.left.data() + done, output.right.data() + done};
        process(inputs, outputs, static_cast<Vantor::Vst::VstInt32>(size));
        done += size;
    }
    return output;
}

// Processes `input` through anything with processReplacing (an effect, a loaded
// plug-in) in calls of `callSize` frames.
template <typename TProcessor>
SStereo process(TProcessor& processor, const SStereo& input, std::size_t callSize)
{
    return runInCalls(
        input,
        [&](float** in, float** out, Vantor::Vst::VstInt32 frames)
        { processor.processReplacing(in, out, frames); },
        [callSize] { return callSize; });
}

// A block of MIDI messages laid out as the host hands it over.
using CMidiBlock = Vantor::Vst::Testing::EventBlock;

// Records every notification; can pretend to be changing a parameter itself.
class CRecordingView : public Vantor::Quellor::IParameterView
{
public:
    struct SCall
    {
        long index;
        double value;
    };
    void parameterChanged(long index, double value) override { calls.push_back({index, value}); }
    bool isSettingParameter() const override { return settingParameter; }

    std::vector<SCall> calls;
    bool settingParameter = false;
};

} // namespace QuellorTest
