// The editor panel on a window system without a display: layout, the read-outs'
// texts, both directions between knobs and parameters, the meter, the info button,
// changes from other threads and pictures that cannot be loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "editor/EditorModule.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/graphics/ImageCache.hpp"
#include "tests/editor/EditorTestSupport.hpp"

using namespace Vantor;
using namespace EditorTest;
using Quellor::CQuellorEditor;
namespace Message = Platform::Message;

namespace
{

// Counts how often the effect tells the editor about a parameter.
class CCountingEditor : public CQuellorEditor
{
public:
    using CQuellorEditor::CQuellorEditor;
    void parameterChanged(long index, double value) override
    {
        if (index != kMeterIndex)
        {
            ++notifications;
        }
        CQuellorEditor::parameterChanged(index, value);
    }
    std::atomic<int> notifications{0};
};

// Notes what the panel shows when its native window is made, just before it first paints.
class CFirstPaintEditor : public CQuellorEditor
{
public:
    using CQuellorEditor::CQuellorEditor;
    void createEditorWindow() override
    {
        thresholdShown = getReadOut(1)->getText().getString();
        attackKnob = getKnob(3)->getValue();
        litSegments = getLevelMeter()->getLitSegments();
        CQuellorEditor::createEditorWindow();
    }
    std::string thresholdShown;
    double attackKnob = -1.0;
    long litSegments = -1;
};

struct EditorFixture : ::testing::Test
{
    EditorFixture() { writePictures(pictures); }
    // Each test decodes its own scratch pictures.
    ~EditorFixture() override { GUI::Graphics::CImageCache::clear(); }

    std::vector<std::string> readOuts(CQuellorEditor& editor) const
    {
        std::vector<std::string> texts;
        for (int index = 0; index < Quellor::Parameters::kCount; ++index)
        {
            texts.emplace_back(editor.getReadOut(index)->getText().getString());
        }
        return texts;
    }
    std::vector<double> knobValues(CQuellorEditor& editor) const
    {
        std::vector<double> values;
        for (int index = 0; index < Quellor::Parameters::kCount; ++index)
        {
            values.push_back(editor.getKnob(index)->getValue());
        }
        return values;
    }
    // One wheel notch up or down with the pointer at a panel position.
    void wheel(CQuellorEditor& editor, int notches, int x, int y)
    {
        system.lastBackend()->m_screenRect = {0, 0, 500, 158};
        system.lastBackend()->m_clientSize = {500, 158};
        system.m_cursorPosition = {x, y};
        const auto delta = static_cast<uint16_t>(static_cast<int16_t>(notches * 120));
        editor.handleWindowEvents({Message::MouseWheel, uintptr_t{delta} << 16, 0});
    }

    Tests::CFakeWindowSystem system;
    Tests::CScratchFolder pictures;
};

} // namespace

TEST_F(EditorFixture, BuildsThePanelAsLaidOutWithoutOpeningAnythingAndRegistersWithTheEffect)
{
    SEditedEffect<> edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    EXPECT_EQ(edited.effect->getEditor(), &editor);
    EXPECT_EQ(edited.effect->getParameterView(), &editor);
    EXPECT_TRUE(system.m_backends.empty()) << "no native window before the host opens the editor";
    EXPECT_FALSE(editor.getAboutWindow()->isWindowOpen());

    struct SRow
    {
        MathTools::CRect knob, readOut, caption;
        const char* captionText;
        const char* initialReadOut;
    };
    // Knob strips are 40 pixels wide with 40-pixel frames.
    const SRow rows[] = {
        {{405, 65, 40, 40}, {398, 115, 96, 20}, {405, 55, 96, 20}, "Master", "0.000 dB"},
        {{30, 65, 40, 40}, {30, 115, 96, 20}, {25, 55, 96, 20}, "Threshold", "0.000 dB"},
        {{105, 65, 40, 40}, {105, 115, 96, 20}, {115, 55, 96, 20}, "Ratio", "1.000 :1"},
        {{180, 65, 40, 40}, {175, 115, 96, 20}, {185, 55, 96, 20}, "Attack", "1.000 ms"},
        {{255, 65, 40, 40}, {250, 115, 96, 20}, {255, 55, 96, 20}, "Release", "1.000 ms"},
        {{330, 65, 40, 40}, {333, 115, 90, 20}, {330, 55, 90, 20}, "Dry/Wet", "1.000"},
    };
    for (int index = 0; index < Quellor::Parameters::kCount; ++index)
    {
        SCOPED_TRACE(rows[index].captionText);
        EXPECT_EQ(editor.getKnob(index)->getArea(), rows[index].knob);
        EXPECT_EQ(editor.getKnob(index)->getUniqueId(), index);
        EXPECT_EQ(editor.getKnob(index)->getNumberOfFrames(), 129);
        EXPECT_EQ(editor.getKnob(index)->getFrameHeight(), 40);
        EXPECT_FLOAT_EQ(static_cast<float>(editor.getKnob(index)->getValue()),
                        edited.effect->getParameter(index));
        EXPECT_EQ(editor.getReadOut(index)->getArea(), rows[index].readOut);
        EXPECT_STREQ(editor.getReadOut(index)->getText().getString(), rows[index].initialReadOut);
        EXPECT_EQ(editor.getCaption(index)->getArea(), rows[index].caption);
        EXPECT_STREQ(editor.getCaption(index)->getText().getString(), rows[index].captionText);
        EXPECT_EQ(editor.getCaption(index)->getTextColour(), GUI::Graphics::CAlphaColour(205, 200, 177, 255));
    }
    EXPECT_EQ(editor.getInfoButton()->getArea(), MathTools::CRect(350, 0, 40, 20));
    EXPECT_EQ(editor.getInfoButton()->getUniqueId(), CQuellorEditor::kInfoButtonId);
    EXPECT_STREQ(editor.getInfoButton()->getLabelText().getString(), "info");
    EXPECT_EQ(editor.getLevelMeter()->getArea(), MathTools::CRect(460, 55, 10, 75));
    EXPECT_EQ(editor.getLevelMeter()->getStepCount(), 15);
    EXPECT_EQ(editor.getLevelMeter()->getLitSegments(), 0);
    // Beside it the gain-reduction meter, as many segments lit from the top; over all, the size menu.
    EXPECT_EQ(editor.getGainReductionMeter()->getArea(), MathTools::CRect(481, 55, 8, 75));
    EXPECT_EQ(editor.getGainReductionMeter()->getStepCount(), 15);
    EXPECT_EQ(editor.getGainReductionMeter()->getDirection(), GUI::Controls::CLevelMeter::kDownward);
    EXPECT_EQ(editor.getSizeMenu()->getArea(), MathTools::CRect(0, 0, 500, 158));
    EXPECT_FALSE(editor.getSizeMenu()->isOpen());
    EXPECT_EQ(editor.getControlRoot()->getNumberOfInsertedControls(), 22);
    ASSERT_NE(editor.getControlRoot()->getBackgroundImage(), nullptr);
    EXPECT_TRUE(editor.getControlRoot()->getBackgroundImage()->hasImageLoaded());
}

TEST_F(EditorFixture, ParameterChangesMoveTheKnobAndWriteTheReadOutInDisplayUnits)
{
    SEditedEffect<> edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    struct SCase
    {
        long index;
        double value;
        const char* readOut;
    };
    const SCase cases[] = {
        {2, 0.0, "1.000 :1"},  {2, 1.0, "20.000 :1"},  {1, 0.5, "-25.000 dB"},  {1, 0.0, "-50.000 dB"},
        {0, 1.0, "20.000 dB"}, {0, 0.0, "-20.000 dB"}, {3, 1.0, "1000.000 ms"}, {4, 0.0, "1.000 ms"},
        {4, 0.5, "31.623 ms"}, {5, 0.25, "0.250"},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.readOut);
        const std::vector<std::string> before = readOuts(editor);
        const std::vector<double> knobsBefore = knobValues(editor);
        editor.parameterChanged(c.index, c.value);
        EXPECT_STREQ(editor.getReadOut(c.index)->getText().getString(), c.readOut);
        EXPECT_DOUBLE_EQ(editor.getKnob(c.index)->getValue(), c.value) << "the knob shows the host value";
        for (int other = 0; other < Quellor::Parameters::kCount; ++other)
        {
            if (other != c.index)
            {
                EXPECT_EQ(readOuts(editor)[other], before[other]) << other;
                EXPECT_EQ(knobValues(editor)[other], knobsBefore[other]) << other;
            }
        }
        EXPECT_EQ(editor.getMeterLevel(), 0.0f);
    }

    // Index 6, the meter's neighbours and negative indices change nothing.
    const std::vector<std::string> texts = readOuts(editor);
    const std::vector<double> values = knobValues(editor);
    for (long index : {6L, 8L, -1L, 100L})
    {
        editor.parameterChanged(index, 0.75);
    }
    EXPECT_EQ(readOuts(editor), texts);
    EXPECT_EQ(knobValues(editor), values);
    EXPECT_EQ(editor.getMeterLevel(), 0.0f);
}

TEST_F(EditorFixture, IdleShowsTheLatestMeterLevelClampedAndOnlyRepaintsWhenItMoves)
{
    SEditedEffect<> edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    Tests::CFakeWindowBackend& native = *system.lastBackend();
    struct SCase
    {
        double level;
        float stored;
        long lit;
    };
    // Not a number is silence.
    const SCase cases[] = {{1.7, 1.0f, 15},      {-0.3, 0.0f, 0}, {0.5, 0.5f, 8},
                           {0.0001, 0.0001f, 1}, {1.0, 1.0f, 15}, {std::nan(""), 0.0f, 0}};
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.level);
        const long litBefore = editor.getLevelMeter()->getLitSegments();
        editor.parameterChanged(Quellor::IParameterView::kMeterIndex, c.level);
        EXPECT_EQ(editor.getLevelMeter()->getLitSegments(), litBefore) << "nothing is shown before idle";
        const size_t invalidations = native.m_invalidated.size();
        editor.idle();
        EXPECT_FLOAT_EQ(editor.getMeterLevel(), c.stored);
        EXPECT_EQ(editor.getLevelMeter()->getLitSegments(), c.lit);
        EXPECT_GT(native.m_invalidated.size(), invalidations) << "a new level repaints the meter";
    }
    const size_t invalidations = native.m_invalidated.size();
    editor.idle();
    editor.idle();
    EXPECT_EQ(native.m_invalidated.size(), invalidations) << "a standing level costs no paint";
}

TEST_F(EditorFixture, ChangesFromOtherThreadsWaitForIdleAndTheLatestWins)
{
    SEditedEffect<> edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    const std::vector<std::string> before = readOuts(editor);
    std::thread automation(
        [&]
        {
            editor.parameterChanged(1, 0.2);
            editor.parameterChanged(1, 0.5);
            editor.parameterChanged(3, 1.0);
            editor.parameterChanged(Quellor::IParameterView::kMeterIndex, 0.5);
        });
    automation.join();
    EXPECT_EQ(readOuts(editor), before) << "controls are only touched on the editor's thread";
    EXPECT_EQ(editor.getLevelMeter()->getLitSegments(), 0);

    editor.idle();
    EXPECT_STREQ(editor.getReadOut(1)->getText().getString(), "-25.000 dB");
    EXPECT_DOUBLE_EQ(editor.getKnob(1)->getValue(), 0.5);
    EXPECT_STREQ(editor.getReadOut(3)->getText().getString(), "1000.000 ms");
    EXPECT_EQ(editor.getLevelMeter()->getLitSegments(), 8);

    // A change on the editor's thread after one from elsewhere is the newer one.
    std::thread([&] { editor.parameterChanged(5, 0.1); }).join();
    editor.parameterChanged(5, 0.9);
    editor.idle();
    EXPECT_STREQ(editor.getReadOut(5)->getText().getString(), "0.900");

    // The host's program change on the editor's thread shows at once.
    edited.effect->setProgram(7);
    for (int index = 0; index < Quellor::Parameters::kCount; ++index)
    {
        EXPECT_FLOAT_EQ(static_cast<float>(editor.getKnob(index)->getValue()),
                        edited.effect->getParameter(index));
    }
}

// A host may construct the effect on a thread that later automates or processes audio:
// until the first open no thread may touch the controls.
TEST_F(EditorFixture, NoThreadIsTheEditorsBeforeTheFirstOpenWhichShowsEveryWaitingChangeBeforeItPaints)
{
    SEditedEffect<CFirstPaintEditor> edited(pictures.path());
    CFirstPaintEditor& editor = *edited.editor;
    const std::vector<std::string> before = readOuts(editor);
    const std::vector<double> knobsBefore = knobValues(editor);
    // On the constructing thread: the view, the effect's own path, and an idle.
    editor.parameterChanged(1, 0.2);
    edited.effect->setParameter(3, 1.0f);
    editor.parameterChanged(Quellor::IParameterView::kMeterIndex, 0.5);
    editor.idle();
    EXPECT_EQ(readOuts(editor), before);
    EXPECT_EQ(knobValues(editor), knobsBefore);
    EXPECT_EQ(editor.getLevelMeter()->getLitSegments(), 0);

    std::thread([&] { ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7))); }).join();
    EXPECT_EQ(editor.thresholdShown, "-40.000 dB");
    EXPECT_DOUBLE_EQ(editor.attackKnob, 1.0);
    EXPECT_EQ(editor.litSegments, 8);

    // The opening thread is the editor's now: the constructing thread's changes wait.
    editor.parameterChanged(5, 0.25);
    EXPECT_STREQ(editor.getReadOut(5)->getText().getString(), "1.000");
}

TEST_F(EditorFixture, ATurnedKnobAutomatesTheHostOncePerChangeWithoutEchoingBack)
{
    SEditedEffect<CCountingEditor> edited(pictures.path());
    CCountingEditor& editor = *edited.editor;
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    editor.parameterChanged(1, 0.2); // Threshold knob at 0.2
    editor.notifications = 0;

    // Threshold knob at (30, 65), 40 x 40: press in its middle, drag right.
    mouse(editor, Message::LeftButtonDown, 50, 85, Platform::KeyState::LeftButton);
    mouse(editor, Message::MouseMove, 70, 85, Platform::KeyState::LeftButton); // +20 px: 0.3
    mouse(editor, Message::MouseMove, 70, 85, Platform::KeyState::LeftButton); // no change
    mouse(editor, Message::MouseMove, 90, 75, Platform::KeyState::LeftButton); // +40 right, +10 up: 0.45
    mouse(editor, Message::LeftButtonUp, 90, 75, 0);

    const std::vector<SAutomation> automated = CAutomationLog::instance().take();
    ASSERT_EQ(automated.size(), 2u);
    EXPECT_EQ(automated[0].index, 1);
    EXPECT_NEAR(automated[0].value, 0.3f, 1e-6);
    EXPECT_EQ(automated[1].index, 1);
    EXPECT_NEAR(automated[1].value, 0.45f, 1e-6);
    EXPECT_EQ(editor.notifications, 0) << "the effect does not echo the editor's own change";
    EXPECT_NEAR(edited.effect->getParameter(1), 0.45f, 1e-6);
    EXPECT_STREQ(editor.getReadOut(1)->getText().getString(), "-27.500 dB");
    EXPECT_FALSE(editor.isSettingParameter());

    // The Ratio knob hands the host value on; the read-out shows the ratio.
    mouse(editor, Message::LeftButtonDown, 125, 85, Platform::KeyState::LeftButton);
    mouse(editor, Message::MouseMove, 325, 85, Platform::KeyState::LeftButton); // to the top
    mouse(editor, Message::MouseMove, 345, 85, Platform::KeyState::LeftButton); // past it: nothing
    mouse(editor, Message::LeftButtonUp, 345, 85, 0);
    const std::vector<SAutomation> ratio = CAutomationLog::instance().take();
    ASSERT_EQ(ratio.size(), 1u);
    EXPECT_EQ(ratio[0].index, 2);
    EXPECT_FLOAT_EQ(ratio[0].value, 1.0f);
    EXPECT_STREQ(editor.getReadOut(2)->getText().getString(), "20.000 :1");
    EXPECT_FLOAT_EQ(edited.effect->getParameter(2), 1.0f);
    EXPECT_EQ(editor.notifications, 0);

    // Host automation afterwards reaches the editor again.
    edited.effect->setParameter(1, 0.5f);
    EXPECT_EQ(editor.notifications, 1);
    EXPECT_STREQ(editor.getReadOut(1)->getText().getString(), "-25.000 dB");

    // A turn after a change that another thread left for idle is the newer one.
    std::thread([&] { editor.parameterChanged(1, 0.9); }).join();
    mouse(editor, Message::LeftButtonDown, 50, 85, Platform::KeyState::LeftButton);
    mouse(editor, Message::MouseMove, 70, 85, Platform::KeyState::LeftButton); // +20 px: 0.6
    mouse(editor, Message::LeftButtonUp, 70, 85, 0);
    editor.idle();
    EXPECT_NEAR(editor.getKnob(1)->getValue(), 0.6, 1e-6);
    EXPECT_NEAR(edited.effect->getParameter(1), 0.6f, 1e-6);
    CAutomationLog::instance().take();
}

TEST_F(EditorFixture, EveryKnobGestureReachesTheHostAsBeginItsAutomationAndEnd)
{
    SEditedEffect<> edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    constexpr uintptr_t kHeld = Platform::KeyState::LeftButton;
    // What the user does on the Threshold knob (30, 65, 40 x 40), from 0.5.
    struct SStep
    {
        int message, x, y;
        uintptr_t keys;
    };
    constexpr int kWheelUp = -1;
    constexpr int kWheelDown = -2;
    struct SCase
    {
        const char* name;
        double start;
        std::vector<SStep> steps;
        std::vector<std::string> calls;
    };
    const SCase cases[] = {
        {"drag",
         0.5,
         {{Message::LeftButtonDown, 50, 85, kHeld},
          {Message::MouseMove, 70, 85, kHeld},
          {Message::MouseMove, 90, 85, kHeld},
          {Message::LeftButtonUp, 90, 85, 0}},
         {"begin 1", "automate 1", "automate 1", "end 1"}},
        {"a click that turns nothing",
         0.5,
         {{Message::LeftButtonDown, 50, 85, kHeld}, {Message::LeftButtonUp, 50, 85, 0}},
         {"begin 1", "end 1"}},
        {"double click: the second press resets, its release ends nothing",
         0.9,
         {{Message::LeftButtonDown, 50, 85, kHeld},
          {Message::LeftButtonUp, 50, 85, 0},
          {Message::LeftButtonDoubleClick, 50, 85, kHeld},
          {Message::LeftButtonUp, 50, 85, 0}},
         {"begin 1", "end 1", "begin 1", "automate 1", "end 1"}},
        {"two wheel steps",
         0.5,
         {{kWheelUp, 50, 85, 0}, {kWheelDown, 50, 85, 0}},
         {"begin 1", "automate 1", "end 1", "begin 1", "automate 1", "end 1"}},
        {"a wheel step at the top moves nothing", 1.0, {{kWheelUp, 50, 85, 0}}, {}},
        {"a wheel step during a drag belongs to the drag",
         0.5,
         {{Message::LeftButtonDown, 50, 85, kHeld},
          {kWheelUp, 50, 85, kHeld},
          {Message::MouseMove, 70, 85, kHeld},
          {Message::LeftButtonUp, 70, 85, 0}},
         {"begin 1", "automate 1", "automate 1", "end 1"}},
        {"another window takes the capture mid-drag: the drag ends, the hover turns nothing",
         0.5,
         {{Message::LeftButtonDown, 50, 85, kHeld},
          {Message::MouseMove, 70, 85, kHeld},
          {Message::CaptureChanged, 0, 0, 0},
          {Message::MouseMove, 90, 85, 0},
          {Message::LeftButtonUp, 90, 85, 0},
          {Message::MouseMove, 110, 85, 0}},
         {"begin 1", "automate 1", "end 1"}},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        editor.parameterChanged(1, c.start);
        CAutomationLog::instance().take();
        for (const SStep& step : c.steps)
        {
            if (step.message == kWheelUp || step.message == kWheelDown)
            {
                wheel(editor, step.message == kWheelUp ? 1 : -1, step.x, step.y);
            }
            else
            {
                mouse(editor, step.message, step.x, step.y, step.keys);
            }
        }
        EXPECT_EQ(CAutomationLog::instance().takeCalls(), c.calls);
        EXPECT_FALSE(editor.getKnob(1)->isDragging());
        EXPECT_FALSE(editor.getControlRoot()->controlIsLocked());
    }
}

// A host closed the editor while the Threshold knob was held; the release went nowhere.
// Merely moving over the reopened editor turned the knob and automated the host.
TEST_F(EditorFixture, ClosingTheEditorMidDragEndsTheGestureAndTheReopenedEditorIgnoresHovering)
{
    SEditedEffect<> edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    edited.effect->setParameter(1, 0.5f);
    ASSERT_EQ(edited.effect->dispatcher(Vst::effEditOpen, 0, 0, reinterpret_cast<void*>(7), 0.0f), 1);
    mouse(editor, Message::LeftButtonDown, 50, 85, Platform::KeyState::LeftButton);
    mouse(editor, Message::MouseMove, 60, 85, Platform::KeyState::LeftButton);
    edited.effect->dispatcher(Vst::effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(CAutomationLog::instance().takeCalls(),
              (std::vector<std::string>{"begin 1", "automate 1", "end 1"}));
    EXPECT_FALSE(editor.getKnob(1)->isDragging());
    EXPECT_FALSE(editor.getControlRoot()->controlIsLocked());
    EXPECT_FALSE(system.isMouseCaptured());

    const float value = edited.effect->getParameter(1);
    ASSERT_EQ(edited.effect->dispatcher(Vst::effEditOpen, 0, 0, reinterpret_cast<void*>(8), 0.0f), 1);
    for (int x : {70, 90, 110, 130})
    {
        mouse(editor, Message::MouseMove, x, 85, 0);
    }
    EXPECT_EQ(CAutomationLog::instance().takeCalls(), std::vector<std::string>{});
    EXPECT_EQ(edited.effect->getParameter(1), value);
}

TEST_F(EditorFixture, TheInfoButtonShowsTheAboutWindowAndLeavesTheEffectAlone)
{
    SEditedEffect<> edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    const std::vector<double> values = knobValues(editor);
    for (int press = 0; press < 2; ++press)
    {
        mouse(editor, Message::LeftButtonDown, 360, 10, Platform::KeyState::LeftButton);
        mouse(editor, Message::LeftButtonUp, 360, 10, 0);
    }
    GUI::Windowing::CAboutWindow& about = *editor.getAboutWindow();
    ASSERT_TRUE(about.isWindowOpen());
    EXPECT_EQ(system.m_backends.size(), 2u) << "the editor and one about window";
    EXPECT_TRUE(system.lastBackend()->m_visible);
    EXPECT_EQ(system.lastBackend()->m_params.parent, 0u);
    EXPECT_TRUE(CAutomationLog::instance().take().empty());
    EXPECT_EQ(knobValues(editor), values);

    // Closing the editor hides it: nothing would service an always-on-top window left
    // showing (only the editor's idle reads its events). The next click shows it again.
    Tests::CFakeWindowBackend& aboutNative = *system.lastBackend();
    editor.close();
    EXPECT_FALSE(aboutNative.m_visible);
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(8)));
    EXPECT_FALSE(aboutNative.m_visible);
    mouse(editor, Message::LeftButtonDown, 360, 10, Platform::KeyState::LeftButton);
    mouse(editor, Message::LeftButtonUp, 360, 10, 0);
    EXPECT_TRUE(aboutNative.m_visible);
}

TEST_F(EditorFixture, AnEditorDeletedBeforeItsEffectIsNeitherItsEditorNorItsViewAnyMore)
{
    SEditedEffect<> edited(pictures.path());
    delete edited.editor;
    EXPECT_EQ(edited.effect->getEditor(), nullptr);
    EXPECT_EQ(edited.effect->getParameterView(), nullptr);
    EXPECT_EQ(edited.effect->getAeffect()->flags & Vst::effFlagsHasEditor, 0);
    // Nothing is told or opened, and the effect's destruction deletes nothing twice.
    edited.effect->setParameter(1, 0.3f);
    EXPECT_EQ(edited.effect->dispatcher(Vst::effEditOpen, 0, 0, reinterpret_cast<void*>(7), 0.0f), 0);
}

TEST_F(EditorFixture, EditorsShareTheDecodedPicturesUntilTheModuleUnloads)
{
    using GUI::Graphics::CImageCache;
    using GUI::Graphics::IImage;
    // Background, info face, the about window's picture, then the six knobs' strips.
    const auto picturesOf = [](CQuellorEditor& editor)
    {
        std::vector<IImage*> shown{editor.getControlRoot()->getBackgroundImage(),
                                   editor.getInfoButton()->getPrimaryImage(),
                                   editor.getAboutWindow()->getControlRoot()->getBackgroundImage()};
        for (int index = 0; index < Quellor::Parameters::kCount; ++index)
        {
            shown.push_back(editor.getKnob(index)->getPrimaryImage());
        }
        return shown;
    };

    SEditedEffect<> one(pictures.path());
    SEditedEffect<> two(pictures.path());
    const std::vector<IImage*> first = picturesOf(*one.editor);
    const std::vector<IImage*> second = picturesOf(*two.editor);
    for (std::size_t i = 0; i < first.size(); ++i)
    {
        ASSERT_NE(first[i], nullptr) << i;
        EXPECT_TRUE(first[i]->hasImageLoaded()) << i;
        EXPECT_EQ(first[i], second[i]) << i;
    }
    EXPECT_EQ(first[3], first[8]) << "Master and Dry/Wet show knob.png";
    // Eight files: the background, six pictures the editor holds and the about picture.
    EXPECT_EQ(CImageCache::getNumberOfImages(), 8);

    // The library's unload hook empties the cache, giving back the cache's own reference
    // and no other: pictures still shown stay alive with their users alone.
    const auto referencesBefore = first[0]->getReferenceCount();
    Quellor::detachEditorModule();
    EXPECT_EQ(CImageCache::getNumberOfImages(), 0);
    EXPECT_EQ(first[0]->getReferenceCount(), referencesBefore - 1);
    Quellor::attachEditorModule();

    // A later editor decodes afresh and the cache fills again.
    SEditedEffect<> three(pictures.path());
    EXPECT_NE(three.editor->getControlRoot()->getBackgroundImage(), first[0]);
    EXPECT_EQ(CImageCache::getNumberOfImages(), 8);
}

TEST_F(EditorFixture, MissingOrBrokenPicturesAreNamedOnceEachAndTheEditorStillWorks)
{
    Tests::CScratchFolder sparse;
    writePictures(sparse);
    std::filesystem::remove(sparse.file("knob2.png"));
    std::filesystem::remove(sparse.file("splash.png"));
    std::ofstream(sparse.file("info.png"), std::ios::trunc) << "not a picture";

    ::testing::internal::CaptureStderr();
    SEditedEffect<> edited(sparse.path());
    const std::string said = ::testing::internal::GetCapturedStderr();
    CQuellorEditor& editor = *edited.editor;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 3) << said;
    // A missing file is called missing; a broken one gets the decoder's reason.
    for (const std::string& line :
         {sparse.file("knob2.png") + ": no such file", sparse.file("splash.png") + ": no such file",
          sparse.file("info.png") + ": Failed to aquire HBITMAP from Bitmap image"})
    {
        EXPECT_NE(said.find(line), std::string::npos) << line << " in:\n" << said;
    }

    // The Threshold knob has no strip and no size, yet takes values; the panel opens and paints.
    EXPECT_EQ(editor.getKnob(1)->getArea(), MathTools::CRect(30, 65, 0, 0));
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    editor.parameterChanged(1, 0.5);
    EXPECT_STREQ(editor.getReadOut(1)->getText().getString(), "-25.000 dB");
    system.lastBackend()->m_paintArea = {0, 0, 500, 158};
    editor.handleWindowEvents({Message::Paint, 0, 0});
    EXPECT_GT(system.lastBackend()->m_presents, 0);
    // The info button without its picture has no size: a click where it would be opens nothing.
    mouse(editor, Message::LeftButtonDown, 351, 1, Platform::KeyState::LeftButton);
    mouse(editor, Message::LeftButtonUp, 351, 1, 0);
    EXPECT_FALSE(editor.getAboutWindow()->isWindowOpen());

    // Failures are not remembered: the next editor tries the files again and names them
    // again, while the pictures that loaded are shared.
    ::testing::internal::CaptureStderr();
    SEditedEffect<> again(sparse.path());
    const std::string saidAgain = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(saidAgain.begin(), saidAgain.end(), '\n'), 3) << saidAgain;
    EXPECT_EQ(again.editor->getKnob(0)->getPrimaryImage(), editor.getKnob(0)->getPrimaryImage());
    EXPECT_NE(again.editor->getKnob(1)->getPrimaryImage(), editor.getKnob(1)->getPrimaryImage());
}
