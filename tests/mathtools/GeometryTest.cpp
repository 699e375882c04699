#include <gtest/gtest.h>

#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Polygon.hpp"

using namespace Vantor::MathTools;

namespace
{

std::string describe(const Vantor::Basics::ICountedObject& object, long size = 64)
{
    char buffer[64];
    object.getObjectDescription(buffer, size);
    return buffer;
}

} // namespace

TEST(Point, ArithmeticAndDescription)
{
    CPoint point(3, -4);
    point += CPoint(10, 10);
    EXPECT_EQ(point, CPoint(13, 6));
    point -= CPoint(3, 6);
    EXPECT_EQ(point, CPoint(10, 0));
    point.offset(-1, 2);
    point.offset(CPoint(1, 1));
    EXPECT_EQ(point, CPoint(10, 3));
    EXPECT_FALSE(point == CPoint(10, 4));
    EXPECT_EQ(describe(CPoint(-7, 12)), "[-7,12]");
    EXPECT_EQ(describe(CPoint(-7, 12), 4), "[-7") << "cut to the buffer";
}

TEST(Point, CopiesDoNotCopyOwnership)
{
    auto* original = new CPoint(1, 2);
    original->referenced();
    CPoint copy(*original);
    EXPECT_EQ(copy, *original);
    EXPECT_EQ(copy.getReferenceCount(), 0);
    original->dereference();
}

TEST(Polygon, PointsAndComparison)
{
    CPolygon square(4);
    EXPECT_EQ(square.getNumberOfPoints(), 4);
    EXPECT_EQ(*square.getPoint(3), CPoint(0, 0));
    EXPECT_EQ(square.getPoint(4), nullptr);
    EXPECT_EQ(square.getPoint(-1), nullptr);

    square.setPoint(0, 0, 0);
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
    EXPECT_EQ(triangle.getNumberOfPoints(), 4);
    EXPECT_TRUE(triangle == square);

    triangle.setNumberOfPoints(0);
    EXPECT_EQ(triangle.getNumberOfPoints(), 0);
    EXPECT_TRUE(triangle == CPolygon());
}
