#pragma once
// Loudness of a stereo programme after EBU R128 (ITU-R BS.1770), measured
// through libebur128: integrated loudness, loudness range and true peak.

#include "tools/pressora/LevelAnalysis.hpp"

#include <optional>
#include <string>

namespace Vantor::Pressora
{

struct SLoudness
{
    // LUFS; empty when no block of the programme passes the gate (silence).
    std::optional<double> integrated;
    double range = 0.0;    // LU
    double truePeakDb = 0; // dBTP, the larger of the two channels; -inf for silence

    // Throws std::runtime_error when the library cannot measure (a sample rate it refuses).
    static SLoudness measure(const SStereoView& audio, int sampleRate);
};

// "-14.2 LUFS", or "silent" for a programme without a gated block.
std::string loudnessText(const std::optional<double>& lufs);
// "-0.3 dBTP", or "-inf dBTP".
std::string truePeakText(double dbtp);

} // namespace Vantor::Pressora
