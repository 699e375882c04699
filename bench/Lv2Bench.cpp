// The LV2 edition's run() against the VST plug-in's processReplacing, per
// stereo frame, at the standard setting in 512-frame calls over the benchmark
// programme at 44.1 kHz: both built libraries, side by side in one Google
// Benchmark run (processor time):
//   lv2_bench [--benchmark_...]
// For counting instructions under callgrind, one of them alone over a number of
// frames, with the counting switched on around the processing only:
//   valgrind --tool=callgrind --instr-atstart=no lv2_bench --count=lv2|vst [FRAMES]
// prints the frames processed.
#include "bench/Callgrind.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/Lv2Runner.hpp"
#include "plugin/Parameters.hpp"
#include "tools/pressora/TestSignal.hpp"
#include "tools/vsthost/VstPlugin.hpp"

namespace
{
namespace Lv2 = Vantor::Quellor::Lv2;
namespace Parameters = Vantor::Quellor::Parameters;

constexpr std::uint32_t kCallSize = 512;
constexpr double kRate = 44100.0;

// One of the two editions, ready to process the programme call by call.
class CEdition
{
public:
    virtual ~CEdition() = default;
    // Processes call number `call` of the programme (wrapping around).
    virtual void process(std::size_t call) = 0;

    std::size_t calls() const { return m_signal.frameCount() / kCallSize; }

protected:
    const float* left(std::size_t call) const { return m_signal.left().data() + call * kCallSize; }
    const float* right(std::size_t call) const { return m_signal.right().data() + call * kCallSize; }

    Vantor::Pressora::CTestSignal m_signal{10.0};
    std::vector<float> m_outLeft = std::vector<float>(kCallSize), m_outRight = std::vector<float>(kCallSize);
};

class CVstEdition : public CEdition
{
public:
    CVstEdition()
    {
        Vantor::VstHost::SHostSettings host;
        host.blockSize = kCallSize;
        host.logCalls = false;
        m_plugin = Vantor::VstHost::CVstPlugin::load(PRESSORALITE_PATH, host);
        m_plugin->setSampleRate(static_cast<float>(kRate));
        for (const Parameters::SUserValue& setting : Parameters::kStandardSetting)
        {
            m_plugin->setParameter(setting.index, Parameters::hostValueOfUser(
                                                      Parameters::parameter(setting.index), setting.user));
        }
        m_plugin->resume();
    }
    void process(std::size_t call) override
    {
        float* inputs[2] = {const_cast<float*>(left(call)), const_cast<float*>(right(call))};
        float* outputs[2] = {m_outLeft.data(), m_outRight.data()};
        m_plugin->processReplacing(inputs, outputs, kCallSize);
    }

private:
    std::unique_ptr<Vantor::VstHost::CVstPlugin> m_plugin;
};

class CLv2Edition : public CEdition
{
public:
    CLv2Edition() : m_plugin(PRESSORALITE_LV2_BUNDLE, standardSetting(), kRate) {}
    void process(std::size_t call) override
    {
        m_plugin.process(left(call), right(call), m_outLeft.data(), m_outRight.data(), kCallSize);
    }

private:
    static Vantor::Bench::SPluginSettings standardSetting()
    {
        Vantor::Bench::SPluginSettings settings;
        settings.standard = true;
        return settings;
    }
    Vantor::Bench::CLv2Runner m_plugin;
};

void processCalls(benchmark::State& state, CEdition* edition)
{
    std::size_t call = 0;
    for (auto _ : state)
    {
        edition->process(call);
        call = (call + 1) % edition->calls();
    }
    const double frames = static_cast<double>(state.iterations()) * kCallSize;
    state.counters["time_per_frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

int count(const char* which, long frames)
{
    std::unique_ptr<CEdition> edition;
    if (std::strcmp(which, "lv2") == 0)
    {
        edition = std::make_unique<CLv2Edition>();
    }
    else
    {
        edition = std::make_unique<CVstEdition>();
    }
    const long calls = frames / static_cast<long>(kCallSize);
    CALLGRIND_START_INSTRUMENTATION;
    for (long call = 0; call < calls; ++call)
    {
        edition->process(static_cast<std::size_t>(call) % edition->calls());
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    std::printf("%ld frames\n", calls * static_cast<long>(kCallSize));
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    try
    {
        if (argc >= 2 && std::strncmp(argv[1], "--count=", 8) == 0)
        {
            return count(argv[1] + 8, argc >= 3 ? std::atol(argv[2]) : 441000);
        }
        benchmark::Initialize(&argc, argv);
        CVstEdition vst;
        CLv2Edition lv2;
        benchmark::RegisterBenchmark("VST processReplacing", processCalls, &vst);
        benchmark::RegisterBenchmark("LV2 run", processCalls, &lv2);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "lv2_bench: %s\n", error.what());
        return 1;
    }
}
