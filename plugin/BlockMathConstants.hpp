#pragma once
// Constants of the compressor's arithmetic, shared by the step-by-step formulas
// and the vector passes in every instruction set.

#include <limits>

namespace Vantor::Quellor
{

// 20 / ln 10 and ln 10 / 20: decibels from and to the natural exponent, the
// double constants of the extended-precision formulas.
inline constexpr double kNepersToDb = 8.685889638065037;
inline constexpr double kDbToNepers = 0.11512925464970228;

namespace BlockMath
{

// The offset that keeps the logarithm away from zero, and the same widened.
inline constexpr float kTinyFloat = 1e-20f;
inline constexpr double kTiny = static_cast<double>(kTinyFloat);
// Energies are kept at or below the largest float.
inline constexpr float kLargestEnergy = std::numeric_limits<float>::max();

// Error allowances of the vector passes. Their double-precision evaluations are
// accurate to a few units of 2^-44 of the value (the truncated series) plus
// 2^-49 dB absolute for a level (the rounded square root); the allowances lie 64
// times above. Near 1.0 a level is tiny and only the absolute allowance counts,
// so values there mostly take the extended path; elsewhere about one value in
// 8000 does. Fused multiply-adds round once where the SSE2 forms round twice, so
// the same bounds hold for the AVX2 forms.
inline constexpr double kRelativeAllowance = 0x1p-38;
inline constexpr double kAbsoluteAllowance = 0x1p-40;

inline constexpr double kLn2 = 0.6931471805599453;
// ln 2 in two parts; n * kLn2High is exact for |n| < 2^11.
inline constexpr double kLn2High = 6.93147180369123816490e-01;
inline constexpr double kLn2Low = 1.90821492927058770002e-10;
inline constexpr double kLog2e = 1.4426950408889634;
// Adding this rounds a double below 2^51 to an integer held in the low mantissa bits.
inline constexpr double kRoundingShift = 0x1.8p52;

} // namespace BlockMath
} // namespace Vantor::Quellor
