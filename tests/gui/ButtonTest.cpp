#include <gtest/gtest.h>

#include "framework/gui/controls/LatchingButton.hpp"
#include "framework/gui/controls/MomentaryButton.hpp"
#include "framework/gui/controls/RolloverButton.hpp"
#include "tests/gui/ControlTestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Graphics::CAlphaColour;
using MathTools::CRect;

namespace
{

// One mouse message and what the button shows afterwards.
struct SStep
{
    char kind; // 'p' press, 'r' release, 'm' move, 'l' pointer leaves the window, 'c' capture lost
    int x, y;
    long state;  // the button's state: down / on / 0..2
    int reports; // reports so far
    long cursor; // the window's cursor number
    bool locked; // the root's lock is the button's
};

struct SSequence
{
    const char* name;
    std::vector<SStep> steps;
};

constexpr long kArrow = Events::CCursor::kArrowCursor;
constexpr long kHand = Events::CCursor::kHandCursor;

// Buttons at the editor's info place, 40 x 20: inside is x 350..390, y 0..20.
class ButtonTest : public Tests::CControlWindowTest
{
protected:
    // Plays a sequence on a fresh button; state reads the button's state.
    template <typename TButton, typename TState>
    void play(const SSequence& sequence, TState state, bool cursorChange = true)
    {
        SCOPED_TRACE(sequence.name);
        root->clearControls();
        root->unlockControl();
        window.getMouse().setCursor(Events::CCursor::getDefaultCursor());
        listener.reports = 0;
        auto* button = add(new TButton(root, 8, CRect(350, 0, 40, 20), &listener));
        button->setCursorChange(cursorChange);
        for (size_t i = 0; i < sequence.steps.size(); i++)
        {
            const SStep& step = sequence.steps[i];
            SCOPED_TRACE(testing::Message() << "step " << i);
            switch (step.kind)
            {
            case 'p':
                press(step.x, step.y);
                break;
            case 'r':
                release(step.x, step.y);
                break;
            case 'l':
                send(Platform::Message::MouseLeave, step.x, step.y);
                break;
            case 'c':
                send(Platform::Message::CaptureChanged, step.x, step.y);
                break;
            default:
                move(step.x, step.y);
                break;
            }
            EXPECT_EQ(state(*button), step.state);
            EXPECT_EQ(listener.reports, step.reports);
            EXPECT_EQ(cursorNumber(), step.cursor);
            EXPECT_EQ(root->getLockedControl() == button, step.locked);
        }
    }

    // The colour in the middle of a button drawn alone.
    static std::uint32_t middle(Controls::IControl& button)
    {
        Tests::CControlPicture picture(button, 40, 20);
        return picture.pixel(4, 4);
    }
};

} // namespace

// ---- momentary ----

TEST_F(ButtonTest, MomentaryButtonIsDownWhileHeldOnItAndReportsEachReleaseOnIt)
{
    const SSequence sequences[] = {
        {"press and release inside", {{'p', 360, 10, 1, 0, kHand, true}, {'r', 360, 10, 0, 1, kHand, false}}},
        {"edges belong to the button",
         {{'p', 390, 20, 1, 0, kHand, true}, {'r', 390, 20, 0, 1, kHand, false}}},
        {"press, move out, release outside",
         {{'p', 360, 10, 1, 0, kHand, true},
          {'m', 420, 10, 0, 0, kArrow, false},
          {'r', 420, 10, 0, 0, kArrow, false}}},
        {"moving back in does not press again",
         {{'p', 360, 10, 1, 0, kHand, true},
          {'m', 420, 10, 0, 0, kArrow, false},
          {'m', 370, 10, 0, 0, kHand, true},
          {'r', 370, 10, 0, 1, kHand, false}}},
        {"hovering holds the lock until the pointer leaves",
         {{'m', 360, 10, 0, 0, kHand, true},
          {'m', 360, 30, 0, 0, kArrow, false},
          {'m', 300, 30, 0, 0, kArrow, false}}},
        {"another window takes the pointer mid-press: up, no report; a new click works",
         {{'p', 360, 10, 1, 0, kHand, true},
          {'c', 360, 10, 0, 0, kArrow, false},
          {'m', 360, 10, 0, 0, kHand, true},
          {'p', 360, 10, 1, 0, kHand, true},
          {'r', 360, 10, 0, 1, kHand, false}}},
    };
    auto down = [](Controls::CMomentaryButton& button) { return button.isDown() ? 1L : 0L; };
    for (const SSequence& sequence : sequences)
    {
        play<Controls::CMomentaryButton>(sequence, down);
    }
    // Without cursor change: no cursor, no lock, and a click still reports.
    play<Controls::CMomentaryButton>({"no cursor change",
                                      {{'m', 360, 10, 0, 0, kArrow, false},
                                       {'p', 360, 10, 1, 0, kArrow, false},
                                       {'r', 360, 10, 0, 1, kArrow, false}}},
                                     down, false);
}

TEST_F(ButtonTest, MomentaryButtonValueOfExactlyOneShowsItDownWithoutAReport)
{
    auto* button = add(new Controls::CMomentaryButton(root, 8, CRect(350, 0, 40, 20), &listener));
    button->setDrawText(false);
    const size_t before = invalidations();
    button->setValue(1.0);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(middle(*button), Platform::makeColour(102, 200, 85));
    button->setValue(0.999);
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(middle(*button), Platform::makeColour(243, 32, 32));
    EXPECT_EQ(invalidations() - before, 2u);
    EXPECT_EQ(listener.reports, 0);
}

TEST_F(ButtonTest, MomentaryButtonShowsItsPicturesWithTheCaptionCentredOnThem)
{
    // Grey pictures (up) and dark grey (down) under a black "info".
    Graphics::CTGAImage* up = Tests::makeBandedImage(folder, "up.tga", 4, 4, {{200, 200, 200, 255}});
    Graphics::CTGAImage* down = Tests::makeBandedImage(folder, "down.tga", 4, 4, {{90, 90, 90, 255}});
    Controls::CMomentaryButton button(root, 8, CRect(0, 0, 40, 20));
    button.setPrimaryImage(up);
    button.setDownImage(down);
    button.setLabelText("info");
    auto blackBox = [](Tests::CControlPicture& picture)
    {
        int left = 40, right = -1;
        for (int y = 0; y < 20; y++)
        {
            for (int x = 0; x < 40; x++)
            {
                if (Platform::redOf(picture.pixel(x, y)) < 60)
                {
                    left = std::min(left, x), right = std::max(right, x);
                }
            }
        }
        return std::pair(left, right);
    };
    {
        Tests::CControlPicture picture(button, 40, 20);
        EXPECT_EQ(picture.pixel(1, 1), Platform::makeColour(200, 200, 200));
        const auto [left, right] = blackBox(picture);
        ASSERT_LT(left, right) << "the caption shows";
        EXPECT_NEAR((left + right) / 2.0, 19.5, 3.0) << "centred";
    }
    button.setValue(1.0);
    Tests::CControlPicture picture(button, 40, 20);
    EXPECT_EQ(picture.pixel(1, 1), Platform::makeColour(90, 90, 90));

    // A picture that could not be loaded gives the plain look.
    button.setDownImage(new Graphics::CTGAImage(folder.file("absent.tga").c_str()));
    button.setDrawText(false);
    EXPECT_EQ(middle(button), Platform::makeColour(102, 200, 85));
}

// ---- latching ----

TEST_F(ButtonTest, LatchingButtonTogglesOnEachReleaseThatReachesIt)
{
    const SSequence sequences[] = {
        {"two clicks",
         {{'p', 360, 10, 0, 0, kHand, true},
          {'r', 360, 10, 1, 1, kHand, false},
          {'p', 360, 10, 1, 1, kHand, true},
          {'r', 360, 10, 0, 2, kHand, false}}},
        {"press, move out, release outside",
         {{'p', 360, 10, 0, 0, kHand, true},
          {'m', 420, 10, 0, 0, kArrow, false},
          {'r', 420, 10, 0, 0, kArrow, false}}},
        {"hovering", {{'m', 360, 10, 0, 0, kHand, true}, {'m', 360, 21, 0, 0, kArrow, false}}},
    };
    auto on = [](Controls::CLatchingButton& button) { return button.isOn() ? 1L : 0L; };
    for (const SSequence& sequence : sequences)
    {
        play<Controls::CLatchingButton>(sequence, on);
    }
    play<Controls::CLatchingButton>({"no cursor change",
                                     {{'m', 360, 10, 0, 0, kArrow, false},
                                      {'p', 360, 10, 0, 0, kArrow, false},
                                      {'r', 360, 10, 1, 1, kArrow, false}}},
                                    on, false);
}

TEST_F(ButtonTest, LatchingButtonValueSetsTheStateSilentlyAndPicturesHideTheCaption)
{
    auto* button = add(new Controls::CLatchingButton(root, 8, CRect(350, 0, 40, 20), &listener));
    EXPECT_DOUBLE_EQ(button->getValue(), 0.0);
    const size_t before = invalidations();
    const std::pair<double, bool> values[] = {{0.5, true}, {0.49, false}, {1.0, true}, {0.0, false}};
    for (const auto& [value, on] : values)
    {
        button->setValue(value);
        EXPECT_EQ(button->isOn(), on) << value;
        EXPECT_EQ(middle(*button),
                  on ? Platform::makeColour(102, 200, 85) : Platform::makeColour(243, 32, 32));
    }
    EXPECT_EQ(invalidations(), before);
    EXPECT_EQ(listener.reports, 0);

    // The caption belongs to the plain look only.
    button->setLabelText("WWWWWW");
    auto blackPixels = [&]
    {
        Tests::CControlPicture picture(*button, 40, 20);
        int count = 0;
        for (int y = 0; y < 20; y++)
        {
            for (int x = 2; x < 38; x++)
            {
                count += Platform::redOf(picture.pixel(x, y)) < 60 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(blackPixels(), 10);
    button->setPrimaryImage(Tests::makeBandedImage(folder, "off.tga", 4, 4, {{200, 200, 200, 255}}));
    button->setDownImage(Tests::makeBandedImage(folder, "on.tga", 4, 4, {{150, 150, 150, 255}}));
    EXPECT_EQ(blackPixels(), 0);
    button->setValue(1.0);
    EXPECT_EQ(blackPixels(), 0);
    EXPECT_EQ(middle(*button), Platform::makeColour(150, 150, 150));
}

// ---- rollover ----

TEST_F(ButtonTest, RolloverButtonIsNormalOverOrDownAndReportsEveryReleaseThatReachesIt)
{
    constexpr long kNormal = Controls::CRolloverButton::kNormalState;
    constexpr long kOver = Controls::CRolloverButton::kOverState;
    constexpr long kDown = Controls::CRolloverButton::kDownState;
    const SSequence sequences[] = {
        {"hover, press, release inside",
         {{'m', 360, 10, kOver, 0, kHand, true},
          {'p', 360, 10, kDown, 0, kHand, true},
          {'r', 360, 10, kOver, 1, kHand, false}}},
        {"press, move out, release outside: still reported",
         {{'p', 360, 10, kDown, 0, kHand, true},
          {'m', 420, 10, kNormal, 0, kHand, true},
          {'r', 420, 10, kNormal, 1, kArrow, false}}},
        {"press, move out, move back in: over, not down",
         {{'p', 360, 10, kDown, 0, kHand, true},
          {'m', 420, 10, kNormal, 0, kHand, true},
          {'m', 360, 10, kOver, 0, kHand, true}}},
        {"hover then leave the button",
         {{'m', 360, 10, kOver, 0, kHand, true}, {'m', 420, 10, kNormal, 0, kArrow, false}}},
        {"the pointer leaves the window",
         {{'m', 360, 10, kOver, 0, kHand, true},
          {'p', 360, 10, kDown, 0, kHand, true},
          {'l', 360, 10, kNormal, 0, kHand, true}}},
        {"another window takes the pointer mid-press: normal, no report",
         {{'p', 360, 10, kDown, 0, kHand, true},
          {'c', 360, 10, kNormal, 0, kArrow, false},
          {'m', 360, 10, kOver, 0, kHand, true}}},
    };
    auto state = [](Controls::CRolloverButton& button) { return button.getState(); };
    for (const SSequence& sequence : sequences)
    {
        play<Controls::CRolloverButton>(sequence, state);
    }
    play<Controls::CRolloverButton>({"no cursor change: the same states, the lock, no cursor",
                                     {{'m', 360, 10, kOver, 0, kArrow, true},
                                      {'p', 360, 10, kDown, 0, kArrow, true},
                                      {'r', 360, 10, kOver, 1, kArrow, false}}},
                                    state, false);
}

TEST_F(ButtonTest, RolloverButtonDrawsTheLookOfItsState)
{
    auto* button = add(new Controls::CRolloverButton(root, 8, CRect(350, 0, 40, 20), &listener));
    button->setLabelText("");
    EXPECT_EQ(middle(*button), Platform::makeColour(243, 32, 32));
    move(360, 10);
    EXPECT_EQ(middle(*button), Platform::makeColour(239, 149, 41));
    press(360, 10);
    EXPECT_EQ(middle(*button), Platform::makeColour(102, 200, 85));

    button->setPrimaryImage(Tests::makeBandedImage(folder, "n.tga", 4, 4, {{10, 10, 10, 255}}));
    button->setOverImage(Tests::makeBandedImage(folder, "o.tga", 4, 4, {{20, 20, 20, 255}}));
    button->setDownImage(Tests::makeBandedImage(folder, "d.tga", 4, 4, {{30, 30, 30, 255}}));
    button->setLabelText("info");
    EXPECT_EQ(middle(*button), Platform::makeColour(30, 30, 30));
    Tests::CControlPicture picture(*button, 40, 20);
    EXPECT_EQ(picture.pixel(20, 10), Platform::makeColour(30, 30, 30)) << "no caption over pictures";
    release(360, 10);
    EXPECT_EQ(middle(*button), Platform::makeColour(20, 20, 20));
}
