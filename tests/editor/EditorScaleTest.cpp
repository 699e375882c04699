// The editor at a scale, on a window system without a display: where the scale comes
// from, the size the host is told and the native window gets, logical controls and
// drags, the host's scale call, the size menu and its settings file, and the
// gain-reduction meter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <vector>

#include "editor/EditorScale.hpp"
#include "editor/EditorSettings.hpp"
#include "framework/gui/graphics/ImageCache.hpp"
#include "tests/Environment.hpp"
#include "tests/editor/EditorTestSupport.hpp"

using namespace Vantor;
using namespace EditorTest;
using Quellor::CEditorSettings;
using Quellor::CQuellorEditor;
namespace Message = Platform::Message;

namespace
{

// The host's answer to audioMasterSizeWindow and the sizes it was asked for.
struct SSizeRequests
{
    bool accept = true;
    std::vector<std::pair<int, int>> sizes;
};
SSizeRequests g_sizeRequests;

Vst::VstIntPtr VANTOR_VSTCALL sizingHost(Vst::AEffect* effect, Vst::VstInt32 opcode, Vst::VstInt32 index,
                                         Vst::VstIntPtr value, void* ptr, float opt)
{
    if (opcode == Vst::audioMasterSizeWindow)
    {
        g_sizeRequests.sizes.emplace_back(index, static_cast<int>(value));
        return g_sizeRequests.accept ? 1 : 0;
    }
    return recordingHost(effect, opcode, index, value, ptr, opt);
}

constexpr Vst::VstInt32 kHostScaleIndex = 0x50726553;  // 'PreS'
constexpr Vst::VstIntPtr kHostScaleValue = 0x41654373; // 'AeCs'

using Testing::setVariable;

// Where the settings file lives: $XDG_CONFIG_HOME, or %APPDATA% on Windows.
void pointSettingsAt(const std::string& folder)
{
    setVariable("XDG_CONFIG_HOME", folder.c_str());
    setVariable("APPDATA", folder.c_str());
}

struct ScaleFixture : ::testing::Test
{
    ScaleFixture()
    {
        writePictures(pictures);
        pointSettingsAt(settings.path());
        g_sizeRequests = {};
    }
    ~ScaleFixture() override
    {
        setVariable("PRESSORA_SCALE", nullptr);
        setVariable("GDK_SCALE", nullptr);
        GUI::Graphics::CImageCache::clear();
    }

    // A fresh effect with its editor on the host that answers size requests.
    struct SEdited : SEditedEffect<>
    {
        explicit SEdited(const std::string& resources) : SEditedEffect(resources, &sizingHost) {}
    };

    static std::pair<int, int> rectOf(CQuellorEditor& editor)
    {
        Vst::ERect* rect = nullptr;
        EXPECT_TRUE(editor.getRect(&rect));
        return {rect->right - rect->left, rect->bottom - rect->top};
    }
    static std::pair<int, int> sizeAt(double scale)
    {
        return {static_cast<int>(std::floor(500 * scale + 0.5)),
                static_cast<int>(std::floor(158 * scale + 0.5))};
    }
    static Vst::VstIntPtr sendHostScale(Quellor::CQuellor& effect, float scale)
    {
        return effect.dispatcher(Vst::effVendorSpecific, kHostScaleIndex, kHostScaleValue, nullptr, scale);
    }

    Tests::CFakeWindowSystem system;
    Tests::CScratchFolder pictures;
    Tests::CScratchFolder settings;
};

} // namespace

TEST_F(ScaleFixture, ScaleSourcesApplyInOrderEachOverridingTheNext)
{
    struct SCase
    {
        const char* what;
        const char* environment; // PRESSORA_SCALE
        std::optional<double> user;
        float host;
        double desktop;
        const char* gdk; // GDK_SCALE
        double beforeOpen, afterOpen;
    };
    const SCase cases[] = {
        {"nothing", nullptr, std::nullopt, 0.0f, 0.0, nullptr, 1.0, 1.0},
        {"GDK_SCALE", nullptr, std::nullopt, 0.0f, 0.0, "2", 2.0, 2.0},
        {"the desktop, known from the first open", nullptr, std::nullopt, 0.0f, 1.5, "2", 2.0, 1.5},
        {"the host", nullptr, std::nullopt, 1.25f, 1.5, "2", 1.25, 1.25},
        {"the user's choice", nullptr, 2.5, 1.25f, 1.5, "2", 2.5, 2.5},
        {"PRESSORA_SCALE", "1.75", 2.5, 1.25f, 1.5, "2", 1.75, 1.75},
        {"unreadable PRESSORA_SCALE is absent", "big", 2.5, 1.25f, 1.5, "2", 2.5, 2.5},
        {"above 3 is 3", "5", std::nullopt, 0.0f, 0.0, nullptr, 3.0, 3.0},
        {"a 72 dpi desktop is 1", nullptr, std::nullopt, 0.0f, 0.75, nullptr, 1.0, 1.0},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        setVariable("PRESSORA_SCALE", c.environment);
        setVariable("GDK_SCALE", c.gdk);
        ASSERT_TRUE(CEditorSettings::writeSizeChoice(CEditorSettings::defaultPath(), c.user));
        system.m_desktopScale = c.desktop;
        system.m_desktopQuestions = 0;
        SEdited edited(pictures.path());
        if (c.host > 0.0f)
        {
            EXPECT_EQ(sendHostScale(*edited.effect, c.host), 1);
        }
        EXPECT_EQ(rectOf(*edited.editor), sizeAt(c.beforeOpen));
        EXPECT_EQ(system.m_desktopQuestions, 0) << "the desktop is asked only when the host opens the editor";
        ASSERT_TRUE(edited.editor->open(reinterpret_cast<void*>(7)));
        EXPECT_EQ(rectOf(*edited.editor), sizeAt(c.afterOpen));
        EXPECT_DOUBLE_EQ(edited.editor->getScale(), c.afterOpen);
        edited.editor->close();
    }
}

TEST_F(ScaleFixture, RectWindowAndDragsFollowTheScaleWhileControlsStayLogical)
{
    // A 30-pixel (logical) drag down from 0.5 takes Threshold to 0.35 at every scale:
    // 60 device pixels at 2x.
    for (const double scale : {1.0, 1.5, 2.0})
    {
        SCOPED_TRACE(scale);
        const std::string text = std::to_string(scale);
        setVariable("PRESSORA_SCALE", text.c_str());
        SEdited edited(pictures.path());
        CQuellorEditor& editor = *edited.editor;
        EXPECT_EQ(rectOf(editor), sizeAt(scale));
        ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
        const Platform::SPixelRect native = system.lastBackend()->m_params.area;
        EXPECT_EQ(std::make_pair(native.width, native.height), sizeAt(scale)) << "the child window";
        EXPECT_EQ(rectOf(editor), sizeAt(scale));
        EXPECT_EQ(editor.getKnob(1)->getArea(), MathTools::CRect(30, 65, 40, 40));
        EXPECT_EQ(editor.getLevelMeter()->getArea(), MathTools::CRect(460, 55, 10, 75));

        edited.effect->setParameter(1, 0.5f);
        const auto device = [scale](int logical) { return static_cast<int>(logical * scale); };
        mouse(editor, Message::LeftButtonDown, device(50), device(84), Platform::KeyState::LeftButton);
        mouse(editor, Message::MouseMove, device(50), device(84 + 30), Platform::KeyState::LeftButton);
        mouse(editor, Message::LeftButtonUp, device(50), device(84 + 30), 0);
        EXPECT_NEAR(edited.effect->getParameter(1), 0.35f, 1e-6f);
        editor.close();
    }
    // 197.5 rows at 1.25: halves round up.
    setVariable("PRESSORA_SCALE", "1.25");
    SEdited edited(pictures.path());
    EXPECT_EQ(rectOf(*edited.editor), std::make_pair(625, 198));
}

TEST_F(ScaleFixture, TheHostsScaleCallIsAnsweredAndAnOpenEditorAsksForItsNewSize)
{
    SEdited edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    // Only a positive, finite factor is taken.
    EXPECT_EQ(sendHostScale(*edited.effect, 0.0f), 0);
    EXPECT_EQ(sendHostScale(*edited.effect, std::nanf("")), 0);
    EXPECT_EQ(edited.effect->dispatcher(Vst::effVendorSpecific, kHostScaleIndex, 0, nullptr, 2.0f), 0);
    EXPECT_EQ(rectOf(editor), sizeAt(1.0));

    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    Tests::CFakeWindowBackend& native = *system.lastBackend();
    EXPECT_EQ(sendHostScale(*edited.effect, 2.0f), 1);
    editor.idle();
    ASSERT_EQ(g_sizeRequests.sizes.size(), 1u);
    EXPECT_EQ(g_sizeRequests.sizes[0], sizeAt(2.0));
    EXPECT_EQ(std::make_pair(native.m_area.width, native.m_area.height), sizeAt(2.0));
    EXPECT_EQ(rectOf(editor), sizeAt(2.0));

    // The user's choice needs the host's consent while open; refused, it waits for the next open.
    g_sizeRequests.accept = false;
    editor.setUserScale(1.5);
    editor.idle();
    editor.idle();
    EXPECT_EQ(g_sizeRequests.sizes.size(), 2u) << "asked once";
    EXPECT_EQ(std::make_pair(native.m_area.width, native.m_area.height), sizeAt(2.0));
    editor.close();
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    EXPECT_EQ(std::make_pair(system.lastBackend()->m_area.width, system.lastBackend()->m_area.height),
              sizeAt(1.5));

    // A host that asked for the size before the first open learns of a change the desktop brings.
    editor.setUserScale(std::nullopt);
    editor.close();
    g_sizeRequests = {};
    SEdited other(pictures.path());
    EXPECT_EQ(rectOf(*other.editor), sizeAt(1.0));
    system.m_desktopScale = 2.0;
    ASSERT_TRUE(other.editor->open(reinterpret_cast<void*>(8)));
    ASSERT_EQ(g_sizeRequests.sizes.size(), 1u);
    EXPECT_EQ(g_sizeRequests.sizes[0], sizeAt(2.0));
}

TEST_F(ScaleFixture, TheSizeMenuOpensOnTheBackgroundAndItsChoiceIsKeptForTheNextEditor)
{
    SEdited edited(pictures.path());
    CQuellorEditor& editor = *edited.editor;
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(7)));
    GUI::Controls::CPopupMenu& menu = *editor.getSizeMenu();
    // A right click on a knob does nothing; on the panel's background it opens the menu.
    mouse(editor, Message::RightButtonDown, 50, 85, Platform::KeyState::RightButton);
    EXPECT_FALSE(menu.isOpen());
    mouse(editor, Message::RightButtonDown, 160, 20, Platform::KeyState::RightButton);
    ASSERT_TRUE(menu.isOpen());
    EXPECT_EQ(menu.getMarkedItem(), Quellor::EditorScale::kAutomaticChoice);
    // A click beside the box closes it without a choice.
    mouse(editor, Message::LeftButtonDown, 5, 150, Platform::KeyState::LeftButton);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(editor.getUserScale(), std::nullopt);

    mouse(editor, Message::RightButtonDown, 160, 20, Platform::KeyState::RightButton);
    const MathTools::CRect item = menu.getItemArea(3); // 200%
    mouse(editor, Message::LeftButtonDown, item.getLeft() + 5, item.getTop() + 5,
          Platform::KeyState::LeftButton);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_EQ(editor.getUserScale(), 2.0);
    EXPECT_EQ(menu.getMarkedItem(), 3);
    EXPECT_EQ(rectOf(editor), sizeAt(2.0));
    EXPECT_EQ(CEditorSettings::readSizeChoice(editor.getSettingsPath()), 2.0);
    EXPECT_EQ(std::filesystem::path(editor.getSettingsPath()),
              settings.root() / "PressoraLite" / "settings.xml");

    SEdited next(pictures.path());
    EXPECT_EQ(next.editor->getUserScale(), 2.0);
    EXPECT_EQ(rectOf(*next.editor), sizeAt(2.0));
}

TEST_F(ScaleFixture, TheSettingsFileRoundTripsAndACorruptFileOrAnUnwritableFolderLosesNothing)
{
    const std::string path = settings.file("PressoraLite/settings.xml");
    for (int choice = 0; choice < Quellor::EditorScale::kMenuChoices; ++choice)
    {
        const std::optional<double> scale =
            choice == Quellor::EditorScale::kAutomaticChoice
                ? std::nullopt
                : std::optional<double>(Quellor::EditorScale::kMenuScales[choice]);
        ASSERT_TRUE(CEditorSettings::writeSizeChoice(path, scale)) << choice;
        EXPECT_EQ(CEditorSettings::readSizeChoice(path), scale) << choice;
        EXPECT_FALSE(std::filesystem::exists(path + ".new")) << "no file is left beside it";
    }
    // Corrupt, or a size the menu never wrote: Automatic.
    for (const char* text : {"<?xml version=\"1.0\"?>\n<settings>\n\t<editor size=\"1", "garbage",
                             "<?xml version=\"1.0\"?>\n<settings>\n\t<editor size=\"110%\"/>\n</settings>\n"})
    {
        std::ofstream(path, std::ios::trunc) << text;
        EXPECT_EQ(CEditorSettings::readSizeChoice(path), std::nullopt) << text;
    }
    EXPECT_EQ(CEditorSettings::readSizeChoice(settings.file("missing.xml")), std::nullopt);

    // A folder that cannot be made (a file stands in its place): the choice holds for the session.
    std::ofstream(settings.file("blocked")) << "a file, not a folder";
    pointSettingsAt(settings.file("blocked"));
    SEdited edited(pictures.path());
    ::testing::internal::CaptureStderr();
    edited.editor->setUserScale(1.5);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("this session only"), std::string::npos);
    EXPECT_EQ(edited.editor->getUserScale(), 1.5);
    EXPECT_EQ(rectOf(*edited.editor), sizeAt(1.5));
    EXPECT_FALSE(std::filesystem::exists(settings.file("blocked/PressoraLite/settings.xml")));
}

TEST_F(ScaleFixture, TheGainReductionMeterLightsFromTheTopWhatTheSettledReductionGives)
{
    SEdited edited(pictures.path());
    ASSERT_TRUE(edited.editor->open(reinterpret_cast<void*>(7)));
    Quellor::CQuellor& effect = *edited.effect;
    effect.setSampleRate(44100.0f);
    effect.setProgram(5); // "Hard": -8 dB, 20:1
    ASSERT_STREQ(effect.getProgramRecord(5).getName(), "Hard");
    effect.resume();
    std::vector<float> left(512), right(512), outLeft(512), outRight(512);
    float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    long frame = 0;
    for (int call = 0; call < 200; ++call) // over two seconds: settled
    {
        for (std::size_t i = 0; i < left.size(); ++i, ++frame)
        {
            left[i] = right[i] =
                static_cast<float>(std::sin(2.0 * std::numbers::pi * 1000.0 * frame / 44100.0));
        }
        effect.processReplacing(inputs, outputs, 512);
    }
    // The detector adds both channels' energies: a 0 dBFS sine on each reads 0 dB, 8 dB over
    // the threshold, of which 19/20 come off (the averager's ripple adds a little).
    const double settled = 8.0 * (1.0 - 1.0 / 20.0);
    EXPECT_NEAR(effect.getGainReduction(), settled, 0.1);
    edited.editor->idle();
    GUI::Controls::CLevelMeter& meter = *edited.editor->getGainReductionMeter();
    EXPECT_EQ(meter.getLitSegments(), static_cast<long>(std::ceil(15.0 * settled / 24.0)));
    EXPECT_LT(meter.getSegmentArea(0).getTop(), meter.getSegmentArea(1).getTop()) << "lit from the top";
}
