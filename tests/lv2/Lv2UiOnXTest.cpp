// The built LV2 UI on a real X server, driven as a host drives it: a parent
// window of the test's own (ui:parent), the idle interface, ui:resize, ui:touch,
// the options with a scale, XTest for the mouse. Skipped when no X server answers.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/XTestHost.hpp"
#include "tests/lv2/Lv2TestHost.hpp"

namespace
{
namespace Lv2 = Vantor::Quellor::Lv2;
namespace Parameters = Vantor::Quellor::Parameters;

constexpr int kWidth = 500, kHeight = 158;
// The host asks for twice the size (ui:scaleFactor); the test's coordinates stay in the panel's own units.
constexpr int kScale = 2;

// The host: its X connection and window, the UI library and what the UI told it.
class CUiHost : public Vantor::Testing::CXTestHost
{
public:
    struct SWrite
    {
        uint32_t port;
        float value;
    };

    CUiHost() = default;
    ~CUiHost() override
    {
        close();
        if (m_library != nullptr)
        {
            dlclose(m_library);
        }
    }

    // The UI of the plain plug-in, found through lilv, in a new parent window at (40, 40).
    bool open()
    {
        makeParent(kWidth * kScale, kHeight * kScale);
        setScale(kScale);
        Lv2Test::CWorld world;
        LilvUIs* uis = lilv_plugin_get_uis(world.plugin(Lv2::kPluginUri));
        const LilvUI* ui = lilv_uis_get_by_uri(uis, world.uri(Lv2::kUiUri));
        if (ui == nullptr)
        {
            lilv_uis_free(uis);
            ADD_FAILURE() << "the plug-in names no UI " << Lv2::kUiUri;
            return false;
        }
        char* binary = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
        char* bundle = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_bundle_uri(ui)), nullptr);
        m_bundle = bundle;
        m_library = dlopen(binary, RTLD_NOW | RTLD_LOCAL);
        lilv_free(binary);
        lilv_free(bundle);
        lilv_uis_free(uis);
        if (m_library == nullptr)
        {
            ADD_FAILURE() << dlerror();
            return false;
        }
        const auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(m_library, "lv2ui_descriptor"));
        for (uint32_t index = 0; entry != nullptr && entry(index) != nullptr; ++index)
        {
            if (std::strcmp(entry(index)->URI, Lv2::kUiUri) == 0)
            {
                m_descriptor = entry(index);
            }
        }
        if (m_descriptor == nullptr)
        {
            ADD_FAILURE() << "lv2ui_descriptor does not know " << Lv2::kUiUri;
            return false;
        }
        const float scale = kScale;
        const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, m_uris.map(LV2_UI__scaleFactor),
                                               sizeof scale, m_uris.map(LV2_ATOM__Float), &scale},
                                              {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the window id travels as a pointer.
        const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent())};
        const LV2_Feature idle{LV2_UI__idleInterface, nullptr};
        const LV2_Feature resize{LV2_UI__resize, &m_resize};
        const LV2_Feature touch{LV2_UI__touch, &m_touch};
        const LV2_Feature optionsFeature{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
        const LV2_Feature* features[] = {&parentFeature,   &idle,           &resize, &touch,
                                         m_uris.feature(), &optionsFeature, nullptr};
        m_handle = m_descriptor->instantiate(m_descriptor, Lv2::kPluginUri, m_bundle.c_str(),
                                             &CUiHost::onWrite, this, &m_widget, features);
        if (m_handle == nullptr)
        {
            ADD_FAILURE() << "the UI was not made";
            return false;
        }
        const auto* idleInterface =
            static_cast<const LV2UI_Idle_Interface*>(m_descriptor->extension_data(LV2_UI__idleInterface));
        if (idleInterface == nullptr || idleInterface->idle == nullptr)
        {
            return false;
        }
        idleCall = [this, call = idleInterface->idle] { call(m_handle); };
        return true;
    }

    void portEvent(uint32_t port, float value)
    {
        m_descriptor->port_event(m_handle, port, sizeof value, 0, &value);
    }
    // A new ui:scaleFactor through the UI's options interface.
    void setHostScale(float scale)
    {
        const auto* options =
            static_cast<const LV2_Options_Interface*>(m_descriptor->extension_data(LV2_OPTIONS__interface));
        ASSERT_NE(options, nullptr);
        const LV2_Options_Option list[] = {{LV2_OPTIONS_INSTANCE, 0, m_uris.map(LV2_UI__scaleFactor),
                                            sizeof scale, m_uris.map(LV2_ATOM__Float), &scale},
                                           {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
        EXPECT_EQ(options->set(m_handle, list), LV2_OPTIONS_SUCCESS);
    }
    void close()
    {
        if (m_handle != nullptr)
        {
            m_descriptor->cleanup(m_handle);
            m_handle = nullptr;
        }
    }

    Window widget() const { return reinterpret_cast<Window>(m_widget); }

    std::vector<SWrite> writes;
    // Touch starts and ends in order: +port for a start, -port for an end.
    std::vector<long> touches;
    int resizedWidth = 0, resizedHeight = 0;

private:
    static void onWrite(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                        const void* buffer)
    {
        if (size == sizeof(float) && format == 0)
        {
            auto* host = static_cast<CUiHost*>(controller);
            host->writes.push_back({port, *static_cast<const float*>(buffer)});
            host->touches.push_back(0); // a write, between the touches
        }
    }
    static void onTouch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed)
    {
        static_cast<CUiHost*>(handle)->touches.push_back(grabbed ? static_cast<long>(port)
                                                                 : -static_cast<long>(port));
    }
    static int onResize(LV2UI_Feature_Handle handle, int width, int height)
    {
        auto* host = static_cast<CUiHost*>(handle);
        host->resizedWidth = width;
        host->resizedHeight = height;
        return 0;
    }

    void* m_library = nullptr;
    std::string m_bundle;
    const LV2UI_Descriptor* m_descriptor = nullptr;
    LV2UI_Handle m_handle = nullptr;
    LV2UI_Widget m_widget = nullptr;
    Lv2Test::CUriMap m_uris;
    LV2UI_Resize m_resize{this, &CUiHost::onResize};
    LV2UI_Touch m_touch{this, &CUiHost::onTouch};
};

struct Lv2UiOnX : ::testing::Test
{
    void SetUp() override
    {
        if (const std::string why = host.whyNoXTest(); !why.empty())
        {
            GTEST_SKIP() << why;
        }
        ASSERT_TRUE(host.open());
    }
    CUiHost host;
};
} // namespace

TEST_F(Lv2UiOnX, EmbedsInTheHostsWindowDragsWriteThePortInsideTouchPortEventsMoveTheKnobInfoShowsAbout)
{
    // The editor opens at the host's scale and asks for that size.
    EXPECT_EQ(host.resizedWidth, kWidth * kScale);
    EXPECT_EQ(host.resizedHeight, kHeight * kScale);
    const std::vector<Window> children = host.children(host.parent());
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0], host.widget());

    // The host tells the UI where Threshold stands: -25 dB moves knob and read-out.
    const uint32_t threshold = Lv2::controlPort(Parameters::kThreshold);
    const auto readOut = [&] { return host.pixels(30, 115, 96, 20); };
    const auto knob = [&] { return host.pixels(30, 65, 40, 40); };
    ASSERT_TRUE(host.idleUntil([&] { return Vantor::Testing::painted(readOut()); }))
        << "idle never painted the editor";
    const std::vector<unsigned long> readOutBefore = readOut(), knobBefore = knob();
    host.portEvent(threshold, -25.0f);
    EXPECT_TRUE(host.idleUntil([&] { return readOut() != readOutBefore && knob() != knobBefore; }))
        << "a port event did not move the knob and its read-out";

    // Drag the Threshold knob 20 panel pixels (40 on the screen) to the right: +0.1,
    // from -25 dB to -20 dB.
    host.moveTo(45, 80);
    host.button(true);
    host.idle();
    host.moveTo(65, 80);
    ASSERT_TRUE(host.idleUntil([&] { return !host.writes.empty(); })) << "no port write";
    host.button(false);
    host.idleUntil([&] { return !host.touches.empty() && host.touches.back() < 0; });
    ASSERT_FALSE(host.writes.empty());
    for (const CUiHost::SWrite& write : host.writes)
    {
        EXPECT_EQ(write.port, threshold);
    }
    EXPECT_NEAR(host.writes.back().value, -20.0f, 1e-3f);
    // Touch start, the writes, touch end.
    ASSERT_GE(host.touches.size(), 3u);
    EXPECT_EQ(host.touches.front(), static_cast<long>(threshold));
    EXPECT_EQ(host.touches.back(), -static_cast<long>(threshold));
    EXPECT_EQ(std::count(host.touches.begin(), host.touches.end(), 0L),
              static_cast<long>(host.writes.size()));
    EXPECT_EQ(host.touches.size(), host.writes.size() + 2);

    // The info button shows the about window; a click on it hides it again.
    host.moveTo(360, 8);
    host.click();
    Window about = 0;
    ASSERT_TRUE(host.idleUntil([&] { return (about = host.shownTopLevel()) != 0; })) << "no about window";
    XWindowAttributes shown{};
    XGetWindowAttributes(host.display(), about, &shown);
    host.moveOnScreen(shown.x + shown.width / 2, shown.y + shown.height / 2);
    host.click();
    EXPECT_TRUE(host.idleUntil([&] { return host.shownTopLevel() == 0; })) << "a click did not hide it";

    // The host's echo of the written value changes nothing; closing leaves the parent empty.
    host.portEvent(threshold, host.writes.back().value);
    host.idle();
    host.close();
    XSync(host.display(), False);
    EXPECT_TRUE(host.children(host.parent()).empty());
}

TEST_F(Lv2UiOnX, ANewScaleFromTheHostRedrawsTheEditorAndAsksForItsSize)
{
    host.setHostScale(1.5f);
    host.idle();
    EXPECT_EQ(host.resizedWidth, 750);
    EXPECT_EQ(host.resizedHeight, 237);
    XWindowAttributes widget{};
    XGetWindowAttributes(host.display(), host.widget(), &widget);
    EXPECT_EQ(widget.width, 750);
    EXPECT_EQ(widget.height, 237);
}

TEST_F(Lv2UiOnX, SurvivesAHostThatNeverCallsIdle)
{
    host.portEvent(Lv2::kLevel, 0.5f);
    host.close();
    XSync(host.display(), False);
    EXPECT_TRUE(host.children(host.parent()).empty());
}

TEST_F(Lv2UiOnX, SurvivesAHostThatDestroysTheParentWindowFirst)
{
    host.idle();
    host.destroyParent();
    for (int round = 0; round < 5; ++round)
    {
        host.portEvent(Lv2::kLevel, 0.25f);
        host.idle();
    }
    host.close();
    SUCCEED() << "no crash and no X error ended the process";
}
