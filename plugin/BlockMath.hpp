#pragma once

#include <cstdint>

namespace Vantor::Quellor::BlockMath
{

// The per-block arithmetic of the compressor and the effect, sixteen values at
// a time in SSE2 vectors of doubles. Each function gives exactly the single
// precision value of the extended-precision formula it stands for: it computes
// in double precision with a proven error bound, and where that bound does not
// keep the result clear of every single-precision rounding boundary (or the
// value is not finite) it marks the position in the returned mask; the caller
// then takes the extended-precision formula for that position. Marked
// positions hold no meaningful value.

constexpr int kBlockSize = 16;

// energies[i] = detectorLeft[i]^2 + detectorRight[i]^2 + 1e-20 in single
// precision; beyond the largest float, or not a number, the largest float.
void energiesOf(const float* detectorLeft, const float* detectorRight, float* energies);

// Whether every one of the 16 values is below `bound` (false where one is not
// a number), and whether every one equals `value`.
bool allBelow(const float* values, float bound);
bool allEqual(const float* values, float value);

// targets[i] = max(levels[i] - threshold, 0) + 1e-20, where meanSquares[i] is
// not below quietBound; 1e-20 where it is (there `levels` need not be set).
void targetsOf(const float* meanSquares, const float* levels, float threshold, float quietBound,
               float* targets);

// left[i] *= gains[i] and right[i] *= gains[i]; answers whether every gain lies
// between `low` and `high`. Lowers the four running minimums in smallestGains
// so that together they keep the smallest gain applied (the caller reduces them).
bool applyGains(float* left, float* right, const float* gains, float low, float high, float* smallestGains);

// levels[i] = 20 log10(sqrt(meanSquares[i]) + 1e-20), for finite, non-negative
// mean squares.
std::uint32_t levelsOf(const float* meanSquares, float* levels);

// gains[i] = 10^((slope - 1)(envelopes[i] - 1e-20) / 20), for a slope and
// envelopes whose exponent stays within a few hundred nepers.
std::uint32_t gainsOf(float slope, const float* envelopes, float* gains);

// out[i] = (input[i] + 0) * gain rounded to extended precision and then to
// single precision, for `count` samples (at most 16) of each channel. Answers
// false if some position needs the extended formula; the outputs then hold no
// meaningful values.
bool scaledBy(const float* left, const float* right, float* outLeft, float* outRight, int count, double gain);

// Stores `count` input samples of each channel into both the dry and the wet
// block; a sample beyond `loudest` in magnitude, infinite or not a number is
// stored as 0.
void enter(const float* inLeft, const float* inRight, float* dryLeft, float* dryRight, float* wetLeft,
           float* wetRight, int count, float loudest);

// Copies `count` samples of each channel.
void copyPair(const float* left, const float* right, float* outLeft, float* outRight, int count);

} // namespace Vantor::Quellor::BlockMath
