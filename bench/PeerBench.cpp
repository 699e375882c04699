// Time per stereo frame of several VST 2.4 plug-ins (and the LV2 edition's, where
// PLUGIN is a bundle folder ending in .lv2) side by side in one Google Benchmark
// run, each driven in calls of 512 frames over the benchmark programme:
//   peer_bench [--benchmark_...] 'NAME|PLUGIN|[--program=N] [--standard] [--input-db=DB] [PARAM=VALUE
//   ...]' ...
// (the settings as bench/PluginSettings.hpp reads them)
// One benchmark per argument, named after NAME; plug-ins that fail to load are
// reported and skipped.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(VANTOR_BENCH_LV2)
#include "bench/Lv2Runner.hpp"
#endif
#include "bench/PluginSettings.hpp"
#include "tools/pressora/TestSignal.hpp"
#include "tools/vsthost/VstPlugin.hpp"

using Vantor::VstHost::CVstPlugin;

namespace
{

constexpr int kCallSize = 512;
constexpr double kSeconds = 10.0;

struct SPeer
{
    std::string name;
    std::unique_ptr<CVstPlugin> plugin;
#if defined(VANTOR_BENCH_LV2)
    std::unique_ptr<Vantor::Bench::CLv2Runner> lv2;
#endif
    std::vector<float> left, right, outLeft, outRight;
};

std::unique_ptr<SPeer> makePeer(const std::string& description)
{
    std::istringstream fields(description);
    std::string name, path, settings;
    std::getline(fields, name, '|');
    std::getline(fields, path, '|');
    std::getline(fields, settings);

    auto peer = std::make_unique<SPeer>();
    peer->name = name;
    std::vector<std::string> words;
    std::istringstream wordStream(settings);
    for (std::string word; wordStream >> word;)
    {
        words.push_back(word);
    }
    const Vantor::Bench::SPluginSettings options = Vantor::Bench::parsePluginSettings(words);
    Vantor::Bench::SProgramme programme = Vantor::Bench::makeProgramme(kSeconds, options.inputDb);
    peer->left = std::move(programme.left);
    peer->right = std::move(programme.right);
    peer->outLeft.resize(kCallSize);
    peer->outRight.resize(kCallSize);
#if defined(VANTOR_BENCH_LV2)
    if (Vantor::Bench::isLv2Bundle(path))
    {
        peer->lv2 = std::make_unique<Vantor::Bench::CLv2Runner>(path, options, 44100.0);
        return peer;
    }
#endif

    Vantor::VstHost::SHostSettings host;
    host.blockSize = kCallSize;
    host.logCalls = false;
    peer->plugin = CVstPlugin::load(path, host);
    CVstPlugin& plugin = *peer->plugin;
    plugin.setSampleRate(44100.0f);
    plugin.setBlockSize(kCallSize);
    Vantor::Bench::applyPluginSettings(plugin, options);
    plugin.resume();
    return peer;
}

void countFrames(benchmark::State& state)
{
    const double frames = static_cast<double>(state.iterations()) * kCallSize;
    state.counters["time_per_frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void processCalls(benchmark::State& state, SPeer* peer)
{
    const std::size_t calls = peer->left.size() / kCallSize;
#if defined(VANTOR_BENCH_LV2)
    if (peer->lv2)
    {
        std::size_t call = 0;
        for (auto _ : state)
        {
            peer->lv2->process(peer->left.data() + call * kCallSize, peer->right.data() + call * kCallSize,
                               peer->outLeft.data(), peer->outRight.data(), kCallSize);
            benchmark::DoNotOptimize(peer->outLeft.data());
            call = (call + 1) % calls;
        }
        countFrames(state);
        return;
    }
#endif
    const int inputCount = peer->plugin->effect().numInputs;
    std::vector<float> silence(kCallSize, 0.0f);
    std::vector<float*> inputs(static_cast<std::size_t>(inputCount), silence.data());
    float* outputs[2] = {peer->outLeft.data(), peer->outRight.data()};
    std::size_t call = 0;
    for (auto _ : state)
    {
        inputs[0] = peer->left.data() + call * kCallSize;
        if (inputCount > 1)
        {
            inputs[1] = peer->right.data() + call * kCallSize;
        }
        peer->plugin->processReplacing(inputs.data(), outputs, kCallSize);
        benchmark::DoNotOptimize(peer->outLeft.data());
        call = (call + 1) % calls;
    }
    countFrames(state);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::vector<std::unique_ptr<SPeer>> peers;
    for (int i = 1; i < argc; ++i)
    {
        try
        {
            peers.push_back(makePeer(argv[i]));
            benchmark::RegisterBenchmark(peers.back()->name.c_str(), processCalls, peers.back().get());
        }
        catch (const std::exception& error)
        {
            std::fprintf(stderr, "peer_bench: skipped '%s': %s\n", argv[i], error.what());
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
