// What an open editor costs its host: one effEditIdle call with the editor shown
// in a host window on a real X server, at 1x and at 2x (the argument is the scale
// in percent), with nothing changing, and with the meters moving on every call
// (the goal: idle and painting under 0.5 % of one core at 30 idle calls a second);
// and a knob turned by the host at 2x, which repaints what a drag repaints (the
// goal: under 2 ms). Needs an X server (xvfb-run works).
#include <benchmark/benchmark.h>

#include "tools/vsthost/VstPlugin.hpp"

#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

using namespace Vantor::Vst;

namespace
{

constexpr double kIdleCallsPerSecond = 30.0;

struct SOpenEditor
{
    // The editor at a scale given in percent.
    explicit SOpenEditor(long percent)
    {
        display = XOpenDisplay(nullptr);
        if (display == nullptr)
        {
            return;
        }
        const std::string scale = std::to_string(static_cast<double>(percent) / 100.0);
        // NOLINTNEXTLINE(concurrency-mt-unsafe): set before the plug-in and its threads exist.
        setenv("PRESSORA_SCALE", scale.c_str(), 1);
        const auto width = static_cast<unsigned>(std::lround(5.0 * static_cast<double>(percent)));
        const auto height = static_cast<unsigned>(std::lround(1.58 * static_cast<double>(percent)));
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        plugin = Vantor::VstHost::CVstPlugin::load(PRESSORALITE_PATH);
        opened = plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) == 1;
        // Settle: the first paints of the whole panel are not what is measured.
        for (int i = 0; i < 10; ++i)
        {
            plugin->dispatch(effEditIdle);
        }
    }
    ~SOpenEditor()
    {
        if (plugin)
        {
            plugin->dispatch(effEditClose);
            plugin.reset();
        }
        if (display != nullptr)
        {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }
    SOpenEditor(const SOpenEditor&) = delete;
    SOpenEditor& operator=(const SOpenEditor&) = delete;

    Display* display = nullptr;
    Window parent = 0;
    std::unique_ptr<Vantor::VstHost::CVstPlugin> plugin;
    bool opened = false;
};

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU seconds of the process per call times calls per second, as a percentage of one core.
void reportShareOfCore(benchmark::State& state, double cpuSeconds)
{
    const auto calls = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["core_percent_at_30Hz"] = cpuSeconds / calls * kIdleCallsPerSecond * 100.0;
}

void editorIdleNothingChanging(benchmark::State& state)
{
    SOpenEditor editor(state.range(0));
    if (!editor.opened)
    {
        state.SkipWithError("no X server, or the editor did not open");
        return;
    }
    const double start = processSeconds();
    for (auto _ : state)
    {
        editor.plugin->dispatch(effEditIdle);
    }
    reportShareOfCore(state, processSeconds() - start);
}
BENCHMARK(editorIdleNothingChanging)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

void editorIdleMeterMoving(benchmark::State& state)
{
    SOpenEditor editor(state.range(0));
    if (!editor.opened)
    {
        state.SkipWithError("no X server, or the editor did not open");
        return;
    }
    float level[2][2048];
    for (int i = 0; i < 2048; ++i)
    {
        level[0][i] = level[1][i] = (i % 64 < 32) ? 0.9f : -0.9f;
    }
    float out[2][2048];
    float* inputs[2] = {level[0], level[1]};
    float* outputs[2] = {out[0], out[1]};
    editor.plugin->resume();
    int call = 0;
    double cpuSeconds = 0.0;
    for (auto _ : state)
    {
        state.PauseTiming();
        // A different peak every call: the meter repaints each time.
        const float scale = 0.1f + 0.8f * static_cast<float>(call++ % 9) / 8.0f;
        for (int i = 0; i < 2048; ++i)
        {
            level[0][i] = level[1][i] = (i % 64 < 32) ? scale : -scale;
        }
        editor.plugin->processReplacing(inputs, outputs, 512);
        state.ResumeTiming();
        const double start = processSeconds();
        editor.plugin->dispatch(effEditIdle);
        cpuSeconds += processSeconds() - start;
    }
    reportShareOfCore(state, cpuSeconds);
}
BENCHMARK(editorIdleMeterMoving)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

// The host moves Threshold on every call, as a drag does: the knob and its read-out repaint.
void editorKnobTurn(benchmark::State& state)
{
    SOpenEditor editor(state.range(0));
    if (!editor.opened)
    {
        state.SkipWithError("no X server, or the editor did not open");
        return;
    }
    int call = 0;
    for (auto _ : state)
    {
        editor.plugin->setParameter(1, static_cast<float>(call++ % 200) / 200.0f);
        editor.plugin->dispatch(effEditIdle);
    }
}
BENCHMARK(editorKnobTurn)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace
