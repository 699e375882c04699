#include "framework/platform/DrawingBackend.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

using namespace Vantor::Platform;

namespace
{

constexpr uint32_t kWhite = makeColour(255, 255, 255);
constexpr uint32_t kBlack = makeColour(0, 0, 0);
constexpr uint32_t kRed = makeColour(255, 0, 0);
constexpr uint32_t kBlue = makeColour(0, 0, 255);

// Wine's GDI+ strokes lines without anti-aliasing; Windows' own smooths them.
bool smoothsLines()
{
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr;
#else
    return true;
#endif
}

std::unique_ptr<IDrawingSurface> whiteSurface(int width, int height)
{
    auto surface = createDrawingSurface(width, height, kWhite);
    EXPECT_NE(surface, nullptr);
    return surface;
}

// Bounding box of all pixels that differ from white; empty when there are none.
SPixelRect inkBox(IDrawingSurface& surface)
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < surface.getHeight(); ++y)
    {
        for (int x = 0; x < surface.getWidth(); ++x)
        {
            if (surface.getPixel(x, y) != kWhite)
            {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
    {
        return {};
    }
    return {left, top, right - left + 1, bottom - top + 1};
}

std::vector<int> rect(const SPixelRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

void expectNear(uint32_t actual, uint32_t expected, int tolerance = 1)
{
    EXPECT_NEAR(alphaOf(actual), alphaOf(expected), tolerance) << std::hex << actual << " vs " << expected;
    EXPECT_NEAR(redOf(actual), redOf(expected), tolerance) << std::hex << actual << " vs " << expected;
    EXPECT_NEAR(greenOf(actual), greenOf(expected), tolerance) << std::hex << actual << " vs " << expected;
    EXPECT_NEAR(blueOf(actual), blueOf(expected), tolerance) << std::hex << actual << " vs " << expected;
}

} // namespace

TEST(DrawingSurface, NewSurfaceHasSizeAndFillAndStoresPremultipliedPixels)
{
    auto surface = createDrawingSurface(7, 5, makeColour(10, 20, 30));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->getWidth(), 7);
    EXPECT_EQ(surface->getHeight(), 5);
    EXPECT_EQ(surface->getPixel(6, 4), makeColour(10, 20, 30));
    EXPECT_EQ(surface->getPixel(7, 0), 0u) << "outside reads as 0";
    EXPECT_EQ(surface->getPixel(-1, 0), 0u);

    surface->setPixel(1, 1, makeColour(200, 100, 50, 128));
    expectNear(surface->getPixel(1, 1), makeColour(100, 50, 25, 128));

    EXPECT_EQ(createDrawingSurface(-1, 4), nullptr);
    EXPECT_EQ(createDrawingSurface(3, 3)->getPixel(1, 1), 0u) << "default fill is transparent";
}

TEST(DrawingSurface, LockedPixelsAreTheSurfacePixels)
{
    auto surface = createDrawingSurface(4, 3);
    int stride = 0;
    uint32_t* pixels = surface->lockPixels(stride);
    ASSERT_GE(stride, 4);
    pixels[2 * stride + 3] = 0xFF123456u;
    surface->unlockPixels();
    EXPECT_EQ(surface->getPixel(3, 2), 0xFF123456u);
    surface->fillRectangle({0, 0, 1, 1}, kRed);
    pixels = surface->lockPixels(stride);
    EXPECT_EQ(pixels[0], kRed) << "drawing is visible through a later lock";
    surface->unlockPixels();
}

TEST(DrawingSurface, ClipLimitsShapesAndPixelsButNotClear)
{
    auto surface = whiteSurface(10, 10);
    surface->setClip({2, 3, 3, 4});
    surface->fillRectangle({0, 0, 10, 10}, kRed);
    surface->setPixel(0, 0, kBlue);
    surface->drawPenLine({0, 5}, {10, 5}, kBlue);
    EXPECT_EQ(rect(inkBox(*surface)), (std::vector<int>{2, 3, 3, 4}));
    EXPECT_EQ(surface->getPixel(0, 0), kWhite);
    EXPECT_EQ(surface->getPixel(3, 5), kBlue) << "pen line inside the clip";
    EXPECT_EQ(surface->getPixel(5, 5), kWhite) << "pen line outside the clip";

    surface->setClip({8, 8, 5, 5}); // replaces, and is cut to the surface
    surface->fillRectangle({0, 0, 10, 10}, kBlue);
    EXPECT_EQ(surface->getPixel(3, 5), kBlue);
    EXPECT_EQ(surface->getPixel(2, 3), kRed);
    EXPECT_EQ(surface->getPixel(9, 9), kBlue);

    surface->clear(kBlack);
    EXPECT_EQ(surface->getPixel(0, 0), kBlack) << "clear ignores the clip";
    surface->resetClip();
    surface->fillRectangle({0, 0, 10, 10}, kWhite);
    EXPECT_TRUE(inkBox(*surface).isEmpty());
}

TEST(DrawingSurface, RectanglesLinesAndEdges)
{
    auto surface = whiteSurface(20, 20);
    surface->fillRectangle({3, 4, 5, 6}, kRed);
    EXPECT_EQ(rect(inkBox(*surface)), (std::vector<int>{3, 4, 5, 6}));

    surface = whiteSurface(20, 20);
    surface->drawPenLine({0, 0}, {5, 0}, kBlack);
    EXPECT_EQ(surface->getPixel(4, 0), kBlack);
    EXPECT_EQ(surface->getPixel(5, 0), kWhite) << "a pen line leaves out its end point";
    surface->strokeLine({0, 2}, {5, 2}, kBlack, 1, ELineCap::Flat, false);
    EXPECT_EQ(surface->getPixel(5, 2), kBlack) << "a stroked line includes its end point";
    surface->drawPenLine({10, 10}, {14, 14}, kBlack);
    EXPECT_EQ(surface->getPixel(12, 12), kBlack);
    EXPECT_EQ(surface->getPixel(14, 14), kWhite);

    surface = whiteSurface(20, 20);
    surface->strokeLine({2, 10}, {17, 4}, kBlack, 1, ELineCap::Flat, true);
    bool partial = false;
    for (int x = 0; x < 20; ++x)
    {
        for (int y = 0; y < 20; ++y)
        {
            const int grey = greenOf(surface->getPixel(x, y));
            partial = partial || (grey > 10 && grey < 245);
        }
    }
    EXPECT_TRUE(partial || !smoothsLines()) << "an anti-aliased slanted line has intermediate pixels";

    surface = whiteSurface(4, 4);
    surface->fillRectangle({0, 0, 4, 4}, makeColour(0, 0, 0, 128));
    expectNear(surface->getPixel(1, 1), makeColour(127, 127, 127), 1); // translucent fills blend
}

TEST(DrawingSurface, EllipsesAndArcsStayInsideTheirBounds)
{
    auto surface = whiteSurface(30, 30);
    surface->fillEllipse({2, 4, 20, 10}, kRed, false);
    SPixelRect box = inkBox(*surface);
    EXPECT_GE(box.x, 2);
    EXPECT_GE(box.y, 4);
    EXPECT_LE(box.right(), 22);
    EXPECT_LE(box.bottom(), 14);
    EXPECT_EQ(surface->getPixel(12, 9), kRed);
    EXPECT_EQ(surface->getPixel(2, 4), kWhite) << "corner of the bounds is outside the ellipse";

    surface = whiteSurface(30, 30);
    surface->strokeArc({0, 0, 21, 21}, {5, 5}, {5, 5}, true, kBlack, 1, false);
    EXPECT_EQ(surface->getPixel(10, 10), kWhite) << "an arc is not filled";
    EXPECT_EQ(surface->getPixel(10, 0), kBlack) << "equal start and end give the whole ellipse";
    EXPECT_EQ(surface->getPixel(10, 20), kBlack);
    EXPECT_EQ(rect(inkBox(*surface)), (std::vector<int>{0, 0, 21, 21}));

    // Clockwise on the screen from the right-hand point to the bottom point is the lower right quarter.
    surface = whiteSurface(30, 30);
    surface->strokeArc({0, 0, 21, 21}, {20, 10}, {10, 20}, true, kBlack, 1, false);
    EXPECT_EQ(surface->getPixel(10, 0), kWhite);
    box = inkBox(*surface);
    EXPECT_GE(box.x, 9);
    EXPECT_GE(box.y, 9);
    surface = whiteSurface(30, 30);
    surface->strokeArc({0, 0, 21, 21}, {20, 10}, {10, 20}, false, kBlack, 1, false);
    EXPECT_EQ(surface->getPixel(10, 0), kBlack) << "counter-clockwise goes the long way round";
}

TEST(DrawingSurface, PolygonsFillByAlternation)
{
    // A five-pointed star drawn in one stroke: its centre is covered twice and stays empty.
    auto surface = whiteSurface(100, 100);
    SPixelPoint star[5];
    for (int i = 0; i < 5; ++i)
    {
        const double angle = (-90.0 + i * 144.0) * 3.14159265358979 / 180.0;
        star[i] = {static_cast<int>(std::lround(50 + 45 * std::cos(angle))),
                   static_cast<int>(std::lround(50 + 45 * std::sin(angle)))};
    }
    surface->fillPolygon(star, 5, kBlue, false);
    EXPECT_EQ(surface->getPixel(50, 52), kWhite);
    EXPECT_EQ(surface->getPixel(50, 15), kBlue) << "the top point is filled";

    surface = whiteSurface(10, 10);
    surface->fillPolygon(star, 2, kBlue, false);
    surface->fillPolygon(nullptr, 4, kBlue, false);
    EXPECT_TRUE(inkBox(*surface).isEmpty()) << "fewer than three points draw nothing";
}

TEST(DrawingSurface, DrawingSurfacesCopiesBlendsAndScales)
{
    auto image = createDrawingSurface(2, 2);
    image->setPixel(0, 0, makeColour(255, 0, 0, 128));
    image->setPixel(1, 0, kBlue);
    image->setPixel(0, 1, makeColour(0, 255, 0));
    // (1, 1) stays fully transparent.

    // Premultiplied source-over with a constant alpha on top of the pixel alpha.
    auto target = whiteSurface(10, 10);
    target->drawSurface(*image, {0, 0, 2, 2}, {4, 4, 2, 2}, true, 128);
    expectNear(target->getPixel(4, 4), makeColour(255, 191, 191), 2);
    expectNear(target->getPixel(5, 4), makeColour(127, 127, 255), 2);
    EXPECT_EQ(target->getPixel(5, 5), kWhite) << "transparent pixels leave the target";
    EXPECT_EQ(target->getPixel(3, 4), kWhite);
    EXPECT_EQ(target->getPixel(6, 4), kWhite);

    target = whiteSurface(10, 10);
    target->drawSurface(*image, {0, 0, 2, 2}, {0, 0, 2, 2}, true, 255);
    expectNear(target->getPixel(0, 0), makeColour(255, 127, 127), 2);
    EXPECT_EQ(target->getPixel(1, 0), kBlue);

    // Part of the source only.
    target = whiteSurface(10, 10);
    target->drawSurface(*image, {1, 0, 1, 1}, {7, 7, 1, 1}, true, 255);
    EXPECT_EQ(target->getPixel(7, 7), kBlue);
    EXPECT_EQ(inkBox(*target).width, 1);

    // A copy replaces the pixels, alpha included; a larger destination scales.
    target = whiteSurface(10, 10);
    target->drawSurface(*image, {0, 0, 2, 2}, {0, 0, 4, 4}, false, 255);
    expectNear(target->getPixel(1, 1), makeColour(128, 0, 0, 128));
    EXPECT_EQ(target->getPixel(2, 0), kBlue);
    EXPECT_EQ(target->getPixel(3, 1), kBlue);
    EXPECT_EQ(target->getPixel(1, 3), makeColour(0, 255, 0));
    EXPECT_EQ(target->getPixel(3, 3), 0u);
    EXPECT_EQ(target->getPixel(4, 4), kWhite);

    // Clipped like every other drawing.
    target = whiteSurface(10, 10);
    target->setClip({0, 0, 5, 10});
    target->drawSurface(*image, {1, 0, 1, 1}, {0, 0, 10, 10}, false, 255);
    EXPECT_EQ(target->getPixel(4, 9), kBlue);
    EXPECT_EQ(target->getPixel(5, 0), kWhite);
}

TEST(DrawingSurface, CentredTextIsCutOnBothSidesAndHonoursColourAndClip)
{
    const SFontDescription font{"Arial", 12, false, false};
    const std::string text = "A long line that does not fit";
    // Centred text wider than its area is cut on both sides; a short area cuts it below.
    // Where the cut falls on a space or between glyphs, the ink stops a little short.
    constexpr int kGap = 6;
    auto surface = whiteSurface(300, 60);
    surface->drawText(text, {100, 10, 30, 6}, font, kRed, 4);
    SPixelRect ink = inkBox(*surface);
    EXPECT_TRUE(ink.x >= 100 && ink.x <= 100 + kGap) << ink.x;
    EXPECT_TRUE(ink.right() <= 130 && ink.right() >= 130 - kGap) << ink.right();
    EXPECT_GE(ink.y, 10);
    EXPECT_LE(ink.bottom(), 16);

    surface = whiteSurface(300, 60);
    surface->setClip({0, 0, 30, 60});
    surface->drawText(text, {10, 10, 40, 40}, font, kRed, 0);
    EXPECT_LE(inkBox(*surface).right(), 30);
    bool red = false;
    for (int x = 0; x < 30; ++x)
    {
        for (int y = 0; y < 60; ++y)
        {
            const uint32_t pixel = surface->getPixel(x, y);
            red = red || (redOf(pixel) == 255 && greenOf(pixel) < 128 && greenOf(pixel) == blueOf(pixel));
        }
    }
    EXPECT_TRUE(red) << "text is drawn in its colour";
}

TEST(DrawingSurface, MeasuringCountsTrailingSpacesAndFollowsTheFont)
{
    const SFontDescription regular{"Arial", 11, false, false};
    SPixelSize plain, spaced, large, empty, unknown;
    ASSERT_TRUE(measureText("Level", regular, plain));
    ASSERT_TRUE(measureText("Level   ", regular, spaced));
    ASSERT_TRUE(measureText("Level", {"Arial", 22, false, false}, large));
    ASSERT_TRUE(measureText("", regular, empty));
    EXPECT_GT(spaced.width, plain.width + 5);
    EXPECT_GT(large.width, plain.width * 3 / 2);
    EXPECT_GE(plain.height, 11);
    EXPECT_LE(plain.height, 16);
    EXPECT_EQ(empty.width, 0);
    EXPECT_TRUE(measureText("Level", {"No Such Face At All", 11, false, false}, unknown))
        << "an unknown face falls back to another";
    EXPECT_GT(unknown.width, 0);
}
