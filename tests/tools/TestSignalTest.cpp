#include "tools/pressora/TestSignal.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using Vantor::Pressora::CTestSignal;

namespace
{

float peak(const std::vector<float>& samples, std::size_t begin, std::size_t end)
{
    float result = 0.0f;
    for (std::size_t i = begin; i < end; ++i)
    {
        result = std::max(result, std::fabs(samples[i]));
    }
    return result;
}

} // namespace

TEST(TestSignal, IsReproducibleAndGivesACompressorWork)
{
    const CTestSignal a(4.0);
    const CTestSignal b(4.0);
    ASSERT_EQ(a.frameCount(), 4u * 44100u);
    EXPECT_EQ(a.left(), b.left());
    EXPECT_NE(a.left(), CTestSignal(4.0, 44100, 7).left()); // the seed matters
    EXPECT_NE(a.left(), a.right());

    // Never clips, but spans loud and quiet stretches.
    EXPECT_LE(std::max(peak(a.left(), 0, a.frameCount()), peak(a.right(), 0, a.frameCount())), 1.0f);
    float loudest = 0.0f;
    float quietest = 1.0f;
    for (std::size_t start = 0; start + 4410 <= a.frameCount(); start += 4410)
    {
        const float level = peak(a.left(), start, start + 4410);
        loudest = std::max(loudest, level);
        quietest = std::min(quietest, level);
    }
    EXPECT_GT(loudest, 0.4f);
    EXPECT_LT(quietest, 0.05f);
    EXPECT_THROW(CTestSignal(0.0), std::invalid_argument);
    EXPECT_EQ(CTestSignal(1e-6).frameCount(), 1u);
}
