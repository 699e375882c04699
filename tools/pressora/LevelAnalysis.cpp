#include "tools/pressora/LevelAnalysis.hpp"

#include <algorithm>
#include <cmath>

namespace Vantor::Pressora
{

namespace
{

float decibels(double power)
{
    return static_cast<float>(std::max(kLevelFloorDb, 10.0 * std::log10(power)));
}

double median(std::vector<double> values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

SLevelTrack SLevelTrack::measure(const SStereoView& audio, int sampleRate)
{
    SLevelTrack track;
    track.windowFrames = std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(sampleRate * 0.01)));
    track.windowSeconds = static_cast<double>(track.windowFrames) / sampleRate;
    const std::size_t windows = audio.frames() / track.windowFrames;
    track.rms.reserve(windows);
    track.peak.reserve(windows);
    for (std::size_t w = 0; w < windows; ++w)
    {
        const std::size_t start = w * track.windowFrames;
        double energy = 0.0;
        float peak = 0.0f;
        for (std::size_t i = start; i < start + track.windowFrames; ++i)
        {
            const float left = audio.left[i];
            const float right = audio.right[i];
            energy += static_cast<double>(left) * left + static_cast<double>(right) * right;
            peak = std::max({peak, std::fabs(left), std::fabs(right)});
        }
        track.rms.push_back(decibels(energy / static_cast<double>(track.windowFrames)));
        track.peak.push_back(decibels(static_cast<double>(peak) * peak));
    }
    return track;
}

SGainReduction measureGainReduction(const SLevelTrack& input, const SLevelTrack& output)
{
    SGainReduction result;
    const std::size_t windows = std::min(input.size(), output.size());
    result.perWindow.assign(windows, 0.0f);
    std::vector<std::size_t> measured;
    double sum = 0.0;
    for (std::size_t w = 0; w < windows; ++w)
    {
        if (input.rms[w] < kSignalFloorDb)
        {
            continue;
        }
        const float reduction = input.rms[w] - output.rms[w];
        result.perWindow[w] = reduction;
        result.largest = measured.empty() ? reduction : std::max<double>(result.largest, reduction);
        sum += reduction;
        measured.push_back(w);
    }
    result.measuredWindows = measured.size();
    if (measured.empty())
    {
        return result;
    }
    result.average = sum / static_cast<double>(measured.size());

    // The loudest and the quietest tenth of the measured windows.
    std::sort(measured.begin(), measured.end(),
              [&](std::size_t a, std::size_t b) { return input.rms[a] < input.rms[b]; });
    const std::size_t tenth = std::max<std::size_t>(1, measured.size() / 10);
    const auto medianOf = [&](auto first, auto last, bool gain)
    {
        std::vector<double> values;
        for (auto at = first; at != last; ++at)
        {
            values.push_back(gain ? static_cast<double>(output.rms[*at]) - input.rms[*at] : input.rms[*at]);
        }
        return median(std::move(values));
    };
    const auto quietEnd = measured.begin() + static_cast<std::ptrdiff_t>(tenth);
    const auto loudBegin = measured.end() - static_cast<std::ptrdiff_t>(tenth);
    result.quietGain = medianOf(measured.begin(), quietEnd, true);
    result.loudGain = medianOf(loudBegin, measured.end(), true);
    const double spread =
        medianOf(loudBegin, measured.end(), false) - medianOf(measured.begin(), quietEnd, false);
    if (spread >= SGainReduction::kLevelSpreadDb)
    {
        result.compressing = std::fabs(result.loudGain - result.quietGain) > SGainReduction::kCompressingDb;
    }
    return result;
}

SProcessedLevels SProcessedLevels::measure(const SStereoView& input, const SStereoView& alignedOutput,
                                           int sampleRate)
{
    SProcessedLevels levels;
    levels.input = SLevelTrack::measure(input, sampleRate);
    levels.output = SLevelTrack::measure(alignedOutput, sampleRate);
    levels.reduction = measureGainReduction(levels.input, levels.output);
    return levels;
}

SAlignedPair alignOutput(const SStereoView& input, const SStereoView& output, std::size_t delay)
{
    const std::size_t available = output.frames() > delay ? output.frames() - delay : 0;
    const std::size_t frames = std::min(input.frames(), available);
    return {input.slice(0, frames), output.slice(std::min(delay, output.frames()), frames)};
}

} // namespace Vantor::Pressora
