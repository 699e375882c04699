// The audio thread's entry points allocate nothing (tests/AllocationHooks.cpp
// counts every allocation of this program). With the editor open: RealTimeEditorTest.cpp.
#include <gtest/gtest.h>

#include <memory>

#include "plugin/Quellor.hpp"
#include "tests/AllocationHooks.hpp"
#include "tests/plugin/RealTimeSupport.hpp"

using Vantor::Quellor::CQuellor;

TEST(RealTime, TheAudioThreadAllocatesNothing)
{
    const auto effect = std::make_unique<CQuellor>(nullptr);
    effect->resume();
    EXPECT_EQ(RealTimeTest::audioThreadAllocations(*effect), 0);

    // The counter does see allocations.
    Vantor::Testing::CAllocationCounter counter;
    delete new CQuellor(nullptr);
    EXPECT_GT(counter.count(), 0);
}
