#include <gtest/gtest.h>

#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/gui/graphics/Colour.hpp"

using namespace Vantor;
using Vantor::GUI::Graphics::CAlphaColour;
using Vantor::GUI::Graphics::CColour;

TEST(Colour, BrightenAndDarkenMoveHalfWay)
{
    CColour black(0, 0, 0);
    black.brighten();
    EXPECT_EQ(black, CColour(128, 128, 128));

    CColour white(255, 255, 255);
    white.darken();
    EXPECT_EQ(white, CColour(127, 127, 127));

    CColour stays(255, 255, 255);
    stays.brighten();
    EXPECT_EQ(stays, CColour(255, 255, 255));

    CAlphaColour translucent(100, 0, 200, 77);
    translucent.darken();
    EXPECT_EQ(translucent, CAlphaColour(50, 0, 100, 77));
}

TEST(Colour, PackingsForTheDrawingLayer)
{
    const CColour colour(0x12, 0x34, 0x56);
    EXPECT_EQ(colour.getColourReference(), 0x563412u);
    EXPECT_EQ(CAlphaColour(0x12, 0x34, 0x56, 0x80).getARGB(), 0x80123456u);
}

TEST(Colour, TextForms)
{
    char buffer[64];
    CColour(1, 2, 3).getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "[1,2,3]");
    CAlphaColour(1, 2, 3, 4).getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "[1,2,3,4]");
    EXPECT_STREQ(CAlphaColour::toString(CAlphaColour(55, 67, 69, 255)).getString(), "55,67,69,255");
}

TEST(Colour, ReadingNeedsExactlyFourNumbers)
{
    EXPECT_EQ(CAlphaColour::fromString("10,20,30,40"), CAlphaColour(10, 20, 30, 40));
    EXPECT_NE(CAlphaColour::fromString("10,20,30,40"), CAlphaColour(10, 20, 30, 41)); // alpha compares too
    EXPECT_EQ(CAlphaColour::fromString("10,20,30"), CAlphaColour(0, 0, 0, 0));
    EXPECT_EQ(CAlphaColour::fromString("1,2,3,4,5"), CAlphaColour(0, 0, 0, 0));
    EXPECT_EQ(CAlphaColour::fromString(""), CAlphaColour(0, 0, 0, 0));
}
