// The Win32 window backend on real windows: what a window shows is read back
// from the screen, input arrives as the system posts or synthesises it.
#include <gtest/gtest.h>

#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/WindowBackend.hpp"
#include "tests/platform/gui/RecordingSink.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>

using namespace Vantor::Platform;

namespace
{

using namespace Vantor::Testing;

// A window of the test's own class, standing in for a host's editor frame.
class CForeignWindow
{
public:
    CForeignWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VantorTestHostFrame";
        RegisterClassA(&windowClass); // a second registration fails harmlessly
        m_window = CreateWindowExA(0, "VantorTestHostFrame", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                   400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~CForeignWindow()
    {
        if (IsWindow(m_window))
        {
            DestroyWindow(m_window);
        }
    }
    HWND handle() const { return m_window; }

private:
    HWND m_window = nullptr;
};

class Win32WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_backend = getWindowSystem().createWindowBackend();
        m_sink.backend = m_backend.get();
    }

    static SWindowCreateParams popup(int width = 60, int height = 40, bool visible = true)
    {
        SWindowCreateParams params;
        params.className = "VantorTestWindow";
        params.title = "Window";
        params.style = WindowStyle::Popup | (visible ? WindowStyle::Visible : 0u);
        params.extendedStyle = ExtendedWindowStyle::TopMost;
        params.area = {30, 50, width, height};
        return params;
    }

    HWND handle() const { return reinterpret_cast<HWND>(m_backend->getNativeHandle()); }

    // The window's pixel as the screen shows it, in the framework's colour layout.
    uint32_t screenPixel(int x, int y) const
    {
        HDC dc = GetDC(handle());
        const COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(handle(), dc);
        return pixel == CLR_INVALID ? 0 : makeColour(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
    }

    // Waits for a paint and then for the screen to show a colour at a point.
    uint32_t awaitPixel(int x, int y, uint32_t expected)
    {
        uint32_t seen = 0;
        pumpUntil(
            [&]
            {
                seen = screenPixel(x, y);
                return seen == expected;
            },
            2000);
        return seen;
    }

    std::unique_ptr<IWindowBackend> m_backend;
    CRecordingSink m_sink;
};

} // namespace

TEST_F(Win32WindowTest, CreationReportsSizeThenPaintsWhatWasPresented)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    ASSERT_TRUE(m_backend->exists());
    ASSERT_NE(m_sink.last(Message::Size), nullptr);
    EXPECT_EQ(words(m_sink.last(Message::Size)->lParam), std::pair(60, 40));
    EXPECT_EQ(m_backend->getClientSize().width, 60);
    EXPECT_EQ(rectOf(m_backend->getScreenRect()), std::vector<int>({30, 50, 60, 40}));

    ASSERT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));
    EXPECT_EQ(m_sink.paintAreas[0].width, 60);
    EXPECT_EQ(awaitPixel(59, 39, m_sink.paintColour), m_sink.paintColour);

    // An invalidated part is repainted alone: the rest keeps the old colour.
    const uint32_t before = m_sink.paintColour;
    m_sink.paintColour = makeColour(200, 40, 10);
    const SPixelRect part{10, 5, 20, 10};
    m_backend->invalidate(&part);
    EXPECT_EQ(awaitPixel(15, 8, m_sink.paintColour), m_sink.paintColour);
    EXPECT_EQ(screenPixel(40, 30), before);
    EXPECT_EQ(rectOf(m_sink.paintAreas.back()), std::vector<int>({10, 5, 20, 10}));
}

TEST_F(Win32WindowTest, HiddenWindowsAreNotPaintedUntilShown)
{
    ASSERT_EQ(m_backend->create(popup(60, 40, false), &m_sink), IWindowBackend::ECreateResult::Created);
    EXPECT_FALSE(m_backend->isVisible());
    // Everything the system has queued for the thread, paint messages included,
    // is handled: none of it may paint the hidden window.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        DispatchMessageA(&message);
    }
    EXPECT_TRUE(m_sink.paintAreas.empty());
    m_backend->show();
    EXPECT_TRUE(m_backend->isVisible());
    EXPECT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));
    m_backend->hide();
    EXPECT_FALSE(m_backend->isVisible());
}

TEST_F(Win32WindowTest, TimersRepeatUnderTheirIdsUntilStopped)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    ASSERT_TRUE(m_backend->startTimer(7, 10));
    ASSERT_TRUE(m_backend->startTimer(9, 15));
    const auto fired = [&](long id) { return std::count(m_sink.timers.begin(), m_sink.timers.end(), id); };
    ASSERT_TRUE(pumpUntil([&] { return fired(7) >= 3 && fired(9) >= 2; }));
    EXPECT_EQ(m_sink.count(Message::Timer), 0) << "timers reach timerFired, not the message handler";

    m_backend->stopTimer(7);
    m_sink.timers.clear();
    ASSERT_TRUE(pumpUntil([&] { return fired(9) >= 3; }));
    EXPECT_EQ(fired(7), 0);
    m_backend->destroy();
    EXPECT_FALSE(m_backend->startTimer(7, 10)) << "no window, no timer";
}

TEST_F(Win32WindowTest, ChildLivesInsideAForeignParentAndGoesWithIt)
{
    CForeignWindow host;
    ASSERT_NE(host.handle(), nullptr);
    SWindowCreateParams params = popup(120, 80);
    params.style = WindowStyle::Child | WindowStyle::Visible;
    params.area = {5, 7, 120, 80};
    params.parent = reinterpret_cast<uintptr_t>(host.handle());
    ASSERT_EQ(m_backend->create(params, &m_sink), IWindowBackend::ECreateResult::Created);
    EXPECT_EQ(GetParent(handle()), host.handle());
    RECT inParent{};
    GetWindowRect(handle(), &inParent);
    MapWindowPoints(nullptr, host.handle(), reinterpret_cast<POINT*>(&inParent), 2);
    EXPECT_EQ(std::vector<long>({inParent.left, inParent.top, inParent.right, inParent.bottom}),
              std::vector<long>({5, 7, 125, 87}));
    EXPECT_EQ(awaitPixel(100, 70, m_sink.paintColour), m_sink.paintColour);

    DestroyWindow(host.handle());
    EXPECT_FALSE(m_backend->exists());
    EXPECT_EQ(m_sink.count(Message::Destroy), 1);

    // A parent handle that names no window is refused.
    auto orphan = getWindowSystem().createWindowBackend();
    params.parent = reinterpret_cast<uintptr_t>(host.handle());
    EXPECT_EQ(orphan->create(params, &m_sink), IWindowBackend::ECreateResult::CreationFailed);
    EXPECT_FALSE(orphan->getLastError().empty());
}

TEST_F(Win32WindowTest, PostedInputReachesTheSinkAsItCame)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    struct SInput
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const SInput inputs[] = {
        {WM_MOUSEMOVE, 0, MAKELPARAM(3, 4)},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 20)},
        {WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(11, 21)},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6)},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(70, 90)},
        {WM_KEYDOWN, 'A', 0x001E0001},
        {WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001)},
    };
    for (const SInput& input : inputs)
    {
        PostMessageA(handle(), input.message, input.wParam, input.lParam);
    }
    ASSERT_TRUE(pumpUntil([&] { return m_sink.count(Message::KeyUp) == 1; }));
    for (const SInput& input : inputs)
    {
        SCOPED_TRACE(input.message);
        const SNativeMessage* seen = m_sink.last(static_cast<int>(input.message));
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(seen->wParam, input.wParam);
        EXPECT_EQ(seen->lParam, input.lParam);
    }
    EXPECT_EQ(m_backend->translateKey('A', 0x001E0001), 'a');
    EXPECT_EQ(m_backend->translateKey(VirtualKey::Left, 0x014B0001), -1) << "no character";
}

TEST_F(Win32WindowTest, CaptureIsHeldUntilReleasedAndCloseDestroysByDefault)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    m_backend->captureMouse();
    EXPECT_TRUE(m_backend->hasMouseCapture());
    EXPECT_TRUE(getWindowSystem().isMouseCaptured());
    m_backend->releaseMouse();
    EXPECT_FALSE(m_backend->hasMouseCapture());
    EXPECT_FALSE(getWindowSystem().isMouseCaptured());

    PostMessageA(handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return !m_backend->exists(); }));
    EXPECT_EQ(m_sink.count(Message::Close), 1);
    EXPECT_EQ(m_sink.count(Message::Destroy), 1);
}
