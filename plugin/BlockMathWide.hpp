#pragma once

#include <cstdint>

namespace Vantor::Quellor::BlockMath
{

// The implementations behind levelsOf(), gainsOf(), enter() and scaledBy(), chosen once when the
// library loads: SSE2 everywhere, AVX2 with fused multiply-add where the
// processor has both. Each follows the same error bound. Exposed for the tests,
// which check every one the machine can run.
std::uint32_t levelsOfSse2(const float* meanSquares, float* levels);
std::uint32_t gainsOfSse2(float slope, const float* envelopes, float* gains);
void enterSse2(const float* inLeft, const float* inRight, float* dryLeft, float* dryRight, float* wetLeft,
               float* wetRight, int count, float loudest);
bool scaledBySse2(const float* left, const float* right, float* outLeft, float* outRight, int count,
                  double gain);
// VANTOR_BLOCKMATH_AVX2 is defined by the build where it compiles the AVX2 forms.
#if VANTOR_BLOCKMATH_AVX2
std::uint32_t levelsOfAvx2(const float* meanSquares, float* levels);
std::uint32_t gainsOfAvx2(float slope, const float* envelopes, float* gains);
void enterAvx2(const float* inLeft, const float* inRight, float* dryLeft, float* dryRight, float* wetLeft,
               float* wetRight, int count, float loudest);
bool scaledByAvx2(const float* left, const float* right, float* outLeft, float* outRight, int count,
                  double gain);
#endif

// Whether this processor runs the AVX2 forms.
bool hasAvx2();

} // namespace Vantor::Quellor::BlockMath
