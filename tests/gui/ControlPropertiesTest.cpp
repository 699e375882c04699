#include <functional>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "framework/gui/controls/Knob.hpp"
#include "framework/gui/controls/LatchingButton.hpp"
#include "framework/gui/controls/LevelMeter.hpp"
#include "framework/gui/controls/MomentaryButton.hpp"
#include "framework/gui/controls/RolloverButton.hpp"
#include "framework/gui/controls/TextLabel.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/ImageManager.hpp"
#include "framework/io/XMLNode.hpp"
#include "tests/gui/ControlTestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Controls::CControlDescriptor;
using Graphics::CAlphaColour;
using MathTools::CRect;

namespace
{

// Every property a control lists, name and text value, in order.
std::vector<std::pair<std::string, std::string>> propertiesOf(Controls::IControl& control)
{
    Controls::TDescriptorList list;
    control.getPropertyDescriptors(list);
    std::vector<std::pair<std::string, std::string>> result;
    for (long i = 0; i < list.getInsertIndex(); i++)
    {
        CControlDescriptor* descriptor = list.getElementAtIndex(i);
        control.getProperty(*descriptor);
        result.emplace_back(descriptor->getName().getString(), descriptor->getValue().getString());
    }
    return result;
}

// Every control lists these first, in this order.
const char* const kCommonProperties[] = {
    "Control Name",      "Control ID",     "Mouse Enabled",   "Keyboard Enabled",
    "Drop File Enabled", "Is Enabled",     "Default Drawing", "Area",
    "Primary Image",     "Disabled Image", "Frame Colour",    "Background Colour"};

struct SControlCase
{
    const char* type;
    std::vector<const char*> ownProperties; // listed after the common ones
    // Makes the control with every property of its own away from its default.
    std::function<Controls::IControl*(Controls::IControlRoot*)> make;
};

class ControlPropertiesTest : public Tests::CControlWindowTest
{
protected:
    ControlPropertiesTest()
    {
        strip = Tests::makeBandedImage(folder, "strip.tga", 2, 2, {{1, 2, 3, 255}, {4, 5, 6, 255}});
        Graphics::CImageManager::addAnimation("Dial", strip, 2, 2);
        picture = Tests::makeBandedImage(folder, "picture.tga", 2, 2, {{7, 8, 9, 255}});
        Graphics::CImageManager::addImage("Face", picture);
    }
    ~ControlPropertiesTest() override { Graphics::CImageManager::clearImageManager(); }

    Graphics::CTGAImage* strip;
    Graphics::CTGAImage* picture;
};

} // namespace

TEST_F(ControlPropertiesTest, EveryControlListsItsPropertiesAndAnXmlCopyReadsThemAllBack)
{
    const CAlphaColour odd(11, 22, 33, 44);
    const SControlCase cases[] = {
        {"CControl",
         {},
         [&](Controls::IControlRoot* r)
         {
             auto* control = new Controls::CControl(r, 9, CRect(1, 2, 3, 4));
             control->setName("Gain");
             control->setKeyboardEnabled(true);
             control->setDefaultDrawing(true);
             control->setPrimaryImage(picture);
             control->setDefaultControlColours(CAlphaColour(1, 2, 3, 4), CAlphaColour(5, 6, 7, 8));
             control->disable();
             return control;
         }},
        {"CKnob",
         {"Invert", "Default Value", "Coefficient"},
         [&](Controls::IControlRoot* r)
         {
             auto* knob = new Controls::CKnob(r, 3, CRect(30, 65, 2, 2));
             knob->setAnimationImage(strip, 2, 2, true);
             knob->setDefaultValue(0.25);
             knob->setCoefficient(0.125);
             return knob;
         }},
        {"CTextLabel",
         {"Text", "Text Colour", "Alignment", "Font"},
         [&](Controls::IControlRoot* r)
         {
             auto* label = new Controls::CTextLabel(r, 4, CRect(30, 115, 96, 20), "-25.000 dB");
             label->setTextColour(odd);
             label->setAlignment(Fonts::kRightBottom);
             auto* font = new Fonts::CFont("Courier", 14);
             label->setFont(font);
             return label;
         }},
        {"CMomentaryButton",
         {"Down Image", "Cursor Change", "Draw Text", "Label Text", "On Colour", "Off Colour",
          "On Frame Colour", "Off Frame Colour", "On Text Colour", "Off Text Colour"},
         [&](Controls::IControlRoot* r)
         {
             auto* button = new Controls::CMomentaryButton(r, 8, CRect(350, 0, 40, 20));
             button->setDownImage(picture);
             button->setCursorChange(false);
             button->setDrawText(false);
             button->setLabelText("info");
             button->setOnColours(odd, CAlphaColour(1, 1, 1), CAlphaColour(2, 2, 2));
             button->setOffColours(CAlphaColour(3, 3, 3), CAlphaColour(4, 4, 4), CAlphaColour(5, 5, 5));
             return button;
         }},
        {"CLevelMeter",
         {"Step Count", "Base Colour", "Max Colour"},
         [&](Controls::IControlRoot* r)
         {
             auto* meter = new Controls::CLevelMeter(r, -1, CRect(460, 55, 10, 75), 15);
             meter->setColours(CAlphaColour(102, 200, 85), odd);
             return meter;
         }},
        {"CLatchingButton",
         {"Down Image", "Cursor Change", "Label Text", "On Colour", "Off Colour", "On Frame Colour",
          "Off Frame Colour", "On Text Colour", "Off Text Colour"},
         [&](Controls::IControlRoot* r)
         {
             auto* button = new Controls::CLatchingButton(r, 9, CRect(0, 0, 40, 20));
             button->setDownImage(picture);
             button->setCursorChange(false);
             button->setLabelText("Link");
             button->setOnColours(odd, CAlphaColour(1, 1, 1), CAlphaColour(2, 2, 2));
             button->setOffColours(CAlphaColour(3, 3, 3), CAlphaColour(4, 4, 4), CAlphaColour(5, 5, 5));
             return button;
         }},
        {"CRolloverButton",
         {"Down Image", "Over Image", "Cursor Change", "Label Text", "On Colour", "Off Colour", "Over Colour",
          "On Frame Colour", "Off Frame Colour", "Over Frame Colour", "On Text Colour", "Off Text Colour",
          "Over Text Colour"},
         [&](Controls::IControlRoot* r)
         {
             auto* button = new Controls::CRolloverButton(r, 10, CRect(0, 0, 40, 20));
             button->setDownImage(picture);
             button->setOverImage(picture);
             button->setCursorChange(false);
             button->setLabelText("Go");
             for (long state = 0; state < 3; state++)
             {
                 button->setStateColours(state, CAlphaColour(state, 1, 1), CAlphaColour(state, 2, 2),
                                         CAlphaColour(state, 3, 3));
             }
             return button;
         }},
    };
    for (const SControlCase& c : cases)
    {
        SCOPED_TRACE(c.type);
        root->clearControls();
        Controls::IControl* original = add(c.make(root));
        ASSERT_STREQ(original->getRuntimeClassName(), c.type);
        const auto properties = propertiesOf(*original);
        const size_t common = std::size(kCommonProperties);
        ASSERT_EQ(properties.size(), common + c.ownProperties.size());
        for (size_t i = 0; i < properties.size(); i++)
        {
            EXPECT_EQ(properties[i].first, i < common ? kCommonProperties[i] : c.ownProperties[i - common]);
        }

        // Through the root's layout form: a node per control, made again by its type.
        EXPECT_FALSE(original->writeToXml(nullptr));
        auto* node = new IO::CXMLNode("controls");
        node->referenced();
        ASSERT_TRUE(root->writeToXml(node));
        EXPECT_EQ(node->getChildNode(0)->getAttributeValue("number_of_descriptors").getString(),
                  std::to_string(properties.size()));
        root->clearControls();
        ASSERT_TRUE(root->readFromXml(node));
        node->dereference();
        Controls::IControl* copy = root->getControlAtIndex(0);
        ASSERT_NE(copy, nullptr);
        EXPECT_STREQ(copy->getRuntimeClassName(), c.type);
        EXPECT_EQ(propertiesOf(*copy), properties);
    }
}

TEST_F(ControlPropertiesTest, AKnobsPictureNamesAnAnimationAndTheLabelsAlignmentNamesItsChoices)
{
    Controls::CKnob knob(root, 0, CRect(0, 0, 2, 2));
    CControlDescriptor image("Primary Image", CControlDescriptor::kImageProperty);
    image.setValue(Basics::CString("Dial"));
    knob.setProperty(image);
    EXPECT_EQ(knob.getPrimaryImage(), strip);
    EXPECT_EQ(knob.getFrameHeight(), 2);
    EXPECT_EQ(knob.getNumberOfFrames(), 2);

    Controls::CTextLabel label(root, 0, CRect(0, 0, 2, 2), " ");
    Controls::TDescriptorList list;
    label.getPropertyDescriptors(list);
    const CControlDescriptor* alignment = list.getElementAtIndex(14);
    ASSERT_EQ(alignment->getNumberOfChoices(), 11);
    EXPECT_STREQ(alignment->getChoice(0).getString(), "Left / Top");
    EXPECT_STREQ(alignment->getChoice(10).getString(), "Default Single Line");
    EXPECT_STREQ(alignment->getChoice(11).getString(), "");
}

TEST_F(ControlPropertiesTest, EachButtonColourPropertyReadsAndWritesTheColourItsNameSays)
{
    // Colour n of a case, all of them told apart by their red.
    const auto colour = [](int n) { return CAlphaColour(static_cast<unsigned char>(20 * n), 7, 9, 200); };
    const auto valueOf = [](Controls::IControl& button, const char* name)
    {
        CControlDescriptor descriptor(name, CControlDescriptor::kColourProperty);
        button.getProperty(descriptor);
        return std::string(descriptor.getValue().getString());
    };
    const auto setByName = [](Controls::IControl& button, const char* name, const CAlphaColour& value)
    {
        CControlDescriptor descriptor(name, CControlDescriptor::kColourProperty);
        descriptor.setValue(CAlphaColour::toString(value));
        button.setProperty(descriptor);
    };
    // The on/off buttons take fill, frame and text per state; the numbers follow that order.
    const std::vector<std::pair<const char*, int>> onOff = {
        {"On Colour", 1},  {"On Frame Colour", 2},  {"On Text Colour", 3},
        {"Off Colour", 4}, {"Off Frame Colour", 5}, {"Off Text Colour", 6},
    };
    std::vector<std::pair<const char*, int>> rollover = onOff;
    rollover.insert(rollover.end(), {{"Over Colour", 7}, {"Over Frame Colour", 8}, {"Over Text Colour", 9}});

    Controls::CMomentaryButton momentary(root, 0, CRect(0, 0, 2, 2));
    momentary.setOnColours(colour(1), colour(2), colour(3));
    momentary.setOffColours(colour(4), colour(5), colour(6));
    Controls::CLatchingButton latching(root, 0, CRect(0, 0, 2, 2));
    latching.setOnColours(colour(1), colour(2), colour(3));
    latching.setOffColours(colour(4), colour(5), colour(6));
    Controls::CRolloverButton rolling(root, 0, CRect(0, 0, 2, 2));
    rolling.setStateColours(Controls::CRolloverButton::kDownState, colour(1), colour(2), colour(3));
    rolling.setStateColours(Controls::CRolloverButton::kNormalState, colour(4), colour(5), colour(6));
    rolling.setStateColours(Controls::CRolloverButton::kOverState, colour(7), colour(8), colour(9));

    const std::pair<Controls::IControl*, const std::vector<std::pair<const char*, int>>*> cases[] = {
        {&momentary, &onOff}, {&latching, &onOff}, {&rolling, &rollover}};
    for (const auto& [button, names] : cases)
    {
        SCOPED_TRACE(button->getRuntimeClassName());
        for (const auto& [name, n] : *names)
        {
            EXPECT_EQ(valueOf(*button, name), CAlphaColour::toString(colour(n)).getString()) << name;
        }
        // Writing one colour by name changes that colour and no other.
        for (const auto& [name, n] : *names)
        {
            setByName(*button, name, colour(n + 3));
            for (const auto& [other, m] : *names)
            {
                EXPECT_EQ(valueOf(*button, other),
                          CAlphaColour::toString(colour(other == name ? n + 3 : m)).getString())
                    << name << " then " << other;
            }
            setByName(*button, name, colour(n));
        }
    }
}
