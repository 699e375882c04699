#include <gtest/gtest.h>

#include <cmath>

#include "framework/gui/controls/LevelMeter.hpp"
#include "tests/gui/ControlTestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Controls::CLevelMeter;
using Graphics::CAlphaColour;
using MathTools::CRect;

namespace
{
using LevelMeterTest = Tests::CControlWindowTest;
} // namespace

TEST_F(LevelMeterTest, SegmentsAreLaidOutAlongTheLongerSide)
{
    struct SGeometryCase
    {
        CRect area;
        long steps;
        bool vertical;
        long segmentWidth, segmentHeight;
        CRect first, second;
        CLevelMeter::EDirection direction = CLevelMeter::kUpward;
    };
    // Turned down, the same places are lit from the other end.
    const SGeometryCase cases[] = {
        {CRect(460, 55, 10, 75), 15, true, 6, 2, CRect(2, 71, 6, 2), CRect(2, 67, 6, 2)},
        {CRect(0, 0, 100, 20), 10, false, 7, 16, CRect(2, 2, 7, 16), CRect(11, 2, 7, 16)},
        {CRect(0, 0, 20, 20), 2, false, 5, 16, CRect(2, 2, 5, 16), CRect(9, 2, 5, 16)},
        {CRect(0, 0, 12, 130), 4, true, 8, 29, CRect(2, 99, 8, 29), CRect(2, 68, 8, 29)},
        {CRect(481, 55, 8, 75), 15, true, 4, 2, CRect(2, 15, 4, 2), CRect(2, 19, 4, 2),
         CLevelMeter::kDownward},
        {CRect(0, 0, 100, 20), 10, false, 7, 16, CRect(83, 2, 7, 16), CRect(74, 2, 7, 16),
         CLevelMeter::kDownward},
    };
    for (const SGeometryCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << CRect::toString(c.area).getString() << " x" << c.steps);
        CLevelMeter meter(root, -1, c.area, c.steps);
        meter.setDirection(c.direction);
        EXPECT_EQ(meter.isVertical(), c.vertical);
        EXPECT_EQ(meter.getSegmentSize(), MathTools::CDimension(c.segmentWidth, c.segmentHeight));
        EXPECT_EQ(meter.getSegmentArea(0), c.first);
        EXPECT_EQ(meter.getSegmentArea(1), c.second);
    }

    // A new area lays the segments out again.
    CLevelMeter meter(root, -1, CRect(0, 0, 10, 75), 15);
    meter.setArea(CRect(0, 0, 75, 10));
    EXPECT_FALSE(meter.isVertical());
    EXPECT_EQ(meter.getSegmentSize(), MathTools::CDimension(2, 6));
}

TEST_F(LevelMeterTest, ValuesAreClampedAndLightTheSegmentsTheyReach)
{
    // Not a number is silence.
    const std::pair<double, long> cases[] = {{0.0, 0},  {0.0001, 1}, {0.5, 8},  {1.0 / 15, 1},    {0.99, 15},
                                             {1.0, 15}, {1.5, 15},   {-0.2, 0}, {std::nan(""), 0}};
    CLevelMeter meter(root, -1, CRect(460, 55, 10, 75), 15);
    const size_t before = invalidations();
    for (const auto& [value, lit] : cases)
    {
        SCOPED_TRACE(value);
        meter.setValue(value);
        EXPECT_EQ(meter.getLitSegments(), lit);
        EXPECT_DOUBLE_EQ(meter.getValue(), std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0));
    }
    EXPECT_EQ(invalidations(), before) << "the owner decides when to repaint";
}

TEST_F(LevelMeterTest, ColoursStepFromTheBaseAndStopOneStepShortOfTheMax)
{
    struct SColourCase
    {
        CAlphaColour base, max;
        long steps;
        long index;
        CAlphaColour expected;
    };
    const SColourCase cases[] = {
        {CAlphaColour(102, 200, 85), CAlphaColour(243, 32, 32), 15, 14, CAlphaColour(228, 46, 43)},
        {CAlphaColour(85, 86, 200), CAlphaColour(255, 255, 255), 10, 9, CAlphaColour(238, 230, 245)},
        {CAlphaColour(0, 0, 0, 100), CAlphaColour(10, 10, 10), 3, 0, CAlphaColour(0, 0, 0, 100)},
        {CAlphaColour(0, 0, 0, 100), CAlphaColour(10, 10, 10), 3, 2, CAlphaColour(6, 6, 6, 255)},
    };
    for (const SColourCase& c : cases)
    {
        CLevelMeter meter(root, -1, CRect(0, 0, 10, 75), c.steps);
        meter.setColours(c.base, c.max);
        EXPECT_EQ(meter.getSegmentColour(c.index), c.expected) << c.steps << " steps, segment " << c.index;
    }
}

TEST_F(LevelMeterTest, DrawsTheLitSegmentsOnlyFromTheBottom)
{
    CLevelMeter meter(root, -1, CRect(0, 0, 10, 75), 15);
    meter.setColours(CAlphaColour(102, 200, 85), CAlphaColour(243, 32, 32));
    meter.setValue(0.2); // 3 segments
    Tests::CControlPicture picture(meter, 10, 75);
    const std::uint32_t white = Platform::makeColour(255, 255, 255);
    EXPECT_EQ(picture.pixel(4, 72), Platform::makeColour(102, 200, 85)) << "first, at the bottom";
    EXPECT_EQ(picture.pixel(4, 68), Platform::makeColour(111, 189, 82));
    EXPECT_EQ(picture.pixel(4, 64), Platform::makeColour(120, 178, 79));
    EXPECT_EQ(picture.pixel(4, 60), white) << "the fourth is not lit";
    EXPECT_EQ(picture.pixel(4, 70), white) << "gap between segments";
    EXPECT_EQ(picture.pixel(0, 72), white) << "no background without default drawing";
}

TEST_F(LevelMeterTest, NoStepsOrNoRoomDrawsNothingAndNeverDividesByZero)
{
    for (long steps : {0L, -3L})
    {
        CLevelMeter meter(root, -1, CRect(0, 0, 10, 75), steps);
        meter.setValue(1.0);
        EXPECT_EQ(meter.getLitSegments(), 0);
        Tests::CControlPicture picture(meter, 10, 75);
        EXPECT_EQ(picture.pixel(4, 72), Platform::makeColour(255, 255, 255));
    }
    // Fifteen segments in 3 x 3 pixels have no room: lit, they still draw nothing.
    CLevelMeter tiny(root, -1, CRect(0, 0, 3, 3), 15);
    tiny.setValue(1.0);
    Tests::CControlPicture picture(tiny, 3, 3);
    for (int y = 0; y < 3; ++y)
    {
        for (int x = 0; x < 3; ++x)
        {
            EXPECT_EQ(picture.pixel(x, y), Platform::makeColour(255, 255, 255)) << x << ", " << y;
        }
    }
}
