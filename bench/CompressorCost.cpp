// The effect's cost without a host and without Google Benchmark, so that it
// builds for every target, the 32-bit one included:
//   compressor_cost [SECONDS]
// Prints, at the comparison setting in 512-frame calls over the benchmark
// programme: the processor time (not wall time: the machine may be busy) per
// stereo frame of processReplacing (best of several
// passes) and of the compressor's processBlock alone; the time to create and
// destroy an instance; the memory an instance takes (its own size and every
// allocation its construction makes). Under
//   valgrind --tool=callgrind --instr-atstart=no compressor_cost
// only the processing passes are counted; the program prints the number of
// frames they processed, so instructions per frame follow.
#include "bench/Callgrind.hpp"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <vector>

#include "bench/BenchSettings.hpp"
#include "plugin/Quellor.hpp"
#include "tools/pressora/TestSignal.hpp"

namespace
{
std::atomic<long long> g_allocatedBytes{0};
std::atomic<long long> g_allocations{0};

void* countedAllocation(std::size_t size)
{
    g_allocatedBytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
    {
        return block;
    }
    throw std::bad_alloc();
}
} // namespace

// Every allocation of the program is counted; the array forms call these.
void* operator new(std::size_t size)
{
    return countedAllocation(size);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

using Vantor::Quellor::CCompressorSC;
using Vantor::Quellor::CQuellor;

namespace
{

constexpr int kCallSize = 512;
constexpr int kPasses = 5;

// Processor time of this process, in nanoseconds.
struct Clock
{
    using time_point = std::clock_t;
    static time_point now() { return std::clock(); }
};

double nanosecondsSince(Clock::time_point start)
{
    return static_cast<double>(Clock::now() - start) * 1e9 / CLOCKS_PER_SEC;
}

void prepareStandard(CQuellor& effect)
{
    Vantor::Bench::applyStandardSetting(effect);
    effect.setSampleRate(44100.0f);
    effect.resume();
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const Vantor::Pressora::CTestSignal signal(seconds > 0.0 ? seconds : 10.0);
    std::vector<float> left(signal.left()), right(signal.right());
    const std::size_t calls = left.size() / kCallSize;
    const double frames = static_cast<double>(calls) * kCallSize;

    // processReplacing, best of several passes over the programme.
    auto* effect = new CQuellor(nullptr);
    prepareStandard(*effect);
    std::vector<float> outLeft(kCallSize), outRight(kCallSize);
    float* outputs[2] = {outLeft.data(), outRight.data()};
    double best = 1e300;
    CALLGRIND_START_INSTRUMENTATION;
    for (int pass = 0; pass < kPasses; ++pass)
    {
        const auto start = Clock::now();
        for (std::size_t call = 0; call < calls; ++call)
        {
            float* inputs[2] = {left.data() + call * kCallSize, right.data() + call * kCallSize};
            effect->processReplacing(inputs, outputs, kCallSize);
        }
        best = std::min(best, nanosecondsSince(start) / frames);
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    delete effect;
    std::printf("processReplacing, %d-frame calls: %.2f ns per stereo frame (%.0f frames counted)\n",
                kCallSize, best, frames * kPasses);

    // The compressor alone, block after block.
    auto* compressor = new CCompressorSC;
    compressor->referenced();
    Vantor::Bench::applyStandardSetting(*compressor);
    const std::size_t blocks = left.size() / CCompressorSC::kBlockSize;
    std::vector<float> wetLeft(left), wetRight(right);
    double bestBlock = 1e300;
    for (int pass = 0; pass < kPasses; ++pass)
    {
        const auto start = Clock::now();
        for (std::size_t block = 0; block < blocks; ++block)
        {
            const std::size_t at = block * CCompressorSC::kBlockSize;
            compressor->processBlock(wetLeft.data() + at, wetRight.data() + at, left.data() + at,
                                     right.data() + at);
        }
        bestBlock = std::min(bestBlock, nanosecondsSince(start) /
                                            static_cast<double>(blocks * CCompressorSC::kBlockSize));
    }
    compressor->dereference();
    std::printf("processBlock alone: %.2f ns per stereo frame\n", bestBlock);

    // Creating an instance: time, and what it takes from the heap.
    constexpr int kInstances = 200;
    const long long bytesBefore = g_allocatedBytes.load(), allocationsBefore = g_allocations.load();
    auto* measured = new CQuellor(nullptr);
    const long long bytes = g_allocatedBytes.load() - bytesBefore;
    const long long allocations = g_allocations.load() - allocationsBefore;
    delete measured;
    const auto start = Clock::now();
    for (int i = 0; i < kInstances; ++i)
    {
        delete new CQuellor(nullptr);
    }
    std::printf("instance: %.1f us to create and destroy; %lld bytes in %lld allocations (the object itself "
                "%zu of them)\n",
                nanosecondsSince(start) / kInstances / 1000.0, bytes, allocations, sizeof(CQuellor));
    return 0;
}
