// The built plug-in's editor inside a Win32 host's window, driven like a user and a
// host: a top-level window of the test's own, the host's message loop and idle calls
// as the only drivers, SendInput for the mouse, GetDC + BitBlt to see what is on
// screen and the host's log for the automation.
//
// Usage: editor_windows_tests PLUGIN.dll PICTURE.png [gtest options]
// The plug-in is the installed one, with its Resources folder beside it; the picture
// of the painted editor is written to PICTURE.png.
#include <gtest/gtest.h>

#include "editor/PanelLayout.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/ImageDecoder.hpp"
#include "tests/editor/HostGestures.hpp"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace Vantor::Vst;
using Vantor::Platform::decodeImageFile;
using Vantor::Platform::EImageFormat;
using Vantor::Platform::IDrawingSurface;
using Vantor::VstHost::CVstPlugin;

namespace
{

std::filesystem::path g_pluginPath;
std::filesystem::path g_picturePath;

constexpr int kWidth = 500;
constexpr int kHeight = 158;
// Bound of every wait for the window system; each round is one pass of the host's loop.
constexpr int kMaxRounds = 300;

namespace Layout = Vantor::Quellor::Layout;
using Layout::kKnobFrames;
using Layout::kKnobTop;
// The captions cover the knobs' upper rows and the read-outs start below them: the
// rows in between show nothing but knob and background.
constexpr int kKnobRowsFrom = 75;
constexpr int kKnobRowsTo = 113;
constexpr Layout::SBox kThresholdBox = Layout::kParameterControls[1].readOut;
const RECT kThresholdReadOut{kThresholdBox.x, kThresholdBox.y, kThresholdBox.x + kThresholdBox.width,
                             kThresholdBox.y + kThresholdBox.height};
constexpr POINT kInfoButton{Layout::kInfoButton.x + Layout::kInfoButton.width / 2,
                            Layout::kInfoButton.y + Layout::kInfoButton.height / 2};

using TPixels = std::vector<std::uint32_t>; // 0x00RRGGBB, rows top-down

// ---- pictures ----

struct SPicture
{
    int width = 0;
    int height = 0;
    TPixels pixels; // premultiplied 0xAARRGGBB for decoded files
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Each file is decoded once per run: the knob strips are large.
const SPicture& decode(const std::filesystem::path& file)
{
    static std::map<std::filesystem::path, SPicture> decoded;
    if (const auto found = decoded.find(file); found != decoded.end())
    {
        return found->second;
    }
    SPicture& picture = decoded[file];
    const auto result = decodeImageFile(file.string(), EImageFormat::Png);
    if (!result.surface)
    {
        ADD_FAILURE() << "cannot read the picture " << file.string() << ": " << result.error;
        return picture;
    }
    picture.width = result.surface->getWidth();
    picture.height = result.surface->getHeight();
    for (int y = 0; y < picture.height; ++y)
    {
        for (int x = 0; x < picture.width; ++x)
        {
            picture.pixels.push_back(result.surface->getPixel(x, y));
        }
    }
    return picture;
}

int channel(std::uint32_t pixel, int shift)
{
    return static_cast<int>((pixel >> shift) & 0xFF);
}

// A premultiplied pixel over an opaque one.
std::uint32_t over(std::uint32_t top, std::uint32_t bottom)
{
    const int transparency = 255 - channel(top, 24);
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16})
    {
        const int value = channel(top, shift) + (channel(bottom, shift) * transparency + 127) / 255;
        result |= static_cast<std::uint32_t>(std::min(value, 255)) << shift;
    }
    return result;
}

int difference(std::uint32_t a, std::uint32_t b)
{
    int largest = 0;
    for (int shift : {0, 8, 16})
    {
        largest = std::max(largest, std::abs(channel(a, shift) - channel(b, shift)));
    }
    return largest;
}

// What a window shows now, read back through its device context.
SPicture readBack(HWND window)
{
    SPicture picture;
    RECT client{};
    GetClientRect(window, &client);
    picture.width = client.right;
    picture.height = client.bottom;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = picture.width;
    format.bmiHeader.biHeight = -picture.height; // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr)
    {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        picture.pixels.assign(source, source + static_cast<std::size_t>(picture.width) * picture.height);
        for (std::uint32_t& pixel : picture.pixels)
        {
            pixel &= 0xFFFFFFu;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return picture;
}

void writePicture(const SPicture& picture, const std::filesystem::path& file)
{
    std::unique_ptr<IDrawingSurface> surface =
        Vantor::Platform::createDrawingSurface(picture.width, picture.height);
    ASSERT_TRUE(surface) << "no drawing surface for the picture";
    int stride = 0;
    std::uint32_t* pixels = surface->lockPixels(stride);
    for (int y = 0; y < picture.height; ++y)
    {
        for (int x = 0; x < picture.width; ++x)
        {
            pixels[static_cast<std::size_t>(y) * stride + x] = 0xFF000000u | picture.at(x, y);
        }
    }
    surface->unlockPixels();
    std::string error;
    EXPECT_TRUE(Vantor::Platform::writePngFile(*surface, file.string(), error))
        << "cannot write " << file.string() << ": " << error;
}

// How a knob's area on screen compares with its strip's frame drawn on the background.
struct SKnobMatch
{
    int frame = 0;
    int knobPixels = 0;    // pixels where the frame differs clearly from the background
    int matchingKnob = 0;  // of those, the ones on screen as expected
    int matchingTotal = 0; // of all pixels compared
    int total = 0;
};

SKnobMatch compareKnob(const SPicture& screen, const SPicture& background, const SPicture& strip, int left,
                       float value)
{
    SKnobMatch match;
    const int frameHeight = strip.height / kKnobFrames;
    match.frame = static_cast<int>((kKnobFrames - 1) * static_cast<double>(value));
    for (int y = kKnobRowsFrom; y < kKnobRowsTo; ++y)
    {
        for (int x = left; x < left + strip.width; ++x)
        {
            const std::uint32_t bare = background.at(x, y) & 0xFFFFFFu;
            const std::uint32_t expected =
                over(strip.at(x - left, match.frame * frameHeight + y - kKnobTop), bare);
            const bool matches = difference(screen.at(x, y), expected) <= 4;
            ++match.total;
            match.matchingTotal += matches ? 1 : 0;
            if (difference(expected, bare) > 24)
            {
                ++match.knobPixels;
                match.matchingKnob += matches ? 1 : 0;
            }
        }
    }
    return match;
}

// ---- the host ----

int g_hostAppMessages = 0;

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
    {
        ++g_hostAppMessages;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A host's editor frame: a plain top-level window whose client area is the editor's size.
class CHostWindow
{
public:
    CHostWindow(int x, int y, int width = kWidth, int height = kHeight)
    {
        static const ATOM registered = []
        {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = hostProcedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
            windowClass.lpszClassName = L"PressoraTestHost";
            return RegisterClassW(&windowClass);
        }();
        (void)registered;
        m_window =
            CreateWindowExW(0, L"PressoraTestHost", L"Test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x,
                            y, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (m_window != nullptr)
        {
            SetForegroundWindow(m_window);
            UpdateWindow(m_window);
        }
    }
    ~CHostWindow()
    {
        if (m_window != nullptr)
        {
            DestroyWindow(m_window);
        }
    }
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;

    HWND handle() const { return m_window; }
    std::vector<HWND> children() const
    {
        std::vector<HWND> result;
        for (HWND child = GetWindow(m_window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
        {
            result.push_back(child);
        }
        return result;
    }
    POINT screenPoint(int x, int y) const
    {
        POINT point{x, y};
        ClientToScreen(m_window, &point);
        return point;
    }

private:
    HWND m_window = nullptr;
};

// A mouse event at a point of the screen, through the system's input queue.
void sendMouse(POINT point, DWORD buttons)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Normalised coordinates that map back to exactly this pixel.
    input.mi.dx = (point.x * 65536 + screenWidth - 1) / screenWidth;
    input.mi.dy = (point.y * 65536 + screenHeight - 1) / screenHeight;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    ASSERT_EQ(SendInput(1, &input, sizeof(input)), 1u) << "SendInput refused the mouse event";
}

// Top-level windows of this thread other than the host's; only the shown ones when asked.
struct STopLevelSearch
{
    HWND host;
    bool shownOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<STopLevelSearch*>(data);
    if (window != search->host && (!search->shownOnly || IsWindowVisible(window)))
    {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> topLevels(HWND host, bool shownOnly)
{
    STopLevelSearch search{host, shownOnly, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct EditorOnWindows : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_FALSE(g_pluginPath.empty()) << "usage: editor_windows_tests PLUGIN.dll PICTURE.png";
        resources = g_pluginPath.parent_path() / "Resources";
        ASSERT_TRUE(std::filesystem::is_directory(resources))
            << "no Resources folder beside the plug-in: " << resources.string();
        plugin = CVstPlugin::load(g_pluginPath);
    }

    // One pass of the host's loop: every queued message of this thread, then the
    // editor's idle call, as hosts on Windows do.
    void hostLoop()
    {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (plugin)
        {
            plugin->dispatch(effEditIdle);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    template <typename TCondition> bool loopUntil(TCondition condition)
    {
        for (int round = 0; round < kMaxRounds; ++round)
        {
            hostLoop();
            if (condition())
            {
                return true;
            }
        }
        return false;
    }
    std::size_t automateCalls() const { return plugin->host().countCalls(audioMasterAutomate); }
    std::vector<std::string> gestures(VstInt32 index) const
    {
        return Vantor::Testing::gestures(*plugin, index);
    }
    void loopRounds(int rounds)
    {
        for (int round = 0; round < rounds; ++round)
        {
            hostLoop();
        }
    }

    // Every knob shows its strip's frame for the effect's value at its place.
    void expectKnobsShowTheirValues(const SPicture& screen)
    {
        const SPicture& background = decode(resources / "BackgroundLite.png");
        ASSERT_EQ(background.width, kWidth);
        ASSERT_EQ(background.height, kHeight);
        for (int index = 0; index < 6; ++index)
        {
            const Layout::SParameterControls& place = Layout::kParameterControls[index];
            const char* stripFile = Layout::kKnobStripFiles[static_cast<std::size_t>(place.strip)];
            const SPicture& strip = decode(resources / stripFile);
            ASSERT_GT(strip.height, 0);
            const SKnobMatch match =
                compareKnob(screen, background, strip, place.knobLeft, plugin->parameter(index));
            EXPECT_GT(match.knobPixels, match.total / 10)
                << "knob " << index << ": the frame is nearly blank";
            EXPECT_GE(match.matchingKnob * 100, match.knobPixels * 97)
                << "knob " << index << " (frame " << match.frame << " of " << stripFile << "): only "
                << match.matchingKnob << " of its " << match.knobPixels << " pixels are on screen at ("
                << place.knobLeft << ", " << kKnobTop << ")";
            EXPECT_GE(match.matchingTotal * 100, match.total * 97)
                << "knob " << index << ": " << match.total - match.matchingTotal << " of " << match.total
                << " pixels of its area differ from the knob on the background";
        }
    }

    std::filesystem::path resources;
    std::unique_ptr<CVstPlugin> plugin;
};

// The pixels of an area, rows top-down; text drawn on the flat read-out gives several colours.
TPixels pixelsIn(const SPicture& picture, const RECT& area)
{
    TPixels pixels;
    for (int y = area.top; y < area.bottom; ++y)
    {
        for (int x = area.left; x < area.right; ++x)
        {
            pixels.push_back(picture.at(x, y));
        }
    }
    return pixels;
}
std::size_t coloursIn(const SPicture& picture, const RECT& area)
{
    const TPixels pixels = pixelsIn(picture, area);
    return std::set<std::uint32_t>(pixels.begin(), pixels.end()).size();
}

} // namespace

TEST_F(EditorOnWindows, AHostOpensTheEditorAUserTurnsAKnobAndOpensAndClosesTheAboutWindow)
{
    ERect* rect = nullptr;
    ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr) << "effEditGetRect gave no rectangle";
    ASSERT_EQ(rect->right - rect->left, kWidth);
    ASSERT_EQ(rect->bottom - rect->top, kHeight);
    plugin->setParameter(1, 0.5f); // Threshold -25 dB

    CHostWindow host(60, 40);
    ASSERT_NE(host.handle(), nullptr) << "the host's window could not be made";
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, host.handle()), 1) << "effEditOpen failed";
    const std::vector<HWND> children = host.children();
    ASSERT_EQ(children.size(), 1u) << "the editor is one child of the host's window";
    const HWND editor = children[0];
    RECT area{};
    GetWindowRect(editor, &area);
    const POINT origin = host.screenPoint(0, 0);
    EXPECT_EQ(area.left, origin.x);
    EXPECT_EQ(area.top, origin.y);
    EXPECT_EQ(area.right - area.left, kWidth);
    EXPECT_EQ(area.bottom - area.top, kHeight);
    EXPECT_TRUE(IsWindowVisible(editor)) << "the editor's window is not shown";
    EXPECT_TRUE((GetWindowLongPtrW(editor, GWL_STYLE) & WS_CHILD) != 0) << "not a child window";

    // The host's loop and idle calls paint it: every knob at its place with its value.
    ASSERT_TRUE(loopUntil([&] { return coloursIn(readBack(host.handle()), kThresholdReadOut) > 2; }))
        << "the editor was never painted (no text in the Threshold read-out)";
    const SPicture painted = readBack(host.handle());
    writePicture(painted, g_picturePath);
    expectKnobsShowTheirValues(painted);

    // The editor's idle leaves the host's own messages to the host's loop.
    g_hostAppMessages = 0;
    PostMessageW(host.handle(), WM_APP, 0, 0);
    plugin->dispatch(effEditIdle);
    EXPECT_EQ(g_hostAppMessages, 0) << "effEditIdle dispatched a message of the host's queue";
    MSG left{};
    EXPECT_TRUE(PeekMessageW(&left, host.handle(), WM_APP, WM_APP, PM_REMOVE))
        << "effEditIdle took a message out of the host's queue";

    // Drag the Threshold knob 20 pixels to the right: +0.1, one automation call.
    plugin->host().clearCalls();
    sendMouse(host.screenPoint(57, 95), 0);
    loopRounds(5);
    sendMouse(host.screenPoint(57, 95), MOUSEEVENTF_LEFTDOWN);
    loopRounds(5);
    sendMouse(host.screenPoint(77, 95), 0);
    ASSERT_TRUE(loopUntil([&] { return automateCalls() > 0; })) << "the knob drag never reached the host";
    sendMouse(host.screenPoint(77, 95), MOUSEEVENTF_LEFTUP);
    loopRounds(5);
    const std::vector<float> automated = plugin->host().automatedValues(1);
    ASSERT_EQ(automated.size(), 1u) << "one drag step automates the host once";
    EXPECT_EQ(automateCalls(), 1u) << "only the Threshold was automated";
    EXPECT_NEAR(automated[0], 0.6f, 1e-5);
    EXPECT_EQ(gestures(1), (std::vector<std::string>{"begin", "automate", "end"}))
        << "a touch the host records";
    EXPECT_NEAR(plugin->parameter(1), 0.6f, 1e-5);
    const SPicture turned = readBack(host.handle());
    expectKnobsShowTheirValues(turned);
    EXPECT_NE(pixelsIn(painted, kThresholdReadOut), pixelsIn(turned, kThresholdReadOut))
        << "the Threshold read-out was not rewritten";

    // Host automation and the output level reach the panel through idle and are painted
    // by the host's loop: the Attack knob turns, the meter lights up.
    const RECT meter{460, 55, 470, 130};
    const std::size_t darkMeterColours = coloursIn(turned, meter);
    plugin->setParameter(3, 0.8f);
    std::vector<float> loud(512);
    for (std::size_t i = 0; i < loud.size(); ++i)
    {
        loud[i] = (i % 16 < 8) ? 0.9f : -0.9f;
    }
    plugin->processStereo(loud.data(), loud.data(), loud.data(), loud.data(), loud.size());
    EXPECT_TRUE(loopUntil([&] { return coloursIn(readBack(host.handle()), meter) > darkMeterColours; }))
        << "the output level never lit the meter";
    expectKnobsShowTheirValues(readBack(host.handle()));
    EXPECT_EQ(automateCalls(), 1u) << "host automation was echoed back to the host";

    // The info button shows the about window, centred and on top, without taking the focus.
    ASSERT_TRUE(topLevels(host.handle(), true).empty()) << "a window shows before the info button is clicked";
    sendMouse(host.screenPoint(kInfoButton.x, kInfoButton.y), MOUSEEVENTF_LEFTDOWN);
    sendMouse(host.screenPoint(kInfoButton.x, kInfoButton.y), MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(loopUntil([&] { return !topLevels(host.handle(), true).empty(); }))
        << "clicking the info button showed no about window";
    const HWND about = topLevels(host.handle(), true)[0];
    RECT shown{};
    GetWindowRect(about, &shown);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(shown.right - shown.left, 400);
    EXPECT_EQ(shown.bottom - shown.top, 250);
    EXPECT_EQ(shown.left, screenWidth / 2 - 200) << "not centred on the screen";
    EXPECT_EQ(shown.top, screenHeight / 2 - 125) << "not centred on the screen";
    const LONG_PTR extended = GetWindowLongPtrW(about, GWL_EXSTYLE);
    EXPECT_TRUE((extended & WS_EX_TOPMOST) != 0) << "the about window is not on top";
    EXPECT_TRUE((extended & WS_EX_NOACTIVATE) != 0) << "the about window may take the focus";
    EXPECT_TRUE((GetWindowLongPtrW(about, GWL_STYLE) & WS_CAPTION) == 0) << "the about window has a frame";
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(about, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) != 0)
        << "the about window is not see-through";
    EXPECT_EQ(alpha, 204) << "opacity 0.8";
    EXPECT_NE(GetForegroundWindow(), about) << "the about window took the focus";

    // A click anywhere on it hides it; the effect is not touched.
    const POINT middle{(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2};
    sendMouse(middle, MOUSEEVENTF_LEFTDOWN);
    sendMouse(middle, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(loopUntil([&] { return !IsWindowVisible(about); }))
        << "a click did not hide the about window";
    EXPECT_EQ(GetForegroundWindow(), host.handle())
        << "clicking the about window took the focus from the host";
    EXPECT_EQ(automateCalls(), 1u) << "clicks on the info button or the about window automated the host";

    // Closing destroys the editor's window and leaves the host's.
    plugin->dispatch(effEditClose);
    EXPECT_FALSE(IsWindow(editor)) << "effEditClose left the editor's window";
    EXPECT_TRUE(IsWindow(host.handle())) << "effEditClose destroyed the host's window";
    EXPECT_TRUE(host.children().empty());
}

// A press whose release the editor never gets: another window takes the mouse capture
// (WM_CAPTURECHANGED). The drag ends there with EndEdit, and moving over the editor
// afterwards turns nothing. (The host closing the editor mid-drag is the same on every
// system: the editor's own cases drive it.)
TEST_F(EditorOnWindows, ADragThatLosesItsReleaseEndsAndHoveringAfterwardsTurnsNothing)
{
    plugin->setParameter(1, 0.5f);
    CHostWindow host(60, 40);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, host.handle()), 1);
    ASSERT_TRUE(loopUntil([&] { return coloursIn(readBack(host.handle()), kThresholdReadOut) > 2; }));
    plugin->host().clearCalls();
    sendMouse(host.screenPoint(57, 95), 0);
    loopRounds(5);
    sendMouse(host.screenPoint(57, 95), MOUSEEVENTF_LEFTDOWN);
    loopRounds(5);
    sendMouse(host.screenPoint(67, 95), 0);
    ASSERT_TRUE(loopUntil([&] { return automateCalls() > 0; }));
    SetCapture(host.handle());
    EXPECT_EQ(gestures(1), (std::vector<std::string>{"begin", "automate", "end"}));
    sendMouse(host.screenPoint(67, 95), MOUSEEVENTF_LEFTUP);
    ReleaseCapture();
    loopRounds(5);
    for (const int x : {77, 97, 117, 137})
    {
        sendMouse(host.screenPoint(x, 95), 0);
        loopRounds(2);
    }
    EXPECT_EQ(gestures(1), (std::vector<std::string>{"begin", "automate", "end"}));
    plugin->dispatch(effEditClose);
}

// A host that loads, opens, closes and unloads the plug-in over and over: every
// instance paints in its window and shows its about window, and no window of the
// library outlives it.
TEST_F(EditorOnWindows, LoadingOpeningClosingAndUnloadingRepeatedlyLeavesNoWindowBehind)
{
    CHostWindow host(60, 40);
    plugin.reset();
    const std::size_t windows = topLevels(nullptr, false).size();
    for (int cycle = 0; cycle < 20; ++cycle)
    {
        plugin = CVstPlugin::load(g_pluginPath);
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, host.handle()), 1) << "cycle " << cycle;
        ASSERT_EQ(host.children().size(), 1u) << "cycle " << cycle;
        ASSERT_TRUE(loopUntil([&] { return coloursIn(readBack(host.handle()), kThresholdReadOut) > 2; }))
            << "cycle " << cycle << ": the editor was never painted";
        // The about window too, left showing: it goes with the plug-in, not with the editor's window.
        sendMouse(host.screenPoint(kInfoButton.x, kInfoButton.y), MOUSEEVENTF_LEFTDOWN);
        sendMouse(host.screenPoint(kInfoButton.x, kInfoButton.y), MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(loopUntil([&] { return !topLevels(host.handle(), true).empty(); }))
            << "cycle " << cycle << ": no about window";
        plugin->dispatch(effEditClose);
        plugin.reset();
        hostLoop();
        ASSERT_TRUE(host.children().empty()) << "cycle " << cycle;
        ASSERT_EQ(topLevels(nullptr, false).size(), windows)
            << "cycle " << cycle << ": a window outlived the plug-in";
    }
}

// A host that declares itself DPI-aware (its windows made while this thread is
// per-monitor aware) gets the editor drawn at the monitor's DPI; the system's DPI
// is set by the wine prefix (LogPixels), 96 unless a run asks for more.
TEST_F(EditorOnWindows, ADpiAwareHostGetsTheEditorAtItsMonitorsDpi)
{
    using SetAwarenessCall = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    using DpiForWindowCall = UINT(WINAPI*)(HWND);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    const auto setAwareness = reinterpret_cast<SetAwarenessCall>(
        reinterpret_cast<void*>(GetProcAddress(user, "SetThreadDpiAwarenessContext")));
    const auto dpiForWindow =
        reinterpret_cast<DpiForWindowCall>(reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
    if (setAwareness == nullptr || dpiForWindow == nullptr)
    {
        GTEST_SKIP() << "this system has no per-monitor DPI";
    }
    const DPI_AWARENESS_CONTEXT previous = setAwareness(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    ASSERT_NE(previous, nullptr) << "the thread could not be made DPI-aware";
    struct SRestore
    {
        SetAwarenessCall set;
        DPI_AWARENESS_CONTEXT context;
        ~SRestore() { set(context); }
    } restore{setAwareness, previous};

    CHostWindow host(0, 0, kWidth * 2, kHeight * 2);
    ASSERT_NE(host.handle(), nullptr);
    const UINT dpi = dpiForWindow(host.handle());
    ASSERT_GE(dpi, 96u);
    const auto scaled = [&](int length) { return static_cast<int>(std::floor(length * dpi / 96.0 + 0.5)); };
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, host.handle()), 1);
    const std::vector<HWND> children = host.children();
    ASSERT_EQ(children.size(), 1u);
    RECT area{};
    GetWindowRect(children[0], &area);
    EXPECT_EQ(area.right - area.left, scaled(kWidth)) << "at " << dpi << " dpi";
    EXPECT_EQ(area.bottom - area.top, scaled(kHeight)) << "at " << dpi << " dpi";
    ERect* rect = nullptr;
    ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, scaled(kWidth)) << "the rect follows the DPI while open";
    EXPECT_EQ(rect->bottom - rect->top, scaled(kHeight));

    // Painted at that size: the Threshold read-out, scaled, holds text.
    const RECT readOut{scaled(kThresholdReadOut.left), scaled(kThresholdReadOut.top),
                       scaled(kThresholdReadOut.right), scaled(kThresholdReadOut.bottom)};
    ASSERT_TRUE(loopUntil([&] { return coloursIn(readBack(host.handle()), readOut) > 2; }))
        << "the editor was never painted at " << dpi << " dpi";
    const SPicture painted = readBack(host.handle());
    SPicture editor;
    editor.width = std::min(scaled(kWidth), painted.width);
    editor.height = std::min(scaled(kHeight), painted.height);
    for (int y = 0; y < editor.height; ++y)
    {
        const auto row = painted.pixels.begin() + static_cast<std::ptrdiff_t>(y) * painted.width;
        editor.pixels.insert(editor.pixels.end(), row, row + editor.width);
    }
    std::filesystem::path picture = g_picturePath;
    picture.replace_filename(g_picturePath.stem().string() + "-" + std::to_string(dpi) + "dpi.png");
    writePicture(editor, picture);
    plugin->dispatch(effEditClose);
}

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s PLUGIN.dll PICTURE.png [gtest options]\n", argv[0]);
        return 2;
    }
    g_pluginPath = std::filesystem::absolute(argv[1]);
    g_picturePath = std::filesystem::absolute(argv[2]);
    return RUN_ALL_TESTS();
}
