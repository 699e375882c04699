#include <gtest/gtest.h>

#include "framework/mathtools/Rect.hpp"

using namespace Vantor::MathTools;
using Vantor::Basics::CString;

namespace
{

void expectRect(const CRect& rect, long left, long top, long width, long height)
{
    EXPECT_EQ(rect.getLeft(), left);
    EXPECT_EQ(rect.getTop(), top);
    EXPECT_EQ(rect.getWidth(), width);
    EXPECT_EQ(rect.getHeight(), height);
    EXPECT_EQ(rect.getRight(), left + width) << "right follows left and width";
    EXPECT_EQ(rect.getBottom(), top + height) << "bottom follows top and height";
}

} // namespace

TEST(Rect, EdgesFollowEveryChange)
{
    CRect rect(10, 20, 30, 40);
    rect.setLeft(5);
    expectRect(rect, 5, 20, 30, 40);
    rect.setTop(-5);
    rect.setWidth(3);
    rect.setHeight(4);
    expectRect(rect, 5, -5, 3, 4);
    rect.setOrigin(CPoint(1, 2));
    rect.setDimension(CDimension(8, 9));
    expectRect(rect, 1, 2, 8, 9);
    rect.offset(CPoint(-1, 3));
    expectRect(rect, 0, 5, 8, 9);
    rect.inset(2);
    expectRect(rect, 2, 7, 4, 5);
    rect.inset(-3);
    expectRect(rect, -1, 4, 10, 11);
    expectRect(CRect(CPoint(2, 3), CDimension(4, 5)), 2, 3, 4, 5);

    CRect negative(-3, -3, 5, 5);
    negative.scale(0.5);
    expectRect(negative, -1, -1, 2, 2); // truncation toward zero, not down
    EXPECT_EQ(CRect(10, 20, 5, 7).getCentralYPosition(), 23);
    EXPECT_EQ(CRect(-10, 0, 5, 5).getCentralXPosition(), -8);
}

TEST(Rect, ContainmentIntersectionAndNativeForm)
{
    EXPECT_FALSE(CRect(1, 2, 3, 4) == CRect(1, 2, 3, 5));
    const CRect rect(10, 10, 5, 5);
    EXPECT_TRUE(rect.isPointInside(CPoint(10, 10)));
    EXPECT_TRUE(rect.isPointInside(CPoint(14, 14)));
    EXPECT_FALSE(rect.isPointInside(CPoint(15, 14))) << "right edge is exclusive";
    EXPECT_FALSE(rect.isPointInside(CPoint(14, 15))) << "bottom edge is exclusive";
    EXPECT_FALSE(rect.isPointInside(CPoint(9, 12)));

    CRect result;
    CRect::getIntersection(CRect(0, 0, 10, 10), CRect(5, 6, 10, 10), result);
    expectRect(result, 5, 6, 5, 4);
    CRect::getIntersection(CRect(0, 0, 10, 10), CRect(20, 0, 5, 5), result);
    EXPECT_LT(result.getWidth(), 0) << "disjoint rectangles give a negative size";

    struct SNative
    {
        long left, top, right, bottom;
    } native{};
    CRect(1, 2, 3, 4).copyToNativeRect(native);
    EXPECT_EQ(native.right, 4);
    EXPECT_EQ(native.bottom, 6);
    result.setFromNativeRect(SNative{10, 20, 15, 40});
    expectRect(result, 10, 20, 5, 20);
}

TEST(Rect, TextForms)
{
    EXPECT_STREQ(CRect::toString(CRect(-1, 0, 2, -3)).getString(), "-1,0,2,-3");
    expectRect(CRect::fromString(CString("-5,6,70,800")), -5, 6, 70, 800);
    for (const char* malformed : {"1,2,3", "1,2,3,4,5", ""})
    {
        SCOPED_TRACE(malformed);
        expectRect(CRect::fromString(CString(malformed)), 0, 0, 0, 0);
    }
    char buffer[64];
    CRect(-1, 2, 300, 4).getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "[-1,2,300,4]");
    CRect(-1, 2, 300, 4).getObjectDescription(buffer, 6);
    EXPECT_STREQ(buffer, "[-1,2");
}
