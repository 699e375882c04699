#include "framework/basics/Bool.hpp"
#include "framework/basics/Double.hpp"
#include "framework/basics/Float.hpp"
#include "framework/basics/Long.hpp"

#include <gtest/gtest.h>

#include <climits>

using namespace Vantor::Basics;

namespace
{

template <class Box, class... Width> std::string textOf(const Box& box, Width... width)
{
    CString text;
    box.getValueAsString(text, width...);
    return text.getString();
}

std::string descriptionOf(const ICountedObject& object)
{
    char buffer[128];
    object.getObjectDescription(buffer, sizeof(buffer));
    return buffer;
}

} // namespace

TEST(BoxedValueTest, BoolTexts)
{
    CBool flag(false);
    EXPECT_EQ(textOf(flag), "False");
    flag = true;
    EXPECT_EQ(textOf(flag), "True");
    EXPECT_EQ(descriptionOf(flag), "True");
}

TEST(BoxedValueTest, LongTextsArePaddedToTheWidth)
{
    EXPECT_EQ(textOf(CLong(7), 2L), "07");
    EXPECT_EQ(textOf(CLong(7), 4L), "0007");
    EXPECT_EQ(textOf(CLong(12345), 2L), "12345"); // never cut
    EXPECT_EQ(textOf(CLong(-7), 3L), "-07");
    EXPECT_EQ(textOf(CLong(7), 0L), "7");
    EXPECT_EQ(textOf(CLong(7), -3L), "7");
    EXPECT_EQ(textOf(CLong(INT32_MIN), 2L), "-2147483648");
    EXPECT_EQ(descriptionOf(CLong(3)), "03");
}

TEST(BoxedValueTest, RealArithmeticAndDivisionByZero)
{
    CDouble value(2.5);
    value /= 0.0;
    EXPECT_TRUE(value.isZero());
    EXPECT_EQ(textOf(value, 2L), "0.00");

    value = 1.0;
    value += CDouble(2.0);
    value *= 4.0;
    value -= 2.0;
    value /= CDouble(4.0);
    EXPECT_DOUBLE_EQ(value.getValue(), 2.5);
    value /= CDouble(0.0);
    EXPECT_EQ(value, 0.0);

    CFloat gain(3.0f);
    gain /= 0.0f;
    EXPECT_EQ(gain.getValue(), 0.0f);
}

TEST(BoxedValueTest, RealTextsUseTheRequestedDecimals)
{
    EXPECT_EQ(textOf(CDouble(0.5), 2L), "0.50");
    EXPECT_EQ(textOf(CDouble(-1.005), 1L), "-1.0");
    EXPECT_EQ(textOf(CDouble(1.0 / 3.0), 12L), "0.333333333333");
    EXPECT_EQ(textOf(CFloat(0.1f), 9L), "0.100000001"); // a float's own value
    EXPECT_EQ(descriptionOf(CDouble(3.14159)), "3.14");
}

TEST(BoxedValueTest, EachBoxCountsUnderItsOwnRecord)
{
    // The real-number boxes share a template base; each must still be
    // counted as its own class.
    const auto doubles = CDouble::getStaticClass().getInstanceCount();
    const auto floats = CFloat::getStaticClass().getInstanceCount();
    {
        const CDouble original(4.25);
        const CDouble copy(original);
        EXPECT_EQ(copy, original);
        EXPECT_EQ(CDouble::getStaticClass().getInstanceCount(), doubles + 2);
        EXPECT_EQ(CFloat::getStaticClass().getInstanceCount(), floats);
        EXPECT_STREQ(copy.getClass().getClassName(), "CDouble");
    }
    EXPECT_EQ(CDouble::getStaticClass().getInstanceCount(), doubles);
}
