// What an open editor costs its host between changes: one effEditIdle call with
// the editor shown in a host window on a real X server, nothing changing (the
// goal: under 1% of one core at 30 idle calls a second), and for comparison with
// a meter level that moves on every call. Needs an X server (xvfb-run works).
#include <benchmark/benchmark.h>

#include "tools/vsthost/VstPlugin.hpp"

#include <X11/Xlib.h>

#include <algorithm>
#include <ctime>
#include <memory>

using namespace Vantor::Vst;

namespace
{

constexpr double kIdleCallsPerSecond = 30.0;

struct SOpenEditor
{
    SOpenEditor()
    {
        display = XOpenDisplay(nullptr);
        if (display == nullptr)
        {
            return;
        }
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 500, 158, 0, 0, 0);
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
    SOpenEditor editor;
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
BENCHMARK(editorIdleNothingChanging)->Unit(benchmark::kMicrosecond);

void editorIdleMeterMoving(benchmark::State& state)
{
    SOpenEditor editor;
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
BENCHMARK(editorIdleMeterMoving)->Unit(benchmark::kMicrosecond);

} // namespace
