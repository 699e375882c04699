#include <gtest/gtest.h>

#include "framework/mathtools/Interpolation.hpp"
#include "framework/mathtools/Parameter.hpp"

using namespace Vantor::MathTools;
using Vantor::Basics::CString;

TEST(Parameter, DefaultsAndNormalisedValues)
{
    CParameter parameter;
    EXPECT_DOUBLE_EQ(parameter.getValue(), 0.5);
    EXPECT_DOUBLE_EQ(parameter.getRange(), 1.0);

    CParameter ranged(-10.0, 10.0, 0.25);
    EXPECT_DOUBLE_EQ(ranged.getValue(), -5.0);
    ranged.setNormalisedValue(0.5);
    EXPECT_DOUBLE_EQ(ranged.getValue(), 0.0);
    EXPECT_DOUBLE_EQ(ranged.setNormalisedValueAndGetValue(1.5), 20.0) << "not limited to 0 … 1";
}

TEST(Parameter, InvertedRangeIsIgnored)
{
    CParameter parameter(-10.0, 10.0, 0.5);
    parameter.setRange(5.0, 1.0);
    EXPECT_DOUBLE_EQ(parameter.getMinimum(), -10.0);
    EXPECT_DOUBLE_EQ(parameter.getMaximum(), 10.0);
    EXPECT_DOUBLE_EQ(parameter.getRange(), 20.0);

    parameter.setRange(1.0, 5.0);
    EXPECT_DOUBLE_EQ(parameter.getValue(), 0.0) << "the value stays";
    EXPECT_DOUBLE_EQ(parameter.setNormalisedValueAndGetValue(0.5), 3.0);

    CParameter point(2.0, 2.0, 0.7);
    EXPECT_DOUBLE_EQ(point.getValue(), 2.0) << "an empty range is allowed";
}

TEST(Parameter, TextHasTwoDecimals)
{
    CParameter parameter(0.0, 100.0, 0.12345);
    CString text;
    parameter.getValueAsString(text);
    EXPECT_STREQ(text.getString(), "12.35");
    parameter.setNormalisedValue(-0.5);
    parameter.getValueAsString(text);
    EXPECT_STREQ(text.getString(), "-50.00");
}

TEST(Interpolation, IntegerFormRoundsUp)
{
    EXPECT_EQ(CInterpolation::interpolate(0L, 10L, 0.01), 1);
    EXPECT_EQ(CInterpolation::interpolate(0L, 10L, 0.0), 0);
    EXPECT_EQ(CInterpolation::interpolate(0L, 10L, 1.0), 10);
    EXPECT_EQ(CInterpolation::interpolate(10L, 0L, 0.25), 8) << "7.5 rounds up";
    EXPECT_EQ(CInterpolation::interpolate(0L, -10L, 0.25), -2) << "-2.5 rounds up too";
}

TEST(Interpolation, NormalisationStopsJustBelowOne)
{
    EXPECT_DOUBLE_EQ(CInterpolation::normalise(0, 100, 100), 0.99999);
    EXPECT_DOUBLE_EQ(CInterpolation::normalise(0, 100, 0), 0.0);
    EXPECT_DOUBLE_EQ(CInterpolation::normalise(50, 150, 100), 0.99999 / 2.0);
    EXPECT_DOUBLE_EQ(CInterpolation::interpolate(1.0, 3.0, 0.25), 1.5);
}
