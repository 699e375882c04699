#pragma once
// What a processor did to the level of a stereo programme, measured from the
// audio alone: the input's and the output's level over time and the gain
// reduction between them. The report picture and the bench both read it.
//
// Levels are in dBFS with a full-scale sine at 0 dBFS: 10 log10 of the mean of
// left^2 + right^2 (a sine of amplitude A in both channels reads 20 log10 A, as
// a compressor's RMS detector over the two channels sees it). Peaks are the
// largest sample magnitude of either channel.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace Vantor::Pressora
{

// Two channels of equal length (a mono programme is the same span twice).
struct SStereoView
{
    std::span<const float> left;
    std::span<const float> right;

    std::size_t frames() const { return left.size(); }
    SStereoView slice(std::size_t start, std::size_t count) const
    {
        return {left.subspan(start, count), right.subspan(start, count)};
    }
};

// Levels are never lower than this: digital silence reads it.
inline constexpr double kLevelFloorDb = -150.0;
// Windows quieter than this at the input carry no gain reduction: their level
// says more about noise and rounding than about what the processor did.
inline constexpr double kSignalFloorDb = -80.0;

// The level of a programme in consecutive windows of 10 ms (the last, shorter
// window is left out).
struct SLevelTrack
{
    double windowSeconds = 0.01;
    std::size_t windowFrames = 0;
    std::vector<float> rms;  // dBFS
    std::vector<float> peak; // dBFS

    static SLevelTrack measure(const SStereoView& audio, int sampleRate);
    std::size_t size() const { return rms.size(); }
};

// The gain reduction a processor applied: input level minus output level per
// window (make-up gain included as it is), where the input carries signal.
struct SGainReduction
{
    std::vector<float> perWindow; // dB; 0 where the input is under kSignalFloorDb
    std::size_t measuredWindows = 0;
    double average = 0.0; // dB over the measured windows
    double largest = 0.0;
    // The output's gain (output minus input level, dB) in the loudest and the
    // quietest tenth of the measured windows (medians), and whether it differs
    // between them by more than kCompressingDb. Unknown when the input's level
    // varies too little (under kLevelSpreadDb) to tell.
    double loudGain = 0.0;
    double quietGain = 0.0;
    std::optional<bool> compressing;

    static constexpr double kCompressingDb = 0.1;
    static constexpr double kLevelSpreadDb = 10.0;
};

// Input and output of one processing run, the output already aligned to the
// input (its first initialDelay frames left out; see alignOutput()).
struct SProcessedLevels
{
    SLevelTrack input;
    SLevelTrack output;
    SGainReduction reduction;

    static SProcessedLevels measure(const SStereoView& input, const SStereoView& alignedOutput,
                                    int sampleRate);
};

// The output frames that answer the input's frames: the output without the
// plug-in's reported delay, and the input cut to the same length.
struct SAlignedPair
{
    SStereoView input;
    SStereoView output;
};
SAlignedPair alignOutput(const SStereoView& input, const SStereoView& output, std::size_t delay);

SGainReduction measureGainReduction(const SLevelTrack& input, const SLevelTrack& output);

} // namespace Vantor::Pressora
