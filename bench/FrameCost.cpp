// Drives one VST 2.4 plug-in, or the LV2 edition's plug-in (PLUGIN a bundle
// folder ending in .lv2), over the benchmark programme in calls of a fixed
// size, for measuring the cost of a stereo frame:
//   frame_cost PLUGIN FRAMES CALL_SIZE [--program=N] [--standard] [--input-db=DB] [NAME=VALUE ...]
// (the settings as bench/PluginSettings.hpp reads them; -40 dB of input keeps
// the programme under the standard setting's threshold). Prints the
// parameters' display texts and the wall-clock time per frame. Under
//   valgrind --tool=callgrind --instr-atstart=no frame_cost ...
// only the processing calls are counted, so the instruction total divided by
// FRAMES is the cost of one stereo frame (see frame-cost.sh).
#include "bench/Callgrind.hpp"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
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

void printCost(long frames, int callSize, double nanoseconds)
{
    std::printf("frames %ld  call size %d  %.2f ns per frame\n", frames, callSize,
                nanoseconds / static_cast<double>(frames));
}

#if defined(VANTOR_BENCH_LV2)
// The LV2 edition's run() in the same calls over the same programme.
int runLv2(const std::string& bundle, long frames, int callSize, const std::vector<std::string>& words)
{
    const Vantor::Bench::SPluginSettings options = Vantor::Bench::parsePluginSettings(words);
    Vantor::Bench::CLv2Runner plugin(bundle, options, 44100.0);
    const long calls = frames / callSize;
    Vantor::Bench::SProgramme programme =
        Vantor::Bench::makeProgramme(static_cast<double>(calls * callSize) / 44100.0 + 0.01, options.inputDb);
    std::vector<float>& left = programme.left;
    std::vector<float>& right = programme.right;
    std::vector<float> outLeft(static_cast<std::size_t>(callSize)), outRight(outLeft.size());
    const auto start = std::chrono::steady_clock::now();
    CALLGRIND_START_INSTRUMENTATION;
    for (long call = 0; call < calls; ++call)
    {
        plugin.process(left.data() + call * callSize, right.data() + call * callSize, outLeft.data(),
                       outRight.data(), static_cast<std::uint32_t>(callSize));
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    const auto stop = std::chrono::steady_clock::now();
    printCost(calls * callSize, callSize, std::chrono::duration<double, std::nano>(stop - start).count());
    return 0;
}
#endif

int run(int argc, char** argv)
{
    if (argc < 4)
    {
        std::fprintf(
            stderr, "usage: frame_cost PLUGIN.so FRAMES CALL_SIZE [--program=N] [--standard] [--input-db=DB] "
                    "[NAME=VALUE ...]\n");
        return 2;
    }
    const long frames = std::atol(argv[2]);
    const int callSize = std::atoi(argv[3]);
    if (frames <= 0 || callSize <= 0)
    {
        throw std::runtime_error("FRAMES and CALL_SIZE must be positive");
    }

#if defined(VANTOR_BENCH_LV2)
    if (Vantor::Bench::isLv2Bundle(argv[1]))
    {
        return runLv2(argv[1], frames, callSize, std::vector<std::string>(argv + 4, argv + argc));
    }
#endif
    Vantor::VstHost::SHostSettings settings;
    settings.blockSize = callSize;
    settings.logCalls = false;
    auto plugin = CVstPlugin::load(argv[1], settings);
    plugin->setSampleRate(44100.0f);
    plugin->setBlockSize(callSize);
    const Vantor::Bench::SPluginSettings options =
        Vantor::Bench::parsePluginSettings(std::vector<std::string>(argv + 4, argv + argc));
    Vantor::Bench::applyPluginSettings(*plugin, options);
    for (int i = 0; i < plugin->parameterCount(); ++i)
    {
        std::printf("  %-12s %s %s\n", plugin->parameterName(i).c_str(), plugin->parameterDisplay(i).c_str(),
                    plugin->parameterLabel(i).c_str());
    }
    plugin->resume();

    const long calls = frames / callSize;
    Vantor::Bench::SProgramme programme =
        Vantor::Bench::makeProgramme(static_cast<double>(calls * callSize) / 44100.0 + 0.01, options.inputDb);
    std::vector<float>& left = programme.left;
    std::vector<float>& right = programme.right;
    const int inputCount = plugin->effect().numInputs;
    std::vector<float> silence(static_cast<std::size_t>(callSize), 0.0f);
    std::vector<float> outLeft(static_cast<std::size_t>(callSize)), outRight(outLeft.size());
    std::vector<float*> inputs(static_cast<std::size_t>(inputCount), silence.data());
    float* outputs[2] = {outLeft.data(), outRight.data()};

    const auto start = std::chrono::steady_clock::now();
    CALLGRIND_START_INSTRUMENTATION;
    for (long call = 0; call < calls; ++call)
    {
        inputs[0] = left.data() + call * callSize;
        if (inputCount > 1)
        {
            inputs[1] = right.data() + call * callSize;
        }
        plugin->processReplacing(inputs.data(), outputs, callSize);
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    const auto stop = std::chrono::steady_clock::now();
    printCost(calls * callSize, callSize, std::chrono::duration<double, std::nano>(stop - start).count());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try
    {
        return run(argc, argv);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "frame_cost: %s\n", error.what());
        return 1;
    }
}
