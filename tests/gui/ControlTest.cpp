#include <gtest/gtest.h>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/TGAImage.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Controls::CControl;
using Graphics::CAlphaColour;
using MathTools::CRect;

namespace
{
class ControlTest : public ::testing::Test
{
protected:
    ControlTest() : window(CRect(0, 0, 100, 100)), root(window.getControlRoot()) {}

    Tests::CFakeWindowSystem system;
    Windowing::CWindow window;
    Controls::CControlRoot* root;
    Tests::CScratchFolder folder;
};
} // namespace

TEST_F(ControlTest, NullRootIsRefused)
{
    Tests::expectException([] { CControl control(nullptr, 0, CRect()); }, "Control root is null",
                           "CControl::setControlRoot(IControlRoot *)");
}

// An image kept too briefly is used after it is freed, one kept twice leaks: both are
// what the sanitizer build reports here.
TEST_F(ControlTest, TheControlKeepsTheImagesItIsGiven)
{
    Tests::writeTarga(folder.file("a.tga"), 1, 1, {{0, 0, 0, 255}});
    auto* image = new Graphics::CTGAImage(folder.file("a.tga").c_str());
    CControl control(root, 0, CRect(0, 0, 10, 10));
    control.setPrimaryImage(image);
    control.setPrimaryImage(image);
    control.setDisabledImage(image);
    EXPECT_TRUE(control.getPrimaryImage()->hasImageLoaded());
}

TEST_F(ControlTest, DefaultLookAndEnabledDrawing)
{
    CControl control(root, 0, CRect(0, 0, 10, 10));
    control.setDefaultControlColours(CAlphaColour(0, 0, 255), CAlphaColour(255, 0, 0));
    Graphics::CGraphics graphics;
    ASSERT_TRUE(graphics.begin(MathTools::CDimension(20, 20)));
    graphics.setDrawingAreaOffset(MathTools::CPoint(5, 5));

    EXPECT_FALSE(control.drawPrimaryImage(graphics));
    control.drawPrimaryImage(graphics, false);
    EXPECT_EQ(graphics.getSurface()->getPixel(10, 10), Platform::makeColour(255, 255, 255));

    control.drawPrimaryImage(graphics, true);
    Platform::IDrawingSurface* surface = graphics.getSurface();
    EXPECT_EQ(surface->getPixel(5, 5), Platform::makeColour(255, 0, 0));
    EXPECT_EQ(surface->getPixel(14, 14), Platform::makeColour(255, 0, 0));
    EXPECT_EQ(surface->getPixel(10, 10), Platform::makeColour(0, 0, 255));
    EXPECT_EQ(surface->getPixel(15, 15), Platform::makeColour(255, 255, 255));

    control.disable();
    EXPECT_FALSE(control.drawEnabledControl(graphics)); // no disabled image: nothing drawn
    EXPECT_EQ(surface->getPixel(10, 10), Platform::makeColour(0, 0, 255));

    // The disabled image is stretched over the control.
    Tests::writeTarga(folder.file("green.tga"), 1, 1, {{0, 255, 0, 255}});
    control.setDisabledImage(new Graphics::CTGAImage(folder.file("green.tga").c_str()));
    EXPECT_FALSE(control.drawEnabledControl(graphics));
    EXPECT_EQ(surface->getPixel(5, 5), Platform::makeColour(0, 255, 0));
    EXPECT_EQ(surface->getPixel(14, 14), Platform::makeColour(0, 255, 0));
    EXPECT_EQ(surface->getPixel(15, 14), Platform::makeColour(255, 255, 255));
    graphics.end();
}
