#pragma once

#include <cstdint>
#include <vector>

namespace Vantor::Pressora
{

// A reproducible stereo programme for benchmarks: tones whose level swells and
// falls over a wide range plus short noise bursts, so a compressor's detector,
// attack and release paths all work. The same arguments give the same samples
// on every machine (fixed-seed integer noise generator, no library randomness).
class CTestSignal
{
public:
    static constexpr std::uint32_t kDefaultSeed = 0x5EED1234u;

    CTestSignal(double seconds, int sampleRate = 44100, std::uint32_t seed = kDefaultSeed);

    int sampleRate() const { return m_sampleRate; }
    std::size_t frameCount() const { return m_left.size(); }
    const std::vector<float>& left() const { return m_left; }
    const std::vector<float>& right() const { return m_right; }

private:
    int m_sampleRate;
    std::vector<float> m_left;
    std::vector<float> m_right;
};

} // namespace Vantor::Pressora
