// The whole audio path through the effect's processReplacing, at several call
// sizes, on the benchmark programme at the comparison setting.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/BenchSettings.hpp"
#include "plugin/Quellor.hpp"
#include "tools/pressora/TestSignal.hpp"

using Vantor::Quellor::CQuellor;

namespace
{

void processReplacing(benchmark::State& state)
{
    const auto callSize = static_cast<std::size_t>(state.range(0));
    const Vantor::Pressora::CTestSignal signal(10.0);
    const std::size_t calls = signal.frameCount() / callSize;

    // Without a host: every host call answers 0.
    auto* effect = new CQuellor(nullptr);
    Vantor::Bench::applyStandardSetting(*effect);
    effect->setSampleRate(44100.0f);
    effect->resume();

    std::vector<float> outLeft(callSize), outRight(callSize);
    float* outputs[2] = {outLeft.data(), outRight.data()};
    std::size_t call = 0;
    for (auto _ : state)
    {
        float* inputs[2] = {const_cast<float*>(signal.left().data()) + call * callSize,
                            const_cast<float*>(signal.right().data()) + call * callSize};
        effect->processReplacing(inputs, outputs, static_cast<Vantor::Vst::VstInt32>(callSize));
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
        call = (call + 1) % calls;
    }
    delete effect;
    const double frames = static_cast<double>(state.iterations()) * static_cast<double>(callSize);
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["time_per_frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(processReplacing)->Arg(1)->Arg(16)->Arg(64)->Arg(512)->Arg(4096);
