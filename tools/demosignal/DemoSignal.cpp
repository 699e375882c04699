#include "tools/demosignal/DemoSignal.hpp"

#include "tools/pressora/Noise.hpp"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace Vantor::Demo
{

namespace
{

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kBeatSeconds = 0.5;

// A kick: a sine whose pitch falls from 120 Hz to 45 Hz, decaying in about 0.15 s.
double kick(double t)
{
    const double pitchTime = 0.04;
    const double phase = kTwoPi * (45.0 * t + 75.0 * pitchTime * (1.0 - std::exp(-t / pitchTime)));
    return 0.7 * std::exp(-t / 0.15) * std::sin(phase);
}

// A sustained chord (A, C sharp, E) with a slow vibrato and a soft start.
double chord(double t, double detune)
{
    const double vibrato = 1.0 + 0.003 * std::sin(kTwoPi * 5.0 * t);
    const double fadeIn = std::min(1.0, t / 0.3);
    double sum = 0.0;
    for (double frequency : {220.0, 277.18, 329.63})
    {
        sum += std::sin(kTwoPi * frequency * detune * vibrato * t);
    }
    return 0.045 * fadeIn * sum;
}

} // namespace

CDemoSignal::CDemoSignal(double seconds, int sampleRate) : m_sampleRate(sampleRate)
{
    if (!(seconds > 0.0) || sampleRate <= 0)
    {
        throw std::invalid_argument("the demo signal needs a positive length and sample rate");
    }
    const auto frames = static_cast<std::size_t>(std::llround(seconds * sampleRate));
    m_left.resize(frames);
    m_right.resize(frames);
    Pressora::CNoise noise(0x1234567u);
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / sampleRate;
        const double sinceBeat = std::fmod(t, kBeatSeconds);
        const double sinceOffBeat = std::fmod(t + kBeatSeconds / 2.0, kBeatSeconds);
        const double snare = 0.5 * std::exp(-sinceOffBeat / 0.07) *
                             (0.7 * noise.next() + 0.3 * std::sin(kTwoPi * 190.0 * sinceOffBeat));
        const double hits = kick(sinceBeat);
        m_left[i] = static_cast<float>(hits + 0.8 * snare + chord(t, 1.0));
        m_right[i] = static_cast<float>(hits + 1.0 * snare + chord(t, 1.002));
    }
}

} // namespace Vantor::Demo
