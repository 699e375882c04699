#include <gtest/gtest.h>

#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Polygon.hpp"

using namespace Vantor::MathTools;

TEST(Point, ArithmeticCopiesAndDescription)
{
    CPoint point(3, -4);
    point += CPoint(10, 10);
    point -= CPoint(3, 6);
    EXPECT_EQ(point, CPoint(10, 0));
    point.offset(-1, 2);
    point.offset(CPoint(1, 1));
    EXPECT_EQ(point, CPoint(10, 3));
    EXPECT_FALSE(point == CPoint(10, 4));

    char buffer[64];
    CPoint(-7, 12).getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "[-7,12]");
    CPoint(-7, 12).getObjectDescription(buffer, 4);
    EXPECT_STREQ(buffer, "[-7") << "cut to the buffer";

    auto* original = new CPoint(1, 2);
    original->referenced();
    CPoint copy(*original);
    EXPECT_EQ(copy, *original);
    EXPECT_EQ(copy.getReferenceCount(), 0) << "a copy does not copy ownership";
    original->dereference();
}

TEST(Polygon, PointsAndComparison)
{
    CPolygon square(4);
    EXPECT_EQ(*square.getPoint(3), CPoint(0, 0));
    EXPECT_EQ(square.getPoint(4), nullptr);
    EXPECT_EQ(square.getPoint(-1), nullptr);
    square.setPoint(10, 0, 1);
    square.setPoint(CPoint(10, 10), 2);
    square.setPoint(0, 10, 3);
    square.setPoint(99, 99, 4); // out of range: ignored

    CPolygon copy(square);
    EXPECT_TRUE(copy == square);
    copy.offset(CPoint(1, 1));
    EXPECT_EQ(*copy.getPoint(2), CPoint(11, 11));
    EXPECT_FALSE(copy == square);

    CPolygon triangle(3);
    EXPECT_FALSE(triangle == square);
    triangle = square;
    EXPECT_TRUE(triangle == square);
    triangle.setNumberOfPoints(0);
    EXPECT_TRUE(triangle == CPolygon());
}
