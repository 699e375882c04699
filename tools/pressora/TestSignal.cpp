#include "tools/pressora/TestSignal.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace Vantor::Pressora
{

namespace
{

// xorshift32: tiny, fast and identical everywhere.
class CNoise
{
public:
    explicit CNoise(std::uint32_t seed) : m_state(seed != 0 ? seed : 1u) {}

    // Uniform in [-1, 1).
    float next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<float>(static_cast<double>(m_state) / 2147483648.0 - 1.0);
    }

private:
    std::uint32_t m_state;
};

} // namespace

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
        m_left[i] = static_cast<float>(swell * toneL + burst * noise.next());
        m_right[i] = static_cast<float>(swell * toneR + burst * noise.next());
    }
}

} // namespace Vantor::Pressora
