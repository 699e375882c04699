#include "tools/pressora/StaticCurve.hpp"

#include "tools/vsthost/VstPlugin.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Vantor::Pressora
{

SStaticCurve SStaticCurve::measure(VstHost::CVstPlugin& plugin, int sampleRate)
{
    // Levels are read over 20 ms, whole periods of the sine at the usual rates.
    const auto window = static_cast<std::size_t>(std::max(1L, std::lround(sampleRate * 0.02)));
    const auto shortest = static_cast<int>(std::ceil(kShortestStepSeconds / 0.02));
    const auto longest = static_cast<int>(std::ceil(kLongestStepSeconds / 0.02));
    std::vector<float> in(window);
    std::vector<float> outLeft(window);
    std::vector<float> outRight(window);
    const double phaseStep = 2.0 * std::numbers::pi * 1000.0 / sampleRate;
    double phase = 0.0;

    SStaticCurve curve;
    const int steps = static_cast<int>(std::lround((kHighestDb - kLowestDb) / kStepDb));
    for (int step = 0; step <= steps; ++step)
    {
        const double inputDb = kLowestDb + step * kStepDb;
        const double amplitude = std::pow(10.0, inputDb / 20.0);
        double level = 0.0;
        double lastChange = 0.0;
        for (int run = 0; run < longest; ++run)
        {
            for (float& sample : in)
            {
                sample = static_cast<float>(amplitude * std::sin(phase));
                phase = std::fmod(phase + phaseStep, 2.0 * std::numbers::pi);
            }
            plugin.processStereo(in.data(), in.data(), outLeft.data(), outRight.data(), window);
            double energy = 0.0;
            for (std::size_t i = 0; i < window; ++i)
            {
                energy += static_cast<double>(outLeft[i]) * outLeft[i] +
                          static_cast<double>(outRight[i]) * outRight[i];
            }
            const double previous = level;
            level = 10.0 * std::log10(std::max(energy / static_cast<double>(window), 1e-15));
            const double change = std::fabs(level - previous);
            // A level that approaches its end geometrically has this much still to go:
            // change * r / (1 - r), r the ratio of two successive changes.
            const double ratio = lastChange > 0.0 ? change / lastChange : 1.0;
            const double remaining = ratio < 1.0 ? change * ratio / (1.0 - ratio) : change;
            lastChange = change;
            if (run + 1 >= shortest && change < kSettledDb && remaining < kSettledDb)
            {
                break;
            }
        }
        curve.points.push_back({inputDb, level});
    }
    return curve;
}

} // namespace Vantor::Pressora
