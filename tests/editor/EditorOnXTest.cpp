// The built plug-in's editor on a real X server, driven like a user and a host:
// a parent window of the test's own, XTest for the mouse, the host's log for the
// automation. Skipped when no X server answers.
#include <gtest/gtest.h>

#include "framework/platform/ImageDecoder.hpp"
#include "tests/XTestHost.hpp"
#include "tests/editor/HostGestures.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace Vantor::Vst;
using Vantor::VstHost::CVstPlugin;

namespace
{

constexpr const char* kModulePath = PRESSORALITE_PATH;
using CTestHost = Vantor::Testing::CXTestHost;

struct EditorOnX : ::testing::Test
{
    void SetUp() override
    {
        if (const std::string why = host.whyNoXTest(); !why.empty())
        {
            GTEST_SKIP() << why;
        }
        plugin = CVstPlugin::load(kModulePath);
        host.idleCall = [this] { plugin->dispatch(effEditIdle); };
    }

    std::vector<std::string> gestures(VstInt32 index) const
    {
        return Vantor::Testing::gestures(*plugin, index);
    }

    CTestHost host;
    std::unique_ptr<CVstPlugin> plugin;
};

} // namespace

TEST_F(EditorOnX, AUserTurnsAKnobInsideAHostsWindowAndTheHostClosesIt)
{
    ERect* rect = nullptr;
    ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    ASSERT_EQ(rect->right, 500);
    ASSERT_EQ(rect->bottom, 158);
    host.makeParent(500, 158);
    plugin->setParameter(1, 0.5f); // Threshold -25 dB

    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host.parent())), 1);
    std::vector<Window> children = host.children(host.parent());
    ASSERT_EQ(children.size(), 1u) << "the editor is one child of the host's window";
    XWindowAttributes child{};
    XGetWindowAttributes(host.display(), children[0], &child);
    EXPECT_EQ(child.x, 0);
    EXPECT_EQ(child.y, 0);
    EXPECT_EQ(child.width, 500);
    EXPECT_EQ(child.height, 158);

    // The Threshold read-out, once painted (text on the panel: more than one colour).
    const auto readOut = [&] { return host.pixels(30, 115, 96, 20); };
    ASSERT_TRUE(host.idleUntil([&] { return Vantor::Testing::painted(readOut()); }))
        << "idle never painted the editor";
    const std::vector<unsigned long> before = readOut();

    // Drag the Threshold knob (30, 65, 40 x 40 or larger) 20 pixels to the right: +0.1.
    host.moveTo(45, 80);
    host.button(true);
    host.idle();
    host.moveTo(65, 80);
    ASSERT_TRUE(host.idleUntil([&] { return !plugin->host().automatedValues(1).empty(); }))
        << "the host was never told";
    host.button(false);
    host.idle();
    const std::vector<float> automated = plugin->host().automatedValues(1);
    ASSERT_EQ(automated.size(), 1u);
    EXPECT_NEAR(automated[0], 0.6f, 1e-5);
    EXPECT_EQ(gestures(1), (std::vector<std::string>{"begin", "automate", "end"}))
        << "a touch the host records";
    EXPECT_NEAR(plugin->parameter(1), 0.6f, 1e-5);
    EXPECT_TRUE(host.idleUntil([&] { return readOut() != before; })) << "the read-out was not repainted";

    // Closing destroys the child only.
    plugin->dispatch(effEditClose);
    XSync(host.display(), False);
    EXPECT_TRUE(host.children(host.parent()).empty());
    XWindowAttributes parent{};
    EXPECT_NE(XGetWindowAttributes(host.display(), host.parent(), &parent), 0);
}

// A press whose release the editor never gets: the host hides its window, and the
// pointer grab ends with it. The drag ends there with EndEdit, and moving over the
// editor afterwards turns nothing. (The host closing the editor mid-drag is the same
// on every system: the editor's own cases drive it.)
TEST_F(EditorOnX, ADragThatLosesItsReleaseEndsAndHoveringAfterwardsTurnsNothing)
{
    host.makeParent(500, 158);
    plugin->setParameter(1, 0.5f);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host.parent())), 1);
    ASSERT_TRUE(host.idleUntil([&] { return !host.children(host.parent()).empty(); }));
    plugin->host().clearCalls();
    host.moveTo(45, 80);
    host.button(true);
    host.idle();
    host.moveTo(55, 80);
    ASSERT_TRUE(host.idleUntil([&] { return !plugin->host().automatedValues(1).empty(); }));
    host.showParent(false);
    EXPECT_TRUE(host.idleUntil([&] { return gestures(1).size() == 3; }));
    EXPECT_EQ(gestures(1), (std::vector<std::string>{"begin", "automate", "end"}));
    host.button(false);
    host.showParent(true);
    for (int x : {65, 85, 105, 125})
    {
        host.moveTo(x, 80);
        host.idle();
    }
    EXPECT_EQ(gestures(1), (std::vector<std::string>{"begin", "automate", "end"}));
    plugin->dispatch(effEditClose);
}

// The about window shows at the screen's centre; the host's window is placed so that the
// info button lies right under it. The click that hides the about window is the about
// window's alone: its release used to fall through to the info button, which showed the
// about window again at once. Closing the editor hides it too.
TEST_F(EditorOnX, TheClickThatHidesTheAboutWindowStaysWithItAndClosingTheEditorHidesIt)
{
    const int screenWidth = DisplayWidth(host.display(), DefaultScreen(host.display()));
    const int screenHeight = DisplayHeight(host.display(), DefaultScreen(host.display()));
    host.makeParent(500, 158, screenWidth / 2 - 360, screenHeight / 2 - 8);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host.parent())), 1);
    host.moveTo(360, 8);
    // The second time round the click on the about window comes soon enough after the
    // first to count as a double click: it hides the window all the same.
    for (int time = 0; time < 2; ++time)
    {
        SCOPED_TRACE(time);
        host.click(); // on the info button
        ASSERT_TRUE(host.idleUntil([&] { return host.shownTopLevel() != 0; })) << "no about window";
        // On the about window above it, as a hand clicks: the editor sees the press before
        // the button comes up.
        host.button(true);
        host.idle();
        host.idle();
        host.button(false);
        host.idleUntil([&] { return host.shownTopLevel() == 0; });
        for (int round = 0; round < 10; ++round)
        {
            host.idle();
        }
        EXPECT_EQ(host.shownTopLevel(), 0u) << "the release reached the info button beneath";
    }
    host.click();
    ASSERT_TRUE(host.idleUntil([&] { return host.shownTopLevel() != 0; }));
    plugin->dispatch(effEditClose);
    XSync(host.display(), False);
    EXPECT_EQ(host.shownTopLevel(), 0u) << "an about window outlived the editor's window";
    EXPECT_TRUE(plugin->host().automatedValues(1).empty());
}

TEST_F(EditorOnX, OpensAndClosesFiftyTimesWhileAnotherThreadProcessesAudio)
{
    host.makeParent(500, 158);
    plugin->setBlockSize(256);
    plugin->resume();
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::thread audio(
        [&]
        {
            std::vector<float> left(256), right(256);
            for (std::size_t i = 0; i < left.size(); ++i)
            {
                left[i] = right[i] = (i % 32 < 16) ? 0.8f : -0.8f;
            }
            while (!stop.load())
            {
                plugin->processStereo(left.data(), right.data(), left.data(), right.data(), left.size());
                blocks.fetch_add(1);
            }
        });
    for (int cycle = 0; cycle < 50; ++cycle)
    {
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host.parent())), 1) << cycle;
        for (int round = 0; round < 3; ++round)
        {
            plugin->dispatch(effEditIdle);
        }
        plugin->setParameter(cycle % 6, static_cast<float>(cycle % 10) / 10.0f);
        plugin->dispatch(effEditClose);
    }
    stop.store(true);
    audio.join();
    XSync(host.display(), False);
    EXPECT_TRUE(host.children(host.parent()).empty());
    EXPECT_GT(blocks.load(), 0);
}

namespace
{
int openDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    {
        ++count;
    }
    return count;
}
} // namespace

// A host that loads, opens, closes and unloads the plug-in over and over: no window,
// X connection or file descriptor is left behind, and nothing touches the display
// after the library is gone.
TEST(EditorModuleOnX, LoadingOpeningClosingAndUnloadingAHundredTimesLeavesNothingBehind)
{
    CTestHost host;
    if (host.display() == nullptr)
    {
        GTEST_SKIP() << "no X server";
    }
    host.makeParent(500, 158);
    const auto topLevels = [&] { return host.children(DefaultRootWindow(host.display())).size(); };
    // One round first: the libraries the module pulls in stay loaded, with their own files.
    const auto round = [&]
    {
        auto plugin = CVstPlugin::load(kModulePath);
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host.parent())), 1);
        plugin->dispatch(effEditIdle);
        plugin->dispatch(effEditClose);
        plugin->close();
    };
    round();
    const int descriptors = openDescriptors();
    const std::size_t windows = topLevels();
    for (int cycle = 0; cycle < 100; ++cycle)
    {
        round();
        if (HasFatalFailure())
        {
            return;
        }
    }
    XSync(host.display(), False);
    EXPECT_EQ(openDescriptors(), descriptors) << "X connections and files are given back";
    EXPECT_EQ(topLevels(), windows);
    EXPECT_TRUE(host.children(host.parent()).empty());
}

TEST_F(EditorOnX, TheServersXftDpiScalesTheEditorFromItsFirstOpenAndTheHostIsToldTheNewSize)
{
    // The desktop asks for 192 dpi through the root window's resources, as xrdb sets them;
    // what the server held when the test's connection opened comes back at the end.
    Display* display = host.display();
    struct SResources
    {
        Display* display;
        const char* saved;
        void set(const char* text) const
        {
            XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(text),
                            static_cast<int>(std::strlen(text)));
            XSync(display, False);
        }
        ~SResources()
        {
            if (saved != nullptr)
            {
                set(saved);
            }
            else
            {
                XDeleteProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER);
                XSync(display, False);
            }
        }
    } resources{display, XResourceManagerString(display)};
    resources.set("Xft.antialias:\t1\nXft.dpi:\t192\n");

    // Before the first open no display is asked: the host sizes its frame for 1x.
    ERect* rect = nullptr;
    plugin->dispatch(effEditGetRect, 0, 0, &rect);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(std::make_pair(rect->right - rect->left, rect->bottom - rect->top), std::make_pair(500, 158));
    host.makeParent(500, 158);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host.parent())), 1);
    plugin->dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(std::make_pair(rect->right - rect->left, rect->bottom - rect->top), std::make_pair(1000, 316));
    const std::vector<Window> children = host.children(host.parent());
    ASSERT_EQ(children.size(), 1u);
    XWindowAttributes child{};
    XGetWindowAttributes(display, children[0], &child);
    EXPECT_EQ(std::make_pair(child.width, child.height), std::make_pair(1000, 316));
    ASSERT_EQ(plugin->host().countCalls(audioMasterSizeWindow), 1u);
    for (const auto& call : plugin->host().calls())
    {
        if (call.opcode == audioMasterSizeWindow)
        {
            EXPECT_EQ(std::make_pair(call.index, static_cast<int>(call.value)), std::make_pair(1000, 316));
        }
    }
    plugin->dispatch(effEditClose);
}

// Our own host photographs the editor with the signal running, at 1x and at 2x.
TEST(PressoraGuiOnX, TheTwiceScaledPictureShrunkToOneScaleMatchesTheOneScaledYetStaysSharp)
{
    CTestHost host;
    if (host.display() == nullptr)
    {
        GTEST_SKIP() << "no X server";
    }
    const auto shoot = [](const char* scale)
    {
        const std::filesystem::path shot =
            std::filesystem::temp_directory_path() /
            ("pressora_scale_" + std::to_string(getpid()) + "_" + scale + ".png");
        const std::string command = std::string(PRESSORA_PATH) + " gui " + kModulePath +
                                    " --param Threshold=0.5 --scale " + scale + " --screenshot " +
                                    shot.string() + " --after 200 >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        Vantor::Platform::SDecodedImage picture =
            Vantor::Platform::decodeImageFile(shot.string(), Vantor::Platform::EImageFormat::Png);
        std::filesystem::remove(shot);
        return std::move(picture.surface);
    };
    const auto one = shoot("1");
    const auto two = shoot("2");
    ASSERT_TRUE(one && two);
    ASSERT_EQ(std::make_pair(one->getWidth(), one->getHeight()), std::make_pair(500, 158));
    ASSERT_EQ(std::make_pair(two->getWidth(), two->getHeight()), std::make_pair(1000, 316));
    // The panel is drawn: the Threshold read-out that the command line set holds text.
    std::set<std::uint32_t> readOut;
    for (int y = 115; y < 135; ++y)
    {
        for (int x = 30; x < 126; ++x)
        {
            readOut.insert(one->getPixel(x, y));
        }
    }
    EXPECT_GT(readOut.size(), 4u);
    const auto channel = [](std::uint32_t pixel, int shift)
    { return static_cast<int>((pixel >> shift) & 0xFF); };
    // Left of the meters, which follow the running signal.
    constexpr int kWidth = 455;
    double difference = 0.0;
    double withinPairs = 0.0;
    long samples = 0;
    for (int y = 0; y < 158; ++y)
    {
        for (int x = 0; x < kWidth; ++x)
        {
            const std::uint32_t block[4] = {two->getPixel(2 * x, 2 * y), two->getPixel(2 * x + 1, 2 * y),
                                            two->getPixel(2 * x, 2 * y + 1),
                                            two->getPixel(2 * x + 1, 2 * y + 1)};
            for (const int shift : {16, 8, 0})
            {
                int sum = 0;
                for (const std::uint32_t pixel : block)
                {
                    sum += channel(pixel, shift);
                }
                difference += std::abs(sum / 4.0 - channel(one->getPixel(x, y), shift));
                // A picture enlarged from 1x repeats each pixel: no difference inside a 2 x 2 block.
                withinPairs += std::abs(channel(block[0], shift) - channel(block[1], shift)) +
                               std::abs(channel(block[0], shift) - channel(block[2], shift));
                ++samples;
            }
        }
    }
    EXPECT_LT(difference / static_cast<double>(samples), 14.0);
    EXPECT_GT(withinPairs / static_cast<double>(samples), 1.0) << "drawn at 2x, not the 1x picture enlarged";
}
