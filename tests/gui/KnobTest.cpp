#include <gtest/gtest.h>

#include "framework/gui/controls/Knob.hpp"
#include "framework/gui/graphics/ImageManager.hpp"
#include "tests/gui/ControlTestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Controls::CKnob;
using MathTools::CRect;
namespace KeyState = Vantor::Platform::KeyState;
namespace Message = Vantor::Platform::Message;

namespace
{

// Knobs at the editor's Threshold place, 40 pixels square.
class KnobTest : public Tests::CControlWindowTest
{
protected:
    CKnob* addKnob(double value)
    {
        CKnob* knob = add(new CKnob(root, 1, CRect(30, 65, 40, 40), &listener));
        knob->setValue(value);
        return knob;
    }
};

struct SStep
{
    int dx, dy; // from the press, in pixels
    bool shift;
};

struct SDragCase
{
    const char* name;
    double start;
    std::vector<SStep> steps;
    double expected;
    int reports; // -1: not checked
};

} // namespace

TEST_F(KnobTest, DragsAddRightAndUpAtTheirRateAndShiftChangesItWithoutAJump)
{
    const SDragCase cases[] = {
        {"100 right", 0.2, {{100, 0, false}}, 0.7, 1},
        // The knob holds the mouse: moves past the 158-pixel window's top or left edge reach it
        // with their real, negative positions.
        {"100 up, out of the window", 0.2, {{0, -100, false}}, 0.7, 1},
        {"80 left, out of the window", 0.5, {{-80, 0, false}}, 0.1, 1},
        {"right and down cancel", 0.2, {{50, 50, false}}, 0.2, 0},
        {"step by step", 0.2, {{20, 0, false}, {40, 0, false}, {40, -20, false}}, 0.5, 3},
        // Switching the rate re-anchors the drag: the value stays (up to rounding, which may report).
        {"Shift pressed mid-drag keeps the value", 0.2, {{100, 0, false}, {100, 0, true}}, 0.7, -1},
        {"then 200 more with Shift", 0.2, {{100, 0, false}, {100, 0, true}, {300, 0, true}}, 0.71, -1},
        {"Shift released mid-drag",
         0.5,
         {{1, 0, true}, {1001, 0, true}, {1001, 0, false}, {1021, 0, false}},
         0.655,
         -1},
        {"past the top reports once", 0.9, {{100, 0, false}, {150, 0, false}, {400, 0, false}}, 1.0, 1},
        {"past the bottom", 0.1, {{0, 30, false}, {0, 90, false}}, 0.0, 1},
        {"at the end already", 1.0, {{10, 0, false}}, 1.0, 0},
    };
    for (const SDragCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        root->clearControls();
        listener.reports = 0;
        CKnob* knob = addKnob(c.start);
        press(50, 85);
        EXPECT_EQ(root->getLockedControl(), knob);
        for (const SStep& step : c.steps)
        {
            move(50 + step.dx, 85 + step.dy, step.shift ? KeyState::Shift : 0);
        }
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-9);
        if (c.reports >= 0)
        {
            EXPECT_EQ(listener.reports, c.reports);
        }
        release(50 + c.steps.back().dx, 85 + c.steps.back().dy);
        EXPECT_FALSE(root->controlIsLocked());
        EXPECT_FALSE(knob->isDragging());
    }
}

TEST_F(KnobTest, MovesWithoutAPressDoNothing)
{
    CKnob* knob = addKnob(0.3);
    move(50, 85);
    move(150, 85);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.3);
    EXPECT_EQ(listener.reports, 0);
    EXPECT_FALSE(root->controlIsLocked());
}

TEST_F(KnobTest, EachWheelEventIsOneStepAndNothingIsReportedAtTheEnds)
{
    struct SWheelCase
    {
        double start, notches;
        bool shift;
        double expected;
        int reports;
    };
    const SWheelCase cases[] = {
        {0.5, 1, false, 0.525, 1},   {0.5, -1, false, 0.475, 1},
        {0.5, 3, false, 0.525, 1},   {0.99, 1, false, 1.0, 1},
        {1.0, 1, false, 1.0, 0},     {0.0, -1, false, 0.0, 0},
        {0.5, -1, true, 0.49375, 1}, {0.5, 1, true, 0.50625, 1},
        {0.5, 0, false, 0.475, 1}, // a turn of 0 counts as down
    };
    for (const SWheelCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.notches << (c.shift ? " shift" : ""));
        root->clearControls();
        listener.reports = 0;
        CKnob* knob = addKnob(c.start);
        const size_t before = invalidations();
        wheel(c.notches, 45, 80, c.shift ? KeyState::Shift : 0);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-12);
        EXPECT_EQ(listener.reports, c.reports);
        EXPECT_EQ(invalidations() - before, static_cast<size_t>(c.reports));
    }
}

TEST_F(KnobTest, DoubleClickRestoresTheDefaultAndAlwaysReports)
{
    CKnob* knob = addKnob(0.9);
    send(Message::LeftButtonDoubleClick, 50, 85);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.5) << "a knob given no default returns to the middle";
    knob->setDefaultValue(0.25);
    send(Message::LeftButtonDoubleClick, 50, 85);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.25);
    send(Message::LeftButtonDoubleClick, 50, 85);
    EXPECT_EQ(listener.reports, 3) << "even when the value stays";
}

// ---- frames ----

namespace
{
// A strip of 129 frames of 2 x 2 pixels; frame f is coloured (f, 50, 100).
class KnobFrameTest : public Tests::CControlWindowTest
{
protected:
    KnobFrameTest()
    {
        std::vector<Tests::STargaPixel> colours;
        for (int frame = 0; frame < 129; frame++)
        {
            colours.push_back({100, 50, static_cast<std::uint8_t>(frame), 255});
        }
        strip = Tests::makeBandedImage(folder, "strip.tga", 2, 2, colours);
        strip->referenced();
    }
    ~KnobFrameTest() override { strip->dereference(); }

    // The frame the knob shows, -1 when nothing of the strip is drawn.
    int shownFrame(CKnob& knob)
    {
        Tests::CControlPicture picture(knob, 2, 2);
        const std::uint32_t pixel = picture.pixel(1, 1);
        return Platform::greenOf(pixel) == 50 ? Platform::redOf(pixel) : -1;
    }

    Graphics::CTGAImage* strip;
};
} // namespace

TEST_F(KnobFrameTest, TheValueChoosesTheFrame)
{
    struct SFrameCase
    {
        double value;
        bool reversed;
        int frame;
    };
    const SFrameCase cases[] = {
        {0.0, false, 0},  {0.5, false, 64}, {1.0, false, 128}, {0.999, false, 127}, {1.0, true, 0},
        {0.0, true, 128}, {0.25, true, 96}, {1.5, false, 63},  {2.0, false, 127},
    };
    for (const SFrameCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.value << (c.reversed ? " reversed" : ""));
        CKnob knob(root, 0, CRect(0, 0, 2, 2));
        knob.setAnimationImage(strip, 2, 129, c.reversed);
        knob.setValue(c.value);
        EXPECT_EQ(shownFrame(knob), c.frame);
    }
}

TEST_F(KnobFrameTest, ValuesWithNoFrameKeepTheLastOneShown)
{
    CKnob knob(root, 0, CRect(0, 0, 2, 2));
    knob.setAnimationImage(strip, 2, 129, false);
    EXPECT_EQ(shownFrame(knob), 0) << "a new knob shows value 0";
    knob.setValue(0.5);
    EXPECT_EQ(shownFrame(knob), 64);
    knob.setValue(-0.2);
    EXPECT_EQ(shownFrame(knob), 64);
    knob.setValue(3.0);
    EXPECT_EQ(shownFrame(knob), 64);
}

TEST_F(KnobFrameTest, MissingPicturesAndEmptyFramesNeverCrash)
{
    // A frame height of 0 draws an empty part of the strip: nothing.
    CKnob flat(root, 0, CRect(0, 0, 2, 2));
    flat.setAnimationImage(strip, 0, 129, false);
    flat.setValue(0.5);
    EXPECT_EQ(shownFrame(flat), -1);
    EXPECT_EQ(flat.getSourceArea(), CRect(0, 0, 2, 0));

    // A picture that could not be loaded is no picture: the default look, or nothing.
    auto* missing = new Graphics::CTGAImage(folder.file("absent.tga").c_str());
    missing->referenced();
    for (bool defaultDrawing : {false, true})
    {
        CKnob knob(root, 0, CRect(0, 0, 4, 4));
        knob.setAnimationImage(missing, 0, 129, false);
        knob.setDefaultControlColours(Graphics::CAlphaColour(0, 0, 255), Graphics::CAlphaColour(255, 0, 0));
        knob.setDefaultDrawing(defaultDrawing);
        Tests::CControlPicture picture(knob, 4, 4);
        EXPECT_EQ(picture.pixel(2, 2),
                  defaultDrawing ? Platform::makeColour(0, 0, 255) : Platform::makeColour(255, 255, 255));
    }
    missing->dereference();

    // A null picture stores only the direction; the knob without a strip draws its default look.
    CKnob bare(root, 0, CRect(0, 0, 4, 4));
    bare.setAnimationImage(static_cast<Graphics::IImage*>(nullptr), 7, 9, true);
    EXPECT_TRUE(bare.isReversed());
    EXPECT_EQ(bare.getNumberOfFrames(), 0);
    bare.setDefaultDrawing(true);
    Tests::CControlPicture picture(bare, 4, 4);
    EXPECT_EQ(picture.pixel(2, 2), Platform::makeColour(255, 255, 255));
    EXPECT_EQ(picture.pixel(0, 0), Platform::makeColour(0, 0, 0));
}

TEST_F(KnobFrameTest, AnAnimationReferenceGivesItsStripAndFrames)
{
    Graphics::CImageManager::CAnimationReference reference("Dial", strip, "", "strip.tga", 2, 129);
    CKnob knob(root, 0, CRect(0, 0, 2, 2));
    knob.setAnimationImage(&reference, true);
    knob.setAnimationImage(static_cast<const Graphics::CImageManager::CAnimationReference*>(nullptr), false);
    EXPECT_EQ(knob.getPrimaryImage(), strip);
    EXPECT_EQ(knob.getFrameHeight(), 2);
    EXPECT_EQ(knob.getNumberOfFrames(), 129);
    EXPECT_TRUE(knob.isReversed());
    knob.setValue(1.0);
    EXPECT_EQ(shownFrame(knob), 0);
}
