// The effect at scale: many instances on several threads, calls of any size and
// any sample rate a host may announce.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "plugin/Quellor.hpp"
#include "tests/ThreadBarrier.hpp"
#include "tests/plugin/QuellorTestSupport.hpp"

using namespace Vantor::Quellor;
using namespace QuellorTest;
using Vantor::Vst::VstInt32;

namespace
{

// An effect that compresses: program `program` with the threshold pulled down so
// that every setting really works on the signal.
std::unique_ptr<CQuellor> compressingEffect(int program, float sampleRate = 44100.0f)
{
    auto effect = std::make_unique<CQuellor>(nullptr);
    effect->setProgram(program % 13);
    effect->setParameter(1, 0.3f);
    effect->setSampleRate(sampleRate);
    effect->resume();
    return effect;
}

bool allFinite(const SStereo& signal)
{
    for (std::size_t i = 0; i < signal.size(); ++i)
    {
        if (!std::isfinite(signal.left[i]) || !std::isfinite(signal.right[i]))
        {
            return false;
        }
    }
    return true;
}

} // namespace

// 64 instances share one process and 4 threads; each instance is on one thread at
// a time but moves between threads from call to call. Each gives exactly what it
// gives alone.
TEST(Scale, SixtyFourInstancesOnFourThreadsMatchEachAlone)
{
    constexpr int kInstances = 64;
    constexpr int kThreads = 4;
    constexpr std::size_t kCall = 256;
    constexpr int kCalls = 24;
    std::vector<SStereo> inputs;
    std::vector<SStereo> outputs;
    std::vector<std::unique_ptr<CQuellor>> effects;
    for (int i = 0; i < kInstances; ++i)
    {
        inputs.push_back(programme(kCall * kCalls, static_cast<std::uint32_t>(i + 1)));
        outputs.push_back({std::vector<float>(kCall * kCalls), std::vector<float>(kCall * kCalls)});
        effects.push_back(compressingEffect(i));
    }

    Vantor::Testing::CThreadBarrier step(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [&, t]
            {
                for (int call = 0; call < kCalls; ++call)
                {
                    for (int i = 0; i < kInstances; ++i)
                    {
                        if ((i + call) % kThreads != t)
                        {
                            continue;
                        }
                        const std::size_t at = static_cast<std::size_t>(call) * kCall;
                        float* in[2] = {inputs[i].left.data() + at, inputs[i].right.data() + at};
                        float* out[2] = {outputs[i].left.data() + at, outputs[i].right.data() + at};
                        effects[i]->processReplacing(in, out, static_cast<VstInt32>(kCall));
                    }
                    step.arriveAndWait(); // the next call of an instance runs on another thread
                }
            });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }

    for (int i = 0; i < kInstances; ++i)
    {
        const SStereo alone = process(*compressingEffect(i), inputs[i], kCall);
        ASSERT_EQ(outputs[i].left, alone.left) << "instance " << i;
        ASSERT_EQ(outputs[i].right, alone.right) << "instance " << i;
    }
}

// Calls of 0 to 4096 frames in random order (both ends included) give the same
// samples as calls of 512.
TEST(Scale, CallsOfAnySizeMatchCallsOf512)
{
    std::mt19937 random(2024);
    std::vector<std::size_t> sizes = {0, 4096, 1, 0, 15, 16, 17};
    std::uniform_int_distribution<std::size_t> size(0, 4096);
    for (int i = 0; i < 40; ++i)
    {
        sizes.push_back(size(random));
    }
    std::size_t total = 0;
    for (std::size_t s : sizes)
    {
        total += s;
    }
    const SStereo input = programme(total, 9);

    for (int program : {1, 5, 12})
    {
        const SStereo reference = process(*compressingEffect(program), input, 512);
        auto effect = compressingEffect(program);
        std::size_t next = 0;
        const SStereo output = runInCalls(
            input,
            [&effect](float** in, float** out, VstInt32 frames)
            { effect->processReplacing(in, out, frames); },
            [&] { return sizes[next++ % sizes.size()]; });
        ASSERT_EQ(output.left, reference.left) << "program " << program;
        ASSERT_EQ(output.right, reference.right) << "program " << program;
    }
}

// Every rate a host may announce gives finite output; the rates the effect cannot
// work at fall back to 44100 Hz and sound exactly like it.
TEST(Scale, AnySampleRateGivesFiniteOutputAndUnusableOnesFallBack)
{
    const SStereo input = programme(8192, 3);
    const SStereo at44100 = process(*compressingEffect(7, 44100.0f), input, 333);
    const float unusable[] = {1.0f, 100.0f, 11025.0f, 0.0f, -1.0f, -44100.0f, NAN, -INFINITY, INFINITY};
    const float usable[] = {11026.0f, 22050.0f, 48000.0f, 96000.0f, 192000.0f, 384000.0f};
    std::vector<std::pair<float, bool>> cases;
    for (float rate : unusable)
    {
        cases.emplace_back(rate, true);
    }
    for (float rate : usable)
    {
        cases.emplace_back(rate, false);
    }
    for (const auto& [rate, fallsBack] : cases)
    {
        auto effect = compressingEffect(7, rate);
        const SStereo output = process(*effect, input, 333);
        EXPECT_TRUE(allFinite(output)) << rate;
        if (fallsBack)
        {
            EXPECT_EQ(effect->getWorkingSampleRate(), 44100.0f) << rate;
            EXPECT_EQ(output.left, at44100.left) << rate;
        }
        else
        {
            EXPECT_EQ(effect->getWorkingSampleRate(), rate);
        }
    }
}
