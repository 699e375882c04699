#pragma once

#include <vector>

namespace Vantor::Demo
{

// A short stereo demonstration programme for the compressor: drum-like hits (a
// falling-pitch kick on the beat, a noisy snare between) over a sustained
// chord. The hits jump far above the chord, so compression is easy to hear.
// The same length and rate always give the same samples.
class CDemoSignal
{
public:
    CDemoSignal(double seconds, int sampleRate);

    int sampleRate() const { return m_sampleRate; }
    const std::vector<float>& left() const { return m_left; }
    const std::vector<float>& right() const { return m_right; }

private:
    int m_sampleRate;
    std::vector<float> m_left;
    std::vector<float> m_right;
};

} // namespace Vantor::Demo
