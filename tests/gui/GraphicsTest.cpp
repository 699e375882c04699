#include <gtest/gtest.h>

#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/BaseImage.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/TGAImage.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Graphics::CAlphaColour;
using MathTools::CPoint;
using MathTools::CRect;
using Platform::makeColour;

namespace
{
constexpr std::uint32_t kWhite = makeColour(255, 255, 255);
constexpr std::uint32_t kBlack = makeColour(0, 0, 0);

class GraphicsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(graphics.begin(MathTools::CDimension(40, 30))); }
    void TearDown() override { graphics.end(); }

    std::uint32_t pixel(int x, int y) { return graphics.getSurface()->getPixel(x, y); }

    // The bounding box of the pixels that differ from white (width 0 when none do).
    CRect inkBox()
    {
        int left = 1000, top = 1000, right = -1, bottom = -1;
        for (int y = 0; y < graphics.getSize().getHeight(); y++)
        {
            for (int x = 0; x < graphics.getSize().getWidth(); x++)
            {
                if (pixel(x, y) != kWhite)
                {
                    left = std::min(left, x), top = std::min(top, y);
                    right = std::max(right, x), bottom = std::max(bottom, y);
                }
            }
        }
        return right < 0 ? CRect() : CRect(left, top, right - left + 1, bottom - top + 1);
    }

    Graphics::CGraphics graphics;
    Tests::CScratchFolder folder;
};
} // namespace

TEST_F(GraphicsTest, LinesMoveByTheOffsetAndLeaveOutTheirEnd)
{
    graphics.setDrawingAreaOffset(CPoint(10, 20));
    graphics.drawLine(CPoint(0, 0), CPoint(5, 0));
    EXPECT_EQ(inkBox(), CRect(10, 20, 5, 1));
    EXPECT_EQ(pixel(10, 20), kBlack);
}

TEST_F(GraphicsTest, RectangleOutlineTouchesItsOuterPixels)
{
    graphics.drawRectangle(CRect(0, 0, 10, 10));
    EXPECT_EQ(inkBox(), CRect(0, 0, 10, 10));
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{9, 0}, std::pair{0, 9}, std::pair{9, 9}})
    {
        EXPECT_EQ(pixel(x, y), kBlack) << x << "," << y;
    }
    EXPECT_EQ(pixel(5, 5), kWhite);
}

TEST_F(GraphicsTest, ClipLimitsDrawingInDeviceCoordinates)
{
    graphics.getBrush().setColour(CAlphaColour(0, 0, 0));
    graphics.setDrawingAreaOffset(CPoint(5, 5));
    graphics.getClip().setClip(CRect(10, 10, 5, 5));
    graphics.fillRectangle(CRect(0, 0, 30, 20));
    EXPECT_EQ(inkBox(), CRect(10, 10, 5, 5));
    graphics.getClip().resetClip();
    graphics.fillRectangle(CRect(0, 0, 1, 1));
    EXPECT_EQ(pixel(5, 5), kBlack);
}

TEST_F(GraphicsTest, RoundedRectanglesSpareTheirCorners)
{
    graphics.getBrush().setColour(CAlphaColour(0, 0, 0));
    graphics.fillRoundedRectangle(CRect(0, 0, 20, 20), MathTools::CDimension(5, 5));
    EXPECT_EQ(pixel(0, 0), kWhite);
    EXPECT_EQ(pixel(19, 19), kWhite);
    EXPECT_EQ(pixel(10, 0), kBlack);
    EXPECT_EQ(pixel(0, 10), kBlack);
    EXPECT_EQ(pixel(10, 10), kBlack);
    EXPECT_EQ(inkBox(), CRect(0, 0, 20, 20));

    graphics.getPen().setColour(CAlphaColour(255, 0, 0));
    graphics.drawRoundedRectangle(CRect(20, 0, 20, 20), MathTools::CDimension(8, 8));
    EXPECT_EQ(pixel(20, 0), kWhite);
    EXPECT_EQ(pixel(30, 0), makeColour(255, 0, 0));
    EXPECT_EQ(pixel(30, 10), kWhite);
}

TEST_F(GraphicsTest, AntiAliasedPolygonNeedsThreePoints)
{
    MathTools::CPolygon two(2);
    two.setPoint(0, 0, 0);
    two.setPoint(30, 20, 1);
    graphics.drawAntiAliasedPolygon(two);
    EXPECT_EQ(inkBox(), CRect());

    MathTools::CPolygon three(3);
    three.setPoint(1, 1, 0);
    three.setPoint(20, 1, 1);
    three.setPoint(20, 15, 2);
    graphics.drawAntiAliasedPolygon(three);
    EXPECT_EQ(inkBox(), CRect(1, 1, 20, 15));
    EXPECT_EQ(pixel(5, 10), kWhite); // the figure is not closed
}

TEST_F(GraphicsTest, WuLineKeepsItsEndsAndBlendsBetweenNeighbours)
{
    graphics.setSmoothingPathAvailable(false);
    graphics.drawAntiAliasedLine(CPoint(20, 10), CPoint(0, 0));
    EXPECT_EQ(pixel(0, 0), kBlack);
    EXPECT_EQ(pixel(20, 10), kBlack);
    // Halfway the line falls between two rows: both are grey, together about one pixel of ink.
    const int upper = Platform::redOf(pixel(10, 5));
    const int lower = Platform::redOf(pixel(10, 6));
    EXPECT_LT(upper + lower, 2 * 255);
    EXPECT_NEAR((255 - upper) + (255 - lower), 255, 2);
    EXPECT_EQ(inkBox(), CRect(0, 0, 21, 11));

    // Straight lines are drawn solid, end point included.
    graphics.drawAntiAliasedLine(CPoint(0, 20), CPoint(10, 20));
    EXPECT_EQ(pixel(10, 20), kBlack);
    EXPECT_EQ(pixel(11, 20), kWhite);
}

TEST_F(GraphicsTest, AlphaPixelMixesWithWhatIsThere)
{
    graphics.getPen().setColour(CAlphaColour(0, 0, 0));
    graphics.drawAlphaPixel(CPoint(1, 1), 128);
    EXPECT_EQ(pixel(1, 1), makeColour(127, 127, 127));
    graphics.drawAlphaPixel(CPoint(2, 2), 255);
    EXPECT_EQ(pixel(2, 2), kBlack);
}

TEST_F(GraphicsTest, BevelsAreLitFromTheTopLeftWhenRaised)
{
    graphics.getPen().setColour(CAlphaColour(100, 100, 100));
    graphics.getBrush().setColour(CAlphaColour(0, 0, 0));
    graphics.drawRaisedRectangle(CRect(0, 0, 10, 10));
    EXPECT_EQ(pixel(0, 0), makeColour(100, 100, 100)); // the border
    EXPECT_EQ(pixel(1, 5), makeColour(217, 217, 217)); // left: brightened twice
    EXPECT_EQ(pixel(5, 1), makeColour(217, 217, 217)); // top
    EXPECT_EQ(pixel(5, 9), makeColour(50, 50, 50));    // bottom: darkened
    EXPECT_EQ(pixel(5, 5), kBlack);
    EXPECT_EQ(graphics.getPen().getColour(), CAlphaColour(100, 100, 100));

    graphics.drawSunkenRectangle(CRect(20, 0, 10, 10));
    EXPECT_EQ(pixel(21, 5), makeColour(50, 50, 50));
    EXPECT_EQ(pixel(25, 9), makeColour(217, 217, 217));
}

TEST_F(GraphicsTest, ShadedRectangleRunsTowardsWhiteInTheMiddle)
{
    graphics.getPen().setColour(CAlphaColour(55, 155, 5));
    graphics.setDrawingAreaOffset(CPoint(2, 3));
    graphics.drawShadedRectangle(CRect(100, 100, 10, 10)); // only the size counts
    EXPECT_EQ(pixel(2, 3), makeColour(55, 155, 5));
    // half = 5, steps = (40, 20, 50): row 5 is the brightest.
    EXPECT_EQ(pixel(2, 8), makeColour(255, 255, 255));
    EXPECT_EQ(pixel(11, 9), makeColour(215, 235, 205));
    EXPECT_EQ(pixel(12, 3), kWhite); // w pixels wide
    EXPECT_EQ(graphics.getPen().getColour(), CAlphaColour(55, 155, 5));
}

TEST_F(GraphicsTest, AlphaImagesBlendWithTheirOwnAndAConstantAlpha)
{
    Tests::writeTarga(folder.file("half.tga"), 2, 2, std::vector<Tests::STargaPixel>(4, {0, 0, 0, 128}));
    Graphics::CTGAImage image(folder.file("half.tga").c_str());
    graphics.drawImage(&image, CRect(0, 0, 2, 2), image.getNormalisedImageArea());
    EXPECT_EQ(Platform::redOf(pixel(0, 0)), 127);
    graphics.drawAlphaImage(&image, CRect(10, 0, 2, 2), image.getNormalisedImageArea(), 0.5);
    EXPECT_NEAR(Platform::redOf(pixel(10, 0)), 191, 1);

    graphics.drawImage(nullptr, CRect(0, 0, 2, 2), CRect(0, 0, 2, 2));
    Graphics::CTGAImage unloaded;
    graphics.drawImage(&unloaded, CRect(20, 0, 2, 2), CRect(0, 0, 2, 2));
    EXPECT_EQ(pixel(20, 0), kWhite);
}

TEST_F(GraphicsTest, TextIsPlacedByItsAlignment)
{
    graphics.end();
    ASSERT_TRUE(graphics.begin(MathTools::CDimension(200, 60)));
    Fonts::CFont font("Arial", 16);
    const CRect area(10, 5, 180, 50);
    // Per alignment: horizontal and vertical placement, 0 = left/top, 1 = centre, 2 = right/bottom.
    const int cases[][2] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1},
                            {0, 2}, {1, 2}, {2, 2}, {0, 1}, {1, 1}};
    for (long alignment = 0; alignment < 11; alignment++)
    {
        SCOPED_TRACE(alignment);
        graphics.getSurface()->clear(kWhite);
        graphics.drawText("Wig", area, &font, alignment);
        const CRect ink = inkBox();
        ASSERT_GT(ink.getWidth(), 0);
        // Distance from the expected edge (one-sided) or from the middle (either side), and its tolerance.
        const long x[] = {ink.getLeft() - area.getLeft(),
                          std::abs(ink.getLeft() + ink.getWidth() / 2 - area.getLeft() - area.getWidth() / 2),
                          area.getRight() - ink.getRight()};
        const long y[] = {ink.getTop() - area.getTop(),
                          std::abs(ink.getTop() + ink.getHeight() / 2 - area.getTop() - area.getHeight() / 2),
                          area.getBottom() - ink.getBottom()};
        const int h = cases[alignment][0], v = cases[alignment][1];
        EXPECT_LE(x[h], h == 1 ? 3 : 4);
        EXPECT_LE(y[v], v == 1 ? 4 : 6);
    }
}

TEST_F(GraphicsTest, LongTextIsCutAtItsBoxNeitherWrappedNorTrimmed)
{
    Fonts::CFont font("Arial", 12);
    graphics.setDrawingAreaOffset(CPoint(3, 1));
    graphics.drawText("Wide text far wider than its box", CRect(2, 2, 20, 25), &font, 0);
    const CRect ink = inkBox();
    // One line that runs to the right edge of the (offset) box and no further.
    EXPECT_GE(ink.getLeft(), 5);
    EXPECT_EQ(ink.getRight(), 5 + 20);
    EXPECT_LT(ink.getHeight(), 16);
}

TEST_F(GraphicsTest, MeasuringNeedsAFontButTheWidthFallsBackToTheDefault)
{
    MathTools::CDimension plain;
    EXPECT_FALSE(Graphics::CGraphics::getTextExtent("abc", plain, nullptr));
    EXPECT_GT(Graphics::CGraphics::getTextWidth("abc", nullptr), 0);
}

TEST(Clip, NeedsASurface)
{
    Graphics::CClip clip;
    clip.setClip(CRect(0, 0, 5, 5)); // does nothing before initialise
    EXPECT_FALSE(clip.isClipping());
    Tests::expectException([&] { clip.initialise(nullptr, CRect()); }, "Native image is NULL",
                           "Vantor::GUI::Graphics::CClip::initialise");
}

TEST(Font, DescriptionFollowsTheFontsFields)
{
    Fonts::CFont font("Arial", 11, false, true);
    EXPECT_EQ(font.getLogicalFont().height, -11);
    EXPECT_EQ(font.getLogicalFont().weight, 700);
    font.setFaceName("A face name that is much longer than thirty-one characters");
    EXPECT_EQ(std::string(font.getLogicalFont().faceName), "A face name that is much longer");
    EXPECT_EQ(std::string(font.getLogicalFont().faceName).size(), 31u);

    Fonts::CFont parsed;
    ASSERT_TRUE(parsed.fromString(font.toString()));
    EXPECT_EQ(parsed.getSize(), 11);
    EXPECT_STREQ(Fonts::getAlignmentName(11), "");
}

namespace
{
// An opaque image without alpha (as decoded JPEG files are): left column red, right column blue.
class COpaqueImage : public Graphics::CBaseImage
{
public:
    COpaqueImage() : CBaseImage(false)
    {
        auto pixels = Platform::createDrawingSurface(2, 2, makeColour(255, 0, 0));
        pixels->fillRectangle({1, 0, 1, 2}, makeColour(0, 0, 255));
        takePixels(std::move(pixels));
    }
};
} // namespace

TEST_F(GraphicsTest, ImagesWithoutAlphaAreCopiedFromTheSourceCornerAtTheirOwnSize)
{
    COpaqueImage image;
    // Destination of the image's size: an unscaled copy starting at the source corner.
    graphics.drawImage(&image, CRect(0, 0, 2, 2), CRect(1, 0, 1, 1));
    EXPECT_EQ(pixel(0, 0), makeColour(0, 0, 255));
    EXPECT_EQ(pixel(0, 1), makeColour(0, 0, 255));
    // Another size: the source rectangle is stretched.
    graphics.drawImage(&image, CRect(10, 0, 4, 4), CRect(1, 0, 1, 2));
    EXPECT_EQ(inkBox(), CRect(0, 0, 14, 4));
    EXPECT_EQ(pixel(13, 3), makeColour(0, 0, 255));
    EXPECT_EQ(pixel(10, 0), makeColour(0, 0, 255));
    // Images without alpha take no constant alpha.
    graphics.drawAlphaImage(&image, CRect(20, 0, 2, 2), image.getNormalisedImageArea(), 0.5);
    EXPECT_EQ(pixel(20, 0), kWhite);
}

namespace
{
// A picture drawn for 2x screens: 4 x 4 pixels, 2 x 2 logical; left half red, right half blue.
class CDoubleDensityImage : public Graphics::CBaseImage
{
public:
    CDoubleDensityImage() : CBaseImage(false)
    {
        auto pixels = Platform::createDrawingSurface(4, 4, makeColour(255, 0, 0));
        pixels->fillRectangle({2, 0, 2, 4}, makeColour(0, 0, 255));
        takePixels(std::move(pixels));
        setImageDensity(2);
    }
};
} // namespace

TEST_F(GraphicsTest, AtAScaleShapesAndPicturesCoverTheDevicePixelsOfTheirLogicalArea)
{
    CDoubleDensityImage image;
    EXPECT_EQ(image.getImageSize(), MathTools::CDimension(2, 2));
    graphics.setScale(2.0);
    graphics.getBrush().setColour(CAlphaColour(0, 0, 0, 255));
    graphics.fillRectangle(CRect(1, 1, 2, 2));
    EXPECT_EQ(inkBox(), CRect(2, 2, 4, 4));
    // At its own density a picture is copied pixel for pixel.
    graphics.drawImage(&image, CRect(5, 0, 2, 2), image.getNormalisedImageArea());
    EXPECT_EQ(pixel(11, 0), makeColour(255, 0, 0));
    EXPECT_EQ(pixel(12, 0), makeColour(0, 0, 255));

    // At 1.5 it is shrunk: each device pixel averages what it covers (x 3..5 from 2..4 logical).
    ASSERT_TRUE(graphics.begin(MathTools::CDimension(40, 30)));
    graphics.setScale(1.5);
    graphics.drawImage(&image, CRect(2, 0, 2, 2), image.getNormalisedImageArea());
    EXPECT_EQ(inkBox(), CRect(3, 0, 3, 3));
    EXPECT_EQ(pixel(3, 1), makeColour(255, 0, 0));
    EXPECT_NEAR(Platform::redOf(pixel(4, 1)), 128, 1);
    EXPECT_NEAR(Platform::blueOf(pixel(4, 1)), 128, 1);
    EXPECT_EQ(pixel(5, 1), makeColour(0, 0, 255));
    // A clip of logical pixels limits the device pixels they cover.
    graphics.getClip().setClip(CRect(0, 0, 3, 30));
    graphics.drawImage(&image, CRect(2, 10, 2, 2), image.getNormalisedImageArea());
    EXPECT_EQ(pixel(4, 16), pixel(4, 1)) << "logical 3 ends at device 4.5, rounded up";
    EXPECT_EQ(pixel(5, 16), makeColour(255, 255, 255));
}
