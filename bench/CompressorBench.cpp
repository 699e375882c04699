// The compressor alone: one 16-sample stereo block per call, on the benchmark
// programme, at the comparison setting.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/BenchSettings.hpp"
#include "plugin/CompressorSC.hpp"
#include "tools/pressora/TestSignal.hpp"

using Vantor::Quellor::CCompressorSC;

namespace
{

void processBlock(benchmark::State& state)
{
    const Vantor::Pressora::CTestSignal signal(10.0);
    const std::size_t blocks = signal.frameCount() / CCompressorSC::kBlockSize;

    auto* compressor = new CCompressorSC;
    compressor->referenced();
    compressor->setSampleRate(44100.0f);
    Vantor::Bench::applyStandardSetting(*compressor);

    float left[CCompressorSC::kBlockSize], right[CCompressorSC::kBlockSize];
    std::size_t block = 0;
    for (auto _ : state)
    {
        const float* inLeft = signal.left().data() + block * CCompressorSC::kBlockSize;
        const float* inRight = signal.right().data() + block * CCompressorSC::kBlockSize;
        std::copy_n(inLeft, CCompressorSC::kBlockSize, left);
        std::copy_n(inRight, CCompressorSC::kBlockSize, right);
        compressor->processBlock(left, right, inLeft, inRight);
        benchmark::DoNotOptimize(left);
        benchmark::DoNotOptimize(right);
        block = (block + 1) % blocks;
    }
    compressor->dereference();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * CCompressorSC::kBlockSize);
    state.counters["time_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * CCompressorSC::kBlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(processBlock);
