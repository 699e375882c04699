#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "framework/gui/windowing/AboutWindow.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Windowing::CAboutWindow;
namespace ExtendedStyle = Platform::ExtendedWindowStyle;

namespace
{

struct AboutWindowFixture : ::testing::Test
{
    // A w x h picture file in the scratch folder.
    Basics::CString picture(const char* name, int width, int height)
    {
        Tests::writeTarga(
            folder.file(name), width, height,
            std::vector<Tests::STargaPixel>(static_cast<size_t>(width) * height, {10, 20, 30, 255}));
        return name;
    }
    Basics::CSystemString folderPath() const { return Basics::CSystemString(folder.path().c_str()); }

    Tests::CFakeWindowSystem system;
    Tests::CScratchFolder folder;
};

} // namespace

TEST(AboutWindowPlacement, CentresThePictureOnThePrimaryMonitorWithTruncatedHalves)
{
    struct SCase
    {
        Platform::SPixelRect monitor;
        long width, height;
        MathTools::CRect expected;
    };
    const SCase cases[] = {
        {{0, 0, 1920, 1080}, 400, 300, {760, 390, 400, 300}},
        {{0, 0, 1920, 1080}, 401, 300, {760, 390, 401, 300}},
        {{0, 0, 1920, 1080}, 400, 301, {760, 390, 400, 301}},
        // A primary monitor right of another one.
        {{1280, 0, 1920, 1080}, 400, 300, {2040, 390, 400, 300}},
        // A picture larger than the monitor starts off its edge.
        {{0, 0, 300, 200}, 400, 300, {-50, -50, 400, 300}},
    };
    for (const SCase& c : cases)
    {
        EXPECT_EQ(CAboutWindow::centredArea(c.monitor, MathTools::CDimension(c.width, c.height)), c.expected)
            << c.width << " x " << c.height << " on " << c.monitor.width;
    }
}

TEST_F(AboutWindowFixture,
       MakesItsWindowOnlyWhenFirstShownThenHidesAtTheReleaseOfAClickAndReturnsToTheSamePlace)
{
    system.m_primaryMonitor = {0, 0, 1920, 1080};
    CAboutWindow about(folderPath(), picture("splash.tga", 400, 300), 0.8);
    Windowing::CWindowAttributes fallback;
    about.intialiseWindow(&fallback, true);
    EXPECT_TRUE(about.hasPicture());
    EXPECT_TRUE(system.m_backends.empty()) << "nothing native before the window is shown";

    about.openWindow();
    about.openWindow();
    ASSERT_EQ(system.m_backends.size(), 1u) << "a second show makes no second window";
    Tests::CFakeWindowBackend& native = *system.lastBackend();
    EXPECT_TRUE(native.m_visible);
    EXPECT_EQ(native.m_params.parent, 0u) << "a top-level window of its own";
    EXPECT_EQ(native.m_params.style, Platform::WindowStyle::Popup);
    EXPECT_EQ(native.m_params.extendedStyle,
              ExtendedStyle::TopMost | ExtendedStyle::Layered | ExtendedStyle::NoActivate);
    EXPECT_EQ(native.m_opacity, 204);
    EXPECT_EQ(about.getWindowArea(), MathTools::CRect(760, 390, 400, 300));
    EXPECT_EQ(native.m_area.x, 760);
    EXPECT_EQ(native.m_area.width, 400);

    // The whole click is the window's: it hides at the release, which it holds until then,
    // so that the release cannot fall through to whatever lies beneath.
    const auto mouse = [&](int message, uintptr_t keys) {
        about.handleWindowEvents({message, keys, Platform::packMousePosition(10, 10)});
    };
    mouse(Platform::Message::LeftButtonUp, 0);
    EXPECT_TRUE(native.m_visible) << "a release without its press is not a click";
    mouse(Platform::Message::LeftButtonDown, Platform::KeyState::LeftButton);
    EXPECT_TRUE(native.m_visible);
    EXPECT_TRUE(native.hasMouseCapture());
    mouse(Platform::Message::LeftButtonUp, 0);
    EXPECT_FALSE(native.m_visible);
    EXPECT_FALSE(system.isMouseCaptured());
    EXPECT_TRUE(native.m_exists) << "hidden, not destroyed";

    about.openWindow();
    EXPECT_EQ(system.m_backends.size(), 1u);
    EXPECT_TRUE(native.m_visible);
    EXPECT_EQ(about.getWindowArea(), MathTools::CRect(760, 390, 400, 300));
    // A click soon after the last one arrives as a double click: it hides the window too.
    mouse(Platform::Message::LeftButtonDoubleClick, Platform::KeyState::LeftButton);
    mouse(Platform::Message::LeftButtonUp, 0);
    EXPECT_FALSE(native.m_visible);
}

TEST_F(AboutWindowFixture, APictureThatCannotBeLoadedIsNamedOnceAndTheWindowFallsBackToItsAttributes)
{
    struct SCase
    {
        const char* file;
        bool corrupt;
        const char* reason;
    };
    const SCase cases[] = {{"missing.png", false, "no such file"}, {"broken.png", true, nullptr}};
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.file);
        if (c.corrupt)
        {
            std::ofstream(folder.file(c.file)) << "not a picture";
        }
        ::testing::internal::CaptureStderr();
        CAboutWindow about(folderPath(), c.file, 0.8);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(about.hasPicture());
        EXPECT_NE(said.find(folder.file(c.file)), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        if (c.reason != nullptr)
        {
            EXPECT_NE(said.find(c.reason), std::string::npos) << said;
        }

        // Shown without attributes: nothing to show.
        const size_t before = system.m_backends.size();
        about.openWindow();
        EXPECT_EQ(system.m_backends.size(), before);

        Windowing::CWindowAttributes fallback;
        fallback.setBackgroundColour(Graphics::CColour(215, 219, 223));
        fallback.setAlpha(0.8);
        about.intialiseWindow(&fallback, true);
        EXPECT_EQ(system.m_backends.size(), before) << "still nothing before it is shown";
        about.openWindow();
        ASSERT_EQ(system.m_backends.size(), before + 1);
        EXPECT_EQ(system.lastBackend()->m_params.style, Windowing::CWindowAttributes::kDefaultStyle);
        EXPECT_EQ(about.getWindowArea(), MathTools::CRect(0, 0, 100, 100));
        EXPECT_EQ(system.lastBackend()->m_opacity, 204);
        EXPECT_TRUE(system.lastBackend()->m_visible);
    }
}
