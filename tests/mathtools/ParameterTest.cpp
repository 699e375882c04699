#include <gtest/gtest.h>

#include "framework/mathtools/Interpolation.hpp"
#include "framework/mathtools/Parameter.hpp"

using namespace Vantor::MathTools;
using Vantor::Basics::CString;

TEST(Parameter, NormalisedValuesRangesAndText)
{
    EXPECT_DOUBLE_EQ(CParameter().getValue(), 0.5);
    EXPECT_DOUBLE_EQ(CParameter().getRange(), 1.0);
    CParameter parameter(-10.0, 10.0, 0.25);
    EXPECT_DOUBLE_EQ(parameter.getValue(), -5.0);
    EXPECT_DOUBLE_EQ(parameter.setNormalisedValueAndGetValue(1.5), 20.0) << "not limited to 0 … 1";
    parameter.setNormalisedValue(0.5);

    parameter.setRange(5.0, 1.0); // inverted: ignored
    EXPECT_DOUBLE_EQ(parameter.getMinimum(), -10.0);
    EXPECT_DOUBLE_EQ(parameter.getRange(), 20.0);
    parameter.setRange(1.0, 5.0);
    EXPECT_DOUBLE_EQ(parameter.getValue(), 0.0) << "the value stays";
    EXPECT_DOUBLE_EQ(parameter.setNormalisedValueAndGetValue(0.5), 3.0);
    EXPECT_DOUBLE_EQ(CParameter(2.0, 2.0, 0.7).getValue(), 2.0) << "an empty range is allowed";

    CParameter percent(0.0, 100.0, 0.12345);
    CString text;
    percent.getValueAsString(text);
    EXPECT_STREQ(text.getString(), "12.35");
    percent.setNormalisedValue(-0.5);
    percent.getValueAsString(text);
    EXPECT_STREQ(text.getString(), "-50.00");
}

TEST(Interpolation, IntegersRoundUpAndNormalisationStopsBelowOne)
{
    // {from, to, position, expected}: halves round up, also below zero.
    const struct
    {
        long from, to;
        double position;
        long expected;
    } rows[] = {{0, 10, 0.01, 1}, {0, 10, 0.0, 0}, {0, 10, 1.0, 10}, {10, 0, 0.25, 8}, {0, -10, 0.25, -2}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.position);
        EXPECT_EQ(CInterpolation::interpolate(row.from, row.to, row.position), row.expected);
    }
    EXPECT_DOUBLE_EQ(CInterpolation::normalise(0, 100, 100), 0.99999);
    EXPECT_DOUBLE_EQ(CInterpolation::normalise(0, 100, 0), 0.0);
    EXPECT_DOUBLE_EQ(CInterpolation::normalise(50, 150, 100), 0.99999 / 2.0);
    EXPECT_DOUBLE_EQ(CInterpolation::interpolate(1.0, 3.0, 0.25), 1.5);
}
