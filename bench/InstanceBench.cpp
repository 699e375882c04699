// What a new instance of the built plug-in costs its host: creating an effect
// through the library's entry point (the effect builds its editor, which takes
// its pictures, but opens no window: no X server is needed) and closing it
// again, with the library loaded once as a host keeps it. Also reports the heap
// bytes that each of ten live instances holds, which is where decoded pictures
// show: a session with dozens of instances pays this once per instance.
#include <benchmark/benchmark.h>

#include "tools/vsthost/PluginModule.hpp"

#include <malloc.h>

#include <array>
#include <memory>

using namespace Vantor::Vst;

namespace
{

VstIntPtr VANTOR_VSTCALL hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

AEffect* createInstance(VstPluginMainProc entry)
{
    AEffect* effect = entry(&hostCallback);
    if (effect != nullptr)
    {
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    }
    return effect;
}

void closeInstance(AEffect* effect)
{
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

void createAndCloseInstance(benchmark::State& state)
{
    const Vantor::VstHost::CPluginModule module(PRESSORALITE_PATH);
    const VstPluginMainProc entry = module.entryPoint();
    // The first instance pays whatever is made once per library.
    AEffect* first = createInstance(entry);
    if (first == nullptr)
    {
        state.SkipWithError("the entry point gave no effect");
        return;
    }

    for (auto _ : state)
    {
        AEffect* effect = createInstance(entry);
        benchmark::DoNotOptimize(effect);
        closeInstance(effect);
    }

    constexpr int kLiveInstances = 10;
    std::array<AEffect*, kLiveInstances> live{};
    const std::size_t before = mallinfo2().uordblks;
    for (AEffect*& effect : live)
    {
        effect = createInstance(entry);
    }
    const std::size_t after = mallinfo2().uordblks;
    for (AEffect* effect : live)
    {
        closeInstance(effect);
    }
    closeInstance(first);
    state.counters["heap_bytes_per_instance"] =
        static_cast<double>(after - before) / static_cast<double>(kLiveInstances);
}
BENCHMARK(createAndCloseInstance)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
