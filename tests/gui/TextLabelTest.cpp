#include <gtest/gtest.h>

#include "framework/gui/controls/TextLabel.hpp"
#include "framework/gui/events/DropEvent.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "tests/gui/ControlTestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Controls::CTextLabel;
using Graphics::CAlphaColour;
using MathTools::CRect;
namespace Message = Vantor::Platform::Message;

namespace
{
class TextLabelTest : public Tests::CControlWindowTest
{
protected:
    CTextLabel* addLabel(const char* text)
    {
        return add(new CTextLabel(root, 1, CRect(30, 115, 96, 20), text));
    }
    // Whether the last invalidation was the label's area.
    bool lastInvalidationIsTheLabel() const
    {
        const Platform::SPixelRect& area = native->m_invalidated.back();
        return area.x == 30 && area.y == 115 && area.width == 96 && area.height == 20;
    }
};
} // namespace

TEST_F(TextLabelTest, OnlyTheTextRepaintsColoursAndAlignmentWaitForTheNextPaint)
{
    CTextLabel* label = addLabel(" ");
    EXPECT_EQ(invalidations(), 1u) << "a new label asks for its first paint";
    label->setText("Ratio");
    EXPECT_EQ(invalidations(), 2u);
    EXPECT_TRUE(lastInvalidationIsTheLabel());
    label->setColours(CAlphaColour(1, 2, 3), CAlphaColour(4, 5, 6), CAlphaColour(7, 8, 9));
    label->setTextColour(CAlphaColour(10, 11, 12));
    label->setAlignment(Fonts::kCentreCentre);
    EXPECT_EQ(invalidations(), 2u);
}

TEST_F(TextLabelTest, ADroppedFileNamesTheLabelAndClicksPassThrough)
{
    struct SDropCase
    {
        std::vector<std::string> files;
        const char* text;
        bool repainted;
    };
    const SDropCase cases[] = {
        {{"/tmp/one.png", "/tmp/two.png"}, "/tmp/one.png", true},
        {{"", "/tmp/two.png"}, "Level", false},
        {{}, "Level", false},
    };
    for (const SDropCase& c : cases)
    {
        SCOPED_TRACE(c.text);
        root->clearControls();
        CTextLabel* label = addLabel("Level");
        const size_t before = invalidations();
        native->m_dropped = {{40, 120}, c.files};
        window.handleWindowEvents({Message::DropFiles, 1, 0});
        EXPECT_STREQ(label->getText().getString(), c.text);
        EXPECT_EQ(invalidations() - before, c.repainted ? 1u : 0u);
    }

    // A click on a label reaches the control beneath it, never the label (which is hit first).
    root->clearControls();
    struct SClickable : Controls::CControl
    {
        using CControl::CControl;
        void handleLeftButtonDown(Events::CMouseEvent&) override { clicks++; }
        int clicks = 0;
    };
    addLabel("Level");
    auto* below = add(new SClickable(root, 2, CRect(0, 100, 200, 50)));
    press(40, 120);
    EXPECT_EQ(below->clicks, 1);
}

TEST_F(TextLabelTest, DrawsItsTextInItsColourOverItsDefaultLookWhenAsked)
{
    CTextLabel label(root, 0, CRect(0, 0, 60, 20), "MMMM");
    label.setColours(CAlphaColour(255, 0, 0), CAlphaColour(0, 0, 255), CAlphaColour(0, 255, 0));
    auto hasTextColour = [](Tests::CControlPicture& picture)
    {
        for (int y = 0; y < 20; y++)
        {
            for (int x = 0; x < 60; x++)
            {
                if (picture.pixel(x, y) == Platform::makeColour(0, 255, 0))
                {
                    return true;
                }
            }
        }
        return false;
    };
    {
        // Default drawing off: transparent, only the text shows.
        Tests::CControlPicture picture(label, 60, 20);
        EXPECT_TRUE(hasTextColour(picture));
        EXPECT_EQ(picture.pixel(0, 0), Platform::makeColour(255, 255, 255));
    }
    label.setDefaultDrawing(true);
    label.setText("");
    Tests::CControlPicture picture(label, 60, 20);
    EXPECT_EQ(picture.pixel(0, 0), Platform::makeColour(255, 0, 0));
    EXPECT_EQ(picture.pixel(30, 10), Platform::makeColour(0, 0, 255));

    label.disable();
    Tests::CControlPicture disabled(label, 60, 20);
    EXPECT_EQ(disabled.pixel(30, 10), Platform::makeColour(255, 255, 255)) << "disabled: nothing drawn";
}

// A font kept too briefly is used after it is freed, one kept twice leaks: both are
// what the sanitizer build reports here.
TEST_F(TextLabelTest, TheLabelKeepsTheFontItIsGiven)
{
    CTextLabel label(root, 0, CRect(0, 0, 10, 10), "x");
    EXPECT_EQ(label.getFont(), Fonts::CFont::getDefaultFont());
    auto* font = new Fonts::CFont("Arial", 20);
    font->referenced();
    label.setFont(font);
    font->dereference(); // the label's hold alone keeps it now
    label.setFont(font);
    label.setFont(nullptr);
    ASSERT_EQ(label.getFont(), font);
    EXPECT_EQ(label.getFont()->getSize(), 20);
}
