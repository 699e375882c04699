#include "plugin/BlockMath.hpp"

#include "plugin/BlockMathConstants.hpp"
#include "plugin/BlockMathWide.hpp"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VANTOR_BLOCKMATH_SSE2 1
#endif

namespace Vantor::Quellor::BlockMath
{

#if VANTOR_BLOCKMATH_SSE2

void energiesOf(const float* detectorLeft, const float* detectorRight, float* energies)
{
    for (int i = 0; i < kBlockSize; i += 4)
    {
        const __m128 left = _mm_loadu_ps(detectorLeft + i);
        const __m128 right = _mm_loadu_ps(detectorRight + i);
        const __m128 sum =
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(left, left), _mm_mul_ps(right, right)), _mm_set1_ps(kTinyFloat));
        // The second operand wins where the first is not a number.
        _mm_storeu_ps(energies + i, _mm_min_ps(sum, _mm_set1_ps(kLargestEnergy)));
    }
}

bool allBelow(const float* values, float bound)
{
    const __m128 limit = _mm_set1_ps(bound);
    __m128 below = _mm_cmplt_ps(_mm_loadu_ps(values), limit);
    for (int i = 4; i < kBlockSize; i += 4)
    {
        below = _mm_and_ps(below, _mm_cmplt_ps(_mm_loadu_ps(values + i), limit));
    }
    return _mm_movemask_ps(below) == 0xF;
}

bool allEqual(const float* values, float value)
{
    const __m128 wanted = _mm_set1_ps(value);
    __m128 equal = _mm_cmpeq_ps(_mm_loadu_ps(values), wanted);
    for (int i = 4; i < kBlockSize; i += 4)
    {
        equal = _mm_and_ps(equal, _mm_cmpeq_ps(_mm_loadu_ps(values + i), wanted));
    }
    return _mm_movemask_ps(equal) == 0xF;
}

void targetsOf(const float* meanSquares, const float* levels, float threshold, float quietBound,
               float* targets)
{
    for (int i = 0; i < kBlockSize; i += 4)
    {
        const __m128 quiet = _mm_cmplt_ps(_mm_loadu_ps(meanSquares + i), _mm_set1_ps(quietBound));
        const __m128 over =
            _mm_max_ps(_mm_sub_ps(_mm_loadu_ps(levels + i), _mm_set1_ps(threshold)), _mm_setzero_ps());
        _mm_storeu_ps(targets + i, _mm_add_ps(_mm_andnot_ps(quiet, over), _mm_set1_ps(kTinyFloat)));
    }
}

bool applyGains(float* left, float* right, const float* gains, float low, float high, float* smallestGains)
{
    __m128 smallest = _mm_set1_ps(high), largest = _mm_set1_ps(low);
    for (int i = 0; i < kBlockSize; i += 4)
    {
        const __m128 gain = _mm_loadu_ps(gains + i);
        _mm_storeu_ps(left + i, _mm_mul_ps(_mm_loadu_ps(left + i), gain));
        _mm_storeu_ps(right + i, _mm_mul_ps(_mm_loadu_ps(right + i), gain));
        smallest = _mm_min_ps(smallest, gain);
        largest = _mm_max_ps(largest, gain);
    }
    const __m128 within =
        _mm_and_ps(_mm_cmpge_ps(smallest, _mm_set1_ps(low)), _mm_cmple_ps(largest, _mm_set1_ps(high)));
    _mm_storeu_ps(smallestGains, _mm_min_ps(_mm_loadu_ps(smallestGains), smallest));
    return _mm_movemask_ps(within) == 0xF;
}

namespace
{

inline __m128d splat(double value)
{
    return _mm_set1_pd(value);
}

// Four floats from two pairs of doubles, in order.
inline __m128 narrow(__m128d low, __m128d high)
{
    return _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
}

// The positions (two bits per pair of doubles) at which not every number within
// `allowance` of `value` rounds to the same float.
inline __m128 unsafeLanes(__m128d value0, __m128d allowance0, __m128d value1, __m128d allowance1)
{
    const __m128 low = narrow(_mm_sub_pd(value0, allowance0), _mm_sub_pd(value1, allowance1));
    const __m128 high = narrow(_mm_add_pd(value0, allowance0), _mm_add_pd(value1, allowance1));
    return _mm_cmpneq_ps(low, high); // also true where either is not a number
}

inline __m128d absolute(__m128d value)
{
    return _mm_andnot_pd(splat(-0.0), value);
}

// ln x for positive, finite, normal x, to a relative error below 2^-44: x = 2^k m
// with m in [sqrt(1/2), sqrt(2)), ln m = 2 atanh(s), s = (m - 1) / (m + 1), whose
// series in s^2 <= 0.0295 is cut after its seventh term.
inline __m128d logarithm(__m128d x)
{
    const __m128i bits = _mm_castpd_si128(x);
    // The exponent moved so that the split falls at sqrt(1/2), biased by 1024.
    const __m128i moved = _mm_add_epi64(bits, _mm_set1_epi64x(0x00195F619980C433LL));
    const __m128i exponentField =
        _mm_and_si128(moved, _mm_set1_epi64x(static_cast<long long>(0xFFF0000000000000ULL)));
    const __m128d m = _mm_castsi128_pd(
        _mm_add_epi64(_mm_sub_epi64(bits, exponentField), _mm_set1_epi64x(0x4000000000000000LL)));
    const __m128d k = _mm_sub_pd(
        _mm_castsi128_pd(_mm_or_si128(_mm_srli_epi64(moved, 52), _mm_set1_epi64x(0x4330000000000000LL))),
        splat(0x1p52 + 1024.0));

    const __m128d f = _mm_sub_pd(m, splat(1.0));
    const __m128d s = _mm_div_pd(f, _mm_add_pd(f, splat(2.0)));
    const __m128d z = _mm_mul_pd(s, s);
    __m128d q = splat(1.0 / 15.0);
    q = _mm_add_pd(_mm_mul_pd(q, z), splat(1.0 / 13.0));
    q = _mm_add_pd(_mm_mul_pd(q, z), splat(1.0 / 11.0));
    q = _mm_add_pd(_mm_mul_pd(q, z), splat(1.0 / 9.0));
    q = _mm_add_pd(_mm_mul_pd(q, z), splat(1.0 / 7.0));
    q = _mm_add_pd(_mm_mul_pd(q, z), splat(1.0 / 5.0));
    q = _mm_add_pd(_mm_mul_pd(q, z), splat(1.0 / 3.0));
    const __m128d t = _mm_add_pd(s, s);
    const __m128d lnM = _mm_add_pd(_mm_mul_pd(_mm_mul_pd(t, z), q), t);
    return _mm_add_pd(_mm_mul_pd(k, splat(kLn2)), lnM);
}

// e^x for |x| below 700, to a relative error below 2^-42: x = n ln 2 + r with
// |r| <= ln 2 / 2, e^r by its Taylor series to the tenth power, then 2^n added
// to the exponent field.
inline __m128d exponential(__m128d x)
{
    const __m128d shifted = _mm_add_pd(_mm_mul_pd(x, splat(kLog2e)), splat(kRoundingShift));
    const __m128d n = _mm_sub_pd(shifted, splat(kRoundingShift));
    const __m128d r =
        _mm_sub_pd(_mm_sub_pd(x, _mm_mul_pd(n, splat(kLn2High))), _mm_mul_pd(n, splat(kLn2Low)));
    __m128d p = splat(1.0 / 3628800.0);
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0 / 362880.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0 / 40320.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0 / 5040.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0 / 720.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0 / 120.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0 / 24.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0 / 6.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(0.5));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0));
    p = _mm_add_pd(_mm_mul_pd(p, r), splat(1.0));
    // The low mantissa bits of `shifted` hold n; moved into the exponent field.
    const __m128i scale = _mm_slli_epi64(_mm_castpd_si128(shifted), 52);
    return _mm_castsi128_pd(_mm_add_epi64(_mm_castpd_si128(p), scale));
}

inline __m128d levelPair(const float* meanSquares)
{
    const __m128d ms =
        _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(meanSquares))));
    const __m128d root = _mm_add_pd(_mm_sqrt_pd(ms), splat(kTiny));
    return _mm_mul_pd(logarithm(root), splat(kNepersToDb));
}

inline __m128d levelAllowance(__m128d level)
{
    return _mm_add_pd(_mm_mul_pd(absolute(level), splat(kRelativeAllowance)), splat(kAbsoluteAllowance));
}

} // namespace

std::uint32_t levelsOfSse2(const float* meanSquares, float* levels)
{
    std::uint32_t unsafe = 0;
    for (int i = 0; i < kBlockSize; i += 4)
    {
        const __m128d level0 = levelPair(meanSquares + i);
        const __m128d level1 = levelPair(meanSquares + i + 2);
        _mm_storeu_ps(levels + i, narrow(level0, level1));
        const __m128 lanes = unsafeLanes(level0, levelAllowance(level0), level1, levelAllowance(level1));
        unsafe |= static_cast<std::uint32_t>(_mm_movemask_ps(lanes)) << i;
    }
    return unsafe;
}

namespace
{
inline void gainPair(__m128d slopeLess1, const float* envelopes, __m128d& gain, __m128d& allowance)
{
    const __m128d envelope =
        _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(envelopes))));
    const __m128d exponent =
        _mm_mul_pd(_mm_mul_pd(slopeLess1, _mm_sub_pd(envelope, splat(kTiny))), splat(kDbToNepers));
    gain = exponential(exponent);
    allowance =
        _mm_mul_pd(_mm_mul_pd(gain, _mm_add_pd(absolute(exponent), splat(1.0))), splat(kRelativeAllowance));
}
} // namespace

std::uint32_t gainsOfSse2(float slope, const float* envelopes, float* gains)
{
    const __m128d slopeLess1 = splat(static_cast<double>(slope) - 1.0);
    std::uint32_t unsafe = 0;
    for (int i = 0; i < kBlockSize; i += 4)
    {
        __m128d gain0, allowance0, gain1, allowance1;
        gainPair(slopeLess1, envelopes + i, gain0, allowance0);
        gainPair(slopeLess1, envelopes + i + 2, gain1, allowance1);
        _mm_storeu_ps(gains + i, narrow(gain0, gain1));
        unsafe |=
            static_cast<std::uint32_t>(_mm_movemask_ps(unsafeLanes(gain0, allowance0, gain1, allowance1)))
            << i;
    }
    return unsafe;
}

// The product of a float and a double is exact as the sum of two doubles: the
// gain split into its upper 29 and lower 24 significant bits. Their sum rounded
// to double is within half a unit in its last place of the exact product; unless
// that lies within a unit of a float rounding boundary (low 29 bits near
// 0x10000000), rounding the exact product to extended and then to single
// precision gives the same float. Results in the subnormal range, where the
// boundaries lie elsewhere, are refused as well.
namespace
{
struct SScaling
{
    __m128d high, low;
    __m128i one, lowBits, midpoint, near, magnitude, smallestNormalAndOne;

    explicit SScaling(double gain)
        : high(_mm_and_pd(splat(gain),
                          _mm_castsi128_pd(_mm_set1_epi64x(static_cast<long long>(0xFFFFFFFFFF000000ULL))))),
          low(_mm_sub_pd(splat(gain), high)), one(_mm_set1_epi32(1)), lowBits(_mm_set1_epi32(0x1FFFFFFF)),
          midpoint(_mm_set1_epi32(0x10000000)), near(_mm_set1_epi32(3)),
          magnitude(_mm_set1_epi32(0x7FFFFFFF)), smallestNormalAndOne(_mm_set1_epi32(0x00800001))
    {
    }

    // Scales four samples into `out`; answers the lanes that need the extended formula.
    __m128i scale(const float* input, float* out) const
    {
        // Adding zero turns -0 into +0, as the mix formula does.
        const __m128 x = _mm_add_ps(_mm_loadu_ps(input), _mm_setzero_ps());
        const __m128d x0 = _mm_cvtps_pd(x);
        const __m128d x1 = _mm_cvtps_pd(_mm_movehl_ps(x, x));
        const __m128d product0 = _mm_add_pd(_mm_mul_pd(x0, high), _mm_mul_pd(x0, low));
        const __m128d product1 = _mm_add_pd(_mm_mul_pd(x1, high), _mm_mul_pd(x1, low));
        const __m128 result = narrow(product0, product1);
        _mm_storeu_ps(out, result);
        // Low halves of the four doubles, their last 29 bits against the midpoint.
        const __m128i lowHalves = _mm_castps_si128(
            _mm_shuffle_ps(_mm_castpd_ps(product0), _mm_castpd_ps(product1), _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i distance =
            _mm_xor_si128(_mm_and_si128(_mm_add_epi32(lowHalves, one), lowBits), midpoint);
        const __m128i nearMidpoint = _mm_cmpgt_epi32(near, distance);
        // Non-zero results at or below the smallest normal float.
        const __m128i resultBits = _mm_and_si128(_mm_castps_si128(result), magnitude);
        const __m128i subnormal = _mm_andnot_si128(_mm_cmpeq_epi32(resultBits, _mm_setzero_si128()),
                                                   _mm_cmpgt_epi32(smallestNormalAndOne, resultBits));
        return _mm_or_si128(nearMidpoint, subnormal);
    }
};
} // namespace

bool scaledBySse2(const float* left, const float* right, float* outLeft, float* outRight, int count,
                  double gain)
{
    if (count % 4 != 0)
    {
        return false;
    }
    const SScaling scaling(gain);
    __m128i unsafe = _mm_setzero_si128();
    for (int i = 0; i < count; i += 4)
    {
        unsafe = _mm_or_si128(unsafe, scaling.scale(left + i, outLeft + i));
        unsafe = _mm_or_si128(unsafe, scaling.scale(right + i, outRight + i));
    }
    return _mm_movemask_ps(_mm_castsi128_ps(unsafe)) == 0;
}

void enterSse2(const float* inLeft, const float* inRight, float* dryLeft, float* dryRight, float* wetLeft,
               float* wetRight, int count, float loudest)
{
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 limit = _mm_set1_ps(loudest);
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128 left = _mm_loadu_ps(inLeft + i);
        const __m128 right = _mm_loadu_ps(inRight + i);
        // False where the magnitude is beyond the limit or not a number.
        const __m128 usableLeft = _mm_and_ps(left, _mm_cmple_ps(_mm_and_ps(left, magnitude), limit));
        const __m128 usableRight = _mm_and_ps(right, _mm_cmple_ps(_mm_and_ps(right, magnitude), limit));
        _mm_storeu_ps(dryLeft + i, usableLeft);
        _mm_storeu_ps(wetLeft + i, usableLeft);
        _mm_storeu_ps(dryRight + i, usableRight);
        _mm_storeu_ps(wetRight + i, usableRight);
    }
    for (; i < count; ++i)
    {
        const float left = inLeft[i], right = inRight[i];
        dryLeft[i] = wetLeft[i] = left >= -loudest && left <= loudest ? left : 0.0f;
        dryRight[i] = wetRight[i] = right >= -loudest && right <= loudest ? right : 0.0f;
    }
}

void copyPair(const float* left, const float* right, float* outLeft, float* outRight, int count)
{
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        _mm_storeu_ps(outLeft + i, _mm_loadu_ps(left + i));
        _mm_storeu_ps(outRight + i, _mm_loadu_ps(right + i));
    }
    for (; i < count; ++i)
    {
        outLeft[i] = left[i];
        outRight[i] = right[i];
    }
}

#else

void energiesOf(const float* detectorLeft, const float* detectorRight, float* energies)
{
    for (int i = 0; i < kBlockSize; ++i)
    {
        const float sum =
            detectorLeft[i] * detectorLeft[i] + detectorRight[i] * detectorRight[i] + kTinyFloat;
        energies[i] = sum < kLargestEnergy ? sum : kLargestEnergy;
    }
}

void targetsOf(const float* meanSquares, const float* levels, float threshold, float quietBound,
               float* targets)
{
    for (int i = 0; i < kBlockSize; ++i)
    {
        float over = 0.0f;
        if (!(meanSquares[i] < quietBound))
        {
            over = levels[i] - threshold;
            if (over < 0.0f)
            {
                over = 0.0f;
            }
        }
        targets[i] = over + kTinyFloat;
    }
}

bool allBelow(const float* values, float bound)
{
    bool below = true;
    for (int i = 0; i < kBlockSize; ++i)
    {
        below &= values[i] < bound;
    }
    return below;
}

bool allEqual(const float* values, float value)
{
    bool equal = true;
    for (int i = 0; i < kBlockSize; ++i)
    {
        equal &= values[i] == value;
    }
    return equal;
}

bool applyGains(float* left, float* right, const float* gains, float low, float high, float* smallestGains)
{
    bool within = true;
    float smallest = smallestGains[0];
    for (int i = 0; i < kBlockSize; ++i)
    {
        left[i] *= gains[i];
        right[i] *= gains[i];
        within &= gains[i] >= low && gains[i] <= high;
        smallest = gains[i] < smallest ? gains[i] : smallest;
    }
    smallestGains[0] = smallest;
    return within;
}

// Without SSE2 every position takes the extended-precision formula.
std::uint32_t levelsOfSse2(const float*, float*)
{
    return 0xFFFFu;
}
std::uint32_t gainsOfSse2(float, const float*, float*)
{
    return 0xFFFFu;
}
bool scaledBySse2(const float*, const float*, float*, float*, int, double)
{
    return false;
}

void enterSse2(const float* inLeft, const float* inRight, float* dryLeft, float* dryRight, float* wetLeft,
               float* wetRight, int count, float loudest)
{
    for (int i = 0; i < count; ++i)
    {
        const float left = inLeft[i], right = inRight[i];
        dryLeft[i] = wetLeft[i] = left >= -loudest && left <= loudest ? left : 0.0f;
        dryRight[i] = wetRight[i] = right >= -loudest && right <= loudest ? right : 0.0f;
    }
}

void copyPair(const float* left, const float* right, float* outLeft, float* outRight, int count)
{
    for (int i = 0; i < count; ++i)
    {
        outLeft[i] = left[i];
        outRight[i] = right[i];
    }
}

#endif

namespace
{
// The forms in use. They start as the SSE2 ones (set before any code runs)
// and are switched once, while the library loads, where the processor has
// AVX2: the audio thread only reads them, and code that runs earlier still
// finds forms that work.
struct SForms
{
    std::uint32_t (*levels)(const float*, float*);
    std::uint32_t (*gains)(float, const float*, float*);
    void (*enter)(const float*, const float*, float*, float*, float*, float*, int, float);
    bool (*scaled)(const float*, const float*, float*, float*, int, double);
};
constinit SForms g_forms{levelsOfSse2, gainsOfSse2, enterSse2, scaledBySse2};

bool chooseForms()
{
#if VANTOR_BLOCKMATH_AVX2
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
    {
        g_forms = {levelsOfAvx2, gainsOfAvx2, enterAvx2, scaledByAvx2};
        return true;
    }
#endif
    return false;
}

const bool kHasAvx2 = chooseForms();
} // namespace

bool hasAvx2()
{
    return kHasAvx2;
}

std::uint32_t levelsOf(const float* meanSquares, float* levels)
{
    return g_forms.levels(meanSquares, levels);
}

std::uint32_t gainsOf(float slope, const float* envelopes, float* gains)
{
    return g_forms.gains(slope, envelopes, gains);
}

bool scaledBy(const float* left, const float* right, float* outLeft, float* outRight, int count, double gain)
{
    return g_forms.scaled(left, right, outLeft, outRight, count, gain);
}

void enter(const float* inLeft, const float* inRight, float* dryLeft, float* dryRight, float* wetLeft,
           float* wetRight, int count, float loudest)
{
    g_forms.enter(inLeft, inRight, dryLeft, dryRight, wetLeft, wetRight, count, loudest);
}

} // namespace Vantor::Quellor::BlockMath
