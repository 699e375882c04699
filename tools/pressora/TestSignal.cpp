#include "tools/pressora/TestSignal.hpp"

#include "tools/pressora/Noise.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace Vantor::Pressora
{

CTestSignal::CTestSignal(double seconds, int sampleRate, std::uint32_t seed) : m_sampleRate(sampleRate)
{
    if (!(seconds > 0.0) || sampleRate <= 0)
    {
        throw std::invalid_argument("CTestSignal: length and sample rate must be positive");
    }
    // At least one frame, so that per-frame figures always exist.
    const auto frames = static_cast<std::size_t>(std::max(1LL, std::llround(seconds * sampleRate)));
    m_left.resize(frames);
    m_right.resize(frames);

    constexpr double twoPi = 2.0 * std::numbers::pi;
    const double rate = sampleRate;
    // Noise bursts of 60 ms every 0.7 s, tones swelling with a 3 s period.
    const auto burstPeriod = static_cast<std::size_t>(0.7 * rate);
    const auto burstLength = static_cast<std::size_t>(0.06 * rate);
    CNoise noise(seed);
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / rate;
        // Level sweeps between about -46 dB and -6 dB.
        const double swell = 0.5 * std::pow(10.0, -2.0 * (0.5 + 0.5 * std::sin(twoPi * t / 3.0)));
        const double toneL = 0.6 * std::sin(twoPi * 110.0 * t) + 0.3 * std::sin(twoPi * 1760.0 * t);
        const double toneR = 0.6 * std::sin(twoPi * 165.0 * t + 0.5) + 0.3 * std::sin(twoPi * 2640.0 * t);
        const bool inBurst = burstPeriod > 0 && (i % burstPeriod) < burstLength;
        const double burst = inBurst ? 0.45 : 0.01;
        // The noise is rounded to single precision before it is scaled.
        m_left[i] = static_cast<float>(swell * toneL + burst * static_cast<float>(noise.next()));
        m_right[i] = static_cast<float>(swell * toneR + burst * static_cast<float>(noise.next()));
    }
}

} // namespace Vantor::Pressora
