// The AVX2 and FMA forms of the level and gain passes. This file alone is
// compiled for those instruction sets; nothing here runs unless hasAvx2() said
// the processor has them.
#include "plugin/BlockMath.hpp"
#include "plugin/BlockMathConstants.hpp"
#include "plugin/BlockMathWide.hpp"

#if VANTOR_BLOCKMATH_AVX2

#include <immintrin.h>

namespace Vantor::Quellor::BlockMath
{

namespace
{

inline __m256d splat(double value)
{
    return _mm256_set1_pd(value);
}

inline __m256d absolute(__m256d value)
{
    return _mm256_andnot_pd(splat(-0.0), value);
}

inline __m128 unsafeLanes(__m256d value, __m256d allowance)
{
    const __m128 low = _mm256_cvtpd_ps(_mm256_sub_pd(value, allowance));
    const __m128 high = _mm256_cvtpd_ps(_mm256_add_pd(value, allowance));
    return _mm_cmpneq_ps(low, high);
}

inline __m256d logarithm(__m256d x)
{
    const __m256i bits = _mm256_castpd_si256(x);
    const __m256i moved = _mm256_add_epi64(bits, _mm256_set1_epi64x(0x00195F619980C433LL));
    const __m256i exponentField =
        _mm256_and_si256(moved, _mm256_set1_epi64x(static_cast<long long>(0xFFF0000000000000ULL)));
    const __m256d m = _mm256_castsi256_pd(
        _mm256_add_epi64(_mm256_sub_epi64(bits, exponentField), _mm256_set1_epi64x(0x4000000000000000LL)));
    const __m256d k =
        _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(_mm256_srli_epi64(moved, 52),
                                                          _mm256_set1_epi64x(0x4330000000000000LL))),
                      splat(0x1p52 + 1024.0));
    const __m256d f = _mm256_sub_pd(m, splat(1.0));
    const __m256d s = _mm256_div_pd(f, _mm256_add_pd(f, splat(2.0)));
    const __m256d z = _mm256_mul_pd(s, s);
    __m256d q = splat(1.0 / 15.0);
    q = _mm256_fmadd_pd(q, z, splat(1.0 / 13.0));
    q = _mm256_fmadd_pd(q, z, splat(1.0 / 11.0));
    q = _mm256_fmadd_pd(q, z, splat(1.0 / 9.0));
    q = _mm256_fmadd_pd(q, z, splat(1.0 / 7.0));
    q = _mm256_fmadd_pd(q, z, splat(1.0 / 5.0));
    q = _mm256_fmadd_pd(q, z, splat(1.0 / 3.0));
    const __m256d t = _mm256_add_pd(s, s);
    const __m256d lnM = _mm256_fmadd_pd(_mm256_mul_pd(t, z), q, t);
    return _mm256_fmadd_pd(k, splat(kLn2), lnM);
}

inline __m256d exponential(__m256d x)
{
    const __m256d shifted = _mm256_fmadd_pd(x, splat(kLog2e), splat(kRoundingShift));
    const __m256d n = _mm256_sub_pd(shifted, splat(kRoundingShift));
    const __m256d r = _mm256_fnmadd_pd(n, splat(kLn2Low), _mm256_fnmadd_pd(n, splat(kLn2High), x));
    __m256d p = splat(1.0 / 3628800.0);
    p = _mm256_fmadd_pd(p, r, splat(1.0 / 362880.0));
    p = _mm256_fmadd_pd(p, r, splat(1.0 / 40320.0));
    p = _mm256_fmadd_pd(p, r, splat(1.0 / 5040.0));
    p = _mm256_fmadd_pd(p, r, splat(1.0 / 720.0));
    p = _mm256_fmadd_pd(p, r, splat(1.0 / 120.0));
    p = _mm256_fmadd_pd(p, r, splat(1.0 / 24.0));
    p = _mm256_fmadd_pd(p, r, splat(1.0 / 6.0));
    p = _mm256_fmadd_pd(p, r, splat(0.5));
    p = _mm256_fmadd_pd(p, r, splat(1.0));
    p = _mm256_fmadd_pd(p, r, splat(1.0));
    const __m256i scale = _mm256_slli_epi64(_mm256_castpd_si256(shifted), 52);
    return _mm256_castsi256_pd(_mm256_add_epi64(_mm256_castpd_si256(p), scale));
}

} // namespace

std::uint32_t levelsOfAvx2(const float* meanSquares, float* levels)
{
    std::uint32_t unsafe = 0;
    for (int i = 0; i < kBlockSize; i += 4)
    {
        const __m256d ms = _mm256_cvtps_pd(_mm_loadu_ps(meanSquares + i));
        const __m256d root = _mm256_add_pd(_mm256_sqrt_pd(ms), splat(kTiny));
        const __m256d level = _mm256_mul_pd(logarithm(root), splat(kNepersToDb));
        _mm_storeu_ps(levels + i, _mm256_cvtpd_ps(level));
        const __m256d allowance =
            _mm256_fmadd_pd(absolute(level), splat(kRelativeAllowance), splat(kAbsoluteAllowance));
        unsafe |= static_cast<std::uint32_t>(_mm_movemask_ps(unsafeLanes(level, allowance))) << i;
    }
    return unsafe;
}

std::uint32_t gainsOfAvx2(float slope, const float* envelopes, float* gains)
{
    const __m256d slopeLess1 = splat(static_cast<double>(slope) - 1.0);
    std::uint32_t unsafe = 0;
    for (int i = 0; i < kBlockSize; i += 4)
    {
        const __m256d envelope = _mm256_cvtps_pd(_mm_loadu_ps(envelopes + i));
        const __m256d exponent = _mm256_mul_pd(
            _mm256_mul_pd(slopeLess1, _mm256_sub_pd(envelope, splat(kTiny))), splat(kDbToNepers));
        const __m256d gain = exponential(exponent);
        _mm_storeu_ps(gains + i, _mm256_cvtpd_ps(gain));
        const __m256d allowance = _mm256_mul_pd(
            _mm256_mul_pd(gain, _mm256_add_pd(absolute(exponent), splat(1.0))), splat(kRelativeAllowance));
        unsafe |= static_cast<std::uint32_t>(_mm_movemask_ps(unsafeLanes(gain, allowance))) << i;
    }
    return unsafe;
}

// The same test as the SSE2 form, eight samples at a time.
bool scaledByAvx2(const float* left, const float* right, float* outLeft, float* outRight, int count,
                  double gain)
{
    if (count % 8 != 0)
    {
        return scaledBySse2(left, right, outLeft, outRight, count, gain);
    }
    const __m256d high = _mm256_and_pd(
        splat(gain), _mm256_castsi256_pd(_mm256_set1_epi64x(static_cast<long long>(0xFFFFFFFFFF000000ULL))));
    const __m256d low = _mm256_sub_pd(splat(gain), high);
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i lowBits = _mm256_set1_epi32(0x1FFFFFFF);
    const __m256i midpoint = _mm256_set1_epi32(0x10000000);
    const __m256i near = _mm256_set1_epi32(3);
    const __m256i magnitude = _mm256_set1_epi32(0x7FFFFFFF);
    const __m256i smallestNormalAndOne = _mm256_set1_epi32(0x00800001);
    __m256i unsafe = _mm256_setzero_si256();
    auto scale = [&](const float* input, float* out)
    {
        // Adding zero turns -0 into +0, as the mix formula does.
        const __m256 x = _mm256_add_ps(_mm256_loadu_ps(input), _mm256_setzero_ps());
        const __m256d x0 = _mm256_cvtps_pd(_mm256_castps256_ps128(x));
        const __m256d x1 = _mm256_cvtps_pd(_mm256_extractf128_ps(x, 1));
        // Both products are exact, so one rounding of their sum, fused or not.
        const __m256d product0 = _mm256_fmadd_pd(x0, high, _mm256_mul_pd(x0, low));
        const __m256d product1 = _mm256_fmadd_pd(x1, high, _mm256_mul_pd(x1, low));
        const __m256 result = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(product0)),
                                                   _mm256_cvtpd_ps(product1), 1);
        _mm256_storeu_ps(out, result);
        // Low halves of the eight doubles (in some order), against the midpoint.
        const __m256i lowHalves = _mm256_castps_si256(_mm256_shuffle_ps(
            _mm256_castpd_ps(product0), _mm256_castpd_ps(product1), _MM_SHUFFLE(2, 0, 2, 0)));
        const __m256i distance =
            _mm256_xor_si256(_mm256_and_si256(_mm256_add_epi32(lowHalves, one), lowBits), midpoint);
        const __m256i resultBits = _mm256_and_si256(_mm256_castps_si256(result), magnitude);
        const __m256i subnormal = _mm256_andnot_si256(_mm256_cmpeq_epi32(resultBits, _mm256_setzero_si256()),
                                                      _mm256_cmpgt_epi32(smallestNormalAndOne, resultBits));
        unsafe = _mm256_or_si256(unsafe, _mm256_or_si256(_mm256_cmpgt_epi32(near, distance), subnormal));
    };
    for (int i = 0; i < count; i += 8)
    {
        scale(left + i, outLeft + i);
        scale(right + i, outRight + i);
    }
    return _mm256_testz_si256(unsafe, unsafe) != 0;
}

void enterAvx2(const float* inLeft, const float* inRight, float* dryLeft, float* dryRight, float* wetLeft,
               float* wetRight, int count, float loudest)
{
    const __m256 magnitude = _mm256_castsi256_ps(_mm256_set1_epi32(0x7FFFFFFF));
    const __m256 limit = _mm256_set1_ps(loudest);
    int i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256 left = _mm256_loadu_ps(inLeft + i);
        const __m256 right = _mm256_loadu_ps(inRight + i);
        // False where the magnitude is beyond the limit or not a number.
        const __m256 usableLeft =
            _mm256_and_ps(left, _mm256_cmp_ps(_mm256_and_ps(left, magnitude), limit, _CMP_LE_OQ));
        const __m256 usableRight =
            _mm256_and_ps(right, _mm256_cmp_ps(_mm256_and_ps(right, magnitude), limit, _CMP_LE_OQ));
        _mm256_storeu_ps(dryLeft + i, usableLeft);
        _mm256_storeu_ps(wetLeft + i, usableLeft);
        _mm256_storeu_ps(dryRight + i, usableRight);
        _mm256_storeu_ps(wetRight + i, usableRight);
    }
    if (i < count)
    {
        enterSse2(inLeft + i, inRight + i, dryLeft + i, dryRight + i, wetLeft + i, wetRight + i, count - i,
                  loudest);
    }
}

} // namespace Vantor::Quellor::BlockMath

#endif
