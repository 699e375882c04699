#include "tools/pressora/Loudness.hpp"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace Vantor::Pressora
{

namespace
{

struct SStateDeleter
{
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

std::string oneDecimal(double value, const char* unit)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.1f %s", value, unit);
    return text;
}

} // namespace

SLoudness SLoudness::measure(const SStereoView& audio, int sampleRate)
{
    constexpr int kMode = EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_TRUE_PEAK;
    const std::unique_ptr<ebur128_state, SStateDeleter> state(
        ebur128_init(2, static_cast<unsigned long>(std::max(sampleRate, 0)), kMode));
    if (!state)
    {
        throw std::runtime_error("cannot measure loudness at " + std::to_string(sampleRate) + " Hz");
    }
    // The library takes interleaved frames: a piece at a time.
    constexpr std::size_t kPiece = 4096;
    std::vector<float> interleaved(2 * kPiece);
    for (std::size_t start = 0; start < audio.frames(); start += kPiece)
    {
        const std::size_t count = std::min(kPiece, audio.frames() - start);
        for (std::size_t i = 0; i < count; ++i)
        {
            interleaved[2 * i] = audio.left[start + i];
            interleaved[2 * i + 1] = audio.right[start + i];
        }
        if (ebur128_add_frames_float(state.get(), interleaved.data(), count) != EBUR128_SUCCESS)
        {
            throw std::runtime_error("the loudness measurement ran out of memory");
        }
    }

    SLoudness result;
    double value = 0.0;
    if (ebur128_loudness_global(state.get(), &value) == EBUR128_SUCCESS && std::isfinite(value))
    {
        result.integrated = value;
    }
    if (ebur128_loudness_range(state.get(), &value) == EBUR128_SUCCESS && std::isfinite(value))
    {
        result.range = value;
    }
    double peak = 0.0;
    for (unsigned channel = 0; channel < 2; ++channel)
    {
        if (ebur128_true_peak(state.get(), channel, &value) == EBUR128_SUCCESS)
        {
            peak = std::max(peak, value);
        }
    }
    result.truePeakDb = peak > 0.0 ? 20.0 * std::log10(peak) : -std::numeric_limits<double>::infinity();
    return result;
}

std::string loudnessText(const std::optional<double>& lufs)
{
    return lufs ? oneDecimal(*lufs, "LUFS") : "silent";
}

std::string truePeakText(double dbtp)
{
    return std::isfinite(dbtp) ? oneDecimal(dbtp, "dBTP") : "-inf dBTP";
}

} // namespace Vantor::Pressora
