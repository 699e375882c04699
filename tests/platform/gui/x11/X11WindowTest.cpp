// gtest comes before the X11 headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>

#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/WindowBackend.hpp"
#include "tests/platform/gui/RecordingSink.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <unistd.h>
#include <vector>

using namespace Vantor::Platform;

namespace
{

using namespace Vantor::Testing;

// Each test owns a window and a second, independent connection that plays the
// part of the host (foreign parents) and of the user (injected events).
class X11WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A busy server may refuse a connection for a moment.
        for (int attempt = 0; attempt < 30 && m_foreign == nullptr && std::getenv("DISPLAY") != nullptr;
             ++attempt)
        {
            m_foreign = XOpenDisplay(nullptr);
            if (m_foreign == nullptr)
            {
                usleep(100000);
            }
        }
        if (m_foreign == nullptr)
        {
            GTEST_SKIP() << "no X display";
        }
        // Tests of other programs may run on the same server: keep our windows apart.
        const int cell = static_cast<int>(getpid() % 90);
        m_origin = {(cell % 9) * 130, (cell / 9) * 100};
        m_backend = getWindowSystem().createWindowBackend();
        m_sink.backend = m_backend.get();
    }

    void TearDown() override
    {
        m_backend.reset();
        if (m_foreign != nullptr)
        {
            XCloseDisplay(m_foreign);
        }
    }

    SWindowCreateParams popup(int width = 60, int height = 40, bool visible = true) const
    {
        SWindowCreateParams params;
        params.className = "org.vantor.test.Window";
        params.title = "Window";
        params.style = WindowStyle::Popup | (visible ? WindowStyle::Visible : 0u);
        params.extendedStyle = ExtendedWindowStyle::NoActivate | ExtendedWindowStyle::TopMost;
        params.area = {m_origin.x, m_origin.y, width, height};
        return params;
    }

    // A host's window on the test's own connection, blue, 120 x 90 at the test's origin.
    Window foreignParent()
    {
        const Window parent = XCreateSimpleWindow(m_foreign, DefaultRootWindow(m_foreign), m_origin.x,
                                                  m_origin.y, 120, 90, 0, 0, 0x0000FF);
        XMapWindow(m_foreign, parent);
        XSync(m_foreign, False);
        return parent;
    }
    static SWindowCreateParams child(Window parent, const SPixelRect& area)
    {
        SWindowCreateParams params;
        params.className = "org.vantor.test.Child";
        params.title = "Child";
        params.style = WindowStyle::Child | WindowStyle::Visible;
        params.area = area;
        params.parent = parent;
        return params;
    }

    Window handle() const { return static_cast<Window>(m_backend->getNativeHandle()); }

    // The window's pixel as the X server shows it.
    unsigned long screenPixel(Window window, int x, int y)
    {
        XSync(m_foreign, False);
        XImage* image = XGetImage(m_foreign, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
        {
            return 0xDEADBEEF;
        }
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    // Waits until the screen shows a colour at a place of a window. Windows of tests running at
    // the same time may cover ours, so the top-level window is raised before each look.
    unsigned long awaitPixel(Window topLevel, Window window, int x, int y, unsigned long expected)
    {
        unsigned long seen = 0;
        pumpUntil(
            [&]
            {
                XRaiseWindow(m_foreign, topLevel);
                seen = screenPixel(window, x, y);
                return seen == expected;
            },
            1000);
        return seen;
    }

    // The first 32-bit item of a property of the window; false when it has none.
    bool property(const char* name, unsigned long& value)
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, rest = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(m_foreign, handle(), XInternAtom(m_foreign, name, False), 0, 4, False,
                           AnyPropertyType, &type, &format, &items, &rest, &data);
        const bool found = data != nullptr && items > 0;
        if (found)
        {
            // Xlib hands 32-bit items over as longs (sign-extended on 64-bit machines).
            value = *reinterpret_cast<unsigned long*>(data) & 0xFFFFFFFFul;
        }
        XFree(data);
        return found;
    }

    void send(XEvent event, long mask = 0)
    {
        event.xany.window = handle();
        event.xany.display = m_foreign;
        XSendEvent(m_foreign, handle(), False, mask, &event);
        XFlush(m_foreign);
    }

    XEvent button(int type, unsigned button, int x, int y, unsigned state = 0, Time time = 1000)
    {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.button = button;
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.x_root = x + 1000;
        event.xbutton.y_root = y + 2000;
        event.xbutton.state = state;
        event.xbutton.time = time;
        event.xbutton.same_screen = True;
        return event;
    }

    XEvent key(int type, KeySym keysym, unsigned state = 0, Time time = 5000)
    {
        XEvent event{};
        event.xkey.type = type;
        event.xkey.keycode = XKeysymToKeycode(m_foreign, keysym);
        event.xkey.state = state;
        event.xkey.time = time;
        event.xkey.same_screen = True;
        return event;
    }

    Display* m_foreign = nullptr;
    SPixelPoint m_origin;
    std::unique_ptr<IWindowBackend> m_backend;
    CRecordingSink m_sink;
};

} // namespace

TEST_F(X11WindowTest, CreationReportsSizeAndPositionThenPaintsWhatWasPresented)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    ASSERT_TRUE(m_backend->exists());
    ASSERT_GE(m_sink.messages.size(), 2u);
    EXPECT_EQ(m_sink.messages[0].message, Message::Size);
    EXPECT_EQ(words(m_sink.messages[0].lParam), std::pair(60, 40));
    EXPECT_EQ(m_sink.messages[1].message, Message::Move);
    EXPECT_EQ(lowWord(m_sink.messages[1].lParam), m_origin.x);

    ASSERT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));
    EXPECT_EQ(rectOf(m_sink.paintAreas.front()), (std::vector<int>{0, 0, 60, 40}));
    pumpFor(50);
    EXPECT_EQ(awaitPixel(handle(), handle(), 30, 20, 0x1EA05A), 0x1EA05Au) << "(30, 160, 90) on the screen";

    // An invalidated part is repainted alone, at once on update().
    m_sink.paintAreas.clear();
    m_sink.paintColour = makeColour(200, 0, 0);
    SPixelRect part{10, 5, 8, 6};
    m_backend->invalidate(&part);
    m_backend->update();
    ASSERT_EQ(m_sink.paintAreas.size(), 1u);
    EXPECT_EQ(rectOf(m_sink.paintAreas[0]), (std::vector<int>{10, 5, 8, 6}));
    EXPECT_EQ(awaitPixel(handle(), handle(), 12, 7, 0xC80000), 0xC80000u);
    if (m_sink.paintAreas.size() == 1) // no other test's window uncovered ours meanwhile
    {
        EXPECT_EQ(screenPixel(handle(), 30, 20), 0x1EA05Au) << "outside the update area stays";
    }

    // Areas outside the window are cut off; areas far apart are painted apart, each alone,
    // and overlapping or near ones unite.
    m_backend->setArea({m_origin.x, m_origin.y, 400, 300});
    m_backend->update();
    m_sink.paintAreas.clear();
    SPixelRect outside{300, 200, 200, 200};
    SPixelRect corner{0, 0, 2, 2};
    SPixelRect overlapping{1, 1, 2, 2};
    m_backend->invalidate(&outside);
    m_backend->invalidate(&corner);
    m_backend->invalidate(&overlapping);
    m_backend->update();
    ASSERT_EQ(m_sink.paintAreas.size(), 2u);
    EXPECT_EQ(rectOf(m_sink.paintAreas[0]), (std::vector<int>{300, 200, 100, 100}));
    EXPECT_EQ(rectOf(m_sink.paintAreas[1]), (std::vector<int>{0, 0, 3, 3}));
    m_backend->update();
    EXPECT_EQ(m_sink.paintAreas.size(), 2u) << "nothing left to paint";
}

TEST_F(X11WindowTest, AreasInvalidatedWhilePaintingWaitForTheNextPaint)
{
    // Drawing code may update a control while the window paints: that area is painted next.
    struct SInvalidatingSink : CRecordingSink
    {
        intptr_t handleNativeMessage(const SNativeMessage& message) override
        {
            if (message.message == Message::Paint && !invalidated)
            {
                invalidated = true;
                const SPixelRect area = backend->beginPaint();
                SPixelRect part{3, 4, 5, 6};
                backend->invalidate(&part);
                backend->endPaint();
                paintAreas.push_back(area);
                return 0;
            }
            return CRecordingSink::handleNativeMessage(message);
        }
        bool invalidated = false;
    } sink;
    sink.backend = m_backend.get();
    ASSERT_EQ(m_backend->create(popup(), &sink), IWindowBackend::ECreateResult::Created);
    m_backend->update();
    ASSERT_EQ(sink.paintAreas.size(), 1u);
    m_backend->update();
    ASSERT_EQ(sink.paintAreas.size(), 2u);
    EXPECT_EQ(rectOf(sink.paintAreas[1]), (std::vector<int>{3, 4, 5, 6}));
}

TEST_F(X11WindowTest, HiddenWindowsAreNotPaintedUntilShown)
{
    ASSERT_EQ(m_backend->create(popup(40, 30, false), &m_sink), IWindowBackend::ECreateResult::Created);
    EXPECT_FALSE(m_backend->isVisible());
    m_backend->invalidate(nullptr);
    pumpFor(60);
    EXPECT_TRUE(m_sink.paintAreas.empty());
    m_backend->show();
    EXPECT_TRUE(m_backend->isVisible());
    ASSERT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_foreign, handle(), &attributes);
    EXPECT_EQ(attributes.map_state, IsViewable);
    m_backend->hide();
    EXPECT_FALSE(m_backend->isVisible());
    XSync(m_foreign, False);
    XGetWindowAttributes(m_foreign, handle(), &attributes);
    EXPECT_EQ(attributes.map_state, IsUnmapped);
}

TEST_F(X11WindowTest, TimersRepeatAtTheirIntervalsUntilStopped)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    EXPECT_TRUE(m_backend->startTimer(7, 10));
    EXPECT_TRUE(m_backend->startTimer(9, 60));
    // Counts and order only: a loaded machine may stretch every interval.
    const auto fired = [&](long id) { return std::count(m_sink.timers.begin(), m_sink.timers.end(), id); };
    ASSERT_TRUE(pumpUntil([&] { return fired(7) >= 5 && fired(9) >= 2; }, 20000));
    EXPECT_GE(fired(7), fired(9)) << "whenever the slow timer is due, the fast one is too";

    m_backend->stopTimer(7);
    const auto sevens = fired(7);
    const auto ninesBefore = fired(9);
    ASSERT_TRUE(pumpUntil([&] { return fired(9) >= ninesBefore + 2; }, 20000));
    EXPECT_EQ(fired(7), sevens) << "a stopped timer never fires again";

    // Restarting an id replaces its interval (an hour: it cannot come due during the
    // test); destroying the window ends its timers.
    m_backend->startTimer(9, 3600000);
    const auto nines = fired(9);
    pumpFor(100);
    EXPECT_EQ(fired(9), nines);
    m_backend->startTimer(3, 5);
    m_backend->destroy();
    const auto total = m_sink.timers.size();
    pumpFor(50);
    EXPECT_EQ(m_sink.timers.size(), total);
    EXPECT_FALSE(m_backend->startTimer(4, 5)) << "no timers without a window";
}

TEST_F(X11WindowTest, ChildLivesInsideAForeignParentAndGoesWithIt)
{
    const Window parent = foreignParent();
    SWindowCreateParams params = child(parent, {10, 20, 50, 30});
    params.extendedStyle = ExtendedWindowStyle::AcceptFiles;
    ASSERT_EQ(m_backend->create(params, &m_sink), IWindowBackend::ECreateResult::Created);
    ASSERT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));
    pumpFor(30);

    // That the child is the parent's and shows its painting there, and that destroying it
    // leaves the parent, the editor's cases on X see; here, what lies around it.
    EXPECT_EQ(awaitPixel(parent, parent, 5, 5, 0x0000FF), 0x0000FFu) << "the parent around it is untouched";

    // Child positions are relative to the parent, and a move is reported.
    m_backend->setPosition({30, 40});
    const SNativeMessage* move = m_sink.last(Message::Move);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(words(move->lParam), std::pair(30, 40));
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XSync(m_foreign, False);
    XGetGeometry(m_foreign, handle(), &root, &x, &y, &width, &height, &border, &depth);
    EXPECT_EQ(std::pair(x, y), std::pair(30, 40));

    m_backend->destroy();
    EXPECT_FALSE(m_backend->exists());
    EXPECT_EQ(m_sink.count(Message::Destroy), 1);
    m_backend->destroy();
    EXPECT_EQ(m_sink.count(Message::Destroy), 1) << "a second destroy does nothing";

    // A child goes with its foreign parent.
    auto other = getWindowSystem().createWindowBackend();
    CRecordingSink otherSink;
    otherSink.backend = other.get();
    ASSERT_EQ(other->create(params, &otherSink), IWindowBackend::ECreateResult::Created);
    XDestroyWindow(m_foreign, parent);
    XSync(m_foreign, False);
    ASSERT_TRUE(pumpUntil([&] { return !other->exists(); }));
    EXPECT_EQ(otherSink.count(Message::Destroy), 1);
}

TEST_F(X11WindowTest, MouseEventsBecomeMouseMessages)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    m_sink.messages.clear();

    send(button(ButtonPress, Button1, 5, 6, ShiftMask, 1000));
    send(button(ButtonRelease, Button1, 5, 6, Button1Mask, 1050));
    send(button(ButtonPress, Button1, 6, 6, 0, 1200)); // second press close by: double click
    send(button(ButtonRelease, Button1, 6, 6, Button1Mask, 1250));
    send(button(ButtonPress, Button1, 6, 6, 0, 1300)); // a third press starts again
    send(button(ButtonPress, Button1, 6, 6, 0, 5000)); // too late for a double click
    send(button(ButtonPress, Button3, 7, 8, ControlMask, 6000));
    send(button(ButtonRelease, Button3, 7, 8, Button3Mask, 6010));
    send(button(ButtonPress, Button4, 1, 2));
    send(button(ButtonRelease, Button4, 1, 2));
    send(button(ButtonPress, Button5, 1, 2, ControlMask));
    send(button(ButtonPress, Button2, 1, 2)); // middle button: nothing
    XEvent motion{};
    motion.xmotion.type = MotionNotify;
    motion.xmotion.x = -3;
    motion.xmotion.y = 33;
    motion.xmotion.state = ControlMask | Mod1Mask | Button1Mask;
    send(motion);
    ASSERT_TRUE(pumpUntil([&] { return m_sink.count(Message::MouseMove) == 1; }));

    std::vector<int> order;
    for (const SNativeMessage& m : m_sink.messages)
    {
        if (m.message != Message::Paint)
        {
            order.push_back(m.message);
        }
    }
    EXPECT_EQ(order, (std::vector<int>{Message::LeftButtonDown, Message::LeftButtonUp,
                                       Message::LeftButtonDoubleClick, Message::LeftButtonUp,
                                       Message::LeftButtonDown, Message::LeftButtonDown,
                                       Message::RightButtonDown, Message::RightButtonUp, Message::MouseWheel,
                                       Message::MouseWheel, Message::MouseMove}));

    // at() turns a missing message into a failure rather than a crash.
    const auto nth = [&](int message, size_t index) { return m_sink.all(message).at(index); };
    const SNativeMessage down = nth(Message::LeftButtonDown, 0);
    EXPECT_EQ(words(down.lParam), std::pair(5, 6));
    EXPECT_EQ(down.wParam, KeyState::LeftButton | KeyState::Shift) << "the pressed button counts as held";
    EXPECT_EQ(nth(Message::LeftButtonUp, 0).wParam, 0u) << "the released button does not";
    EXPECT_EQ(nth(Message::RightButtonDown, 0).wParam, KeyState::RightButton | KeyState::Control);

    const SNativeMessage up = nth(Message::MouseWheel, 0);
    EXPECT_EQ(highWord(static_cast<intptr_t>(up.wParam)), 120) << "away from the user";
    EXPECT_EQ(words(up.lParam), std::pair(1001, 2002)) << "wheel positions are on the screen";
    const SNativeMessage downWheel = nth(Message::MouseWheel, 1);
    EXPECT_EQ(highWord(static_cast<intptr_t>(downWheel.wParam)), -120);
    EXPECT_EQ(downWheel.wParam & 0xFFFF, KeyState::Control);

    const SNativeMessage move = nth(Message::MouseMove, 0);
    EXPECT_EQ(words(move.lParam), std::pair(-3, 33)) << "positions are signed";
    EXPECT_EQ(move.wParam, KeyState::Control | KeyState::Alt | KeyState::LeftButton)
        << "the modifiers come with the event";
}

TEST_F(X11WindowTest, LeavingIsReportedOnceWhenTrackedAndDisabledWindowsIgnoreInput)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    XEvent leave{};
    leave.xcrossing.type = LeaveNotify;
    leave.xcrossing.mode = NotifyNormal;
    leave.xcrossing.detail = NotifyAncestor;
    leave.xcrossing.x = 61;
    leave.xcrossing.y = 4;
    send(leave);
    pumpFor(50);
    EXPECT_EQ(m_sink.count(Message::MouseLeave), 0) << "not tracked";

    m_backend->trackMouseLeave();
    send(leave);
    send(leave);
    ASSERT_TRUE(pumpUntil([&] { return m_sink.count(Message::MouseLeave) == 1; }));
    pumpFor(50);
    EXPECT_EQ(m_sink.count(Message::MouseLeave), 1) << "tracking ends with the first leave";
    EXPECT_EQ(lowWord(m_sink.last(Message::MouseLeave)->lParam), 61);

    m_backend->trackMouseLeave();
    leave.xcrossing.detail = NotifyInferior; // into a child window: still inside
    send(leave);
    pumpFor(50);
    EXPECT_EQ(m_sink.count(Message::MouseLeave), 1);

    m_backend->setEnabled(false);
    send(button(ButtonPress, Button1, 1, 1));
    send(key(KeyPress, XK_a));
    pumpFor(50);
    EXPECT_EQ(m_sink.count(Message::LeftButtonDown), 0);
    EXPECT_EQ(m_sink.count(Message::KeyDown), 0);
    m_backend->setEnabled(true);
    send(button(ButtonPress, Button1, 1, 1));
    ASSERT_TRUE(pumpUntil([&] { return m_sink.count(Message::LeftButtonDown) == 1; }));
}

TEST_F(X11WindowTest, KeyEventsCarryVirtualKeysAndTranslateToCharacters)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    struct SCase
    {
        KeySym keysym;
        unsigned state;
        int virtualKey;
        int character;
    };
    const SCase cases[] = {
        {XK_a, 0, 'A', 'a'},
        {XK_a, ShiftMask, 'A', 'A'},
        {XK_1, 0, '1', '1'},
        {XK_Return, 0, VirtualKey::Return, '\r'},
        {XK_BackSpace, 0, VirtualKey::Back, 8},
        {XK_Escape, 0, VirtualKey::Escape, 27},
        {XK_Left, 0, VirtualKey::Left, -1},
        {XK_F5, 0, VirtualKey::F1 + 4, -1},
        {XK_Shift_L, 0, VirtualKey::Shift, -1},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(XKeysymToString(c.keysym));
        m_sink.messages.clear();
        send(key(KeyPress, c.keysym, c.state));
        send(key(KeyRelease, c.keysym, c.state));
        ASSERT_TRUE(pumpUntil([&] { return m_sink.count(Message::KeyUp) == 1; }));
        const SNativeMessage* down = m_sink.last(Message::KeyDown);
        ASSERT_NE(down, nullptr);
        EXPECT_EQ(static_cast<int>(down->wParam), c.virtualKey);
        EXPECT_EQ(m_backend->translateKey(down->wParam, down->lParam), c.character);
        EXPECT_EQ(static_cast<int>(m_sink.last(Message::KeyUp)->wParam), c.virtualKey);
    }

    // A held key repeats as release and press at one time: only the presses are reported.
    m_sink.messages.clear();
    send(key(KeyPress, XK_b, 0, 7000));
    send(key(KeyRelease, XK_b, 0, 7030));
    send(key(KeyPress, XK_b, 0, 7030));
    send(key(KeyRelease, XK_b, 0, 7100));
    XSync(m_foreign, False);
    ASSERT_TRUE(pumpUntil([&] { return m_sink.count(Message::KeyUp) == 1; }));
    EXPECT_EQ(m_sink.count(Message::KeyDown), 2);
}

TEST_F(X11WindowTest, CloseRequestsGoThroughTheSinkAndDefaultToDestroying)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.message_type = XInternAtom(m_foreign, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(m_foreign, "WM_DELETE_WINDOW", False));
    send(close);
    ASSERT_TRUE(pumpUntil([&] { return !m_backend->exists(); }));
    ASSERT_EQ(m_sink.count(Message::Close), 1);
    EXPECT_EQ(m_sink.count(Message::Destroy), 1);
    EXPECT_EQ(m_backend->getNativeHandle(), 0u);
}

TEST_F(X11WindowTest, TopLevelStylesBecomeWindowManagerHints)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_foreign, handle(), &attributes);
    EXPECT_TRUE(attributes.override_redirect) << "borderless and never activated: not managed";

    unsigned long value = 0;
    ASSERT_TRUE(property("_NET_WM_STATE", value));
    EXPECT_EQ(value, XInternAtom(m_foreign, "_NET_WM_STATE_ABOVE", False));

    EXPECT_TRUE(m_backend->setOpacity(204));
    XSync(m_foreign, False);
    ASSERT_TRUE(property("_NET_WM_WINDOW_OPACITY", value));
    EXPECT_EQ(value, 0xCCCCCCCCul) << "0.8 of full opacity";
    m_backend->setOpacity(255);
    XSync(m_foreign, False);
    EXPECT_FALSE(property("_NET_WM_WINDOW_OPACITY", value)) << "opaque windows carry no opacity";

    // A decorated window is managed and takes the focus normally.
    auto plain = getWindowSystem().createWindowBackend();
    SWindowCreateParams params = popup();
    params.style = WindowStyle::Caption;
    params.extendedStyle = 0;
    ASSERT_EQ(plain->create(params, &m_sink), IWindowBackend::ECreateResult::Created);
    XGetWindowAttributes(m_foreign, static_cast<Window>(plain->getNativeHandle()), &attributes);
    EXPECT_FALSE(attributes.override_redirect);
}

TEST_F(X11WindowTest, AreaChangesAreReportedAndRepainted)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    ASSERT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));
    m_sink.messages.clear();
    m_sink.paintAreas.clear();
    m_backend->setArea({m_origin.x + 5, m_origin.y + 6, 80, 50});
    const SNativeMessage* size = m_sink.last(Message::Size);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(words(size->lParam), std::pair(80, 50));
    ASSERT_NE(m_sink.last(Message::Move), nullptr);
    EXPECT_EQ(m_backend->getClientSize().width, 80);
    ASSERT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));
    EXPECT_EQ(m_sink.paintAreas.back().width, 80);
    EXPECT_EQ(m_sink.paintAreas.back().height, 50);
    EXPECT_EQ(rectOf(m_backend->getScreenRect()), (std::vector<int>{m_origin.x + 5, m_origin.y + 6, 80, 50}));
}

TEST_F(X11WindowTest, CaptureEndsWithReleaseOrDestruction)
{
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    pumpFor(30);
    IWindowSystem& system = getWindowSystem();
    EXPECT_FALSE(system.isMouseCaptured());
    m_backend->captureMouse();
    EXPECT_TRUE(system.isMouseCaptured());
    EXPECT_TRUE(m_backend->hasMouseCapture());
    auto other = system.createWindowBackend();
    EXPECT_FALSE(other->hasMouseCapture());
    m_backend->releaseMouse();
    EXPECT_FALSE(system.isMouseCaptured());
    m_backend->captureMouse();
    m_backend->destroy();
    EXPECT_FALSE(system.isMouseCaptured()) << "a destroyed window holds no capture";
}

// A press whose release will not reach the window: the sink hears CaptureChanged once and
// the capture ends. Events that leave the press alive say nothing.
TEST_F(X11WindowTest, APressLosesItsCaptureWhenTheWindowGoesOutOfSightOrTheButtonsAreUp)
{
    const Window parent = foreignParent();
    ASSERT_EQ(m_backend->create(child(parent, {0, 0, 120, 90}), &m_sink),
              IWindowBackend::ECreateResult::Created);
    ASSERT_TRUE(pumpUntil([&] { return !m_sink.paintAreas.empty(); }));

    XEvent heldMove{};
    heldMove.xmotion.type = MotionNotify;
    heldMove.xmotion.state = Button1Mask;
    XEvent freeMove = heldMove;
    freeMove.xmotion.state = ShiftMask;
    XEvent leave{};
    leave.xcrossing.type = LeaveNotify;
    leave.xcrossing.mode = NotifyNormal;
    XEvent grabbedAway = leave;
    grabbedAway.xcrossing.mode = NotifyGrab;
    struct SCase
    {
        const char* name;
        std::function<void()> act;
        bool lost;
    };
    const SCase cases[] = {
        {"a move with the button held", [&] { send(heldMove); }, false},
        {"the pointer leaves the shown window", [&] { send(leave); }, false},
        {"a move with every button up", [&] { send(freeMove); }, true},
        {"another client grabs the pointer", [&] { send(grabbedAway); }, true},
        {"the window is unmapped", [&] { XUnmapWindow(m_foreign, handle()); }, true},
        {"the host hides its window",
         [&]
         {
             XUnmapWindow(m_foreign, parent);
             XSync(m_foreign, False);
             send(leave);
         },
         true},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        XMapWindow(m_foreign, parent);
        XMapWindow(m_foreign, handle());
        XSync(m_foreign, False);
        pumpFor(20);
        m_backend->captureMouse();
        m_sink.messages.clear();
        c.act();
        // Events reach the window in the order they were made: once this marker is seen,
        // everything the case caused has been handled.
        XEvent marker = heldMove;
        marker.xmotion.x = 77;
        send(marker);
        ASSERT_TRUE(pumpUntil(
            [&]
            {
                const SNativeMessage* move = m_sink.last(Message::MouseMove);
                return move != nullptr && lowWord(move->lParam) == 77;
            }));
        EXPECT_EQ(m_sink.count(Message::CaptureChanged), c.lost ? 1 : 0);
        EXPECT_EQ(m_backend->hasMouseCapture(), !c.lost);
        m_backend->releaseMouse();
    }
    XDestroyWindow(m_foreign, parent);
    XSync(m_foreign, False);
}

TEST(X11WindowSystem, QuitEndsOneRoundOfTheEventLoop)
{
    IWindowSystem& system = getWindowSystem();
    system.postQuit(0);
    EXPECT_FALSE(system.processEvents(0));
    EXPECT_TRUE(system.processEvents(0));
}

TEST_F(X11WindowTest, DroppedFilesArriveWithTheirPointAndTheSourceHearsTheOutcome)
{
    SWindowCreateParams params = popup();
    params.extendedStyle |= ExtendedWindowStyle::AcceptFiles;
    ASSERT_EQ(m_backend->create(params, &m_sink), IWindowBackend::ECreateResult::Created);
    pumpFor(30);
    const auto atom = [&](const char* name) { return XInternAtom(m_foreign, name, False); };
    unsigned long version = 0;
    ASSERT_TRUE(property("XdndAware", version)) << "windows that accept files announce it";
    EXPECT_EQ(version, 5u);

    // The test's own connection plays the dragging program.
    const Window source = XCreateSimpleWindow(m_foreign, DefaultRootWindow(m_foreign), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(m_foreign, atom("XdndSelection"), source, CurrentTime);
    const auto toTarget = [&](const char* message, long l1, long l2, long l3)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.message_type = atom(message);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(source);
        event.xclient.data.l[1] = l1;
        event.xclient.data.l[2] = l2;
        event.xclient.data.l[3] = l3;
        send(event);
    };
    XEvent event{};
    const auto nextEvent = [&]
    {
        return pumpUntil(
            [&]
            {
                return XCheckTypedWindowEvent(m_foreign, source, ClientMessage, &event) != False ||
                       XCheckTypedWindowEvent(m_foreign, source, SelectionRequest, &event) != False;
            });
    };

    const SPixelRect onScreen = m_backend->getScreenRect();
    toTarget("XdndEnter", 5L << 24, static_cast<long>(atom("text/uri-list")), 0);
    toTarget("XdndPosition", 0, ((onScreen.x + 7L) << 16) | (onScreen.y + 8L), CurrentTime);
    ASSERT_TRUE(nextEvent());
    ASSERT_EQ(event.type, ClientMessage);
    EXPECT_EQ(event.xclient.message_type, atom("XdndStatus"));
    EXPECT_EQ(event.xclient.data.l[1] & 1, 1) << "the drop is accepted";

    toTarget("XdndDrop", 0, CurrentTime, 0);
    ASSERT_TRUE(nextEvent());
    ASSERT_EQ(event.type, SelectionRequest);
    const XSelectionRequestEvent request = event.xselectionrequest;
    EXPECT_EQ(request.target, atom("text/uri-list"));
    const std::string list = "file:///tmp/one%20file.png\r\nfile:///tmp/two.jpg\r\n";
    XChangeProperty(m_foreign, request.requestor, request.property, request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(list.data()), static_cast<int>(list.size()));
    XEvent notify{};
    notify.xselection.type = SelectionNotify;
    notify.xselection.requestor = request.requestor;
    notify.xselection.selection = request.selection;
    notify.xselection.target = request.target;
    notify.xselection.property = request.property;
    notify.xselection.time = request.time;
    XSendEvent(m_foreign, request.requestor, False, NoEventMask, &notify);
    XFlush(m_foreign);
    ASSERT_TRUE(nextEvent());
    EXPECT_EQ(event.xclient.message_type, atom("XdndFinished"));
    EXPECT_EQ(event.xclient.data.l[1] & 1, 1);

    ASSERT_TRUE(m_sink.dropped);
    EXPECT_EQ(m_sink.drop.files, (std::vector<std::string>{"/tmp/one file.png", "/tmp/two.jpg"}));
    EXPECT_EQ(m_sink.drop.point.x, 7);
    EXPECT_EQ(m_sink.drop.point.y, 8);
    EXPECT_FALSE(m_backend->getDroppedFiles(1, m_sink.drop)) << "a finished drop is gone";
    XDestroyWindow(m_foreign, source);
}

namespace
{

std::vector<unsigned char> g_hostErrors;

int hostErrorHandler(Display*, XErrorEvent* event)
{
    g_hostErrors.push_back(event->error_code);
    return 0;
}

// The handler that is installed right now.
XErrorHandler currentErrorHandler()
{
    const XErrorHandler current = XSetErrorHandler(nullptr);
    XSetErrorHandler(current);
    return current;
}

} // namespace

// Xlib has one error handler per process, which the host (here the second
// connection) owns: the framework's only stands in while it talks to its own
// connection, and never takes an error of the host's connection.
TEST_F(X11WindowTest, ErrorHandlingStaysWithEachConnection)
{
    g_hostErrors.clear();
    const XErrorHandler before = XSetErrorHandler(hostErrorHandler);
    ASSERT_EQ(m_backend->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created);
    pumpFor(20);
    EXPECT_EQ(currentErrorHandler(), hostErrorHandler) << "the host's handler is in place between our calls";

    // An error of the host's connection reaches the host.
    XMapWindow(m_foreign, 0x7fffffff);
    XSync(m_foreign, False);
    EXPECT_EQ(g_hostErrors, std::vector<unsigned char>{BadWindow});

    // A handler the host installs later stays, and errors of our own connection
    // still come to us: a bad parent is a failed creation, not a host error.
    const XErrorHandler later = [](Display* display, XErrorEvent* event)
    { return hostErrorHandler(display, event); };
    XSetErrorHandler(later);
    auto orphan = getWindowSystem().createWindowBackend();
    EXPECT_EQ(orphan->create(child(0x7ffffffe, {0, 0, 10, 10}), &m_sink),
              IWindowBackend::ECreateResult::CreationFailed);
    EXPECT_FALSE(orphan->exists());
    EXPECT_FALSE(orphan->getLastError().empty());
    EXPECT_EQ(g_hostErrors.size(), 1u);
    EXPECT_EQ(currentErrorHandler(), later);
    EXPECT_EQ(orphan->create(popup(), &m_sink), IWindowBackend::ECreateResult::Created)
        << "the failure does not linger into the next creation";

    m_backend->destroy();
    pumpFor(20);
    EXPECT_EQ(currentErrorHandler(), later);
    XSetErrorHandler(before);
}
